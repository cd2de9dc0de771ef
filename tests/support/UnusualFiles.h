// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Things that can stand where a program expects a small file: a pipe, a link
// to a device, a huge file. POSIX only.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quartet::test {

// A named pipe at path, without a writer: opening it for reading the usual
// way waits for ever.
inline std::filesystem::path namedPipe(const std::filesystem::path& path)
{
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
    return path;
}

inline std::filesystem::path symlink(const std::filesystem::path& target, const std::filesystem::path& link)
{
    std::error_code error;
    std::filesystem::create_symlink(target, link, error);
    EXPECT_FALSE(error) << link << ": " << error.message();
    return link;
}

// A file of size bytes that takes no room on disk: all zero bytes.
inline std::filesystem::path sparseFile(const std::filesystem::path& path, std::uintmax_t size)
{
    {
        std::ofstream created(path);
    }
    std::error_code error;
    std::filesystem::resize_file(path, size, error);
    EXPECT_FALSE(error) << path << ": " << error.message();
    return path;
}

}  // namespace quartet::test
