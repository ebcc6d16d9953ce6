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

using texts = std::vector<std::string>;

// Each token as "number text", the end marker left out.
texts tokens_of(std::string_view text)
{
    texts out;
    for (const token& t : scan(text))
        if (t.number != 0)
            out.push_back(std::to_string(t.number) + " " + t.text);
    return out;
}

} // namespace

// Names are plain identifiers (336) unless the fake table knows them. (The
// keyword table itself is read by every grammar test; template brackets,
// ">>" closing two argument lists and a known name declared right after a
// complete type, unless "::" follows, are read in the template and
// declaration grammar tests.)
TEST(analysis_lexer, token_numbers)
{
    fake_names names;
    names.tokens = {{"vector", 390}, {"T", 343}, {"A", 384}, {"in", 383}};
    const struct {
        const char* why;
        std::string text;
        std::vector<int> numbers;
    } rows[] = {
        {"a keyword prefix is an identifier", "integer int_ structure", {336, 336, 336, 0}},
        {"longest match", ".* a :: -> ->* ++ -- << >> <= >= == != && ||",
         {359, 336, 358, 344, 360, 345, 346, 347, 348, 349, 350, 351, 352, 353, 354, 0}},
        {"longest match", "*= /= %= += -= <<= >>= &= ^= |= ... => ..",
         {361, 362, 363, 364, 365, 366, 367, 368, 369, 370, 355, 371, 372, 0}},
        {"the two using statements are skipped", "using ::exception; int", {283, 0}},
        {"the two using statements are skipped", "using ::type_info;", {0}},
        {"only with exactly that spacing", "using  ::exception;", {331, 336, ';', 0}},
        {"a NUL byte ends the text", std::string("int\0char", 8), {283, 0}},
        {"other bytes stand for themselves", "\x80 ` \\ ( ~ ? @", {0x80, '`', '\\', '(', '~', '?', '@', 0}},
        {"outside template arguments >> is one token", "a < b >> c", {336, '<', 336, 348, 336, 0}},
        {"names classified through the table", "T; A in x", {343, ';', 384, 383, 336, 0}},
        {"a leading scope operator is no token", "::A x; A::y", {384, 336, ';', 384, 358, 336, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(numbers(row.text, &names), row.numbers) << row.text;
    }
}

// Each token's text where its pattern stops: "lL" is no suffix ("1l", then
// the name "L"); "08" is "0", then "8"; a suffix takes one "u" only; _Bool
// is the bool token with its own spelling, the restrict words are
// qualifiers kept as written, the C11 words carry no text.
TEST(analysis_lexer, token_texts)
{
    const std::pair<const char*, texts> rows[] = {
        {"$x a$b _1", {"336 $x", "336 a$b", "336 _1"}},
        {"1lL 017 08 0x1fUL 42u 0",
         {"339 1l", "336 L", "341 017", "341 0", "339 8", "342 0x1fUL", "339 42u", "341 0"}},
        {"1.5e+3f .5 2. 3e4 'a' L'\\n' \"s\\\"t\" L\"w\"",
         {"338 1.5e+3f", "338 .5", "338 2.", "338 3e4", "340 'a'", "340 L'\\n'", "337 \"s\\\"t\"", "337 L\"w\""}},
        {"1LL 2ull 3LLU 0x4uLL 05ll 6lu 7Ul 8uu",
         {"339 1LL", "339 2ull", "339 3LLU", "342 0x4uLL", "341 05ll", "339 6lu", "339 7Ul", "339 8u", "336 u"}},
        {"_Bool restrict __restrict __restrict__ _Static_assert static_assert _Noreturn",
         {"332 _Bool", "383 restrict", "383 __restrict", "383 __restrict__", "376 ", "376 ", "377 "}},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(tokens_of(text), expected) << text;
}

// A constructor's initialisers with its body and a variable's value are each
// captured as one token (a template's class body is read back in the grammar
// tests).
TEST(analysis_lexer, template_captures_of_bodies_initialisers_and_values)
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

TEST(analysis_lexer, line_markers_set_line_and_file)
{
    text_arena arena;
    analysis_lexer lexer("int\n#line 20 \"b.h\"\nchar\n#line 7\nshort\n# 9 \"c.h\"\nlong", "a.c", 1, arena);
    semantic_value value;
    // "#line 7": a number at the very end of the line changes nothing; other
    // "#" lines are skipped without counting their line feed.
    texts seen;
    for (int i = 0; i < 4; ++i) {
        const int number = lexer.next_token(value);
        seen.push_back(std::to_string(number) + " " + lexer.file_name() + ":" + std::to_string(lexer.line()));
    }
    EXPECT_EQ(seen, (texts{"283 a.c:1", "293 b.h:20", "299 b.h:21", "287 b.h:22"}));
    // The line and read position for messages.
    analysis_lexer second("int\n\n  abc def", "a.c", 1, arena);
    second.next_token(value);
    second.next_token(value);
    EXPECT_EQ(second.line(), 3);
    EXPECT_EQ(second.line_start(), 5u);
    EXPECT_EQ(second.offset(), 10u);
    EXPECT_EQ(second.token_text(), "abc");
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
