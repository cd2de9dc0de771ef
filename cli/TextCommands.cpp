// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TextCommands.h"

#include "cli/CommandLineTexts.h"
#include "game/Dealer.h"
#include "game/RandomSource.h"
#include "numbers/NumberText.h"
#include "solver/NormalForm.h"
#include "solver/Solver.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quartet {

namespace {

using Lines = std::vector<std::string>;

// The solver and the dealer are reached here only, as the window reaches them.

Hand dealHand(RandomSource& random, std::int16_t maxVal)
{
    Hand hand{};
    VectorResultList list;
    if (deal(hand, list, random, maxVal) != DealOutcome::Dealt)
        throw std::invalid_argument(commandLineTexts::kMaxValTooSmall.toStdString());
    return hand;
}

bool isSolvable(const Lines& lines)
{
    return !(lines.size() == 1 && lines.front() == kNoSolutionLine);
}

std::unique_ptr<RandomSource> randomSourceFor(const DealRequest& request)
{
    if (request.seed)
        return std::make_unique<SeededRandomSource>(*request.seed);
    return std::make_unique<ClockRandomSource>();
}

void printHand(const Hand& hand, std::ostream& out)
{
    const char* separator = "";
    for (const std::int16_t card : hand) {
        out << separator << numberText(card);
        separator = " ";
    }
    out << '\n';
}

}  // namespace

ExitStatus printSolutions(const SolveRequest& request, std::ostream& out)
{
    const Lines all = solutionLines(request.hand);
    const bool solvable = isSolvable(all);
    const Lines lines = request.distinct ? distinctSolutions(all) : all;
    if (request.countOnly) {
        out << (solvable ? lines.size() : 0) << '\n';
    } else {
        for (const std::string& line : lines)
            out << line << '\n';
    }
    return solvable ? Success : NoSolution;
}

ExitStatus printDeal(const DealRequest& request, std::ostream& out)
{
    const std::unique_ptr<RandomSource> random = randomSourceFor(request);
    for (std::uint64_t i = 0; i < request.hands && out; ++i) {
        const Hand hand = dealHand(*random, request.maxVal);
        printHand(hand, out);
        if (request.answers) {
            for (const std::string& line : distinctSolutions(solutionLines(hand)))
                out << "    " << line << '\n';
        }
    }
    return Success;
}

}  // namespace quartet
