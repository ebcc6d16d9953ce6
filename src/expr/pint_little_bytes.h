// Internal to the pint and decimal code: a pint's bytes in little-endian
// order (index 0 least significant, index 20 the sign byte), so that carry
// loops run in one direction. Copying in and out also makes it safe for a
// result to be one of the operands.
#pragma once

#include <cstring>

#include "expr/pint.h"

struct little_bytes {
    std::uint8_t v[pint_bytes];
};

inline constexpr int little_top = pint_bytes - 1;

inline little_bytes little(const pint& a)
{
    little_bytes l;
    std::memcpy(l.v, a.byte + 1, little_top);
    l.v[little_top] = a.byte[0];
    return l;
}

inline pint record(const little_bytes& l)
{
    pint a;
    std::memcpy(a.byte + 1, l.v, little_top);
    a.byte[0] = l.v[little_top];
    return a;
}

inline bool little_is_zero(const little_bytes& l)
{
    for (std::uint8_t b : l.v)
        if (b != 0)
            return false;
    return true;
}

// Unsigned comparison and subtraction (a >= b expected) of magnitudes.
inline int compare_unsigned(const little_bytes& a, const little_bytes& b)
{
    for (int k = little_top; k >= 0; --k)
        if (a.v[k] != b.v[k])
            return a.v[k] < b.v[k] ? -1 : 1;
    return 0;
}

inline void subtract_unsigned(little_bytes& a, const little_bytes& b)
{
    int borrow = 0;
    for (int k = 0; k < pint_bytes; ++k) {
        int t = a.v[k] - b.v[k] - borrow;
        borrow = t < 0;
        a.v[k] = static_cast<std::uint8_t>(t);
    }
}

// One bit into the bottom, the top bit out.
inline unsigned shift_in_bit(little_bytes& l, unsigned bit)
{
    for (std::uint8_t& byte : l.v) {
        unsigned t = (unsigned(byte) << 1) | bit;
        byte = static_cast<std::uint8_t>(t);
        bit = t >> 8;
    }
    return bit;
}

// The 42-byte product of two unsigned 21-byte magnitudes.
inline void multiply_unsigned(std::uint8_t (&product)[2 * pint_bytes], const little_bytes& a,
                              const little_bytes& b)
{
    std::memset(product, 0, sizeof product);
    for (int i = 0; i < pint_bytes; ++i) {
        if (a.v[i] == 0)
            continue;
        unsigned carry = 0;
        for (int j = 0; j < pint_bytes; ++j) {
            unsigned t = unsigned(a.v[i]) * b.v[j] + product[i + j] + carry;
            product[i + j] = static_cast<std::uint8_t>(t);
            carry = t >> 8;
        }
        product[i + pint_bytes] = static_cast<std::uint8_t>(carry);
    }
}
