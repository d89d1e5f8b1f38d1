#include "sampleaddin.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMetaObject>

namespace {

// Menus, commands and toolbar slots of the add-in. "ShortcutKeyIndex" puts
// the mnemonic's "&" before that character.
const char kDescription[] = R"(<?xml version="1.0"?>
<Addin>
  <AddinName>Sample Addin</AddinName>
  <ToobarButtonCount>2</ToobarButtonCount>
  <AppVer>2</AppVer>
  <MainMenu>
    <Name>Tools</Name>
    <ShortcutKeyIndex>0</ShortcutKeyIndex>
    <LeafMenu>
      <Name>Sample Report</Name>
      <ShortcutKeyIndex>0</ShortcutKeyIndex>
      <FunctionName>ShowSampleReport</FunctionName>
      <HelpString>Incomes and expenses per unit, laid out by the sample add-in</HelpString>
      <ToolTip>Sample Report</ToolTip>
      <ShortCutKey>Ctrl+K</ShortCutKey>
      <ToolbarText>Units</ToolbarText>
      <ToolBarIndex>0</ToolBarIndex>
    </LeafMenu>
    <LeafMenu>
      <Name>Window Events</Name>
      <ShortcutKeyIndex>0</ShortcutKeyIndex>
      <FunctionName>ShowWindowEvents</FunctionName>
      <HelpString>The window messages the sample add-in received</HelpString>
      <ToolTip>Window Events</ToolTip>
      <ToolbarText>Events</ToolbarText>
      <ToolBarIndex>1</ToolBarIndex>
      <Separator>1</Separator>
    </LeafMenu>
  </MainMenu>
</Addin>
)";

// The picture strip ":/Sample Addin/1.png" in sample.qrc.
constexpr int kToolbarBitmap = 1;

// Generic report cells: left-aligned text in the default colour.
constexpr uint kLeft = 0x0000;
constexpr uint kDefaultColour = 0xFF000000;

// The add-in's own table, one row per setting.
const char kCreateTable[] = "CREATE TABLE IF NOT EXISTS SAMPLE_ADDIN_SETTINGS_TB (cName TEXT PRIMARY KEY, cValue TEXT)";
const char kTitleSetting[] = "ReportTitle";
const char kDefaultTitle[] = "Sample Addin: incomes and expenses per unit";

QString Hex(unsigned n)
{
    return QStringLiteral("0x%1").arg(n, 4, 16, QLatin1Char('0'));
}

} // namespace

bool CSampleAddin::Connect(int index, QObject *app, bool)
{
    m_app = app;
    m_host = TwkHost(app);
    m_calls << QStringLiteral("Connect %1").arg(index);
    bool registered = false;
    QMetaObject::invokeMethod(app, "RegisterAddin", Qt::DirectConnection, Q_RETURN_ARG(bool, registered),
                              Q_ARG(int, index), Q_ARG(QString, QString::fromUtf8(kDescription)),
                              Q_ARG(int, kToolbarBitmap));
    return registered;
}

bool CSampleAddin::Disconnect(int index)
{
    m_calls << QStringLiteral("Disconnect %1").arg(index);
    m_app = nullptr;
    m_host = nullptr;
    return true;
}

bool CSampleAddin::DatabaseStartUp(int index, QVariant &)
{
    m_calls << QStringLiteral("DatabaseStartUp %1").arg(index);
    ITwkDatabase *database = m_host ? m_host->Database() : nullptr;
    ITwkConnection *connection = database ? database->Connection() : nullptr;
    if (!connection || !connection->BeginTrans())
        return false;
    // The table and its first row together, or neither.
    const bool made =
        database->RunStatement(QString::fromLatin1(kCreateTable))
        && database->RunStatement(QStringLiteral("INSERT INTO SAMPLE_ADDIN_SETTINGS_TB (cName, cValue) SELECT '%1', '%2' "
                                                 "WHERE NOT EXISTS (SELECT 1 FROM SAMPLE_ADDIN_SETTINGS_TB WHERE cName = '%1')")
                                      .arg(QLatin1String(kTitleSetting), TwkSqlQuote(QString::fromUtf8(kDefaultTitle))));
    if (!made || !connection->CommitTrans()) {
        connection->RollbackTrans();
        return false;
    }
    m_tableReady = true;
    return true;
}

QString CSampleAddin::StoredTitle()
{
    ITwkDatabase *database = m_host && m_tableReady ? m_host->Database() : nullptr;
    // The second record set: a report may be reading the first.
    ITwkRecordset *records =
        database ? database->RunStatement2(QStringLiteral("SELECT cValue FROM SAMPLE_ADDIN_SETTINGS_TB WHERE cName = '%1'")
                                               .arg(QLatin1String(kTitleSetting)))
                 : nullptr;
    return records && !records->IsEOF() ? records->GetString(QStringLiteral("cValue")) : QString();
}

bool CSampleAddin::SaveTitle()
{
    const QString title = m_titleEdit->text().trimmed();
    if (title.isEmpty()) {
        m_titleError->setText(QStringLiteral("Please enter a title for the report."));
        m_titleError->show();
        m_titleEdit->setFocus();
        return false;
    }
    ITwkDatabase *database = m_host ? m_host->Database() : nullptr;
    if (!database || !database->RunStatement(QStringLiteral("UPDATE SAMPLE_ADDIN_SETTINGS_TB SET cValue = '%1' WHERE cName = '%2'")
                                                  .arg(TwkSqlQuote(title), QLatin1String(kTitleSetting))))
        return false;
    m_titleError->hide();
    m_titleEdit->setText(title);
    return true;
}

void CSampleAddin::AddSettingsPage()
{
    if (!m_host || !m_tableReady || m_titleEdit)
        return;
    auto *page = new QWidget;
    page->setWindowTitle(QStringLiteral("Sample Addin"));
    auto *edit = new QLineEdit(StoredTitle());
    edit->setObjectName(QStringLiteral("title"));
    edit->setMaxLength(100);
    auto *error = new QLabel;
    error->setStyleSheet(QStringLiteral("color: #c00000"));
    error->hide();
    auto *note = new QLabel(QStringLiteral("The title of the report Tools > Sample Report lays out."));
    note->setWordWrap(true);
    auto *form = new QFormLayout(page);
    form->addRow(note);
    form->addRow(QStringLiteral("Report &title:"), edit);
    form->addRow(error);
    m_titleEdit = edit;
    m_titleError = error;
    const bool added = m_host->AddSettingsPage(
        page, [this] { return !m_titleEdit || SaveTitle(); },
        [this] {
            // Nothing was written: the page shows the stored title again.
            if (m_titleEdit && m_host) {
                m_titleEdit->setText(StoredTitle());
                m_titleError->hide();
            }
        });
    if (!added)
        delete page;
}

bool CSampleAddin::CommandStatus(unsigned, bool &enabled)
{
    enabled = true;
    return true;
}

void CSampleAddin::OldDataDeleted(const QString &day)
{
    m_calls << QStringLiteral("OldDataDeleted ") + day;
}

void CSampleAddin::StartUpComplete()
{
    m_calls << QStringLiteral("StartUpComplete");
    AddSettingsPage();
}

void CSampleAddin::Record(const QString &source, unsigned message, quintptr wParam)
{
    m_events << QStringLiteral("%1 %2 %3").arg(source, Hex(message)).arg(wParam);
}

void CSampleAddin::UserInformationEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("130"), message, wParam);
}

void CSampleAddin::MoreReportOptionsEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("140"), message, wParam);
}

void CSampleAddin::AdvancedReportEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("163"), message, wParam);
}

void CSampleAddin::ListIncomeExpensesEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("134"), message, wParam);
}

void CSampleAddin::AddTransactionEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("132"), message, wParam);
}

void CSampleAddin::GeneralSettingsEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("103"), message, wParam);
}

void CSampleAddin::PreferenceSettingsEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("105"), message, wParam);
}

void CSampleAddin::MainFrameEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("frame"), message, wParam);
}

void CSampleAddin::ReportViewEvent(QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QStringLiteral("view"), message, wParam);
}

void CSampleAddin::DialogEvent(int dialogId, QWidget *, unsigned message, quintptr wParam, qintptr)
{
    Record(QString::number(dialogId), message, wParam);
}

bool CSampleAddin::ShowReport(const QString &title, const QList<QStringList> &rows)
{
    QObject *report = TwkFindObject(m_app, "TwkGenericReport");
    if (!report)
        return false;
    QMetaObject::invokeMethod(report, "Clear", Qt::DirectConnection);
    auto add = [report](const char *method, int row, int col, const QString &text) {
        QMetaObject::invokeMethod(report, method, Qt::DirectConnection, Q_ARG(int, row), Q_ARG(int, col),
                                  Q_ARG(QString, text), Q_ARG(uint, kLeft), Q_ARG(uint, kDefaultColour));
    };
    add("AddHeadingCell", 0, 0, title);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c)
            add(r == 0 ? "AddHeadingCell" : "AddCell", r + 2, c, rows[r][c]);
    }
    bool shown = false;
    QMetaObject::invokeMethod(report, "Show", Qt::DirectConnection, Q_RETURN_ARG(bool, shown));
    return shown;
}

void CSampleAddin::ShowSampleReport()
{
    m_calls << QStringLiteral("ShowSampleReport");
    QString title = StoredTitle();
    if (title.isEmpty())
        title = QString::fromUtf8(kDefaultTitle);
    ITwkDatabase *database = m_host ? m_host->Database() : nullptr;
    ITwkRecordset *records =
        database ? database->RunStatement(QStringLiteral("SELECT cUnitName, iTransactionType, SUM(cTransactionAmount) AS total "
                                                         "FROM LB_TRANSACTION_INFO_TB GROUP BY cUnitName, iTransactionType "
                                                         "ORDER BY cUnitName"))
                 : nullptr;
    // Unit -> (incomes, expenses).
    QMap<QString, QPair<double, double>> units;
    for (; records && !records->IsEOF(); records->MoveNext()) {
        auto &sums = units[records->GetString(QStringLiteral("cUnitName"))];
        (records->GetLong(QStringLiteral("iTransactionType")) == 1 ? sums.first : sums.second) +=
            records->GetDouble(QStringLiteral("total"));
    }
    QList<QStringList> table{{QStringLiteral("Unit"), QStringLiteral("Incomes"), QStringLiteral("Expenses")}};
    for (auto it = units.cbegin(); it != units.cend(); ++it)
        table << QStringList{it.key(), QString::number(it->first, 'f', 2), QString::number(it->second, 'f', 2)};
    ShowReport(title, table);
}

void CSampleAddin::ShowWindowEvents()
{
    m_calls << QStringLiteral("ShowWindowEvents");
    QList<QStringList> table{{QStringLiteral("Window"), QStringLiteral("Message"), QStringLiteral("wParam")}};
    // The latest messages, newest last.
    for (const QString &event : m_events.mid(qMax(0, int(m_events.size()) - 30)))
        table << event.split(u' ');
    ShowReport(QStringLiteral("Sample Addin: window messages received"), table);
}
