// Reference values for the pint tests: 128-bit integers sign-extended into
// the 21-byte record, a 168-bit bit set for shifts and masks, seeded random
// operands of every magnitude, and the error count around a call.
#pragma once

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "diag/message_catalogue.h"
#include "diag/report.h"
#include "expr/pint.h"

__extension__ typedef __int128 i128;
__extension__ typedef unsigned __int128 u128;

using bits168 = std::bitset<168>;

// Byte k counted from the least significant (0..20): byte 0 of the record
// is the sign byte, the others run upwards from the bottom.
inline int record_index(int k) { return k == 20 ? 0 : k + 1; }

inline bits168 bits_of(const pint& p)
{
    bits168 b;
    for (int n = 0; n < 168; ++n)
        b[n] = (p.byte[record_index(n / 8)] >> (n % 8)) & 1;
    return b;
}

inline pint from_bits(const bits168& b)
{
    pint p{};
    for (int n = 0; n < 168; ++n)
        if (b[n])
            p.byte[record_index(n / 8)] |= std::uint8_t(1u << (n % 8));
    return p;
}

inline pint from_i128(i128 v)
{
    bits168 b;
    for (int n = 0; n < 168; ++n)
        b[n] = n < 128 ? (u128(v) >> n) & 1 : v < 0;
    return from_bits(b);
}

inline pint pint_of(std::int32_t i) { pint p; pint_from_int(p, i); return p; }

inline pint most_negative_pint()
{
    pint p{};
    p.byte[0] = 0x80;
    return p;
}

inline pint largest_pint() { return from_bits(~bits_of(most_negative_pint())); }

inline bool same(const pint& a, const pint& b) { return std::equal(a.byte, a.byte + 21, b.byte); }

inline std::string decimal_of(i128 v)
{
    u128 u = v < 0 ? u128(0) - u128(v) : u128(v);
    std::string digits;
    do
        digits.insert(digits.begin(), char('0' + int(u % 10)));
    while ((u /= 10) != 0);
    return v < 0 ? "-" + digits : digits;
}

// Seeded operands: a random bit length first, so that small, middle and
// full-size magnitudes are all common, then a random sign.
class operands {
public:
    explicit operands(std::uint64_t seed) : random_(seed) {}

    // A value of at most `most` magnitude bits (most <= 127), either sign.
    i128 signed_value(int most = 127)
    {
        int length = int(random_() % (most + 1));
        u128 u = (u128(random_()) << 64) | random_();
        i128 v = i128(length >= 128 ? u : u & ((u128(1) << length) - 1));
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
        return from_bits(random_() & 1 ? ~b : b);
    }
    std::int32_t int32() { return std::int32_t(std::uint32_t(random_())); }
    int below(int n) { return int(random_() % std::uint64_t(n)); }

private:
    std::mt19937_64 random_;
};

// Messages registered and counts cleared before each test.
class counted_test : public testing::Test {
protected:
    void SetUp() override
    {
        register_all_messages();
        reset_reporting();
    }
};

inline int errors_during(auto&& body)
{
    int before = current_counts().errors;
    body();
    return current_counts().errors - before;
}
