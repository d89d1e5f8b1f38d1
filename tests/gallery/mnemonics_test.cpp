// Every window the gallery pictures, checked for keys that two controls
// answer to at once: Alt and a letter must reach the control it names.
#include "gallery.h"

#include "support/mnemonics.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <memory>

TEST(SharedKeys, TwoControlsShownTogetherClashButPagesOfAStackDoNot)
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *close = new QPushButton(QStringLiteral("&Close"), &dialog);
    auto *stack = new QStackedWidget(&dialog);
    auto *first = new QGroupBox(QStringLiteral("&Backup"));
    auto *second = new QCheckBox(QStringLiteral("&Backup later"));
    stack->addWidget(first);
    stack->addWidget(second);
    auto *compact = new QPushButton(QStringLiteral("&Compact"), first);
    compact->setEnabled(false);
    layout->addWidget(close);
    layout->addWidget(stack);

    const QString clash = QStringLiteral("Alt+C: QPushButton \"&Close\", QPushButton \"&Compact\"");
    EXPECT_EQ(SharedKeys(&dialog), QStringList{clash});
    stack->setCurrentIndex(1);
    EXPECT_TRUE(SharedKeys(&dialog).isEmpty());
    EXPECT_EQ(SharedKeysOnEveryPage(&dialog), QStringList{clash});
    EXPECT_EQ(stack->currentIndex(), 1);
}

TEST(SharedKeys, NoWindowOfTheProgramGivesOneKeyToTwoControls)
{
    int windows = 0;
    for (const auto &[name, make] : GalleryWidgets()) {
        SCOPED_TRACE(name);
        const std::unique_ptr<QWidget> widget(make());
        ASSERT_NE(widget, nullptr);
        ++windows;
        const QStringList shared = SharedKeysOnEveryPage(widget->window());
        EXPECT_TRUE(shared.isEmpty()) << shared.join(u'\n').toStdString();
    }
    // The wizard, the settings sheet and the record, report and login dialogs at least.
    EXPECT_GT(windows, 40);
}
