// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/Solver.h"
#include "tests/support/MessageBoxes.h"
#include "tests/ui/MainWindowFixture.h"

namespace quartet::test {
namespace {

// The lines the solver itself writes for a hand.
QStringList solverLines(const Hand& hand)
{
    QStringList result;
    for (const auto& line : solutionLines(hand))
        result.append(QString::fromStdString(line));
    return result;
}

std::vector<float> valuesFor(std::initializer_list<int> cards, int maxVal)
{
    std::vector<float> values;
    for (int card : cards)
        values.push_back(FixedRandomSource::valueFor(card, maxVal));
    return values;
}

TEST_F(MainWindowTest, DealsFromCtrlDAndAltDAndShowsTheHand)
{
    storedValues.insert(MemorySettingsStore::maxValPath(), "13");
    open(valuesFor({1, 1, 1, 1, 13, 10, 7, 1, 3, 3, 8, 8}, 13));

    // Alt+A and Ctrl+D back to back run in that order: the deal empties the answer.
    QStringList commands;
    QObject::connect(child<QPushButton>("cmdCalc"), &QPushButton::clicked, [&commands] { commands.append("answer"); });
    QObject::connect(action("mnuDeal"), &QAction::triggered, [&commands] { commands.append("deal"); });
    key(Qt::Key_A, Qt::AltModifier, list());
    key(Qt::Key_D, Qt::ControlModifier, list());
    EXPECT_EQ(commands, QStringList({"answer", "deal"}));
    EXPECT_EQ(window->hand(), (Hand{13, 10, 7, 1}));
    EXPECT_EQ(cardLabels(), QStringList({"13", "10", "7", "1"}));
    EXPECT_EQ(child<QWidget>("Picture1")->accessibleName(), QString::fromUtf8("发出的牌：13、10、7、1"));
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(random->reseeds, 1);

    accessKey(Qt::Key_A, "cmdCalc");
    EXPECT_EQ(listLines(), solverLines({13, 10, 7, 1}));

    accessKey(Qt::Key_D, "cmdDeal");
    EXPECT_EQ(cardLabels(), QStringList({"3", "3", "8", "8"}));
    EXPECT_EQ(random->reseeds, 2);
}

TEST_F(MainWindowTest, ComposesAHandWithTheCardValueButtons)
{
    open();
    key(Qt::Key_S, Qt::ControlModifier, list());
    EXPECT_FALSE(child<QWidget>("Picture1")->isVisible());
    EXPECT_TRUE(child<QWidget>("Picture2")->isVisible());

    for (int index : {2, 7, 2, 7, 4})  // 3, 8, 3, 8, then 5
        QTest::mouseClick(child<QPushButton>("cmdMan", index), Qt::LeftButton);
    EXPECT_EQ(slotCaptions(), QStringList({"8", "3", "8", "5"}));
    EXPECT_EQ(window->hand(), (Hand{8, 3, 8, 5}));

    accessKey(Qt::Key_A, "cmdCalc");
    EXPECT_EQ(listLines(), solverLines({8, 3, 8, 5}));

    QTest::mouseClick(child<QPushButton>("cmdMan", 12), Qt::LeftButton);
    EXPECT_EQ(list()->count(), 0) << "a card-value press empties the list";
    EXPECT_EQ(slotCaptions(), QStringList({"3", "8", "5", "13"}));
}

TEST_F(MainWindowTest, AnswersAHandOfTwoCardsAndTwoZeros)
{
    open();
    accessKey(Qt::Key_S, "Command1");
    QTest::mouseClick(child<QPushButton>("cmdMan", 2), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdMan", 7), Qt::LeftButton);
    EXPECT_EQ(window->hand(), (Hand{3, 8, 0, 0}));
    accessKey(Qt::Key_A, "cmdCalc");
    EXPECT_EQ(listLines(), solverLines({3, 8, 0, 0}));
    EXPECT_GT(list()->count(), 1);
}

TEST_F(MainWindowTest, ClearAndSpecifyLeaveTheListAlone)
{
    open();
    accessKey(Qt::Key_S, "Command1");
    for (int index : {0, 1, 2, 3})
        QTest::mouseClick(child<QPushButton>("cmdMan", index), Qt::LeftButton);
    accessKey(Qt::Key_A, "cmdCalc");
    const int lines = list()->count();

    QTest::mouseClick(child<QPushButton>("cmdClear"), Qt::LeftButton);
    EXPECT_EQ(slotCaptions(), QStringList({"", "", "", ""}));
    EXPECT_EQ(window->hand(), (Hand{1, 2, 3, 4}));
    EXPECT_EQ(list()->count(), lines);

    QTest::mouseClick(child<QPushButton>("cmdMan", 4), Qt::LeftButton);
    EXPECT_EQ(window->hand(), (Hand{5, 2, 3, 4}));

    accessKey(Qt::Key_A, "cmdCalc");
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(window->hand(), (Hand{0, 0, 0, 0}));
    EXPECT_EQ(slotCaptions(), QStringList({"", "", "", ""}));
    EXPECT_GT(list()->count(), 0);
}

TEST_F(MainWindowTest, ADealHidesTheEntryPanelAndKeepsItsSlots)
{
    open(valuesFor({1, 2, 3, 4}, 9));
    accessKey(Qt::Key_S, "Command1");
    QTest::mouseClick(child<QPushButton>("cmdMan", 5), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdDeal"), Qt::LeftButton);
    EXPECT_TRUE(child<QWidget>("Picture1")->isVisible());
    EXPECT_FALSE(child<QWidget>("Picture2")->isVisible());
    EXPECT_EQ(slotCaptions(), QStringList({"6", "", "", ""}));
    EXPECT_EQ(cardLabels(), QStringList({"1", "2", "3", "4"}));
}

TEST_F(MainWindowTest, ALargestValueBelowThreeDealsNothingAndSaysWhy)
{
    storedValues.insert(MemorySettingsStore::maxValPath(), "2");
    open();
    accessKey(Qt::Key_S, "Command1");
    QTest::mouseClick(child<QPushButton>("cmdMan", 0), Qt::LeftButton);
    accessKey(Qt::Key_A, "cmdCalc");
    const QStringList lines = listLines();

    const auto seen = answerMessageBox([this] { key(Qt::Key_D, Qt::ControlModifier, list()); });
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Quartet");
    EXPECT_TRUE(seen.text.contains("3"));
    EXPECT_TRUE(seen.text.contains(QString::fromUtf8("设置")));
    EXPECT_TRUE(child<QWidget>("Picture2")->isVisible()) << "the panels stay as they were";
    EXPECT_EQ(window->hand(), (Hand{1, 0, 0, 0}));
    EXPECT_EQ(listLines(), lines);
    EXPECT_EQ(cardLabels(), QStringList({"", "", "", ""}));
    EXPECT_EQ(random->drawn, 0u);
}

}  // namespace
}  // namespace quartet::test
