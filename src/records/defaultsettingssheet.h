#pragma once

#include <QDialog>
#include <QList>

class CGeneralSettingsPage;
class CPreferenceSettingsPage;
class CSettingsPage;
class CTallywickData;
class QPushButton;
class QTabWidget;

// Default Settings: the General and Preference pages, and whatever pages
// start-up adds after them. Made once by the main window and shown again on
// every request. OK saves every page and closes, stopping on the first page
// that cannot save; Apply saves them and stays; Cancel undoes every page.
class CDefaultSettingsSheet : public QDialog
{
    Q_OBJECT
public:
    // The id window events carry for the sheet.
    static constexpr int kDialogId = -1;
    static constexpr int kApplyId = 12321;
    static constexpr int kHelpId = 9;

    CDefaultSettingsSheet(CTallywickData &data, QWidget *parent = nullptr);

    // Appends a page as the last tab; the sheet takes it.
    void AddPage(CSettingsPage *page);
    int PageCount() const { return int(m_pages.size()); }
    CSettingsPage *Page(int index) const { return m_pages.value(index); }
    CSettingsPage *CurrentPage() const;
    void SetCurrentPage(int index);

    // Shows the stored settings on the sheet's own pages and runs it modally.
    int exec() override;
    void accept() override;
    void reject() override;

public slots:
    // Saves every page, stopping on the first that fails; true when all saved.
    bool OnApply();

signals:
    // After OK saved every page and the sheet closed.
    void appliedWithOk();

private:
    void ShowHelp();

    CTallywickData &m_data;
    CGeneralSettingsPage *m_general = nullptr;
    CPreferenceSettingsPage *m_preference = nullptr;
    QList<CSettingsPage *> m_pages;
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_apply = nullptr;
};
