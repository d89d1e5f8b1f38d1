#include "addins/addinregistrar.h"

#include "addins/addinmanager.h"

CAddinRegistrar::CAddinRegistrar(CAddinManager &manager, QObject *parent)
    : QObject(parent)
    , m_manager(manager)
{
}

bool CAddinRegistrar::RegisterAddin(int index, const QString &descriptionXml, int toolbarBitmapId)
{
    return m_manager.RegisterAddin(index, descriptionXml, toolbarBitmapId);
}
