// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtTranslations.h"
#include "tests/support/MessageBoxes.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/DialogInputBox.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QTranslator>
#include <QWindow>

namespace quartet::test {
namespace {

// Hands Qt its standard button texts in English, past its Chinese
// translation, as KDE's platform theme does on an English desktop.
class EnglishStandardButtons final : public QTranslator {
public:
    EnglishStandardButtons()
    {
        installQtTranslations();  // first, so that this one is asked before it
        QCoreApplication::installTranslator(this);
    }
    ~EnglishStandardButtons() override { QCoreApplication::removeTranslator(this); }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        return qstrcmp(context, "QPlatformTheme") == 0 ? QString::fromLatin1(sourceText) : QString();
    }
};

TEST_F(MainWindowTest, EveryControlStandsWhereTheLayoutPutsIt)
{
    open();
    struct Place {
        const char* name;
        int index;
        QRect pixels;
    };
    // Controls on a panel stand inside its one-pixel border.
    std::vector<Place> places = {
        {"lstResult", -1, {248, 16, 169, 268}}, {"Picture1", -1, {24, 16, 209, 268}},
        {"Picture2", -1, {24, 16, 209, 268}},   {"cmdDeal", -1, {24, 296, 89, 25}},
        {"cmdCalc", -1, {125, 296, 89, 25}},    {"Command1", -1, {227, 296, 89, 25}},
        {"cmdExit", -1, {328, 296, 89, 25}},    {"Image1", -1, {17, 17, 75, 102}},
        {"Image2", -1, {113, 17, 75, 102}},     {"Image3", -1, {17, 137, 75, 102}},
        {"Image4", -1, {113, 137, 75, 102}},    {"lblDual", 0, {41, 49, 49, 49}},
        {"lblDual", 1, {137, 49, 49, 57}},      {"lblDual", 2, {41, 169, 49, 65}},
        {"lblDual", 3, {137, 169, 57, 65}},     {"cmdClear", -1, {105, 153, 81, 25}},
    };
    for (int i = 0; i < 13; ++i)
        places.push_back({"cmdMan", i, {25 + 40 * (i % 4), 17 + 40 * (i / 4), 41, 41}});
    for (int i = 0; i < 4; ++i)
        places.push_back({"cmdSelect", i, {25 + 40 * i, 209, 41, 41}});

    for (const auto& place : places) {
        const auto* widget = child<QWidget>(place.name, place.index);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), place.pixels) << place.name << " " << place.index;
    }
    EXPECT_EQ(window->centralWidget()->size(), QSize(438, 328));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window must not be resizable";
    EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// A style with tall list rows, as Breeze has.
class TallRowsStyle final : public QProxyStyle {
public:
    TallRowsStyle() : QProxyStyle(QStringLiteral("Fusion")) {}
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        const QSize fusion = QProxyStyle::sizeFromContents(type, option, size, widget);
        return type == CT_ItemViewItem ? fusion + QSize(0, 9) : fusion;
    }
};

TEST_F(MainWindowTest, TheResultListShowsNineteenLinesWhateverTheStyle)
{
    open();
    TallRowsStyle tallRows;  // the list falls back to the application's style when it goes
    for (QStyle* style : {QApplication::style(), static_cast<QStyle*>(&tallRows)}) {
        list()->setStyle(style);
        list()->clear();
        for (int line = 0; line < 30; ++line)
            list()->addItem(QString::number(line));
        int whole = 0;
        for (int row = 0; row < list()->count(); ++row)
            whole += list()->viewport()->rect().contains(list()->visualItemRect(list()->item(row))) ? 1 : 0;
        EXPECT_EQ(whole, 19) << style->name().toStdString();
    }
}

// Qt's own title bar on Wayland offers maximise even to a fixed window (a
// double-click on the bar too) and asks for it through the window. Neither
// window stays maximised: each asks to be normal again at once and is back
// at its own size. Meanwhile it is free to take the maximised size, since
// weston ends a program whose window does not take it.
TEST_F(MainWindowTest, AMaximisedWindowReturnsToItsOwnSizeAtOnce)
{
    open();
    action("mnuAbout")->trigger();
    for (QWidget* shown : QApplication::topLevelWidgets()) {
        if (!shown->isVisible())
            continue;
        SCOPED_TRACE(shown->metaObject()->className());
        const QSize fixed = shown->size();
        QWindow& handle = *shown->windowHandle();
        handle.setWindowStates(Qt::WindowMaximized);
        EXPECT_EQ(handle.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        EXPECT_TRUE(QTest::qWaitFor([&] { return handle.windowStates() == Qt::WindowNoState; }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown->size() == fixed && handle.size() == fixed; }));
        EXPECT_EQ(handle.maximumSize(), fixed);
    }
}

TEST_F(MainWindowTest, CaptionsAndFontsOfTheControls)
{
    open();
    EXPECT_EQ(window->windowTitle(), "Quartet");
    const std::pair<const char*, const char*> captions[] = {{"cmdDeal", "发牌(&D)"},
                                                            {"cmdCalc", "答案(&A)"},
                                                            {"Command1", "指定牌(&S)"},
                                                            {"cmdExit", "退出(&X)"},
                                                            {"cmdClear", "清除选定"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(child<QPushButton>(name)->text(), QString::fromUtf8(caption)) << name;
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(child<QPushButton>("cmdMan", i)->text(), QString::number(i + 1));
    EXPECT_EQ(slotCaptions(), QStringList({"", "", "", ""}));
    EXPECT_EQ(cardLabels(), QStringList({"", "", "", ""}));

    // Two digits at 36 points fit the narrowest card label.
    const auto* label = child<QLabel>("lblDual", 0);
    EXPECT_EQ(label->font().pointSize(), 36);
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance("98"), label->width());
    EXPECT_EQ(child<QPushButton>("cmdMan", 0)->font().pointSize(), 12);
    EXPECT_EQ(child<QPushButton>("cmdSelect", 0)->font().pointSize(), 12);
    EXPECT_FALSE(child<QLabel>("Image1")->pixmap().isNull());
    EXPECT_EQ(child<QLabel>("Image1")->pixmap().size(), QSize(75, 102));
}

TEST_F(MainWindowTest, StartsWithTheCardDisplayInFrontAndTheFocusInTheList)
{
    open();
    EXPECT_TRUE(child<QWidget>("Picture1")->isVisible());
    EXPECT_FALSE(child<QWidget>("Picture2")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), list());
    EXPECT_EQ(window->hand(), (Hand{0, 0, 0, 0}));
}

TEST_F(MainWindowTest, ControlsWithoutTextHaveAccessibleNames)
{
    open();
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(child<QWidget>(qPrintable(QString("Image%1").arg(i)))->accessibleName(),
                  QString::fromUtf8("第%1张牌").arg(i));
    EXPECT_FALSE(child<QWidget>("Picture1")->accessibleName().isEmpty());
    EXPECT_FALSE(child<QWidget>("Picture2")->accessibleName().isEmpty());

    // An empty slot says what it is; a taken one is read out by its caption.
    action("mnuSpecify")->trigger();
    QTest::mouseClick(child<QPushButton>("cmdMan", 11), Qt::LeftButton);
    EXPECT_EQ(child<QPushButton>("cmdSelect", 0)->accessibleName(), "");
    EXPECT_EQ(child<QPushButton>("cmdSelect", 1)->accessibleName(), QString::fromUtf8("第2个空位"));
    QTest::mouseClick(child<QPushButton>("cmdClear"), Qt::LeftButton);
    EXPECT_EQ(child<QPushButton>("cmdSelect", 0)->accessibleName(), QString::fromUtf8("第1个空位"));
}

// The panels are stops too; Qt passes over the hidden one and its controls.
TEST_F(MainWindowTest, TabMovesThroughTheControlsInOrder)
{
    open();
    const auto tabOrder = [this](int stops) {
        list()->setFocus();
        QStringList seen;
        for (int i = 0; i < stops; ++i) {
            key(Qt::Key_Tab, Qt::NoModifier);
            const QWidget* focus = QApplication::focusWidget();
            const QVariant index = focus->property("index");
            seen << focus->objectName() + (index.isValid() ? QString::number(index.toInt()) : QString());
        }
        return seen;
    };
    const QStringList commands{"Command1", "cmdDeal", "cmdCalc", "cmdExit", "lstResult"};
    EXPECT_EQ(tabOrder(6), QStringList{"Picture1"} + commands);

    action("mnuSpecify")->trigger();
    QStringList expected{"Picture2"};
    for (int i = 0; i < 13; ++i)
        expected << QString("cmdMan%1").arg(i);
    expected << "cmdClear";
    for (int i = 0; i < 4; ++i)
        expected << QString("cmdSelect%1").arg(i);
    expected << commands;
    EXPECT_EQ(tabOrder(expected.size()), expected);
}

TEST_F(MainWindowTest, MenusHoldTheirItemsSeparatorsAndShortcuts)
{
    open();
    struct Item {
        const char* name;
        const char* caption;  // null for a separator
        const char* shortcut;
    };
    const std::pair<const char*, std::vector<Item>> menus[] = {
        {"游戏(&F)",
         {{"mnuDeal", "发牌(&D)", "Ctrl+D"},
          {"mnuSpecify", "指定牌(&S)", "Ctrl+S"},
          {"mnuSpace1", nullptr, ""},
          {"mnuOption", "设置(&O)", ""},
          {"mnuSpace3", nullptr, ""},
          {"mnuExit", "退出(&X)", "Ctrl+X"}}},
        {"帮助(&H)",
         {{"mnuContents", "帮助(&H)", "Ctrl+H"}, {"mnuSpace2", nullptr, ""}, {"mnuAbout", "关于(&A)...", "Ctrl+A"}}},
    };
    const auto headings = window->menuBar()->actions();
    ASSERT_EQ(headings.size(), 2);
    for (int m = 0; m < 2; ++m) {
        EXPECT_EQ(headings[m]->text(), QString::fromUtf8(menus[m].first));
        const auto items = headings[m]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(menus[m].second.size()));
        for (std::size_t i = 0; i < menus[m].second.size(); ++i) {
            const Item& expected = menus[m].second[i];
            QAction* item = items[static_cast<qsizetype>(i)];
            EXPECT_EQ(item->objectName(), expected.name);
            EXPECT_EQ(item->isSeparator(), expected.caption == nullptr) << expected.name;
            if (expected.caption) {
                EXPECT_EQ(item->text(), QString::fromUtf8(expected.caption));
            }
            EXPECT_EQ(item->shortcut().toString(), expected.shortcut) << expected.name;
        }
    }
}

TEST_F(MainWindowTest, AnswerAtStartListsTheNoSolutionLine)
{
    open();
    accessKey(Qt::Key_A, "cmdCalc");
    EXPECT_EQ(listLines(), QStringList{QString::fromUtf8("此组合无法形成24点")});
    accessKey(Qt::Key_A, "cmdCalc");
    EXPECT_EQ(list()->count(), 1) << "each answer starts with an empty list";
}

TEST_F(MainWindowTest, CtrlHShowsTheHelpMessageFromTheList)
{
    const EnglishStandardButtons englishDesktop;
    open();
    list()->setFocus();
    const auto seen = answerMessageBox([this] { key(Qt::Key_H, Qt::ControlModifier, list()); });
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QString::fromUtf8("Quartet帮助"));
    EXPECT_EQ(seen.text,
              QString::fromUtf8("Quartet是一个很容易玩、又很有趣味的游戏。\n\n"
                                "你要将发出的四张牌经过加、减、乘、除运算，得到结果24。\n"
                                "怎么样，试一试？"));
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.okText, QString::fromUtf8("确定"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
}

// Its buttons read Chinese, and like every window of the program it has one
// fixed size: what the window manager is told allows no resizing.
TEST_F(MainWindowTest, TheSettingsBoxReadsChineseOnAnEnglishDesktopAndKeepsItsSize)
{
    const EnglishStandardButtons englishDesktop;
    open();
    DialogInputBox inputBox(window.get());
    QStringList captions;
    std::pair<QSize, QSize> limits;
    inspectModalDialog([&inputBox] { inputBox.ask(QStringLiteral("?"), QStringLiteral("-"), QStringLiteral("13")); },
                       [&captions, &limits](QDialog& box) {
                           for (const auto* button : box.findChildren<QPushButton*>())
                               captions.append(button->text());
                           limits = {box.windowHandle()->minimumSize(), box.windowHandle()->maximumSize()};
                       });
    captions.sort();
    EXPECT_EQ(captions, QStringList({QString::fromUtf8("取消"), QString::fromUtf8("确定")}));
    EXPECT_FALSE(limits.first.isEmpty());
    EXPECT_EQ(limits.first, limits.second);
}

TEST_F(MainWindowTest, CtrlXEndsTheProgramEvenFromTheList)
{
    open();
    list()->addItem("a line");
    list()->setCurrentRow(0);
    list()->setFocus();
    key(Qt::Key_X, Qt::ControlModifier, list());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, ExitButtonEndsTheProgram)
{
    open();
    QTest::mouseClick(child<QPushButton>("cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, EnterPressesTheFocusedButtonOnly)
{
    open();
    child<QPushButton>("cmdCalc")->setFocus();
    key(Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(list()->count(), 1);

    // A slot, the list and the panel take Enter and Escape without effect.
    QTest::mouseClick(child<QPushButton>("cmdSelect", 0), Qt::LeftButton);
    list()->setCurrentRow(0);
    for (QWidget* focus : {static_cast<QWidget*>(list()), child<QWidget>("Picture1")}) {
        focus->setFocus();
        key(Qt::Key_Return, Qt::NoModifier);
        key(Qt::Key_Enter, Qt::NoModifier);
        key(Qt::Key_Escape, Qt::NoModifier);
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(list()->count(), 1);
    EXPECT_EQ(window->hand(), (Hand{0, 0, 0, 0}));
}

TEST_F(MainWindowTest, LoadReadsTheLargestCardValue)
{
    struct Case {
        const char* stored;  // null: nothing stored
        std::int16_t maxVal;
    };
    const Case cases[] = {
        {nullptr, 9},  {"13", 13},       {"-4", -4},  // small values are taken: a deal says why it deals none
        {"200", 200},  {"32767", 32767},              // and large ones, beyond what the player may choose
        {"eleven", 9}, {"40000", 9},                  // a text that is no 16-bit number falls back to 9
    };
    for (const auto& c : cases) {
        storedValues.clear();
        if (c.stored)
            storedValues.insert(MemorySettingsStore::maxValPath(), c.stored);
        open();
        EXPECT_EQ(window->maxVal(), c.maxVal) << (c.stored ? c.stored : "(none)");
        EXPECT_EQ(store->saves, 0) << "loading writes nothing";
        TearDown();
    }
}

TEST_F(MainWindowTest, SettingsCommandAsksForAndStoresTheLargestValue)
{
    storedValues.insert(MemorySettingsStore::maxValPath(), "200");
    open({}, {"", "12"});
    action("mnuOption")->trigger();  // Cancel stores the value shown again
    ASSERT_EQ(input->defaults, QStringList{"200"});
    EXPECT_EQ(window->maxVal(), 200);
    EXPECT_EQ(store->saves, 1);
    EXPECT_EQ(store->maxVal(), "200");

    action("mnuOption")->trigger();
    EXPECT_EQ(input->defaults, QStringList({"200", "200"}));
    EXPECT_EQ(input->titles, QStringList(2, QString::fromUtf8("设置")));
    EXPECT_EQ(input->prompts, QStringList(2, QString::fromUtf8("请输入由系统生成的牌的最大数字值:")));
    EXPECT_EQ(window->maxVal(), 12);
    EXPECT_EQ(store->maxVal(), "12");
}

TEST_F(MainWindowTest, AnUnexpectedErrorIsShownAndTheWindowStaysUsable)
{
    open();  // no random values: the deal's random source fails
    const auto seen = answerMessageBox([this] { key(Qt::Key_D, Qt::ControlModifier, list()); });
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Quartet");

    // The failed deal left the solver in answer mode.
    accessKey(Qt::Key_A, "cmdCalc");
    EXPECT_EQ(listLines(), QStringList{QString::fromUtf8("此组合无法形成24点")});
}

}  // namespace
}  // namespace quartet::test
