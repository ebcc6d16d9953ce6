// Decimal numbers to and from text: the reader of floating constants and the
// image the script shows, "0." followed by at most 19 digits and an exponent
// ("0.123E3" for 123). Images go to a caller's fixed buffer.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "expr/decimal_number.h"

inline constexpr int decimal_image_digits = 19;
inline constexpr std::size_t decimal_image_capacity = 40;
using decimal_image_buffer = std::array<char, decimal_image_capacity>;

// Reads [sign] digits [. digits] [e|E [sign] digits] from the start of the
// text; returns how many characters were used (0 when there is no number).
std::size_t decimal_from_text(decimal_number& r, std::string_view text);

// digits outside 1..19 means 19. The text is also terminated by a NUL.
std::string_view decimal_image(const decimal_number& d, int digits, decimal_image_buffer& text);
std::string decimal_image_text(const decimal_number& d, int digits = decimal_image_digits);
