#include "records/userinfopage.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "base/waitcursor.h"
#include "data/dberror.h"
#include "data/filedialogfolder.h"
#include "data/tallywickdata.h"
#include "records/keyhandler.h"
#include "records/listorder.h"
#include "records/logoview.h"
#include "records/recordui.h"

#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kBrowse = QStringLiteral("&Browse...");
const QString kClear = QStringLiteral("Cl&ear");

void Tell(QWidget *owner, unsigned id)
{
    TwkMessageBox(LoadString(id), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, owner);
}

} // namespace

CUserInfoPage::CUserInfoPage(CTallywickData &data, bool inWizard, QWidget *parent)
    : CSettingsPage(inWizard, parent)
    , m_data(data)
    , m_storedUnits(data.company.units)
{
    setWindowTitle(QStringLiteral("User Information"));
    BuildControls();

    if (data.company.cName.isEmpty()) {
        // A starting text the first keystroke replaces.
        m_name->setText(LoadString(StringId::NamePlaceholder));
        m_name->selectAll();
    } else {
        m_name->setText(data.company.cName);
    }
    m_address->setPlainText(data.company.cAddress);
    m_email->setText(data.company.cEmail);
    m_phone->setText(data.company.cPhoneNo);
    m_fax->setText(data.company.cFaxNo);
    ShowLogo(data.company.cLogoPath);
    FillSortedCombo(m_units, data.company.units);
    m_units->setCurrentIndex(m_units->count() > 0 ? 0 : -1);

    if (inWizard) {
        m_ok->hide();
        m_cancel->hide();
        m_clickOk->hide();
    }
    BindKeys();
}

void CUserInfoPage::BuildControls()
{
    auto *details = new QGroupBox(QStringLiteral("Enter your name or business name, and other information here"), this);
    auto *grid = new QGridLayout(details);
    m_name = MakeControl<QLineEdit>(details, 1000);
    m_address = MakeControl<QPlainTextEdit>(details, 1001);
    m_address->setTabChangesFocus(true);
    m_address->setFixedHeight(m_address->fontMetrics().lineSpacing() * 3 + 12);
    m_phone = MakeControl<QLineEdit>(details, 1005);
    m_fax = MakeControl<QLineEdit>(details, 1007);
    m_email = MakeControl<QLineEdit>(details, 1009);
    grid->addWidget(new QLabel(QStringLiteral("Name *"), details), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(MakeInfoIcon(details, 1091,
                                 QStringLiteral("Enter your name or your\nbusiness name here.\nExample: John Smith,\n"
                                                "Smith Hardware Store.")),
                    0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Address *"), details), 1, 0, Qt::AlignTop);
    grid->addWidget(m_address, 1, 1);
    grid->addWidget(MakeInfoIcon(details, 1093, LoadString(StringId::AddressInfoTip)), 1, 2, Qt::AlignTop);
    // Enter moves on to Phone: say how a second line is had, under the box
    // where the eye is, not only in the icon's tooltip.
    auto *newLine = new QLabel(LoadString(StringId::AddressNewLineHint), details);
    QFont hintFont = newLine->font();
    hintFont.setPointSizeF(hintFont.pointSizeF() * 0.9);
    newLine->setFont(hintFont);
    newLine->setForegroundRole(QPalette::PlaceholderText);
    grid->addWidget(newLine, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Phone "), details), 3, 0);
    grid->addWidget(m_phone, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Fax "), details), 4, 0);
    grid->addWidget(m_fax, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("E-mail"), details), 5, 0);
    grid->addWidget(m_email, 5, 1);
    grid->setColumnMinimumWidth(1, 260);

    auto *logoBox = MakeControl<QGroupBox>(this, 1010);
    logoBox->setTitle(QStringLiteral("Logo"));
    auto *logoLayout = new QVBoxLayout(logoBox);
    m_logo = new CLogoView(logoBox);
    m_logo->setFixedSize(150, 110);
    logoLayout->addWidget(m_logo, 0, Qt::AlignCenter);
    auto *logoButtons = new QHBoxLayout;
    m_logoButton = MakeControl<QPushButton>(logoBox, 1011, kBrowse);
    logoButtons->addWidget(m_logoButton);
    logoButtons->addWidget(MakeInfoIcon(logoBox, 1094, LoadString(StringId::LogoInfoTip)));
    logoLayout->addLayout(logoButtons);
    logoLayout->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(details, 1);
    top->addWidget(logoBox);

    auto *unitsBox = new QGroupBox(QStringLiteral("Add Unit or Division  *"), this);
    auto *unitsRow = new QHBoxLayout(unitsBox);
    m_unit = MakeControl<QLineEdit>(unitsBox, 1018);
    m_unit->setMaxLength(50);
    m_addUnit = MakeControl<QPushButton>(unitsBox, 1015, QStringLiteral("&Add"));
    m_units = MakeControl<QComboBox>(unitsBox, 1017);
    m_units->setMinimumWidth(180);
    m_deleteUnit = MakeControl<QPushButton>(unitsBox, 1020, QStringLiteral("&Delete"));
    unitsRow->addWidget(m_unit, 1);
    unitsRow->addWidget(m_addUnit);
    unitsRow->addSpacing(12);
    unitsRow->addWidget(m_units, 1);
    unitsRow->addWidget(m_deleteUnit);
    unitsRow->addWidget(MakeInfoIcon(unitsBox, 1092, LoadString(StringId::UnitsInfoTip)));

    auto *mandatory = MakeControl<QLabel>(this, 1077, QStringLiteral("Fields marked with * are mandatory."));
    QFont small(QStringLiteral("MS Sans Serif"));
    small.setPixelSize(12);
    mandatory->setFont(small);
    mandatory->setStyleSheet(QStringLiteral("color: black"));
    m_clickOk = MakeControl<QLabel>(this, 1078, QStringLiteral("Click OK after completing entries."));
    QFont marigold(QStringLiteral("Marigold"));
    marigold.setPixelSize(13);
    marigold.setBold(true);
    m_clickOk->setFont(marigold);
    m_clickOk->setStyleSheet(QStringLiteral("color: blue"));
    m_ok = MakeControl<QPushButton>(this, 1, QStringLiteral("OK"));
    m_cancel = MakeControl<QPushButton>(this, 2, QStringLiteral("Cancel"));
    if (!InWizard())
        m_ok->setDefault(true);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(mandatory);
    bottom->addStretch();
    bottom->addWidget(m_clickOk);
    bottom->addSpacing(8);
    bottom->addWidget(m_ok);
    bottom->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(unitsBox);
    layout->addLayout(bottom);

    setTabOrder(m_name, m_address);
    setTabOrder(m_address, m_phone);
    setTabOrder(m_phone, m_fax);
    setTabOrder(m_fax, m_email);
    setTabOrder(m_email, m_logoButton);
    setTabOrder(m_logoButton, m_unit);
    setTabOrder(m_unit, m_addUnit);
    setTabOrder(m_addUnit, m_units);
    setTabOrder(m_units, m_deleteUnit);
    setTabOrder(m_deleteUnit, m_ok);
    setTabOrder(m_ok, m_cancel);

    connect(m_addUnit, &QPushButton::clicked, this, &CUserInfoPage::OnAddUnit);
    connect(m_deleteUnit, &QPushButton::clicked, this, &CUserInfoPage::OnDeleteUnit);
    connect(m_logoButton, &QPushButton::clicked, this, &CUserInfoPage::OnLogoButton);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (Apply())
            emit closeRequested(QDialog::Accepted);
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] { emit closeRequested(QDialog::Rejected); });
}

void CUserInfoPage::BindKeys()
{
    m_keys = new CKeyHandler(this);
    m_keys->EnterMoves(m_name, m_address);
    m_keys->Watch(m_address, [this](QKeyEvent *event) {
        if (!CKeyHandler::IsEnter(event))
            return false;
        if (event->modifiers() & Qt::ControlModifier)
            m_address->insertPlainText(QStringLiteral("\n"));
        else
            m_phone->setFocus(Qt::TabFocusReason);
        return true;
    });
    m_keys->EnterMoves(m_phone, m_fax);
    m_keys->EnterMoves(m_fax, m_email);
    m_keys->EnterMoves(m_email, m_unit);
    m_keys->Watch(m_unit, [this](QKeyEvent *event) {
        if (!CKeyHandler::IsEnter(event) || m_unit->text().isEmpty())
            return false;
        OnAddUnit();
        return true;
    });
    m_keys->Watch(m_units, [this](QKeyEvent *event) {
        if (event->key() != Qt::Key_Delete)
            return false;
        OnDeleteUnit();
        return true;
    });
}

CCompanyFields CUserInfoPage::Fields() const
{
    CCompanyFields f;
    f.name = m_name->text();
    f.address = m_address->toPlainText();
    f.phone = m_phone->text();
    f.fax = m_fax->text();
    f.email = m_email->text();
    f.logoPath = m_logoPath;
    return f;
}

bool CUserInfoPage::OnAddUnit()
{
    const QString unit = m_unit->text().trimmed();
    if (const unsigned rejection = UnitRejection(m_data.company.units, unit)) {
        const QString text = rejection == StringId::UnitAlreadyExists ? LoadString(StringId::UnitAlreadyExists).replace(QStringLiteral("%s"), unit)
                                                : LoadString(rejection);
        TwkMessageBox(text, QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, this);
        m_unit->setFocus();
        return false;
    }
    m_unit->clear();
    m_unit->setFocus();
    m_data.company.units << unit;
    InsertSortedCombo(m_units, unit);
    m_units->setCurrentIndex(0);
    return true;
}

void CUserInfoPage::OnDeleteUnit()
{
    const int index = m_units->currentIndex();
    if (index < 0)
        return;
    const QString unit = m_units->itemText(index);
    CCompanyStore store(m_data.connection);
    long records = 0;
    if (!RunReported([&] { records = store.CountUnitRecords(unit); }))
        return;
    if (records > 0) {
        if (!BackupBeforeDelete(m_data, StringId::BackupBeforeUnitDelete, this))
            return;
    } else if (TwkMessageBox(LoadString(StringId::DeleteUnitQuestion), QStringLiteral("Tallywick + "), MB_YESNO | MB_ICONQUESTION, this)
               != IDYES) {
        return;
    }

    // The table gets the stored units less this one: units added since the
    // page opened are written by OK, not by a deletion that Cancel would not undo.
    QStringList remaining = m_storedUnits;
    remaining.removeAll(unit);
    remaining = SortedIgnoringCase(remaining);
    {
        CWaitCursor wait;
        if (!RunReported([&] { store.DeleteUnit(unit, records > 0, remaining); }, ReportDescribedError))
            return;
    }
    m_units->removeItem(index);
    m_data.company.units.removeAll(unit);
    m_storedUnits = remaining;
    m_units->setCurrentIndex(m_units->count() > 0 ? 0 : -1);
    update();
}

void CUserInfoPage::OnLogoButton()
{
    if (m_logoPath.isEmpty()) {
        FileDialogRequest request;
        request.filter = QStringLiteral("BMP Files (*.bmp)|*.bmp|");
        const QString chosen = ChooseOpenFile(this, request);
        if (chosen.isEmpty())
            return;
        m_data.company.cLogoPath = QFileInfo(chosen).absoluteFilePath();
        ShowLogo(m_data.company.cLogoPath);
    } else {
        m_data.company.cLogoPath.clear();
        ShowLogo(QString());
    }
    if (m_data.logoChanged)
        m_data.logoChanged();
}

void CUserInfoPage::ShowLogo(const QString &path)
{
    m_logoPath = path;
    m_logo->SetPicture(path);
    m_logoButton->setText(path.isEmpty() ? kBrowse : kClear);
}

bool CUserInfoPage::Apply()
{
    const CCompanyFields fields = Fields();
    switch (CheckCompanyFields(fields)) {
    case CompanyProblem::Name:
        Tell(this, StringId::EnterName);
        m_name->setFocus();
        return false;
    case CompanyProblem::Address:
        Tell(this, StringId::EnterAddress);
        m_address->setFocus();
        return false;
    case CompanyProblem::Email:
        Tell(this, StringId::InvalidEmail);
        m_email->setFocus();
        return false;
    case CompanyProblem::None:
        break;
    }
    // A unit typed but not added is added now; one that cannot be is said
    // so, and the page stays with it.
    if (!m_unit->text().trimmed().isEmpty() && !OnAddUnit())
        return false;
    const QStringList units = ComboItems(m_units);
    // Yes goes on without a unit but keeps the details typed: dropping them
    // would leave the setup without an address.
    if (units.isEmpty()
        && TwkMessageBox(LoadString(StringId::AtLeastOneUnit), QStringLiteral("Tallywick + "), MB_YESNO | MB_ICONQUESTION, this)
               != IDYES) {
        m_unit->setFocus();
        return false;
    }
    if (!RunReported([&] { CCompanyStore(m_data.connection).Save(fields, units); }))
        return false;
    CCompanyRecord &company = m_data.company;
    company.cName = fields.name;
    company.cAddress = fields.address;
    company.cEmail = fields.email;
    company.cPhoneNo = fields.phone;
    company.cFaxNo = fields.fax;
    company.units = units;
    m_storedUnits = units;
    return true;
}

void CUserInfoPage::Cancel()
{
    m_data.company.units = m_storedUnits;
}
