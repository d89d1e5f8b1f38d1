#pragma once

#include <QMainWindow>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

// The program's help window: the table of contents and a search over all
// pages beside the page itself, with back and forward as in a browser.
// Links to other pages and pictures stay in the window; web links open in
// the desktop's browser.
class CHelpViewer : public QMainWindow
{
    Q_OBJECT
public:
    explicit CHelpViewer(const QString &helpFolder, QWidget *parent = nullptr);

    // `page` is a file name inside the help folder, maybe with "#anchor".
    void ShowPage(const QString &page);
    // The file name of the page on show (no anchor).
    QString CurrentPage() const;
    // Fills the search tab's list as the "List Topics" button does.
    void Search(const QString &words);

    QTextBrowser *Browser() const { return m_browser; }

protected:
    // Esc and Ctrl+W close the window.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FillContents();
    void SelectInContents();
    void OpenSearchResult();

    QString m_folder;
    QTextBrowser *m_browser = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QLineEdit *m_searchWords = nullptr;
    QListWidget *m_results = nullptr;
    QString m_lastSearch;
};
