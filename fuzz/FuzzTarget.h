// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fuzz/Violations.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace quartet::fuzz {

// Runs a property check on one input from libFuzzer. A broken property stops
// the run like a crash, so that libFuzzer keeps the input that broke it.
inline int runFuzzCheck(Violations (*check)(std::string_view input), const std::uint8_t* data, std::size_t size)
{
    const Violations broken = check(std::string_view(reinterpret_cast<const char*>(data), size));
    if (broken.empty())
        return 0;
    for (const std::string& violation : broken)
        std::fprintf(stderr, "property broken: %s\n", violation.c_str());
    std::abort();
}

}  // namespace quartet::fuzz
