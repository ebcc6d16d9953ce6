// Character constants and string literals: decoding their escapes, and
// printing character codes back as C text.
//
// Decoding walks the token once: a backslash takes the escape table (the
// quotes, "(", "?", "[", "\\", "{" stand for themselves, one to three octal
// digits, \x with any number of hexadecimal digits, \a \b \f \n \r \t \v and
// \E for 27); anything else after a backslash is that character, with a
// warning. The printer reads a code's octal digits back as a decimal number,
// which is why code 27 prints '\033' and code 1 '\01'.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct decoded_literal {
    std::vector<std::uint32_t> codes;
    bool terminated = false; // the closing quote was found
    bool wide = false;       // the L prefix
};

// token: the whole literal, with its optional L and its quotes. warn gets
// NOHEXDIGI or SEQUEINCO with the escape's text; it may be empty.
decoded_literal decode_literal(std::string_view token,
                               const std::function<void(const char* code, std::string_view argument)>& warn);

// Appends one code as it is written inside quotes: printable characters as
// themselves (the apostrophe and the backslash escaped; quote the quote
// character of the literal), the usual escapes, others in octal.
void append_char_image(std::string& out, std::uint32_t code);
