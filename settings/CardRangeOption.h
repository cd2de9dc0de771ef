// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quartet/ProgramInfo.h"
#include "settings/SettingsStore.h"

#include <QString>

#include <cstdint>

namespace quartet {

// Everything the card-range option shows and stores, in one place.
namespace CardRange {

// The store entry that holds the largest dealt card value.
inline const QString application = QString::fromLatin1(program::kName);
inline const QString section = QStringLiteral("General");
inline const QString key = QStringLiteral("MaxVal");

// The value assumed when the store holds none: at start-up, and in the
// settings command.
inline constexpr std::int16_t startupDefault = 9;
inline constexpr std::int16_t commandDefault = 13;

// The values the player may choose.
inline constexpr std::int16_t smallest = 2;
inline constexpr std::int16_t largest = 98;

// The settings command's input box.
inline const QString prompt = QStringLiteral("请输入由系统生成的牌的最大数字值:");
inline const QString title = QStringLiteral("设置");

}  // namespace CardRange

// A modal single-line input box.
class InputBox {
public:
    virtual ~InputBox() = default;

    // Shows the box and waits for the player: the entered text when the
    // player confirms, the empty text on Cancel.
    virtual QString ask(const QString& prompt, const QString& title, const QString& defaultText) = 0;
};

// The largest dealt card value as stored, read when the program starts.
// Any 16-bit number is taken as it is: a stored 200 deals cards up to 200,
// and small values too, for the dealer says why it deals nothing below 3.
// Without a stored value, or with one that is not a 16-bit number, it is the
// start-up default; the store is left as it is, and the settings command
// repairs it.
std::int16_t loadMaxVal(SettingsStore& store);

// What the settings command leaves behind.
struct [[nodiscard]] MaxValChoice {
    std::int16_t maxVal;  // the largest card value from now on
    bool saved;           // false: the store could not take it and holds what it held
};

// The settings command: reads the stored value afresh, asks the player for a
// new one, takes it if it lies in the allowed range, and saves the value that
// results on every way through.
//
// The command recovers once from an error (a stored text that is not a
// 16-bit number, an entry beyond the 16-bit range, a failed save): it
// abandons that step and asks again with the value as it then stands. A
// second out-of-range entry counts as a refused one. After a second failed
// save the command ends with the value chosen but not saved, so that the
// caller can keep it for this run and tell the player.
MaxValChoice chooseMaxVal(SettingsStore& store, InputBox& inputBox, std::int16_t maxVal);

}  // namespace quartet
