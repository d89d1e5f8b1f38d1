#include "records/wizardsettingssummarypage.h"

#include "controls/dialogcontrols.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

QFont WelcomeFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    return font;
}

} // namespace

QString CWizardSettingsSummaryPage::WelcomeText(bool firstRun)
{
    return firstRun ? QStringLiteral("Tallywick + is running for the first time. Please continue with this Setup Wizard "
                                     "for setting up the initial settings of Tallywick +.")
                    : QStringLiteral("Setup Wizard allows you to set up the initial settings of Tallywick +.");
}

CWizardSettingsSummaryPage::CWizardSettingsSummaryPage(bool firstRun, const QStringList &lines, QWidget *parent)
    : CSettingsPage(true, parent)
{
    setWindowTitle(QStringLiteral("Welcome"));
    auto *welcome = MakeControl<QLabel>(this, 1108, WelcomeText(firstRun));
    welcome->setFont(WelcomeFont());
    welcome->setStyleSheet(QStringLiteral("color: blue"));
    welcome->setWordWrap(true);

    auto *intro = new QLabel(QStringLiteral("This wizard helps you to set up:"), this);
    auto *list = MakeControl<QListWidget>(this, 1109);
    list->addItems(lines);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setFixedHeight(list->sizeHintForRow(0) * int(lines.size()) + 2 * list->frameWidth() + 4);

    auto *proceed = MakeControl<QLabel>(this, 1110, QStringLiteral("To proceed, click Next..."));
    proceed->setFont(WelcomeFont());
    proceed->setStyleSheet(QStringLiteral("color: red"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(welcome);
    layout->addSpacing(8);
    layout->addWidget(intro);
    layout->addWidget(list);
    layout->addStretch();
    layout->addWidget(proceed);
}
