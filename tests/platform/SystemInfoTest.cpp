#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace verdal;

TEST(SystemInfo, DetectOS_ReportsTheKernel)
{
    const OSInfo info = DetectOS();
    EXPECT_EQ(info.Code, 3);
    EXPECT_EQ(info.Name.rfind("Linux ", 0), 0u) << info.Name;
}

TEST(SystemInfo, UserName_PrefersUsernameThenUser)
{
    const auto saved = GetEnvironment("USERNAME");
    setenv("USERNAME", "", 1);
    EXPECT_EQ(UserName(), GetEnvironment("USER").value_or(UserName()));
    setenv("USERNAME", "anna", 1);
    EXPECT_EQ(UserName(), "anna");
    saved ? setenv("USERNAME", saved->c_str(), 1) : unsetenv("USERNAME");
    EXPECT_FALSE(GetEnvironment("VERDAL_GIBT_ES_NICHT").has_value());
}
