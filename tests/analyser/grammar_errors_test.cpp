// Syntax errors, recovery and bad input: the exact SYNTAXERR and UNEXP_EOF
// reports, recovery at the next ";" or "}", the 150-state stack, and inputs
// that must neither crash nor hang (deep nesting, huge texts, NUL bytes).
#include <string>

#include "grammar_fixture.h"

using grammar_errors = grammar_test;

TEST_F(grammar_errors, error_quotes_the_line_to_the_read_position_and_recovers)
{
    analyse("int x;\nint = 3; int y;\nint z;\n");
    EXPECT_EQ(located_reports(), texts{"2: W SYNTAXERR int ="});
    EXPECT_EQ(reports()[0].file, "t.c");
    EXPECT_EQ(symbol_names(), (texts{"x", "y", "z"}));
}

TEST_F(grammar_errors, statement_keywords_are_refused_outside_bodies_only)
{
    analyse("if (x) y;\nint ok;\nreturn 0;\nint a => b;\n");
    EXPECT_EQ(report_lines(), (texts{"W SYNTAXERR if", "W SYNTAXERR return", "W SYNTAXERR int a =>"}));
    EXPECT_NE(sym("ok"), nullptr);
    reports().clear();
    analyse("int f(int x) { if (x) return 1; for (;;) break; while (x) { x--; } return 0; }");
    EXPECT_TRUE(reports().empty());
    EXPECT_NE(sym("f"), nullptr);
}

// A text that ends inside a body, a template body or a declaration; the
// class scope the broken text leaves open is closed.
TEST_F(grammar_errors, text_ending_early_and_broken_members)
{
    for (const char* text : {"int f(void) {\n  return 0;\n", "template <class T> class A { int x;", "struct S { int a;"}) {
        reports().clear();
        analyse(text);
        EXPECT_EQ(report_lines(), texts{"E UNEXP_EOF "}) << text;
        EXPECT_TRUE(table.frames.empty()) << text;
    }
    // A broken member recovers inside the class.
    reports().clear();
    analyse("struct S { int a; int = ; int b; };\nint after;\n");
    EXPECT_EQ(reports().size(), 1u);
    EXPECT_EQ(member_names(tag("S", TK_STRUCT)), (texts{"a", "b"}));
    EXPECT_EQ(sym("after")->scope_kind, file_scope);
}

TEST_F(grammar_errors, deep_parentheses_overflow_the_stack_into_one_syntax_error)
{
    // The quote keeps the last 59 characters before the read position.
    const std::string text = "int " + std::string(10000, '(') + "x" + std::string(10000, ')') + ";\nint y;\n";
    analyse(text);
    EXPECT_EQ(report_lines(), texts{"W SYNTAXERR " + std::string(59, '(')});
    // Deep specifier lists and pointers stop at the stack too.
    reports().clear();
    analyse("const " + std::string(200 * 6, ' ') + std::string(200, '*') + "p;");
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "const ";
    analyse(many + "int x;");
    EXPECT_FALSE(reports().empty());
}

TEST_F(grammar_errors, megabyte_declaration_is_analysed)
{
    std::string text = "int big[] = {";
    for (int i = 0; i < 260000; ++i)
        text += "1+2,";
    text += "3};";
    ASSERT_GT(text.size(), 1000000u);
    analyse(text);
    EXPECT_TRUE(reports().empty());
    const value_tree* list = type_of("big")->array()->bound_value;
    EXPECT_EQ(list->count(), 260001u);
    EXPECT_EQ(list->elements[0]->printed(), "1+2");
    // A long expression is built in place.
    text = "int sum = 0";
    for (int i = 0; i < 200000; ++i)
        text += " + 1";
    text += ";";
    analyse(text);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(sym("sum")->initialiser->printed().size(), 1u + 2u * 200000u);
}

TEST_F(grammar_errors, long_name_and_nul_byte)
{
    const std::string name(100000, 'n');
    analyse("int " + name + ";" + std::string("int a;\0int b;", 13));
    EXPECT_TRUE(reports().empty());
    EXPECT_NE(sym(name), nullptr);
    EXPECT_NE(sym("a"), nullptr);
    EXPECT_EQ(sym("b"), nullptr); // a NUL byte ends the text
}

// An empty text is not parsed.
TEST_F(grammar_errors, unbalanced_braces_and_stray_bytes)
{
    analyse("");
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(symbol_names().empty());
    EXPECT_TRUE(table.frames.empty());
    analyse("}}}} int a; {{{ int b; ))) \x01\x7f\xff int c;");
    EXPECT_FALSE(reports().empty());
    analyse("struct { struct { struct {");
    EXPECT_TRUE(table.frames.empty());
}

TEST_F(grammar_errors, type_from_text_names_a_type_and_leaves_no_symbol)
{
    analyse("typedef unsigned short word;");
    EXPECT_TRUE(is_integral(type_from_text("unsigned long", table, "t.c", 1), "unsigned long", 32));
    EXPECT_EQ(pointee(type_from_text("word *", table, "t.c", 1)), type_of("word"));
    EXPECT_EQ(sym("__morva_var"), nullptr);
    EXPECT_EQ(type_from_text("struct {", table, "t.c", 1), nullptr);
    EXPECT_EQ(sym("__morva_var"), nullptr);
    EXPECT_TRUE(reports().empty());
}
