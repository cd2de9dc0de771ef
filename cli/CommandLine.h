// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/TextCommands.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <variant>

namespace quartet {

// The program's command line. Without options the program opens its window;
// --help, --version, --solve and --deal print to the terminal instead and
// need no display, so the command line is read before any QApplication
// exists.
class CommandLine {
public:
    explicit CommandLine(const QStringList& arguments);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // The arguments of main() as text.
    static QStringList argumentsOf(int argc, char* argv[]);

    bool opensWindow() const;

    // Carries out what the command line asks for other than the window: prints
    // to out, or names the problem in one line on err. Needs a
    // QCoreApplication. Returns the exit status.
    int run(std::ostream& out, std::ostream& err) const;

private:
    struct Window {};
    struct Help {};
    struct Version {};
    struct Problem {
        QString text;
    };
    using Request = std::variant<Window, Help, Version, Problem, SolveRequest, DealRequest>;

    Request read(const QStringList& arguments);
    Problem parseProblem(const QStringList& arguments) const;
    Request readSolve() const;
    Request readDeal() const;
    Request readWindow() const;
    // Reads the value of option, a whole number from least to greatest, into value.
    std::optional<Problem> readNumber(const QCommandLineOption& option, std::uint64_t least, std::uint64_t greatest,
                                      std::uint64_t& value) const;
    std::optional<Problem> readCount(std::uint64_t& value) const;
    Problem unexpectedArgument() const;
    const QCommandLineOption* firstSet(std::initializer_list<const QCommandLineOption*> options) const;
    int print(std::ostream& out) const;
    QString helpText() const;

    QCommandLineParser m_parser;
    const QCommandLineOption m_help;
    const QCommandLineOption m_version;
    const QCommandLineOption m_solve;
    const QCommandLineOption m_distinct;
    const QCommandLineOption m_count;
    const QCommandLineOption m_deal;
    const QCommandLineOption m_max;
    const QCommandLineOption m_seed;
    const QCommandLineOption m_answers;
    Request m_request;
};

}  // namespace quartet
