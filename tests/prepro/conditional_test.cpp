// Directives and conditional inclusion: the two stacks, their messages,
// skipped groups, #line, #warning/#error and the end-of-run report.
#include "prepro_fixture.h"

TEST_F(prepro_test, ifdef_with_a_digit_warns_and_skips)
{
    init();
    EXPECT_EQ(flat(run("#ifdef 9abc\nin\n#endif\nout\n")), "out");
    ASSERT_NE(find("STARTDIGI"), nullptr);
    EXPECT_EQ(find("STARTDIGI")->argument, "ifdef");
}

TEST_F(prepro_test, ifdef_operand_messages)
{
    init();
    EXPECT_EQ(flat(run("#ifndef\nkept\n#endif\n#ifdef +x\nno\n#endif\n#ifdef A b\nno\n#endif\n")), "kept");
    EXPECT_EQ(codes(), (std::vector<std::string>{"NOARGUMEN", "ARGPUNCTU", "INVALIEND"}));
    EXPECT_EQ(captured()[0].argument, "ifndef");
}

TEST_F(prepro_test, special_names_count_as_defined)
{
    init();
    EXPECT_EQ(flat(run("#ifdef __LINE__\nyes\n#endif\n")), "yes");
}

TEST_F(prepro_test, second_else_reports_and_matches_the_opening_line)
{
    init();
    std::string out = run_file("e.h", "#if 0\na\n#else\nb\n#else\nc\n#endif\n");
    EXPECT_EQ(flat(out), "b");
    EXPECT_EQ(codes(), (std::vector<std::string>{"ELIFAELSE", "MATCHLINE"}));
    EXPECT_EQ(captured()[0].argument, "#else");
    EXPECT_EQ(captured()[1].argument, " 1");
    EXPECT_EQ(captured()[1].kind, kind_info);
}

TEST_F(prepro_test, else_after_else_inside_a_skipped_group)
{
    init();
    run("#if 0\n#if x\n#else\n#else\n#endif\n#endif\n");
    ASSERT_NE(find("ELIFAELSE"), nullptr);
    EXPECT_EQ(find("ELIFAELSE")->argument, "else or elif");
}

TEST_F(prepro_test, elif_chain_takes_one_group)
{
    init();
    EXPECT_EQ(flat(run("#if 0\na\n#elif 1\nb\n#elif 1\nc\n#else\nd\n#endif\n")), "b");
    EXPECT_TRUE(codes().empty());
}

TEST_F(prepro_test, unbalanced_directives)
{
    init();
    run("#else\n#elif 1\n#endif\n");
    EXPECT_EQ(codes(), (std::vector<std::string>{"NOCONDITI", "NOCONDITI", "UNBAENDIF"}));
    EXPECT_EQ(captured()[0].argument, "#else");
    EXPECT_EQ(captured()[1].argument, "#elif");
}

TEST_F(prepro_test, conditional_opened_in_an_include_is_closed_by_the_includer)
{
    init();
    write("open.h", "#if 1\n");
    EXPECT_EQ(flat(run("#include \"open.h\"\nin\n#endif\n")), "in");
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(pp.open_conditionals(), 0u);
}

TEST_F(prepro_test, skipped_group_carries_over_to_the_next_call_and_finish_reports)
{
    init();
    run_file("skip.h", "#if 0\n");
    EXPECT_EQ(flat(run("visible\n")), ""); // the next call begins by skipping
    pp.finish(table, false);
    const captured_report* r = find("UNTERCOND");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->argument, "if");
    EXPECT_EQ(r->file, "skip.h");
    EXPECT_EQ(r->line, 1);
    EXPECT_EQ(pp.open_conditionals(), 0u);
    EXPECT_EQ(pp.conditional_entries(), 0u);
}

TEST_F(prepro_test, line_directive_renames_and_renumbers)
{
    init();
    std::string out = run_file("n.h", "#line 100 \"b.c\"\nx __LINE__ __FILE__\n#line 100\ny __LINE__\n");
    EXPECT_NE(out.find("#line 100 \"b.c\"\nx 100 "), std::string::npos) << out;
    EXPECT_EQ(tokens(out), "x 100 \"b.c\" y 102");
}

TEST_F(prepro_test, error_directive_warns_and_reaches_the_output)
{
    init();
    std::string out = run("#error stop here\nnext\n");
    ASSERT_NE(find("WARNERR"), nullptr);
    EXPECT_EQ(find("WARNERR")->argument, "#error stop here");
    EXPECT_EQ(flat(out), "#error stop here next");
}

TEST_F(prepro_test, unknown_directive_lines_are_ordinary_text)
{
    init({"X=1"});
    EXPECT_EQ(flat(run("# 12 \"f.c\"\n#foo X\n#\n")), "# 12 \"f.c\" #foo 1");
    EXPECT_TRUE(codes().empty());
}

TEST_F(prepro_test, operand_cleaning_joins_continuations_and_drops_comments)
{
    init();
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
    ASSERT_NE(find("ERDEFINED"), nullptr);
    EXPECT_EQ(table.find("defined"), nullptr);
}

TEST_F(prepro_test, if_sizeof_uses_the_target_sizes_and_pragmas)
{
    init();
    EXPECT_EQ(flat(run("#if sizeof(long) == 4\nyes\n#endif\n")), "yes");
    pp.sizeof_pragma("(mytype) = 64");
    EXPECT_EQ(flat(run("#if sizeof(mytype) == 8\nyes\n#endif\n")), "yes");
    pp.sizeof_pragma("long 64");
    EXPECT_EQ(pp.bits().long_bits, 64);
}
