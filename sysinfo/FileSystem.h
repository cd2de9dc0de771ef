// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quartet {

// The file-existence test that the launch of the system information tool
// needs, behind an interface so tests can script it.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The name (last part) of the ordinary file at path, or the empty text when
    // there is none: a missing path, a directory or anything else that is not
    // a plain file. The path is in the system's narrow encoding.
    virtual std::string existingFileName(const std::string& path) = 0;
};

}  // namespace quartet
