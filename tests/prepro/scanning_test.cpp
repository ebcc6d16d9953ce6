// Source scanning: in-place trigraphs and digraphs, file reading, comments,
// strings, continuations, line markers and the stack limit.
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

TEST(trigraphs, replaced_in_place_keeping_line_lengths)
{
    std::string text = "a ?\?= b\n?\?( ?\?) ?\?< ?\?> ?\?! ?\?' ?\?- ?\?/x\nplain\n";
    std::string before = text;
    cpp_replace_trigraphs(text);
    EXPECT_EQ(text, "a # b  \n[ ] { } | ^ ~ \\x                \nplain\n");
    EXPECT_EQ(line_lengths(text), line_lengths(before));
}

TEST(trigraphs, run_of_question_marks_uses_the_last_two)
{
    std::string text = "?\?\?=\n";
    cpp_replace_trigraphs(text);
    EXPECT_EQ(text, "?#  \n");
}

TEST(trigraphs, backslash_trigraph_before_blanks_makes_a_continuation)
{
    std::string text = "ab?\?/  \r\nc\n";
    cpp_replace_trigraphs(text);
    EXPECT_EQ(text, "ab    \\\r\nc\n");
}

TEST(trigraphs, carriage_return_ends_the_padded_line)
{
    std::string text = "?\?=x\r\n";
    cpp_replace_trigraphs(text);
    EXPECT_EQ(text, "#x  \r\n");
}

TEST(digraphs, replaced_in_place_keeping_line_lengths)
{
    std::string text = "<: :> <% %> %:x\n\"<%\"\n";
    std::string before = text;
    cpp_replace_digraphs(text);
    EXPECT_EQ(text, "[ ] { } #x     \n\"{\" \n");
    EXPECT_EQ(line_lengths(text), line_lengths(before));
}

TEST_F(prepro_test, file_without_final_line_feed_and_nul_ends_the_text)
{
    init();
    EXPECT_EQ(flat(run_file("a.h", "int a;")), "int a;");
    EXPECT_EQ(flat(run_file("b.h", std::string("int b;\nint c;\0int d;\n", 22))), "int b; int c;");
}

TEST_F(prepro_test, digraph_in_string_reaches_the_output_rewritten)
{
    init();
    EXPECT_EQ(run("s = \"<%\";\n"), "s = \"{\"; \n");
}

TEST_F(prepro_test, block_comment_keeps_the_line_structure)
{
    init();
    std::string out = run_file("c.h", "a /* one\ntwo\nthree */ b\nc\n");
    EXPECT_EQ(out, "#line 1 \"c.h\"\na  \n\n b\nc\n#line 0 \"\"\n");
}

TEST_F(prepro_test, line_comment_becomes_one_blank)
{
    init();
    EXPECT_EQ(run("a // note\nb\n"), "a  \nb\n");
}

TEST_F(prepro_test, unterminated_comment_warns_at_its_first_line)
{
    init();
    run_file("u.h", "x\n/* open\nmore\n");
    const captured_report* r = find("UNTERCOMM");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->kind, kind_warning);
    EXPECT_EQ(r->line, 2);
    EXPECT_EQ(r->file, "u.h");
}

TEST_F(prepro_test, unterminated_string_warns_and_scanning_goes_on)
{
    init();
    std::string out = run_file("s.h", "a\nb = \"open\n#define X 1\nX\n");
    const captured_report* r = find("UNTERSTRI");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->line, 2);
    EXPECT_EQ(flat(out), "a b = \"open 1");
}

TEST_F(prepro_test, numbers_are_not_looked_up_and_keep_their_sign)
{
    init({"e=X", "E1=Y"});
    EXPECT_EQ(flat(run("1e+5 0x1E1 1..2 e\n")), "1e+5 0x1E1 1..2 X");
}

TEST_F(prepro_test, continuation_inside_a_name_is_joined)
{
    init({"ABC=ok"});
    std::string out = run_file("j.h", "A\\\nBC\nnext\n");
    EXPECT_EQ(flat(out), "ok next");
    // the following line keeps its number: no marker, two line feeds
    EXPECT_EQ(out, "#line 1 \"j.h\"\nok \n\nnext\n#line 0 \"\"\n");
}

TEST_F(prepro_test, continuation_elsewhere_produces_nothing)
{
    init();
    EXPECT_EQ(flat(run("a \\\n b\n")), "a b");
}

TEST_F(prepro_test, markers_unconditional_at_file_entry_and_resume)
{
    init();
    write("inner.h", "inner\n");
    std::string out = run_file("outer.h", "one\n#include \"inner.h\"\ntwo\n");
    EXPECT_EQ(out, "#line 1 \"outer.h\"\none\n#line 1 \"inner.h\"\ninner\n#line 2 \"outer.h\"\n\ntwo\n#line 0 \"\"\n");
}

TEST_F(prepro_test, short_skipped_group_gives_no_marker)
{
    init();
    std::string out = run_file("k.h", "#if 0\nskipped\n#endif\nafter\n");
    EXPECT_EQ(out, "#line 1 \"k.h\"\n\n\n\nafter\n#line 0 \"\"\n");
}

TEST_F(prepro_test, long_skipped_group_gives_a_conditional_marker)
{
    init();
    std::string body = "#if 0\n";
    for (int i = 0; i < 10; ++i)
        body += "x\n";
    body += "#endif\n\nafter\n";
    std::string out = run_file("l.h", body);
    // the #endif is line 12, the blank line 13 is passed over
    EXPECT_EQ(out, "#line 1 \"l.h\"\n#line 14 \"l.h\"\nafter\n#line 0 \"\"\n");
}

TEST_F(prepro_test, prepro_only_escapes_backslashes_and_quotes_in_markers)
{
    init();
    pp.escape_file_names = true;
    std::string name = "a\\b\"c";
    write(name, "x\n");
    std::string out = run("#include <" + name + ">");
    EXPECT_NE(out.find("#line 1 \"a\\\\b\\\"c\"\n"), std::string::npos) << out;
}

TEST_F(prepro_test, recursive_include_stops_at_the_stack_limit)
{
    init();
    std::string out = run_file("r.h", "#include \"r.h\"\n");
    const captured_report* r = find("NBRECURSI");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->kind, kind_fatal);
    EXPECT_EQ(pp.include_list().size(), 0u); // every appended directory went away
}

TEST_F(prepro_test, deep_macro_nesting_is_refused_not_overflowed)
{
    init();
    std::string text = "#define f(x) x\n";
    for (int i = 0; i < 3000; ++i)
        text += "f(";
    text += "1";
    for (int i = 0; i < 3000; ++i)
        text += ")";
    run(text + "\n");
    ASSERT_NE(find("NBRECURSI"), nullptr);
}

TEST_F(prepro_test, megabyte_line_and_binary_junk_survive)
{
    init({"A=1"});
    std::string line(1 << 20, 'A');
    for (std::size_t i = 0; i < line.size(); i += 2)
        line[i] = ' ';
    std::string out = run(line + "\n");
    EXPECT_EQ(out.size() > line.size(), true);
    std::string junk;
    for (int i = 0; i < 5000; ++i)
        junk.push_back(char((i * 7919) % 251 + 1));
    run(junk);
    SUCCEED();
}

TEST_F(prepro_test, messages_carry_the_nearest_file_position)
{
    init();
    write("w.h", "\n\n#warning here\n");
    run("#include \"w.h\"\n");
    const captured_report* r = find("WARNERR");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->file, "w.h");
    EXPECT_EQ(r->line, 3);
}
