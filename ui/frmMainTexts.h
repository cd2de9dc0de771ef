#pragma once

#include <QString>

// Every text that the main window shows.
namespace quartet::mainTexts {

inline const QString kCaption = QStringLiteral("Quartet");

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
inline const QString kHelpText = QStringLiteral(
    "Quartet是一个很容易玩、又很有趣味的游戏。\n"
    "\n"
    "你要将发出的四张牌经过加、减、乘、除运算，得到结果24。\n"
    "怎么样，试一试？");

inline const QString kMaxValTooSmall = QStringLiteral(
    "最大牌值至少要为3，才能发出可以算出24点的牌。\n"
    "请用“游戏”菜单中的“设置”修改最大牌值。");
inline const QString kUnexpectedError = QStringLiteral("操作未能完成：%1");

}  // namespace quartet::mainTexts
