// The printed forms of a pint, and the small integer reader of the lexer.
//
// Images are written into a caller's fixed buffer, large enough for the
// longest form (168 binary digits and a prefix), and returned as a view of
// it; nothing allocates.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "expr/pint.h"

// Forms of pint_image.
enum pint_form {
    form_hex = 0,          // hexadecimal digits, no prefix
    form_decimal = 1,      // also 3 and 6
    form_binary = 2,       // binary digits followed by "B"
    form_decimal_3 = 3,
    form_decimal_6 = 6,
    form_binary_0b = 7,    // "0b" then binary digits
    form_hex_0x = 8,       // "0x" then hexadecimal digits
};

inline constexpr std::size_t pint_image_capacity = 176;
using pint_image_buffer = std::array<char, pint_image_capacity>;

// width is the size in bits of the target type (its sign ignored): the
// hexadecimal and binary forms show exactly (|width| + 7) / 8 bytes, 0 shows
// the value's significant bytes, above 168 reports OVERFLOW and shows
// nothing. Decimal forms ignore the width. Another form is an internal error
// (TRFSTRINT). The text is also terminated by a NUL.
std::string_view pint_image(const pint& a, int form, int width, pint_image_buffer& text);
std::string pint_image_text(const pint& a, int form, int width);

// A 32-bit integer from a decimal text, or from hexadecimal digits followed
// by 'h' or 'H'; the text ends at its first blank; the value wraps in 32 bits.
std::int32_t int_from_text(std::string_view text);
