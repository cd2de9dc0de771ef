// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PlatformOption.h"

#include <cstddef>

namespace quartet {

std::optional<PlatformOption> findPlatformOption(const std::vector<std::string>& arguments)
{
    // After "--" every word is an argument, the option's name included.
    for (std::size_t i = 1; i < arguments.size() && arguments[i] != "--"; ++i) {
        const std::string& word = arguments[i];
        if ((word == "-platform" || word == "--platform") && i + 1 < arguments.size())
            return PlatformOption{arguments[i + 1], static_cast<int>(i)};
    }
    return std::nullopt;
}

}  // namespace quartet
