#include "addins/addindescription.h"
#include "base/stringids.h"

#include <gtest/gtest.h>

namespace {

QString Description(const QString &head, const QString &menus = QString())
{
    return QStringLiteral("<Addin>") + head + menus + QStringLiteral("</Addin>");
}

const QString kHead = QStringLiteral("<AddinName>Ledger</AddinName><ToobarButtonCount>2</ToobarButtonCount><AppVer>2</AppVer>");

} // namespace

TEST(AddinDescription, EachMissingOrWrongPartIsRejectedWithItsMessage)
{
    const struct {
        QString xml;
        unsigned error;
    } cases[] = {
        {QStringLiteral("<Addin><AddinName>x</Addin>"), StringId::XmlLoadFailed},
        {Description(QStringLiteral("<ToobarButtonCount>1</ToobarButtonCount><AppVer>2</AppVer>")), StringId::AddinNameFailed},
        {Description(QStringLiteral("<AddinName>x</AddinName><AppVer>2</AppVer>")), StringId::AddinToolbarCountFailed},
        {Description(QStringLiteral("<AddinName>x</AddinName><ToobarButtonCount>1</ToobarButtonCount>")),
         StringId::AddinAppVersionFailed},
        {Description(QStringLiteral("<AddinName>x</AddinName><ToobarButtonCount>1</ToobarButtonCount><AppVer>1</AppVer>")),
         StringId::AddinVersionFormatUnknown},
        {Description(kHead, QStringLiteral("<MainMenu><Name>T</Name><LeafMenu><Name>a</Name><ToolBarIndex>one</ToolBarIndex>"
                                           "</LeafMenu></MainMenu>")),
         StringId::AddinCommandsFailed},
        // A command outside every menu would have nowhere to go.
        {Description(kHead, QStringLiteral("<LeafMenu><Name>a</Name></LeafMenu>")), StringId::AddinCommandsFailed},
    };
    for (const auto &c : cases) {
        const CAddinDescriptionResult result = ParseAddinDescription(c.xml);
        EXPECT_EQ(result.error, c.error) << c.xml.toStdString();
        EXPECT_TRUE(result.description.commands.isEmpty());
    }
}

TEST(AddinDescription, CommandsTakeTheirMenuPathUpToMainMenuWithMnemonics)
{
    const CAddinDescriptionResult result = ParseAddinDescription(Description(kHead, QStringLiteral(
        "<Outer><Name>Never</Name>"
        "<MainMenu><Name>Tools</Name><ShortcutKeyIndex>0</ShortcutKeyIndex>"
        "  <Popup><Name>Export</Name><ShortcutKeyIndex>9</ShortcutKeyIndex>"
        "    <LeafMenu><Name>Bank file</Name><ShortcutKeyIndex>5</ShortcutKeyIndex><FunctionName>Bank</FunctionName>"
        "      <Unknown>ignored</Unknown><ShortCutKey>Ctrl+B</ShortCutKey><ToolBarIndex>1</ToolBarIndex>"
        "      <Separator>1</Separator><ToolbarText>Bank</ToolbarText></LeafMenu>"
        "  </Popup>"
        "  <LeafMenu><ShortcutKeyIndex>0</ShortcutKeyIndex><Name>Plain</Name></LeafMenu>"
        "</MainMenu></Outer>")));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.description.name, QStringLiteral("Ledger"));
    EXPECT_EQ(result.description.toolbarButtonCount, 2);
    ASSERT_EQ(result.description.commands.size(), 2);

    const CAddinCommand &bank = result.description.commands[0];
    // Index 0 gives "&Tools"; an index beyond the name leaves it as it is.
    EXPECT_EQ(bank.menuPath, (QStringList{QStringLiteral("&Tools"), QStringLiteral("Export")}));
    EXPECT_EQ(bank.name, QStringLiteral("Bank &file"));
    EXPECT_EQ(bank.functionName, QStringLiteral("Bank"));
    EXPECT_EQ(bank.shortCutKey, QStringLiteral("Ctrl+B"));
    EXPECT_EQ(bank.toolBarIndex, 1);
    EXPECT_EQ(bank.separator, 1);

    // The mnemonic goes into the name read so far; defaults when absent.
    const CAddinCommand &plain = result.description.commands[1];
    EXPECT_EQ(plain.name, QStringLiteral("Plain"));
    EXPECT_EQ(plain.menuPath, QStringList{QStringLiteral("&Tools")});
    EXPECT_EQ(plain.toolBarIndex, -1);
    EXPECT_EQ(plain.separator, 0);
}
