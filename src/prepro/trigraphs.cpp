// In-place rewriting of trigraphs and digraphs that keeps every line's length.
//
// One pass per line with a read and a write position: each replaced sequence
// shrinks the line, and the characters saved are written back as blanks just
// before the line end (carriage return, line feed or end of text), so every
// later line starts where it did. This is the same result as moving the rest
// of the line left at each replacement, but linear in the line's length.
// "??/" followed only by blanks turns into blanks with a backslash just
// before the line end, which makes the line a continuation line.
#include "prepro/preprocessor.h"

namespace {

bool is_line_end(char c) { return c == '\n' || c == '\r' || c == '\0'; }

char trigraph_of(char c)
{
    switch (c) {
    case '=': return '#';
    case '/': return '\\';
    case '\'': return '^';
    case '(': return '[';
    case ')': return ']';
    case '!': return '|';
    case '<': return '{';
    case '>': return '}';
    case '-': return '~';
    default: return 0;
    }
}

char digraph_of(char a, char b)
{
    if (a == '<' && b == ':') return '[';
    if (a == ':' && b == '>') return ']';
    if (a == '<' && b == '%') return '{';
    if (a == '%' && b == '>') return '}';
    if (a == '%' && b == ':') return '#';
    return 0;
}

bool only_blanks_to_line_end(const char* p, const char* end)
{
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    return p == end || is_line_end(*p);
}

// Rewrites one line [r, end of line) and returns the position of its end.
template <class Match>
char* rewrite_line(char* line, char* end, Match match)
{
    char* r = line;
    char* w = line;
    std::size_t saved = 0;
    bool continuation = false;
    while (r < end && !is_line_end(*r)) {
        int consumed = 0;
        char replacement = match(r, end, consumed, continuation);
        if (consumed) {
            if (replacement)
                *w++ = replacement;
            else
                for (int i = 0; i < consumed; ++i)
                    *w++ = ' ';
            saved += consumed - (replacement ? 1 : consumed);
            r += consumed;
        } else {
            *w++ = *r++;
        }
    }
    while (saved--)
        *w++ = ' ';
    if (continuation && w > line)
        w[-1] = '\\';
    return r;
}

} // namespace

void cpp_replace_trigraphs(char* begin, char* end)
{
    auto match = [](char* r, char* e, int& consumed, bool& continuation) -> char {
        if (r[0] != '?' || e - r < 3 || r[1] != '?')
            return 0;
        char c = trigraph_of(r[2]);
        if (!c)
            return 0;
        consumed = 3;
        if (c == '\\' && only_blanks_to_line_end(r + 3, e)) {
            continuation = true;
            return 0; // three blanks
        }
        return c;
    };
    for (char* p = begin; p < end && *p;) {
        p = rewrite_line(p, end, match);
        if (p < end && *p)
            ++p;
    }
}

void cpp_replace_digraphs(char* begin, char* end)
{
    auto match = [](char* r, char* e, int& consumed, bool&) -> char {
        if (e - r < 2)
            return 0;
        char c = digraph_of(r[0], r[1]);
        if (c)
            consumed = 2;
        return c;
    };
    for (char* p = begin; p < end && *p;) {
        p = rewrite_line(p, end, match);
        if (p < end && *p)
            ++p;
    }
}

void cpp_replace_trigraphs(std::string& text) { cpp_replace_trigraphs(text.data(), text.data() + text.size()); }
void cpp_replace_digraphs(std::string& text) { cpp_replace_digraphs(text.data(), text.data() + text.size()); }
