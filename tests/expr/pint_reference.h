// Reference values for the pint tests: 128-bit integers sign-extended into
// the 21-byte record, a 168-bit bit set for shifts and masks, seeded random
// operands of every magnitude, and the error count around a call.
#pragma once

#include <bitset>
#include <cstdint>
#include <random>
#include <string>

#include "diag/report.h"
#include "expr/pint.h"

__extension__ typedef __int128 i128;
__extension__ typedef unsigned __int128 u128;


// Byte k counted from the least significant (0..20) of the record.
inline std::uint8_t& byte_from_bottom(pint& p, int k) { return p.byte[k == 20 ? 0 : k + 1]; }
inline std::uint8_t byte_from_bottom(const pint& p, int k) { return p.byte[k == 20 ? 0 : k + 1]; }

inline pint from_i128(i128 v)
{
    pint p;
    for (int k = 0; k < 21; ++k)
        byte_from_bottom(p, k) = k < 16 ? std::uint8_t(u128(v) >> (8 * k)) : (v < 0 ? 0xFF : 0x00);
    return p;
}

using bits168 = std::bitset<168>;

inline bits168 bits_of(const pint& p)
{
    bits168 b;
    for (int n = 0; n < 168; ++n)
        b[n] = (byte_from_bottom(p, n / 8) >> (n % 8)) & 1;
    return b;
}

inline pint from_bits(const bits168& b)
{
    pint p{};
    for (int n = 0; n < 168; ++n)
        if (b[n])
            byte_from_bottom(p, n / 8) |= std::uint8_t(1u << (n % 8));
    return p;
}

inline pint pint_of(std::int32_t i)
{
    pint p;
    pint_from_int(p, i);
    return p;
}

inline pint largest_pint()
{
    pint p;
    for (auto& b : p.byte)
        b = 0xFF;
    p.byte[0] = 0x7F;
    return p;
}

inline pint most_negative_pint()
{
    pint p{};
    p.byte[0] = 0x80;
    return p;
}

inline bool same(const pint& a, const pint& b)
{
    for (int k = 0; k < 21; ++k)
        if (a.byte[k] != b.byte[k])
            return false;
    return true;
}

inline std::string decimal_of(i128 v)
{
    if (v == 0)
        return "0";
    bool negative = v < 0;
    u128 u = negative ? u128(0) - u128(v) : u128(v);
    std::string digits;
    while (u != 0) {
        digits.insert(digits.begin(), char('0' + int(u % 10)));
        u /= 10;
    }
    return negative ? "-" + digits : digits;
}

// Seeded operands: a random bit length first, so that small, middle and
// full-size magnitudes are all common, then a random sign.
class operands {
public:
    explicit operands(std::uint64_t seed) : random_(seed) {}

    u128 bits(int count)
    {
        u128 u = (u128(random_()) << 64) | random_();
        return count >= 128 ? u : u & ((u128(1) << count) - 1);
    }
    // A value of at most `most` magnitude bits (most <= 127), either sign.
    i128 signed_value(int most = 127)
    {
        int length = int(random_() % (most + 1));
        i128 v = i128(bits(length));
        return random_() & 1 ? -v : v;
    }
    // A pint of any of the 168 bits; half of them near full size.
    pint any_pint()
    {
        int length = random_() & 1 ? int(random_() % 169) : 160 + int(random_() % 9);
        bits168 b;
        for (int n = 0; n < length; ++n)
            b[n] = random_() & 1;
        if (length > 0 && length < 168)
            b[length - 1] = 1;
        if (random_() & 1)
            b = ~b;
        return from_bits(b);
    }
    std::int32_t int32() { return std::int32_t(std::uint32_t(random_())); }
    int below(int n) { return int(random_() % std::uint64_t(n)); }

private:
    std::mt19937_64 random_;
};

inline int errors_during(auto&& body)
{
    int before = current_counts().errors;
    body();
    return current_counts().errors - before;
}
