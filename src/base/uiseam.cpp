#include "base/uiseam.h"

#include "base/stringids.h"
#include "base/stringtable.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>

namespace {

class CQuietUiSeam final : public IUiSeam
{
public:
    int MessageBox(QObject *, const QString &text, const QString &title, unsigned style) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title.trimmed()), qPrintable(text));
        return DefaultAnswer(style);
    }
    QString OpenFileName(QObject *, const FileDialogRequest &) override { return {}; }
    QString SaveFileName(QObject *, const FileDialogRequest &) override { return {}; }
    QString BrowseFolder(QObject *, const QString &, const QString &) override { return {}; }
    std::optional<unsigned> ChooseColor(QObject *, unsigned) override { return std::nullopt; }
};

CQuietUiSeam g_quiet;
IUiSeam *g_seam = &g_quiet;

} // namespace

IUiSeam &UiSeam()
{
    return *g_seam;
}

IUiSeam *SetUiSeam(IUiSeam *seam)
{
    IUiSeam *previous = g_seam;
    g_seam = seam ? seam : &g_quiet;
    return previous == &g_quiet ? nullptr : previous;
}

bool IUiSeam::OpenUrl(QObject *, const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool TwkOpenUrl(const QUrl &url, QObject *owner)
{
    if (UiSeam().OpenUrl(owner, url))
        return true;
    TwkMessageBox(LoadString(StringId::OpenWebPageFailed).arg(url.toDisplayString()), QStringLiteral("Tallywick + "),
                  MB_OK | MB_ICONEXCLAMATION, owner);
    return false;
}

int TwkMessageBox(const QString &text, const QString &title, unsigned style, QObject *owner)
{
    return UiSeam().MessageBox(owner, text, title, style);
}

int DefaultAnswer(unsigned style)
{
    const bool second = style & MB_DEFBUTTON2;
    switch (style & MB_BUTTONMASK) {
    case MB_OKCANCEL:
        return second ? IDCANCEL : IDOK;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return second ? IDNO : IDYES;
    case MB_RETRYCANCEL:
        return second ? IDCANCEL : IDRETRY;
    default:
        return IDOK;
    }
}

QString QtFilterFromWindows(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed();
        // "||" ends the list, whatever follows it.
        if (description.isEmpty())
            break;
        QString qtPatterns = patterns;
        qtPatterns.replace(u';', u' ');
        // Qt reads the patterns from the last parentheses of the entry.
        const QString tail = QStringLiteral("(") + qtPatterns + QStringLiteral(")");
        out << (description.endsWith(tail) ? description : description + u' ' + tail);
    }
    return out.join(QStringLiteral(";;"));
}

QString FilterSuffix(const QString &filter, int index)
{
    if (index < 0)
        return {};
    const QStringList parts = filter.split(u'|');
    const qsizetype at = qsizetype(index) * 2;
    if (at + 1 >= parts.size() || parts[at].trimmed().isEmpty())
        return {};
    // The first pattern names the files the entry is for.
    const QString pattern = parts[at + 1].section(u';', 0, 0).trimmed();
    if (!pattern.startsWith(QStringLiteral("*.")))
        return {};
    const QString suffix = pattern.mid(2);
    const bool concrete = !suffix.isEmpty() && !suffix.contains(u'*') && !suffix.contains(u'?');
    return concrete ? suffix : QString();
}

QString WithDefaultSuffix(const QString &path, const FileDialogRequest &request, int filter)
{
    if (path.isEmpty() || QFileInfo(path).fileName().contains(u'.'))
        return path;
    const QString chosen = FilterSuffix(request.filter, filter);
    const QString suffix = chosen.isEmpty() ? request.defaultExtension : chosen;
    return suffix.isEmpty() ? path : path + u'.' + suffix;
}
