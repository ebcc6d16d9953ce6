// Escape decoding and character images (see char_literal.h).
#include "expr/char_literal.h"

#include "support/text_utils.h"

namespace {

bool is_octal(char c)
{
    return c >= '0' && c <= '7';
}

int hex_value(char c)
{
    const int digit = digit_value(c);
    return digit < 16 ? digit : -1;
}

// Decodes the escape whose backslash is at token[i]; returns the code and
// moves i past the escape.
std::uint32_t decode_escape(std::string_view token, std::size_t& i,
                            const std::function<void(const char*, std::string_view)>& warn)
{
    const std::size_t start = i;
    ++i; // the backslash
    if (i >= token.size())
        return '\\';
    const char c = token[i];
    if (is_octal(c)) {
        std::uint32_t code = 0;
        for (int n = 0; n < 3 && i < token.size() && is_octal(token[i]); ++n, ++i)
            code = code * 8 + static_cast<std::uint32_t>(token[i] - '0');
        return code;
    }
    ++i;
    switch (c) {
    case '"': case '\'': case '(': case '?': case '[': case '\\': case '{':
        return static_cast<unsigned char>(c);
    case 'a': return 7;
    case 'b': return 8;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'v': return 11;
    case 'E': return 27;
    case 'x': {
        std::uint32_t code = 0;
        bool any = false;
        while (i < token.size() && hex_value(token[i]) >= 0) {
            code = code * 16 + static_cast<std::uint32_t>(hex_value(token[i])); // wraps, as wide as it goes
            ++i;
            any = true;
        }
        if (!any) {
            if (warn)
                warn("NOHEXDIGI", token.substr(start, i - start));
            return 'x';
        }
        return code;
    }
    default:
        if (warn)
            warn("SEQUEINCO", token.substr(start, i - start));
        return static_cast<unsigned char>(c);
    }
}

} // namespace

decoded_literal decode_literal(std::string_view token,
                               const std::function<void(const char* code, std::string_view argument)>& warn)
{
    decoded_literal result;
    std::size_t i = 0;
    if (i < token.size() && token[i] == 'L') {
        result.wide = true;
        ++i;
    }
    if (i >= token.size())
        return result;
    const char quote = token[i++];
    while (i < token.size()) {
        const char c = token[i];
        if (c == quote) {
            result.terminated = i + 1 == token.size();
            return result;
        }
        if (c == '\\') {
            result.codes.push_back(decode_escape(token, i, warn));
        } else {
            result.codes.push_back(static_cast<unsigned char>(c));
            ++i;
        }
    }
    return result;
}

void append_char_image(std::string& out, std::uint32_t code)
{
    switch (code) {
    case 0: out += "\\0"; return;
    case 8: out += "\\b"; return;
    case 9: out += "\\t"; return;
    case 10: out += "\\n"; return;
    case 11: out += "\\v"; return;
    case 12: out += "\\f"; return;
    case 13: out += "\\r"; return;
    case '"': out += "\\\""; return;
    case '\'': out += "\\'"; return;
    case '\\': out += "\\\\"; return;
    default: break;
    }
    if (code >= 32 && code <= 126) {
        out.push_back(static_cast<char>(code));
        return;
    }
    // The octal digits read as a decimal number, with a leading 0 below 100.
    unsigned long long as_decimal = 0;
    unsigned long long place = 1;
    for (std::uint32_t rest = code; rest != 0; rest /= 8) {
        as_decimal += (rest % 8) * place;
        place *= 10;
    }
    out.push_back('\\');
    if (as_decimal < 100)
        out.push_back('0');
    out += std::to_string(as_decimal);
}
