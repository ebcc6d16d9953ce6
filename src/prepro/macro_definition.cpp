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

std::string_view trimmed(std::string_view s) { return trim(s, is_space); }

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

// The operand of #define (also the command-line and -STD_DEFINE forms):
// the name, the parameter list, the body rewrite, then the table.
void preprocessor::define(std::string_view op)
{
    std::size_t i = 0;
    std::string name = read_macro_name(op, i);
    auto def = std::make_unique<macro_definition>();
    std::vector<std::string> params;
    if (i < op.size() && (op[i] == '(' || op[i] == '[')) {
        if (!read_parameter_list(op, i, *def, params))
            return;
    }
    if (i < op.size() && (op[i] == ' ' || op[i] == '\t'))
        ++i;
    std::string_view body = op.substr(i);
    def->written = std::string(trimmed(body));
    rewrite_body(body, *def, params);
    enter_definition(name, std::move(def));
}

// The name after leading blanks; a bad name is reported and still used.
std::string preprocessor::read_macro_name(std::string_view op, std::size_t& i)
{
    while (i < op.size() && is_horizontal_space(op[i]))
        ++i;
    std::size_t name_start = i;
    while (i < op.size() && is_identifier_char(op[i]))
        ++i;
    std::string name(op.substr(name_start, i - name_start));
    if (name.empty())
        report(kind_warning, "INVAMACRO", "");
    else if (!is_identifier_start(name[0]))
        report(kind_warning, "INVAMACRO", name);
    else if (name == "defined")
        report(kind_warning, "INVDEFINE", "");
    return name;
}

// The parameter list from its opening bracket at i; false (after a report)
// when the definition is abandoned.
bool preprocessor::read_parameter_list(std::string_view op, std::size_t& i, macro_definition& def,
                                       std::vector<std::string>& params)
{
    const std::size_t n = op.size();
    def.brackets = op[i] == '[';
    char close = def.brackets ? ']' : ')';
    ++i;
    for (;;) {
        while (i < n && is_horizontal_space(op[i]))
            ++i;
        if (i >= n) {
            report(kind_warning, "UNTPARDEF", "");
            return false;
        }
        if (op[i] == close && params.empty()) {
            ++i;
            break;
        }
        if (def.variable_kind != variable_none) {
            report(kind_warning, "BADPARDEF",
                   QCoreApplication::translate("Warning Parameter", "another parameter follow \"...\""));
            return false;
        }
        if (!read_parameter(op, i, def, params))
            return false;
        while (i < n && is_horizontal_space(op[i]))
            ++i;
        if (i >= n) {
            report(kind_warning, "UNTPARDEF", "");
            return false;
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
        return false;
    }
    def.parameter_count = int(params.size());
    for (std::size_t k = 0; k < params.size(); ++k) {
        if (k)
            def.parameter_names += ", ";
        def.parameter_names += params[k];
    }
    return true;
}

// One parameter: a name, "name..." or "..."; false when it is empty.
bool preprocessor::read_parameter(std::string_view op, std::size_t& i, macro_definition& def,
                                  std::vector<std::string>& params)
{
    const std::size_t n = op.size();
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
        report(kind_warning, "BADPARDEF", QCoreApplication::translate("Warning Parameter", "\"...\" expected"));
    if (param.empty() && periods != 3) {
        report(kind_warning, "BADPARDEF", op.substr(s));
        return false;
    }
    if (periods == 3) {
        def.variable_kind = param.empty() ? variable_anonymous : variable_named;
        if (param.empty())
            param = "...";
    }
    params.push_back(param);
    return true;
}

namespace {

// The one-time rewrite of a body into kept text and parameter references.
class body_rewriter {
public:
    body_rewriter(std::string_view body, macro_definition& def, const std::vector<std::string>& params,
                  preprocessor_reports& reports)
        : body_(body), def_(def), params_(params), reports_(reports), kept_(def.body)
    {
    }

    void run()
    {
        kept_.reserve(body_.size() + 2);
        std::size_t e = body_.size();
        while (b_ < e && is_space(body_[b_])) {
            kept_.push_back(marker_separator);
            ++b_;
        }
        tail_ = e;
        while (tail_ > b_ && is_space(body_[tail_ - 1]))
            --tail_;
        while (b_ < tail_)
            step();
        if (tail_ == e)
            kept_.push_back(marker_separator);
        for (std::size_t k = tail_; k < e; ++k)
            kept_.push_back(marker_separator);
    }

private:
    // The parameter index of a word, -1 for __VA_ARGS__, -2 for none.
    int parameter_index(std::string_view word) const
    {
        if (word == "__VA_ARGS__")
            return def_.variable_kind == variable_anonymous ? -1 : -2;
        for (std::size_t k = 0; k < params_.size(); ++k)
            if (params_[k] == word && !(def_.variable_kind == variable_anonymous && k + 1 == params_.size()))
                return int(k);
        return -2;
    }

    void add_reference(int index, char quote)
    {
        macro_reference r;
        r.quote = quote;
        r.parameter = index;
        r.pasted_before = paste_pending_;
        r.text_before = kept_.size() - kept_at_reference_;
        kept_at_reference_ = kept_.size();
        def_.references.push_back(r);
    }

    void step()
    {
        char c = body_[b_];
        if (is_horizontal_space(c) || c == '\n') {
            kept_.push_back(c);
            ++b_;
            return;
        }
        bool was_paste = paste_pending_;
        if (c == '"' || c == '\'')
            literal(c);
        else if (c == '\\' && b_ + 1 < tail_ && body_[b_ + 1] == '#') {
            kept_.push_back('#');
            b_ += 2;
        } else if (c == '\\' && b_ + 2 < tail_ && body_[b_ + 1] == '\r' && body_[b_ + 2] == '\n') {
            kept_.push_back('\\');
            b_ += 2; // the carriage return is dropped
        } else if (c == '#' && b_ + 1 < tail_ && body_[b_ + 1] == '#') {
            paste();
            return;
        } else if (c == '#')
            stringise();
        else if (is_identifier_start(c))
            word();
        else if (is_digit(c)) {
            std::size_t s = b_;
            while (b_ < tail_ && (is_identifier_char(body_[b_]) || body_[b_] == '.'))
                ++b_;
            kept_.append(body_.substr(s, b_ - s));
        } else {
            push_escaped(kept_, c);
            ++b_;
        }
        if (was_paste)
            paste_pending_ = false;
    }

    // A literal is copied unchanged: no parameter inside it.
    void literal(char quote)
    {
        std::size_t s = b_++;
        while (b_ < tail_ && body_[b_] != quote) {
            if (body_[b_] == '\\' && b_ + 1 < tail_)
                ++b_;
            ++b_;
        }
        if (b_ < tail_)
            ++b_;
        append_escaped(kept_, body_.substr(s, b_ - s));
    }

    // "##": blanks before it go, blanks after it are skipped, and the uses
    // on either side are marked as pasted.
    void paste()
    {
        while (kept_.size() > kept_at_reference_ && (is_space(kept_.back()) || kept_.back() == marker_separator))
            kept_.pop_back();
        if (!def_.references.empty() && kept_.size() == kept_at_reference_)
            def_.references.back().pasted_after = true;
        b_ += 2;
        while (b_ < tail_ && is_space(body_[b_]))
            ++b_;
        paste_pending_ = true;
    }

    // "#" or "#@" before a parameter name.
    void stringise()
    {
        std::size_t j = b_ + 1;
        char quote = '"';
        if (j < tail_ && body_[j] == '@') {
            quote = '\'';
            ++j;
        }
        while (j < tail_ && is_horizontal_space(body_[j]))
            ++j;
        std::size_t s = j;
        while (j < tail_ && is_identifier_char(body_[j]))
            ++j;
        int index = s < j && is_identifier_start(body_[s]) ? parameter_index(body_.substr(s, j - s)) : -2;
        if (def_.parameter_count > 0 && index != -2) {
            add_reference(index, quote);
            b_ = j;
        } else {
            reports_.warning("OPERMACRO", "");
            kept_.push_back('#');
            ++b_;
        }
    }

    void word()
    {
        std::size_t s = b_;
        while (b_ < tail_ && is_identifier_char(body_[b_]))
            ++b_;
        std::string_view w = body_.substr(s, b_ - s);
        int index = def_.parameter_count > 0 ? parameter_index(w) : -2;
        if (index != -2)
            add_reference(index, 0);
        else
            kept_.append(w);
    }

    std::string_view body_;
    macro_definition& def_;
    const std::vector<std::string>& params_;
    preprocessor_reports& reports_;
    std::string& kept_;
    std::size_t b_ = 0;
    std::size_t tail_ = 0;
    std::size_t kept_at_reference_ = 0;
    bool paste_pending_ = false;
};

} // namespace

void preprocessor::rewrite_body(std::string_view body, macro_definition& def, const std::vector<std::string>& params)
{
    struct reporter : preprocessor_reports {
        preprocessor& pp;
        explicit reporter(preprocessor& p) : pp(p) {}
        void warning(const char* code, std::string_view argument) override { pp.report(kind_warning, code, argument); }
    } reports(*this);
    body_rewriter(body, def, params, reports).run();
}

// Enters the definition, or replaces an earlier one (silently when equal).
void preprocessor::enter_definition(const std::string& name, std::unique_ptr<macro_definition> def)
{
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
