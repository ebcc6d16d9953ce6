// Base names and the same-file rule, with and without MVX_NOBASENAME.
#include <gtest/gtest.h>

#include <cstdlib>

#include "generator/file_identity.h"

namespace {

TEST(FileIdentity, BaseNameDropsDirectoryAndLastSuffix)
{
    EXPECT_EQ(base_name("./calc.c"), "calc");
    EXPECT_EQ(base_name("src/calc.tar.gz"), "calc.tar");
    EXPECT_EQ(base_name("calc"), "calc");
    // A dot in a directory is not a suffix.
    EXPECT_EQ(base_name("dir.old/calc"), "calc");
    EXPECT_EQ(base_name("/x/.hidden"), "");
    EXPECT_EQ(base_name(""), "");
}

TEST(FileIdentity, SameFileComparesBaseNames)
{
    unsetenv("MVX_NOBASENAME");
    EXPECT_TRUE(same_file("src/calc.c", "calc.h"));
    EXPECT_TRUE(same_file("./calc.c", "/usr/include/calc"));
    EXPECT_FALSE(same_file("calc.c", "calcs.c"));
    EXPECT_FALSE(same_file("calc.c", "stdio.h"));
    // Case matters.
    EXPECT_FALSE(same_file("Calc.c", "calc.c"));
}

TEST(FileIdentity, NoBaseNameMakesEveryFileTheSame)
{
    setenv("MVX_NOBASENAME", "", 1);
    EXPECT_TRUE(same_file("calc.c", "stdio.h"));
    unsetenv("MVX_NOBASENAME");
    EXPECT_FALSE(same_file("calc.c", "stdio.h"));
}

} // namespace
