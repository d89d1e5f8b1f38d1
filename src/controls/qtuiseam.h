#pragma once

#include "base/uiseam.h"

// The seam as a person meets it: Qt message boxes and file, folder and
// colour dialogs.
class CQtUiSeam final : public IUiSeam
{
public:
    int MessageBox(QObject *owner, const QString &text, const QString &title, unsigned style) override;
    QString OpenFileName(QObject *owner, const FileDialogRequest &request) override;
    QString SaveFileName(QObject *owner, const FileDialogRequest &request) override;
    SaveFileChoice SaveFile(QObject *owner, const FileDialogRequest &request) override;
    QString BrowseFolder(QObject *owner, const QString &title, const QString &startFolder) override;
    std::optional<unsigned> ChooseColor(QObject *owner, unsigned initial) override;
};
