// pint arithmetic against 128-bit integers: seeded random operands of every
// magnitude, full-width values split as a 128-bit top and a 40-bit bottom so
// that carries into the sign byte and overflow are checked exactly, and the
// boundary values the constants live near.
#include <gtest/gtest.h>

#include <climits>

#include "diag/message_catalogue.h"
#include "expr/pint.h"
#include "pint_reference.h"

namespace {

class Pint : public testing::Test {
protected:
    void SetUp() override
    {
        register_all_messages();
        reset_reporting();
    }
    operands random{20240611};
};

// A 168-bit value as top * 2^40 + low with a signed 128-bit top.
struct split168 {
    i128 top;
    std::uint64_t low;
};
constexpr std::uint64_t low_mask = (std::uint64_t(1) << 40) - 1;

split168 split(const pint& p)
{
    bits168 b = bits_of(p);
    split168 s{0, 0};
    for (int n = 39; n >= 0; --n)
        s.low = (s.low << 1) | b[n];
    u128 top = 0;
    for (int n = 167; n >= 40; --n)
        top = (top << 1) | b[n];
    s.top = i128(top);
    return s;
}

pint join(const split168& s)
{
    bits168 b;
    for (int n = 0; n < 40; ++n)
        b[n] = (s.low >> n) & 1;
    for (int n = 40; n < 168; ++n)
        b[n] = (u128(s.top) >> (n - 40)) & 1;
    return from_bits(b);
}

// The exact sum or difference and whether it leaves 168 bits.
pint reference_sum(const pint& a, const pint& b, bool subtract, bool& overflow)
{
    split168 x = split(a), y = split(b), r;
    i128 first, second;
    bool o1, o2;
    if (!subtract) {
        std::uint64_t low = x.low + y.low;
        r.low = low & low_mask;
        o1 = __builtin_add_overflow(x.top, y.top, &first);
        o2 = __builtin_add_overflow(first, i128(low >> 40), &second);
    } else {
        bool borrow = x.low < y.low;
        r.low = (x.low - y.low) & low_mask;
        o1 = __builtin_sub_overflow(x.top, y.top, &first);
        o2 = __builtin_sub_overflow(first, i128(borrow), &second);
    }
    // One wrap is an overflow; a second wrap in the carry undoes the first.
    overflow = o1 != o2;
    r.top = second;
    return join(r);
}

int reference_compare(const pint& a, const pint& b)
{
    split168 x = split(a), y = split(b);
    if (x.top != y.top)
        return x.top < y.top ? -1 : 1;
    return x.low == y.low ? 0 : x.low < y.low ? -1 : 1;
}

pint shift_count(int n)
{
    return pint_of(n);
}

TEST_F(Pint, LayoutAndConstants)
{
    static_assert(sizeof(pint) == 21);
    pint p = pint_of(-0x01020304); // byte 0 is the sign byte, byte 1 the least significant
    EXPECT_EQ(p.byte[0], 0xFF);
    EXPECT_EQ(p.byte[1], 0xFC);
    EXPECT_EQ(p.byte[4], 0xFE);
    EXPECT_EQ(p.byte[5], 0xFF);
    EXPECT_TRUE(same(pint_one, pint_of(1)));
    EXPECT_TRUE(same(pint_zero, pint_of(0)));
}

TEST_F(Pint, CompareReadsByteZeroAsSigned)
{
    EXPECT_EQ(pint_compare(largest_pint(), most_negative_pint()), 1);
    EXPECT_EQ(pint_compare(most_negative_pint(), pint_of(-1)), -1);
    pint high{}; // 2^160: only byte 0 set
    high.byte[0] = 1;
    pint low{}; // 2^160 - 1
    for (int k = 1; k < 21; ++k)
        low.byte[k] = 0xFF;
    EXPECT_EQ(pint_compare(high, low), 1);
    EXPECT_EQ(pint_compare(low, low), 0);
    for (int i = 0; i < 2000; ++i) {
        pint a = random.any_pint(), b = random.below(8) == 0 ? a : random.any_pint();
        ASSERT_EQ(pint_compare(a, b), reference_compare(a, b)) << i;
    }
}

TEST_F(Pint, FullWidthSumsCarryAndOverflowExactly)
{
    int overflows = 0;
    for (int i = 0; i < 5000; ++i) {
        pint a = random.any_pint(), b = random.any_pint();
        for (bool subtract : {false, true}) {
            bool expect_overflow;
            pint expected = reference_sum(a, b, subtract, expect_overflow);
            pint r;
            int errors = errors_during([&] { subtract ? pint_sub(r, a, b) : pint_add(r, a, b); });
            ASSERT_TRUE(same(r, expected)) << i << (subtract ? " sub" : " add");
            ASSERT_EQ(errors, expect_overflow ? 1 : 0) << i << (subtract ? " sub" : " add");
            overflows += expect_overflow;
        }
    }
    EXPECT_GT(overflows, 100); // the operands do reach the limits
}

TEST_F(Pint, OverflowAtTheLimits)
{
    pint r;
    testing::internal::CaptureStderr();
    EXPECT_EQ(errors_during([&] { pint_add(r, largest_pint(), pint_one); }), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tolvex-E-OVERFLOW,  Integer operation overflow \n");
    EXPECT_TRUE(same(r, most_negative_pint())); // the value reached remains
    // A sign byte of 0 is non-negative: 0 - (-2^167) does not fit either.
    EXPECT_EQ(errors_during([&] { pint_sub(r, pint_zero, most_negative_pint()); }), 1);
    EXPECT_EQ(errors_during([&] { pint_add(r, most_negative_pint(), most_negative_pint()); }), 1);
    EXPECT_TRUE(same(r, pint_zero));
    EXPECT_EQ(errors_during([&] { pint_sub(r, pint_of(-1), most_negative_pint()); }), 0);
    EXPECT_TRUE(same(r, largest_pint()));
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

TEST_F(Pint, SmallSumsAndProducts)
{
    for (int i = 0; i < 3000; ++i) {
        i128 x = random.signed_value(96);
        std::int32_t k = random.int32();
        std::int32_t factor = k & INT32_MAX;
        pint s, p;
        ASSERT_EQ(errors_during([&] {
            pint_add_small(s, from_i128(x), k);
            pint_mul_small(p, from_i128(x), factor);
        }),
                  0);
        ASSERT_TRUE(same(s, from_i128(x + k)));
        ASSERT_TRUE(same(p, from_i128(x * factor))) << decimal_of(x) << " * " << factor;
    }
    // At the top: 2^160 * 127 fits, * 128 does not; -2^160 * 128 just fits.
    pint r, top{};
    top.byte[0] = 1;
    EXPECT_EQ(errors_during([&] { pint_mul_small(r, top, 127); }), 0);
    EXPECT_EQ(errors_during([&] { pint_mul_small(r, top, 128); }), 1);
    pint minus_top;
    pint_negate(minus_top, top);
    EXPECT_EQ(errors_during([&] { pint_mul_small(r, minus_top, 128); }), 0);
    EXPECT_TRUE(same(r, most_negative_pint()));
    EXPECT_EQ(errors_during([&] { pint_mul_small(r, minus_top, 129); }), 1);
    EXPECT_EQ(errors_during([&] { pint_add_small(r, largest_pint(), 1); }), 1);
    EXPECT_TRUE(same(r, most_negative_pint()));
}

TEST_F(Pint, ProductsAgreeWith128Bits)
{
    for (int i = 0; i < 5000; ++i) {
        int la = random.below(127);
        i128 x = random.signed_value(la), y = random.signed_value(126 - la);
        pint p;
        ASSERT_EQ(errors_during([&] { pint_mul(p, from_i128(x), from_i128(y)); }), 0);
        ASSERT_TRUE(same(p, from_i128(x * y))) << decimal_of(x) << " * " << decimal_of(y);
        // The same product 40 bits higher exercises the upper bytes.
        pint xs, ys, ps, expected;
        pint_shift_left(xs, from_i128(x), shift_count(20));
        pint_shift_left(ys, from_i128(y), shift_count(20));
        pint_shift_left(expected, from_i128(x * y), shift_count(40));
        ASSERT_EQ(errors_during([&] { pint_mul(ps, xs, ys); }), 0);
        ASSERT_TRUE(same(ps, expected)) << decimal_of(x) << " * " << decimal_of(y);
    }
}

TEST_F(Pint, ProductOverflowFollowsTheMagnitudes)
{
    // |a| < 2^la and |b| < 2^lb: a product of la + lb <= 167 bits fits, one
    // of at least 170 bits cannot.
    for (int i = 0; i < 3000; ++i) {
        pint a = random.any_pint(), b = random.any_pint();
        pint ma = a, mb = b;
        if (pint_is_negative(ma))
            pint_negate(ma, ma);
        if (pint_is_negative(mb))
            pint_negate(mb, mb);
        int la = 168, lb = 168;
        while (la > 0 && !bits_of(ma)[la - 1])
            --la;
        while (lb > 0 && !bits_of(mb)[lb - 1])
            --lb;
        if (la == 0 || lb == 0 || (la + lb > 167 && la + lb < 170))
            continue;
        pint p;
        int errors = errors_during([&] { pint_mul(p, a, b); });
        ASSERT_EQ(errors, la + lb >= 170 ? 1 : 0) << la << " " << lb;
        if (errors == 0) {
            pint q, rem;
            pint_divide(q, p, b, rem);
            ASSERT_TRUE(same(q, a));
            ASSERT_TRUE(same(rem, pint_zero));
        }
    }
}

TEST_F(Pint, ProductAtTheLimits)
{
    pint r, p83, p84, minus_p83;
    pint_shift_left(p83, pint_one, shift_count(83));
    pint_shift_left(p84, pint_one, shift_count(84));
    EXPECT_EQ(errors_during([&] { pint_mul(r, p83, p84); }), 1); // 2^167
    pint_negate(minus_p83, p83);
    EXPECT_EQ(errors_during([&] { pint_mul(r, minus_p83, p84); }), 0); // -2^167 fits
    EXPECT_TRUE(same(r, most_negative_pint()));
    EXPECT_EQ(errors_during([&] { pint_mul(r, most_negative_pint(), pint_of(-1)); }), 1);
}

// The quotient rounds down (toward minus infinity) when the signs differ and
// the division is not exact; rem is the magnitude of what is left.
void reference_divide(i128 a, i128 b, i128& q, i128& rem)
{
    q = a / b;
    i128 r = a % b;
    if (r != 0 && ((a < 0) != (b < 0))) {
        q -= 1;
        r = (b < 0 ? -b : b) - (r < 0 ? -r : r);
    }
    rem = r < 0 ? -r : r;
}

TEST_F(Pint, DivisionRounding)
{
    struct {
        int a, b, q, rem;
    } cases[] = {{-7, 2, -4, 1}, {7, 2, 3, 1}, {7, -2, -4, 1}, {-7, -2, 3, 1},
                 {-8, 2, -4, 0}, {8, -2, -4, 0}, {0, -5, 0, 0},   {1, -5, -1, 4},
                 {-1, 5, -1, 4}, {-1, -5, 0, 1}, {5, 7, 0, 5},    {-5, 7, -1, 2}};
    for (auto c : cases) {
        pint q, rem;
        pint_divide(q, pint_of(c.a), pint_of(c.b), rem);
        EXPECT_TRUE(same(q, pint_of(c.q))) << c.a << " / " << c.b;
        EXPECT_TRUE(same(rem, pint_of(c.rem))) << c.a << " % " << c.b;
    }
    EXPECT_EQ(current_counts().errors, 0);
}

TEST_F(Pint, QuotientsAgreeWith128Bits)
{
    for (int i = 0; i < 5000; ++i) {
        i128 a = random.signed_value(), b = random.signed_value();
        if (b == 0)
            b = 3;
        i128 eq, erem;
        reference_divide(a, b, eq, erem);
        pint q, rem;
        ASSERT_EQ(errors_during([&] { pint_divide(q, from_i128(a), from_i128(b), rem); }), 0);
        ASSERT_TRUE(same(q, from_i128(eq))) << decimal_of(a) << " / " << decimal_of(b);
        ASSERT_TRUE(same(rem, from_i128(erem))) << decimal_of(a) << " % " << decimal_of(b);
    }
}

TEST_F(Pint, FullWidthQuotientsRebuildTheDividend)
{
    // a = q * b + rem with the sign of b, and 0 <= rem < |b|.
    for (int i = 0; i < 2000; ++i) {
        pint a = random.any_pint(), b = random.any_pint();
        if (pint_is_zero(b) || (same(a, most_negative_pint()) && same(b, pint_of(-1))))
            continue;
        pint q, rem, back, mb = b;
        ASSERT_EQ(errors_during([&] { pint_divide(q, a, b, rem); }), 0);
        // Near the limits q * b may leave 168 bits; the identity holds modulo 2^168.
        pint_mul(back, q, b);
        if (pint_is_negative(b))
            pint_sub(back, back, rem);
        else
            pint_add(back, back, rem);
        if (pint_is_negative(mb))
            pint_negate(mb, mb);
        ASSERT_TRUE(same(back, a)) << i;
        ASSERT_FALSE(pint_is_negative(rem));
        if (!same(b, most_negative_pint())) {
            ASSERT_EQ(pint_compare(rem, mb), -1);
        }
    }
}

TEST_F(Pint, DivisionByZeroAndTheOneOverflowingQuotient)
{
    pint q = pint_of(9), rem = pint_of(9);
    testing::internal::CaptureStderr();
    pint_divide(q, pint_of(7), pint_zero, rem);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tolvex-E-DIVBYZERO,  Division by zero\n");
    EXPECT_EQ(current_counts().errors, 1);
    EXPECT_TRUE(same(q, pint_zero));
    EXPECT_TRUE(same(rem, pint_zero));

    EXPECT_EQ(errors_during([&] { pint_divide(q, most_negative_pint(), pint_of(-1), rem); }), 1);
    EXPECT_EQ(errors_during([&] { pint_divide(q, most_negative_pint(), pint_one, rem); }), 0);
    EXPECT_TRUE(same(q, most_negative_pint()));
    EXPECT_EQ(errors_during([&] { pint_divide(q, most_negative_pint(), most_negative_pint(), rem); }), 0);
    EXPECT_TRUE(same(q, pint_one));
    EXPECT_TRUE(same(rem, pint_zero));
    EXPECT_EQ(errors_during([&] { pint_divide(q, largest_pint(), most_negative_pint(), rem); }), 0);
    EXPECT_TRUE(same(q, pint_of(-1)));
    EXPECT_TRUE(same(rem, pint_one));
}

TEST_F(Pint, SmallDivisorFromTheTop)
{
    for (int i = 0; i < 3000; ++i) {
        i128 a = random.signed_value(126);
        if (a < 0)
            a = -a;
        int k = 1 + random.below(255);
        pint q;
        int rem = -1;
        div_euclid_pint(q, from_i128(a), k, rem);
        ASSERT_TRUE(same(q, from_i128(a / k)));
        ASSERT_EQ(rem, int(a % k));
    }
    // The value is read unsigned: (2^168 - 1) / 255 = 0x0101...01.
    pint q;
    int rem;
    div_euclid_pint(q, pint_of(-1), 255, rem);
    for (std::uint8_t b : q.byte)
        EXPECT_EQ(b, 0x01);
    EXPECT_EQ(rem, 0);
    EXPECT_EXIT(div_euclid_pint(q, pint_one, 256, rem), testing::ExitedWithCode(9),
                "Tolvex-S-ERRINTFCT,  Internal error in the function gfmath div_euclid_pint");
}

TEST_F(Pint, ShiftsAgreeWithABitSet)
{
    for (int i = 0; i < 3000; ++i) {
        pint a = random.any_pint();
        int n = random.below(256);
        bits168 b = bits_of(a), left, right;
        if (n < 168) {
            left = b << n;
            right = b >> n;
            for (int k = 167; b[167] && k >= 168 - n; --k)
                right[k] = 1;
        } else if (b[167]) {
            right.set();
        }
        pint l, r;
        pint_shift_left(l, a, shift_count(n));
        pint_shift_right(r, a, shift_count(n));
        ASSERT_EQ(bits_of(l), left) << n;
        ASSERT_EQ(bits_of(r), right) << n;
    }
}

TEST_F(Pint, ShiftCounts)
{
    pint r, a = from_i128(-12345);
    pint_shift_left(r, a, pint_of(-1)); // a negative count gives 0
    EXPECT_TRUE(same(r, pint_zero));
    pint_shift_right(r, a, pint_of(-1));
    EXPECT_TRUE(same(r, pint_zero));
    pint_shift_left(r, a, pint_of(256)); // only the low byte of the count counts
    EXPECT_TRUE(same(r, a));
    pint_shift_left(r, a, pint_of(257));
    EXPECT_TRUE(same(r, from_i128(-24690)));
    pint_shift_right(r, a, pint_of(200));
    EXPECT_TRUE(same(r, pint_of(-1)));
    pint_shift_right(r, pint_of(12345), pint_of(200));
    EXPECT_TRUE(same(r, pint_zero));
    pint_shift_left(r, pint_one, pint_of(167));
    EXPECT_TRUE(same(r, most_negative_pint()));
    pint_shift_left(r, pint_one, pint_of(168));
    EXPECT_TRUE(same(r, pint_zero));
    pint_shift_right(r, pint_of(-7), pint_of(1));
    EXPECT_TRUE(same(r, pint_of(-4)));
}

TEST_F(Pint, WidthsOfBits)
{
    for (int i = 0; i < 3000; ++i) {
        pint a = random.any_pint();
        int n = random.below(175) - 3;
        int default_bit = random.below(2);
        bits168 b = bits_of(a);
        int reference = n >= 0 && n < 168 ? b[n] : default_bit;
        bool agree = true;
        for (int k = std::max(n + 1, 0); k < 168; ++k)
            agree &= b[k] == bool(reference);
        ASSERT_EQ(pint_bits_agree(a, n, default_bit), agree ? 1 : 0) << n;

        bits168 extended = b, truncated = b;
        for (int k = std::max(n, 0); k < 168; ++k) {
            extended[k] = n > 0 ? b[n - 1] : 0;
            truncated[k] = 0;
        }
        pint e = a, t = a;
        pint_sign_extend(e, n);
        pint_truncate(t, n);
        ASSERT_EQ(bits_of(e), extended) << n;
        ASSERT_EQ(bits_of(t), truncated) << n;
    }
}

TEST_F(Pint, BitwiseAndLogical)
{
    for (int i = 0; i < 2000; ++i) {
        pint a = random.any_pint(), b = random.any_pint();
        pint r;
        pint_not(r, a);
        ASSERT_EQ(bits_of(r), ~bits_of(a));
        pint_or(r, a, b);
        ASSERT_EQ(bits_of(r), bits_of(a) | bits_of(b));
        pint_and(r, a, b);
        ASSERT_EQ(bits_of(r), bits_of(a) & bits_of(b));
        pint_xor(r, a, b);
        ASSERT_EQ(bits_of(r), bits_of(a) ^ bits_of(b));
    }
    pint r;
    pint_logical_not(r, pint_zero);
    EXPECT_TRUE(same(r, pint_one));
    pint_logical_not(r, most_negative_pint());
    EXPECT_TRUE(same(r, pint_zero));
    pint_logical_not(r, pint_of(2));
    EXPECT_TRUE(same(r, pint_zero));
}

TEST_F(Pint, ToInt)
{
    std::int32_t i = 7;
    EXPECT_TRUE(pint_to_int(i, pint_of(INT32_MIN)));
    EXPECT_EQ(i, INT32_MIN);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(pint_to_int(i, from_i128(i128(1) << 31)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tolvex-E-OVERFLOW,  Integer operation overflow \n");
    EXPECT_EQ(i, 0);
    EXPECT_FALSE(pint_to_int(i, from_i128(-(i128(1) << 31) - 1)));
    pint high{}; // 2^160 + 1: a low part that fits does not hide the top
    high.byte[0] = 1;
    high.byte[1] = 1;
    EXPECT_FALSE(pint_to_int(i, high));
    EXPECT_EQ(current_counts().errors, 3);
}

} // namespace
