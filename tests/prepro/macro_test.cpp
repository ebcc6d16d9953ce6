// Macro definition and substitution, and the macro examples of the C
// standard compared token by token. Where this preprocessor prescribes a
// different result, the test names the difference.
#include "prepro_fixture.h"

// Definitions and calls whose tokens alone show the substitution.
TEST_F(prepro_ready, substitution_forms)
{
    struct { const char* text; const char* tokens; } cases[] = {
        {"#define F[a] (a+1)\nF[2] F(2) F\n", "( 2 + 1 ) ( 2 + 1 ) F"}, // square bracket parameters
        {"#define G(x) #x\nG( a  \"b\\n\"  c )\n", "\"a \\\"b\\\\n\\\" c\""},
        {"#define C(x) #@x\nC(y)\n", "'y'"},
        {"#define P(a,b) a##b\nP(x,y)\n", "xy"},
        {"#define X X+1\nX\n", "X + 1"}, // no second expansion of itself
        {"#define foo(x) bar x\nfoo(foo) (2)\n", "bar foo ( 2 )"},
        {"#define f(a) a*g\n#define g(a) f(a)\nf(2)(9)\n", "2 * 9 * g"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tokens(run(c.text)), c.tokens) << c.text;
}

TEST_F(prepro_test, command_line_predefined_and_special_names)
{
    init({"N", "M=3", "N+3"});
    EXPECT_EQ(tokens(run("N M\n")), "1 3");
    EXPECT_EQ(report_lines(), texts{"W MALFOROPT -DN+3 [*Initialization*:1]"});
    // Predefined and special names.
    EXPECT_EQ(tokens(run("__STDC__ ZRL_LINUX USE_KNU ZRL_CPLUSPLUS_LANGUAGE\n")), "0 1 1 1");
    std::string out = run_file("sp.h", "__LINE__ __FILE__ __INCLUDE_LEVEL__ __BASE_FILE__\n\n__LINE__\n");
    EXPECT_EQ(tokens(out), "1 \"sp.h\" 1 \"\" 3");
    std::string date = tokens(run("__DATE__ __TIME__\n"));
    EXPECT_TRUE(std::regex_match(date, std::regex("\"[A-Z][a-z][a-z] [ 0-9][0-9] [0-9]{4}\" \"[0-9]{2}:[0-9]{2}:[0-9]{2}\"")))
        << date;
    EXPECT_EQ(tokens(run("__TIME__\n")), date.substr(date.rfind(' ') + 1)); // one clock reading
}

TEST_F(prepro_ready, definition_and_argument_count_errors)
{
    run("#define Two(a,b) a b\n#define None() x\nTwo() Two(1) Two(1,2,3) None(1)\n");
    EXPECT_EQ(codes(), (texts{"NOARTOMAC", "NBARGMACR", "TOMANYARG", "ARGTOMACR"}));
    captured_reports.clear();
    run("#define 9a x\n#define defined 1\n#define F(a,,b) x\n#define G(a x\n#define H(a.. ) x\n#define J(... , b) x\n"
        "#define K(a) #b\n");
    EXPECT_EQ(codes(), (std::vector<std::string>{"INVAMACRO", "INVDEFINE", "PARASTART", "BADPARDEF", "BADPARDEF",
                                                 "BADPARDEF", "BADPARDEF", "OPERMACRO"}));
    EXPECT_EQ(table.find("F"), nullptr);
    EXPECT_EQ(table.find("G"), nullptr);
    EXPECT_NE(table.find("H"), nullptr); // a wrong count of periods only warns
    EXPECT_EQ(table.find("J"), nullptr);
}

TEST_F(prepro_ready, call_across_line_feeds_keeps_the_next_line_number)
{
    std::string out = run_file("nl.h", "#define F(a,b) a+b\nF\n(1,\n2)\nnext\n");
    EXPECT_EQ(tokens(out), "1 + 2 next");
    EXPECT_NE(out.find("\n\n1+ 2 \n\n\nnext"), std::string::npos) << out; // next stays on line 5
}

TEST_F(prepro_ready, define_if_absent_macro_text_and_expand_text)
{
    pp.define_if_absent(table, "K 1");
    pp.define_if_absent(table, "K 2");
    EXPECT_EQ(cpp_macro_text(table, "K"), "1");
    pp.define_if_absent(table, "E");
    EXPECT_EQ(cpp_macro_text(table, "E"), ""); // an empty replacement gives nothing
    pp.undefine(table, "K");
    EXPECT_EQ(table.find("K"), nullptr);
    // The text of a directive operand, expanded.
    run("#define H <stdio.h>\n");
    EXPECT_EQ(flat(pp.expand_text(table, "H", expand_include)), "<stdio.h>");
}

// C standard, 6.10.3.5 example 3.
TEST_F(prepro_ready, standard_example_nested_replacement)
{
    std::string out = run("#define x 3\n#define f(a) f(x * (a))\n#undef x\n#define x 2\n#define g f\n"
                          "#define z z[0]\n#define h g(~\n#define m(a) a(w)\n#define w 0,1\n#define t(a) a\n"
                          "#define p() int\n#define q(x) x\n#define r(x,y) x ## y\n#define str(x) # x\n"
                          "f(y+1) + f(f(z)) % t(t(g)(0) + t)(1);\n"
                          "g(x+(3,4)-w) | h 5) & m\n(f)^m(m);\n"
                          "p() i[q()] = { q(1), r(2,3), r(4,), r(,5), r(,) };\n"
                          "char c[2][6] = { str(hello), str() };\n");
    EXPECT_EQ(tokens(out), tokens("f(2 * (y+1)) + f(2 * (f(2 * (z[0])))) % f(2 * (0)) + t(1);\n"
                                  "f(2 * (2+(3,4)-0,1)) | f(2 * (~ 5)) & f(2 * (0,1))^m(0,1);\n"
                                  "int i[] = { 1, 23, 4, 5, };\n"
                                  "char c[2][6] = { \"hello\", \"\" };\n"));
    // Difference: an empty argument draws NOARTOMAC (q() and str()).
    EXPECT_EQ(codes(), (std::vector<std::string>{"NOARTOMAC", "NOARTOMAC"}));
}

// C standard, 6.10.3.5 example 4.
TEST_F(prepro_ready, standard_example_str_xstr_glue)
{
    std::string out = run("#define str(s) # s\n#define xstr(s) str(s)\n"
                          "#define debug(s, t) printf(\"x\" # s \"= %d, x\" # t \"= %s\", \\\n x ## s, x ## t)\n"
                          "#define INCFILE(n) vers ## n\n#define glue(a, b) a ## b\n#define xglue(a, b) glue(a, b)\n"
                          "#define HIGHLOW \"hello\"\n#define LOW LOW \", world\"\n"
                          "debug(1, 2);\n"
                          "fputs(str(strncmp(\"abc\\0d\", \"abc\", '\\4') // this goes away\n == 0) str(: @\\n), s);\n"
                          "xstr(INCFILE(2).h)\n"
                          "glue(HIGH, LOW);\nxglue(HIGH, LOW)\n");
    EXPECT_EQ(tokens(out), tokens("printf(\"x\" \"1\" \"= %d, x\" \"2\" \"= %s\", x1, x2);\n"
                                  "fputs(\"strncmp(\\\"abc\\\\0d\\\", \\\"abc\\\", '\\\\4') == 0\" \": @\\n\", s);\n"
                                  "\"vers2.h\"\n"
                                  "\"hello\";\n\"hello\" \", world\"\n"));
    EXPECT_TRUE(codes().empty());
}

// C standard, 6.10.3.5 example 5 (hash_hash).
TEST_F(prepro_ready, standard_example_hash_hash)
{
    std::string out = run("#define hash_hash # ## #\n#define mkstr(a) # a\n#define in_between(a) mkstr(a)\n"
                          "#define join(c, d) in_between(c hash_hash d)\nchar p[] = join(x, y);\n");
    EXPECT_EQ(tokens(out), tokens("char p[] = \"x ## y\";"));
    // Difference: a '#' in an object-like body draws OPERMACRO (twice here).
    EXPECT_EQ(codes(), (std::vector<std::string>{"OPERMACRO", "OPERMACRO"}));
}

// C standard, 6.10.3.5 example 7 (variable arguments).
TEST_F(prepro_ready, standard_example_variadics)
{
    std::string out = run("#define debug(...) fprintf(stderr, __VA_ARGS__)\n"
                          "#define showlist(...) puts(#__VA_ARGS__)\n"
                          "#define report(test, ...) ((test)?puts(#test):\\\n printf(__VA_ARGS__))\n"
                          "debug(\"Flag\");\ndebug(\"X = %d\\n\", x);\n"
                          "showlist(The first, second, and third items.);\n"
                          "report(x>y, \"x is %d but y is %d\", x, y);\n");
    EXPECT_EQ(tokens(out), tokens("fprintf(stderr, \"Flag\");\nfprintf(stderr, \"X = %d\\n\", x);\n"
                                  "puts(\"The first, second, and third items.\");\n"
                                  "((x>y)?puts(\"x>y\"): printf(\"x is %d but y is %d\", x, y));\n"));
    EXPECT_TRUE(codes().empty());
}
