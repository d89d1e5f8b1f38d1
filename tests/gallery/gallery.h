#pragma once

#include <QString>

#include <functional>

class QWidget;

// The gallery writes one PNG per registered item into the folder given on its
// command line, so that windows and reports can be looked at without a person.

// The widget is grabbed at its current size, then deleted.
void RegisterGalleryItem(const char *name, std::function<QWidget *()> make);
// For items that write their own files (printed pages, several pictures):
// called with the output folder; the item names its files after itself.
void RegisterGalleryFiles(const char *name, std::function<void(const QString &folder)> write);

// Lays a window out at its natural size before it is grabbed.
QWidget *Sized(QWidget *widget);

// Registers at static initialisation, one per item:
//   static GalleryRegistration reg("grid-empty", [] { return new QWidget; });
struct GalleryRegistration {
    GalleryRegistration(const char *name, std::function<QWidget *()> make)
    {
        RegisterGalleryItem(name, std::move(make));
    }
    GalleryRegistration(const char *name, std::function<void(const QString &)> write)
    {
        RegisterGalleryFiles(name, std::move(write));
    }
};
