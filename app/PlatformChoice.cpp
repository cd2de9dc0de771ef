// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlatformChoice.h"

namespace quartet {

std::optional<PlatformOption> findPlatformOption(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if ((word == "-platform" || word == "--platform") && i + 1 < arguments.size())
            return PlatformOption{arguments[i + 1], static_cast<int>(i)};
    }
    return std::nullopt;
}

}  // namespace quartet
