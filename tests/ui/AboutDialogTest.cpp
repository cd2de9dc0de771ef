// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/MessageBoxes.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/frmAbout.h"
#include "ui/frmAboutTexts.h"

#include <QTimer>

namespace quartet::test {
namespace {

class AboutDialogTest : public MainWindowTest {
protected:
    // Every About dialog of the program; there is to be at most one.
    static QList<frmAbout*> dialogs()
    {
        QList<frmAbout*> found;
        for (auto* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<frmAbout*>(widget))
                found.append(dialog);
        return found;
    }

    // The dialog that Ctrl+A showed, or null when it shows none.
    frmAbout* openAbout()
    {
        key(Qt::Key_A, Qt::ControlModifier, list());
        const auto found = dialogs();
        return found.size() == 1 && found.front()->isVisible() ? found.front() : nullptr;
    }

    static QString labelText(frmAbout* dialog, const char* name)
    {
        return dialog->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
};

TEST(AboutTexts, VersionTextHasNoLeadingZerosOrBlanks)
{
    EXPECT_EQ(aboutTexts::versionText(1, 0, 1), QString::fromUtf8("版本 1.0.1"));
    EXPECT_EQ(aboutTexts::versionText(2, 10, 3), QString::fromUtf8("版本 2.10.3"));
}

TEST_F(AboutDialogTest, CtrlAFromTheListOpensTheDialogWithItsTexts)
{
    open();
    list()->setFocus();
    frmAbout* dialog = openAbout();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->parent(), nullptr) << "the dialog has no owner window";
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("关于Quartet"));
    EXPECT_EQ(labelText(dialog, "lblVersion"), QString::fromUtf8("版本 1.0.1"));
    EXPECT_EQ(labelText(dialog, "lblTitle"), "Quartet");
    EXPECT_EQ(labelText(dialog, "Label1"), QString::fromUtf8("纯属个人爱好。 欢迎访问："));
    EXPECT_EQ(labelText(dialog, "lblDisclaimer"), "    ");
    EXPECT_FALSE(labelText(dialog, "lblDescription").isEmpty());
    EXPECT_FALSE(labelText(dialog, "Label2").isEmpty());
    EXPECT_EQ(dialog->focusWidget(), dialog->findChild<QPushButton*>("cmdOK"));

    // The main window stays usable while the dialog is open.
    QTest::mouseClick(child<QPushButton>("cmdCalc"), Qt::LeftButton);
    EXPECT_EQ(list()->count(), 1);
}

TEST_F(AboutDialogTest, ControlsStandWhereTheLayoutPutsThem)
{
    open();
    frmAbout* dialog = openAbout();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->size(), QSize(382, 186));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    const std::pair<const char*, QRect> places[] = {
        {"picIcon", {16, 16, 36, 36}},     {"cmdOK", {275, 119, 100, 23}},        {"cmdSysInfo", {276, 149, 99, 23}},
        {"Label2", {104, 88, 179, 19}},    {"lblTitle", {72, 16, 259, 15}},       {"Label1", {104, 72, 179, 19}},
        {"lblVersion", {70, 36, 259, 15}}, {"lblDisclaimer", {17, 120, 242, 55}},
    };
    for (const auto& [name, rect] : places)
        EXPECT_EQ(dialog->findChild<QWidget*>(name)->geometry(), rect) << name;
    const QRect description = dialog->findChild<QWidget*>("lblDescription")->geometry();
    EXPECT_EQ(description.topLeft(), QPoint(70, 59));
}

TEST_F(AboutDialogTest, TabMovesThroughOkIconAndSystemInformation)
{
    open();
    frmAbout* dialog = openAbout();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(makeActive(dialog));
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        seen << QApplication::focusWidget()->objectName();
        key(Qt::Key_Tab, Qt::NoModifier);
    }
    EXPECT_EQ(seen, QStringList({"cmdOK", "picIcon", "cmdSysInfo"}));
}

TEST_F(AboutDialogTest, AboutTwiceLeavesOneDialog)
{
    open();
    frmAbout* first = openAbout();
    ASSERT_NE(first, nullptr);
    window->findChild<QAction*>("mnuAbout")->trigger();
    EXPECT_EQ(dialogs().size(), 1);
    EXPECT_TRUE(first->isVisible());
}

TEST_F(AboutDialogTest, EnterAndEscapeCloseItAndItReopensWithTheSameTexts)
{
    open();
    for (int closeKey : {Qt::Key_Return, Qt::Key_Escape}) {
        frmAbout* dialog = openAbout();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLabel*>("lblVersion")->setText("changed");
        ASSERT_TRUE(makeActive(dialog));
        key(closeKey, Qt::NoModifier, dialog->findChild<QPushButton*>("cmdOK"));
        EXPECT_FALSE(dialog->isVisible());
        ASSERT_TRUE(makeActive(window.get())) << "as the window manager hands it back";

        ASSERT_EQ(openAbout(), dialog) << "one instance for the whole run";
        EXPECT_EQ(labelText(dialog, "lblVersion"), QString::fromUtf8("版本 1.0.1"));
        dialog->close();
    }
}

TEST_F(AboutDialogTest, ExitWithTheDialogOpenClosesBoth)
{
    open();
    frmAbout* dialog = openAbout();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(child<QPushButton>("cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(window->isVisible());
}

// On Wayland the dialog belongs to the main window while that is shown,
// which keeps it off the task bars that allow it, and to none after.
TEST_F(AboutDialogTest, TheProgramRunsUntilTheDialogClosesToo)
{
    open();
    action("mnuAbout")->trigger();
    ASSERT_EQ(dialogs().size(), 1);
    frmAbout* dialog = dialogs().front();
    const bool wayland = QGuiApplication::platformName().startsWith("wayland");
    EXPECT_EQ(dialog->windowHandle()->transientParent(), wayland ? window->windowHandle() : nullptr);
    bool runningAfterMainClosed = false;
    QTimer::singleShot(0, [&] {
        window->close();
        QTimer::singleShot(0, [&] {
            runningAfterMainClosed = dialog->isVisible();
            EXPECT_EQ(dialog->windowHandle()->transientParent(), nullptr);
            dialog->close();
        });
    });
    QTimer guard;  // never hang the suite
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QApplication::exit(1); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(runningAfterMainClosed);
}

}  // namespace
}  // namespace quartet::test
