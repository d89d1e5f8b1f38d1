#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <string>

class CTallywickData;
class CTallywickView;
class QMainWindow;

// The gallery writes one PNG per registered item into the folder given on its
// command line, so that windows and reports can be looked at without a person.

// The widget is grabbed at its current size, then deleted.
void RegisterGalleryItem(const char *name, std::function<QWidget *()> make);
// For items that write their own files (printed pages, several pictures):
// called with the output folder; the item names its files after itself.
void RegisterGalleryFiles(const char *name, std::function<void(const QString &folder)> write);

// Every registered item by name: writes its files into the folder and says
// whether it could.
const std::map<std::string, std::function<bool(const QString &folder)>> &GalleryItems();
// The items that make one widget, by name; the caller owns what they make.
const std::map<std::string, std::function<QWidget *()>> &GalleryWidgets();

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

// A small bakery behind every picture: three units, its categories, records
// in March 2023, January 2026 and April 2026, and two custom reports.
CTallywickData &SampleData();

// A dialog or page laid out at its natural size.
QWidget *Sized(QWidget *widget);

// The child control `id` of a dialog.
template<typename W>
W *Child(QWidget *dialog, int id)
{
    return dialog->findChild<W *>(QString::number(id));
}

// A shown main window around a report view on the sample (or on `data`), with `title`.
QMainWindow *ReportWindow(const QString &title, CTallywickData *data = nullptr);
CTallywickView *ViewOf(QMainWindow *window);

// Prints the view to name.pdf on A4 and turns the pages into name-N.png.
void PrintPages(CTallywickView &view, const QString &folder, const QString &name);
