// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/solver/SolutionLine.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace quartet::test {

namespace {

// The five bracketings of four operands, numbers written N and operators o.
constexpr std::array<std::string_view, 5> kShapeSkeletons = {"((NoN)oN)oN", "(NoN)o(NoN)", "(No(NoN))oN", "No((NoN)oN)",
                                                             "No(No(NoN))"};

constexpr std::string_view kOperatorSymbols = "+-x/";

// The card positions that become a, b, c, d, in the order the search tries them.
constexpr std::array<std::array<int, 4>, 24> kOrderings = {{
    {0, 3, 2, 1}, {0, 3, 1, 2}, {0, 1, 3, 2}, {0, 1, 2, 3}, {0, 2, 3, 1}, {0, 2, 1, 3}, {1, 0, 2, 3}, {1, 0, 3, 2},
    {1, 3, 0, 2}, {1, 3, 2, 0}, {1, 2, 0, 3}, {1, 2, 3, 0}, {2, 0, 3, 1}, {2, 0, 1, 3}, {2, 1, 0, 3}, {2, 1, 3, 0},
    {2, 3, 0, 1}, {2, 3, 1, 0}, {3, 0, 2, 1}, {3, 0, 1, 2}, {3, 1, 0, 2}, {3, 1, 2, 0}, {3, 2, 0, 1}, {3, 2, 1, 0},
}};

struct SyntaxError {};

// expression := operand operator operand
// operand    := "(" expression ")" | [" " | "-"] digits
class LineParser {
public:
    explicit LineParser(std::string_view text) : m_text(text) {}

    std::optional<ParsedLine> parse()
    {
        try {
            m_line.value = expression();
            if (m_text.substr(m_pos) != "=24")
                return std::nullopt;
        } catch (const SyntaxError&) {
            return std::nullopt;
        }
        const auto shape = std::find(kShapeSkeletons.begin(), kShapeSkeletons.end(), m_skeleton);
        if (shape != kShapeSkeletons.end())
            m_line.shape = static_cast<int>(shape - kShapeSkeletons.begin()) + 1;
        return m_line;
    }

private:
    double expression()
    {
        const double left = operand();
        const char symbol = next();
        if (kOperatorSymbols.find(symbol) == std::string_view::npos)
            throw SyntaxError{};
        m_line.operators += symbol;
        m_skeleton += 'o';
        const double right = operand();
        switch (symbol) {
        case '+': return left + right;
        case '-': return left - right;
        case 'x': return left * right;
        default: return left / right;
        }
    }

    double operand()
    {
        if (peek() == '(') {
            ++m_pos;
            m_skeleton += '(';
            const double value = expression();
            if (next() != ')')
                throw SyntaxError{};
            m_skeleton += ')';
            return value;
        }
        const bool negative = peek() == '-';
        if (peek() == ' ' || negative)
            ++m_pos;
        if (!std::isdigit(static_cast<unsigned char>(peek())))
            throw SyntaxError{};
        int value = 0;
        while (std::isdigit(static_cast<unsigned char>(peek())) && value < 100000)
            value = value * 10 + (next() - '0');
        value = negative ? -value : value;
        m_line.cards.push_back(value);
        m_skeleton += 'N';
        return value;
    }

    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    char next() { return m_pos < m_text.size() ? m_text[m_pos++] : '\0'; }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_skeleton;
    ParsedLine m_line;
};

}  // namespace

std::optional<ParsedLine> parseSolutionLine(std::string_view line)
{
    return LineParser(line).parse();
}

int searchOrderKey(const Hand& hand, const ParsedLine& line)
{
    if (line.cards.size() != 4 || line.operators.size() != 3 || line.shape == 0)
        return -1;
    std::array<int, 4> positions{};
    for (std::size_t n = 0; n < 4; ++n) {
        const auto found = std::find(hand.begin(), hand.end(), line.cards[n]);
        if (found == hand.end())
            return -1;
        positions[n] = static_cast<int>(found - hand.begin());
    }
    const auto ordering = std::find(kOrderings.begin(), kOrderings.end(), positions);
    if (ordering == kOrderings.end())
        return -1;
    int key = static_cast<int>(ordering - kOrderings.begin());
    for (const char symbol : line.operators)
        key = key * 4 + static_cast<int>(kOperatorSymbols.find(symbol));
    return key * 5 + line.shape - 1;
}

}  // namespace quartet::test
