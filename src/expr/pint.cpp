// pint arithmetic, byte by byte on fixed 21-byte records.
//
// Carry-propagating operations first copy their operands into little-endian
// byte arrays (index 0 least significant, index 20 the sign byte), so that
// every loop runs in one direction, and store the result back at the end:
// this also makes it safe for the result to be one of the operands.
//
// Overflow is the true two's-complement test on the sign bits: the sum of two
// operands of one sign overflows when the result has the other sign. A sign
// byte of 0 counts as non-negative, so adding 1 to the largest value, or two
// values whose sum is exactly -2^168, is caught too. The product and the
// quotient test the magnitude against 2^167 - 1, or 2^167 when the result is
// negative, so that the most negative value itself is a valid product.
#include "expr/pint.h"

#include <cstring>

#include "diag/report.h"
#include "expr/pint_little_bytes.h"

namespace {

constexpr int top = little_top;

// Byte k from the least significant (k = 0..20) of the record.
constexpr int record_index(int k) { return k == top ? 0 : k + 1; }

void report_overflow() { report_error("OVERFLOW", ""); }

void negate(little_bytes& l)
{
    unsigned carry = 1;
    for (std::uint8_t& b : l.v) {
        unsigned t = static_cast<std::uint8_t>(~b) + carry;
        b = static_cast<std::uint8_t>(t);
        carry = t >> 8;
    }
}

// The unsigned magnitude of a two's-complement value (2^167 for the most
// negative one, which reads correctly as unsigned).
little_bytes magnitude(const pint& a)
{
    little_bytes l = little(a);
    if (pint_is_negative(a))
        negate(l);
    return l;
}

// a + b on 168 bits; true on signed overflow.
bool add_bytes(little_bytes& r, const little_bytes& a, const little_bytes& b)
{
    unsigned carry = 0;
    for (int k = 0; k < pint_bytes; ++k) {
        unsigned t = unsigned(a.v[k]) + b.v[k] + carry;
        r.v[k] = static_cast<std::uint8_t>(t);
        carry = t >> 8;
    }
    bool sa = a.v[top] & 0x80, sb = b.v[top] & 0x80, sr = r.v[top] & 0x80;
    return sa == sb && sr != sa;
}

bool sub_bytes(little_bytes& r, const little_bytes& a, const little_bytes& b)
{
    int borrow = 0;
    for (int k = 0; k < pint_bytes; ++k) {
        int t = a.v[k] - b.v[k] - borrow;
        borrow = t < 0;
        r.v[k] = static_cast<std::uint8_t>(t);
    }
    bool sa = a.v[top] & 0x80, sb = b.v[top] & 0x80, sr = r.v[top] & 0x80;
    return sa != sb && sr != sa;
}

// Whether an unsigned magnitude fits the result: below 2^167, or exactly
// 2^167 when the result is to be negative.
bool magnitude_fits(const little_bytes& m, bool negative)
{
    if (m.v[top] < 0x80)
        return true;
    if (!negative || m.v[top] != 0x80)
        return false;
    for (int k = 0; k < top; ++k)
        if (m.v[k] != 0)
            return false;
    return true;
}

int shift_count(const pint& count) { return pint_is_negative(count) ? -1 : count.byte[1]; }

// Bit n of a (0 <= n < 168).
int bit_at(const little_bytes& l, int n) { return (l.v[n / 8] >> (n % 8)) & 1; }

void fill_from(little_bytes& l, int n, int bit)
{
    // Bits n and above take the value bit; 0 <= n <= 168.
    std::uint8_t fill = bit ? 0xFF : 0x00;
    int k = n / 8;
    if (k >= pint_bytes)
        return;
    int low_bits = n % 8;
    std::uint8_t keep = static_cast<std::uint8_t>((1u << low_bits) - 1);
    l.v[k] = static_cast<std::uint8_t>((l.v[k] & keep) | (fill & ~keep));
    for (++k; k < pint_bytes; ++k)
        l.v[k] = fill;
}

// The unsigned quotient and remainder of two magnitudes by shift and
// subtract. The steps run on three 64-bit words holding the 21 bytes, which
// makes each step a few word operations instead of three 21-byte loops; they
// start at the highest set bit of the dividend, as the steps above it would
// only shift zeros. The remainder stays below the divisor (at most 2^167),
// so shifting it left never loses a bit.
struct words168 {
    std::uint64_t w[3]; // w[0] least significant
};

words168 words(const little_bytes& l)
{
    words168 x{};
    for (int k = 0; k < pint_bytes; ++k)
        x.w[k / 8] |= std::uint64_t(l.v[k]) << (8 * (k % 8));
    return x;
}

little_bytes bytes(const words168& x)
{
    little_bytes l;
    for (int k = 0; k < pint_bytes; ++k)
        l.v[k] = static_cast<std::uint8_t>(x.w[k / 8] >> (8 * (k % 8)));
    return l;
}

bool at_least(const words168& a, const words168& b)
{
    for (int i = 2; i >= 0; --i)
        if (a.w[i] != b.w[i])
            return a.w[i] > b.w[i];
    return true;
}

void divide_magnitudes(little_bytes& quotient, little_bytes& remainder, const little_bytes& dividend,
                       const little_bytes& divisor)
{
    words168 a = words(dividend), b = words(divisor), q{}, r{};
    int n = pint_bits - 1;
    while (n >= 0 && ((a.w[n / 64] >> (n % 64)) & 1) == 0)
        --n;
    for (; n >= 0; --n) {
        r.w[2] = (r.w[2] << 1) | (r.w[1] >> 63);
        r.w[1] = (r.w[1] << 1) | (r.w[0] >> 63);
        r.w[0] = (r.w[0] << 1) | ((a.w[n / 64] >> (n % 64)) & 1);
        if (at_least(r, b)) {
            std::uint64_t borrow = 0;
            for (int i = 0; i < 3; ++i) {
                std::uint64_t d = r.w[i] - b.w[i] - borrow;
                borrow = (r.w[i] < b.w[i]) || (r.w[i] - b.w[i] < borrow);
                r.w[i] = d;
            }
            q.w[n / 64] |= std::uint64_t(1) << (n % 64);
        }
    }
    quotient = bytes(q);
    remainder = bytes(r);
}

} // namespace

void pint_from_int(pint& r, std::int32_t i)
{
    std::uint32_t u = static_cast<std::uint32_t>(i);
    std::uint8_t fill = i < 0 ? 0xFF : 0x00;
    std::memset(r.byte, fill, pint_bytes);
    for (int k = 0; k < 4; ++k)
        r.byte[1 + k] = static_cast<std::uint8_t>(u >> (8 * k));
}

int pint_compare(const pint& a, const pint& b)
{
    auto sa = static_cast<std::int8_t>(a.byte[0]), sb = static_cast<std::int8_t>(b.byte[0]);
    if (sa != sb)
        return sa < sb ? -1 : 1;
    for (int k = top; k >= 1; --k)
        if (a.byte[k] != b.byte[k])
            return a.byte[k] < b.byte[k] ? -1 : 1;
    return 0;
}

bool pint_is_zero(const pint& a)
{
    for (std::uint8_t b : a.byte)
        if (b != 0)
            return false;
    return true;
}

int pint_bits_agree(const pint& a, int n, int default_bit)
{
    if (n >= pint_bits - 1)
        return 1;
    little_bytes l = little(a);
    int bit = n < 0 ? (default_bit != 0) : bit_at(l, n);
    little_bytes filled = l;
    fill_from(filled, n < 0 ? 0 : n + 1, bit);
    return compare_unsigned(l, filled) == 0;
}

void pint_sign_extend(pint& a, int n)
{
    if (n >= pint_bits)
        return;
    if (n <= 0) {
        a = pint_zero;
        return;
    }
    little_bytes l = little(a);
    fill_from(l, n, bit_at(l, n - 1));
    a = record(l);
}

void pint_truncate(pint& a, int n)
{
    if (n >= pint_bits)
        return;
    little_bytes l = little(a);
    fill_from(l, n < 0 ? 0 : n, 0);
    a = record(l);
}

void pint_not(pint& r, const pint& a)
{
    for (int k = 0; k < pint_bytes; ++k)
        r.byte[k] = static_cast<std::uint8_t>(~a.byte[k]);
}

void pint_or(pint& r, const pint& a, const pint& b)
{
    for (int k = 0; k < pint_bytes; ++k)
        r.byte[k] = a.byte[k] | b.byte[k];
}

void pint_and(pint& r, const pint& a, const pint& b)
{
    for (int k = 0; k < pint_bytes; ++k)
        r.byte[k] = a.byte[k] & b.byte[k];
}

void pint_xor(pint& r, const pint& a, const pint& b)
{
    for (int k = 0; k < pint_bytes; ++k)
        r.byte[k] = a.byte[k] ^ b.byte[k];
}

void pint_shift_left(pint& r, const pint& a, const pint& count)
{
    int n = shift_count(count);
    if (n < 0 || n >= pint_bits) {
        r = pint_zero;
        return;
    }
    little_bytes in = little(a), out{};
    int bytes = n / 8, bits = n % 8;
    for (int k = pint_bytes - 1; k >= bytes; --k) {
        unsigned v = unsigned(in.v[k - bytes]) << bits;
        if (bits && k - bytes - 1 >= 0)
            v |= in.v[k - bytes - 1] >> (8 - bits);
        out.v[k] = static_cast<std::uint8_t>(v);
    }
    r = record(out);
}

void pint_shift_right(pint& r, const pint& a, const pint& count)
{
    int n = shift_count(count);
    if (n < 0) {
        r = pint_zero;
        return;
    }
    std::uint8_t fill = pint_is_negative(a) ? 0xFF : 0x00;
    if (n >= pint_bits) {
        std::memset(r.byte, fill, pint_bytes);
        return;
    }
    little_bytes in = little(a), out;
    int bytes = n / 8, bits = n % 8;
    for (int k = 0; k < pint_bytes; ++k) {
        int from = k + bytes;
        unsigned low = from < pint_bytes ? in.v[from] : fill;
        unsigned high = from + 1 < pint_bytes ? in.v[from + 1] : fill;
        out.v[k] = static_cast<std::uint8_t>(((high << 8) | low) >> bits);
    }
    r = record(out);
}

void pint_logical_not(pint& r, const pint& a) { r = pint_is_zero(a) ? pint_one : pint_zero; }

void pint_add(pint& r, const pint& a, const pint& b)
{
    little_bytes s;
    bool overflow = add_bytes(s, little(a), little(b));
    r = record(s);
    if (overflow)
        report_overflow();
}

void pint_sub(pint& r, const pint& a, const pint& b)
{
    little_bytes d;
    bool overflow = sub_bytes(d, little(a), little(b));
    r = record(d);
    if (overflow)
        report_overflow();
}

void pint_add_small(pint& r, const pint& a, std::int32_t k)
{
    pint small;
    pint_from_int(small, k);
    pint_add(r, a, small);
}

void pint_mul_small(pint& r, const pint& a, std::int32_t k)
{
    if (k < 0) { // outside the intended use; the general product stays exact
        pint factor;
        pint_from_int(factor, k);
        pint_mul(r, a, factor);
        return;
    }
    little_bytes in = little(a), out;
    std::uint64_t carry = 0;
    for (int i = 0; i < top; ++i) {
        std::uint64_t t = std::uint64_t(in.v[i]) * std::uint32_t(k) + carry;
        out.v[i] = static_cast<std::uint8_t>(t);
        carry = t >> 8;
    }
    // The exact product is high * 2^160 + the lower bytes: it fits when the
    // signed high part fits the sign byte.
    std::int64_t high = std::int64_t(static_cast<std::int8_t>(in.v[top])) * k + std::int64_t(carry);
    out.v[top] = static_cast<std::uint8_t>(high);
    r = record(out);
    if (high < -128 || high > 127)
        report_overflow();
}

void pint_mul(pint& r, const pint& a, const pint& b)
{
    bool negative = pint_is_negative(a) != pint_is_negative(b);
    little_bytes ma = magnitude(a), mb = magnitude(b);
    std::uint8_t product[2 * pint_bytes];
    multiply_unsigned(product, ma, mb);
    little_bytes kept;
    std::memcpy(kept.v, product, pint_bytes);
    bool overflow = !magnitude_fits(kept, negative);
    for (int k = pint_bytes; k < 2 * pint_bytes; ++k)
        overflow |= product[k] != 0;
    if (negative)
        negate(kept);
    r = record(kept);
    if (overflow)
        report_overflow();
}

void pint_negate(pint& r, const pint& a)
{
    little_bytes l = little(a);
    negate(l);
    r = record(l);
}

void pint_divide(pint& q, const pint& a, const pint& b, pint& rem)
{
    if (pint_is_zero(b)) {
        q = pint_zero;
        rem = pint_zero;
        report_error("DIVBYZERO", "");
        return;
    }
    bool negative_a = pint_is_negative(a), negative_b = pint_is_negative(b);
    little_bytes dividend = magnitude(a), divisor = magnitude(b);
    little_bytes quotient, remainder;
    divide_magnitudes(quotient, remainder, dividend, divisor);
    bool overflow = false;
    if (negative_a == negative_b) {
        overflow = !magnitude_fits(quotient, false); // only -2^167 / -1
    } else {
        if (!little_is_zero(remainder)) {
            little_bytes one{};
            one.v[0] = 1;
            add_bytes(quotient, quotient, one);
            little_bytes complement = divisor;
            subtract_unsigned(complement, remainder);
            remainder = complement;
        }
        negate(quotient);
    }
    q = record(quotient);
    rem = record(remainder);
    if (overflow)
        report_overflow();
}

void div_euclid_pint(pint& q, const pint& a, int k, int& rem)
{
    if (k < 1 || k > 255)
        report_internal("ERRINTFCT", "gfmath div_euclid_pint");
    pint result;
    unsigned r = 0;
    // From the top: byte 0, then bytes 20 down to 1.
    for (int i = top; i >= 0; --i) {
        int index = record_index(i);
        unsigned t = (r << 8) | a.byte[index];
        result.byte[index] = static_cast<std::uint8_t>(t / unsigned(k));
        r = t % unsigned(k);
    }
    q = result;
    rem = static_cast<int>(r);
}

bool pint_to_int(std::int32_t& i, const pint& a)
{
    bool negative = pint_is_negative(a);
    little_bytes m = magnitude(a);
    std::uint64_t value = 0;
    const std::uint64_t limit = negative ? (std::uint64_t(1) << 31) : (std::uint64_t(1) << 31) - 1;
    for (int k = top; k >= 0; --k) {
        value = (value << 8) | m.v[k];
        if (value > limit) {
            i = 0;
            report_overflow();
            return false;
        }
    }
    i = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value)) : static_cast<std::int32_t>(value);
    return true;
}
