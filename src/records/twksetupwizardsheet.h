#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class CSettingsPage;
class CTallywickData;
class CWizardBanner;
class CWizardStrip;
class QPushButton;
class QStackedWidget;

// The setup wizard: welcome, user information, currency, categories,
// general and preference settings. Leaving a page forward saves it and a
// page whose save fails keeps the wizard where it is; going back saves
// nothing; Close cancels every page.
class CTwkSetupWizardSheet : public QDialog
{
    Q_OBJECT
public:
    // The id window events carry for the wizard.
    static constexpr int kDialogId = -2;
    // Button ids, as the platform's wizards number them.
    static constexpr int kBackId = 12323;
    static constexpr int kNextId = 12324;
    static constexpr int kFinishId = 12325;

    CTwkSetupWizardSheet(CTallywickData &data, QWidget *parent = nullptr);

    int PageCount() const { return int(m_pages.size()); }
    // Index of the page on show, from 0.
    int CurrentIndex() const { return m_current; }
    CSettingsPage *Page(int index) const { return m_pages.value(index).page; }
    // The page's title filled with its number and the total.
    QString PageTitle(int index) const;
    // The page's line in the welcome list and the banner; empty for the welcome page.
    QString PageLine(int index) const { return m_pages.value(index).line; }

    // Shows page `index` the way Back does: nothing is saved.
    void ShowPage(int index);

    void reject() override;

public slots:
    void OnBack();
    // Saves the page on show and moves on; false when the page stays.
    bool OnNext();
    void OnFinish();

private:
    struct Step {
        CSettingsPage *page = nullptr;
        const char *titleTemplate = nullptr;
        QString line;
    };

    void AddStep(CSettingsPage *page, const char *titleTemplate, const QString &line);

    QList<Step> m_pages;
    int m_current = -1;
    CWizardBanner *m_banner = nullptr;
    CWizardStrip *m_strip = nullptr;
    QStackedWidget *m_stack = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_finish = nullptr;
    QPushButton *m_close = nullptr;
};
