// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/NumberTextCheck.h"
#include "fuzz/SettingsLoadCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quartet::fuzz {
namespace {

struct Target {
    const char* corpus;
    Violations (*check)(std::string_view input);
};

class CorpusReplay : public ::testing::TestWithParam<Target> {};

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every input that once went into a fuzz target's corpus, seeds and the
// inputs of faults found, passes its property check without a fuzzer.
TEST_P(CorpusReplay, EveryInputKeepsEveryProperty)
{
    const std::filesystem::path directory = std::filesystem::path(QUARTET_FUZZ_CORPUS) / GetParam().corpus;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 5u) << "the corpus " << directory << " is missing";
    for (const auto& file : files) {
        for (const std::string& violation : GetParam().check(contents(file)))
            ADD_FAILURE() << file.filename() << ": " << violation;
    }
}

INSTANTIATE_TEST_SUITE_P(FuzzTargets, CorpusReplay,
                         ::testing::Values(Target{"number_text", checkNumberText},
                                           Target{"settings_load", checkSettingsLoad}),
                         [](const auto& info) { return std::string(info.param.corpus); });

}  // namespace
}  // namespace quartet::fuzz
