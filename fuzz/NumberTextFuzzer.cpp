// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/FuzzTarget.h"
#include "fuzz/NumberTextCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return quartet::fuzz::runFuzzCheck(quartet::fuzz::checkNumberText, data, size);
}
