// See native_text.h.
#include "generator/native_text.h"

std::string native_text(std::string_view prefix, std::string_view text)
{
    std::string out(prefix);
    for (char c : text) {
        out.push_back(c);
        if (c == '\n')
            out += prefix;
    }
    return out;
}
