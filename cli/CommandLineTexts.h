// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cerrno>
#include <cstring>

// Every text that the command line prints, apart from the solution lines and
// Qt's own parser texts (usage, a missing or unexpected value), which Qt's
// Chinese translation supplies.
//
// Qt wraps an option's description by counting characters, not columns, and
// a Chinese character takes two columns: so the descriptions break their own
// lines, and every line stays within 80 columns.
namespace quartet::commandLineTexts {

inline const QString kDescription =
    QStringLiteral("Quartet，算 24 点的纸牌游戏：用加、减、乘、除和括号把四张牌的牌值算成 24，\n"
                   "每张牌用且只用一次。不带选项时打开游戏窗口；下列选项则把结果输出到终端，\n"
                   "无需图形界面。");

inline const QString kHelp = QStringLiteral("显示本帮助并退出。");
inline const QString kVersion = QStringLiteral("显示版本号并退出。");
inline const QString kSolve = QStringLiteral("输出 A B C D 四张牌的全部算法，每行一个，与在窗口中按\n"
                                             "“答案”列出的相同：按找到的顺序全部列出，包括重复的行；\n"
                                             "无解时只输出一行无解提示。");
inline const QString kDistinct = QStringLiteral("与 --solve 同用：每种不同的算法只输出一行，即最先找到的\n"
                                                "那一行，按找到的顺序排列（规则见下文）。");
inline const QString kCount = QStringLiteral("与 --solve 同用：只输出行数；无解时输出 0。");
inline const QString kDeal = QStringLiteral("像窗口发牌那样，发出 N 组有解的牌，每组一行；N 是 1 到\n"
                                            "18446744073709551615 的整数。");
inline const QString kMax = QStringLiteral("与 --deal 同用：最大牌值，3 到 32767（默认为 13）。");
inline const QString kSeed = QStringLiteral("与 --deal 同用：随机数种子，0 到 4294967295；种子相同，\n"
                                            "发出的牌也相同。不指定时，每组牌都以当前时间为种子，\n"
                                            "与窗口相同。");
inline const QString kAnswers = QStringLiteral("与 --deal 同用：在每组牌后缩进列出它的各种不同算法，\n"
                                               "即一份附有答案的练习题。");
inline const QString kCards = QStringLiteral("与 --solve 同用：四张牌的牌值，1 到 32767 的整数，只能用\n"
                                             "十进制数字书写（不带正负号，不带小数）。");

// After Qt's list of options.
inline const QString kDistinctRule =
    QStringLiteral("不同算法：两行算式的规范形式相同，就算作同一种算法。嵌套的 + 和 - 展开成\n"
                   "一个各项带符号的和（a-(b-c) 即 a-b+c），嵌套的 x 和 / 展开成一个因子的积，\n"
                   "每个因子或乘或除（a/(b/c) 即 a/b x c）；然后把每个和的各项、每个积的各因子\n"
                   "排序。此外不做任何改写：2x(3+3) 和 2x3+2x3 仍算两种算法。\n");
inline const QString kExitStatus =
    QStringLiteral("退出状态：0 表示成功；1 表示 --solve 给出的牌无解，或没有图形界面可以打开\n"
                   "窗口（可用 xvfb-run -a quartet 在虚拟显示上运行）；2 表示选项或数值有误，\n"
                   "或输出无法写入（如磁盘已满）。读取输出的一方提前关闭管道时（如\n"
                   "quartet --deal 100000 --answers | head -1），程序像其他过滤程序一样被\n"
                   "SIGPIPE 信号终止，不再提示；忽略了 SIGPIPE 时，则以状态 2 退出。例如：\n"
                   "  $ quartet --solve 1 1 1 1; echo $?\n"
                   "  此组合无法形成24点\n"
                   "  1\n");

// The problems with a command line, each named in one line.
inline QString problemLine(const QString& problem)
{
    return QStringLiteral("quartet: %1详见“quartet --help”。").arg(problem);
}
inline QString unknownOption(const QString& typed)
{
    return QStringLiteral("未知选项“%1”。").arg(typed);
}
inline const QString kSolveWithDeal = QStringLiteral("--solve 和 --deal 不能同时使用。");
inline QString onlyWith(const QString& option, const QString& command)
{
    return QStringLiteral("%1 只能与 %2 同用。").arg(option, command);
}
inline QString notFourCards(qsizetype count)
{
    return QStringLiteral("--solve 需要四个牌值 A B C D，而不是 %1 个。").arg(count);
}
inline QString notACardValue(const QString& text)
{
    return QStringLiteral("“%1”不是牌值：牌值是 1 到 32767 的整数。").arg(text);
}
inline QString notANumberFrom(const QString& option, quint64 least, quint64 greatest, const QString& text)
{
    return QStringLiteral("%1 需要 %2 到 %3 的整数，而不是“%4”。").arg(option).arg(least).arg(greatest).arg(text);
}
inline QString notAPositiveNumber(const QString& option, const QString& text)
{
    return QStringLiteral("%1 需要正整数，而不是“%2”。").arg(option, text);
}
inline QString tooLarge(const QString& option, const QString& text)
{
    return QStringLiteral("%1 的值“%2”太大。").arg(option, text);
}
inline QString unexpectedArgument(const QString& argument, bool afterDoubleDash)
{
    const QString why = afterDoubleDash ? QStringLiteral("（“--”之后的词都是参数，不是选项）") : QString();
    return QStringLiteral("多余的参数“%1”%2：牌值要跟在 --solve 之后，例如 quartet --solve 1 2 3 4。")
        .arg(argument, why);
}
// Unreachable from the command line, which refuses a --max below 3.
inline const QString kMaxValTooSmall = QStringLiteral("最大牌值至少要为 3，才能发出可以算出 24 点的牌。");

// The output could not be written: the common reasons in Chinese, the
// system's own text for the rest.
inline const QString kCannotWrite = QStringLiteral("quartet: 无法写入输出");
inline QString writeFailureReason(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("设备上没有剩余空间");
    case EPIPE: return QStringLiteral("读取输出的管道已关闭");
    case EBADF: return QStringLiteral("输出已关闭");
    case EIO: return QStringLiteral("输入/输出错误");
    case EACCES:
    case EPERM: return QStringLiteral("没有写入权限");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}
inline QString cannotWrite(int error)
{
    return QStringLiteral("quartet: 无法写入输出：%1").arg(writeFailureReason(error));
}

}  // namespace quartet::commandLineTexts
