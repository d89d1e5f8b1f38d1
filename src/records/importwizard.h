#pragma once

#include "records/importengine.h"

#include <QDialog>

class CImportReviewModel;
class CTallywickData;
class CWizardStrip;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableView;
class QTableWidget;

// Imports a bank statement in three steps: the file and its format, the
// columns of a CSV file, and the review of every line before anything is
// written. Finish writes the ticked new lines in one transaction.
class CImportWizard : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = -3;
    static constexpr int kBackId = 12323;
    static constexpr int kNextId = 12324;
    static constexpr int kFinishId = 12325;
    enum Page { FilePage, ColumnsPage, ReviewPage };

    // Control ids, for tests and add-ins.
    enum Control {
        IdFile = 1601, IdBrowse, IdFormat, IdMapping,
        IdDelimiter = 1611, IdEncoding, IdSkip, IdDateFormat, IdDecimalComma, IdDateColumn, IdDescriptionColumn,
        IdMemoColumn, IdSignedAmount, IdDebitCredit, IdAmountColumn, IdDebitColumn, IdCreditColumn, IdPreview,
        IdMappingName, IdSaveMapping, IdColumnsProblem,
        IdUnit = 1631, IdWindow, IdDefaultIncome, IdDefaultExpense, IdSkipMalformed, IdRefuseMalformed, IdReview,
        IdCounts,
    };

    CImportWizard(CTallywickData &data, QWidget *parent = nullptr);
    ~CImportWizard() override;

    Page CurrentPage() const;
    CImportReviewModel *Review() const { return m_review; }
    // The CSV layout the column page shows.
    CCsvLayout Layout() const;
    // Rows the finished import added.
    qint64 Added() const { return m_added; }

public slots:
    // Opens the file dialog; a chosen file is taken as if typed.
    void OnBrowse();
    // Leaves the page forward when what it holds can be used; false when the
    // wizard stays (and the user was told why).
    bool OnNext();
    void OnBack();
    // Writes the import; false when nothing was written and the wizard stays.
    bool OnFinish();

private:
    void BuildFilePage();
    void BuildColumnsPage();
    void BuildReviewPage();
    void ShowPage(Page page);
    void FileChanged();
    void ShowLayout(const CCsvLayout &layout);
    void UpdatePreview();
    void SaveMapping();
    // Reads and decides every line for the unit and window chosen; false
    // when the file could not be read (told to the user).
    bool Classify();
    void UpdateCounts();
    void OfferRule(int row, const QString &category);
    StatementFormat Format() const;

    CTallywickData &m_data;
    CImportReviewModel *m_review = nullptr;
    qint64 m_added = 0;
    bool m_showingLayout = false;
    // The file and saved columns the column page was set from.
    QString m_layoutSource;
    // The rows of the CSV file as read without skipping, for the choosers.
    QList<QStringList> m_rawRows;

    QStackedWidget *m_stack = nullptr;
    CWizardStrip *m_strip = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_finish = nullptr;

    QLineEdit *m_file = nullptr;
    QComboBox *m_format = nullptr;
    QComboBox *m_mapping = nullptr;
    QLabel *m_fileNote = nullptr;

    QComboBox *m_delimiter = nullptr;
    QComboBox *m_encoding = nullptr;
    QSpinBox *m_skip = nullptr;
    QComboBox *m_dateFormat = nullptr;
    QCheckBox *m_decimalComma = nullptr;
    QComboBox *m_dateColumn = nullptr;
    QComboBox *m_descriptionColumn = nullptr;
    QComboBox *m_memoColumn = nullptr;
    QRadioButton *m_signed = nullptr;
    QRadioButton *m_debitCredit = nullptr;
    QComboBox *m_amountColumn = nullptr;
    QComboBox *m_debitColumn = nullptr;
    QComboBox *m_creditColumn = nullptr;
    QTableWidget *m_preview = nullptr;
    QLineEdit *m_mappingName = nullptr;
    QLabel *m_columnsProblem = nullptr;

    QComboBox *m_unit = nullptr;
    QSpinBox *m_window = nullptr;
    QComboBox *m_defaultIncome = nullptr;
    QComboBox *m_defaultExpense = nullptr;
    QRadioButton *m_skipMalformed = nullptr;
    QRadioButton *m_refuseMalformed = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_counts = nullptr;
};

// File > Import Statement: the wizard on `parent`. True when an import was
// written.
bool RunImportWizard(CTallywickData &data, QWidget *parent);
// File > Undo Last Import: names the import and asks first. True when rows
// were removed.
bool RunUndoLastImport(CTallywickData &data, QWidget *parent);
// Whether there is an import to undo; false when the database cannot say.
bool HasImportToUndo(CTallywickData &data);
