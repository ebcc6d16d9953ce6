// Include search order, operand forms, and the tool pragmas.
#include "prepro_fixture.h"

TEST_F(prepro_test, include_search_order)
{
    write({{"a/x.h", "from_a\n"}, {"b/x.h", "from_b\n"}, {"b/y.h", "y_from_b\n"}, {"x.h", "from_cwd\n"},
           {"sub/inc.h", "#include <z.h>\n"}, {"sub/z.h", "z_from_includer_dir\n"}});
    init({}, {"a", "b"});
    EXPECT_EQ(flat(run("#include <x.h>\n")), "from_cwd");
    EXPECT_EQ(flat(run("#include <y.h>\n")), "y_from_b");
    EXPECT_EQ(flat(run("#include \"sub/inc.h\"\n")), "z_from_includer_dir");
    EXPECT_EQ(pp.include_list(), (std::vector<std::string>{"a", "b"})); // appended dirs removed again
}

TEST_F(prepro_ready, include_operand_forms)
{
    write("y.h", "why\n");
    EXPECT_EQ(flat(run("#define FOO \"y.h\"\n#include FOO\n")), "why");
    run("#include y.h\n");
    EXPECT_TRUE(reported("ERINCLUDE"));
}

TEST_F(prepro_ready, incl_std_and_type_modifier_pragmas)
{
    run("#pragma morva incl_std \"/opt/inc\", /usr/x\n#pragma morva incl_std\n");
    EXPECT_EQ(pp.include_list(), (std::vector<std::string>{"/opt/inc", "/usr/x"}));
    EXPECT_EQ(report_lines(), texts{"W SYNTAXERR empty pragma morva incl_std [:1]"});
    captured_reports.clear();
    run("#pragma morva type_modifier = far\n#pragma morva type_modifier=far\n#pragma morva type_mod near\n");
    EXPECT_EQ(pp.type_modifiers, (std::vector<std::string>{"far"}));
    EXPECT_TRUE(reported("TYPMODINC"));
    pp.finish(table, false);
    EXPECT_TRUE(pp.type_modifiers.empty());
}

// The text between stop and start pragmas is dropped.
TEST_F(prepro_test, stop_start_and_mapped_pragmas)
{
    init({"X=1"});
    EXPECT_EQ(flat(run("a\n#pragma morva stop_analyse\nb X\n#define Y 2\n#pragma morva start\nc\n")), "a c");
    EXPECT_EQ(table.find("Y"), nullptr);
    EXPECT_EQ(flat(run("#pragma morva stop\nd\n", true)), "d"); // analyse all ignores the flag
    EXPECT_EQ(flat(run("e\n#pragma morva start_analyze\nf\n")), "f");
    // A mapped pragma stands for a start pragma.
    std::string out = run("#pragma morva pragma \"ANALYSIS ON\" = \"#pragma morva start_analyse\"\n"
                          "#pragma morva stop_analyse\nhidden\n#pragma ANALYSIS  ON\nshown\n");
    EXPECT_EQ(flat(out), "shown");
    run("#pragma morva stop_analyse\n");
    EXPECT_EQ(flat(run("#pragma ANALYSISON\nagain\n")), "again");
    ASSERT_EQ(pp.pragma_map().size(), 1u);
}

TEST_F(prepro_ready, sizeof_and_signof_lines_are_copied_for_the_lexer)
{
    EXPECT_EQ(flat(run("#pragma morva sizeof int = 16\n#pragma morva signof char unsigned\n")),
              "#pragma morva sizeof int = 16 #pragma morva signof char unsigned");
    // Without an analyser's hooks the pragmas set the preprocessor's own sizes.
    pp.signof_pragma("char unsigned");
    EXPECT_TRUE(pp.bits().char_unsigned);
    pp.sizeof_pragma("long 64");
    EXPECT_EQ(pp.bits().long_bits, 64);
    EXPECT_EQ(flat(run("#if sizeof(long) == 8\nyes\n#endif\n")), "yes");
}
