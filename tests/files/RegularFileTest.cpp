// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RegularFile.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

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

    // The limit holds for all that is read, not for each chunk: pages of
    // alternating access are mappings of their own, and make /proc/self/smaps
    // (which says 0 bytes too) far longer than a chunk.
    constexpr std::size_t kPages = 256;
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    char* const pages =
        static_cast<char*>(::mmap(nullptr, kPages * page, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    for (std::size_t i = 0; i < kPages; i += 2)
        ::mprotect(pages + i * page, page, PROT_READ);
    const RegularFile whole = RegularFile::read("/proc/self/smaps", 64 << 20);
    const RegularFile half = RegularFile::read("/proc/self/smaps", whole.bytes.size() / 2);
    ::munmap(pages, kPages * page);
    ASSERT_EQ(whole.status, RegularFile::Status::Read);
    EXPECT_GT(whole.bytes.size(), 100'000u);
    EXPECT_EQ(half.status, RegularFile::Status::TooLarge);
}
#endif

}  // namespace
}  // namespace quartet
