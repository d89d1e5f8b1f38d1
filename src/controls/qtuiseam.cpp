#include "controls/qtuiseam.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QWidget *OwnerWidget(QObject *owner)
{
    if (auto *w = qobject_cast<QWidget *>(owner))
        return w;
    return QApplication::activeWindow();
}

} // namespace

int CQtUiSeam::MessageBox(QObject *owner, const QString &text, const QString &title, unsigned style)
{
    QMessageBox box(OwnerWidget(owner));
    box.setWindowTitle(title.trimmed().isEmpty() ? QStringLiteral("Tallywick +") : title);
    box.setText(text);
    switch (style & MB_ICONMASK) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    QList<Choice> choices;
    switch (style & MB_BUTTONMASK) {
    case MB_OKCANCEL:
        choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        choices = {{QMessageBox::Ok, IDOK}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice &c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    const int defaultIndex = (style & MB_DEFBUTTON2) && choices.size() > 1 ? 1 : 0;
    box.setDefaultButton(choices[defaultIndex].button);
    box.setEscapeButton(choices.size() == 1 ? choices[0].button : choices.last().button);
    const auto result = QMessageBox::StandardButton(box.exec());
    for (const Choice &c : choices) {
        if (c.button == result)
            return c.answer;
    }
    return choices.size() == 1 ? IDOK : IDCANCEL;
}

QString CQtUiSeam::OpenFileName(QObject *owner, const FileDialogRequest &request)
{
    QString start = request.directory;
    if (!request.fileName.isEmpty())
        start = start.isEmpty() ? request.fileName : start + u'/' + request.fileName;
    return QFileDialog::getOpenFileName(OwnerWidget(owner), request.title, start, QtFilterFromWindows(request.filter));
}

SaveFileChoice CQtUiSeam::SaveFile(QObject *owner, const FileDialogRequest &request)
{
    QString start = request.directory;
    if (!request.fileName.isEmpty())
        start = start.isEmpty() ? request.fileName : start + u'/' + request.fileName;
    const QStringList filters = QtFilterFromWindows(request.filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    QFileDialog dialog(OwnerWidget(owner), request.title, start, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Callers ask before replacing a file, through the message seam.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // No default suffix here: the dialog would give a bare name the request's
    // one whatever filter is chosen. The caller adds the chosen filter's.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first(), int(filters.indexOf(dialog.selectedNameFilter()))};
}

QString CQtUiSeam::SaveFileName(QObject *owner, const FileDialogRequest &request)
{
    const SaveFileChoice choice = SaveFile(owner, request);
    return WithDefaultSuffix(choice.path, request, choice.filter);
}

QString CQtUiSeam::BrowseFolder(QObject *owner, const QString &title, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(OwnerWidget(owner), title, startFolder);
}

std::optional<unsigned> CQtUiSeam::ChooseColor(QObject *owner, unsigned initial)
{
    const QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(start, OwnerWidget(owner));
    if (!chosen.isValid())
        return std::nullopt;
    return unsigned(chosen.red()) | unsigned(chosen.green()) << 8 | unsigned(chosen.blue()) << 16;
}
