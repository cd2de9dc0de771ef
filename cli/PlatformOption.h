// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quartet {

// Qt's own option that names the platform ("-platform NAME", also spelt
// "--platform"), which Qt takes from anywhere in the arguments; the
// program's own command line ends its options at "--".
struct PlatformOption {
    std::string name;
    int index = 0;  // of the option; its value follows it
};
std::optional<PlatformOption> findPlatformOption(const std::vector<std::string>& arguments);

}  // namespace quartet
