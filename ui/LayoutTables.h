// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Twips.h"

#include <array>
#include <stdexcept>
#include <string_view>

// Where every control of the program's windows stands, in twips, measured
// from the top-left corner of its parent's client area.
namespace quartet::layout {

struct Control {
    const char* name;
    TwipsRect rect;
};

// The place of the control of that name in a table, in pixels.
template <std::size_t N>
constexpr QRect placeOf(const std::array<Control, N>& table, std::string_view name)
{
    for (const auto& control : table)
        if (name == control.name)
            return control.rect.toPixels();
    throw std::logic_error("no such control in the layout table");
}

namespace mainWindow {

inline constexpr TwipsRect kClientArea{0, 0, 6570, 4920};

// Controls on the window itself. The four command buttons stand in one row,
// 1520 twips apart.
inline constexpr std::array kWindow{
    Control{"lstResult", {3720, 240, 2535, 4020}}, Control{"Picture1", {360, 240, 3135, 4020}},
    Control{"Picture2", {360, 240, 3135, 4020}},   Control{"cmdDeal", {360, 4440, 1335, 375}},
    Control{"cmdCalc", {1880, 4440, 1335, 375}},   Control{"Command1", {3400, 4440, 1335, 375}},
    Control{"cmdExit", {4920, 4440, 1335, 375}},
};

// The card display: four card pictures, each with its value label lying
// 360 twips right of and 480 twips below the picture's corner.
inline constexpr std::array kCardPictures{
    Control{"Image1", {240, 240, 1125, 1530}},
    Control{"Image2", {1680, 240, 1125, 1530}},
    Control{"Image3", {240, 2040, 1125, 1530}},
    Control{"Image4", {1680, 2040, 1125, 1530}},
};
inline constexpr std::array kCardLabels{
    TwipsRect{600, 720, 735, 735},
    TwipsRect{2040, 720, 735, 855},
    TwipsRect{600, 2520, 735, 975},
    TwipsRect{2040, 2520, 855, 975},
};

// The entry panel: the card-value buttons in a grid of four columns whose
// pitch is 15 twips less than a button, so neighbours overlap by one pixel;
// the four slots on the same columns below; the clear button between.
inline constexpr int kGridColumns = 4;
inline constexpr int kGridLeft = 360;
inline constexpr int kGridTop = 240;
inline constexpr int kGridPitch = 600;
inline constexpr int kCardButtonSize = 615;
inline constexpr int kSlotTop = 3120;
inline constexpr TwipsRect kClearButton{1560, 2280, 1215, 375};

constexpr TwipsRect cardValueButton(int index)
{
    return {kGridLeft + kGridPitch * (index % kGridColumns), kGridTop + kGridPitch * (index / kGridColumns),
            kCardButtonSize, kCardButtonSize};
}

constexpr TwipsRect slotButton(int index)
{
    return {kGridLeft + kGridPitch * index, kSlotTop, kCardButtonSize, kCardButtonSize};
}

}  // namespace mainWindow

namespace aboutDialog {

inline constexpr TwipsRect kClientArea{0, 0, 5730, 2790};

inline constexpr Control kIcon{"picIcon", {240, 240, 540, 540}};
inline constexpr Control kOkButton{"cmdOK", {4125, 1785, 1500, 345}};
inline constexpr Control kSysInfoButton{"cmdSysInfo", {4140, 2235, 1485, 345}};

// lblTitle stands a little right of the labels below it.
inline constexpr std::array kLabels{
    Control{"Label2", {1560, 1320, 2685, 285}},    Control{"lblTitle", {1080, 240, 3885, 225}},
    Control{"Label1", {1560, 1080, 2685, 285}},    Control{"lblDescription", {1050, 885, 4320, 180}},
    Control{"lblVersion", {1050, 540, 3885, 225}}, Control{"lblDisclaimer", {255, 1800, 3630, 825}},
};

// The etched separator: a grey line lying over a wider white one.
struct Line {
    int x1;
    int y1;
    int x2;
    int y2;
    int penWidthPixels;
};
inline constexpr Line kSeparatorHighlight{105, 1680, 5654, 1680, 2};  // white
inline constexpr Line kSeparatorShadow{90, 1680, 5654, 1680, 1};      // grey

}  // namespace aboutDialog

}  // namespace quartet::layout
