// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "game/Dealer.h"
#include "quartet/ProgramInfo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <limits>
#include <optional>

namespace quartet {

namespace {

constexpr std::uint64_t kLargestCard = std::numeric_limits<std::int16_t>::max();
constexpr std::uint64_t kLargestSeed = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kMostHands = std::numeric_limits<std::uint64_t>::max();
constexpr std::int16_t kDefaultMaxVal = 13;

const QString kDescription =
    QStringLiteral("Quartet, the card puzzle: combine four card values into 24 with + - x / and\n"
                   "brackets, each card used once. Without options it opens its window; the\n"
                   "options below print to the terminal instead and need no display.");

const QString kDistinctRule =
    QStringLiteral("Distinct solutions: two lines are the same solution when their expressions\n"
                   "have the same normal form. Nested + and - are flattened into one sum of\n"
                   "signed terms (a-(b-c) is a-b+c), nested x and / into one product of factors,\n"
                   "each multiplied or divided by (a/(b/c) is a/b x c); then the terms of every\n"
                   "sum and the factors of every product are sorted. Nothing else is rewritten:\n"
                   "2x(3+3) and 2x3+2x3 stay apart.\n");

const QString kExitStatus =
    QStringLiteral("Exit status: 0 on success; 1 when the hand of --solve has no solution, or\n"
                   "when there is no display for the window (xvfb-run -a quartet runs it on a\n"
                   "virtual one); 2 for a bad option or value, or output that cannot be written.\n");

// A whole number written in decimal digits only: no sign, blank, fraction or
// exponent, so that a value is taken exactly as the player wrote it or not at all.
std::optional<std::uint64_t> wholeNumber(const QString& text, std::uint64_t least, std::uint64_t greatest)
{
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    bool inRange = false;
    const qulonglong value = text.toULongLong(&inRange);
    if (!inRange || value < least || value > greatest)
        return std::nullopt;
    return value;
}

QString notACardValue(const QString& text)
{
    return QStringLiteral("'%1' is not a card value: card values are whole numbers from 1 to 32767.").arg(text);
}

QString optionName(const QCommandLineOption& option)
{
    return QStringLiteral("--") + option.names().constLast();
}

}  // namespace

CommandLine::CommandLine(const QStringList& arguments)
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")),
      m_version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version and exit.")),
      m_solve(QStringLiteral("solve"),
              QStringLiteral("Print the solutions of the hand A B C D, one line each, as the window's result list "
                             "shows them: all of them in the order found, repeats included, or the no-solution line.")),
      m_distinct(QStringLiteral("distinct"),
                 QStringLiteral("With --solve: print one line per distinct solution, the first found of each, "
                                "in the order found (see below).")),
      m_count(QStringLiteral("count"),
              QStringLiteral("With --solve: print only the number of lines, 0 for a hand without a solution.")),
      m_deal(QStringLiteral("deal"),
             QStringLiteral("Print N solvable hands, one per line, dealt as the window deals them."),
             QStringLiteral("N")),
      m_max(QStringLiteral("max"), QStringLiteral("With --deal: the largest card value, 3 to 32767 (default 13)."),
            QStringLiteral("M")),
      m_seed(QStringLiteral("seed"),
             QStringLiteral("With --deal: a seed from 0 to 4294967295; the same seed gives the same hands. "
                            "Without it every hand is seeded from the clock, as in the window."),
             QStringLiteral("S")),
      m_answers(QStringLiteral("answers"),
                QStringLiteral("With --deal: follow each hand by its distinct solutions, indented: "
                               "a worksheet with its answer key."))
{
    m_parser.setApplicationDescription(kDescription);
    m_parser.addOptions({m_help, m_version, m_solve, m_distinct, m_count, m_deal, m_max, m_seed, m_answers});
    m_parser.addPositionalArgument(QStringLiteral("A B C D"),
                                   QStringLiteral("With --solve: the four card values, whole numbers from 1 to "
                                                  "32767 in decimal digits (no sign, no fraction)."),
                                   QStringLiteral("[A B C D]"));
    m_request = read(arguments);
}

QStringList CommandLine::argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

bool CommandLine::opensWindow() const
{
    return std::holds_alternative<Window>(m_request);
}

CommandLine::Request CommandLine::read(const QStringList& arguments)
{
    if (!m_parser.parse(arguments))
        return parseProblem(arguments);
    if (m_parser.isSet(m_help))
        return Help{};
    if (m_parser.isSet(m_version))
        return Version{};
    if (m_parser.isSet(m_solve) && m_parser.isSet(m_deal))
        return Problem{QStringLiteral("--solve and --deal cannot be used together.")};
    if (m_parser.isSet(m_solve))
        return readSolve();
    if (m_parser.isSet(m_deal))
        return readDeal();
    return readWindow();
}

CommandLine::Problem CommandLine::parseProblem(const QStringList& arguments) const
{
    // "-5" reads as the unknown option "5"; name it as the card value it was meant to be.
    const QStringList unknown = m_parser.unknownOptionNames();
    const bool digitOption = std::any_of(unknown.begin(), unknown.end(),
                                         [](const QString& name) { return !name.isEmpty() && name.front().isDigit(); });
    const auto negative = std::find_if(arguments.begin(), arguments.end(), [](const QString& argument) {
        return argument.size() > 1 && argument[0] == u'-' && argument[1].isDigit();
    });
    if (digitOption && negative != arguments.end())
        return Problem{notACardValue(*negative)};
    return Problem{m_parser.errorText()};
}

CommandLine::Request CommandLine::readSolve() const
{
    if (const QCommandLineOption* option = firstSet({&m_max, &m_seed, &m_answers}))
        return Problem{optionName(*option) + QStringLiteral(" goes only with --deal.")};
    const QStringList cards = m_parser.positionalArguments();
    if (cards.size() != 4)
        return Problem{QStringLiteral("--solve takes four card values, A B C D, not %1.").arg(cards.size())};

    SolveRequest request;
    for (std::size_t i = 0; i < request.hand.size(); ++i) {
        const QString& text = cards[static_cast<qsizetype>(i)];
        const std::optional<std::uint64_t> card = wholeNumber(text, 1, kLargestCard);
        if (!card)
            return Problem{notACardValue(text)};
        request.hand[i] = static_cast<std::int16_t>(*card);
    }
    request.distinct = m_parser.isSet(m_distinct);
    request.countOnly = m_parser.isSet(m_count);
    return request;
}

CommandLine::Request CommandLine::readDeal() const
{
    if (const QCommandLineOption* option = firstSet({&m_distinct, &m_count}))
        return Problem{optionName(*option) + QStringLiteral(" goes only with --solve.")};
    if (!m_parser.positionalArguments().isEmpty())
        return unexpectedArgument();

    DealRequest request;
    std::uint64_t maxVal = kDefaultMaxVal;
    std::uint64_t seed = 0;
    if (auto problem = readNumber(m_deal, 1, kMostHands, request.hands))
        return *problem;
    // Below 3 no hand has a solution, and the game refuses such a deal.
    const auto smallestMaxVal = static_cast<std::uint64_t>(kSmallestDealableMaxVal);
    if (m_parser.isSet(m_max)) {
        if (auto problem = readNumber(m_max, smallestMaxVal, kLargestCard, maxVal))
            return *problem;
    }
    if (m_parser.isSet(m_seed)) {
        if (auto problem = readNumber(m_seed, 0, kLargestSeed, seed))
            return *problem;
        request.seed = static_cast<std::uint32_t>(seed);
    }
    request.maxVal = static_cast<std::int16_t>(maxVal);
    request.answers = m_parser.isSet(m_answers);
    return request;
}

std::optional<CommandLine::Problem> CommandLine::readNumber(const QCommandLineOption& option, std::uint64_t least,
                                                            std::uint64_t greatest, std::uint64_t& value) const
{
    const QString text = m_parser.value(option);
    const std::optional<std::uint64_t> number = wholeNumber(text, least, greatest);
    if (!number)
        return Problem{QStringLiteral("%1 takes a whole number from %2 to %3, not '%4'.")
                           .arg(optionName(option))
                           .arg(least)
                           .arg(greatest)
                           .arg(text)};
    value = *number;
    return std::nullopt;
}

CommandLine::Request CommandLine::readWindow() const
{
    if (const QCommandLineOption* option = firstSet({&m_distinct, &m_count}))
        return Problem{optionName(*option) + QStringLiteral(" goes only with --solve.")};
    if (const QCommandLineOption* option = firstSet({&m_max, &m_seed, &m_answers}))
        return Problem{optionName(*option) + QStringLiteral(" goes only with --deal.")};
    if (!m_parser.positionalArguments().isEmpty())
        return unexpectedArgument();
    return Window{};
}

CommandLine::Problem CommandLine::unexpectedArgument() const
{
    return Problem{QStringLiteral("Unexpected argument '%1': card values go with --solve.")
                       .arg(m_parser.positionalArguments().constFirst())};
}

const QCommandLineOption* CommandLine::firstSet(std::initializer_list<const QCommandLineOption*> options) const
{
    const auto set = std::find_if(options.begin(), options.end(),
                                  [this](const QCommandLineOption* option) { return m_parser.isSet(*option); });
    return set != options.end() ? *set : nullptr;
}

int CommandLine::run(std::ostream& out, std::ostream& err) const
{
    if (const auto* problem = std::get_if<Problem>(&m_request)) {
        err << "quartet: " << problem->text.toStdString() << " Try 'quartet --help' for more information.\n";
        return Trouble;
    }
    int status = Success;
    errno = 0;
    try {
        status = print(out);
    } catch (const std::exception& error) {
        err << "quartet: " << error.what() << '\n';
        return Trouble;
    }
    if (!out.flush()) {
        const int reason = errno;
        err << "quartet: cannot write the output" << (reason != 0 ? ": " : "")
            << (reason != 0 ? std::strerror(reason) : "") << '\n';
        return Trouble;
    }
    return status;
}

int CommandLine::print(std::ostream& out) const
{
    if (std::holds_alternative<Help>(m_request))
        out << helpText().toStdString();
    else if (std::holds_alternative<Version>(m_request))
        out << "quartet " << program::kVersion << '\n';
    else if (const auto* solve = std::get_if<SolveRequest>(&m_request))
        return printSolutions(*solve, out);
    else if (const auto* deal = std::get_if<DealRequest>(&m_request))
        return printDeal(*deal, out);
    return Success;
}

QString CommandLine::helpText() const
{
    return m_parser.helpText() + QLatin1Char('\n') + kDistinctRule + QLatin1Char('\n') + kExitStatus;
}

}  // namespace quartet
