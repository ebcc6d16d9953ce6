// pint: the exact integer of every constant the tool computes, a 168-bit
// two's-complement number held in 21 bytes.
//
// Byte 0 is the most significant byte and is read as signed (it carries the
// sign); bytes 1 to 20 hold the lower 160 bits, byte 1 being the least
// significant. The order is odd but fixed: the decimal numbers built on pint
// read byte 0 as the integer part of a fixed-point mantissa and bytes 1 to 20
// as its fraction.
//
// Every operation takes the result first and its operands by reference; a
// result may be one of the operands. Overflow and division by zero are
// reported as errors (OVERFLOW, DIVBYZERO) and the computation goes on with
// the value reached (the result truncated to 168 bits). Nothing allocates.
#pragma once

#include <cstdint>

inline constexpr int pint_bytes = 21;
inline constexpr int pint_bits = 8 * pint_bytes;

struct pint {
    std::uint8_t byte[pint_bytes];
};

inline constexpr pint pint_zero{};
inline constexpr pint pint_one{{0, 1}};

void pint_from_int(pint& r, std::int32_t i);

// -1, 0 or 1: byte 0 compared as signed, then bytes 20 down to 1 as unsigned.
int pint_compare(const pint& a, const pint& b);

inline bool pint_is_negative(const pint& a) { return a.byte[0] & 0x80; }
bool pint_is_zero(const pint& a);

// 1 when every bit above position n equals bit n (default_bit when n is
// negative), else 0: whether a fits a width of n + 1 signed bits.
int pint_bits_agree(const pint& a, int n, int default_bit);

// In place: bits at positions n and above take the value of bit n - 1
// (a width of 0 or less leaves 0), or become 0.
void pint_sign_extend(pint& a, int n);
void pint_truncate(pint& a, int n);

void pint_not(pint& r, const pint& a);
void pint_or(pint& r, const pint& a, const pint& b);
void pint_and(pint& r, const pint& a, const pint& b);
void pint_xor(pint& r, const pint& a, const pint& b);

// The count is the least significant byte of count (0 to 255 bits); a
// negative count gives 0. The right shift is arithmetic.
void pint_shift_left(pint& r, const pint& a, const pint& count);
void pint_shift_right(pint& r, const pint& a, const pint& count);

void pint_logical_not(pint& r, const pint& a);

void pint_add(pint& r, const pint& a, const pint& b);
void pint_sub(pint& r, const pint& a, const pint& b);
void pint_add_small(pint& r, const pint& a, std::int32_t k);
void pint_mul_small(pint& r, const pint& a, std::int32_t k);
void pint_mul(pint& r, const pint& a, const pint& b);

// Two's-complement negation without an overflow report (the most negative
// value stays itself); for code that has already excluded that value.
void pint_negate(pint& r, const pint& a);

// Signed division: the quotient of the magnitudes when the signs agree; when
// they differ, the negated quotient if the division is exact, else
// -(quotient + 1). rem is always |a - q * b|, never negative.
void pint_divide(pint& q, const pint& a, const pint& b, pint& rem);

// a read as an unsigned 168-bit number, divided by k in 1..255.
void div_euclid_pint(pint& q, const pint& a, int k, int& rem);

// The value as a 32-bit signed integer; OVERFLOW and 0 when it does not fit.
bool pint_to_int(std::int32_t& i, const pint& a);
