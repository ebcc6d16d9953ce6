// Declarations of real C and C++ that once broke the analysis, each kept as
// a named case: what was lost, misread or reported then must now be in the
// table as the source declares it. Expectations are written from the source
// text (a tag and an ordinary name live apart in C; explicit instantiations
// declare no object; noexcept and throw specifications add nothing; a
// qualified class head completes the nested class it names).
#include "grammar_fixture.h"

using regression_declarations = grammar_test;

// "struct s {...} *p, s;" was a syntax error after the comma and lost s.
TEST_F(regression_declarations, tag_name_declared_again_after_a_comma)
{
    analyse("struct s { int a; } *p, s;\nint after;");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("p"), "struct s *p;");
    EXPECT_EQ(printed("s"), "struct s s;");
    EXPECT_NE(tag("s", TK_STRUCT), nullptr);
    EXPECT_EQ(printed("after"), "int after;");
}

TEST_F(regression_declarations, tag_name_declared_first_then_a_pointer)
{
    analyse("struct s { int a; } s, *p;");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("s"), "struct s s;");
    EXPECT_EQ(printed("p"), "struct s *p;");
}

TEST_F(regression_declarations, tag_name_after_a_comma_takes_an_initialiser)
{
    analyse("struct s { int a; } q, s = { 1 }, r;");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("q"), "struct s q;");
    EXPECT_EQ(printed("s"), "struct s s;");
    ASSERT_NE(sym("s"), nullptr);
    EXPECT_NE(sym("s")->initialiser, nullptr);
    EXPECT_EQ(printed("r"), "struct s r;");
}

TEST_F(regression_declarations, typedef_of_the_same_name_as_its_tag_is_used_after)
{
    analyse("typedef struct s s;\nstruct s { int a; };\ns one, *two;\nint use(s *h, s v);");
    EXPECT_TRUE(reports().empty());
    ASSERT_NE(type_of("one"), nullptr);
    ASSERT_NE(type_of("two"), nullptr);
    EXPECT_NE(pointee(type_of("two")), nullptr);
    EXPECT_EQ(parameters(type_of("use")).size(), 2u);
}
