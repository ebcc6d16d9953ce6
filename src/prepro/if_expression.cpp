// The lexer and the driver of the #if expression parser (grammar in if_grammar.y).
//
// The lexer works directly on the expanded text: blanks are skipped, the
// two-character operators are tried before the single characters, numbers
// run over identifier characters and periods (so "1.0" and "1e5" are one bad
// token rather than a silent misparse), character constants decode the
// tool's escapes, and "sizeof ( type name )" is read whole into one token
// because the type name is raw text looked up by name, not an expression.
// A NUL ends the text like its end, so an operand holding one reads as the
// C string it would be; what follows it is "after the end".
#include "prepro/if_expression.h"

#include <cstdint>

#include "if_grammar.hpp"
#include "support/text_utils.h"

struct if_parser {
    if_parser(std::string_view text, const if_expression_env& env) : text(text), env(env) {}
    std::string_view text;
    std::size_t position = 0;
    const if_expression_env& env;
    bool accepted = false;
    if_value result{0, false};
};

namespace {

// The consumed text of a bad expression is shown by its end.
constexpr std::size_t consumed_shown_whole = 40;
constexpr std::size_t consumed_cut = 39;
// The most characters a multi-character constant may carry after its first.
constexpr std::size_t constant_rest_limit = 999;

void warn(const if_parser& parser, const char* code, std::string_view argument)
{
    if (parser.env.report)
        parser.env.report(kind_warning, code, report_argument(argument), parser.env.file_name, parser.env.line);
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_identifier_start(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}
bool is_identifier_char(char c) { return is_identifier_start(c) || is_digit(c); }

int hex_digit(char c)
{
    const int digit = digit_value(c);
    return digit < 16 ? digit : -1;
}

class lexer {
public:
    explicit lexer(if_parser& parser) : p_(parser), text_(parser.text) {}

    int next(if_value& value)
    {
        while (!at_end() && is_blank(text_[p_.position]))
            ++p_.position;
        if (at_end())
            return 0;
        value = if_value{0, false};
        if (int op = two_character_operator())
            return op;
        const char c = text_[p_.position];
        if (std::string_view("!%&()*+,-./:<=>?@[]^{|}~").find(c) != std::string_view::npos) {
            ++p_.position;
            return static_cast<unsigned char>(c);
        }
        if (is_digit(c))
            return number(value);
        if (c == '\'')
            return character(value);
        if (is_identifier_start(c))
            return identifier(value);
        ++p_.position; // a string or a character no expression may hold
        return BAD_TOKEN;
    }

private:
    bool at_end() const { return p_.position >= text_.size() || text_[p_.position] == '\0'; }
    char peek(std::size_t at) const { return at < text_.size() ? text_[at] : '\0'; }

    int two_character_operator()
    {
        static constexpr struct {
            const char* text;
            int token;
        } operators[] = {{"||", OROR}, {"&&", ANDAND}, {"==", EQ}, {"!=", NE},
                         {"<=", LE},   {">=", GE},     {"<<", LSHIFT}, {">>", RSHIFT}};
        for (const auto& op : operators) {
            if (text_.substr(p_.position, 2) == op.text) {
                p_.position += 2;
                return op.token;
            }
        }
        return 0;
    }

    int number(if_value& value)
    {
        std::size_t end = p_.position;
        while (end < text_.size() && (is_identifier_char(text_[end]) || text_[end] == '.'))
            ++end;
        const std::string_view token = text_.substr(p_.position, end - p_.position);
        p_.position = end;
        if (token.find('.') != std::string_view::npos)
            return BAD_TOKEN; // floating numbers are not allowed
        int base = 10;
        std::size_t i = 0;
        if (token.size() >= 3 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
            base = 16;
            i = 2;
        } else if (token[0] == '0') {
            base = 8;
        }
        uint64_t accumulated = 0;
        for (; i < token.size(); ++i) {
            const int digit = hex_digit(token[i]);
            if (digit < 0 || (digit > 9 && base != 16))
                break;
            accumulated = accumulated * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        }
        // As in C, a constant too large for the signed type is unsigned.
        bool is_unsigned = accumulated > uint64_t(INT64_MAX);
        for (; i < token.size() && std::string_view("lLuU").find(token[i]) != std::string_view::npos; ++i)
            is_unsigned = is_unsigned || token[i] == 'u' || token[i] == 'U';
        if (i != token.size())
            return BAD_TOKEN;
        value = if_value{static_cast<int64_t>(accumulated), is_unsigned};
        return NUMBER;
    }

    // One character of a constant, escapes decoded; 0 to 255.
    int constant_character()
    {
        const char c = text_[p_.position++];
        if (c != '\\' || p_.position >= text_.size())
            return static_cast<unsigned char>(c);
        const char e = text_[p_.position++];
        switch (e) {
        case 'a': return 7;
        case 'b': return 8;
        case 'e': return 27;
        case 'f': return 12;
        case 'n': return 10;
        case 'r': return 13;
        case 't': return 9;
        case 'v': return 11;
        case 'x': return hex_escape();
        case '^': return control_escape();
        default: break;
        }
        if (e >= '0' && e <= '7')
            return octal_escape(e - '0');
        return static_cast<unsigned char>(e);
    }

    int octal_escape(int value)
    {
        for (int digits = 1; digits < 3 && peek(p_.position) >= '0' && peek(p_.position) <= '7'; ++digits)
            value = value * 8 + (text_[p_.position++] - '0');
        return fit_byte(value, value > 255);
    }

    int hex_escape()
    {
        // The low 8 bits of the value depend only on the low 8 bits so far.
        int value = 0;
        bool too_big = false;
        for (int digit; (digit = hex_digit(peek(p_.position))) >= 0; ++p_.position) {
            value = value * 16 + digit;
            too_big = too_big || value > 255;
            value &= 0xFF;
        }
        return fit_byte(value, too_big);
    }

    int fit_byte(int value, bool too_big)
    {
        if (too_big)
            warn(p_, "NOFITBYTE", "");
        return value & 0xFF;
    }

    int control_escape()
    {
        if (p_.position >= text_.size())
            return '^';
        if (text_[p_.position] == '?') {
            ++p_.position;
            return 127;
        }
        return constant_character() & 0x9F;
    }

    // wide: an L, u, U or u8 prefix came first. Its character is not a
    // char, so it is never sign-extended from 8 bits.
    int character(if_value& value, bool wide = false)
    {
        ++p_.position;
        if (at_end() || text_[p_.position] == '\'' || text_[p_.position] == '\n') {
            if (!at_end() && text_[p_.position] == '\'')
                ++p_.position;
            return BAD_TOKEN; // an empty constant, or a quote alone
        }
        const int first = constant_character();
        if (peek(p_.position) == '\'') {
            ++p_.position;
            const bool char_unsigned =
                wide || (p_.env.is_defined && p_.env.is_defined(p_.env.context, "__CHAR_UNSIGNED__"));
            value = if_value{char_unsigned ? first : static_cast<int8_t>(first), false};
            return CHARACTER;
        }
        return long_constant(first, value);
    }

    // Several characters, or no closing quote on the line: a non-zero
    // unsigned number, valued like a multi-character constant of gcc.
    int long_constant(int first, if_value& value)
    {
        uint32_t accumulated = static_cast<uint32_t>(first);
        const std::size_t rest_start = p_.position;
        while (!at_end() && text_[p_.position] != '\'' && text_[p_.position] != '\n') {
            if (p_.position - rest_start >= constant_rest_limit)
                return BAD_TOKEN;
            accumulated = (accumulated << 8) | static_cast<uint32_t>(constant_character());
        }
        if (peek(p_.position) == '\'')
            ++p_.position;
        value = if_value{accumulated != 0 ? static_cast<int64_t>(accumulated) : 1, true};
        return NUMBER;
    }

    int identifier(if_value& value)
    {
        const std::size_t start = p_.position;
        while (p_.position < text_.size() && is_identifier_char(text_[p_.position]))
            ++p_.position;
        const std::string_view word = text_.substr(start, p_.position - start);
        // L'\0' (glibc's <bits/wchar.h> tests it): a prefixed character constant.
        if (peek(p_.position) == '\'' && (word == "L" || word == "u" || word == "U" || word == "u8"))
            return character(value, true);
        if (word != "sizeof")
            return NAME;
        return sizeof_operand(value);
    }

    // "( type name )" after sizeof; brackets of both kinds nest inside.
    int sizeof_operand(if_value& value)
    {
        std::size_t open = p_.position;
        while (open < text_.size() && is_blank(text_[open]))
            ++open;
        if (peek(open) != '(')
            return BAD_TOKEN;
        int depth = 0;
        std::size_t close = open;
        for (; close < text_.size() && text_[close] != '\0'; ++close) {
            const char c = text_[close];
            if (c == '(' || c == '[')
                ++depth;
            else if ((c == ')' || c == ']') && --depth == 0)
                break;
        }
        if (close >= text_.size() || text_[close] != ')') {
            p_.position = close;
            return BAD_TOKEN;
        }
        std::string_view name = text_.substr(open + 1, close - open - 1);
        while (!name.empty() && is_blank(name.front()))
            name.remove_prefix(1);
        while (!name.empty() && is_blank(name.back()))
            name.remove_suffix(1);
        p_.position = close + 1;
        value = if_value{type_size(name), false};
        return SIZEOF;
    }

    int type_size(std::string_view name) const
    {
        const if_expression_env& env = p_.env;
        if (name == "char")
            return env.char_bits / 8;
        if (name == "short")
            return env.short_bits / 8;
        if (name == "int")
            return env.int_bits / 8;
        if (name == "long")
            return env.long_bits / 8;
        if (env.sizes) {
            for (const sizeof_entry& entry : *env.sizes) {
                if (entry.type_name == name)
                    return entry.size;
            }
        }
        return 0;
    }

    if_parser& p_;
    std::string_view text_;
};

bool only_blanks_before_end(std::string_view text)
{
    for (char c : text) {
        if (c == '\0')
            return true;
        if (!is_blank(c))
            return false;
    }
    return true;
}

bool only_blanks_after(std::string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] != '\0' && !is_blank(text[i]))
            return false;
    }
    return true;
}

} // namespace

int ifx_lex(IFX_STYPE* token_value, if_parser& parser)
{
    return lexer(parser).next(*token_value);
}

void ifx_error(if_parser& parser, const char*)
{
    std::string_view consumed = parser.text.substr(0, parser.position);
    if (consumed.size() > consumed_shown_whole)
        consumed = consumed.substr(consumed.size() - consumed_cut);
    warn(parser, "EXPERRONE", consumed);
}

void if_division_by_zero(if_parser& parser) { warn(parser, "DIVISZERO", "#if"); }

void if_accept(if_parser& parser, if_value result)
{
    parser.accepted = true;
    parser.result = result;
}

int cpp_parse_expression(std::string_view expanded_text, const if_expression_env& env)
{
    if_parser parser(expanded_text, env);
    if (only_blanks_before_end(expanded_text)) {
        warn(parser, "EMPTYEXPR", "#if");
        return 0;
    }
    if (ifx_parse(parser) != 0 || !parser.accepted)
        return 0;
    if (!only_blanks_after(expanded_text, parser.position))
        warn(parser, "ERRAFTEND", "");
    return static_cast<int32_t>(static_cast<uint32_t>(parser.result.value));
}
