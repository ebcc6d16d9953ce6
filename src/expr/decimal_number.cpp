// Decimal number arithmetic on fixed-point pint mantissas.
//
// A normal mantissa is below 10 * 2^160, so sums fit in 165 bits and the
// 42-byte product of two mantissas, shifted down by the 160 fraction bits,
// fits in 167: no step here can overflow, and none reports. Exponents are
// kept in 64 bits while computed and saturate at the 32-bit limits, so that
// extreme exponents from a text cannot wrap.
//
// Conversion to a pint reads the integer digits off the mantissa. A mantissa
// carries a binary approximation of decimal digits (123 is 1.23 in binary
// fixed point, perhaps 1.2299999...), so a bias is added first: a quarter of
// the unit of the last integer digit, at most 2^-96 of the mantissa's unit.
// It is far above the error of a computed mantissa and far below what could
// move the integer part by one, so an exact 123 cannot come out as 122.
#include "expr/decimal_number.h"

#include <climits>
#include <utility>

#include "diag/report.h"
#include "expr/pint_little_bytes.h"

namespace {

std::int32_t saturated(std::int64_t e)
{
    if (e > INT32_MAX)
        return INT32_MAX;
    if (e < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(e);
}

void divide_by_10(pint& m)
{
    int dropped;
    div_euclid_pint(m, m, 10, dropped);
}

// A normalised copy.
decimal_number normal(const decimal_number& d)
{
    decimal_number n = d;
    decimal_normalise(n);
    return n;
}

} // namespace

void decimal_normalise(decimal_number& d)
{
    if (pint_is_zero(d.mantissa)) {
        d.exponent = 0;
        d.sign = 0;
        return;
    }
    d.sign = d.sign != 0;
    if (pint_is_negative(d.mantissa)) {
        pint_negate(d.mantissa, d.mantissa); // -2^167 stays, read unsigned below
        d.sign ^= 1;
    }
    while (d.mantissa.byte[0] > 9) {
        divide_by_10(d.mantissa);
        d.exponent = saturated(std::int64_t(d.exponent) + 1);
    }
    while (d.mantissa.byte[0] == 0) {
        pint_mul_small(d.mantissa, d.mantissa, 10);
        d.exponent = saturated(std::int64_t(d.exponent) - 1);
    }
}

bool decimal_is_zero(const decimal_number& d) { return pint_is_zero(d.mantissa); }

int decimal_compare(const decimal_number& a, const decimal_number& b)
{
    decimal_number x = normal(a), y = normal(b);
    auto signum = [](const decimal_number& d) { return decimal_is_zero(d) ? 0 : d.sign ? -1 : 1; };
    int sx = signum(x), sy = signum(y);
    if (sx != sy)
        return sx < sy ? -1 : 1;
    if (sx == 0)
        return 0;
    int by_magnitude = x.exponent != y.exponent ? (x.exponent < y.exponent ? -1 : 1)
                                                : pint_compare(x.mantissa, y.mantissa);
    return sx > 0 ? by_magnitude : -by_magnitude;
}

void decimal_add(decimal_number& r, const decimal_number& a, const decimal_number& b)
{
    decimal_number x = normal(a), y = normal(b);
    if (decimal_is_zero(x)) {
        r = y;
        return;
    }
    if (decimal_is_zero(y)) {
        r = x;
        return;
    }
    if (x.exponent < y.exponent)
        std::swap(x, y);
    for (std::int64_t gap = std::int64_t(x.exponent) - y.exponent; gap > 0 && !pint_is_zero(y.mantissa); --gap)
        divide_by_10(y.mantissa);
    decimal_number sum{x.sign, x.mantissa, x.exponent};
    if (x.sign == y.sign)
        pint_add(sum.mantissa, x.mantissa, y.mantissa);
    else
        pint_sub(sum.mantissa, x.mantissa, y.mantissa); // a negative difference flips the sign
    decimal_normalise(sum);
    r = sum;
}

void decimal_sub(decimal_number& r, const decimal_number& a, const decimal_number& b)
{
    decimal_number opposite = normal(b);
    if (!decimal_is_zero(opposite))
        opposite.sign ^= 1;
    decimal_add(r, a, opposite);
}

void decimal_mul(decimal_number& r, const decimal_number& a, const decimal_number& b)
{
    decimal_number x = normal(a), y = normal(b);
    if (decimal_is_zero(x) || decimal_is_zero(y)) {
        r = decimal_number{};
        return;
    }
    std::uint8_t product[2 * pint_bytes];
    multiply_unsigned(product, little(x.mantissa), little(y.mantissa));
    little_bytes shifted;
    std::memcpy(shifted.v, product + little_top, pint_bytes); // drop the 160 fraction bits
    decimal_number p{x.sign ^ y.sign, record(shifted), saturated(std::int64_t(x.exponent) + y.exponent - 1)};
    decimal_normalise(p);
    r = p;
}

void decimal_div(decimal_number& r, const decimal_number& a, const decimal_number& b)
{
    decimal_number x = normal(a), y = normal(b);
    if (decimal_is_zero(y)) {
        report_error("DIVBYZERO", "");
        r = decimal_number{};
        return;
    }
    if (decimal_is_zero(x)) {
        r = decimal_number{};
        return;
    }
    // The fixed-point quotient: its integer part (0 to 9) by subtraction,
    // then the 160 fraction bits by shift and subtract. The remainder stays
    // below the divisor (< 2^164), so shifting it never loses a bit.
    little_bytes remainder = little(x.mantissa), divisor = little(y.mantissa), quotient{};
    while (compare_unsigned(remainder, divisor) >= 0) {
        subtract_unsigned(remainder, divisor);
        ++quotient.v[little_top];
    }
    for (int bit = 8 * little_top - 1; bit >= 0; --bit) {
        shift_in_bit(remainder, 0);
        if (compare_unsigned(remainder, divisor) >= 0) {
            subtract_unsigned(remainder, divisor);
            quotient.v[bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
        }
    }
    decimal_number q{x.sign ^ y.sign, record(quotient), saturated(std::int64_t(x.exponent) - y.exponent + 1)};
    decimal_normalise(q);
    r = q;
}

void decimal_from_pint(decimal_number& r, const pint& n)
{
    decimal_number d;
    d.sign = pint_is_negative(n);
    pint rest;
    pint_negate(rest, n);
    if (!d.sign)
        rest = n; // the magnitude; -2^167 reads correctly unsigned
    // Each step shifts the mantissa one digit down (rounded) and puts the
    // next digit of the integer, from the right, in its integer byte.
    while (!pint_is_zero(rest)) {
        int dropped, digit;
        div_euclid_pint(d.mantissa, d.mantissa, 10, dropped);
        if (dropped >= 5)
            pint_add_small(d.mantissa, d.mantissa, 1);
        div_euclid_pint(rest, rest, 10, digit);
        d.mantissa.byte[0] = static_cast<std::uint8_t>(digit);
        ++d.exponent;
    }
    decimal_normalise(d);
    r = d;
}

bool decimal_to_pint(pint& r, const decimal_number& d)
{
    constexpr int most_digits = 48;
    decimal_number x = normal(d);
    if (x.exponent > most_digits) {
        r = pint_zero;
        return false;
    }
    pint value = pint_zero, m = x.mantissa;
    if (x.exponent > 0) {
        pint bias = pint_zero, cap = pint_zero;
        bias.byte[20] = 0x40; // 2^158: a quarter of the mantissa's unit
        cap.byte[9] = 1;      // 2^64
        for (int k = 1; k < x.exponent; ++k)
            divide_by_10(bias);
        pint_add(m, m, pint_compare(bias, cap) < 0 ? bias : cap);
    }
    for (int k = 0; k < x.exponent; ++k) {
        int digit = m.byte[0];
        m.byte[0] = 0;
        pint_mul_small(value, value, 10);
        pint_add_small(value, value, digit);
        pint_mul_small(m, m, 10);
    }
    if (x.sign)
        pint_negate(value, value);
    r = value;
    return true;
}
