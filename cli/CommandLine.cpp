// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include "cli/CommandLineTexts.h"
#include "game/Dealer.h"
#include "quartet/ProgramInfo.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <limits>
#include <optional>

namespace quartet {

namespace {

namespace texts = commandLineTexts;

constexpr std::uint64_t kLargestCard = std::numeric_limits<std::int16_t>::max();
constexpr std::uint64_t kLargestSeed = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kMostHands = std::numeric_limits<std::uint64_t>::max();
constexpr std::int16_t kDefaultMaxVal = 13;

bool isDigits(const QString& text)
{
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

// A whole number written in decimal digits only: no sign, blank, fraction or
// exponent, so that a value is taken exactly as the player wrote it or not at all.
std::optional<std::uint64_t> wholeNumber(const QString& text, std::uint64_t least, std::uint64_t greatest)
{
    if (!isDigits(text))
        return std::nullopt;
    bool inRange = false;
    const qulonglong value = text.toULongLong(&inRange);
    if (!inRange || value < least || value > greatest)
        return std::nullopt;
    return value;
}

QString optionName(const QCommandLineOption& option)
{
    return QStringLiteral("--") + option.names().constLast();
}

// The argument, as typed, in which the parser found the unknown option
// `name`: "--name", "--name=value", or a group of one-letter options such
// as "-sx". The program's name and the words after "--" are not options.
QString typedOption(const QStringList& arguments, const QString& name)
{
    const auto first = arguments.begin() + std::min<qsizetype>(1, arguments.size());
    const auto end = std::find(first, arguments.end(), QStringLiteral("--"));
    const auto typed = std::find_if(first, end, [&name](const QString& argument) {
        const QString option = argument.section(u'=', 0, 0);
        if (option.startsWith(QStringLiteral("--")))
            return option.mid(2) == name;
        return option.size() > 1 && option.startsWith(u'-') && option.mid(1).contains(name);
    });
    return typed != end ? typed->section(u'=', 0, 0) : QStringLiteral("-") + name;
}

}  // namespace

CommandLine::CommandLine(const QStringList& arguments)
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, texts::kHelp),
      m_version({QStringLiteral("v"), QStringLiteral("version")}, texts::kVersion),
      m_solve(QStringLiteral("solve"), texts::kSolve), m_distinct(QStringLiteral("distinct"), texts::kDistinct),
      m_count(QStringLiteral("count"), texts::kCount),
      m_deal(QStringLiteral("deal"), texts::kDeal, QStringLiteral("N")),
      m_max(QStringLiteral("max"), texts::kMax, QStringLiteral("M")),
      m_seed(QStringLiteral("seed"), texts::kSeed, QStringLiteral("S")),
      m_answers(QStringLiteral("answers"), texts::kAnswers)
{
    m_parser.setApplicationDescription(texts::kDescription);
    m_parser.addOptions({m_help, m_version, m_solve, m_distinct, m_count, m_deal, m_max, m_seed, m_answers});
    m_parser.addPositionalArgument(QStringLiteral("A B C D"), texts::kCards, QStringLiteral("[A B C D]"));
    m_request = read(arguments);
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
        return Problem{texts::kSolveWithDeal};
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
        return Problem{texts::notACardValue(*negative)};
    if (!unknown.isEmpty())
        return Problem{texts::unknownOption(typedOption(arguments, unknown.constFirst()))};
    return Problem{m_parser.errorText()};
}

CommandLine::Request CommandLine::readSolve() const
{
    if (const QCommandLineOption* option = firstSet({&m_max, &m_seed, &m_answers}))
        return Problem{texts::onlyWith(optionName(*option), optionName(m_deal))};
    const QStringList cards = m_parser.positionalArguments();
    if (cards.size() != 4)
        return Problem{texts::notFourCards(cards.size())};

    SolveRequest request;
    for (std::size_t i = 0; i < request.hand.size(); ++i) {
        const QString& text = cards[static_cast<qsizetype>(i)];
        const std::optional<std::uint64_t> card = wholeNumber(text, 1, kLargestCard);
        if (!card)
            return Problem{texts::notACardValue(text)};
        request.hand[i] = static_cast<std::int16_t>(*card);
    }
    request.distinct = m_parser.isSet(m_distinct);
    request.countOnly = m_parser.isSet(m_count);
    return request;
}

CommandLine::Request CommandLine::readDeal() const
{
    if (const QCommandLineOption* option = firstSet({&m_distinct, &m_count}))
        return Problem{texts::onlyWith(optionName(*option), optionName(m_solve))};
    if (!m_parser.positionalArguments().isEmpty())
        return unexpectedArgument();

    DealRequest request;
    std::uint64_t maxVal = kDefaultMaxVal;
    std::uint64_t seed = 0;
    if (auto problem = readCount(request.hands))
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
        return Problem{texts::notANumberFrom(optionName(option), least, greatest, text)};
    value = *number;
    return std::nullopt;
}

// The number of hands. A bound of twenty digits tells a reader nothing, so
// the problem names no bound; --help gives it.
std::optional<CommandLine::Problem> CommandLine::readCount(std::uint64_t& value) const
{
    const QString text = m_parser.value(m_deal);
    if (const std::optional<std::uint64_t> count = wholeNumber(text, 1, kMostHands)) {
        value = *count;
        return std::nullopt;
    }
    const bool positive = isDigits(text) && std::any_of(text.begin(), text.end(), [](QChar c) { return c != u'0'; });
    if (positive)
        return Problem{texts::tooLarge(optionName(m_deal), text)};
    return Problem{texts::notAPositiveNumber(optionName(m_deal), text)};
}

CommandLine::Request CommandLine::readWindow() const
{
    if (const QCommandLineOption* option = firstSet({&m_distinct, &m_count}))
        return Problem{texts::onlyWith(optionName(*option), optionName(m_solve))};
    if (const QCommandLineOption* option = firstSet({&m_max, &m_seed, &m_answers}))
        return Problem{texts::onlyWith(optionName(*option), optionName(m_deal))};
    if (!m_parser.positionalArguments().isEmpty())
        return unexpectedArgument();
    return Window{};
}

CommandLine::Problem CommandLine::unexpectedArgument() const
{
    // An argument that looks like an option can only have come after "--".
    const QString argument = m_parser.positionalArguments().constFirst();
    const bool looksLikeAnOption = argument.size() > 1 && argument.startsWith(u'-');
    return Problem{texts::unexpectedArgument(argument, looksLikeAnOption)};
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
        err << texts::problemLine(problem->text).toStdString() << '\n';
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
        const QString line = reason != 0 ? texts::cannotWrite(reason) : texts::kCannotWrite;
        err << line.toStdString() << '\n';
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
    return m_parser.helpText() + QLatin1Char('\n') + texts::kDistinctRule + QLatin1Char('\n') + texts::kExitStatus;
}

}  // namespace quartet
