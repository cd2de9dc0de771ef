// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegularFile.h"

#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace quartet {
namespace {

using Status = RegularFile::Status;

// A file of exactly the limit is read whole, one byte more is not; and the
// size a file reports is not believed: files under /proc say 0 and may go
// on, so reading stops at the limit.
TEST(RegularFileTest, ReadsAFileUpToTheLimitWhateverSizeItReports)
{
    const test::TemporaryDirectory dir;
    const std::string atLimit = dir.filePath("100 bytes");
    const std::string aboveLimit = dir.filePath("101 bytes");
    std::ofstream(atLimit, std::ios::binary) << std::string(100, 'a');
    std::ofstream(aboveLimit, std::ios::binary) << std::string(101, 'a');

    struct Case {
        const char* name;
        std::string path;
        Status status;
    };
    const std::vector<Case> cases = {
        {"exactly the limit", atLimit, Status::Read},
        {"a byte more", aboveLimit, Status::TooLarge},
#ifdef __linux__
        {"a file that says it is empty and is larger", "/proc/self/maps", Status::TooLarge},
        {"a file that says it is empty and is smaller", "/proc/self/statm", Status::Read},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RegularFile file = RegularFile::read(c.path, 100);
        EXPECT_EQ(file.status, c.status);
        EXPECT_EQ(file.bytes.empty(), c.status != Status::Read) << "bytes kept only from a file read whole";
    }
    EXPECT_EQ(RegularFile::read(atLimit, 100).bytes, std::string(100, 'a'));
}

}  // namespace
}  // namespace quartet
