// The main window as a new user sees it, each menu opened in turn, and the
// About box.
#include "gallery.h"

#include "base/commandids.h"
#include "data/tallywickdata.h"
#include "frame/aboutdlg.h"
#include "frame/commandicons.h"
#include "frame/mainframe.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <memory>

namespace {

struct CShownFrame {
    CTallywickData data;
    std::unique_ptr<CMainFrame> frame;

    explicit CShownFrame(bool loggedIn = true, int passwordMode = 0)
    {
        data.loggedIn = loggedIn;
        data.settings.iByPassPasswordScreen = passwordMode;
        frame = std::make_unique<CMainFrame>(data);
        frame->resize(1280, 800);
        frame->show();
        frame->ShowIdleTexts();
        frame->UpdateCommandStates();
        QApplication::processEvents();
    }
};

// The window with one menu dropped down and its first usable item under
// the pointer, the way a screenshot shows an open menu.
QImage WithMenuOpen(CMainFrame &frame, QAction *top)
{
    QMenu *menu = top->menu();
    frame.menuBar()->setActiveAction(top);
    QApplication::processEvents();
    for (QAction *a : menu->actions()) {
        if (!a->isSeparator() && a->isEnabled()) {
            menu->setActiveAction(a);
            break;
        }
    }
    QApplication::processEvents();
    QImage shot = frame.grab().toImage();
    QPainter p(&shot);
    const QPoint at = menu->mapToGlobal(QPoint(0, 0)) - frame.mapToGlobal(QPoint(0, 0));
    p.drawPixmap(at, menu->grab());
    p.end();
    menu->hide();
    QApplication::processEvents();
    return shot;
}

QString FileName(const QString &menuTitle)
{
    QString name = menuTitle;
    name.remove(u'&');
    return QStringLiteral("frame-menu-") + name.toLower();
}

// The frame outlives the grab: the registry deletes the window it is given.
QWidget *Shown(bool loggedIn, int passwordMode)
{
    static std::unique_ptr<CShownFrame> shown;
    shown = std::make_unique<CShownFrame>(loggedIn, passwordMode);
    return shown->frame.release();
}

const GalleryRegistration mainWindow("frame-main", [] { return Shown(true, 0); });
const GalleryRegistration beforeLogin("frame-before-login", [] { return Shown(false, 1); });

const GalleryRegistration menus("frame-menus", [](const QString &folder) {
    CShownFrame shown;
    for (QAction *top : shown.frame->menuBar()->actions())
        WithMenuOpen(*shown.frame, top).save(folder + u'/' + FileName(top->text()) + QStringLiteral(".png"));
});

const GalleryRegistration about("frame-about", [] { return new CAboutDlg; });

// Every command image at menu size, toolbar size (also disabled), double
// size, and the toolbar size magnified to check the pixels.
const GalleryRegistration images("frame-images", [](const QString &folder) {
    using namespace CommandId;
    const unsigned ids[] = {BackupData, Print, Login, DefaultSettings, UserInformation, AddDeleteCategory,
                            AddIncome, AddExpense, SpecifiedPeriodReport, ClearScreen, HelpTopics, VideoTutorials};
    constexpr int kRow = 100;
    QImage sheet(440, kRow * int(std::size(ids)), QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int y = 0;
    for (unsigned id : ids) {
        const QIcon icon = CommandIcon(id);
        p.drawPixmap(10, y + 10, icon.pixmap(QSize(16, 16)));
        p.drawPixmap(40, y + 10, icon.pixmap(QSize(24, 24)));
        p.drawPixmap(40, y + 40, icon.pixmap(QSize(24, 24), QIcon::Disabled));
        p.drawPixmap(80, y + 10, icon.pixmap(QSize(48, 48)));
        p.drawImage(QRect(150, y + 2, 96, 96), icon.pixmap(QSize(24, 24)).toImage());
        p.fillRect(QRect(260, y + 2, 170, 96), QColor(0x4B, 0x4B, 0x4B));
        p.drawPixmap(270, y + 10, icon.pixmap(QSize(24, 24)));
        p.drawPixmap(310, y + 10, icon.pixmap(QSize(48, 48)));
        y += kRow;
    }
    p.end();
    sheet.save(folder + QStringLiteral("/frame-images.png"));
});

} // namespace
