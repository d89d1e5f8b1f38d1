// Writes a PNG of every registered gallery item into the folder named on the
// command line. Optional further arguments pick items by name prefix.
#include "gallery.h"

#include "support/testuiseam.h"
#include "support/throwawayprofile.h"

#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

struct Item {
    std::function<QWidget *()> make;
    std::function<void(const QString &)> write;
};

std::map<std::string, Item> &Items()
{
    static std::map<std::string, Item> items;
    return items;
}

bool Wanted(const std::string &name, const QStringList &prefixes)
{
    if (prefixes.isEmpty())
        return true;
    for (const QString &p : prefixes) {
        if (QString::fromStdString(name).startsWith(p))
            return true;
    }
    return false;
}

} // namespace

QWidget *Sized(QWidget *widget)
{
    if (widget->layout())
        widget->layout()->activate();
    widget->adjustSize();
    return widget;
}

void RegisterGalleryItem(const char *name, std::function<QWidget *()> make)
{
    Items()[name].make = std::move(make);
}

void RegisterGalleryFiles(const char *name, std::function<void(const QString &folder)> write)
{
    Items()[name].write = std::move(write);
}

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
    const QStringList prefixes = args.mid(1);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    int failures = 0;
    for (auto &[name, item] : Items()) {
        if (!Wanted(name, prefixes))
            continue;
        if (item.write)
            item.write(folder);
        if (item.make) {
            std::unique_ptr<QWidget> widget(item.make());
            if (!widget) {
                ++failures;
                continue;
            }
            const QString file = folder + u'/' + QString::fromStdString(name) + QStringLiteral(".png");
            if (!widget->grab().save(file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                ++failures;
            }
        }
        std::printf("%s\n", name.c_str());
    }
    return failures == 0 ? 0 : 1;
}
