// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CardRangeOption.h"

#include "numbers/NumberText.h"

#include <optional>

namespace quartet {

namespace {

QString textOf(std::int16_t value)
{
    return QString::fromStdString(numberText(value));
}

// The stored value, or nullopt when the stored text is not a 16-bit number.
// Any 16-bit value is taken, beyond the range the player may choose too: a
// store edited by hand to deal larger cards means them.
std::optional<std::int16_t> readStoredMaxVal(SettingsStore& store, std::int16_t defaultValue)
{
    const QString text =
        store.GetSetting(CardRange::application, CardRange::section, CardRange::key, textOf(defaultValue));
    return readStoredNumber(text.toStdString());
}

void saveMaxVal(SettingsStore& store, std::int16_t maxVal)
{
    store.SaveSetting(CardRange::application, CardRange::section, CardRange::key, textOf(maxVal));
}

bool isAllowed(std::int16_t value)
{
    return value >= CardRange::smallest && value <= CardRange::largest;
}

}  // namespace

std::int16_t loadMaxVal(SettingsStore& store)
{
    return readStoredMaxVal(store, CardRange::startupDefault).value_or(CardRange::startupDefault);
}

MaxValChoice chooseMaxVal(SettingsStore& store, InputBox& inputBox, std::int16_t maxVal)
{
    bool canRecover = true;
    if (const auto stored = readStoredMaxVal(store, CardRange::commandDefault))
        maxVal = *stored;
    else
        canRecover = false;  // the bad text stays until the save below replaces it

    for (;;) {
        const QString entry = inputBox.ask(CardRange::prompt, CardRange::title, textOf(maxVal));
        const auto entered = readEnteredNumber(entry.toStdString());
        if (!entered && canRecover) {
            canRecover = false;
            continue;
        }
        if (entered && isAllowed(*entered))
            maxVal = *entered;
        try {
            saveMaxVal(store, maxVal);
            return {maxVal, true};
        } catch (const SettingsError&) {
            if (!canRecover)
                return {maxVal, false};
            canRecover = false;
        }
    }
}

}  // namespace quartet
