#pragma once

#include <QObject>

class CAddinManager;

// What add-ins are connected with while the program has no object model of
// its own: it answers TwkApp's RegisterAddin and nothing else, so add-ins
// can describe themselves.
class CAddinRegistrar : public QObject
{
    Q_OBJECT
public:
    explicit CAddinRegistrar(CAddinManager &manager, QObject *parent = nullptr);

public slots:
    bool RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId);

private:
    CAddinManager &m_manager;
};
