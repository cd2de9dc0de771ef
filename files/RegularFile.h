// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace quartet {

// Reading a file that a user or an administrator may have replaced by
// anything. Only a regular file of at most maxBytes is read. A pipe, a
// device, a folder or a file that says it is larger is turned down without
// reading a byte, and opening one never waits for a writer. The size a file
// reports is not believed either: files under /proc say 0 and go on for
// gigabytes, and a file may grow while it is read, so reading stops once it
// has gone past maxBytes. A link counts as what it leads to.
struct RegularFile {
    enum class Status {
        Missing,     // nothing at the path, or a folder on the way is missing
        Read,        // a regular file; bytes holds it whole
        TooLarge,    // a regular file of more than maxBytes, not kept
        Unreadable,  // anything but a regular file, or one that cannot be read
    };

    Status status = Status::Missing;
    std::string bytes;

    // The file's state and, when it is a small regular file, its bytes.
    static RegularFile read(const std::filesystem::path& path, std::size_t maxBytes);
};

}  // namespace quartet
