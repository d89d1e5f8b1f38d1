// Writes a PNG of every registered gallery item into the folder named on the
// command line. Optional further arguments pick items by name prefix.
#include "gallery.h"

#include "support/testuiseam.h"
#include "support/throwawayprofile.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    // A throw-away profile, as in the tests: the gallery never reads or
    // writes the real user's settings.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/twk-gallery-XXXXXX"));
    if (!home.isValid())
        return 2;
    UseThrowAwayProfile(home.path());

    QApplication app(argc, argv);
    SetUiSeam(&TestUi());
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: twk_gallery OUTPUT_FOLDER [NAME_PREFIX...]\n");
        return 2;
    }
    const QString folder = args.first();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    int failures = 0;
    for (const auto &[name, write] : GalleryItems()) {
        const QString item = QString::fromStdString(name);
        if (args.size() > 1 && std::none_of(args.begin() + 1, args.end(), [&](const QString &p) { return item.startsWith(p); }))
            continue;
        failures += write(folder) ? 0 : 1;
        std::printf("%s\n", name.c_str());
    }
    return failures == 0 ? 0 : 1;
}
