// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RegularFile.h"

#include <gtest/gtest.h>

namespace quartet {
namespace {

#ifdef __linux__
// The size a file reports is not believed: files under /proc say 0, so
// reading stops once it is past the limit, and a small one is read whole.
// (The readers' own tests pin a file of exactly their limit and one more.)
TEST(RegularFileTest, ReadsUpToTheLimitWhateverSizeTheFileReports)
{
    const RegularFile larger = RegularFile::read("/proc/self/maps", 100);
    EXPECT_EQ(larger.status, RegularFile::Status::TooLarge);
    EXPECT_TRUE(larger.bytes.empty());
    const RegularFile smaller = RegularFile::read("/proc/self/statm", 100);
    EXPECT_EQ(smaller.status, RegularFile::Status::Read);
    EXPECT_FALSE(smaller.bytes.empty());
}
#endif

}  // namespace
}  // namespace quartet
