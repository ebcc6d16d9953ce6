// Small byte-string operations shared by every subsystem, and the bounded
// concatenation that builds output lines and the command image.
//
// xstrcpy/xstrcat cut their result at xstr_limit characters without a
// message: a script line or a command image longer than that is truncated,
// never overrun. A source that is the destination itself is a programming
// fault and ends the run as an internal error.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

inline constexpr std::size_t xstr_limit = 61440;

void xstrcpy_list(std::string* destination, std::initializer_list<std::string_view> sources);
void xstrcat_list(std::string* destination, std::initializer_list<std::string_view> sources);

// Sources are taken by reference so that aliasing with the destination is seen.
template <class... Texts>
void xstrcpy(std::string* destination, const Texts&... sources)
{
    xstrcpy_list(destination, {std::string_view(sources)...});
}

template <class... Texts>
void xstrcat(std::string* destination, const Texts&... sources)
{
    xstrcat_list(destination, {std::string_view(sources)...});
}

// An absent source (nullptr) leaves the destination empty.
void copy_text(const char* source, std::string& destination);

// -1 when either text is absent; otherwise the difference of the first
// differing bytes taken as signed characters, 0 when equal.
int compare_text(const char* a, const char* b);

struct trimmed_bounds {
    std::size_t start;    // offset of the first non-blank, non-tab byte
    std::size_t leading;  // bytes skipped (equal to start)
    std::size_t length;   // length from start without trailing blanks and tabs
};
trimmed_bounds trim_bounds(std::string_view text);

// Copies without leading and trailing blanks and tabs; destination may be the source.
void trim_copy(std::string_view source, std::string& destination);

// At most width bytes of source, then fill up to exactly width; width < 1 gives "".
std::string pad_text(std::string_view source, char fill, int width);

// ASCII a-z to A-Z in place; other bytes unchanged.
void upper_case(std::string& text);
void upper_case(char* text);

// The value of a decimal or hexadecimal digit (either case); 99 for any
// other byte, so that it is never below a radix.
inline int digit_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}
