// Comment and literal skipping; see lexical_skip.h.
#include "prepro/lexical_skip.h"

#include <algorithm>
#include <cstring>

#include "prepro/char_classes.h"

namespace {

// Passes over the continuations at p, counting them.
const char* skip_continuations(const char* p, const char* end, int& lines)
{
    while (int n = continuation_at(p, end)) {
        p += n;
        ++lines;
    }
    return p;
}

} // namespace

int comment_opener_at(const char* p, const char* end, bool& block, int& lines)
{
    if (p >= end || *p != '/')
        return 0;
    int more = 0;
    const char* q = skip_continuations(p + 1, end, more);
    if (q >= end || (*q != '*' && *q != '/'))
        return 0;
    block = *q == '*';
    lines += more;
    return int(q + 1 - p);
}

const char* skip_block_comment(const char* p, const char* end, int& lines, bool& closed)
{
    // Every line feed inside counts one line, whether a continuation's or not.
    for (;;) {
        const char* star = static_cast<const char*>(std::memchr(p, '*', std::size_t(end - p)));
        if (!star) {
            lines += int(std::count(p, end, '\n'));
            closed = false;
            return end;
        }
        lines += int(std::count(p, star, '\n'));
        int more = 0;
        const char* q = skip_continuations(star + 1, end, more);
        if (q < end && *q == '/') {
            lines += more;
            closed = true;
            return q + 1;
        }
        p = star + 1;
    }
}

const char* skip_line_comment(const char* p, const char* end, int& lines)
{
    for (;;) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        if (!nl)
            return end;
        // A backslash (CR allowed) just before the line feed continues the comment.
        const char* b = nl;
        if (b > p && b[-1] == '\r')
            --b;
        if (b > p && b[-1] == '\\') {
            ++lines;
            p = nl + 1;
            continue;
        }
        return nl;
    }
}

const char* skip_literal(const char* p, const char* end, int& lines, bool& closed, std::string* copy)
{
    const char quote = *p;
    const char* run = p;
    ++p;
    auto flush = [&](const char* upto) {
        if (copy)
            copy->append(run, std::size_t(upto - run));
    };
    for (;;) {
        while (p < end && *p != quote && *p != '\\' && *p != '\n')
            ++p;
        if (p >= end || *p == '\n') {
            flush(p);
            closed = false;
            return p;
        }
        if (*p == quote) {
            ++p;
            flush(p);
            closed = true;
            return p;
        }
        if (int n = continuation_at(p, end)) {
            flush(p);
            p += n;
            ++lines;
            run = p;
            continue;
        }
        // An escape: the backslash takes the next character, which may come
        // after continuations.
        ++p;
        if (continuation_at(p, end)) {
            flush(p);
            p = skip_continuations(p, end, lines);
            run = p;
        }
        if (p < end && *p != '\n')
            ++p;
    }
}
