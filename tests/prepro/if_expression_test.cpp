// #if expression evaluation: tokens, character constants, the operators with
// their 64-bit and unsigned rules, sizeof, the messages and the stack limit.
// Expected values are worked out by hand from the evaluation rules; the
// unsigned cases are chosen so that the tool's 32-bit reduction of the left
// operand gives a different answer from plain C.
#include "prepro_fixture.h"

#include <climits>

#include "prepro/if_expression.h"

namespace {

auto& reports = captured_reports;

// Defines __CHAR_UNSIGNED__ only when handed the evaluation's owner as context.
int owner;
bool char_unsigned_defined(void* context, std::string_view name)
{
    return context == &owner && name == "__CHAR_UNSIGNED__";
}

class IfExpression : public testing::Test {
protected:
    void SetUp() override
    {
        reports.clear();
        env.report = capture;
        env.file_name = "in.h";
        env.line = 7;
    }

    int eval(std::string_view text) { return cpp_parse_expression(text, env); }

    // The value, checking that nothing was reported.
    int quiet(std::string_view text)
    {
        reports.clear();
        const int value = eval(text);
        EXPECT_TRUE(reports.empty()) << text << " reported " << reports.front().code;
        return value;
    }

    // The single report of an evaluation whose value must be 'expected', as
    // a report line: every message is a warning at the position of env.
    std::string one_report(std::string_view text, int expected)
    {
        reports.clear();
        EXPECT_EQ(eval(text), expected) << text;
        const texts lines = report_lines();
        EXPECT_EQ(lines.size(), 1u) << text;
        return lines.empty() ? "" : lines.front();
    }

    void expect_bad(std::string_view text, std::string_view consumed)
    {
        EXPECT_EQ(one_report(text, 0), "W EXPERRONE " + std::string(consumed) + " [in.h:7]") << text;
    }

    if_expression_env env;
};

// Expressions that evaluate without a message, with their values.
TEST_F(IfExpression, QuietValues)
{
    const struct { std::string_view text; int value; } cases[] = {
        // Numbers in every base.
        {"0", 0}, {"42", 42}, {"010", 8},
        {"09", 9}, // decimal digits are taken in base 8 too
        {"0778", 512}, // ((0 * 8 + 7) * 8 + 7) * 8 + 8
        {"0x1F", 31}, {"0XaB", 171}, {"1LU + 1uLL + 1lul", 3}, {"0x7fffffff", INT_MAX},
        // The result is the low 32 bits.
        {"0xFFFFFFFFu + 1", 0}, // 0x100000000 counts as false
        {"0x100000000", 0}, {"0x100000001", 1}, {"0x1FFFFFFFF", -1}, {"0x80000000", INT_MIN},
        {"18446744073709551615 == -1", 1}, // wraps in 64 bits
        {"0x10000000000000001", 1}, // digits beyond 64 bits are lost
        // Precedence and associativity.
        {"1 + 2 * 3", 7}, {"(1 + 2) * 3", 9}, {"5 - 3 - 1", 1}, {"2 * 3 % 4", 2}, {"1 << 2 + 1", 8},
        {"1 | 2 ^ 3 & 1", 3}, {"1 == 2 < 3", 1}, {"3 != 2 == 1", 1}, {"1 || 0 && 0", 1}, {"0 ? 1 : 0 ? 2 : 3", 3},
        {"1 ? 0 ? 4 : 5 : 6", 5}, {"1, 2", 2}, {"0 || 1 ? 8 : 9", 8}, {"-2 * -3", 6}, {"- - 4", 4}, {"+3", 3},
        {"!0 + !5 + !!7", 2}, {"~0", -1}, {"-7 / 2", -3}, {"-7 % 2", -1}, {"6 & 3 | 8", 10}, {" \t\r\n1\n+\n1 ", 2},
        // Names left after expansion are 0.
        {"FOO", 0}, {"FOO + 3", 3}, {"$x == 0 && _y == 0", 1},
        {"FOO - 1 < 0", 1}, // a name is signed
        // Unsigned multiplicative operators keep 64 bits.
        {"-1 * 2 == -2", 1},
        {"-1u * 2 == -2", 1}, // wraps in 64 bits
        {"0x100000001u * 1 == 0x100000001", 1}, {"-8u / 2 == 0x7FFFFFFFFFFFFFFC", 1},
        {"-1u / 1 == 0xFFFFFFFFFFFFFFFF", 1}, {"-1u % 0x10000", 0xFFFF},
        // Additive and bitwise operators stay in 64 bits.
        {"-1u + 0 == -1", 1}, {"-1u == -1", 1}, {"(0x100000000u | 1) == 0x100000001", 1},
        {"(0x1FFFFFFFFu & 0x100000000) == 0x100000000", 1},
        {"(0x7FFFFFFFFFFFFFFF + 1) < 0", 1}, // wraps, no trap
        {"-1 - 0x7FFFFFFFFFFFFFFF - 1 == 0x7FFFFFFFFFFFFFFF", 1},
        // The most negative value by -1 wraps without a trap; its low 32 bits are 0.
        {"(-0x7FFFFFFFFFFFFFFF - 1) / -1", 0}, {"(-0x7FFFFFFFFFFFFFFF - 1) % -1", 0},
        // Shifts follow the left operand's flag.
        {"(1 << 32) == 0x100000000", 1}, {"(1u << 32) == 0x100000000", 1},
        {"1 << 64", 1}, // count AND 63
        {"(1u << 63) > 0", 1}, {"(1 << -1) < 0", 1},
        {"-1 >> 1", -1}, // arithmetic
        {"-1u >> 1 == 0x7FFFFFFFFFFFFFFF", 1}, // logical
        {"(-1 << 1u) < 0", 1}, // the right operand's flag does not count
        {"(-1u << 0) < 0", 0},
        // Relational operators compare unsigned in 64 bits.
        {"-1 < 0", 1}, {"-1 < 0u", 0}, {"-1 < 1u", 0},
        {"1u > -1", 0}, // -1 is the largest unsigned value
        {"0x100000001u > 1", 1},
        {"0xFFFFFFFFFFFFFFFF > 0", 1}, // too large for signed: unsigned
        {"0u <= -1", 1}, {"5u >= 5", 1},
        {"(0u == 0) - 2 < 0", 1}, // comparisons are signed
        {"!0u - 2 < 0", 1},
        // The flags of ?: and the comma.
        {"(1 ? -1 : 0u) < 0", 0}, {"(0 ? 0u : -1) < 0", 0}, {"(1 ? -1 : 0) < 0", 1}, {"(0, 0u) - 1 < 0", 0},
        {"(0u, 0) - 1 < 0", 1}, {"(1u && 1) - 2 < 0", 1}, {"-(1u) < 0", 0}, {"~0u < 0", 0},
        // Character constants and escapes.
        {"'a' == 97", 1}, {"' '", 32}, {R"('\a' == 7 && '\b' == 8 && '\e' == 27 && '\f' == 12)", 1},
        {R"('\n' == 10 && '\r' == 13 && '\t' == 9 && '\v' == 11)", 1},
        {R"('\q' == 'q' && '\'' == 39 && '\\' == 92 && '\"' == 34)", 1}, {R"('\0')", 0}, {R"('\101')", 65},
        {R"('\7' + '\12')", 17}, {R"('\x41')", 65}, {R"('\x')", 0},
        {R"('\x0000041')", 65}, // leading zeros do not overflow
        {R"('\^?')", 127}, {R"('\^A' + '\^a')", 2}, {R"('\^@')", 0},
        {R"('\^\n')", 10}, // the escape after \^\ is decoded first
        {R"('\^\\')", 28},
        {"'a' - 98 < 0", 1}, // a character is never unsigned
        // Regression: glibc's <bits/wchar.h> tests "L'\0' - 1 > 0" when the
        // compiler does not predefine __WCHAR_MIN__; the L was read as a name.
        {R"(L'\0' - 1 > 0)", 0}, {R"(L'a' == 97 && u'a' == 97 && U'a' == 97 && u8'a' == 97)", 1},
        {R"(L'\377')", 255}, // not a char: never sign-extended
        {"L + 1", 1}, {"u8 + 2", 2}, // the bare names stay names
        // Longer and unclosed constants are non-zero and unsigned.
        {"!!'ab'", 1}, {"'ab' == 0x6162", 1}, {"'ab' - 0x6163 < 0", 0}, {R"(!!'\0\0')", 1},
        {R"(!!'\1012')", 1}, // three octal digits, then a second character
        {"!!'abc", 1}, {"'a\n+ 1 == 'a' + 1", 1}, // closed at the line end
    };
    for (const auto& c : cases)
        EXPECT_EQ(quiet(c.text), c.value) << c.text;
}

// Texts that are no expression: EXPERRONE with the text consumed up to the
// error, and the value 0.
TEST_F(IfExpression, BadExpressionsShowTheConsumedText)
{
    const struct { std::string_view text, consumed; } cases[] = {
        // Malformed numbers.
        {"1.0", "1.0"}, {"1e5", "1e5"},
        {"0x", "0x"}, // two characters: base 8, and x is no digit
        {"0b1", "0b1"}, {"12ab", "12ab"}, {"1lu2", "1lu2"}, {"1$", "1$"}, {"3 + 1..2", "3 + 1..2"},
        // An empty constant and strings.
        {"''", "''"}, {"'", "'"}, {"1 + \"s\"", "1 + \""},
        // sizeof needs a parenthesised type name.
        {"sizeof int", "sizeof"}, {"sizeof(int", "sizeof(int"}, {"sizeof", "sizeof"},
        // Syntax errors.
        {"1 2", "1 2"}, {"1 )", "1 )"}, {"(1", "(1"}, {"1 +", "1 +"}, {"1 = 1", "1 ="}, {"[1]", "["}, {"a.b", "a."},
        {"@", "@"}, {"1 ; 2", "1 ;"}, {"1 # 2", "1 #"},
        {"1 +\f2", "1 +\f"}, // a form feed is no blank here
        {"\x80", "\x80"}, {"1 ? 2", "1 ? 2"},
    };
    for (const auto& c : cases)
        expect_bad(c.text, c.consumed);
}

TEST_F(IfExpression, DivisionByZeroUsesOneAndEveryOperandIsEvaluated)
{
    const std::string division_by_zero = "W DIVISZERO #if [in.h:7]";
    EXPECT_EQ(one_report("10 / 0", 10), division_by_zero);
    EXPECT_EQ(one_report("10 % 0", 0), division_by_zero);
    EXPECT_EQ(one_report("0 && 1/0", 0), division_by_zero);
    EXPECT_EQ(one_report("1 || 1/0", 1), division_by_zero);
    EXPECT_EQ(one_report("1 ? 2 : 1/0", 2), division_by_zero);
    EXPECT_EQ(one_report("-1u / 0 == 0xFFFFFFFFFFFFFFFF", 1), division_by_zero);
    EXPECT_EQ(one_report("5 / (3 - 3) + 1", 6), division_by_zero);
}

TEST_F(IfExpression, CharacterSignAndEscapesBeyondAByte)
{
    EXPECT_EQ(quiet(R"('\377' < 0)"), 1);
    EXPECT_EQ(quiet(R"('\377')"), -1);
    EXPECT_EQ(quiet(R"('\200')"), -128);
    // Escapes beyond a byte keep their low 8 bits.
    const std::string no_fit = "W NOFITBYTE  [in.h:7]";
    EXPECT_EQ(one_report(R"('\x100')", 0), no_fit);
    EXPECT_EQ(one_report(R"('\x141' == 65)", 1), no_fit);
    EXPECT_EQ(one_report(R"('\777')", -1), no_fit);
    EXPECT_EQ(one_report(R"('\x123456789abcdef0123456789ab' == -85)", 1), no_fit);
    // With __CHAR_UNSIGNED__ defined, through the context, characters are unsigned.
    env.is_defined = char_unsigned_defined;
    EXPECT_EQ(quiet(R"('\377')"), -1); // without the context nothing is defined
    env.context = &owner;
    EXPECT_EQ(quiet(R"('\377' < 0)"), 0);
    EXPECT_EQ(quiet(R"('\377')"), 255);
}

TEST_F(IfExpression, ConstantsOfUpTo1000Characters)
{
    EXPECT_NE(quiet("'a" + std::string(999, 'b') + "'"), 0);
    expect_bad("'a" + std::string(1000, 'b') + "'", std::string(39, 'b'));
}

TEST_F(IfExpression, SizeofUsesTargetSizesThenThePragmaList)
{
    EXPECT_EQ(quiet("sizeof(long) == 4"), 1);
    EXPECT_EQ(quiet("sizeof(char) + sizeof (short) + sizeof( int )"), 7);
    EXPECT_EQ(quiet("sizeof(unknown_t)"), 0);
    env.long_bits = 64;
    env.char_bits = 16;
    EXPECT_EQ(quiet("sizeof(long) * 10 + sizeof(char)"), 82);
    std::vector<sizeof_entry> sizes{{"size_t", 8}, {"int", 2}, {"size_t", 4}, {"wint_t", 2}};
    env.sizes = &sizes;
    EXPECT_EQ(quiet("sizeof(size_t)"), 8); // most recent first
    EXPECT_EQ(quiet("sizeof(wint_t)"), 2);
    EXPECT_EQ(quiet("sizeof(int)"), 4); // the four basic types come first
    EXPECT_EQ(quiet("sizeof(wint)"), 0); // exact names only
    EXPECT_EQ(quiet("sizeof(int (*)[2]) + 1"), 1); // brackets nest in the type name
    EXPECT_EQ(quiet("sizeof(a[(1)]) + 1"), 1);
}

TEST_F(IfExpression, EmptyTextReportsEmptyExpression)
{
    for (std::string_view text : {std::string_view(""), std::string_view(" \t\r\n "), std::string_view("\0 1", 3)})
        EXPECT_EQ(one_report(text, 0), "W EMPTYEXPR #if [in.h:7]");
}

TEST_F(IfExpression, ConsumedTextIsCutToItsLast39Characters)
{
    expect_bad(std::string(37, ' ') + "1 2", std::string(37, ' ') + "1 2");     // 40: whole
    expect_bad(std::string(38, ' ') + "1 2", std::string(36, ' ') + "1 2");     // 41: cut
    expect_bad("1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 + 11 ) + 12", "+ 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 + 11 )");
}

TEST_F(IfExpression, TextAfterANulIsAfterTheEnd)
{
    EXPECT_EQ(one_report(std::string_view("1 + 1\0 2", 8), 2), "W ERRAFTEND  [in.h:7]");
    EXPECT_EQ(quiet(std::string_view("3\0 \n", 4)), 3);
}

TEST_F(IfExpression, StackHolds150States)
{
    // n parentheses around a number need n + 3 states at the innermost ')'.
    EXPECT_EQ(quiet(std::string(147, '(') + "1" + std::string(147, ')')), 1);
    expect_bad(std::string(148, '(') + "1" + std::string(148, ')'), std::string(37, '(') + "1)");
    // n unary operators before a number need n + 2.
    EXPECT_EQ(quiet(std::string(148, '-') + "1"), 1);
    expect_bad(std::string(149, '!') + "1", std::string(38, '!') + "1");
    // Left-associative chains reduce as they go and never deepen the stack.
    std::string chain = "1";
    for (int i = 1; i < 10000; ++i)
        chain += "+1";
    EXPECT_EQ(quiet(chain), 10000);
}

// Without a reporter the values stay; no state is carried from one
// evaluation to the next.
TEST_F(IfExpression, EvaluationsAreIndependentWithOrWithoutAReporter)
{
    if_expression_env other;
    other.long_bits = 64;
    EXPECT_EQ(cpp_parse_expression("sizeof(long)", other), 8);
    EXPECT_EQ(quiet("sizeof(long)"), 4);
    EXPECT_EQ(eval("1 2"), 0);
    EXPECT_EQ(quiet("5"), 5); // no error state carried over
    env.report = nullptr;
    EXPECT_EQ(eval("1 / 0"), 1);
    EXPECT_EQ(eval(""), 0);
    EXPECT_EQ(eval("1 2"), 0);
    EXPECT_EQ(eval("'\\x100' + 1"), 1);
}

} // namespace
