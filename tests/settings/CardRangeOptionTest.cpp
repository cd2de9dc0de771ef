// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CardRangeOption.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/ScriptedInputBox.h"

#include <gtest/gtest.h>

#include <optional>

namespace quartet {
namespace {

const QString kPrompt = QString::fromUtf8("请输入由系统生成的牌的最大数字值:");
const QString kTitle = QString::fromUtf8("设置");

void expectAskedForTheLargestValue(const test::ScriptedInputBox& inputBox)
{
    for (const QString& prompt : inputBox.prompts)
        EXPECT_EQ(prompt, kPrompt);
    for (const QString& title : inputBox.titles)
        EXPECT_EQ(title, kTitle);
}

TEST(LoadMaxVal, ReadsTheStoreAndStartsDespiteABadValue)
{
    const struct {
        std::optional<QString> stored;
        std::int16_t expected;
    } cases[] = {
        {std::nullopt, 9}, {"13", 13}, {"98", 98}, {"99", 99},   {"200", 200}, {"32767", 32767}, {"-5", -5},
        {" 7 ", 7},        {"2.5", 2}, {"abc", 9}, {"12abc", 9}, {"", 9},      {"40000", 9},
    };
    for (const auto& c : cases) {
        test::MemorySettingsStore store;
        if (c.stored)
            store.setMaxVal(*c.stored);
        EXPECT_EQ(loadMaxVal(store), c.expected) << c.stored.value_or("<none>").toStdString();
        EXPECT_EQ(store.maxVal(), c.stored);
        EXPECT_EQ(store.values.size(), c.stored ? 1 : 0);
    }
}

struct CommandCase {
    const char* name;
    std::optional<QString> stored;
    QStringList entries;
    int failingSaves;
    QStringList shownDefaults;
    std::int16_t expected;
    bool saved;
};

TEST(ChooseMaxVal, EntriesAreTakenOrRefusedAndSavedOnEveryWayThrough)
{
    const CommandCase cases[] = {
        {"empty store, Cancel", std::nullopt, {""}, 0, {"13"}, 13, true},
        {"2 taken", "13", {"2"}, 0, {"13"}, 2, true},
        {"98 taken", "13", {"98"}, 0, {"13"}, 98, true},
        {"1 refused", "13", {"1"}, 0, {"13"}, 13, true},
        {"99 refused", "13", {"99"}, 0, {"13"}, 13, true},
        {"0 refused", "13", {"0"}, 0, {"13"}, 13, true},
        {"-5 refused", "13", {"-5"}, 0, {"13"}, 13, true},
        {"letters refused", "13", {"abc"}, 0, {"13"}, 13, true},
        {"2.5 gives 2", "13", {"2.5"}, 0, {"13"}, 2, true},
        {"98.5 gives 98", "13", {"98.5"}, 0, {"13"}, 98, true},
        {"98.6 gives 99", "13", {"98.6"}, 0, {"13"}, 13, true},
        {"1.5 gives 2", "13", {"1.5"}, 0, {"13"}, 2, true},
        {"0.5 gives 0", "13", {"0.5"}, 0, {"13"}, 13, true},
        {"12abc gives 12", "13", {"12abc"}, 0, {"13"}, 12, true},
        {"' 1 2' gives 12", "13", {" 1 2"}, 0, {"13"}, 12, true},
        // Any 16-bit value in the store is shown, and stored again unless the player takes another.
        {"stored 200, Cancel", "200", {""}, 0, {"200"}, 200, true},
        {"stored 200, 99 refused", "200", {"99"}, 0, {"200"}, 200, true},
        {"stored 200, then 40000", "200", {"40000", ""}, 0, {"200", "200"}, 200, true},
        {"stored 32767, 50 taken", "32767", {"50"}, 0, {"32767"}, 50, true},
        {"stored blanks dropped", " 15 ", {""}, 0, {"15"}, 15, true},
        {"stored -32768 kept", "-32768", {""}, 0, {"-32768"}, -32768, true},
        {"stored non-number replaced", "abc", {""}, 0, {"37"}, 37, true},
        {"stored non-number, then 50", "abc", {"50"}, 0, {"37"}, 50, true},
        {"40000 asks again", "13", {"40000", "5"}, 0, {"13", "13"}, 5, true},
        {"40000 twice is refused", "13", {"40000", "40000"}, 0, {"13", "13"}, 13, true},
        {"stored non-number, then 40000", "abc", {"40000"}, 0, {"37"}, 37, true},
        {"failed save asks again", "13", {"50", "60"}, 1, {"13", "50"}, 60, true},
        {"failed save, then Cancel", "13", {"50", ""}, 1, {"13", "50"}, 50, true},
        // A second error in a save: the store keeps its earlier text, and the
        // value chosen is handed back, marked unsaved.
        {"two failed saves", "13", {"50", "60"}, 2, {"13", "50"}, 60, false},
        {"two failed saves after a refused entry", "13", {"99", "1"}, 2, {"13", "13"}, 13, false},
        {"40000, then a failed save", "13", {"40000", "50"}, 1, {"13", "13"}, 50, false},
        {"stored non-number, then a failed save", "abc", {"50"}, 1, {"37"}, 50, false},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::MemorySettingsStore store;
        if (c.stored)
            store.setMaxVal(*c.stored);
        store.failingSaves = c.failingSaves;
        test::ScriptedInputBox inputBox(c.entries);

        const MaxValChoice choice = chooseMaxVal(store, inputBox, 37);
        EXPECT_EQ(choice.maxVal, c.expected);
        EXPECT_EQ(choice.saved, c.saved);
        EXPECT_EQ(inputBox.defaults, c.shownDefaults);
        expectAskedForTheLargestValue(inputBox);
        EXPECT_EQ(store.maxVal(), c.saved ? QString::number(c.expected) : c.stored);
        EXPECT_EQ(store.values.size(), 1);
    }
}

}  // namespace
}  // namespace quartet
