// Macro calls: recognition (also across line feeds and the ends of
// expansion levels), argument collection, the count checks, substitution
// with stringising, pasting and pre-expanded arguments, the special names,
// the `defined' operator of #if, and cpp_expand_text.
//
// An expansion is pushed as an input level and read again by the main loop,
// its macro disabled until the level is popped. Arguments are pre-expanded in
// a buffer that keeps markers: a disabled name gets marker_no_expand so that
// it stays unexpanded when the substituted text is read again, and
// separators stand for blanks between tokens. An argument is pre-expanded
// only when it is used unpasted, at most once, and only when one of its
// names is in the table; otherwise the raw text is its expansion.
#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>

#include "prepro/char_classes.h"
#include "prepro/lexical_skip.h"
#include "prepro/preprocessor_state.h"

namespace {

constexpr std::size_t joined_limit = 9999;

bool is_blank_or_marker(char c) { return is_space(c) || c == marker_separator || c == marker_no_expand; }

bool only_white(const std::string& s)
{
    for (char c : s)
        if (!is_space(c) && c != marker_separator)
            return false;
    return true;
}

// True when writing b right after a would make the two run together.
bool needs_separator(char a, char b)
{
    if (!a || !b || is_space(a) || is_space(b) || a == marker_separator || b == marker_separator)
        return false;
    if (b == marker_no_expand)
        return is_identifier_char(a);
    bool ia = is_identifier_char(a), ib = is_identifier_char(b);
    if (ia && (ib || b == '.' || b == '"' || b == '\''))
        return true;
    if (a == '.' && is_digit(b))
        return true;
    static constexpr std::string_view punctuation = "+-*/%<>=!&|^.#:";
    return punctuation.find(a) != std::string_view::npos && punctuation.find(b) != std::string_view::npos;
}

void append_guarded(std::string& out, std::string_view text)
{
    if (text.empty())
        return;
    if (!out.empty() && needs_separator(out.back(), text.front()))
        out.push_back(marker_separator);
    out.append(text);
}

std::string_view trim_for_paste(std::string_view s, bool front, bool back)
{
    std::size_t b = 0, e = s.size();
    if (front)
        while (b < e && is_blank_or_marker(s[b]))
            ++b;
    if (back)
        while (e > b && (is_space(s[e - 1]) || s[e - 1] == marker_separator))
            --e;
    return s.substr(b, e - b);
}

void octal_escape(std::string& out, unsigned char c)
{
    out.push_back('\\');
    out.push_back(char('0' + ((c >> 6) & 7)));
    out.push_back(char('0' + ((c >> 3) & 7)));
    out.push_back(char('0' + (c & 7)));
}

void stringise_char(std::string& out, char c)
{
    unsigned char u = (unsigned char)c;
    if (c == '"')
        out.append("\\\"");
    else if (u < 0x20 || u >= 0x7F)
        octal_escape(out, u);
    else
        out.push_back(c);
}

std::string stringise(std::string_view raw, char quote)
{
    std::string out;
    out.reserve(raw.size() + 8);
    out.push_back(quote);
    std::size_t b = 0, e = raw.size();
    while (b < e && is_blank_or_marker(raw[b]))
        ++b;
    while (e > b && is_blank_or_marker(raw[e - 1]))
        --e;
    char literal = 0;
    bool pending_blank = false;
    for (std::size_t i = b; i < e; ++i) {
        char c = raw[i];
        if (c == marker_no_expand || c == marker_separator)
            continue;
        if (c == marker_escape && i + 1 < e) {
            c = escaped_byte(raw[++i]);
            if (pending_blank) {
                out.push_back(' ');
                pending_blank = false;
            }
            stringise_char(out, c);
            continue;
        }
        if (!literal && is_space(c)) {
            pending_blank = true;
            continue;
        }
        if (pending_blank) {
            out.push_back(' ');
            pending_blank = false;
        }
        if (literal) {
            if (c == '\\') {
                out.append("\\\\");
                if (i + 1 < e) {
                    char d = raw[++i];
                    if (d == '\\')
                        out.append("\\\\");
                    else
                        stringise_char(out, d);
                }
            } else if (c == literal) {
                stringise_char(out, c);
                literal = 0;
            } else {
                stringise_char(out, c);
            }
        } else {
            if (c == '"' || c == '\'')
                literal = c;
            stringise_char(out, c);
        }
    }
    out.push_back(quote);
    return out;
}

} // namespace

// Looks past blanks, line feeds, comments and the ends of expansion levels
// for the bracket that opens a call. When found, the levels passed are
// popped and the reading position is after the bracket; otherwise nothing
// changes. Returns the bracket or 0.
char preprocessor::find_call_bracket(bool square_too)
{
    std::size_t k = levels_.size() - 1;
    char* p = levels_[k].pos;
    int lines = 0;
    bool block = false;
    int opener = 0;
    int comment_lines = 0;
    for (;;) {
        input_level& lv = levels_[k];
        if (p >= lv.end) {
            if (lv.kind == level_macro && k > 0) {
                --k;
                p = levels_[k].pos;
                lines = 0;
                continue;
            }
            return 0;
        }
        bool counts = lv.kind == level_file || lv.kind == level_text;
        char c = *p;
        int n;
        if (c == '\n') {
            if (counts)
                ++lines;
            ++p;
        } else if (is_horizontal_space(c) || c == marker_separator) {
            ++p;
        } else if ((n = continuation_at(p, lv.end))) {
            if (counts)
                ++lines;
            p += n;
        } else if (c == '/' && lv.kind != level_macro &&
                   (opener = comment_opener_at(p, lv.end, block, comment_lines = 0))) {
            bool closed = true;
            const char* q = block ? skip_block_comment(p + opener, lv.end, comment_lines, closed)
                                  : skip_line_comment(p + opener, lv.end, comment_lines);
            if (!closed)
                return 0;
            if (counts)
                lines += comment_lines;
            p = const_cast<char*>(q);
        } else if (c == '(' || (c == '[' && square_too)) {
            while (levels_.size() - 1 > k)
                pop_level();
            levels_[k].pos = p + 1;
            levels_[k].line += lines;
            return c;
        } else {
            return 0;
        }
    }
}

namespace {

// Bytes that argument collection must look at; runs of others are copied whole.
constexpr std::array<bool, 256> make_argument_stops()
{
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = is_identifier_char(char(c));
    for (unsigned char c : {'\n', '\\', '"', '\'', '/', '(', ')', '[', ']', ',', marker_no_expand, marker_separator,
                            marker_escape})
        t[c] = true;
    return t;
}
constexpr std::array<bool, 256> argument_stops = make_argument_stops();

} // namespace

std::string& call_arguments::add()
{
    if (count == texts.size()) {
        texts.emplace_back();
        expandable.push_back(false);
    }
    texts[count].clear();
    expandable[count] = false;
    return texts[count++];
}

// Collects the arguments up to the closing bracket at depth 0; false when
// the input ends first (the arguments then hold what was read). Text read
// from a file has its marker bytes escaped; a name whose macro is disabled
// at this point is marked so that it stays unexpanded, as it would have when
// read by the scanner; an argument holding a name of the table is noted as
// one that its pre-expansion may change.
bool preprocessor::collect_arguments(char open, char close, call_arguments& args)
{
    int depth = 0;
    std::string* current = &args.add();
    for (;;) {
        input_level& lv = levels_.back();
        if (lv.pos >= lv.end) {
            if (lv.kind == level_macro && levels_.size() > 1) {
                pop_level();
                continue;
            }
            return false;
        }
        bool from_file = lv.kind == level_file || lv.kind == level_text;
        char* p = lv.pos;
        char c = *p;
        if (!argument_stops[(unsigned char)c]) {
            char* q = p + 1;
            while (q < lv.end && !argument_stops[(unsigned char)*q])
                ++q;
            current->append(p, std::size_t(q - p));
            lv.pos = q;
            continue;
        }
        int n;
        bool block;
        int lines = 0;
        if (c == '\n') {
            current->push_back('\n');
            if (from_file)
                ++lv.line;
            ++lv.pos;
        } else if ((n = continuation_at(p, lv.end))) {
            if (from_file)
                ++lv.line;
            lv.pos += n;
        } else if (c == '"' || c == '\'') {
            collect_literal(lv, *current);
        } else if (c == '/' && lv.kind != level_macro && comment_opener_at(p, lv.end, block, lines)) {
            scan_comment(nullptr, lv, false);
            current->push_back(' ');
        } else if (c == open || c == close) {
            ++lv.pos;
            if (c == close && depth == 0)
                return true;
            depth += c == open ? 1 : -1;
            current->push_back(c);
        } else if (c == ',' && depth == 0) {
            current = &args.add();
            ++lv.pos;
        } else if (is_identifier_start(c)) {
            collect_name(lv, args, *current);
        } else if (is_digit(c)) {
            char* q = p + 1;
            while (q < lv.end && (is_identifier_char(*q) || *q == '.'))
                ++q;
            current->append(p, std::size_t(q - p));
            lv.pos = q;
        } else {
            if (from_file)
                push_escaped(*current, c);
            else
                current->push_back(c);
            ++lv.pos;
        }
        if (stopped_)
            return false;
    }
}

// A literal inside an argument, taken whole; continuations are dropped.
void preprocessor::collect_literal(input_level& lv, std::string& current)
{
    int lines = 0;
    bool closed;
    if (lv.kind == level_file || lv.kind == level_text) {
        std::size_t from = current.size();
        lv.pos = const_cast<char*>(skip_literal(lv.pos, lv.end, lines, closed, &current));
        if (std::find_if(current.begin() + std::ptrdiff_t(from), current.end(), is_marker_byte) != current.end()) {
            std::string literal = current.substr(from);
            current.resize(from);
            append_escaped(current, literal);
        }
        lv.line += lines;
    } else {
        lv.pos = const_cast<char*>(skip_literal(lv.pos, lv.end, lines, closed, &current));
    }
}

// A name inside an argument; marked when its macro is disabled.
void preprocessor::collect_name(input_level& lv, call_arguments& args, std::string& current)
{
    std::string_view name = read_identifier(lv);
    if (name_entry* e = table_->find(name)) {
        args.expandable[args.count - 1] = true;
        if (e->kind == name_macro_disabled && (current.empty() || current.back() != marker_no_expand))
            current.push_back(marker_no_expand);
    }
    current.append(name);
}

// The argument completely macro-expanded into `into', markers kept.
void preprocessor::pre_expand(const std::string& argument, std::string& into)
{
    std::size_t base = levels_.size();
    std::string text = take_buffer();
    text.assign(argument);
    if (!push_level(level_expanded, std::move(text), "", false, 0)) {
        into = argument;
        return;
    }
    output_buffer o;
    o.keep_markers = true;
    o.text = std::move(into);
    o.text.clear();
    rescan(o, base);
    while (levels_.size() > base)
        pop_level();
    into = std::move(o.text);
}

// An empty string, with the capacity of a buffer of an ended expansion
// when there is one.
std::string preprocessor::take_buffer()
{
    if (spare_buffers_.empty())
        return {};
    std::string b = std::move(spare_buffers_.back());
    spare_buffers_.pop_back();
    b.clear();
    return b;
}

// The count checks; false when the body is to be used without substitution.
bool preprocessor::check_argument_count(name_entry* entry, int n)
{
    const macro_definition& def = *entry->macro;
    const int p = def.parameter_count;
    if (p < 0)
        return true;
    if (n == 0 && p > 0)
        report(kind_warning, "NOARTOMAC", entry->name);
    else if (n > 0 && n < p)
        report(kind_warning, "NBARGMACR", entry->name);
    else if (n > p && p > 0 && def.variable_kind == variable_none)
        report(kind_warning, "TOMANYARG", entry->name);
    else if (p == 0 && n >= 1) {
        report(kind_warning, "ARGTOMACR", entry->name);
        return false;
    }
    return true;
}

// The variable arguments joined: for `...' into args.joined (from the last
// parameter on, commas between), for `name...' into args.extra (beyond the
// named ones, each after a comma). False, after a fatal report, when too long.
bool preprocessor::join_variable_arguments(name_entry* entry, call_arguments& args, int n)
{
    const macro_definition& def = *entry->macro;
    const int p = def.parameter_count;
    args.joined.clear();
    args.extra.clear();
    std::string* joined = nullptr;
    if (def.variable_kind == variable_anonymous) {
        joined = &args.joined;
        for (int k = p - 1; k < n; ++k) {
            if (k > p - 1)
                joined->push_back(',');
            joined->append(args.texts[std::size_t(k)]);
        }
    } else if (def.variable_kind == variable_named) {
        joined = &args.extra;
        for (int k = p; k < n; ++k) {
            joined->push_back(',');
            joined->append(args.texts[std::size_t(k)]);
        }
    }
    if (joined && joined->size() > joined_limit) {
        report(kind_fatal, "TOMANYARG", entry->name);
        return false;
    }
    return true;
}

// The body with each parameter reference replaced (stringised, pasted raw,
// or pre-expanded once per parameter).
std::string preprocessor::substitute(name_entry* entry, call_arguments& args)
{
    const macro_definition& def = *entry->macro;
    const int p = def.parameter_count;
    int n = int(args.count);
    if (n == 1 && only_white(args.texts[0]))
        n = 0;
    if (!check_argument_count(entry, n))
        return def.body;
    if (!join_variable_arguments(entry, args, n))
        return {};
    static const std::string empty;
    auto is_joined = [&](int parameter) {
        return parameter == -1 || (def.variable_kind == variable_anonymous && parameter == p - 1);
    };
    auto raw_of = [&](int parameter) -> const std::string& {
        if (is_joined(parameter))
            return args.joined;
        return parameter >= 0 && parameter < n ? args.texts[std::size_t(parameter)] : empty;
    };
    // Only an argument holding a name of the table can change when expanded.
    auto may_change = [&](int parameter) {
        if (!is_joined(parameter))
            return parameter >= 0 && parameter < n && args.expandable[std::size_t(parameter)];
        for (int k = std::max(p - 1, 0); k < n; ++k)
            if (args.expandable[std::size_t(k)])
                return true;
        return false;
    };
    const std::size_t slot_count = std::size_t(std::max(p, 0)) + 1;
    if (args.expanded.size() < slot_count)
        args.expanded.resize(slot_count);
    args.have.assign(slot_count, false);

    std::size_t size = def.body.size() + args.extra.size();
    for (const macro_reference& r : def.references)
        size += raw_of(r.parameter).size() + 3;
    std::string result = take_buffer();
    result.reserve(size + size / 4);
    std::size_t at = 0;
    bool after_argument = false;
    for (std::size_t k = 0; k < def.references.size(); ++k) {
        const macro_reference& r = def.references[k];
        std::string_view piece(def.body.data() + at, r.text_before);
        at += r.text_before;
        if (after_argument)
            append_guarded(result, piece);
        else
            result.append(piece);
        const std::string& raw = raw_of(r.parameter);
        if (r.quote) {
            append_guarded(result, stringise(raw, r.quote));
        } else if (r.pasted_before || r.pasted_after) {
            std::string_view t = trim_for_paste(raw, true, true);
            if (r.pasted_before)
                result.append(t);
            else
                append_guarded(result, t);
        } else {
            std::size_t slot = r.parameter < 0 ? std::size_t(std::max(p - 1, 0)) : std::size_t(r.parameter);
            std::string& expanded = args.expanded[slot];
            if (!args.have[slot]) {
                if (may_change(r.parameter))
                    pre_expand(raw, expanded);
                else
                    expanded.assign(raw);
                args.have[slot] = true;
                if (stopped_)
                    return {};
            }
            append_guarded(result, expanded);
        }
        if (k + 1 == def.references.size() && !args.extra.empty())
            result.append(args.extra);
        after_argument = !r.pasted_after;
    }
    std::string_view rest(def.body.data() + at, def.body.size() - at);
    if (after_argument)
        append_guarded(result, rest);
    else
        result.append(rest);
    return result;
}

// A call that the input ends inside: the name and what was read stay text.
void preprocessor::write_unterminated_call(output_buffer& out, name_entry* entry, char open,
                                           const call_arguments& args)
{
    report(kind_warning, "ERRINLINE", "unterminated macro call");
    out.text.append(entry->name);
    out.text.push_back(open);
    for (std::size_t k = 0; k < args.count; ++k) {
        if (k)
            out.text.push_back(',');
        std::string text = out.keep_markers ? args.texts[k] : unescaped(args.texts[k]);
        for (char c : text)
            out.text.push_back(c == '\n' ? ' ' : c);
    }
}

void preprocessor::expand(output_buffer& out, name_entry* entry)
{
    switch (entry->kind) {
    case name_macro_disabled:
        if (out.keep_markers)
            out.text.push_back(marker_no_expand);
        out.text.append(entry->name);
        return;
    case name_macro:
        break;
    case name_defined:
        expand_defined(out, levels_.back());
        return;
    default:
        expand_special(out, entry);
        return;
    }
    if (levels_.size() >= std::size_t(input_stack_size)) {
        report(kind_fatal, "NBRECURSI", "");
        return;
    }
    // Argument sets are kept per nesting depth so that their strings keep
    // their capacity from one call to the next.
    if (call_depth_ == call_pool_.size())
        call_pool_.emplace_back();
    call_arguments& args = call_pool_[call_depth_];
    args.count = 0;
    struct depth_scope {
        std::size_t& depth;
        explicit depth_scope(std::size_t& d) : depth(d) { ++depth; }
        ~depth_scope() { --depth; }
    } scope(call_depth_);
    const macro_definition& def = *entry->macro;
    if (def.parameter_count >= 0) {
        char open = find_call_bracket(def.brackets);
        if (!open) {
            out.text.append(entry->name);
            return;
        }
        if (!collect_arguments(open, open == '(' ? ')' : ']', args)) {
            if (!stopped_)
                write_unterminated_call(out, entry, open, args);
            return;
        }
    }
    std::string result = substitute(entry, args);
    if (stopped_)
        return;
    if (!out.text.empty() && !result.empty() && needs_separator(out.text.back(), result.front()))
        result.insert(result.begin(), marker_separator);
    if (!push_level(level_macro, std::move(result), "", false, 0))
        return;
    levels_.back().macro = entry;
    entry->kind = name_macro_disabled;
}

void preprocessor::expand_special(output_buffer& out, name_entry* entry)
{
    input_level* f = file_level();
    if (!f) {
        report(kind_warning, "FICINCONN", "");
        return;
    }
    if ((entry->kind == name_date || entry->kind == name_time) && !clock_read_) {
        static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        std::time_t now = std::time(nullptr);
        std::tm t = *std::localtime(&now);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "\"%s %2d %4d\"", months[t.tm_mon % 12], t.tm_mday, t.tm_year + 1900);
        date_text_ = buffer;
        std::snprintf(buffer, sizeof buffer, "\"%02d:%02d:%02d\"", t.tm_hour, t.tm_min, t.tm_sec);
        time_text_ = buffer;
        clock_read_ = true;
    }
    std::string text;
    switch (entry->kind) {
    case name_line: text = std::to_string(f->line); break;
    case name_date: text = date_text_; break;
    case name_file: text = "\"" + f->file_name + "\""; break;
    case name_base_file: text = "\"" + levels_.front().file_name + "\""; break;
    case name_include_level: {
        int count = 0;
        for (const input_level& lv : levels_)
            count += lv.has_file_name;
        text = std::to_string(count - 1);
        break;
    }
    case name_time: text = time_text_; break;
    case name_stdc: text = std::to_string(entry->value); break;
    default:
        report(kind_internal, "INVHASTYP", std::to_string(entry->kind));
        return;
    }
    if (out.keep_markers)
        text = escaped(text);
    append_guarded(out.text, text);
    out.text.push_back(out.keep_markers ? marker_separator : ' ');
}

// `defined' NAME or `defined' ( NAME ) inside an #if operand.
void preprocessor::expand_defined(output_buffer& out, input_level&)
{
    auto skip_blanks = [&] {
        for (;;) {
            input_level& lv = levels_.back();
            while (lv.pos < lv.end && (is_space(*lv.pos) || *lv.pos == marker_separator))
                ++lv.pos;
            if (lv.pos >= lv.end && lv.kind == level_macro && levels_.size() > 1) {
                pop_level();
                continue;
            }
            return;
        }
    };
    skip_blanks();
    bool broken = false;
    bool found = false;
    bool parenthesis = false;
    input_level* lv = &levels_.back();
    if (lv->pos < lv->end && *lv->pos == '(') {
        parenthesis = true;
        ++lv->pos;
        skip_blanks();
        lv = &levels_.back();
    }
    if (lv->pos < lv->end && *lv->pos == marker_no_expand)
        ++lv->pos;
    if (lv->pos < lv->end && is_identifier_start(*lv->pos)) {
        std::string_view name = read_identifier(*lv);
        found = table_->find(name) != nullptr;
        if (parenthesis) {
            skip_blanks();
            lv = &levels_.back();
            if (lv->pos < lv->end && *lv->pos == ')')
                ++lv->pos;
            else
                broken = true;
        }
    } else {
        broken = true;
    }
    if (broken)
        report(kind_warning, "ERDEFINED", "");
    out.text.append(!broken && found ? " 1 " : " 0 ");
}

std::string preprocessor::expand_text(name_table& table, std::string_view text, int kind)
{
    table_ = &table;
    std::size_t base = levels_.size();
    if (!push_level(level_expanded, escaped(text), "", false, 0))
        return {};
    output_buffer o;
    o.kind = kind;
    o.text.reserve(2 * text.size() + 16);
    rescan(o, base);
    while (levels_.size() > base)
        pop_level();
    return std::move(o.text);
}
