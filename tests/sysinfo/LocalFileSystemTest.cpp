// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/LocalFileSystem.h"

#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace quartet {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

TEST(LocalFileSystemTest, NamesOrdinaryFilesOnly)
{
    const test::TemporaryDirectory dir;
    const std::string tool = dir.filePath("MSINFO32.EXE");
    std::ofstream(tool, std::ios::binary) << "MZ";

    struct Case {
        const char* name;
        std::string path;
        std::string found;
    };
    const std::vector<Case> cases = {
        {"a file in a folder with a blank", tool, "MSINFO32.EXE"},
        {"a doubled separator, as a folder with a trailing one gives",
         dir.path() + kSeparator + kSeparator + "MSINFO32.EXE", "MSINFO32.EXE"},
        {"the folder", dir.path(), ""},
        {"a file taken for a folder", tool + kSeparator, ""},
        {"a missing file", dir.filePath("missing.exe"), ""},
        {"a wildcard, which is no pattern here", dir.filePath("MSINFO32.*"), ""},
        {"empty", "", ""},
        {"zero byte inside", tool + std::string("\0x", 2), ""},
    };
    LocalFileSystem files;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(files.existingFileName(c.path), c.found);
    }
}

}  // namespace
}  // namespace quartet
