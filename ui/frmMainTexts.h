// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quartet/ProgramInfo.h"

#include <QString>

// Every text that the main window shows.
namespace quartet::mainTexts {

inline const QString kCaption = QString::fromLatin1(program::kName);

inline const QString kDeal = QStringLiteral("发牌(&D)");
inline const QString kAnswer = QStringLiteral("答案(&A)");
inline const QString kSpecify = QStringLiteral("指定牌(&S)");
inline const QString kExit = QStringLiteral("退出(&X)");
inline const QString kClearSlots = QStringLiteral("清除选定");

inline const QString kGameMenu = QStringLiteral("游戏(&F)");
inline const QString kOptions = QStringLiteral("设置(&O)");
inline const QString kHelpMenu = QStringLiteral("帮助(&H)");
inline const QString kHelpContents = QStringLiteral("帮助(&H)");
inline const QString kAbout = QStringLiteral("关于(&A)...");

inline const QString kHelpTitle = QStringLiteral("Quartet帮助");
inline const QString kHelpText = QStringLiteral("Quartet是一个很容易玩、又很有趣味的游戏。\n"
                                                "\n"
                                                "你要将发出的四张牌经过加、减、乘、除运算，得到结果24。\n"
                                                "怎么样，试一试？");

inline const QString kMaxValTooSmall = QStringLiteral("最大牌值至少要为3，才能发出可以算出24点的牌。\n"
                                                      "请用“游戏”菜单中的“设置”修改最大牌值。");
// For screen readers: names of the controls that show no text, and what
// more a player who cannot see the window needs to know.
inline const QString kCardDisplayName = QStringLiteral("发出的牌");
inline const QString kEntryPanelName = QStringLiteral("指定牌面板");
inline const QString kCardPictureName = QStringLiteral("第%1张牌");
inline const QString kEmptySlotName = QStringLiteral("第%1个空位");
inline const QString kCardLabelDescription = QStringLiteral("第%1张牌的点数");
inline const QString kCardValueDescription = QStringLiteral("把%1放进下一个空位");
inline const QString kSlotDescription = QStringLiteral("指定的第%1张牌");
inline const QString kResultListName = QStringLiteral("答案");
inline const QString kResultListDescription = QStringLiteral("全部算法，每行一个");
inline const QString kDealDescription = QStringLiteral("发出四张一定能算出24点的牌");
inline const QString kAnswerDescription = QStringLiteral("列出这四张牌的全部算法");
inline const QString kSpecifyDescription = QStringLiteral("自己选出四张牌");
inline const QString kExitDescription = QStringLiteral("退出Quartet");
inline const QString kClearSlotsDescription = QStringLiteral("清空四个空位");

// What the screen reader says when a command changes what the window shows.
inline const QString kHandShown = QStringLiteral("发出的牌：%1");  // also the card display's name then
inline const QString kSolutionsListed = QStringLiteral("共有%1种算法，第一种：%2");
inline const QString kEntryPanelShown = QStringLiteral("指定牌面板：四个空位都是空的");
inline const QString kSlotsNow = QStringLiteral("指定的牌：%1");
inline const QString kPushedOut = QStringLiteral("%1被挤出，");
inline const QString kEmptySlotWord = QStringLiteral("空");
inline const QString kValueSeparator = QStringLiteral("、");

inline const QString kMaxValNotSaved = QStringLiteral("最大牌值未能保存。\n"
                                                      "新的值 %1 只在本次运行中有效。");
inline const QString kUnexpectedError = QStringLiteral("操作未能完成，出现了意外的错误。");

}  // namespace quartet::mainTexts
