// The progress window of start-up, with the delivered banner and without it.
#include "gallery.h"

#include "app/splashdlg.h"

#include <QDir>

namespace {

QWidget *Splash(const QString &folder, const QString &text)
{
    auto *dlg = new CSplashDlg(folder);
    dlg->SetText(text);
    dlg->adjustSize();
    return dlg;
}

GalleryRegistration splashBanner("app-splash", [] {
    return Splash(QStringLiteral(TWK_SOURCE_DIR "/res"), QStringLiteral("Checking database settings"));
});
GalleryRegistration splashFallback("app-splash-fallback", [] {
    return Splash(QDir::tempPath() + QStringLiteral("/no-such-folder"), QStringLiteral("Opening the Database"));
});

} // namespace
