#include <gtest/gtest.h>

#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Security.h"
#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

class SecurityTest : public ::testing::Test
{
protected:
    // Gives `path` an extra named-user entry; false when the file system has no ACLs.
    static bool AddUserEntry(const std::string& path)
    {
        acl_t acl = acl_from_text("u::rw-,u:4242:r--,g::r--,m::r--,o::---");
        if (!acl) {
            return false;
        }
        const bool ok = acl_set_file(path.c_str(), ACL_TYPE_ACCESS, acl) == 0;
        acl_free(acl);
        return ok;
    }
    test::TestDir tree;
};

TEST_F(SecurityTest, TransferPermissions_CopiesModeAndAcl)
{
    const std::string a = tree.createFile("a");
    const std::string b = tree.createFile("b");
    chmod(a.c_str(), 0640);
    chmod(b.c_str(), 0600);
    EXPECT_TRUE(SecurityDiffers(a, b));
    ASSERT_EQ(TransferPermissions(a, b), kErrSuccess);
    EXPECT_FALSE(SecurityDiffers(a, b));
    if (!AddUserEntry(a)) {
        GTEST_SKIP() << "no POSIX ACLs on the temporary file system";
    }
    SecurityInfo info;
    ASSERT_EQ(ReadSecurity(a, info), kErrSuccess);
    EXPECT_NE(info.AccessAcl.find("user:4242:r--"), std::string::npos) << info.AccessAcl;
    EXPECT_TRUE(SecurityDiffers(a, b));
    ASSERT_EQ(TransferPermissions(a, b), kErrSuccess);
    EXPECT_FALSE(SecurityDiffers(a, b));
}

TEST_F(SecurityTest, TransferOwner_CopiesOwnerOrFailsWithoutRight)
{
    const std::string a = tree.createFile("a");
    const std::string b = tree.createFile("b");
    if (geteuid() != 0) {
        EXPECT_EQ(TransferOwner(a, b), kErrSuccess);  // same owner: nothing to change
        GTEST_SKIP() << "changing an owner needs root";
    }
    ASSERT_EQ(lchown(a.c_str(), 4242, 4343), 0);
    EXPECT_TRUE(SecurityDiffers(a, b));
    ASSERT_EQ(TransferOwner(a, b), kErrSuccess);
    SecurityInfo info;
    ASSERT_EQ(ReadSecurity(b, info), kErrSuccess);
    EXPECT_EQ(info.Owner, 4242u);
    EXPECT_EQ(info.Group, 4343u);
    EXPECT_FALSE(SecurityDiffers(tree.filePath("missing"), b));
}

}  // namespace
