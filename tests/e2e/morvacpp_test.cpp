// The installed morvacpp: preprocessed text on the standard output, coded
// messages and the summary on the standard error, the tool's option syntax
// and exit statuses. Expected texts follow the marker and expansion rules.
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "scratch_test.h"

namespace {

const env_changes quiet = {{"MORVA_SUPPRESS_COPYRIGHT", "1"},
                           {"ZRLTGT", std::nullopt},
                           {"KNUTGT", std::nullopt},
                           {"MVX_ADD_USR_INCLUDE", std::nullopt}};

struct Morvacpp : scratch_test {
    tool_result cpp(const std::vector<std::string>& args) const { return run_tool("morvacpp", args, quiet, dir); }
};

// Accepted runs: the files written, the arguments, the whole standard output.
TEST_F(Morvacpp, TextBetweenMarkers)
{
    struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {"a clean file is copied between markers", {{"a.c", "int a; /* note */\n"}}, {"a.c"},
         "#line 1 \"a.c\"\nint a;  \n#line 0 \"\"\n"},
        {"include directories and definitions, also from an option file",
         {{"inc/h.h", "h\n"}, {"opts", "-DEFINIR=V=7\n"}, {"a.c", "#include <h.h>\nN M V\n"}},
         {"a.c", "-INCL=inc", "-DEFINE=N=3,M", "@opts"},
         "#line 1 \"a.c\"\n#line 1 \"inc/h.h\"\nh\n#line 1 \"a.c\"\n\n3  1  7 \n#line 0 \"\"\n"},
        {"-PREPRO_ONLY, abbreviated, escapes marker names", {{"x\\y.c", "z\n"}}, {"x\\y.c", "-PREP"},
         "#line 1 \"x\\\\y.c\"\nz\n#line 0 \"\"\n"},
        // The definitions file comes first and is analysed whole, its stop pragma notwithstanding.
        {"the definitions file comes first",
         {{"std.def", "#pragma morva stop_analyse\n#define S 5\n#pragma morva start_analyse\n"}, {"a.c", "S\n"}},
         {"a.c", "-STD_DEFINE=std.def"}, "#line 1 \"std.def\"\n\n\n\n#line 0 \"\"\n#line 1 \"a.c\"\n5 \n#line 0 \"\"\n"},
        {"its stop pragma carries over to the file",
         {{"std.def", "#pragma morva stop_analyse\n"}, {"a.c", "never\n"}}, {"a.c", "-STD_DEFINE=std.def"},
         "#line 1 \"std.def\"\n\n#line 0 \"\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir = scratch_dir(std::string("morvacpp_") + std::to_string(&c - cases));
        std::filesystem::create_directories(dir + "/inc");
        for (const auto& [name, text] : c.files)
            put(name, text);
        tool_result r = cpp(c.args);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(outcome_of(r), outcome(0, banner_lines(false) + clean_summary));
    }
}

TEST_F(Morvacpp, WarningsGiveStatusThree)
{
    put("a.c", "#ifdef\n#endif\n#if 1\nx\n");
    tool_result r = cpp({"a.c"});
    EXPECT_EQ(outcome_of(r), outcome(3, banner_lines(false) + "Tolvex-W-NOARGUMEN,  [a.c:1] ifdef with no argument\n" +
                                        "Tolvex-W-UNTERCOND,  [a.c:3] unterminated #if conditional\n" +
                                        "Tolvex-I-ENDNOEWAR,  End of execution with 2 warning(s)\n"));
}

TEST_F(Morvacpp, MissingFileOrPositionalIsFatal)
{
    tool_result r = cpp({"missing.c"});
    EXPECT_EQ(r.status, 7);
    EXPECT_TRUE(holds(r.err, "Tolvex-F-IMPOUVFIC,  "));
    EXPECT_TRUE(holds(r.err, "missing.c"));
    EXPECT_FALSE(holds(r.err, "End of execution"));
    r = cpp({});
    EXPECT_EQ(r.status, 7);
    EXPECT_TRUE(holds(r.err, "Usage morvacpp:"));
}

// Regression: a full output must not end with status 0 and "0 error".
TEST_F(Morvacpp, FailedWriteOfTheTextIsFatal)
{
    put("a.c", "int a;\n");
    auto onto_full_device = [] {
        int fd = open("/dev/full", O_WRONLY);
        dup2(fd, 1);
        close(fd);
    };
    tool_result r = run_tool("morvacpp", {"a.c"}, quiet, dir, onto_full_device);
    EXPECT_EQ(outcome_of(r),
              outcome(7, banner_lines(false) + "Tolvex-F-IMPECRFIC,  Full disk space standard output\n"));
}

// Regression: line numbers at the top of the 32-bit range overflowed (and
// #line took negative and wrapped numbers). A number outside 1..2147483647 is
// refused with a warning; counting stops at 2147483647.
TEST_F(Morvacpp, LineNumbersStayWithinRange)
{
    put("a.c", "#line -5 \"neg.c\"\n#line 0 \"zero.c\"\n#line 4294967296 \"wrap.c\"\n"
                             "#line 2147483648 \"big.c\"\nint d = __LINE__;\n#line 2147483646 \"top.c\"\n"
                             "int a = __LINE__;\nint b = __LINE__;\nint c = __LINE__;\n#ifdef\n#endif\n");
    tool_result r = cpp({"a.c"});
    // A refused #line leaves one empty line. At the largest line the input
    // and output counts stay equal, so the line that a skipped group passes
    // over is not caught up: #ifdef and #endif leave a single empty line.
    EXPECT_EQ(r.out, "#line 1 \"a.c\"\n\n\n\n\nint d = 5 ;\n#line 2147483646 \"top.c\"\n"
                     "int a = 2147483646 ;\nint b = 2147483647 ;\nint c = 2147483647 ;\n\n#line 0 \"\"\n");
    const std::string refused = "Tolvex-W-ENTOUTRAN,  [a.c:";
    EXPECT_EQ(outcome_of(r), outcome(3, banner_lines(false) + refused + "1] Integer constant -5 out of range\n" +
                                        refused + "2] Integer constant 0 out of range\n" + refused +
                                        "3] Integer constant 4294967296 out of range\n" + refused +
                                        "4] Integer constant 2147483648 out of range\n" +
                                        "Tolvex-W-NOARGUMEN,  [top.c:2147483647] ifdef with no argument\n" +
                                        "Tolvex-I-ENDNOEWAR,  End of execution with 5 warning(s)\n"));

    // The largest line itself is taken.
    put("b.c", "#line 2147483647 \"max.c\"\nint e = __LINE__;\n");
    r = cpp({"b.c"});
    EXPECT_EQ(r.out, "#line 1 \"b.c\"\n#line 2147483647 \"max.c\"\nint e = 2147483647 ;\n#line 0 \"\"\n");
    EXPECT_EQ(outcome_of(r), outcome(0, banner_lines(false) + clean_summary));
}

} // namespace
