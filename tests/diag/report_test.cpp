// Reporting rules: message lines, position prefixes, display limits, repeat
// detection, the end-of-execution summary and the exit statuses. Every run
// that ends the process is a death test, so each starts from fresh state.
#include <gtest/gtest.h>


#include "diag/message_catalogue.h"
#include "diag/report.h"
#include "test_support/temp_folder.h"

namespace {

class Reporting : public testing::Test {
protected:
    void SetUp() override
    {
        register_all_messages();
        reset_reporting();
    }
};

std::string captured(void (*body)())
{
    testing::internal::CaptureStderr();
    body();
    return testing::internal::GetCapturedStderr();
}

TEST_F(Reporting, LineHeadPrefixAndArgument)
{
    std::string err = captured([] {
        report_with_position(kind_warning, "UNTERCOMM", "x", "src/a.c", 12);
        report_warning("ARGTOMACR", "m"); // keeps the position of the last positioned report
        set_current_file("");
        report_warning("ARGTOMACR", "n");
        set_current_line(0);
        report_error("NOMPARINC", "p");
        // The fallback body of codes without a text, and printf directives kept as they are.
        report_with_position(kind_warning, "WARNERR", "#warning hello %s %2", "f.h", 3);
        report_with_position(kind_warning, "TEMINSINC", "dropped", "f.h", 4);
        set_current_file("");
        set_current_line(0);
        report_info("NOTACODE1", "arg");
        // Argument bytes are kept exactly, Latin-1 included.
        report_warning("UNDEFININ", std::string_view("\xe9t\xe9", 3));
    });
    EXPECT_EQ(err,
              "Tolvex-W-UNTERCOMM,  [src/a.c:12] unterminated comment x\n"
              "Tolvex-W-ARGTOMACR,  [src/a.c:12] Unexpected argument for macro m\n"
              "Tolvex-W-ARGTOMACR,  [12] Unexpected argument for macro n\n"
              "Tolvex-E-NOMPARINC,  Bad parameter name p\n"
              "Tolvex-W-WARNERR,  [f.h:3]  #warning hello %s %2\n"
              "Tolvex-W-TEMINSINC,  Incorrect template instantiation: [f.h:4] \n"
              "Tolvex-I-NOTACODE1,   arg\n"
              "Tolvex-W-UNDEFININ,  Undefining \xe9t\xe9\n");
}

TEST_F(Reporting, RepeatsAreCountedNotShown)
{
    std::string err = captured([] {
        report_with_position(kind_warning, "UNDEFININ", "a", "f.c", 1);
        report_with_position(kind_warning, "UNDEFININ", "b", "f.c", 1);
        report_with_position(kind_warning, "UNDEFININ", "c", "f.c", 2);
        report_with_position(kind_info, "MATCHLINE", "1", "f.c", 2);
        report_with_position(kind_warning, "UNDEFININ", "d", "f.c", 2);
    });
    EXPECT_EQ(err,
              "Tolvex-W-UNDEFININ,  [f.c:1] Undefining a\n"
              "Tolvex-W-UNDEFININ,  [f.c:2] Undefining c\n"
              "Tolvex-I-MATCHLINE,  [f.c:2] Matches line 1\n"
              "Tolvex-W-UNDEFININ,  [f.c:2] Undefining d\n");
    EXPECT_EQ(current_counts().warnings, 4);
    EXPECT_TRUE(current_counts().not_shown);
}

// How each run ends: its last lines (a regular expression) and its status.
TEST_F(Reporting, EndOfRunSummaryAndStatus)
{
    const struct {
        void (*run)();
        int status;
        const char* tail;
    } rows[] = {
        {[] { report_info("STARTEXEC", "hello"); finish_run(); }, 0,
         "^Tolvex-I-STARTEXEC,  hello\nTolvex-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n$"},
        {[] {
             for (int line = 1; line <= 3; ++line)
                 report_with_position(kind_warning, "UNDEFININ", "x", "", line);
             finish_run();
         },
         3, "Tolvex-I-ENDNOEWAR,  End of execution with 3 warning\\(s\\)\n$"},
        {[] { report_error("NOMPARINC", "x"); report_error("DIVBYZERO"); finish_run(); }, 5,
         "Tolvex-I-ENDERRNWR,  End of execution with 2 error\\(s\\)\n$"},
        // The 61st error is hidden behind the line that points at the error file.
        {[] {
             for (int i = 1; i <= 61; ++i)
                 report_with_position(kind_error, "NOMPARINC", "p", "f.c", i);
             finish_run();
         },
         5,
         "\\[f.c:60\\] Bad parameter name p\n"
         "Tolvex-I-MORERWALI,  more detailed Errors/Warnings can be found in file \n"
         "Tolvex-I-ENDERRNWR,  End of execution with 61 error\\(s\\)\n$"},
        // Warnings stop showing at 120; errors still show.
        {[] {
             for (int i = 1; i <= 121; ++i)
                 report_with_position(kind_warning, "UNDEFININ", "w", "f.c", i);
             report_error("NOMPARINC", "e");
             finish_run();
         },
         5,
         "\\[f.c:120\\] Undefining w\n"
         "Tolvex-E-NOMPARINC,  \\[f.c:121\\] Bad parameter name e\n"
         "Tolvex-I-MORERWALI,  more detailed Errors/Warnings can be found in file \n"
         "Tolvex-I-ENDERRWAR,  End of execution with 1 error\\(s\\) and 121 warning\\(s\\)\n$"},
        // Fatal and internal reports end at once, without a summary.
        {[] { report_with_position(kind_fatal, "IMPOUVFIC", "x.h", "src/a.c", 12); finish_run(); }, 7,
         "^Tolvex-F-IMPOUVFIC,  \\[src/a.c:12\\] Cannot open the file x.h\n$"},
        {[] { report_internal("ERRINTFCT", "memory overflow"); }, 9,
         "^Tolvex-S-ERRINTFCT,  Internal error in the function memory overflow\n$"},
        {[] { open_error_file("/nonexistent-dir/x/errors"); }, 7,
         "^Tolvex-F-FICERROPN,  File /nonexistent-dir/x/errors opening problem\n$"},
    };
    for (const auto& row : rows)
        EXPECT_EXIT(row.run(), testing::ExitedWithCode(row.status), row.tail);
}

TEST_F(Reporting, ErrorFileKeepsEveryLineAndIsRemovedAfterACleanRun)
{
    temp_folder dir;
    const std::string path = dir / "errors.txt";
    EXPECT_EXIT(
        {
            open_error_file(QString::fromStdString(path));
            report_with_position(kind_warning, "UNDEFININ", "a", "f.c", 1);
            report_with_position(kind_warning, "UNDEFININ", "a", "f.c", 1);
            finish_run();
        },
        testing::ExitedWithCode(3), "more detailed Errors/Warnings can be found in file " + path + "\n");
    EXPECT_EQ(file_bytes(path),
              "Tolvex-W-UNDEFININ,  [f.c:1] Undefining a\n"
              "Tolvex-W-UNDEFININ,  [f.c:1] Undefining a\n"
              "Tolvex-I-MORERWALI,  more detailed Errors/Warnings can be found in file " + path + "\n"
              "Tolvex-I-ENDNOEWAR,  End of execution with 2 warning(s)\n");
    EXPECT_EXIT(
        {
            open_error_file(QString::fromStdString(path));
            finish_run();
        },
        testing::ExitedWithCode(0), "");
    EXPECT_FALSE(std::ifstream(path).is_open());
}

} // namespace
