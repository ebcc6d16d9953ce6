// pint arithmetic against independent references: seeded random operands of
// every magnitude checked against 128-bit integers, full-width sums and the
// order checked on the 168 bits themselves (a ripple-carry adder, the sign
// bit flipped for comparison), and the boundary values the constants live
// near.
#include <gtest/gtest.h>

#include <climits>

#include "expr/pint.h"
#include "pint_reference.h"

namespace {

class Pint : public counted_test {
protected:
    operands random{20240611};
};

const char overflow_line[] = "Tolvex-E-OVERFLOW,  Integer operation overflow \n";

// a + b, or a - b as a + ~b + 1, and whether the signed result left 168 bits:
// operands of one sign giving a result of the other.
bits168 reference_sum(const pint& a, const pint& b, bool subtract, bool& overflow)
{
    bits168 x = bits_of(a), y = subtract ? ~bits_of(b) : bits_of(b), r;
    bool carry = subtract;
    for (int n = 0; n < 168; ++n) {
        r[n] = x[n] ^ y[n] ^ carry;
        carry = x[n] + y[n] + carry >= 2;
    }
    overflow = x[167] == y[167] && r[167] != x[167];
    return r;
}

int reference_compare(const pint& a, const pint& b)
{
    auto key = [](const pint& p) { return (bits_of(p) ^ (bits168(1) << 167)).to_string(); };
    int c = key(a).compare(key(b));
    return (c > 0) - (c < 0);
}

// What an operation writes to its first argument.
template <class... Operands>
pint result(void (*operation)(pint&, const Operands&...), const Operands&... operands)
{
    pint r;
    operation(r, operands...);
    return r;
}

pint power_of_two(int n) { return from_bits(bits168(1) << n); }

pint negated(pint a) { pint_negate(a, a); return a; }

// The count of significant magnitude bits.
int magnitude_bits(const pint& a)
{
    const std::string b = bits_of(pint_is_negative(a) ? negated(a) : a).to_string(); // highest bit first
    return 168 - int(std::min(b.find('1'), b.size()));
}

TEST_F(Pint, CompareReadsByteZeroAsSigned)
{
    EXPECT_EQ(pint_compare(largest_pint(), most_negative_pint()), 1);
    EXPECT_EQ(pint_compare(most_negative_pint(), pint_of(-1)), -1);
    pint low = from_bits(~(~bits168() << 160));         // 2^160 - 1
    EXPECT_EQ(pint_compare(power_of_two(160), low), 1); // 2^160: only byte 0 set
    EXPECT_EQ(pint_compare(low, low), 0);
}

// Every operation that works on the bits alone, against the bit set.
TEST_F(Pint, BitLevelOperationsAgreeWithABitSet)
{
    int overflows = 0;
    for (int i = 0; i < 5000; ++i) {
        pint a = random.any_pint(), b = random.below(8) == 0 ? a : random.any_pint(), r;
        const bits168 x = bits_of(a), y = bits_of(b);
        SCOPED_TRACE(i);
        ASSERT_EQ(pint_compare(a, b), reference_compare(a, b));
        for (bool subtract : {false, true}) {
            bool expect_overflow;
            bits168 expected = reference_sum(a, b, subtract, expect_overflow);
            int errors = errors_during([&] { subtract ? pint_sub(r, a, b) : pint_add(r, a, b); });
            ASSERT_EQ(bits_of(r), expected) << (subtract ? " sub" : " add");
            ASSERT_EQ(errors, expect_overflow ? 1 : 0) << (subtract ? " sub" : " add");
            overflows += expect_overflow;
        }
        ASSERT_EQ(bits_of(result(pint_not, a)), ~x);
        ASSERT_EQ(bits_of(result(pint_or, a, b)), x | y);
        ASSERT_EQ(bits_of(result(pint_and, a, b)), x & y);
        ASSERT_EQ(bits_of(result(pint_xor, a, b)), x ^ y);
        ASSERT_TRUE(same(result(pint_logical_not, a), x.none() ? pint_one : pint_zero));

        // Shifts by 0 to 255; right shifts fill with the sign.
        int n = random.below(256);
        bits168 left = x << n, right = x >> n;
        for (int k = 167; x[167] && k >= std::max(168 - n, 0); --k)
            right[k] = 1;
        ASSERT_EQ(bits_of(result(pint_shift_left, a, pint_of(n))), left) << "<< " << n;
        ASSERT_EQ(bits_of(result(pint_shift_right, a, pint_of(n))), right) << ">> " << n;

        // Widths from -3 to 171 bits.
        n = random.below(175) - 3;
        int default_bit = random.below(2), reference = n >= 0 && n < 168 ? x[n] : default_bit;
        bool agree = true;
        bits168 extended = x, truncated = x;
        for (int k = std::max(n + 1, 0); k < 168; ++k)
            agree &= x[k] == bool(reference);
        for (int k = std::max(n, 0); k < 168; ++k) {
            extended[k] = n > 0 ? x[n - 1] : 0;
            truncated[k] = 0;
        }
        ASSERT_EQ(pint_bits_agree(a, n, default_bit), agree ? 1 : 0) << n;
        pint e = a, t = a;
        pint_sign_extend(e, n);
        pint_truncate(t, n);
        ASSERT_EQ(bits_of(e), extended) << n;
        ASSERT_EQ(bits_of(t), truncated) << n;
    }
    EXPECT_GT(overflows, 100); // the operands do reach the limits
    EXPECT_TRUE(same(result(pint_logical_not, pint_zero), pint_one));
}

TEST_F(Pint, OverflowAtTheLimits)
{
    pint r;
    testing::internal::CaptureStderr();
    EXPECT_EQ(errors_during([&] { pint_add(r, largest_pint(), pint_one); }), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), overflow_line);
    EXPECT_TRUE(same(r, most_negative_pint())); // the value reached remains
    // A sign byte of 0 is non-negative: 0 - (-2^167) does not fit either.
    EXPECT_EQ(errors_during([&] { pint_sub(r, pint_zero, most_negative_pint()); }), 1);
    EXPECT_EQ(errors_during([&] { pint_sub(r, pint_of(-1), most_negative_pint()); }), 0);
    EXPECT_TRUE(same(r, largest_pint()));
    // 2^160 * 127 fits, * 128 does not; -2^160 * 128 just fits.
    const pint top = power_of_two(160);
    EXPECT_EQ(errors_during([&] { pint_mul_small(r, top, 127); }), 0);
    EXPECT_EQ(errors_during([&] { pint_mul_small(r, top, 128); }), 1);
    EXPECT_EQ(errors_during([&] { pint_mul_small(r, negated(top), 128); }), 0);
    EXPECT_TRUE(same(r, most_negative_pint()));
    EXPECT_EQ(errors_during([&] { pint_mul_small(r, negated(top), 129); }), 1);
    EXPECT_EQ(errors_during([&] { pint_add_small(r, largest_pint(), 1); }), 1);
    EXPECT_TRUE(same(r, most_negative_pint()));
}

TEST_F(Pint, ResultMayBeAnOperand)
{
    pint a = from_i128(123456789), b = from_i128(-987654321);
    pint_add(a, a, b);
    EXPECT_TRUE(same(a, from_i128(123456789 - 987654321)));
    pint_mul(b, b, b);
    EXPECT_TRUE(same(b, from_i128(i128(987654321) * 987654321)));
    pint q = from_i128(-7), rem;
    pint_divide(q, q, pint_of(2), rem);
    EXPECT_TRUE(same(q, pint_of(-4)));
    pint x = pint_of(5);
    pint_shift_left(x, x, x);
    EXPECT_TRUE(same(x, pint_of(160)));
}

// Operands that fit 128 bits, and results that do too.
TEST_F(Pint, AgreesWith128Bits)
{
    for (int i = 0; i < 5000; ++i) {
        int la = random.below(127), k = 1 + random.below(255);
        i128 x = random.signed_value(la), y = random.signed_value(126 - la), small = random.signed_value(96);
        std::int32_t addend = random.int32(), factor = addend & INT32_MAX;
        SCOPED_TRACE(decimal_of(x) + " " + decimal_of(y) + " " + decimal_of(small) + " " + std::to_string(k));
        ASSERT_TRUE(same(pint_of(addend), from_i128(addend))); // byte 0 the sign byte, byte 1 the lowest
        pint sum, scaled, product, quotient;
        int rem = -1;
        pint_add_small(sum, from_i128(small), addend);
        pint_mul_small(scaled, from_i128(small), factor);
        pint_mul(product, from_i128(x), from_i128(y));
        ASSERT_EQ(current_counts().errors, 0);
        ASSERT_TRUE(same(sum, from_i128(small + addend)));
        ASSERT_TRUE(same(scaled, from_i128(small * factor)));
        ASSERT_TRUE(same(product, from_i128(x * y)));
        const i128 dividend = x < 0 ? -x : x; // div_euclid_pint reads its operand unsigned
        div_euclid_pint(quotient, from_i128(dividend), k, rem);
        ASSERT_TRUE(same(quotient, from_i128(dividend / k)));
        ASSERT_EQ(rem, int(dividend % k));
    }
    // Beyond 128 bits div_euclid_pint reads the value unsigned: (2^168 - 1) / 255 = 0x0101...01.
    pint r, ones;
    int rem;
    div_euclid_pint(r, pint_of(-1), 255, rem);
    std::fill(std::begin(ones.byte), std::end(ones.byte), 0x01);
    EXPECT_TRUE(same(r, ones));
    EXPECT_EQ(rem, 0);
    EXPECT_EXIT(div_euclid_pint(r, pint_one, 256, rem), testing::ExitedWithCode(9),
                "Tolvex-S-ERRINTFCT,  Internal error in the function gfmath div_euclid_pint");
}

// Full-width products and quotients. |a| < 2^la and |b| < 2^lb: a product
// of la + lb <= 167 bits fits, one of at least 170 bits cannot, and one that
// fits divides back exactly, which checks the upper bytes the 128-bit sweep
// cannot reach. A quotient q and rem with a = q * b + rem (- rem when b < 0)
// and 0 <= rem < |b| round toward minus infinity, as the table shows.
TEST_F(Pint, FullWidthProductsAndQuotients)
{
    for (int i = 0; i < 3000; ++i) {
        pint a = random.any_pint(), b = random.any_pint(), p, q, rem, back;
        SCOPED_TRACE(i);
        const int la = magnitude_bits(a), lb = magnitude_bits(b);
        const int errors = errors_during([&] { pint_mul(p, a, b); });
        if (la != 0 && lb != 0 && (la + lb <= 167 || la + lb >= 170)) {
            ASSERT_EQ(errors, la + lb >= 170 ? 1 : 0) << la << " " << lb;
        }
        if (errors == 0 && !pint_is_zero(b)) {
            pint_divide(q, p, b, rem);
            ASSERT_TRUE(same(q, a) && same(rem, pint_zero));
        }
        if (pint_is_zero(b) || (same(a, most_negative_pint()) && same(b, pint_of(-1))))
            continue;
        ASSERT_EQ(errors_during([&] { pint_divide(q, a, b, rem); }), 0);
        // Near the limits q * b may leave 168 bits; the identity holds modulo 2^168.
        pint_mul(back, q, b);
        pint_is_negative(b) ? pint_sub(back, back, rem) : pint_add(back, back, rem);
        ASSERT_TRUE(same(back, a));
        ASSERT_FALSE(pint_is_negative(rem));
        if (!same(b, most_negative_pint())) {
            ASSERT_EQ(pint_compare(rem, pint_is_negative(b) ? negated(b) : b), -1);
        }
    }
    pint r; // 2^83 * 2^84 = 2^167 overflows; -2^167 fits
    EXPECT_EQ(errors_during([&] { pint_mul(r, power_of_two(83), power_of_two(84)); }), 1);
    EXPECT_EQ(errors_during([&] { pint_mul(r, negated(power_of_two(83)), power_of_two(84)); }), 0);
    EXPECT_TRUE(same(r, most_negative_pint()));
    EXPECT_EQ(errors_during([&] { pint_mul(r, most_negative_pint(), pint_of(-1)); }), 1);
}

TEST_F(Pint, DivisionRounding)
{
    struct { int a, b, q, rem; } cases[] = {{-7, 2, -4, 1}, {7, 2, 3, 1}, {7, -2, -4, 1}, {-7, -2, 3, 1},
        {-8, 2, -4, 0}, {8, -2, -4, 0}, {0, -5, 0, 0}, {1, -5, -1, 4}, {-1, 5, -1, 4}, {-1, -5, 0, 1},
        {5, 7, 0, 5}, {-5, 7, -1, 2}};
    for (auto c : cases) {
        pint q, rem;
        pint_divide(q, pint_of(c.a), pint_of(c.b), rem);
        EXPECT_TRUE(same(q, pint_of(c.q)) && same(rem, pint_of(c.rem))) << c.a << " / " << c.b;
    }
    EXPECT_EQ(current_counts().errors, 0);
}

TEST_F(Pint, DivisionByZeroAndTheOneOverflowingQuotient)
{
    pint q = pint_of(9), rem = pint_of(9);
    testing::internal::CaptureStderr();
    pint_divide(q, pint_of(7), pint_zero, rem);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tolvex-E-DIVBYZERO,  Division by zero\n");
    EXPECT_EQ(current_counts().errors, 1);
    EXPECT_TRUE(same(q, pint_zero) && same(rem, pint_zero));

    EXPECT_EQ(errors_during([&] { pint_divide(q, most_negative_pint(), pint_of(-1), rem); }), 1);
    EXPECT_EQ(errors_during([&] { pint_divide(q, most_negative_pint(), pint_one, rem); }), 0);
    EXPECT_TRUE(same(q, most_negative_pint()));
    pint_divide(q, most_negative_pint(), most_negative_pint(), rem);
    EXPECT_TRUE(same(q, pint_one) && same(rem, pint_zero));
    pint_divide(q, largest_pint(), most_negative_pint(), rem);
    EXPECT_TRUE(same(q, pint_of(-1)) && same(rem, pint_one));
    EXPECT_EQ(current_counts().errors, 2);
}

TEST_F(Pint, ShiftCounts)
{
    const pint a = from_i128(-12345);
    auto shifted = [](bool left, const pint& value, int count) {
        return result(left ? pint_shift_left : pint_shift_right, value, pint_of(count));
    };
    EXPECT_TRUE(same(shifted(true, a, -1), pint_zero)); // a negative count gives 0
    EXPECT_TRUE(same(shifted(false, a, -1), pint_zero));
    EXPECT_TRUE(same(shifted(true, a, 256), a)); // only the low byte of the count counts
    EXPECT_TRUE(same(shifted(true, a, 257), from_i128(-24690)));
    EXPECT_TRUE(same(shifted(false, a, 511), pint_of(-1)));
}

TEST_F(Pint, ToInt)
{
    std::int32_t i = 7;
    EXPECT_TRUE(pint_to_int(i, pint_of(INT32_MIN)));
    EXPECT_EQ(i, INT32_MIN);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(pint_to_int(i, from_i128(i128(1) << 31)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), overflow_line);
    EXPECT_EQ(i, 0);
    EXPECT_FALSE(pint_to_int(i, from_i128(-(i128(1) << 31) - 1)));
    pint high = power_of_two(160); // 2^160 + 1: a low part that fits does not hide the top
    high.byte[1] = 1;
    EXPECT_FALSE(pint_to_int(i, high));
    EXPECT_EQ(current_counts().errors, 3);
}

} // namespace
