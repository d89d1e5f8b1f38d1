#include "testuiseam.h"

int CTestUiSeam::MessageBox(QObject *owner, const QString &text, const QString &title, unsigned style)
{
    const Message m{text, title, style, owner};
    messages << m;
    if (onMessage)
        return onMessage(m);
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return DefaultAnswer(style);
}

QString CTestUiSeam::OpenFileName(QObject *owner, const FileDialogRequest &request)
{
    return SaveFile(owner, request).path;
}

QString CTestUiSeam::SaveFileName(QObject *owner, const FileDialogRequest &request)
{
    return OpenFileName(owner, request);
}

SaveFileChoice CTestUiSeam::SaveFile(QObject *, const FileDialogRequest &request)
{
    fileRequests << request;
    if (m_files.empty())
        return {};
    const SaveFileChoice choice = m_files.front();
    m_files.pop_front();
    return choice;
}

QString CTestUiSeam::BrowseFolder(QObject *, const QString &title, const QString &startFolder)
{
    folderRequests << title;
    folderStarts << startFolder;
    if (m_folders.empty())
        return {};
    const QString path = m_folders.front();
    m_folders.pop_front();
    return path;
}

std::optional<unsigned> CTestUiSeam::ChooseColor(QObject *, unsigned)
{
    if (m_colours.empty())
        return std::nullopt;
    const unsigned c = m_colours.front();
    m_colours.pop_front();
    return c;
}

QStringList CTestUiSeam::Texts() const
{
    QStringList out;
    for (const Message &m : messages)
        out << m.text;
    return out;
}

bool CTestUiSeam::OpenUrl(QObject *, const QUrl &url)
{
    openedUrls << url;
    return urlsOpen;
}

void CTestUiSeam::Reset()
{
    openedUrls.clear();
    urlsOpen = true;
    messages.clear();
    fileRequests.clear();
    folderRequests.clear();
    folderStarts.clear();
    m_answers.clear();
    m_files.clear();
    m_folders.clear();
    m_colours.clear();
    onMessage = nullptr;
}

CTestUiSeam &TestUi()
{
    static CTestUiSeam seam;
    return seam;
}
