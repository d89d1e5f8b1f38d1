#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QObject;
class QUrl;

// Message box styles and answers, with the values the rest of the program
// stores and compares.
enum MessageBoxStyle : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_BUTTONMASK = 0xF,
    MB_ICONMASK = 0xF0,
};

enum MessageBoxAnswer : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDRETRY = 4,
    IDYES = 6,
    IDNO = 7,
};

struct FileDialogRequest {
    QString title;
    QString directory;
    // Filter in the "Text (*.txt)|*.txt|All (*.*)|*.*||" form.
    QString filter;
    QString fileName;
    QString defaultExtension;
};

// What a person chose in a save dialog.
struct SaveFileChoice {
    // As given: no suffix added. Empty when cancelled.
    QString path;
    // The entry of the request's filter that was chosen; -1 when not known.
    int filter = -1;
};

// Everything that asks a person goes through this interface, so that tests
// answer without one. The data layer uses it without knowing any widget;
// the application installs the Qt implementation.
class IUiSeam
{
public:
    virtual ~IUiSeam() = default;
    virtual int MessageBox(QObject *owner, const QString &text, const QString &title, unsigned style) = 0;
    // Empty text means cancelled.
    virtual QString OpenFileName(QObject *owner, const FileDialogRequest &request) = 0;
    // The name with a suffix added when it has none (WithDefaultSuffix).
    virtual QString SaveFileName(QObject *owner, const FileDialogRequest &request) = 0;
    // The save dialog, telling which filter was chosen, so that the caller
    // gives a bare name the suffix of that filter. The default knows no
    // filter.
    virtual SaveFileChoice SaveFile(QObject *owner, const FileDialogRequest &request)
    {
        return {SaveFileName(owner, request), -1};
    }
    virtual QString BrowseFolder(QObject *owner, const QString &title, const QString &startFolder) = 0;
    // Colours as 0x00BBGGRR; nothing when cancelled.
    virtual std::optional<unsigned> ChooseColor(QObject *owner, unsigned initial) = 0;
    // Hands a web page to the desktop's browser; false when nothing took it.
    virtual bool OpenUrl(QObject *owner, const QUrl &url);
};

// The installed seam; a quiet one that prints to stderr and answers with the
// default button until the application or a test installs another.
IUiSeam &UiSeam();
// Installs a seam (not owned); nullptr puts the quiet one back. Returns the previous one.
IUiSeam *SetUiSeam(IUiSeam *seam);

// The usual way to show a message: default title "Tallywick + ".
int TwkMessageBox(const QString &text, const QString &title = QStringLiteral("Tallywick + "),
                  unsigned style = MB_OK, QObject *owner = nullptr);

// Opens a web page through the seam and tells the user when it could not.
bool TwkOpenUrl(const QUrl &url, QObject *owner = nullptr);

// The answer a message box gives when nobody chooses: OK, or the default button.
int DefaultAnswer(unsigned style);

// The extension of entry `index` of a "Text File (*.txt)|*.txt|..." filter:
// "txt"; empty for an entry such as "*.*" and for no such entry.
QString FilterSuffix(const QString &filter, int index);
// A file name without any dot gets the suffix of the chosen filter entry,
// or the request's default extension when that entry has none; any other
// name stays as it is, so the name typed still decides.
QString WithDefaultSuffix(const QString &path, const FileDialogRequest &request, int filter);

// "Text File (*.txt)|*.txt|All (*.*)|*.*||" -> "Text File (*.txt);;All (*.*)".
QString QtFilterFromWindows(const QString &filter);
