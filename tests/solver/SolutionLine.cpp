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
    explicit LineParser(std::string_view text) : text_(text) {}

    std::optional<ParsedLine> parse()
    {
        try {
            line_.value = expression();
            if (text_.substr(pos_) != "=24")
                return std::nullopt;
        } catch (const SyntaxError&) {
            return std::nullopt;
        }
        const auto shape = std::find(kShapeSkeletons.begin(), kShapeSkeletons.end(), skeleton_);
        if (shape != kShapeSkeletons.end())
            line_.shape = static_cast<int>(shape - kShapeSkeletons.begin()) + 1;
        return line_;
    }

private:
    double expression()
    {
        const double left = operand();
        const char symbol = next();
        if (kOperatorSymbols.find(symbol) == std::string_view::npos)
            throw SyntaxError{};
        line_.operators += symbol;
        skeleton_ += 'o';
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
            ++pos_;
            skeleton_ += '(';
            const double value = expression();
            if (next() != ')')
                throw SyntaxError{};
            skeleton_ += ')';
            return value;
        }
        const bool negative = peek() == '-';
        if (peek() == ' ' || negative)
            ++pos_;
        if (!std::isdigit(static_cast<unsigned char>(peek())))
            throw SyntaxError{};
        int value = 0;
        while (std::isdigit(static_cast<unsigned char>(peek())) && value < 100000)
            value = value * 10 + (next() - '0');
        value = negative ? -value : value;
        line_.cards.push_back(value);
        skeleton_ += 'N';
        return value;
    }

    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    char next() { return pos_ < text_.size() ? text_[pos_++] : '\0'; }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string skeleton_;
    ParsedLine line_;
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
