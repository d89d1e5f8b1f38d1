#pragma once

#include <QMainWindow>

class CTallywickData;

// The single top-level window. (Menus, toolbar, status bar and the command
// table come next.)
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(CTallywickData &data, QWidget *parent = nullptr);

private:
    CTallywickData &m_data;
};
