// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace quartet {

// Reading a file that a user or an administrator may have replaced by
// anything. Only a regular file of at most maxBytes is read. A pipe, a
// device, a folder or a larger file is turned down without reading a byte,
// and opening one never waits for a writer. A link counts as what it leads
// to.
struct RegularFile {
    enum class Status {
        Missing,     // nothing at the path, or a folder on the way is missing
        Read,        // a regular file; bytes holds it whole
        TooLarge,    // a regular file of more than maxBytes, not read
        Unreadable,  // anything but a regular file, or one that cannot be read
    };

    Status status = Status::Missing;
    std::string bytes;

    // The file's state and, when it is a small regular file, its bytes.
    static RegularFile read(const std::filesystem::path& path, std::size_t maxBytes);

    // The same verdict as read() gives, without reading the file's bytes.
    static Status inspect(const std::filesystem::path& path, std::size_t maxBytes);
};

}  // namespace quartet
