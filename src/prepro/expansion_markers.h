// The in-band markers of expansion buffers (macro bodies, collected
// arguments, expansion levels and pre-expanded arguments), and the escape
// that keeps the same bytes in the source plain text.
//
// marker_no_expand before a name keeps it unexpanded when the text is read
// again; marker_separator is a blank that only separates tokens. A source
// byte equal to one of the three marker bytes is written into an expansion
// buffer as marker_escape followed by the byte with its high bit set, so a
// marker byte found in such a buffer is always a marker, and the byte after
// an escape is never one (nor a blank or an identifier character). Files and
// texts given by the caller hold no markers: there every byte is text.
#pragma once

#include <string>
#include <string_view>

inline constexpr char marker_no_expand = '\x01';
inline constexpr char marker_separator = '\x02';
inline constexpr char marker_escape = '\x03';

constexpr bool is_marker_byte(char c) { return c == marker_no_expand || c == marker_separator || c == marker_escape; }

// The source byte that an escape pair stands for.
constexpr char escaped_byte(char second) { return char((unsigned char)second & 0x7F); }

// Appends source text to an expansion buffer, escaping marker bytes.
inline void append_escaped(std::string& out, std::string_view text)
{
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (is_marker_byte(text[i])) {
            out.append(text.substr(from, i - from));
            out.push_back(marker_escape);
            out.push_back(char((unsigned char)text[i] | 0x80));
            from = i + 1;
        }
    out.append(text.substr(from));
}

inline void push_escaped(std::string& out, char c)
{
    if (is_marker_byte(c)) {
        out.push_back(marker_escape);
        out.push_back(char((unsigned char)c | 0x80));
    } else {
        out.push_back(c);
    }
}

// Source text with its marker bytes escaped.
inline std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    append_escaped(out, text);
    return out;
}

// Expansion text back to plain text: escapes decoded, separators as blanks,
// no-expand markers dropped.
inline std::string unescaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == marker_escape && i + 1 < text.size())
            out.push_back(escaped_byte(text[++i]));
        else if (c == marker_separator)
            out.push_back(' ');
        else if (c != marker_no_expand)
            out.push_back(c);
    }
    return out;
}
