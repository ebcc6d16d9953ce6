// #pragma: the tool's own "#pragma morva" keywords (matched by prefix in
// table order), the pragma map that lets a foreign pragma stand for a tool
// pragma, and the target-description operations of the sizeof and signof
// pragmas that the analysis lexer calls.
#include <cstdlib>

#include "prepro/char_classes.h"
#include "prepro/preprocessor_state.h"

namespace {

constexpr std::string_view keywords[] = {
    "incl_std",      "stop_analyse",  "start_analyse", "sizeof",        "signof",      "pragma",
    "type_modifier", "crc_justify",   "crc_justify_all", "crc_justify_everywhere", "stop_analyze",
    "start_analyze", "insert",        "prefix_call",   "type_boolean",  "ex_call",     "exit_instr",
    "accept",        "reduce",        "fctreduce",     "nothingbefore", "nointerpret", "directive",
    "stop_instr",    "start_instr",   "pvo_stub",      "testing_tool_call_place",
};

std::size_t skip_blanks(std::string_view s, std::size_t i)
{
    while (i < s.size() && is_space(s[i]))
        ++i;
    return i;
}

std::string_view word_at(std::string_view s, std::size_t i)
{
    std::size_t j = i;
    while (j < s.size() && is_identifier_char(s[j]))
        ++j;
    return s.substr(i, j - i);
}

std::string without_blanks(std::string_view s)
{
    std::string out;
    for (char c : s)
        if (!is_space(c))
            out.push_back(c);
    return out;
}

std::string trim(std::string_view s)
{
    return std::string(::trim(s, is_space));
}

// One part of "text1" = "text2": quoted (a backslash keeps a quote inside) or bare up to stop.
std::string pragma_part(std::string_view s, std::size_t& i, char stop)
{
    i = skip_blanks(s, i);
    std::string out;
    if (i < s.size() && s[i] == '"') {
        ++i;
        while (i < s.size() && s[i] != '"') {
            if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == '"')
                ++i;
            out.push_back(s[i++]);
        }
        if (i < s.size())
            ++i;
        return out;
    }
    std::size_t b = i;
    while (i < s.size() && s[i] != stop)
        ++i;
    return trim(s.substr(b, i - b));
}

} // namespace

bool preprocessor::pragma_map_match(std::string_view operand, std::string* replacement)
{
    if (pragma_map_.empty())
        return false;
    std::string key = without_blanks(operand);
    for (const auto& [text, mapped] : pragma_map_)
        if (without_blanks(text) == key) {
            if (replacement)
                *replacement = mapped;
            return true;
        }
    return false;
}

void preprocessor::do_pragma(output_buffer& out, input_level&, std::string_view operand)
{
    std::size_t i = skip_blanks(operand, 0);
    std::string_view first = word_at(operand, i);
    if (first != "morva") {
        std::string replacement;
        if (pragma_map_match(operand.substr(i), &replacement))
            expand_text(*table_, replacement, expand_pragma);
        return;
    }
    i = skip_blanks(operand, i + first.size());
    std::string_view word = word_at(operand, i);
    if (word.empty())
        return;
    // sizeof and signof lines go to the analysis lexer
    if (std::string_view("sizeof").substr(0, word.size()) == word ||
        std::string_view("signof").substr(0, word.size()) == word) {
        out.text.append("#pragma");
        out.text.append(operand);
    }
    int index = -1;
    for (std::size_t k = 0; k < std::size(keywords); ++k)
        if (keywords[k].substr(0, word.size()) == word) {
            index = int(k);
            break;
        }
    std::string_view rest = operand.substr(i + word.size());
    switch (index) {
    case 0: { // incl_std
        std::vector<std::string> directories;
        std::string current;
        bool quoted = false, any = false;
        for (char c : rest) {
            if (c == '"') {
                quoted = !quoted;
                any = true;
            } else if (c == ',' && !quoted) {
                directories.push_back(trim(current));
                current.clear();
            } else {
                current.push_back(c);
            }
        }
        directories.push_back(trim(current));
        bool empty = true;
        for (const std::string& d : directories)
            if (!d.empty())
                empty = false;
        if (empty && !any) {
            report(kind_warning, "SYNTAXERR", "empty pragma morva incl_std");
            return;
        }
        for (const std::string& d : directories)
            if (!d.empty())
                append_directory(d);
        return;
    }
    case 1:
    case 10:
        analysis_started = false;
        return;
    case 2:
    case 11:
        analysis_started = true;
        return;
    case 5: { // pragma "text1" = "text2"
        std::size_t k = 0;
        std::string text1 = pragma_part(rest, k, '=');
        k = skip_blanks(rest, k);
        if (k < rest.size() && rest[k] == '=')
            ++k;
        std::string text2 = pragma_part(rest, k, '\0');
        if (text1.empty())
            return;
        std::string key = without_blanks(text1);
        for (auto& [text, mapped] : pragma_map_)
            if (without_blanks(text) == key) {
                if (mapped != text2)
                    mapped = text2;
                return;
            }
        pragma_map_.emplace_back(text1, text2);
        return;
    }
    case 6: { // type_modifier = NAME
        std::size_t k = skip_blanks(rest, 0);
        std::string_view name;
        if (k < rest.size() && rest[k] == '=') {
            k = skip_blanks(rest, k + 1);
            if (k < rest.size() && is_identifier_start(rest[k]))
                name = word_at(rest, k);
        }
        if (name.empty()) {
            report(kind_warning, "TYPMODINC", "");
            return;
        }
        for (const std::string& m : type_modifiers)
            if (m == name)
                return;
        type_modifiers.emplace_back(name);
        return;
    }
    default:
        return;
    }
}

namespace {

// TYPE or (TYPE), then blanks and '=' signs, then VALUE.
bool target_operands(std::string_view text, std::string& type, std::string& value)
{
    std::size_t i = skip_blanks(text, 0);
    bool parenthesis = i < text.size() && text[i] == '(';
    if (parenthesis)
        i = skip_blanks(text, i + 1);
    type = std::string(word_at(text, i));
    i += type.size();
    i = skip_blanks(text, i);
    if (parenthesis && i < text.size() && text[i] == ')')
        ++i;
    while (i < text.size() && (is_space(text[i]) || text[i] == '='))
        ++i;
    value = std::string(word_at(text, i));
    return !type.empty() && !value.empty();
}

} // namespace

void preprocessor::sizeof_pragma(std::string_view text)
{
    std::string type, value;
    if (!target_operands(text, type, value))
        return;
    int bits = std::atoi(value.c_str());
    sizes.insert(sizes.begin(), sizeof_entry{type, bits / 8});
    target_bits& b = this->bits();
    if (type == "char")
        b.char_bits = bits;
    else if (type == "short")
        b.short_bits = bits;
    else if (type == "int")
        b.int_bits = bits;
    else if (type == "long")
        b.long_bits = bits;
    else if (type == "longlong")
        b.long_long_bits = bits;
    else if (hooks.set_typedef_size)
        hooks.set_typedef_size(hooks.context, type, bits);
}

void preprocessor::signof_pragma(std::string_view text)
{
    std::string type, value;
    if (!target_operands(text, type, value))
        return;
    if (value != "signed" && value != "unsigned")
        return;
    if (type == "char")
        bits().char_unsigned = value == "unsigned";
    else if (type == "int" || type == "short" || type == "long")
        return;
    else if (hooks.set_typedef_sign)
        hooks.set_typedef_sign(hooks.context, type, value == "signed");
}
