// Inputs from real C and C++ code that once went wrong: continuations inside
// literals and comments of a macro call, raw control bytes in the source,
// digraphs inside literals and C++'s "<::", and unsigned #if arithmetic
// beyond 32 bits. Expected texts are what gcc -E gives for the same lines.
#include "prepro_fixture.h"

// glibc's pthread.h continues a string inside __attribute_deprecated_msg__(...).
TEST_F(prepro_ready, literal_continued_inside_a_macro_argument)
{
    struct { const char* text; const char* expected; } cases[] = {
        {"#define f(x) [x]\nf(\"ab\\\nc\") next;\nf(1)\n", "[\"abc\"] next; [1]"},
        {"#define f(x) [x]\nf('\\\na') next;\nf(1)\n", "['a'] next; [1]"},
        {"#define f(x) [x]\nf(\"a\\\\\\\nn\") next;\nf(1)\n", "[\"a\\\\n\"] next; [1]"},
    };
    for (const auto& c : cases) {
        captured_reports.clear();
        EXPECT_EQ(flat(run(c.text)), c.expected) << c.text;
        EXPECT_TRUE(captured_reports.empty()) << c.text;
    }
    // The lines after the call keep their numbers.
    std::string out = run("#define f(x) x\nf(\"a\\\nb\")\n__LINE__\n");
    EXPECT_NE(out.find("\"ab\" \n\n3 \n"), std::string::npos) << testing::PrintToString(out); // first line 0
}

// Texts compared token by token with the tokens gcc gives, none reported.
TEST_F(prepro_ready, texts_compare_token_by_token)
{
    struct { const char* text; const char* expected; } cases[] = {
        // A comment closer split by a continuation in a call, and in a
        // directive operand with a continued string.
        {"#define F(x) <x>\nF /* c *\\\n/ (1)\nF /* c */ (2)\n", "<1> <2>"},
        {"#define F(x) <x>\nF(1 /\\\n* c *\\\n/) F(2 /\\\n/ c\n)\n", "< 1 > < 2 >"},
        {"#define S \"a\\\nb\" /\\\n* c *\\\n/ x\nS\n", "\"ab\" x"},
        // Raw marker bytes are plain text.
        {"#define A 1\n#define B(a) [a] \x01 #a\nx\x01 A \x02 A \x03 A\nB(\x02 A) A \"\x01\" A\n",
         "x\x01 1 \x02 1 \x03 1 [\x02 1] \x01 \"\\002 A\" 1 \"\x01\" 1"},
        // Digraphs only as tokens, also before "::".
        {"printf(\"<%s>\"); c = '<:';\n", "printf(\"<%s>\"); c = '<:';"},
        {"/* <% %> */ x<:1:> // %:\n", "x[1]"},
        {"std::vector<::ns::T> v;\n", "std::vector< ::ns::T> v;"},
        {"a<:::b:> c<::>\n", "a[::b] c[]"},
        {"%:define D 7\nD\n", "7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tokens(run(c.text)), tokens(c.expected)) << c.text;
    EXPECT_TRUE(captured_reports.empty());
}

TEST_F(prepro_ready, unsigned_if_arithmetic_keeps_64_bits)
{
    // Each condition holds; "-1 < 0u" and "0xFFFFFFFFu + 1", which do not, are
    // among the evaluator's own cases.
    for (const char* condition : {"0xffffffffffffffffUL == 18446744073709551615UL",
                                  "0xffffffffffffffffUL > 0xffffffffUL",
                                  "0x7fffffffffffffffL < 0xffffffffffffffffUL",
                                  "(0x100000000u >> 32) == 1",
                                  "(1u << 40) / 2 == 0x8000000000",
                                  "0xffffffffffffffffu % 7 == 1",
                                  "-1 / 2u > 0"})
        EXPECT_EQ(flat(run(std::string("#if ") + condition + "\nyes\n#else\nno\n#endif\n")), "yes") << condition;
}

// A guarded header included again while its guard is defined is not read
// again, yet the output keeps the markers and line feeds of a reading.
TEST_F(prepro_ready, guarded_header_included_again_writes_the_same_lines)
{
    write("g.h", "#ifndef G\n#define G\nint g;\n#endif\n");
    EXPECT_EQ(run("#include \"g.h\"\n#include \"g.h\"\n#include \"g.h\"\n"),
              "#line 1 \"g.h\"\n\n\nint g;\n\n#line 0 \"\"\n\n"
              "#line 1 \"g.h\"\n\n\n\n\n#line 1 \"\"\n\n"
              "#line 1 \"g.h\"\n\n\n\n\n#line 2 \"\"\n\n");
    // Once the guard is undefined, the header counts again.
    EXPECT_EQ(flat(run("#undef G\n#include \"g.h\"\n#include \"g.h\"\n")), "int g;");

    // Text outside the guard, or a message while skipping, is never replayed.
    write("h.h", "#ifndef H\n#define H\n#endif\nint h;\n");
    EXPECT_EQ(flat(run("#include \"h.h\"\n#include \"h.h\"\n#include \"h.h\"\n")), "int h; int h; int h;");
    write("k.h", "#ifndef K\n#define K\n#if 0\nit's\n#endif\n#endif\n");
    captured_reports.clear();
    run("#include \"k.h\"\n#include \"k.h\"\n#include \"k.h\"\n");
    EXPECT_EQ(codes(), std::vector<std::string>(3, "UNTERSTRI"));
}
