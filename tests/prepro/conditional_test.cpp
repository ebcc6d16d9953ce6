// Directives and conditional inclusion: the two stacks, their messages,
// skipped groups, #line, #warning/#error and the end-of-run report.
#include "prepro_fixture.h"

// Each text with the groups it keeps, the codes it reports and the argument
// of the first report.
TEST_F(prepro_ready, conditional_groups_and_their_messages)
{
    struct { const char *text, *output; texts codes; const char* first_argument; } cases[] = {
        {"#ifdef 9abc\nin\n#endif\nout\n", "out", {"STARTDIGI"}, "ifdef"},
        {"#ifndef\nkept\n#endif\n#ifdef +x\nno\n#endif\n#ifdef A b\nno\n#endif\n", "kept",
         {"NOARGUMEN", "ARGPUNCTU", "INVALIEND"}, "ifndef"},
        {"#ifdef __LINE__\nyes\n#endif\n", "yes", {}, ""}, // special names count as defined
        {"#if 0\na\n#elif 1\nb\n#elif 1\nc\n#else\nd\n#endif\n", "b", {}, ""},
        {"#if 0\n#if x\n#else\n#else\n#endif\n#endif\n", "", {"ELIFAELSE"}, "else or elif"},
        {"#else\n#elif 1\n#endif\n", "", {"NOCONDITI", "NOCONDITI", "UNBAENDIF"}, "#else"},
    };
    for (const auto& c : cases) {
        captured_reports.clear();
        EXPECT_EQ(flat(run(c.text)), c.output) << c.text;
        EXPECT_EQ(codes(), c.codes) << c.text;
        EXPECT_EQ(captured_reports.empty() ? "" : captured_reports[0].argument, c.first_argument) << c.text;
    }
    EXPECT_EQ(captured_reports[1].argument, "#elif");
}

TEST_F(prepro_ready, second_else_reports_and_matches_the_opening_line)
{
    std::string out = run_file("e.h", "#if 0\na\n#else\nb\n#else\nc\n#endif\n");
    EXPECT_EQ(flat(out), "b");
    EXPECT_EQ(codes(), (texts{"ELIFAELSE", "MATCHLINE"}));
    EXPECT_EQ(captured_reports[0].argument, "#else");
    EXPECT_EQ(captured_reports[1].argument, " 1");
    EXPECT_EQ(captured_reports[1].kind, kind_info);
}

TEST_F(prepro_ready, conditionals_outlive_their_file_and_their_call)
{
    write("open.h", "#if 1\n");
    EXPECT_EQ(flat(run("#include \"open.h\"\nin\n#endif\n")), "in");
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(pp.open_conditionals(), 0u);
    // A skipped group carries over to the next call, and finish reports it.
    run_file("skip.h", "#if 0\n");
    EXPECT_EQ(flat(run("visible\n")), ""); // the next call begins by skipping
    pp.finish(table, false);
    EXPECT_EQ(report_lines(), texts{"W UNTERCOND if [skip.h:1]"});
    EXPECT_EQ(pp.open_conditionals(), 0u);
    EXPECT_EQ(pp.conditional_entries(), 0u);
}

TEST_F(prepro_ready, line_directive_renames_and_renumbers)
{
    std::string out = run_file("n.h", "#line 100 \"b.c\"\nx __LINE__ __FILE__\n#line 100\ny __LINE__\n");
    EXPECT_NE(out.find("#line 100 \"b.c\"\nx 100 "), std::string::npos) << out;
    EXPECT_EQ(tokens(out), "x 100 \"b.c\" y 102");
}

// Each text with its flat output and its reports; the text's first line is 0.
TEST_F(prepro_ready, directive_lines_and_their_reports)
{
    struct { const char *text, *output; texts reports; } cases[] = {
        {"#error stop here\nnext\n", "#error stop here next", {"W WARNERR #error stop here [:0]"}},
        {"#define X 1\n# 12 \"f.c\"\n#foo X\n#\n", "# 12 \"f.c\" #foo 1", {}}, // unknown lines are text
        {"#pragma morva foo\n#pragma morva crc_justify\n#pragma other\n#pragma morva\n", "", {}},
        {"#undef __FILE__\n__FILE__\n", "__FILE__", {"W UNDEFININ __FILE__ [:0]"}}, // no longer special
        // Bodies are compared modulo white space.
        {"#define A 1\n#define A  1\n#define A 2\nA\n", "2", {"W IDENREDEF A [:2]"}},
    };
    for (const auto& c : cases) {
        captured_reports.clear();
        EXPECT_EQ(flat(run(c.text)), c.output) << c.text;
        EXPECT_EQ(report_lines(), c.reports) << c.text;
    }
}

TEST_F(prepro_ready, operand_cleaning_joins_continuations_and_drops_comments)
{
    std::string out = run_file("d.h", "#define A 1 /* c\n */ + \\\n 2\nA\n");
    EXPECT_EQ(tokens(out), "1 + 2");
    EXPECT_NE(out.find("\n\n\n1"), std::string::npos) << out; // A stays on line 4
}

TEST_F(prepro_test, if_expressions_use_defined_and_legacy_forms)
{
    init({"X", "i386"});
    EXPECT_EQ(flat(run("#if defined X && !defined(Y)\na\n#endif\n#if #machine(i386)\nb\n#endif\n#if #lint(on)\nc\n#endif\n")),
              "a b");
    run("#if defined(X\n#endif\n");
    EXPECT_TRUE(reported("ERDEFINED"));
    EXPECT_EQ(table.find("defined"), nullptr);
}
