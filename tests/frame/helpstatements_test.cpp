// What the help pages and tips tell the user to click must be there to click.
#include "frame/mainframe.h"
#include "reports/customreportdlg.h"
#include "framefixture.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>

namespace {

const QString kHelpFolder = QStringLiteral(TWK_RES_DIR "/help");

// A page as the reader sees it: no tags, entities read, one space between words.
QString PlainText(QString html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    html.replace(tag, QStringLiteral(" "));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    return html.replace(space, QStringLiteral(" "));
}

// A caption as it reads on screen: no mnemonic, no trailing dots, no key.
QString Caption(QString text)
{
    text = text.section(u'\t', 0, 0).trimmed();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    if (text.endsWith(QStringLiteral(" >>")))
        text.chop(3);
    while (text.endsWith(u'.'))
        text.chop(1);
    return text.trimmed();
}

void CollectItems(const QMenu *menu, QStringList &items)
{
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        items << Caption(action->text());
        if (action->menu())
            CollectItems(action->menu(), items);
    }
}

class HelpStatementsTest : public FrameTest
{
protected:
    // Every page's text and every tip, each with where it came from.
    static QList<std::pair<QString, QString>> Statements()
    {
        QList<std::pair<QString, QString>> texts;
        const QDir help(kHelpFolder);
        for (const QString &page : help.entryList({QStringLiteral("*.htm")}, QDir::Files))
            texts.append({page, PlainText(ReadText(help.filePath(page)))});
        for (const QString &line : ReadText(QStringLiteral(TWK_RES_DIR "/TWKTips.txt")).split(u'\n')) {
            if (!line.isEmpty() && !line.startsWith(u';') && !line.startsWith(u' ') && !line.startsWith(u'\t'))
                texts.append({QStringLiteral("TWKTips.txt"), line});
        }
        return texts;
    }
};

} // namespace

TEST_F(HelpStatementsTest, EveryMenuPathOfThePagesAndTipsLeadsToAnItem)
{
    data.appFolder = QStringLiteral(TWK_RES_DIR);
    Frame(0, true);
    QHash<QString, QStringList> items;
    const auto collect = [&] {
        for (const QAction *top : frame->menuBar()->actions()) {
            if (top->menu())
                CollectItems(top->menu(), items[Caption(top->text())]);
        }
    };
    collect();
    // The pages also speak of the menu as it stands once an add-in brings a toolbar.
    auto *addinBar = new QToolBar(QStringLiteral("Add-in"));
    frame->AddAddinToolbar(addinBar);
    unsigned nextId = 40000;
    frame->RebuildViewMenu([&nextId] { return nextId++; });
    collect();
    ASSERT_TRUE(items.contains(QStringLiteral("Setup")));

    // "Setup > Default Settings and choose...": the longest item the words
    // after the arrow begin with.
    static const QRegularExpression path(QStringLiteral("\\b([A-Z][a-z]+) > ([^.,;:()\"]+)"));
    int checked = 0;
    for (const auto &[source, text] : Statements()) {
        for (const QRegularExpressionMatch &m : path.globalMatch(text)) {
            if (!items.contains(m.captured(1)))
                continue; // a dialog's page, such as Default Settings > General Settings
            ++checked;
            const QString rest = m.captured(2).trimmed();
            const bool found = std::any_of(items[m.captured(1)].cbegin(), items[m.captured(1)].cend(),
                                           [&rest](const QString &item) {
                return !item.isEmpty() && rest.startsWith(item)
                    && (rest.size() == item.size() || !rest.at(item.size()).isLetter());
            });
            EXPECT_TRUE(found) << source.toStdString() << ": " << m.captured(0).toStdString();
        }
    }
    EXPECT_GT(checked, 30);
}

TEST_F(HelpStatementsTest, TheMainWindowPageNamesTheToolbarButtonsInTheirOrder)
{
    data.appFolder = QStringLiteral(TWK_RES_DIR);
    // Password mode 0 asks for a login, so the Login button is on the toolbar.
    Frame(0, false);
    QStringList buttons;
    for (const QAction *action : frame->MainToolBar()->actions()) {
        if (!action->isSeparator() && action->isVisible())
            buttons << Caption(action->iconText());
    }
    const QString page = PlainText(ReadText(kHelpFolder + QStringLiteral("/MainWindow.htm")));
    static const QRegularExpression list(QStringLiteral("the text under each button: ([^.]+)\\."));
    const QRegularExpressionMatch m = list.match(page);
    ASSERT_TRUE(m.hasMatch());
    QString named = m.captured(1);
    named.remove(QRegularExpression(QStringLiteral(" \\([^)]*\\)"))).replace(QStringLiteral(" and "), QStringLiteral(", "));
    QStringList words = named.split(QStringLiteral(", "));
    for (QString &word : words)
        word = word.trimmed();
    EXPECT_EQ(words.join(QStringLiteral(", ")).toStdString(), buttons.join(QStringLiteral(", ")).toStdString());
}

TEST_F(HelpStatementsTest, TheCustomReportStepsNameTheDialogsOwnButtons)
{
    const QString html = ReadText(kHelpFolder + QStringLiteral("/ReportsMenu.htm"));
    const QString section = html.mid(html.indexOf(QStringLiteral("name=\"custom\"")));
    const QString steps = section.left(section.indexOf(QStringLiteral("<h2")));
    ASSERT_FALSE(steps.isEmpty());

    CCustomReportDlg dialog(data, nullptr);
    QStringList captions;
    const auto collect = [&] {
        for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
            captions << Caption(button->text());
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            captions << Caption(label->text()).remove(u':');
    };
    collect();
    // New Report turns into the button that adds the report being made.
    auto *newReport = dialog.findChild<QAbstractButton *>(QStringLiteral("1153"));
    ASSERT_TRUE(newReport);
    newReport->click();
    collect();
    static const QRegularExpression bold(QStringLiteral("<b>([^<]+)</b>"));
    QStringList named;
    for (const QRegularExpressionMatch &m : bold.globalMatch(steps)) {
        named << PlainText(m.captured(1)).trimmed();
        EXPECT_TRUE(captions.contains(named.last())) << named.last().toStdString();
    }
    // Without these two the definition is lost when the window closes.
    EXPECT_TRUE(named.contains(QStringLiteral("Add Report")));
    EXPECT_TRUE(named.contains(QStringLiteral("Save")));
}
