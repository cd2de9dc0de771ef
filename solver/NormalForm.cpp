// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/NormalForm.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>

namespace quartet {

namespace {

// One term of a sum or one factor of a product: its normal form as text, and
// whether it is subtracted (divided by) rather than added (multiplied by).
struct Part {
    bool inverted = false;
    std::string text;

    bool operator<(const Part& other) const { return std::tie(inverted, text) < std::tie(other.inverted, other.text); }
};

// A sub-expression on its way to normal form: a card value, or a sum or a
// product of parts. A part of a sum is never itself a sum, nor a part of a
// product a product: nesting of the same kind is flattened as it is built.
struct Node {
    enum class Kind { Card, Sum, Product };

    Kind kind = Kind::Card;
    std::string card;  // the value's digits, with "-" in front when negative
    std::vector<Part> parts;
};

Node::Kind groupOf(char op)
{
    return op == '+' || op == '-' ? Node::Kind::Sum : Node::Kind::Product;
}

bool inverts(char op)
{
    return op == '-' || op == '/';
}

std::string render(const Node& node)
{
    if (node.kind == Node::Kind::Card)
        return node.card.front() == '-' ? "(" + node.card + ")" : node.card;

    std::vector<Part> parts = node.parts;
    std::sort(parts.begin(), parts.end());
    const bool sum = node.kind == Node::Kind::Sum;
    std::string text;
    for (const Part& part : parts) {
        if (part.inverted)
            text += sum ? '-' : '/';
        else if (!text.empty())
            text += sum ? '+' : 'x';
        text += part.text;
    }
    return text;
}

// Adds node to the parts of a group: its own parts when it is a group of the
// same kind (a subtracted sum subtracts each of its terms), else node whole.
void appendParts(std::vector<Part>& parts, const Node& node, Node::Kind group, bool inverted)
{
    if (node.kind == group) {
        for (const Part& part : node.parts)
            parts.push_back({part.inverted != inverted, part.text});
        return;
    }
    // A sum inside a product keeps its brackets; a product inside a sum needs none.
    const std::string text = render(node);
    parts.push_back({inverted, node.kind == Node::Kind::Sum ? "(" + text + ")" : text});
}

Node combine(const Node& left, char op, const Node& right)
{
    Node result;
    result.kind = groupOf(op);
    appendParts(result.parts, left, result.kind, false);
    appendParts(result.parts, right, result.kind, inverts(op));
    return result;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the solver's line format, "<pair>=24": a pair is two operands joined
// by one of + - x /, and an operand is a card value (" 7", or "-7" when
// negative) or a bracketed pair.
class LineReader {
public:
    explicit LineReader(std::string_view line) : m_rest(line) {}

    std::optional<Node> read()
    {
        std::optional<Node> expression = pair(0);
        if (!expression || m_rest != "=24")
            return std::nullopt;
        return expression;
    }

private:
    // Solution lines nest brackets two deep; the limit keeps any other text
    // from exhausting the stack.
    static constexpr int kDeepestNesting = 8;

    std::optional<Node> pair(int depth)
    {
        std::optional<Node> left = operand(depth);
        if (!left || m_rest.empty())
            return std::nullopt;
        const char op = m_rest.front();
        if (op != '+' && op != '-' && op != 'x' && op != '/')
            return std::nullopt;
        m_rest.remove_prefix(1);
        std::optional<Node> right = operand(depth);
        if (!right)
            return std::nullopt;
        return combine(*left, op, *right);
    }

    std::optional<Node> operand(int depth)
    {
        if (!take('('))
            return card();
        if (depth == kDeepestNesting)
            return std::nullopt;
        std::optional<Node> inner = pair(depth + 1);
        if (!inner || !take(')'))
            return std::nullopt;
        return inner;
    }

    std::optional<Node> card()
    {
        const bool negative = take('-');
        if (!negative && !take(' '))
            return std::nullopt;
        const auto digits =
            static_cast<std::size_t>(std::find_if_not(m_rest.begin(), m_rest.end(), isDigit) - m_rest.begin());
        if (digits == 0)
            return std::nullopt;
        Node node;
        node.card = negative ? "-" : "";
        node.card += m_rest.substr(0, digits);
        m_rest.remove_prefix(digits);
        return node;
    }

    bool take(char c)
    {
        if (m_rest.empty() || m_rest.front() != c)
            return false;
        m_rest.remove_prefix(1);
        return true;
    }

    std::string_view m_rest;
};

}  // namespace

std::optional<std::string> normalForm(std::string_view line)
{
    const std::optional<Node> expression = LineReader(line).read();
    if (!expression)
        return std::nullopt;
    return render(*expression);
}

std::vector<std::string> distinctSolutions(const std::vector<std::string>& lines)
{
    std::unordered_set<std::string> seen;
    std::vector<std::string> distinct;
    for (const std::string& line : lines) {
        // A normal form never holds "=", so no other line can take its key.
        std::string key = normalForm(line).value_or("=" + line);
        if (seen.insert(std::move(key)).second)
            distinct.push_back(line);
    }
    return distinct;
}

}  // namespace quartet
