// The main window with the sample add-in's menu and toolbar, the Addin
// Manager page listing it beside a plugin that failed, and the sample's own
// page on the Default Settings sheet.
#include "gallery.h"

#include "addins/addinmanager.h"
#include "addins/addinmanagerpage.h"
#include "addins/testaddinhost.h"
#include "data/tallywickdata.h"
#include "frame/addinmerge.h"
#include "frame/mainframe.h"
#include "records/defaultsettingssheet.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <memory>

namespace {

// Over the gallery's sample data, keeping the settings pages the add-ins hand over.
class CGalleryAddinHost : public CTestAddinHost
{
public:
    using CTestAddinHost::CTestAddinHost;
    CTallywickData &Data() override { return SampleData(); }
    bool AddSettingsPage(CSettingsPage *page) override
    {
        pages.append(page);
        return true;
    }
    QList<CSettingsPage *> pages;
};

struct CLoadedAddins {
    CAddinManager manager;
    CGalleryAddinHost host{manager};
    CLoadedAddins()
    {
        manager.Discover({QStringLiteral(TWK_SAMPLE_ADDIN_DIR), QStringLiteral(TWK_FIXTURE_ADDIN_DIR "/throwsonconnect")}, host.App());
        manager.RunDatabaseStartUp();
        manager.StartUpComplete();
    }
};

CLoadedAddins &Addins()
{
    static CLoadedAddins addins;
    return addins;
}

const GalleryRegistration frame("addins-frame", [](const QString &folder) {
    CTallywickData data;
    data.loggedIn = true;
    CMainFrame frame(data);
    MergeAddins(Addins().manager, frame);
    frame.resize(1280, 800);
    frame.show();
    frame.UpdateCommandStates();
    QApplication::processEvents();
    for (QAction *top : frame.menuBar()->actions()) {
        if (top->text() != QLatin1String("&Tools") && top->text() != QLatin1String("&View"))
            continue;
        QMenu *menu = top->menu();
        frame.menuBar()->setActiveAction(top);
        QApplication::processEvents();
        QImage shot = frame.grab().toImage();
        QPainter p(&shot);
        p.drawPixmap(menu->mapToGlobal(QPoint(0, 0)) - frame.mapToGlobal(QPoint(0, 0)), menu->grab());
        p.end();
        menu->hide();
        shot.save(folder + QStringLiteral("/addins-frame-") + top->text().remove(u'&').toLower() + QStringLiteral(".png"));
    }
});

const GalleryRegistration page("addins-page", [] { return Sized(new CAddinManagerPage(Addins().manager)); });

// CAddinSettingsPage: the sample's page as the last page of the sheet. The
// sample hands its page over once, so this is one file, not a remade widget.
const GalleryRegistration settings("addins-settings-page", [](const QString &folder) {
    QList<CSettingsPage *> &pages = Addins().host.pages;
    if (pages.isEmpty())
        return;
    CDefaultSettingsSheet sheet(SampleData());
    sheet.AddPage(pages.takeFirst());
    sheet.SetCurrentPage(sheet.PageCount() - 1);
    Sized(&sheet)->grab().save(folder + QStringLiteral("/addins-settings-page.png"));
});

} // namespace
