#include "controls/qtuiseam.h"

#include "support/nextmodal.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTemporaryDir>

namespace {

// Answers the next save dialog as a person would: a file type, then a name.
void Answer(const QString &nameFilter, const QString &name)
{
    OnNextModal([nameFilter, name](QDialog *dialog) {
        auto *files = qobject_cast<QFileDialog *>(dialog);
        ASSERT_NE(files, nullptr);
        files->selectNameFilter(nameFilter);
        files->selectFile(name);
        dialog->accept();
    });
}

} // namespace

TEST(QtSaveDialog, TheFileTypeChosenGivesABareNameItsSuffix)
{
    QTemporaryDir dir;
    FileDialogRequest request;
    request.directory = dir.path();
    request.fileName = QStringLiteral("TWK-Report");
    request.filter = QStringLiteral("Text File (*.txt)|*.txt|CSV File (*.csv)|*.csv||");
    request.defaultExtension = QStringLiteral("txt");
    CQtUiSeam seam;

    Answer(QStringLiteral("CSV File (*.csv)"), QStringLiteral("report"));
    EXPECT_EQ(seam.SaveFileName(nullptr, request), dir.filePath(QStringLiteral("report.csv")));
    Answer(QStringLiteral("Text File (*.txt)"), QStringLiteral("report"));
    EXPECT_EQ(seam.SaveFileName(nullptr, request), dir.filePath(QStringLiteral("report.txt")));

    // The choice itself: the name as typed and the entry chosen.
    Answer(QStringLiteral("CSV File (*.csv)"), QStringLiteral("report"));
    const SaveFileChoice choice = seam.SaveFile(nullptr, request);
    EXPECT_EQ(choice.path, dir.filePath(QStringLiteral("report")));
    EXPECT_EQ(choice.filter, 1);
}
