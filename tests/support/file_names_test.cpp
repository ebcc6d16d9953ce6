// File kinds, suffix overrides and name splitting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "diag/message_catalogue.h"
#include "diag/report.h"
#include "support/file_names.h"
#include "test_support/temp_folder.h"

namespace {

class FileNames : public testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("MORVAPTU");
        unsetenv("MORVAEXC");
        register_all_messages();
        reset_reporting();
    }
    void TearDown() override { unsetenv("MORVAPTU"); }
};

// Completion itself is checked with the generator's file access.
TEST_F(FileNames, SuffixesAndOverrides)
{
    EXPECT_EQ(file_kind_suffix(kind_rio2), "ri2");
    EXPECT_EQ(complete_name("a", kind_rod), "./a");
    setenv("MORVAPTU", "tst", 1);
    EXPECT_EQ(file_kind_suffix(kind_ptu), "tst");
}

TEST_F(FileNames, SplitSuffixAndPath)
{
    // A name, then "base|suffix|directory|file".
    const std::pair<const char*, const char*> rows[] = {
        {"dir.old/file", "dir|old/file|dir.old/|file"}, {"noext", "noext||./|noext"},
        {"/x.c", "/x|c|//|x.c"},                        {"a/b/c.h", "a/b/c|h|a/b/|c.h"},
    };
    for (const auto& [name, expected] : rows) {
        std::string base, suffix, dir, file;
        split_suffix(name, base, suffix);
        split_path(name, dir, file);
        EXPECT_EQ(base + "|" + suffix + "|" + dir + "|" + file, expected);
    }
}

TEST_F(FileNames, CheckDirectoryWarnsForFilesAndMissingPaths)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(check_directory("/tmp"), 0);
    EXPECT_EQ(check_directory("/nonexistent-dir-x"), 1);
    EXPECT_EQ(check_directory("/etc/passwd"), 1);
    std::string err = testing::internal::GetCapturedStderr();
    // The second warning repeats code, file and line of the first: counted, not shown.
    EXPECT_EQ(err, "Tolvex-W-INCLTYPER,  /nonexistent-dir-x is not a directory \n");
    EXPECT_EQ(current_counts().warnings, 2);
    EXPECT_TRUE(current_counts().not_shown);
}

TEST_F(FileNames, Readability)
{
    EXPECT_EQ(not_readable("/etc/hostname-missing-x"), 1);
    EXPECT_EQ(not_readable("/etc/passwd"), 0);
    temp_folder dir;
    const std::string path = dir.write("remove_me", "");
    ASSERT_TRUE(std::filesystem::exists(path));
    remove_file(path);
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
