// The tip of the day with the delivered tips, and the help window on the
// delivered pages.
#include "gallery.h"

#include "data/profile.h"
#include "frame/helpviewer.h"
#include "frame/tipdlg.h"

#include <QApplication>
#include <QDir>
#include <QImage>

namespace {

const GalleryRegistration tip("help-tip", [] {
    // As a new user meets it: shown at start-up, from the first tip.
    for (const char *entry : {"StartUp", "FilePos", "TimeStamp"})
        RemoveProfileEntry(QStringLiteral("Tip"), QString::fromLatin1(entry));
    return new CTipDlg(nullptr, QStringLiteral(TWK_SOURCE_DIR "/res/TWKTips.txt"));
});

QWidget *Viewer(const QString &page, const QString &search = QString())
{
    auto *help = new CHelpViewer(QStringLiteral(TWK_SOURCE_DIR "/res/help"));
    help->resize(1000, 640);
    help->ShowPage(page);
    if (!search.isEmpty())
        help->Search(search);
    help->show();
    QApplication::processEvents();
    return help;
}

const GalleryRegistration viewer("help-viewer", [] { return Viewer(QStringLiteral("HelpMenu.htm")); });
const GalleryRegistration search("help-viewer-search",
                                 [] { return Viewer(QStringLiteral("index.htm"), QStringLiteral("backup password")); });

// The top-left corner of each open-menu picture of the main window, where
// the menu and the toolbar are, at a size the help pages show unscaled.
// Runs after the frame's pictures (items go in name order).
const GalleryRegistration menus("help-menus", [](const QString &folder) {
    const QDir dir(folder);
    for (const QString &file : dir.entryList({QStringLiteral("frame-menu-*.png")}, QDir::Files)) {
        const QImage shot(dir.filePath(file));
        shot.copy(0, 0, qMin(shot.width(), 600), qMin(shot.height(), 330))
            .save(dir.filePath(QStringLiteral("help-") + file.mid(int(qstrlen("frame-")))));
    }
});

} // namespace
