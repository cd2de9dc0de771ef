// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ApplicationSetup.h"

#include <QAccessible>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace quartet::test {
namespace {

std::pair<int, int> range(const std::function<void(int*, int*)>& ask)
{
    int start = -1;
    int end = -1;
    ask(&start, &end);
    return {start, end};
}

// What a screen reader reads of the settings box's field: the whole text as
// one run of attributes wherever it asks, the selection, and a password only
// as its mask.
TEST(LineEditAccessibleTest, TellsTheWholeTextAsOneRun)
{
    prepareApplication();
    QLineEdit edit(QStringLiteral("13"));
    edit.selectAll();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&edit)->textInterface();
    ASSERT_NE(text, nullptr);
    for (int offset : {0, 1})
        EXPECT_EQ(range([&](int* start, int* end) { text->attributes(offset, start, end); }), std::pair(0, 2));
    EXPECT_EQ(text->text(0, text->characterCount()), "13");
    EXPECT_EQ(range([&](int* start, int* end) { text->selection(0, start, end); }), std::pair(0, 2));

    edit.setEchoMode(QLineEdit::Password);
    EXPECT_EQ(text->text(0, 2), edit.displayText());
    EXPECT_NE(text->text(0, 2), "13");
}

}  // namespace
}  // namespace quartet::test
