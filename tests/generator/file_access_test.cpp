// Name completion, the numbered open modes, the VESTRA_LOG failures, write
// and close failures and the backup rename of the longest name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "diag/message_catalogue.h"
#include "diag/report.h"
#include "generator/file_access.h"
#include "support/file_names.h"
#include "test_support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class FileAccess : public testing::Test {
protected:
    temp_folder dir{"morva_file_access"};
    void SetUp() override
    {
        register_all_messages();
        reset_reporting();
        for (const char* v : {"MORVAPTU", "MORVACPP", "MORVAEXH", "MORVASMB", "MORVADEF"})
            unsetenv(v);
    }
    void TearDown() override { unsetenv("MORVAPTU"); }
    std::string path(const std::string& name) const { return dir / name; }
};

std::string completed(std::string name, int kind)
{
    complete_file_name(name, kind);
    return name;
}

TEST_F(FileAccess, CompletionAddsDirectoryAndDefaultSuffix)
{
    EXPECT_EQ(completed("out", kind_ptu), "./out.ptu");
    EXPECT_EQ(completed("dir/out.txt", kind_ptu), "dir/out.txt");
    EXPECT_EQ(completed("calc", kind_cpp), "./calc.cc");
    EXPECT_EQ(completed("calc.c", kind_cpp), "./calc.c");
    EXPECT_EQ(completed("inc/io", kind_exh), "inc/io.h");
    EXPECT_EQ(completed("table", kind_smb), "./table.smb");
    EXPECT_EQ(completed("std", kind_def), "./std.def");
    EXPECT_EQ(completed("/abs/x", kind_ptu), "/abs/x.ptu");
    // Kinds without a default suffix only gain the directory.
    EXPECT_EQ(completed("a", kind_tdc), "./a");
}

TEST_F(FileAccess, NamesUpToTheLimitAreKeptLongerOnesEndTheRun)
{
    const std::string kept = "./" + std::string(file_name_limit - 6, 'a') + ".ptu";
    ASSERT_EQ(kept.size(), file_name_limit);
    EXPECT_EQ(completed(kept, kind_ptu), kept);
    // Completion pushes a name of exactly the limit over it.
    std::string name(file_name_limit - 1, 'a');
    EXPECT_EXIT(completed(name, kind_ptu), testing::ExitedWithCode(7),
                "Tolvex-F-CMDERREUR,  Bad command: file name longer than 1023 characters: \\./a+\\.ptu\n");
    std::FILE* stream = nullptr;
    EXPECT_EXIT(open_file(std::string(2000, 'b'), stream, 1, ""), testing::ExitedWithCode(7),
                "CMDERREUR.*b{2000}\n");
}

TEST_F(FileAccess, ScriptOfTheLongestNameIsWrittenAndLogged)
{
    // Nested directories keep every component within the file system's limit.
    std::string name = dir.path().string();
    while (name.size() + 201 < file_name_limit - 5)
        name.append("/").append(200, 'd');
    fs::create_directories(name);
    name.append("/").append(file_name_limit - name.size() - 4, 'f').append(".ptu");
    ASSERT_EQ(name.size(), file_name_limit);
    std::string completed_name = name;
    complete_file_name(completed_name, kind_ptu);
    EXPECT_EQ(completed_name, name);
    std::string log = path("vestra.log");
    std::FILE* stream = nullptr;
    ASSERT_TRUE(open_file(name, stream, 1, log));
    write_line(name, stream, "x");
    close_file(name, stream, false);
    EXPECT_EQ(file_bytes(name), "x\n");
    EXPECT_EQ(file_bytes(log), "PTU " + name + "\n");
    // The backup replaces the script (an earlier backup is checked end to end).
    EXPECT_EQ(backup_file(name), 0);
    EXPECT_FALSE(fs::exists(name));
    EXPECT_EQ(file_bytes(name + "_bck"), "x\n");
    EXPECT_NE(backup_file(name), 0);
}

TEST_F(FileAccess, OpenModes)
{
    std::string file = path("f.txt");
    std::FILE* stream = nullptr;
    ASSERT_TRUE(open_file(file, stream, 1, ""));
    write_line(file, stream, "one");
    ASSERT_TRUE(close_file(file, stream, false));
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(file_bytes(file), "one\n");

    ASSERT_TRUE(open_file(file, stream, 0, ""));
    char buffer[8] = {};
    EXPECT_NE(std::fgets(buffer, sizeof buffer, stream), nullptr);
    EXPECT_STREQ(buffer, "one\n");
    close_file(file, stream, false);

    // Mode 2 empties the file and can read back what it wrote.
    ASSERT_TRUE(open_file(file, stream, 2, ""));
    write_line(file, stream, "two");
    std::rewind(stream);
    EXPECT_NE(std::fgets(buffer, sizeof buffer, stream), nullptr);
    EXPECT_STREQ(buffer, "two\n");
    close_file(file, stream, true);
    EXPECT_FALSE(fs::exists(file));
}

// Which scripts the log records is checked end to end; here the failures.
TEST_F(FileAccess, OpenFailuresAreFatal)
{
    std::FILE* stream = nullptr;
    const std::string missing = path("missing.txt"), nodir = path("nodir/x.ptu"), log = path("vestra.log");
    EXPECT_EXIT(open_file(missing, stream, 0, ""), testing::ExitedWithCode(7),
                "^Tolvex-F-IMPOUVFIC,  Cannot open the file " + missing + "\n$");
    EXPECT_EXIT(open_file(path("x"), stream, 3, ""), testing::ExitedWithCode(7), "IMPOUVFIC");
    EXPECT_EXIT(open_file(nodir, stream, 1, log), testing::ExitedWithCode(7), "IMPOUVFIC.*" + nodir);
    EXPECT_FALSE(fs::exists(log)); // a failed open is not logged
    EXPECT_EXIT(open_file(path("x.ptu"), stream, 1, path("nodir/vestra.log")), testing::ExitedWithCode(7),
                "Tolvex-F-IMPOUVFIC,  Cannot open the file " + path("nodir/vestra.log") + "\n");
}

TEST_F(FileAccess, WriteErrorsNameTheFile)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // A full device fails when the buffer is flushed, at the latest on close.
    EXPECT_EXIT(
        {
            std::FILE* stream = nullptr;
            open_file("/dev/full", stream, 1, "");
            write_line("script.ptu", stream, "short");
            close_file("script.ptu", stream, false);
        },
        testing::ExitedWithCode(7), "^Tolvex-F-IMPECRFIC,  Full disk space script.ptu\n$");
    EXPECT_EXIT(
        {
            std::FILE* stream = nullptr;
            open_file("/dev/full", stream, 1, "");
            for (int i = 0; i < 10000; ++i)
                write_line("script.ptu", stream, "a line long enough to fill the buffer quickly");
            std::_Exit(0);
        },
        testing::ExitedWithCode(7), "^Tolvex-F-IMPECRFIC,  Full disk space script.ptu\n$");
}

} // namespace
