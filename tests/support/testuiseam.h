#pragma once

#include "base/uiseam.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <deque>
#include <functional>

// Answers every question a test's code asks, and remembers what was asked.
class CTestUiSeam final : public IUiSeam
{
public:
    struct Message {
        QString text;
        QString title;
        unsigned style = 0;
        QObject *owner = nullptr;
    };

    int MessageBox(QObject *owner, const QString &text, const QString &title, unsigned style) override;
    QString OpenFileName(QObject *owner, const FileDialogRequest &request) override;
    QString SaveFileName(QObject *owner, const FileDialogRequest &request) override;
    SaveFileChoice SaveFile(QObject *owner, const FileDialogRequest &request) override;
    QString BrowseFolder(QObject *owner, const QString &title, const QString &startFolder) override;
    std::optional<unsigned> ChooseColor(QObject *owner, unsigned initial) override;
    // Records the page; no browser starts in a test.
    bool OpenUrl(QObject *owner, const QUrl &url) override;

    // Answers given in order; when none is queued a message box gets its
    // default button and a dialog is cancelled.
    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    // A file dialog answers `path` as if typed, with filter entry `filter`
    // chosen (-1: the dialog does not say).
    void QueueFile(const QString &path, int filter = -1) { m_files.push_back({path, filter}); }
    void QueueFolder(const QString &path) { m_folders.push_back(path); }
    void QueueColor(unsigned colour) { m_colours.push_back(colour); }
    // Called for each message box instead of the queue when set; lets a test
    // look at the screen while the box would be up.
    std::function<int(const Message &)> onMessage;

    // Web pages handed to the desktop, and whether the desktop takes them.
    QList<QUrl> openedUrls;
    bool urlsOpen = true;

    QList<Message> messages;
    QList<FileDialogRequest> fileRequests;
    QStringList folderRequests;
    // Where each folder browser started.
    QStringList folderStarts;

    QStringList Texts() const;
    QString LastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void Reset();

private:
    std::deque<int> m_answers;
    std::deque<SaveFileChoice> m_files;
    std::deque<QString> m_folders;
    std::deque<unsigned> m_colours;
};

// The seam installed for every test; reset before each test.
CTestUiSeam &TestUi();
