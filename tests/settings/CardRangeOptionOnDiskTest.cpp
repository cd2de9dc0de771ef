// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CardRangeOption.h"
#include "settings/KeyFileSettingsStore.h"
#include "tests/support/ScriptedInputBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quartet {
namespace {

// The two operations over real files, as a player meets them.
TEST(CardRangeOptionOnDisk, FirstRunStoresThirteenInTheGeneralSection)
{
    QTemporaryDir dir;
    KeyFileSettingsStore store(dir.path());
    EXPECT_EQ(loadMaxVal(store), 9);
    EXPECT_FALSE(QFile::exists(dir.filePath("Quartet")));

    test::ScriptedInputBox inputBox({""});
    EXPECT_EQ(chooseMaxVal(store, inputBox, 9).maxVal, 13);
    QFile file(dir.filePath("Quartet/Quartet.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[General]\nMaxVal=13\n");
}

TEST(CardRangeOptionOnDisk, BadStoredTextSurvivesStartUpAndIsRepairedByTheCommand)
{
    QTemporaryDir dir;
    const QByteArray damaged = "[General]\nMaxVal=lots\n";
    ASSERT_TRUE(QDir(dir.path()).mkpath("Quartet"));
    QFile file(dir.filePath("Quartet/Quartet.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();

    KeyFileSettingsStore store(dir.path());
    const std::int16_t maxVal = loadMaxVal(store);
    EXPECT_EQ(maxVal, 9);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
    file.close();

    test::ScriptedInputBox inputBox({"20"});
    EXPECT_EQ(chooseMaxVal(store, inputBox, maxVal).maxVal, 20);
    EXPECT_EQ(inputBox.defaults, QStringList{"9"});
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[General]\nMaxVal=20\n");
}

}  // namespace
}  // namespace quartet
