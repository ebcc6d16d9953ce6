// Source scanning: in-place trigraphs and digraphs, file reading, comments,
// strings, continuations and line markers.
#include "prepro_fixture.h"

namespace {

std::vector<std::size_t> line_lengths(const std::string& s)
{
    std::vector<std::size_t> lengths;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == '\n') {
            lengths.push_back(i - start);
            start = i + 1;
        }
    return lengths;
}

} // namespace

// "?\?" keeps the C++ compiler of the tests from seeing trigraphs itself.
TEST(trigraphs_and_digraphs, replaced_in_place_keeping_line_lengths)
{
    struct { void (*replace)(std::string&); const char *text, *expected; } cases[] = {
        {cpp_replace_trigraphs, "a ?\?= b\n?\?( ?\?) ?\?< ?\?> ?\?! ?\?' ?\?- ?\?/x\nplain\n",
         "a # b  \n[ ] { } | ^ ~ \\x                \nplain\n"},
        {cpp_replace_trigraphs, "??\?=\n", "?#  \n"}, // a run of '?' uses its last two
        {cpp_replace_trigraphs, "ab?\?/  \r\nc\n", "ab    \\\r\nc\n"}, // "?\?/" before blanks continues
        {cpp_replace_trigraphs, "?\?=x\r\n", "#x  \r\n"}, // a carriage return ends the padded line
        {cpp_replace_trigraphs, "no candidate? ?x ?\n", "no candidate? ?x ?\n"},
        // Digraphs only outside literals and comments.
        {cpp_replace_digraphs, "<: :> <% %> %:x\n\"<%\" '%>' /* <: */ // %:\ny<::z\n",
         "[ ] { } #x     \n\"<%\" '%>' /* <: */ // %:\ny<::z\n"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        c.replace(text);
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(line_lengths(text), line_lengths(c.text));
    }
}

// The exact output of one file: its markers, and the line feeds that keep
// every later line on its number.
TEST_F(prepro_test, file_text_becomes_lines_with_markers)
{
    init({"ABC=ok", "e=X", "E1=Y"});
    std::string ten_skipped = "#if 0\n";
    for (int i = 0; i < 10; ++i)
        ten_skipped += "x\n";
    ten_skipped += "#endif\n\nafter\n";
    write("inner.h", "inner\n");
    struct { std::string file, text, output; } cases[] = {
        {"c.h", "a /* one\ntwo\nthree */ b\nc\n", "#line 1 \"c.h\"\na  \n\n b\nc\n#line 0 \"\"\n"},
        {"d.h", "a // note\nb\n", "#line 1 \"d.h\"\na  \nb\n#line 0 \"\"\n"},
        {"j.h", "A\\\nBC\nnext\n", "#line 1 \"j.h\"\nok \n\nnext\n#line 0 \"\"\n"}, // joined name
        {"outer.h", "one\n#include \"inner.h\"\ntwo\n",
         "#line 1 \"outer.h\"\none\n#line 1 \"inner.h\"\ninner\n#line 2 \"outer.h\"\n\ntwo\n#line 0 \"\"\n"},
        {"k.h", "#if 0\nskipped\n#endif\nafter\n", "#line 1 \"k.h\"\n\n\n\nafter\n#line 0 \"\"\n"},
        // #endif on line 12, the blank line 13 passed over: one marker
        {"l.h", ten_skipped, "#line 1 \"l.h\"\n#line 14 \"l.h\"\nafter\n#line 0 \"\"\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run_file(c.file, c.text), c.output) << c.text;
    EXPECT_EQ(flat(run_file("a.h", "int a;")), "int a;"); // no final line feed
    EXPECT_EQ(flat(run_file("b.h", std::string("int b;\nint c;\0int d;\n", 22))), "int b; int c;");
    EXPECT_EQ(flat(run("a \\\n b\n")), "a b"); // a continuation elsewhere gives nothing
    EXPECT_EQ(flat(run("1e+5 0x1E1 1..2 e\n")), "1e+5 0x1E1 1..2 X"); // numbers are not looked up
}

TEST_F(prepro_ready, prepro_only_escapes_backslashes_and_quotes_in_markers)
{
    pp.escape_file_names = true;
    std::string name = "a\\b\"c";
    write(name, "x\n");
    std::string out = run("#include <" + name + ">");
    EXPECT_NE(out.find("#line 1 \"a\\\\b\\\"c\"\n"), std::string::npos) << out;
}
