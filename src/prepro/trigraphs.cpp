// In-place rewriting of trigraphs and digraphs that keeps every line's length.
//
// Trigraphs: only lines holding "??" are rewritten, each in one pass with a
// read and a write position: each replaced sequence shrinks the line, and
// the characters saved are written back as blanks just before the line end
// (carriage return, line feed or end of text), so every later line starts
// where it did. "??/" followed only by blanks turns into blanks with a
// backslash just before the line end, which makes the line a continuation.
//
// Digraphs are tokens: one read-only pass follows comments and literals and
// rewrites a digraph only outside them, moving the rest of its line left by
// one and padding the line end with a blank. C++'s rule keeps "<::" as "<"
// then "::" unless a third ':' or a '>' follows.
#include "prepro/preprocessor.h"

#include <array>
#include <cstring>

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
    if (char* nul = static_cast<char*>(std::memchr(begin, '\0', std::size_t(end - begin))))
        end = nul;
    for (char* p = begin; p < end;) {
        char* q = static_cast<char*>(std::memchr(p, '?', std::size_t(end - p)));
        if (!q || end - q < 3)
            return;
        if (q[1] != '?') {
            p = q + 1;
            continue;
        }
        char* line = q;
        while (line > p && !is_line_end(line[-1]))
            --line;
        p = rewrite_line(line, end, match);
        if (p < end)
            ++p;
    }
}

namespace {

// Replaces the digraph at p by c, moving the rest of the line left by one.
void replace_digraph(char* p, char* end, char c)
{
    char* line_end = p + 2;
    while (line_end < end && !is_line_end(*line_end))
        ++line_end;
    std::memmove(p + 1, p + 2, std::size_t(line_end - (p + 2)));
    line_end[-1] = ' ';
    *p = c;
}

// Bytes that may change the state of the digraph pass outside comments and literals.
constexpr std::array<bool, 256> make_digraph_stops()
{
    std::array<bool, 256> t{};
    for (unsigned char c : {'/', '"', '\'', '<', ':', '%', '\0'})
        t[c] = true;
    return t;
}
constexpr std::array<bool, 256> digraph_stops = make_digraph_stops();

// Position after the literal opened by the quote at p (or of its line end).
char* skip_quoted(char* p, char* end)
{
    char quote = *p++;
    while (p < end) {
        char c = *p;
        if (c == quote)
            return p + 1;
        if (c == '\n' || c == '\0')
            return p;
        if (c == '\\')
            p += (end - p > 2 && p[1] == '\r' && p[2] == '\n') ? 3 : 2;
        else
            ++p;
    }
    return end;
}

// Position of the line feed ending the // comment at p, continuations followed.
char* skip_line_comment_text(char* p, char* end)
{
    for (;;) {
        char* nl = static_cast<char*>(std::memchr(p, '\n', std::size_t(end - p)));
        if (!nl)
            return end;
        char* b = nl > p && nl[-1] == '\r' ? nl - 1 : nl;
        if (b > p && b[-1] == '\\') {
            p = nl + 1;
            continue;
        }
        return nl;
    }
}

} // namespace

namespace {

// Every digraph holds a ':' or a '%': true when one of those is next to a
// character that completes a digraph. Most files have none at all.
bool may_hold_digraphs(const char* begin, const char* end)
{
    for (char key : {':', '%'})
        for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, key, std::size_t(end - p))));
             ++p) {
            if (p > begin && (p[-1] == '<' || (key == ':' && p[-1] == '%')))
                return true;
            if (p + 1 < end && (p[1] == '>' || (key == '%' && p[1] == ':')))
                return true;
        }
    return false;
}

} // namespace

void cpp_replace_digraphs(char* begin, char* end)
{
    if (char* nul = static_cast<char*>(std::memchr(begin, '\0', std::size_t(end - begin))))
        end = nul;
    if (!may_hold_digraphs(begin, end))
        return;
    char* p = begin;
    while (p < end) {
        if (!digraph_stops[(unsigned char)*p]) {
            ++p;
            continue;
        }
        char c = *p;
        char next = p + 1 < end ? p[1] : '\0';
        if (c == '/' && next == '*') {
            char* q = p + 2;
            for (;;) {
                q = static_cast<char*>(std::memchr(q, '*', std::size_t(end - q)));
                if (!q || q + 1 >= end) {
                    p = end;
                    break;
                }
                if (q[1] == '/') {
                    p = q + 2;
                    break;
                }
                ++q;
            }
        } else if (c == '/' && next == '/') {
            p = skip_line_comment_text(p + 2, end);
        } else if (c == '"' || c == '\'') {
            p = skip_quoted(p, end);
        } else if (char d = digraph_of(c, next)) {
            // C++: "<::" is '<' then "::" unless followed by ':' or '>'.
            if (c == '<' && next == ':' && end - p > 2 && p[2] == ':' && !(end - p > 3 && (p[3] == ':' || p[3] == '>')))
                p += 1;
            else {
                replace_digraph(p, end, d);
                p += 1;
            }
        } else {
            ++p;
        }
    }
}

void cpp_replace_trigraphs(std::string& text) { cpp_replace_trigraphs(text.data(), text.data() + text.size()); }
void cpp_replace_digraphs(std::string& text) { cpp_replace_digraphs(text.data(), text.data() + text.size()); }
