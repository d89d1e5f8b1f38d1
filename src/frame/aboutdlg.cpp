#include "frame/aboutdlg.h"

#include "frame/creditstatic.h"

#include "base/stringids.h"
#include "base/stringtable.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#ifndef TWK_VERSION_MAJOR
#define TWK_VERSION_MAJOR 4
#endif
#ifndef TWK_VERSION_MINOR
#define TWK_VERSION_MINOR 0
#endif
#ifndef TWK_VERSION_PATCH
#define TWK_VERSION_PATCH 0
#endif
#ifndef TWK_VERSION_TWEAK
#define TWK_VERSION_TWEAK 0
#endif

namespace {

// Bitmap 155, the picture the report view also shows when empty.
const QString kBannerResource = QStringLiteral(":/twk/bitmap155.bmp");

} // namespace

QString ProgramBuildNumber()
{
    return QString::asprintf("%d.%d.%d.%d", TWK_VERSION_MAJOR, TWK_VERSION_MINOR, TWK_VERSION_PATCH, TWK_VERSION_TWEAK);
}

QString AboutCreditsText(const QString &buildNumber, const QString &buildDate, const QString &buildTime)
{
    QString text = QStringLiteral("\rTallywick + Ver ") + QStringLiteral("4.0");
    text += QStringLiteral("\rBuild No: %1\n").arg(buildNumber);
    text += QStringLiteral("\nCopyright (C) Norwend.\nAll rights reserved.\n\n"
                           "This program is protected by copyright law.\n"
                           "Copying or distributing it, or any part of it,\n"
                           "without permission is not allowed.\n");
    text += QStringLiteral("\r\rLast compiled on %1 at %2\n\n").arg(buildDate, buildTime);
    return text;
}

QStringList CreditLines(const QString &credits)
{
    QString text = credits;
    // A leading break only starts the text; it is not a blank line.
    while (text.startsWith(u'\r') || text.startsWith(u'\n'))
        text.remove(0, 1);
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text.split(QRegularExpression(QStringLiteral("[\r\n]")));
}

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("About Tallywick +"));
    setModal(true);

    auto *banner = new QLabel(this);
    banner->setPixmap(QPixmap(kBannerResource));
    banner->setAlignment(Qt::AlignCenter);

    m_credits = new CCreditStatic(this);
    // __DATE__ pads single-digit days with a second blank.
    const QString date = QString::fromLatin1(__DATE__).simplified();
    m_credits->SetCredits(CreditLines(AboutCreditsText(ProgramBuildNumber(), date, QString::fromLatin1(__TIME__))));

    auto *link = new QLabel(this);
    link->setObjectName(QStringLiteral("aboutLink"));
    link->setText(QStringLiteral("<a href=\"%1\">Getting started with Tallywick +</a>").arg(LoadString(StringId::HelpGettingStarted)));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setToolTip(QStringLiteral("Opens the help's Getting Started page"));
    connect(link, &QLabel::linkActivated, this, &CAboutDlg::linkOpened);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(link);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 10, 12, 12);
    body->setSpacing(10);
    body->addWidget(m_credits);
    body->addLayout(bottom);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body);
    setFixedSize(sizeHint());
}
