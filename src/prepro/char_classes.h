// The four character classes of the preprocessor, as constant tables of 256
// flags so that the scanner tests a byte with one load.
#pragma once

#include <array>
#include <string_view>

namespace char_class {

enum : unsigned char { identifier = 1, identifier_start = 2, horizontal_space = 4, space = 8 };

constexpr std::array<unsigned char, 256> make_table()
{
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$';
        bool digit = c >= '0' && c <= '9';
        unsigned char f = 0;
        if (letter || digit)
            f |= identifier;
        if (letter)
            f |= identifier_start;
        if (c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r')
            f |= horizontal_space | space;
        if (c == '\n')
            f |= space;
        t[c] = f;
    }
    return t;
}

inline constexpr std::array<unsigned char, 256> table = make_table();

} // namespace char_class

constexpr bool is_identifier_char(char c) { return char_class::table[(unsigned char)c] & char_class::identifier; }
constexpr bool is_identifier_start(char c) { return char_class::table[(unsigned char)c] & char_class::identifier_start; }
constexpr bool is_horizontal_space(char c) { return char_class::table[(unsigned char)c] & char_class::horizontal_space; }
constexpr bool is_space(char c) { return char_class::table[(unsigned char)c] & char_class::space; }
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

// s without the leading and trailing characters that is_blank accepts: the
// one trim of the preprocessor.
template <class Blank>
constexpr std::string_view trim(std::string_view s, Blank is_blank)
{
    std::size_t b = 0, e = s.size();
    while (b < e && is_blank(s[b]))
        ++b;
    while (e > b && is_blank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Length of a backslash-newline (LF or CR LF) at p; 0 when there is none.
inline int continuation_at(const char* p, const char* end)
{
    if (p < end && *p == '\\') {
        if (p + 1 < end && p[1] == '\n')
            return 2;
        if (p + 2 < end && p[1] == '\r' && p[2] == '\n')
            return 3;
    }
    return 0;
}
