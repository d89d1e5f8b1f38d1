#pragma once

#include "records/importengine.h"

#include <QDialog>

class CTallywickData;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// Keeps the rules that file imported lines under categories (their order
// decides, since the first match wins) and the saved CSV columns. Nothing
// is written before OK, and OK writes only what changed.
class CImportRulesDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = -4;
    // Control ids, for tests and add-ins.
    enum Control {
        IdRules = 1651, IdMatch, IdPattern, IdCategory, IdAdd, IdChange, IdDelete, IdUp, IdDown,
        IdMappings = 1661, IdDeleteMapping,
    };

    CImportRulesDlg(CTallywickData &data, QWidget *parent = nullptr);

    // False when the stored rules could not be read (the user was told).
    bool Loaded() const { return m_loaded; }
    const QList<CImportRule> &Rules() const { return m_rules; }
    QStringList Mappings() const;

public slots:
    // Each takes the rule in the boxes below the list; a rule that cannot
    // stand is refused with a message.
    void OnAdd();
    void OnChange();
    void OnDelete();
    void OnMove(int by);
    void OnDeleteMapping();
    void accept() override;

private:
    CImportRule Edited() const;
    bool Refused(const CImportRule &rule, qsizetype replacing);
    void ShowRules(qsizetype select);
    // -1 when no rule is chosen.
    int SelectedRow() const;
    void RuleSelected();
    void UpdateButtons();

    CTallywickData &m_data;
    bool m_loaded = false;
    QList<CImportRule> m_rules;
    QList<CImportRule> m_storedRules;
    QStringList m_storedMappings;
    QTableWidget *m_list = nullptr;
    QComboBox *m_match = nullptr;
    QLineEdit *m_pattern = nullptr;
    QComboBox *m_category = nullptr;
    QPushButton *m_change = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
    QListWidget *m_mappings = nullptr;
    QPushButton *m_deleteMapping = nullptr;
};

// File > Import Rules; true when something was saved.
bool RunImportRules(CTallywickData &data, QWidget *parent);
