// The analysis lexer on its own: token numbers, longest match, start
// conditions with template brackets and captures, line markers, pragmas,
// position tracking. Names are classified by a small fake table.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyser/analysis_lexer.h"
#include "prepro/preprocessor.h"

namespace {

class fake_names : public name_lookup {
public:
    std::map<std::string, int, std::less<>> tokens;
    name_class classify(std::string_view name, bool, const semantic_value*) override
    {
        auto found = tokens.find(name);
        return {found == tokens.end() ? 336 : found->second, nullptr, nullptr};
    }
};

struct token {
    int number;
    std::string text;
};

std::vector<token> scan(std::string_view text, name_lookup* names = nullptr)
{
    text_arena arena;
    analysis_lexer lexer(text, "a.c", 1, arena, names);
    std::vector<token> out;
    semantic_value value;
    for (int guard = 0; guard < 1000; ++guard) {
        const int number = lexer.next_token(value);
        out.push_back({number, value.text ? *value.text : std::string()});
        if (number == 0)
            break;
    }
    return out;
}

std::vector<int> numbers(std::string_view text, name_lookup* names = nullptr)
{
    std::vector<int> out;
    for (const token& t : scan(text, names))
        out.push_back(t.number);
    return out;
}

// Each token as "number text", the end marker left out.
std::vector<std::string> tokens_of(std::string_view text)
{
    std::vector<std::string> out;
    for (const token& t : scan(text))
        if (t.number != 0)
            out.push_back(std::to_string(t.number) + " " + t.text);
    return out;
}

using texts = std::vector<std::string>;

} // namespace

TEST(analysis_lexer, keywords_have_their_numbers)
{
    EXPECT_EQ(numbers("true false"), (std::vector<int>{333, 334, 0}));
    EXPECT_EQ(numbers("auto double int struct asm wchar_t reinterpret_cast const_cast"),
              (std::vector<int>{281, 282, 283, 284, 385, 335, 400, 399, 0}));
    EXPECT_EQ(numbers("typedef using namespace typename template"), (std::vector<int>{292, 331, 330, 329, 387, 0}));
    // A keyword prefix is an identifier: the longest match wins.
    EXPECT_EQ(numbers("integer int_ structure"), (std::vector<int>{336, 336, 336, 0}));
}

TEST(analysis_lexer, names_and_constants_stop_where_their_pattern_stops)
{
    EXPECT_EQ(tokens_of("$x a$b _1"), (texts{"336 $x", "336 a$b", "336 _1"}));
    // "lL" is no suffix: "1l", then the name "L"; "08" is "0", then "8".
    EXPECT_EQ(tokens_of("1lL 017 08 0x1fUL 42u 0"),
              (texts{"339 1l", "336 L", "341 017", "341 0", "339 8", "342 0x1fUL", "339 42u", "341 0"}));
    EXPECT_EQ(tokens_of("1.5e+3f .5 2. 3e4 'a' L'\\n' \"s\\\"t\" L\"w\""),
              (texts{"338 1.5e+3f", "338 .5", "338 2.", "338 3e4", "340 'a'", "340 L'\\n'", "337 \"s\\\"t\"",
                     "337 L\"w\""}));
}

TEST(analysis_lexer, long_long_suffixes_belong_to_the_constant)
{
    // A suffix takes one "u" only.
    EXPECT_EQ(tokens_of("1LL 2ull 3LLU 0x4uLL 05ll 6lu 7Ul 8uu"),
              (texts{"339 1LL", "339 2ull", "339 3LLU", "342 0x4uLL", "341 05ll", "339 6lu", "339 7Ul", "339 8u",
                     "336 u"}));
}

TEST(analysis_lexer, c99_words)
{
    // _Bool is the bool token with its own spelling; the restrict words are
    // qualifiers kept as written; the C11 words carry no text.
    EXPECT_EQ(tokens_of("_Bool restrict __restrict __restrict__ _Static_assert static_assert _Noreturn"),
              (texts{"332 _Bool", "383 restrict", "383 __restrict", "383 __restrict__", "376 ", "376 ", "377 "}));
}

TEST(analysis_lexer, operators_by_longest_match)
{
    EXPECT_EQ(numbers(".* a :: -> ->* ++ -- << >> <= >= == != && ||"),
              (std::vector<int>{359, 336, 358, 344, 360, 345, 346, 347, 348, 349, 350, 351, 352, 353, 354, 0}));
    EXPECT_EQ(numbers("*= /= %= += -= <<= >>= &= ^= |= ... => .."),
              (std::vector<int>{361, 362, 363, 364, 365, 366, 367, 368, 369, 370, 355, 371, 372, 0}));
}

TEST(analysis_lexer, the_two_using_statements_are_skipped_exactly)
{
    EXPECT_EQ(numbers("using ::exception; int"), (std::vector<int>{283, 0}));
    EXPECT_EQ(numbers("using ::type_info;"), (std::vector<int>{0}));
    // Only with exactly that spacing.
    EXPECT_EQ(numbers("using  ::exception;"), (std::vector<int>{331, 336, ';', 0}));
}

TEST(analysis_lexer, nested_template_arguments_close_one_by_one)
{
    fake_names names;
    names.tokens["vector"] = 390;
    EXPECT_EQ(numbers("vector<vector<int>> v;", &names),
              (std::vector<int>{390, 392, 390, 392, 283, 393, 393, 336, ';', 0}));
    // Outside template arguments ">>" is one token and "<" a plain character.
    EXPECT_EQ(numbers("a < b >> c", &names), (std::vector<int>{336, '<', 336, 348, 336, 0}));
}

TEST(analysis_lexer, template_header_body_is_one_token)
{
    const std::string text = "template <class T> class A { int x; };\nint y;";
    EXPECT_EQ(numbers(text), (std::vector<int>{387, 392, 317, 336, 393, 317, 336, 394, ';', 283, 336, ';', 0}));
    EXPECT_EQ(scan(text)[7].text, "{ int x; }");
}

TEST(analysis_lexer, template_captures_of_initialisers_and_values)
{
    const auto ctor = scan("template <class T> A<T>::A() : x(1), y(\"}\") { f(); } int");
    // 387 392 317 336 393 A(336) '<' T '>' 358 A '(' ')' 395 int
    ASSERT_GE(ctor.size(), 3u);
    EXPECT_EQ(ctor[ctor.size() - 3].number, 395);
    EXPECT_EQ(ctor[ctor.size() - 3].text, ": x(1), y(\"}\") { f(); }");
    EXPECT_EQ(ctor[ctor.size() - 2].number, 283);

    const std::string value = "template <class T> T v = g({1; 2}); int";
    EXPECT_EQ(numbers(value), (std::vector<int>{387, 392, 317, 336, 393, 336, 336, 396, ';', 283, 0}));
    EXPECT_EQ(scan(value)[7].text, " g({1; 2})");
}

TEST(analysis_lexer, template_header_flag_ends_after_the_declaration)
{
    // After "template<...> f();" ordinary braces and "=" are tokens again.
    EXPECT_EQ(numbers("template <class T> T f(); int a = 1; struct S { };"),
              (std::vector<int>{387, 392, 317, 336, 393, 336, 336, '(', ')', ';', 283, 336, '=', 339, ';', 284, 336,
                                '{', '}', ';', 0}));
}

TEST(analysis_lexer, unterminated_capture_ends_the_text)
{
    text_arena arena;
    analysis_lexer lexer("template <class T> class A { int x;", "a.c", 1, arena);
    semantic_value value;
    int last = -1;
    for (int i = 0; i < 20 && last != 0; ++i)
        last = lexer.next_token(value);
    EXPECT_EQ(last, 0);
    EXPECT_TRUE(lexer.hit_end());
}

TEST(analysis_lexer, line_markers_set_line_and_file)
{
    text_arena arena;
    analysis_lexer lexer("int\n#line 20 \"b.h\"\nchar\n#line 7\nshort\n# 9 \"c.h\"\nlong", "a.c", 1, arena);
    semantic_value value;
    EXPECT_EQ(lexer.next_token(value), 283);
    EXPECT_EQ(lexer.line(), 1);
    EXPECT_EQ(lexer.next_token(value), 293);
    EXPECT_EQ(lexer.line(), 20);
    EXPECT_EQ(lexer.file_name(), "b.h");
    // A number at the very end of the line changes nothing.
    EXPECT_EQ(lexer.next_token(value), 299);
    EXPECT_EQ(lexer.line(), 21);
    // Other "#" lines are skipped without counting their line feed.
    EXPECT_EQ(lexer.next_token(value), 287);
    EXPECT_EQ(lexer.line(), 22);
    EXPECT_EQ(lexer.file_name(), "b.h");
}

TEST(analysis_lexer, lines_and_read_position_for_messages)
{
    text_arena arena;
    analysis_lexer lexer("int\n\n  abc def", "a.c", 1, arena);
    semantic_value value;
    lexer.next_token(value);
    lexer.next_token(value);
    EXPECT_EQ(lexer.line(), 3);
    EXPECT_EQ(lexer.line_start(), 5u);
    EXPECT_EQ(lexer.offset(), 10u);
    EXPECT_EQ(lexer.token_text(), "abc");
}

TEST(analysis_lexer, nul_byte_ends_the_text)
{
    const std::string text("int\0char", 8);
    EXPECT_EQ(numbers(text), (std::vector<int>{283, 0}));
}

TEST(analysis_lexer, other_bytes_stand_for_themselves)
{
    EXPECT_EQ(numbers("\x80 ` \\ ( ~ ? @"), (std::vector<int>{0x80, '`', '\\', '(', '~', '?', '@', 0}));
}

TEST(analysis_lexer, sizeof_pragma_reaches_the_target_sizes)
{
    const int before = cpp_target_bits().int_bits;
    numbers("#pragma morva sizeof int = 16\nint");
    EXPECT_EQ(cpp_target_bits().int_bits, 16);
    numbers("#pragma morva sizeof int = " + std::to_string(before) + "\n");
    EXPECT_EQ(cpp_target_bits().int_bits, before);
    const bool unsigned_char = cpp_target_bits().char_unsigned;
    numbers("#pragma morva signof char = unsigned\n");
    EXPECT_TRUE(cpp_target_bits().char_unsigned);
    numbers(unsigned_char ? "#pragma morva signof char = unsigned\n" : "#pragma morva signof char = signed\n");
}

TEST(analysis_lexer, names_are_classified_through_the_table)
{
    fake_names names;
    names.tokens["T"] = 343;
    names.tokens["A"] = 384;
    names.tokens["in"] = 383;
    EXPECT_EQ(numbers("T; A in x", &names), (std::vector<int>{343, ';', 384, 383, 336, 0}));
    // Right after a complete type a known name is the declared name...
    EXPECT_EQ(numbers("struct A A; int T;", &names), (std::vector<int>{284, 384, 336, ';', 283, 336, ';', 0}));
    // ... unless "::" follows it.
    EXPECT_EQ(numbers("int A::f", &names), (std::vector<int>{283, 373, 358, 336, 0}));
}

TEST(analysis_lexer, a_leading_scope_operator_is_not_a_token)
{
    fake_names names;
    names.tokens["A"] = 384;
    EXPECT_EQ(numbers("::A x; A::y", &names), (std::vector<int>{384, 336, ';', 384, 358, 336, 0}));
}

TEST(analysis_lexer, capture_text_for_the_parser)
{
    text_arena arena;
    analysis_lexer lexer("{ a { b } \"}\" '}' \n c } int", "a.c", 1, arena);
    semantic_value value;
    ASSERT_EQ(lexer.next_token(value), '{');
    const std::string* body = lexer.capture_text('}', "", false);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(*body, "{ a { b } \"}\" '}' \n c }");
    EXPECT_EQ(lexer.line(), 2);
    EXPECT_EQ(lexer.next_token(value), 283);

    analysis_lexer open("{ a { b }", "a.c", 1, arena);
    open.next_token(value);
    EXPECT_EQ(open.capture_text('}', "", false), nullptr);
    EXPECT_TRUE(open.hit_end());
}

TEST(analysis_lexer, normalised_blanks)
{
    EXPECT_EQ(normalise_blanks("  unsigned \t int  "), "unsigned int");
    EXPECT_EQ(normalise_blanks("a ( b , c ) * d [ 3 ] & e"), "a(b,c)*d[3]&e");
    EXPECT_EQ(normalise_blanks("x  +  y"), "x + y");
}

TEST(analysis_lexer, closing_angles_are_counted_once)
{
    // ">>=" closing template arguments: one ">" is taken and the two other
    // characters given back are read again as ">=", so the read position
    // stays on the text.
    fake_names names;
    names.tokens["A"] = 390;
    text_arena arena;
    analysis_lexer lexer("A<1>>=2;", "a.c", 1, arena, &names);
    semantic_value value;
    std::vector<int> tokens;
    for (int i = 0; i < 20; ++i) {
        tokens.push_back(lexer.next_token(value));
        EXPECT_LE(lexer.offset(), 8u);
        if (tokens.back() == 0)
            break;
    }
    EXPECT_EQ(tokens, (std::vector<int>{390, 392, 339, 393, 350, 339, ';', 0}));
    EXPECT_EQ(lexer.offset(), 8u);
}
