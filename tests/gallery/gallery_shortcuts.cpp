// The Menu Shortcut Keys page of the Default Settings sheet, with a user key
// beside a built-in one and a key that is taken already.
#include "gallery.h"

#include "base/commandids.h"
#include "controls/keycaptureedit.h"
#include "data/tallywickdata.h"
#include "frame/accelmappage.h"
#include "frame/mainframe.h"
#include "records/defaultsettingssheet.h"

#include <QListWidget>
#include <QTest>

#include <memory>

namespace {

// The window whose keys the page edits; goes with the picture's dialog.
struct CKeysOwner : QObject {
    CKeysOwner()
        : frame(std::make_unique<CMainFrame>(SampleData()))
    {
        manager.SetWindow(frame.get(), false);
        RegisterMenuCommands(manager);
        manager.CreateTable();
        manager.TakeResetSnapshot();
        manager.AddKey(CommandId::AddIncome, {FVIRTKEY | FCONTROL | FSHIFT, 'N', false});
    }
    std::unique_ptr<CMainFrame> frame;
    CAcceleratorManager manager;
};

const GalleryRegistration shortcutKeys("frame-shortcutkeys", [] {
    auto *owner = new CKeysOwner;
    auto *page = new CAccelMapPage(&owner->manager, SampleData(), true);
    auto *sheet = new CDefaultSettingsSheet(SampleData());
    sheet->AddPage(page);
    sheet->SetCurrentPage(sheet->PageCount() - 1);
    owner->setParent(sheet);
    auto *commands = Child<QListWidget>(page, 1080);
    commands->setCurrentItem(commands->findItems(QStringLiteral("Add Income"), Qt::MatchExactly).value(0));
    auto *keys = Child<QListWidget>(page, 1081);
    keys->setCurrentItem(keys->findItems(QStringLiteral("Ctrl+Shift+N"), Qt::MatchExactly).value(0));
    // Ctrl+O pressed in the key box and Assign clicked: it is Restore Data's.
    QTest::keyClick(Child<CKeyCaptureEdit>(page, 1084), Qt::Key_O, Qt::ControlModifier);
    page->OnAssign();
    return Sized(sheet);
});

} // namespace
