#include "addins/addinmanager.h"
#include "addins/addinmanagerpage.h"
#include "addins/testaddinhost.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "data/login.h"
#include "data/profile.h"

#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>

namespace {

const QString kSample = QStringLiteral(TWK_SAMPLE_ADDIN_DIR);
QString Fixture(const char *kind)
{
    return QStringLiteral(TWK_FIXTURE_ADDIN_DIR "/") + QLatin1String(kind);
}

// A plugin's root object lives as long as the test program: what it was
// called with since its latest connection.
QStringList Calls(const CAddinRecord &record)
{
    QStringList calls;
    QMetaObject::invokeMethod(record.object, "Calls", Q_RETURN_ARG(QStringList, calls));
    const qsizetype connected = calls.lastIndexOf(QRegularExpression(QStringLiteral("Connect \\d+")));
    return calls.mid(connected);
}

class AddinManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RemoveProfileEntry(QStringLiteral("Settings"), QStringLiteral("Addin Manager"));
    }
    void Load(const QStringList &folders) { manager.Load(folders, host.App()); }

    CAddinManager manager;
    CTestAddinHost host{manager};
};

} // namespace

TEST_F(AddinManagerTest, SampleAddinRunsCommandsByNameAndTheLoadFlagDisablesThemAtOnce)
{
    Load({kSample});
    ASSERT_EQ(manager.Addins().size(), 1);
    const CAddinRecord &sample = manager.Addins().first();
    ASSERT_TRUE(sample.failure.isEmpty()) << sample.failure.toStdString();
    EXPECT_EQ(sample.name, QStringLiteral("Sample Addin"));
    ASSERT_EQ(sample.commands.size(), 2);
    EXPECT_EQ(sample.commands[0].id, 2025u);
    EXPECT_EQ(sample.commands[1].id, 2026u);

    manager.RunDatabaseStartUp();
    EXPECT_TRUE(manager.IsCommandEnabled(2026));
    manager.InvokeCommand(2026);
    manager.OldDataDeleted(QStringLiteral("03/01/2026"));
    EXPECT_EQ(Calls(sample), (QStringList{QStringLiteral("Connect 0"), QStringLiteral("DatabaseStartUp 0"),
                                          QStringLiteral("ShowWindowEvents"), QStringLiteral("OldDataDeleted 03/01/2026")}));

    // Unchecked on the page: disabled at once, stored for the next start.
    CAddinManagerPage page(manager);
    ASSERT_EQ(page.List()->count(), 1);
    EXPECT_EQ(page.List()->item(0)->checkState(), Qt::Checked);
    page.List()->item(0)->setCheckState(Qt::Unchecked);
    ASSERT_TRUE(page.Apply());
    EXPECT_FALSE(manager.IsCommandEnabled(2025));
    manager.InvokeCommand(2025);
    manager.StartUpComplete();
    EXPECT_EQ(Calls(sample).size(), 4);

    CAddinManager next;
    CTestAddinHost nextHost(next);
    next.Load({kSample}, nextHost.App());
    EXPECT_EQ(next.RegistryList(), (QList<QPair<QString, int>>{{QStringLiteral("Sample Addin"), 0}}));
    EXPECT_EQ(next.Addins().first().loadFlag, 0);

    manager.Unload();
    EXPECT_EQ(Calls(sample).last(), QStringLiteral("Disconnect 0"));
}

TEST_F(AddinManagerTest, LoadFlagsThatCannotBeStoredAreToldAndStayAsTheyWere)
{
    Load({kSample});
    CAddinManagerPage page(manager);
    page.List()->item(0)->setCheckState(Qt::Unchecked);
    struct Refusing {
        Refusing()
        {
            SetProfileWriteGate([](const QString &key) { return !key.startsWith(QStringLiteral("Settings/Addin Manager")); });
        }
        ~Refusing() { SetProfileWriteGate({}); }
    };
    {
        const Refusing refusing;
        EXPECT_FALSE(page.Apply());
    }
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::SaveLocalSettingsFailed)});
    EXPECT_TRUE(manager.IsCommandEnabled(2025)) << "a flag that was not stored is not in force";
    EXPECT_FALSE(HasProfileEntry(QStringLiteral("Settings/Addin Manager/Sample Addin"), QStringLiteral("LoadAddin")));

    // Stored once the profile takes it.
    ASSERT_TRUE(page.Apply());
    EXPECT_FALSE(manager.IsCommandEnabled(2025));
    EXPECT_EQ(GetProfileInt(QStringLiteral("Settings/Addin Manager/Sample Addin"), QStringLiteral("LoadAddin"), 1), 0);
}

TEST_F(AddinManagerTest, NamesWithSlashesKeepTheirOwnLoadFlag)
{
    const QString names[] = {QStringLiteral("Banks/Import"), QStringLiteral("50% \\ off"), QStringLiteral("Banks")};
    for (int i = 0; i < 3; ++i)
        WriteProfileInt(QStringLiteral("Settings/Addin Manager/") + CAddinManager::RegistryKey(names[i]),
                        QStringLiteral("LoadAddin"), i);
    manager.ReadRegistry();
    QList<QPair<QString, int>> read = manager.RegistryList();
    std::sort(read.begin(), read.end());
    EXPECT_EQ(read, (QList<QPair<QString, int>>{{names[1], 1}, {names[2], 2}, {names[0], 0}}));
    // Keys written by hand with a stray '%' read as they stand.
    EXPECT_EQ(CAddinManager::NameFromRegistryKey(QStringLiteral("100%")), QStringLiteral("100%"));
    EXPECT_EQ(CAddinManager::NameFromRegistryKey(QStringLiteral("%41")), QStringLiteral("%41"));
}

TEST_F(AddinManagerTest, BrokenPluginsAreSkippedWithTheirReasonAndFailingCommandsReported)
{
    Load({Fixture("otherinterface"), Fixture("unresolved"), Fixture("throwsonconnect"), Fixture("login"), kSample});
    const QList<CAddinRecord> &addins = manager.Addins();
    ASSERT_EQ(addins.size(), 5);
    EXPECT_TRUE(addins[0].failure.contains(QStringLiteral("org.example.NotAnAddin"))) << addins[0].failure.toStdString();
    EXPECT_TRUE(addins[1].failure.contains(QStringLiteral("twk_fixture_symbol_nobody_defines")))
        << addins[1].failure.toStdString();
    EXPECT_EQ(addins[2].failure, QStringLiteral("Connect failed: no database for me"));
    // The working ones go on, with command ids in the order they registered.
    EXPECT_TRUE(addins[3].failure.isEmpty());
    EXPECT_EQ(addins[3].commands.first().id, 2025u);
    EXPECT_EQ(addins[4].name, QStringLiteral("Sample Addin"));
    EXPECT_EQ(Calls(addins[4]).first(), QStringLiteral("Connect 4")) << Calls(addins[4]).join(u',').toStdString();

    // A command that throws says so and leaves its add-in loaded; a name the
    // add-in lacks does nothing.
    manager.InvokeCommand(2025);
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("Failed to invoke Boom function.")});
    manager.InvokeCommand(2026);
    EXPECT_EQ(TestUi().messages.size(), 1);
    EXPECT_TRUE(manager.IsCommandEnabled(2025));

    CAddinManagerPage page(manager);
    EXPECT_EQ(page.List()->item(2)->flags(), Qt::NoItemFlags);
    EXPECT_TRUE(page.Failures()->text().contains(QStringLiteral("libtwkfixture_throwsonconnect.so: Connect failed: no database for me")));
}

TEST_F(AddinManagerTest, PasswordModeTwoAsksTheLoginAddinWhenThereIsOne)
{
    Load({Fixture("login")});
    const auto answer = manager.MultiUserLogin();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->user, QStringLiteral("ann"));
    EXPECT_TRUE(PlanLogin(kPasswordMultiUser, [this] { return manager.MultiUserLogin(); }).askPassword);

    // An unchecked login add-in is not asked.
    manager.SetLoadFlag(QStringLiteral("Fixture"), false);
    EXPECT_FALSE(manager.MultiUserLogin());
}
