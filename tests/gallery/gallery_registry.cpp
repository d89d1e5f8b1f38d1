#include "gallery.h"

#include <QPixmap>

#include <cstdio>
#include <memory>

namespace {

std::map<std::string, std::function<bool(const QString &)>> &Items()
{
    static std::map<std::string, std::function<bool(const QString &)>> items;
    return items;
}

std::map<std::string, std::function<QWidget *()>> &Widgets()
{
    static std::map<std::string, std::function<QWidget *()>> widgets;
    return widgets;
}

} // namespace

const std::map<std::string, std::function<bool(const QString &)>> &GalleryItems()
{
    return Items();
}

const std::map<std::string, std::function<QWidget *()>> &GalleryWidgets()
{
    return Widgets();
}

void RegisterGalleryItem(const char *name, std::function<QWidget *()> make)
{
    Widgets()[name] = make;
    Items()[name] = [name = QString::fromLatin1(name), make](const QString &folder) {
        std::unique_ptr<QWidget> widget(make());
        const QString file = folder + u'/' + name + QStringLiteral(".png");
        if (widget && widget->grab().save(file))
            return true;
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    };
}

void RegisterGalleryFiles(const char *name, std::function<void(const QString &folder)> write)
{
    Items()[name] = [write](const QString &folder) {
        write(folder);
        return true;
    };
}
