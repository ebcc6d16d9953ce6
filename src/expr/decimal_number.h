// The decimal floating number of floating constants, built on pint.
//
// The value is 0.d1d2d3... x 10^exponent. The mantissa is a non-negative
// fixed-point number: byte 0 is its integer part and holds d1, bytes 1 to 20
// are a 160-bit binary fraction from which the following digits come. In
// normal form byte 0 is 1 to 9; zero is a zero mantissa with exponent 0 and
// sign 0. Operations normalise their operands first, so a record built by
// hand need not be normal. Nothing allocates.
#pragma once

#include <cstdint>

#include "expr/pint.h"

struct decimal_number {
    std::int32_t sign = 0; // 0 positive, 1 negative
    pint mantissa = pint_zero;
    std::int32_t exponent = 0;
};

void decimal_normalise(decimal_number& d);
// -1, 0 or 1 by value.
int decimal_compare(const decimal_number& a, const decimal_number& b);
bool decimal_is_zero(const decimal_number& d);

void decimal_add(decimal_number& r, const decimal_number& a, const decimal_number& b);
void decimal_sub(decimal_number& r, const decimal_number& a, const decimal_number& b);
void decimal_mul(decimal_number& r, const decimal_number& a, const decimal_number& b);
// A zero divisor reports DIVBYZERO and gives zero.
void decimal_div(decimal_number& r, const decimal_number& a, const decimal_number& b);

void decimal_from_pint(decimal_number& r, const pint& n);
// The integer part, truncated toward zero; false and zero when the exponent
// exceeds 48 (more digits than a pint holds).
bool decimal_to_pint(pint& r, const decimal_number& d);
