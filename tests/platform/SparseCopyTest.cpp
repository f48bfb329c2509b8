#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>

#include "platform/FileCopy.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

constexpr off_t kGiB = off_t{1} << 30;

int64_t AllocatedBytes(const std::string& path)
{
    struct stat st
    {};
    return stat(path.c_str(), &st) == 0 ? int64_t{st.st_blocks} * 512 : -1;
}

std::string ReadAt(const std::string& path, off_t offset, size_t size)
{
    std::string bytes(size, '\0');
    const int fd = open(path.c_str(), O_RDONLY);
    const ssize_t n = pread(fd, bytes.data(), size, offset);
    close(fd);
    bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return bytes;
}

class SparseCopyTest : public ::testing::TestWithParam<CopyMethod>
{
protected:
    test::TestDir tree;
};

}  // namespace

// A 1 GiB image with two small blocks of data (one in the middle, one ending it early) and a
// hole at its end arrives whole, with its holes: the copy takes a few blocks, not a gigabyte.
TEST_P(SparseCopyTest, HolesStayHoles)
{
    const std::string from = tree.filePath("image.bin");
    const std::string middle(4096, 'M');
    const std::string late(10000, 'L');
    {
        const int fd = open(from.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(pwrite(fd, middle.data(), middle.size(), kGiB / 2), ssize_t(middle.size()));
        ASSERT_EQ(pwrite(fd, late.data(), late.size(), kGiB - 65536), ssize_t(late.size()));
        ASSERT_EQ(ftruncate(fd, kGiB), 0);
        close(fd);
    }
    if (AllocatedBytes(from) >= kGiB / 2) {
        GTEST_SKIP() << "the test folder's file system keeps no holes";
    }
    const std::string to = tree.filePath("copy.bin");
    int64_t reported = 0;
    const CopyProgress progress = [&](int64_t bytes) {
        reported += bytes;
        return true;
    };
    ASSERT_EQ(CopyFileSafe(from, to, GetParam(), progress), 0);
    struct stat st
    {};
    ASSERT_EQ(stat(to.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, kGiB);
    EXPECT_LT(AllocatedBytes(to), 1 << 20);
    EXPECT_EQ(reported, kGiB) << "holes count as copied for the progress bar";
    EXPECT_EQ(ReadAt(to, kGiB / 2, middle.size()), middle);
    EXPECT_EQ(ReadAt(to, kGiB - 65536, late.size()), late);
    EXPECT_EQ(ReadAt(to, kGiB / 2 - 100, 100), std::string(100, '\0'));
    EXPECT_EQ(ReadAt(to, kGiB - 100, 100), std::string(100, '\0'));
}

INSTANTIATE_TEST_SUITE_P(AllMethods, SparseCopyTest,
                         ::testing::Values(CopyMethod::Blocks, CopyMethod::RangeChunks,
                                           CopyMethod::Plain));
