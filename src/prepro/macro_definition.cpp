// #define and #undef: the parameter list, the one-time rewrite of the body
// into kept text and parameter references, the comparison of a redefinition,
// and the command-line definitions.
//
// White space at both ends of a body becomes separator markers (one per
// character, at least one at the end) so that an expansion never sticks to
// the text that follows it, while a stringised argument that contained an
// expansion does not gain blanks from them.
#include "prepro/char_classes.h"
#include "prepro/preprocessor_state.h"

#include <QCoreApplication>

namespace {

std::string_view trimmed(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && is_space(s[b]))
        ++b;
    while (e > b && is_space(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Comparison form of a definition: white-space runs as one blank, the ends
// trimmed, each reference as a coded group.
std::string canonical_body(const macro_definition& d)
{
    std::string out;
    std::size_t at = 0;
    auto piece = [&](std::size_t n) {
        for (std::size_t i = at; i < at + n && i < d.body.size(); ++i) {
            char c = d.body[i];
            if (is_space(c) || c == marker_separator) {
                if (!out.empty() && out.back() != ' ')
                    out.push_back(' ');
            } else {
                out.push_back(c);
            }
        }
        at += n;
    };
    for (const macro_reference& r : d.references) {
        piece(r.text_before);
        out.push_back('\x01');
        out.push_back(r.quote ? r.quote : '0');
        out.push_back(r.pasted_before ? 'b' : '-');
        out.push_back(r.pasted_after ? 'a' : '-');
        out.append(std::to_string(r.parameter));
        out.push_back('\x01');
    }
    piece(d.body.size() - at);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    std::size_t b = 0;
    while (b < out.size() && out[b] == ' ')
        ++b;
    return out.substr(b);
}

bool same_definition(const macro_definition& a, const macro_definition& b)
{
    return a.parameter_count == b.parameter_count && a.parameter_names == b.parameter_names &&
           a.variable_kind == b.variable_kind && canonical_body(a) == canonical_body(b);
}

} // namespace

// The operand of #define (also the command-line and -STD_DEFINE forms).
void preprocessor::define(std::string_view op)
{
    std::size_t i = 0, n = op.size();
    while (i < n && is_horizontal_space(op[i]))
        ++i;
    std::size_t name_start = i;
    while (i < n && is_identifier_char(op[i]))
        ++i;
    std::string name(op.substr(name_start, i - name_start));
    if (name.empty())
        report(kind_warning, "INVAMACRO", "");
    else if (!is_identifier_start(name[0]))
        report(kind_warning, "INVAMACRO", name);
    else if (name == "defined")
        report(kind_warning, "INVDEFINE", "");

    auto def = std::make_unique<macro_definition>();
    std::vector<std::string> params;
    if (i < n && (op[i] == '(' || op[i] == '[')) {
        def->brackets = op[i] == '[';
        char close = def->brackets ? ']' : ')';
        ++i;
        for (;;) {
            while (i < n && is_horizontal_space(op[i]))
                ++i;
            if (i >= n) {
                report(kind_warning, "UNTPARDEF", "");
                return;
            }
            if (op[i] == close && params.empty()) {
                ++i;
                break;
            }
            if (def->variable_kind != variable_none) {
                report(kind_warning, "BADPARDEF",
                       QCoreApplication::translate("Warning Parameter", "another parameter follow \"...\""));
                return;
            }
            if (!is_identifier_start(op[i]) && op[i] != '.')
                report(kind_warning, "PARASTART", op.substr(i));
            std::size_t s = i;
            while (i < n && is_identifier_char(op[i]))
                ++i;
            std::string param(op.substr(s, i - s));
            int periods = 0;
            while (i < n && op[i] == '.') {
                ++periods;
                ++i;
            }
            if (periods && periods != 3)
                report(kind_warning, "BADPARDEF",
                       QCoreApplication::translate("Warning Parameter", "\"...\" expected"));
            if (param.empty() && periods != 3) {
                report(kind_warning, "BADPARDEF", op.substr(s));
                return;
            }
            if (periods == 3) {
                def->variable_kind = param.empty() ? variable_anonymous : variable_named;
                if (param.empty())
                    param = "...";
            }
            params.push_back(param);
            while (i < n && is_horizontal_space(op[i]))
                ++i;
            if (i >= n) {
                report(kind_warning, "UNTPARDEF", "");
                return;
            }
            if (op[i] == ',') {
                ++i;
                continue;
            }
            if (op[i] == close) {
                ++i;
                break;
            }
            report(kind_warning, "BADPARDEF", op.substr(i));
            return;
        }
        def->parameter_count = int(params.size());
        for (std::size_t k = 0; k < params.size(); ++k) {
            if (k)
                def->parameter_names += ", ";
            def->parameter_names += params[k];
        }
    }
    if (i < n && (op[i] == ' ' || op[i] == '\t'))
        ++i;
    std::string_view body = op.substr(i);
    def->written = std::string(trimmed(body));

    auto parameter_index = [&](std::string_view word) -> int {
        if (word == "__VA_ARGS__")
            return def->variable_kind == variable_anonymous ? -1 : -2;
        for (std::size_t k = 0; k < params.size(); ++k)
            if (params[k] == word && !(def->variable_kind == variable_anonymous && k + 1 == params.size()))
                return int(k);
        return -2;
    };

    // The body rewrite.
    std::string& kept = def->body;
    kept.reserve(body.size() + 2);
    std::size_t b = 0, e = body.size();
    while (b < e && is_space(body[b])) {
        kept.push_back(marker_separator);
        ++b;
    }
    std::size_t tail = e;
    while (tail > b && is_space(body[tail - 1]))
        --tail;
    std::size_t kept_at_reference = 0;
    bool paste_pending = false;
    auto add_reference = [&](int index, char quote) {
        macro_reference r;
        r.quote = quote;
        r.parameter = index;
        r.pasted_before = paste_pending;
        r.text_before = kept.size() - kept_at_reference;
        kept_at_reference = kept.size();
        def->references.push_back(r);
    };
    while (b < tail) {
        char c = body[b];
        if (is_horizontal_space(c) || c == '\n') {
            kept.push_back(c);
            ++b;
            continue;
        }
        bool was_paste = paste_pending;
        if (c == '"' || c == '\'') {
            std::size_t s = b++;
            while (b < tail && body[b] != c) {
                if (body[b] == '\\' && b + 1 < tail)
                    ++b;
                ++b;
            }
            if (b < tail)
                ++b;
            append_escaped(kept, body.substr(s, b - s));
        } else if (c == '\\' && b + 1 < tail && body[b + 1] == '#') {
            kept.push_back('#');
            b += 2;
        } else if (c == '\\' && b + 2 < tail && body[b + 1] == '\r' && body[b + 2] == '\n') {
            kept.push_back('\\');
            b += 2; // the carriage return is dropped
        } else if (c == '#' && b + 1 < tail && body[b + 1] == '#') {
            while (kept.size() > kept_at_reference && (is_space(kept.back()) || kept.back() == marker_separator))
                kept.pop_back();
            if (!def->references.empty() && kept.size() == kept_at_reference)
                def->references.back().pasted_after = true;
            b += 2;
            while (b < tail && is_space(body[b]))
                ++b;
            paste_pending = true;
            continue;
        } else if (c == '#') {
            std::size_t j = b + 1;
            char quote = '"';
            if (j < tail && body[j] == '@') {
                quote = '\'';
                ++j;
            }
            while (j < tail && is_horizontal_space(body[j]))
                ++j;
            std::size_t s = j;
            while (j < tail && is_identifier_char(body[j]))
                ++j;
            int index = s < j && is_identifier_start(body[s]) ? parameter_index(body.substr(s, j - s)) : -2;
            if (def->parameter_count > 0 && index != -2) {
                add_reference(index, quote);
                b = j;
            } else {
                report(kind_warning, "OPERMACRO", "");
                kept.push_back('#');
                ++b;
            }
        } else if (is_identifier_start(c)) {
            std::size_t s = b;
            while (b < tail && is_identifier_char(body[b]))
                ++b;
            std::string_view word = body.substr(s, b - s);
            int index = def->parameter_count > 0 ? parameter_index(word) : -2;
            if (index != -2)
                add_reference(index, 0);
            else
                kept.append(word);
        } else if (is_digit(c)) {
            std::size_t s = b;
            while (b < tail && (is_identifier_char(body[b]) || body[b] == '.'))
                ++b;
            kept.append(body.substr(s, b - s));
        } else {
            push_escaped(kept, c);
            ++b;
        }
        if (was_paste)
            paste_pending = false;
    }
    if (tail == e)
        kept.push_back(marker_separator);
    for (std::size_t k = tail; k < e; ++k)
        kept.push_back(marker_separator);

    // Enter or redefine.
    name_entry* entry = table_->find(name);
    if (!entry) {
        entry = table_->add(name, name_macro);
        entry->macro = std::move(def);
        return;
    }
    if ((entry->kind == name_macro || entry->kind == name_macro_disabled) && same_definition(*entry->macro, *def)) {
        entry->macro = std::move(def);
        return;
    }
    if (entry->kind != name_stdc)
        report(kind_warning, "IDENREDEF", name);
    entry->kind = name_macro;
    entry->macro = std::move(def);
}

void preprocessor::undefine_entry(name_entry* entry)
{
    if (entry->kind == name_macro_disabled)
        for (input_level& lv : levels_)
            if (lv.macro == entry)
                lv.macro = nullptr;
    table_->remove(entry);
}

void preprocessor::undef(std::string_view op)
{
    std::size_t i = 0;
    while (i < op.size() && is_horizontal_space(op[i]))
        ++i;
    std::string_view rest = op.substr(i);
    if (rest.substr(0, 7) == "defined" && (rest.size() == 7 || !is_identifier_char(rest[7])))
        report(kind_warning, "UNDEFININ", "defined");
    std::size_t n = 0;
    while (n < rest.size() && is_identifier_char(rest[n]))
        ++n;
    std::string name(rest.substr(0, n));
    if (name.empty())
        return;
    while (name_entry* e = table_->find(name)) {
        if (e->kind != name_macro && e->kind != name_macro_disabled && e->kind != name_stdc)
            report(kind_warning, "UNDEFININ", name);
        undefine_entry(e);
    }
}

void preprocessor::define_option(name_table& table, std::string_view text)
{
    table_ = &table;
    std::size_t n = 0;
    while (n < text.size() && is_identifier_char(text[n]))
        ++n;
    std::string definition;
    bool good = n > 0 && is_identifier_start(text[0]);
    if (good && n == text.size()) {
        definition = std::string(text) + " 1";
    } else if (good && text[n] == '=') {
        definition = std::string(text.substr(0, n)) + " ";
        std::string_view value = text.substr(n + 1);
        for (std::size_t k = 0; k < value.size(); ++k) {
            if (value[k] == '\\' && k + 1 < value.size() && value[k + 1] == '\n') {
                ++k;
                continue;
            }
            if (value[k] == '\\' && k + 2 < value.size() && value[k + 1] == '\r' && value[k + 2] == '\n') {
                k += 2;
                continue;
            }
            definition.push_back(value[k]);
        }
    } else {
        good = false;
    }
    bool pushed = push_level(level_text, std::string(), "*Initialization*", true, 1);
    if (!good)
        report(kind_warning, "MALFOROPT", "-D" + std::string(text));
    else
        define(definition);
    if (pushed)
        pop_level();
}

void preprocessor::define_if_absent(name_table& table, std::string_view text)
{
    table_ = &table;
    std::size_t i = 0;
    while (i < text.size() && is_horizontal_space(text[i]))
        ++i;
    std::size_t n = 0;
    while (i + n < text.size() && n < 100 && is_identifier_char(text[i + n]))
        ++n;
    name_entry* e = table.find(text.substr(i, n));
    if (e && (e->kind == name_macro || e->kind == name_macro_disabled))
        return;
    define(text);
}

void preprocessor::undefine(name_table& table, std::string_view name)
{
    table_ = &table;
    undef(name);
}
