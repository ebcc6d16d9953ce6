// Decimal numbers: images of known constants, the rounding rules of the
// image, arithmetic, comparison, conversions both ways and round trips
// through the text reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "expr/decimal_number.h"
#include "expr/decimal_text.h"
#include "expr/pint_text.h"
#include "pint_reference.h"

namespace {

using Decimal = counted_test;

decimal_number read(std::string_view text) { decimal_number d; decimal_from_text(d, text); return d; }
decimal_number of_pint(const pint& p) { decimal_number d; decimal_from_pint(d, p); return d; }
decimal_number of_int(i128 v) { return of_pint(from_i128(v)); }

std::string image(const decimal_number& d, int digits = 19) { return decimal_image_text(d, digits); }

// The operations as functions that return their result.
template <void (*operation)(decimal_number&, const decimal_number&, const decimal_number&)>
decimal_number result_of(const decimal_number& a, const decimal_number& b)
{
    decimal_number r;
    operation(r, a, b);
    return r;
}
constexpr auto add = result_of<decimal_add>;
constexpr auto sub = result_of<decimal_sub>;
constexpr auto mul = result_of<decimal_mul>;
constexpr auto div = result_of<decimal_div>;

std::string integer_of(const decimal_number& d, bool& ok)
{
    pint p;
    ok = decimal_to_pint(p, d);
    return pint_image_text(p, 1, 0);
}

// The round-trip sweeps below cover ordinary values; these are the edges.
TEST_F(Decimal, ImagesOfIntegersAndTexts)
{
    EXPECT_EQ(image(decimal_number{}), "0.0");
    decimal_number d = of_int(-123); // normal form: byte 0 is the first digit
    EXPECT_EQ(image(d), "-0.123E3");
    EXPECT_TRUE(d.mantissa.byte[0] == 1 && d.exponent == 3 && d.sign == 1);
    // 18 digits, whose binary fraction lies just below them.
    EXPECT_EQ(image(of_int(121932631112635269)), "0.121932631112635269E18");
    EXPECT_EQ(image(read("1.00000762939453125")), "0.100000762939453125E1");
    EXPECT_EQ(image(of_pint(most_negative_pint())), "-0.1870722095783555735E51");
    EXPECT_EQ(image(read(".5")), "0.5");
    EXPECT_EQ(image(read("2.5E-3")), "0.25E-2");
    EXPECT_EQ(image(read("-0.0")), "0.0");
    EXPECT_EQ(image(read("123456789012345678901234567890")), "0.1234567890123456789E30");
    EXPECT_EQ(image(read("0." + std::string(99, '0') + "1")), "0.1E-99");
    EXPECT_EQ(image(read("9.99999999999999999999")), "0.1E2");
    EXPECT_EQ(image(read("1e999999999999999")), "0.1E2147483647"); // the exponent saturates
    EXPECT_EQ(image(read("1e-999999999999999")), "0.1E-2147483648");
    decimal_image_buffer text; // the buffer form of the longest image is terminated
    text.fill('x');
    const std::string longest = "-0.1234567890123456789E-2000000000";
    EXPECT_EQ(decimal_image(read("-0.1234567890123456789e-2000000000"), 19, text), longest);
    EXPECT_EQ(text[longest.size()], '\0');
}

TEST_F(Decimal, ReaderStopsAfterTheNumber)
{
    decimal_number d;
    EXPECT_EQ(decimal_from_text(d, "1.5f"), 3u);
    EXPECT_EQ(decimal_from_text(d, "1e"), 1u); // an e without digits is not an exponent
    EXPECT_EQ(image(d), "0.1E1");
    EXPECT_EQ(decimal_from_text(d, "2E+x"), 1u);
    EXPECT_EQ(decimal_from_text(d, "7.25e-2L"), 7u);
    EXPECT_EQ(image(d), "0.725E-1");
    d = of_int(9);
    EXPECT_EQ(decimal_from_text(d, "."), 0u);
    EXPECT_TRUE(decimal_is_zero(d));
    EXPECT_EQ(decimal_from_text(d, "abc"), 0u);
    EXPECT_EQ(decimal_from_text(d, ""), 0u);
}

TEST_F(Decimal, ImageRounding)
{
    EXPECT_EQ(image(read("0.1997"), 3), "0.2");   // 7 to 9 after a 9 carries the run up
    EXPECT_EQ(image(read("0.3899"), 3), "0.389"); // the digit before the 9 is 8
    EXPECT_EQ(image(read("0.9999"), 3), "0.1E1"); // a carry into the period
    EXPECT_EQ(image(read("-0.9999e5"), 3), "-0.1E6");
    EXPECT_EQ(image(read("0.1009"), 3), "0.1");   // 0 to 3 after a 0 drops the 0s
    EXPECT_EQ(image(read("0.1203"), 4), "0.12");
    EXPECT_EQ(image(read("0.1299"), 3), "0.129"); // other endings stay
    EXPECT_EQ(image(read("0.1205"), 4), "0.1205");
    EXPECT_EQ(image(read("0.1996"), 4), "0.1996"); // 6 is not enough to round
    EXPECT_EQ(image(read("0.1004"), 4), "0.1004"); // nor 4 to drop
    EXPECT_EQ(image(read("0.99"), 1), "0.9");     // one digit has none before it
    EXPECT_EQ(image(read("0.75")), "0.75");       // an exact fraction ends early
    EXPECT_EQ(image(read("0.7")), "0.7");         // binary approximations of short texts
    EXPECT_EQ(image(read("1.1")), "0.11E1");
    EXPECT_EQ(image(read("0.123456789"), 0), "0.123456789"); // 0 digits means 19
    EXPECT_EQ(image(read("0.12345678901234567894444"), 25), "0.1234567890123456789");
    EXPECT_EQ(image(read("0.12345678901234567894444"), 18), "0.123456789012345678");
}

TEST_F(Decimal, Arithmetic)
{
    EXPECT_EQ(image(add(read("0.1"), read("0.2"))), "0.3");
    EXPECT_EQ(sub(read("1"), read("1")).sign, 0);
    EXPECT_EQ(image(sub(read("5"), read("7"))), "-0.2E1");
    EXPECT_EQ(image(add(read("-5"), read("7"))), "0.2E1");
    EXPECT_EQ(image(add(read("9.5"), read("0.5"))), "0.1E2");
    EXPECT_EQ(image(sub(read("100"), read("0.001"))), "0.99999E2");
    EXPECT_EQ(image(add(read("1e-30"), read("1e30"))), "0.1E31");
    // Zero keeps the other operand whole, whatever its exponent.
    EXPECT_EQ(image(add(read("0"), read("-0.5e-10"))), "-0.5E-10");
    EXPECT_EQ(image(add(read("1e2000000000"), read("1e-2000000000"))), "0.1E2000000001");

    EXPECT_EQ(image(mul(read("-3"), read("4"))), "-0.12E2");
    EXPECT_EQ(mul(read("-3"), read("0")).sign, 0);
    EXPECT_EQ(image(mul(read("1e200"), read("1e200"))), "0.1E401");
    EXPECT_EQ(image(mul(read("123456789"), read("987654321"))), "0.121932631112635269E18");
    EXPECT_EQ(image(div(read("2"), read("3"))), "0.6666666666666666666");
    EXPECT_EQ(image(mul(div(read("1"), read("3")), read("3"))), "0.1E1");
    EXPECT_EQ(image(div(read("22"), read("7"))), "0.3142857142857142857E1");
    EXPECT_EQ(image(div(read("1e-300"), read("-1e300"))), "-0.1E-599");
    EXPECT_EQ(current_counts().errors, 0);
}

TEST_F(Decimal, DivisionByZero)
{
    testing::internal::CaptureStderr();
    decimal_number r = of_int(5);
    decimal_div(r, read("1"), read("0"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tolvex-E-DIVBYZERO,  Division by zero\n");
    EXPECT_EQ(current_counts().errors, 1);
    EXPECT_TRUE(decimal_is_zero(r));
    EXPECT_EQ(image(div(read("0"), read("0"))), "0.0");
    EXPECT_EQ(current_counts().errors, 2);
}

TEST_F(Decimal, Compare)
{
    const std::vector<std::string> ascending = {"-1e5", "-2",  "-1.5", "-1", "-1e-5", "0",  "1e-40",
                                                "1e-5", "0.5", "1",    "1.5", "2",    "1e5", "1e40"};
    for (std::size_t i = 0; i < ascending.size(); ++i)
        for (std::size_t j = 0; j < ascending.size(); ++j) {
            int expected = i < j ? -1 : i > j ? 1 : 0;
            EXPECT_EQ(decimal_compare(read(ascending[i]), read(ascending[j])), expected)
                << ascending[i] << " vs " << ascending[j];
        }
    EXPECT_EQ(decimal_compare(read("0.1e2"), of_int(10)), 0);
}

TEST_F(Decimal, RecordsOutOfNormalFormAreNormalised)
{
    decimal_number d, n, small, z{1, pint_zero, 12};
    d.mantissa.byte[0] = 50; // mantissa 50.0 with exponent 0 is 0.5E1
    EXPECT_EQ(decimal_compare(d, of_int(5)), 0);
    EXPECT_EQ(image(d), "0.5E1");
    decimal_normalise(d);
    EXPECT_TRUE(d.mantissa.byte[0] == 5 && d.exponent == 1);
    n.mantissa.byte[0] = 0xFB; // a negative mantissa flips the sign: -5.0 is -0.5
    EXPECT_EQ(image(n), "-0.5");
    decimal_normalise(n);
    EXPECT_TRUE(n.sign == 1 && n.mantissa.byte[0] == 5);
    small.mantissa.byte[20] = 0x80; // 0.5 (in the fraction) is 0.5E-1 once normal
    EXPECT_EQ(image(small), "0.5E-1");
    decimal_normalise(z); // zero: sign and exponent 0
    EXPECT_TRUE(z.sign == 0 && z.exponent == 0);
}

TEST_F(Decimal, ToPint)
{
    bool ok = false;
    EXPECT_EQ(integer_of(read("-123.9"), ok), "-123");
    EXPECT_TRUE(ok);
    EXPECT_EQ(integer_of(read("-0.5"), ok), "0");
    EXPECT_EQ(integer_of(read("2.9999999999999999999"), ok), "2");
    EXPECT_EQ(integer_of(read("0.999e48"), ok), "999" + std::string(45, '0'));
    EXPECT_TRUE(ok);
    EXPECT_EQ(integer_of(read("1e48"), ok), "0"); // 0.1E49: too many digits
    EXPECT_FALSE(ok);
    EXPECT_EQ(integer_of(read("-5e60"), ok), "0");
    EXPECT_FALSE(ok);
    EXPECT_EQ(current_counts().errors, 0);
}

// Integers of up to 126 bits come back whole; up to 18 significant digits
// also survive the 19-digit image whichever way the binary fraction leans
// (19 may not: a last 1 to 3 after a 0 is dropped).
TEST_F(Decimal, IntegersAndImagesRoundTrip)
{
    operands random(1357);
    const i128 ten_to_18 = 1000000000000000000;
    for (int i = 0; i < 3000; ++i) {
        const i128 v = random.signed_value(126), short_v = v % (random.below(2) ? ten_to_18 : 1000);
        bool ok = false;
        ASSERT_EQ(integer_of(of_int(v), ok), decimal_of(v));
        ASSERT_TRUE(ok);
        const std::string text = image(of_int(short_v));
        decimal_number back;
        ASSERT_EQ(decimal_from_text(back, text), text.size()) << text;
        ASSERT_EQ(integer_of(back, ok), decimal_of(short_v)) << text;
        ASSERT_EQ(image(back), text);
    }
    for (int i = 0; i < 3000; ++i) {
        // 0.<digits>E<exponent> with a last digit that is not 0.
        std::string text = random.below(2) ? "-0." : "0.";
        const int digits = 1 + random.below(18), exponent = random.below(601) - 300;
        for (int k = 0; k < digits; ++k) {
            int first = k == 0 || k == digits - 1;
            text += char('0' + first + random.below(10 - first));
        }
        if (exponent != 0)
            text += "E" + std::to_string(exponent);
        ASSERT_EQ(image(read(text)), text);
    }
}

} // namespace
