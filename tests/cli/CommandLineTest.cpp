// SPDX-License-Identifier: GPL-3.0-or-later
// The built program run as a process, as a user runs it from a terminal:
// with no display at all, unless a test gives it one.

#include "game/Dealer.h"
#include "game/RandomSource.h"
#include "solver/NormalForm.h"
#include "solver/Solver.h"
#include "tests/support/TemporaryDirectory.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>
#include <cstddef>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace quartet {
namespace {

using Lines = std::vector<std::string>;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

// Text as the program writes it, lines ending in LF: on Windows the C
// runtime ends them in CR LF, as text is written there.
std::string lines(QByteArray text)
{
#ifdef _WIN32
    text.replace("\r\n", "\n");
#endif
    return text.toStdString();
}

Outcome run(const QStringList& arguments, const QProcessEnvironment& environment = withoutDisplay(),
            const QString& outputFile = {}, const QString& programFile = QStringLiteral(QUARTET_PROGRAM))
{
    QProcess program;
    program.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        program.setStandardOutputFile(outputFile);
    program.start(programFile, arguments);
    const bool finished = program.waitForFinished(120000);
    Outcome result;
    result.out = lines(program.readAllStandardOutput());
    result.err = lines(program.readAllStandardError());
    // A crash (Qt's abort, a core dump) never counts as an exit status.
    if (finished && program.exitStatus() == QProcess::NormalExit)
        result.status = program.exitCode();
    return result;
}

QStringList arguments(const std::string& line)
{
    QStringList words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.append(QString::fromStdString(word));
    return words;
}

std::string joined(const Lines& lines, const std::string& indent = {})
{
    std::string text;
    for (const std::string& line : lines)
        text += indent + line + "\n";
    return text;
}

std::string handLine(const Hand& hand)
{
    return std::to_string(hand[0]) + " " + std::to_string(hand[1]) + " " + std::to_string(hand[2]) + " "
        + std::to_string(hand[3]) + "\n";
}

// What --deal N --seed S [--answers] must print: the game's own dealer
// drawing from a source seeded once with S.
std::string dealtBy(std::uint32_t seed, int hands, std::int16_t maxVal, bool answers)
{
    SeededRandomSource random(seed);
    Hand hand{};
    VectorResultList list;
    std::string text;
    for (int i = 0; i < hands; ++i) {
        if (deal(hand, list, random, maxVal) != DealOutcome::Dealt)
            return "no deal";
        text += handLine(hand);
        if (answers)
            text += joined(distinctSolutions(solutionLines(hand)), "    ");
    }
    return text;
}

TEST(CommandLine, AnswersEveryCommandLineWithoutADisplay)
{
    struct Case {
        std::string arguments;
        int status;
        std::string out;  // exactly this on standard output; for a refusal, a part of the one error line
    };
    const std::string help = "(help)";
    const Case cases[] = {
        {"--help", 0, help},
        {"-h", 0, help},
        {"--solve 1 2 3 --help", 0, help},
        {"--version", 0, "quartet " QUARTET_VERSION "\n"},
        {"-v", 0, "quartet " QUARTET_VERSION "\n"},
        {"--solve 1 1 1 1", 1, "此组合无法形成24点\n"},
        {"--solve 13 13 13 13 --distinct", 1, "此组合无法形成24点\n"},
        {"--solve 1 1 1 1 --count", 1, "0\n"},
        {"--solve 32767 32767 32767 32767", 1, "此组合无法形成24点\n"},
        {"--solve 1 2 3 4 --count", 0, "242\n"},
        {"--count --solve 6 6 6 6", 0, "168\n"},
        {"--solve 6 6 6 6 --count --distinct", 0, "2\n"},
        {"-platform offscreen --solve 6 6 6 6 --count --distinct", 0, "2\n"},  // Qt's option, left to Qt
        {"--solve 3 3 8 8 --distinct", 0, " 8/( 3-( 8/ 3))=24\n"},
        {"--solve 008 3 8 3 --distinct", 0, " 8/( 3-( 8/ 3))=24\n"},
        {"--frobnicate", 2, "未知选项“--frobnicate”。"},
        {"-s", 2, "未知选项“-s”。"},
        {"-vx", 2, "未知选项“-vx”。"},
        {"--solve 1 2 3", 2, "--solve 需要四个牌值"},
        {"--solve 1 2 3 4 5", 2, "--solve 需要四个牌值"},
        {"--solve 0 2 3 4", 2, "“0”不是牌值"},
        {"--solve 1 2 3 32768", 2, "“32768”不是牌值"},
        {"--solve 1.0 2 3 4", 2, "“1.0”不是牌值"},
        {"--solve 1 +2 3 4", 2, "“+2”不是牌值"},
        {"--solve 1 2 -3 4", 2, "“-3”不是牌值"},
        {"--solve 1 2 3 0x4", 2, "“0x4”不是牌值"},
        {"--solve 1 2 3 ４", 2, "“４”不是牌值"},
        {"--deal", 2, "“--deal”之后缺少值"},
        {"--deal 0", 2, "--deal 需要正整数，而不是“0”。"},
        {"--deal many", 2, "--deal 需要正整数，而不是“many”。"},
        {"--deal 18446744073709551616", 2, "--deal 的值“18446744073709551616”太大。"},
        {"--deal 2 --max 2", 2, "--max 需要 3 到 32767 的整数"},
        {"--deal 2 --max 32768", 2, "--max 需要"},
        {"--deal 2 --seed 4294967296", 2, "--seed 需要"},
        {"--deal 2 --seed -1", 2, "--seed 需要"},
        {"--deal 2 3", 2, "多余的参数“3”"},
        {"--deal 2 --solve 1 2 3 4", 2, "不能同时使用"},
        {"--deal 2 --distinct", 2, "--distinct 只能与 --solve 同用"},
        {"--solve 1 2 3 4 --seed 5", 2, "--seed 只能与 --deal 同用"},
        {"--answers", 2, "--answers 只能与 --deal 同用"},
        {"1 2 3 4", 2, "多余的参数“1”：牌值要跟在 --solve 之后，例如 quartet --solve 1 2 3 4。"},
        {"-- --solve 1 2 3 4", 2, "参数“--solve”（“--”之后的词都是参数，不是选项）：牌值要跟在 --solve 之后"},
        {"-- -platform xcb", 2, "参数“-platform”（“--”之后的词都是参数，不是选项）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Outcome result = run(arguments(c.arguments));
        EXPECT_EQ(result.status, c.status) << result.err;
        if (c.status == 2) {
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line:\n" << result.err;
            EXPECT_EQ(result.err.rfind("quartet: ", 0), 0u) << result.err;
            EXPECT_NE(result.err.find(c.out), std::string::npos) << result.err;
            EXPECT_NE(result.err.find("quartet --help"), std::string::npos) << result.err;
        } else if (c.out == help) {
            EXPECT_EQ(result.err, "");
            for (const char* part :
                 {"用法：", "选项：", "--solve", "--distinct", "--count", "--deal <N>", "--max <M>", "--seed <S>",
                  "--answers", "a-(b-c) 即 a-b+c", "a/(b/c) 即 a/b x c", "18446744073709551615", "SIGPIPE 信号终止",
                  "$ quartet --solve 1 1 1 1; echo $?\n  此组合无法形成24点\n  1\n"})
                EXPECT_NE(result.out.find(part), std::string::npos) << part;
        } else {
            EXPECT_EQ(result.err, "");
            EXPECT_EQ(result.out, c.out);
        }
    }
}

TEST(CommandLine, SolvesAsTheResultListShows)
{
    for (const Hand hand : {Hand{1, 2, 3, 4}, Hand{3, 3, 8, 8}, Hand{6, 6, 6, 6}, Hand{10, 10, 4, 4}, Hand{1, 5, 5, 5},
                            Hand{12, 1, 1, 1}, Hand{300, 25, 12, 1}}) {
        const QStringList cards{QString::number(hand[0]), QString::number(hand[1]), QString::number(hand[2]),
                                QString::number(hand[3])};
        SCOPED_TRACE(cards.join(u' ').toStdString());
        const Lines lines = solutionLines(hand);

        const Outcome all = run(QStringList{QStringLiteral("--solve")} + cards);
        EXPECT_EQ(all.out, joined(lines));
        const Outcome distinct = run(QStringList{QStringLiteral("--solve"), QStringLiteral("--distinct")} + cards);
        EXPECT_EQ(distinct.out, joined(distinctSolutions(lines)));
        EXPECT_EQ(all.status, 0);
        EXPECT_EQ(distinct.status, 0);
    }
}

TEST(CommandLine, DealsAsTheGameDealsAndRepeatsForTheSameSeed)
{
    EXPECT_EQ(run(arguments("--deal 3 --seed 7")).out, "1 3 11 5\n6 13 10 6\n13 5 8 4\n");
    const Outcome first = run(arguments("--deal 25 --seed 7"));
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, dealtBy(7, 25, 13, false));
    EXPECT_EQ(run(arguments("--seed 7 --deal 25")).out, first.out);
    EXPECT_NE(run(arguments("--deal 25 --seed 8")).out, first.out);

    EXPECT_EQ(run(arguments("--deal 10 --max 3 --seed 4294967295")).out, dealtBy(4294967295u, 10, 3, false));
    EXPECT_EQ(run(arguments("--deal 3 --max 32767 --seed 0")).out, dealtBy(0, 3, 32767, false));

    const Outcome worksheet = run(arguments("--deal 4 --seed 1 --answers"));
    EXPECT_EQ(worksheet.status, 0) << worksheet.err;
    EXPECT_EQ(worksheet.out, dealtBy(1, 4, 13, true));

    // Without a seed every hand is seeded from the clock, as in the window.
    const Outcome unseeded = run(arguments("--deal 3"));
    EXPECT_EQ(unseeded.status, 0) << unseeded.err;
    std::istringstream hands(unseeded.out);
    int count = 0;
    for (Hand hand; hands >> hand[0] >> hand[1] >> hand[2] >> hand[3]; ++count) {
        for (const std::int16_t card : hand)
            EXPECT_TRUE(card >= 1 && card <= 13) << unseeded.out;
        EXPECT_NE(solutionLines(hand).front(), kNoSolutionLine) << unseeded.out;
    }
    EXPECT_EQ(count, 3) << unseeded.out;
    EXPECT_NE(run(arguments("--deal 3")).out, unseeded.out) << "the same hands at two starts";
}

// Linux's displays and its ways of failing an output; the Windows build
// has neither.
#ifndef _WIN32
QProcessEnvironment withoutDisplay(const char* name, const char* value)
{
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
    return environment;
}

// Whether Qt's offscreen platform starts, the window opening next, rather
// than the program ending first. Qt says so in its debug output, which the
// start guard holds and then passes on as Qt prints it: a line of the
// category and the text.
bool platformStarts(const QStringList& arguments, QProcessEnvironment environment)
{
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.qpa.plugin.debug=true"));
    environment.remove(QStringLiteral("QT_MESSAGE_PATTERN"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setReadChannel(QProcess::StandardError);
    program.start(QStringLiteral(QUARTET_PROGRAM), arguments);
    QByteArray err = "\n";
    const QByteArray loaded = "Successfully loaded Qt platform plugin";
    const QByteArray started = "\nqt.qpa.plugin: " + loaded + " \"offscreen\"\n";
    while (!err.contains(loaded) && program.waitForReadyRead(120000))
        err += program.readAllStandardError();
    const bool running = program.state() == QProcess::Running && err.contains(started);
    program.kill();
    program.waitForFinished();
    return running;
}

// A display server that takes connections and never answers, hung: at a
// path, or at an abstract socket name (a leading NUL).
class SilentSocket {
public:
    explicit SilentSocket(const std::string& name) : m_fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        name.copy(address.sun_path, sizeof address.sun_path - 1);
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
        m_listening = ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && ::listen(m_fd, 8) == 0;
    }
    ~SilentSocket() { ::close(m_fd); }
    SilentSocket(const SilentSocket&) = delete;
    SilentSocket& operator=(const SilentSocket&) = delete;
    bool listening() const { return m_listening; }

private:
    const int m_fd;
    bool m_listening = false;
};

TEST(CommandLine, WindowWithoutADisplaySaysSoInOneLine)
{
    struct Case {
        const char* arguments;
        QProcessEnvironment environment;
        std::string says;
    };
    const std::string virtualDisplay = "；如需在虚拟显示上运行：xvfb-run -a ";
    // An X display whose socket (libxcb tries the abstract one first) and a
    // Wayland display whose socket take the connection and say nothing.
    const test::TemporaryDirectory folder;
    const std::string wayland = folder.path() + "/wayland-0";
    const SilentSocket silentWayland(wayland);
    std::optional<SilentSocket> silentX;
    int x = 6400;
    while (!silentX.emplace(std::string(1, '\0') + "/tmp/.X11-unix/X" + std::to_string(x)).listening() && x < 6500)
        ++x;
    ASSERT_TRUE(silentWayland.listening() && silentX->listening());
    QProcessEnvironment silentDisplays = withoutDisplay("DISPLAY", (":" + std::to_string(x)).c_str());
    silentDisplays.insert(QStringLiteral("WAYLAND_DISPLAY"), QString::fromStdString(wayland));
    // Without a runtime folder libwayland-client has its own line to say.
    QProcessEnvironment waylandOnly = withoutDisplay("WAYLAND_DISPLAY", "wayland-none");
    waylandOnly.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const Case cases[] = {
        {"", silentDisplays, "连接 X 显示 :" + std::to_string(x) + " 和 Wayland 显示 " + wayland + " 均失败"},
        {"", withoutDisplay(), "DISPLAY 和 WAYLAND_DISPLAY 都未设置" + virtualDisplay},
        {"", withoutDisplay("DISPLAY", ":65000"), "连接 X 显示 :65000 失败" + virtualDisplay},
        {"", waylandOnly, "连接 Wayland 显示 wayland-none 失败" + virtualDisplay},
        {"", withoutDisplay("QT_QPA_PLATFORM", "bogus"), "QT_QPA_PLATFORM 指定的图形平台“bogus”无法启动\n"},
        {"", withoutDisplay("QT_QPA_PLATFORM", "wayland"), "QT_QPA_PLATFORM 指定的图形平台“wayland”无法启动\n"},
        {"-platform bogus", withoutDisplay("QT_QPA_PLATFORM", "offscreen"),
         "-platform 指定的图形平台“bogus”无法启动\n"},
    };
    for (const Case& c : cases) {
        const Outcome result = run(arguments(c.arguments), c.environment);
        EXPECT_EQ(result.status, 1) << "no crash, no Qt abort:\n" << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line:\n" << result.err;
        EXPECT_EQ(result.err.rfind("quartet: 无法打开窗口：", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
    // A platform that needs no display, named either way, is taken at its word.
    EXPECT_TRUE(platformStarts({}, withoutDisplay("QT_QPA_PLATFORM", "offscreen")));
    EXPECT_TRUE(platformStarts(arguments("-platform offscreen"), withoutDisplay()));
}

TEST(CommandLine, OutputThatCannotBeWrittenIsAFailure)
{
    // A short output fails only when it is flushed at the end, a long one on
    // the way; a reader that stops early fails it when SIGPIPE is ignored, as
    // some launchers leave it; a closed output (">&-") has no descriptor that
    // anything else may take in its place.
    const QString full = QStringLiteral("/dev/full");
    const QString pipe =
        QStringLiteral("trap '' PIPE; \"$0\" --deal 100000 --answers | head -c 1; exit ${PIPESTATUS[0]}");
    const QString closed = QStringLiteral("\"$0\" --deal 1 --seed 8 >&-");
    const QString bash = QStringLiteral("/bin/bash");
    const std::pair<Outcome, std::string> cases[] = {
        {run(arguments("--solve 1 2 3 4"), withoutDisplay(), full), "设备上没有剩余空间"},
        {run(arguments("--deal 2000 --seed 1 --answers"), withoutDisplay(), full), "设备上没有剩余空间"},
        {run({QStringLiteral("-c"), pipe, QStringLiteral(QUARTET_PROGRAM)}, withoutDisplay(),
             QStringLiteral("/dev/null"), bash),
         "读取输出的管道已关闭"},
        {run({QStringLiteral("-c"), closed, QStringLiteral(QUARTET_PROGRAM)}, withoutDisplay(), {}, bash),
         "输出已关闭"},
    };
    for (const auto& [result, reason] : cases) {
        EXPECT_EQ(result.status, 2) << reason;
        EXPECT_EQ(result.err, "quartet: 无法写入输出：" + reason + "\n");
    }
    // Otherwise a reader that stops early ends it by SIGPIPE, silently, as it ends every filter.
    const QString filter = QStringLiteral("\"$0\" --deal 100000 --answers | head -1; exit ${PIPESTATUS[0]}");
    const Outcome ended = run({QStringLiteral("-c"), filter, QStringLiteral(QUARTET_PROGRAM)}, withoutDisplay(),
                              QStringLiteral("/dev/null"), bash);
    EXPECT_EQ(ended.status, 128 + SIGPIPE);
    EXPECT_EQ(ended.err, "");
}

#endif

}  // namespace
}  // namespace quartet
