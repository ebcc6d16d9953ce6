// The include directive scan: see directive_scan.h.
//
// The lines come from logical_line_reader. A directive word is compared by
// prefix in a fixed order (so "#ifdef" is never taken for "#if"). The
// conditional blocks are kept on an explicit stack of (outer, condition)
// pairs rather than by recursion, so deep nesting costs no call stack; a
// line is active when both hold. Once a branch of an #if chain has been
// taken, the rest of the chain is scanned with its outer flag off, so no
// later #elif or #else of that chain becomes active. Conditions are only
// evaluated where they can matter, on active lines.
//
// A define is entered in the test_context's preprocessor state as soon as
// it is met (unless the name is already a macro there), so that later
// conditions and includes see it; the ones entered so are withdrawn just
// before the pending lines are replayed in source order at the next
// include, so that a define, undef, define sequence replays without a
// false redefinition warning.
#include "generator/directive_scan.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "driver/option_values.h"
#include "generator/analysis_context.h"
#include "generator/generation.h"
#include "generator/logical_lines.h"
#include "generator/scan_condition.h"
#include "generator/scan_macros.h"
#include "prepro/name_table.h"
#include "prepro/preprocessor.h"
#include "support/file_names.h"

namespace {

enum class directive { plain, other, include, ifdef, undef, define, ifndef, if_, elif, endif, else_ };

struct directive_word {
    std::string_view word;
    directive kind;
};

// Compared by prefix, in this order.
constexpr std::array<directive_word, 9> directive_words = {{{"include", directive::include},
                                                             {"ifdef", directive::ifdef},
                                                             {"undef", directive::undef},
                                                             {"define", directive::define},
                                                             {"ifndef", directive::ifndef},
                                                             {"if", directive::if_},
                                                             {"elif", directive::elif},
                                                             {"endif", directive::endif},
                                                             {"else", directive::else_}}};

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool is_name_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

// text without its leading blanks and backslashes (and '#' when asked: the
// marks of continuation lines).
std::string_view skip_leading(std::string_view text, bool hashes)
{
    std::size_t i = 0;
    while (i < text.size() && (is_blank(text[i]) || text[i] == '\\' || (hashes && text[i] == '#')))
        ++i;
    return text.substr(i);
}

std::string_view first_name(std::string_view text)
{
    text = skip_leading(text, true);
    std::size_t n = 0;
    while (n < text.size() && is_name_char(text[n]))
        ++n;
    return text.substr(0, n);
}

struct classified_line {
    directive kind;
    std::string_view rest; // the text after the directive word
};

classified_line classify(std::string_view line)
{
    std::string_view text = skip_leading(line, false);
    if (text.empty() || text.front() != '#')
        return {directive::plain, {}};
    text = skip_leading(text.substr(1), false);
    for (const directive_word& d : directive_words)
        if (text.substr(0, d.word.size()) == d.word)
            return {d.kind, text.substr(d.word.size())};
    return {directive::other, {}};
}

// The name inside the quotes or angle brackets, or the macro name written
// in their place.
std::string_view header_name(std::string_view raw)
{
    if (!raw.empty() && (raw.front() == '"' || raw.front() == '<')) {
        char close = raw.front() == '"' ? '"' : '>';
        std::size_t end = raw.find(close, 1);
        return raw.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
    }
    return first_name(raw);
}

// A #define operand as the preprocessor's own directive reader would hand it
// over: continuations spliced and comments turned into one blank each.
std::string preprocessor_operand(std::string_view text)
{
    std::string joined = without_continuation_marks(text);
    std::string result;
    result.reserve(joined.size());
    for (std::size_t i = 0; i < joined.size(); ++i) {
        char c = joined[i];
        std::size_t splice = c == '\\' && joined.compare(i + 1, 1, "\n") == 0     ? 2
                             : c == '\\' && joined.compare(i + 1, 2, "\r\n") == 0 ? 3
                                                                                  : 0;
        if (splice) {
            i += splice - 1;
        } else if (c == '"' || c == '\'') {
            std::size_t end = i + 1;
            while (end < joined.size() && joined[end] != c)
                end += joined[end] == '\\' ? 2 : 1;
            end = std::min(end + 1, joined.size());
            result.append(joined, i, end - i);
            i = end - 1;
        } else if (joined.compare(i, 2, "/*") == 0) {
            std::size_t close = joined.find("*/", i + 2);
            i = close == std::string::npos ? joined.size() : close + 1;
            result.push_back(' ');
        } else if (joined.compare(i, 2, "//") == 0) {
            break;
        } else {
            result.push_back(c);
        }
    }
    return result;
}

bool is_preprocessor_macro(const name_table& names, std::string_view name)
{
    const name_entry* entry = names.find(name);
    return entry && (entry->kind == name_macro || entry->kind == name_macro_disabled);
}

class directive_scanner {
public:
    explicit directive_scanner(generation& run);

    // Scans one file; a file that cannot be opened, or an empty name, is skipped.
    void directive_scan(const std::string& file, bool output);

    // One macro definition (the text after "define"). The preprocessor state
    // gets it too unless it already has the name.
    void record_macro(std::string_view text, bool output, bool define_in_preprocessor);

private:
    void scan_block(logical_line_reader& reader, bool outer, bool condition, bool output);
    void undefine(std::string_view text, bool output);
    bool defined(std::string_view text) const;
    std::int32_t condition_of(std::string_view text);
    void include_directive(std::string_view text);
    bool has_own_section(std::string_view header) const;
    void write_pending_macros();
    void write_pending_text();

    struct pending_macro {
        std::string text;
        bool define;
    };

    generation& run_;
    name_table& names_;
    scan_macro_list macros_;
    std::vector<pending_macro> pending_macros_; // source order
    std::string pending_text_;                  // each line after a newline and a blank
    bool first_include_ = true;
    std::vector<std::string> own_sections_;     // completed -USE and -INTEGRATE names
    std::vector<std::string> tentative_;        // defined here ahead of their replay
};

directive_scanner::directive_scanner(generation& run) : run_(run), names_(run.test_context.names)
{
    for (const file_entry& entry : run.values.used_files)
        own_sections_.push_back(complete_name(entry.text ? entry.text : "", kind_exh));
    for (const file_entry& entry : run.values.integrated_files)
        own_sections_.push_back(complete_name(entry.text ? entry.text : "", kind_cpp));
}

void directive_scanner::directive_scan(const std::string& file, bool output)
{
    if (file.empty())
        return;
    std::FILE* stream = std::fopen(file.c_str(), "r");
    if (!stream)
        return;
    logical_line_reader reader(stream);
    scan_block(reader, true, true, output);
    std::fclose(stream);
}

void directive_scanner::scan_block(logical_line_reader& reader, bool outer, bool condition, bool output)
{
    struct block {
        bool outer;
        bool condition;
    };
    std::vector<block> blocks{{outer, condition}};
    std::string line;
    while (!blocks.empty() && reader.next(line)) {
        bool active = blocks.back().outer && blocks.back().condition;
        classified_line d = classify(line);
        switch (d.kind) {
        case directive::plain:
            if (output && active && !line.empty()) {
                pending_text_ += "\n ";
                pending_text_ += line;
            }
            break;
        case directive::include:
            if (output && active)
                include_directive(d.rest);
            break;
        case directive::define:
            if (active)
                record_macro(d.rest, output, true);
            break;
        case directive::undef:
            if (active)
                undefine(d.rest, output);
            break;
        case directive::ifdef:
            blocks.push_back({active, active && defined(d.rest)});
            break;
        case directive::ifndef:
            blocks.push_back({active, active && !first_name(d.rest).empty() && !defined(d.rest)});
            break;
        case directive::if_:
            blocks.push_back({active, active && condition_of(d.rest) != 0});
            break;
        case directive::elif:
            if (blocks.back().condition)
                blocks.back().outer = false;
            else
                blocks.back().condition = blocks.back().outer && condition_of(d.rest) != 0;
            break;
        case directive::else_:
            blocks.back().condition = !blocks.back().condition;
            break;
        case directive::endif:
            blocks.pop_back();
            break;
        case directive::other:
            break;
        }
    }
}

void directive_scanner::record_macro(std::string_view text, bool output, bool define_in_preprocessor)
{
    text = skip_leading(text, false);
    if (output)
        pending_macros_.push_back({std::string(text), true});
    std::string_view name = first_name(text);
    if (define_in_preprocessor) {
        if (output && !is_preprocessor_macro(names_, name))
            tentative_.emplace_back(name);
        cpp_define_if_absent(names_, preprocessor_operand(text));
    }
    if (name.empty())
        return;
    std::size_t after_name = static_cast<std::size_t>(name.data() - text.data()) + name.size();
    std::string_view replacement = skip_leading(text.substr(after_name), false);
    if (!replacement.empty() && replacement.front() == '=')
        replacement.remove_prefix(1);
    macros_.add(name, replacement);
}

void directive_scanner::undefine(std::string_view text, bool output)
{
    text = skip_leading(text, false);
    if (output)
        pending_macros_.push_back({std::string(text), false});
    cpp_undefine(names_, preprocessor_operand(text));
    macros_.remove(first_name(text));
}

bool directive_scanner::defined(std::string_view text) const
{
    std::string_view name = first_name(text);
    return !name.empty() && scan_defined(name, macros_, names_);
}

std::int32_t directive_scanner::condition_of(std::string_view text)
{
    return scan_condition(text, macros_, names_);
}

bool directive_scanner::has_own_section(std::string_view header) const
{
    for (const std::string& name : own_sections_)
        if (name == header)
            return true;
    return false;
}

void directive_scanner::include_directive(std::string_view text)
{
    std::string_view raw = skip_leading(text, true);
    if (has_own_section(header_name(raw)))
        return; // the pending lines wait for the next include
    if (first_include_) {
        run_.title_block(script_text::title_tested_includes);
        run_.line("");
        first_include_ = false;
    }
    write_pending_macros();
    write_pending_text();
    analyse_text("#include " + without_continuation_marks(raw), run_.test_context, run_.values.tested_file, "");
    run_.line("##include " + std::string(raw));
}

void directive_scanner::write_pending_macros()
{
    // The replay below defines these again, in source order.
    for (const std::string& name : tentative_)
        cpp_undefine(names_, name);
    tentative_.clear();
    std::string ignored;
    for (const pending_macro& m : pending_macros_) {
        std::string_view word = m.define ? "define " : "undef ";
        run_.line("##" + std::string(word) + m.text);
        std::string directive_text = "#";
        directive_text.append(word).append(without_continuation_marks(m.text));
        cpp_preprocess_text(directive_text, false, "", 0, ignored, names_, report_with_position);
    }
    pending_macros_.clear();
}

void directive_scanner::write_pending_text()
{
    if (pending_text_.empty())
        return;
    analyse_text(without_continuation_marks(pending_text_), run_.test_context, run_.values.tested_file, "");
    // An empty line, then each gathered line behind a '#'.
    for (std::size_t i = 0; i + 1 < pending_text_.size(); ++i)
        if (pending_text_[i] == '\n')
            pending_text_[i + 1] = '#';
    run_.line(pending_text_);
    pending_text_.clear();
}

// A -DEFINE value: NAME=TEXT, or a bare NAME which the preprocessor defines as 1.
std::string option_definition(std::string_view value)
{
    std::string text(value);
    if (first_name(text).size() == text.size())
        text += "=1";
    return text;
}

} // namespace

void scan_tested_includes(generation& run)
{
    directive_scanner scanner(run);
    // The preprocessor state already has the -DEFINE macros.
    for (const file_entry& entry : run.values.defined_macros)
        scanner.record_macro(option_definition(entry.text ? entry.text : ""), false, false);
    scanner.directive_scan(run.values.std_define_file, false);
    cpp_add_file_directory(run.values.tested_file);
    scanner.directive_scan(run.values.tested_file, true);
}
