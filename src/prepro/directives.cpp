// Directive lines: the directive table, the operand text, the conditional
// directives with their two stacks, the skipping of groups, #line, #warning
// and #error, and the report of conditionals left open at the end.
//
// The conditional stack holds one entry per conditional met (also inside
// skipped groups); the open-conditional stack holds one record per
// conditional opened outside a skipped group and tells whether its current
// group is being skipped. Both survive the end of a file and of a call: a
// level only remembers the conditional stack size at its entry, and "no
// conditional is open in this file" means that nothing was pushed since.
#include <array>
#include <cstring>

#include <QCoreApplication>

#include "prepro/char_classes.h"
#include "prepro/lexical_skip.h"
#include "prepro/preprocessor_state.h"

enum directive_kind {
    directive_define = 1, directive_include = 2, directive_ifdef = 3, directive_ifndef = 4, directive_if = 5,
    directive_else = 6, directive_elif = 7, directive_undef = 8, directive_endif = 9, directive_pragma = 22,
    directive_copied = 23, directive_line = 24,
};

struct directive_row {
    std::string_view name;
    int kind;
    bool angle_operand;
    bool copied;
};

namespace {

constexpr directive_row directive_table[] = {
    {"define", directive_define, false, false},   {"if", directive_if, false, false},
    {"ifdef", directive_ifdef, false, false},     {"ifndef", directive_ifndef, false, false},
    {"endif", directive_endif, false, false},     {"else", directive_else, false, false},
    {"elif", directive_elif, false, false},       {"include", directive_include, true, false},
    {"include_next", directive_include, true, false}, {"undef", directive_undef, false, false},
    {"pragma", directive_pragma, false, false},   {"warning", directive_copied, false, true},
    {"error", directive_copied, false, true},     {"line", directive_line, false, false},
};

const directive_row* find_directive(std::string_view name)
{
    for (const directive_row& row : directive_table)
        if (row.name == name)
            return &row;
    return nullptr;
}

// Bytes that a skipped group must look at once its line has started.
constexpr std::array<bool, 256> make_skip_stops()
{
    std::array<bool, 256> t{};
    for (unsigned char c : {'\n', '"', '\'', '/', '\\'})
        t[c] = true;
    return t;
}
constexpr std::array<bool, 256> skip_stops = make_skip_stops();

std::string_view trim_blanks(std::string_view s) { return trim(s, is_horizontal_space); }

} // namespace

bool preprocessor::conditional_open_here(const input_level& level) const
{
    return conditionals_.size() > level.conditional_top;
}

// level.pos is at a '#' that starts a line. True when the line was taken as
// a directive (or a lone '#'); the level then stands at the line feed.
bool preprocessor::try_directive(output_buffer& out, input_level& level)
{
    char* hash = level.pos;
    char* p = hash + 1;
    char* end = level.end;
    int start_line = level.line;
    bool counts = level.kind == level_file || level.kind == level_text;
    for (;;) {
        int n;
        if (p < end && is_horizontal_space(*p)) {
            ++p;
        } else if ((n = continuation_at(p, end))) {
            p += n;
            if (counts)
                ++level.line;
        } else if (p + 1 < end && p[0] == '/' && p[1] == '*') {
            level.pos = p;
            scan_comment(nullptr, level, false);
            p = level.pos;
        } else {
            break;
        }
    }
    if (p >= end || *p == '\n') {
        level.pos = p;
        return true;
    }
    if (!is_identifier_start(*p)) {
        level.pos = hash;
        level.line = start_line;
        return false;
    }
    level.pos = p;
    std::string_view name = read_identifier(level);
    const directive_row* row = find_directive(name);
    if (!row) {
        level.pos = hash;
        level.line = start_line;
        return false;
    }
    directive_line_ = start_line;
    ++directive_count_;
    std::string operand;
    directive_operand(level, *row, operand);
    if (row->copied) {
        out.text.push_back('#');
        out.text.append(row->name);
        out.text.append(operand);
    }
    std::string_view op(operand);
    switch (row->kind) {
    case directive_define: define(op); break;
    case directive_undef: undef(op); break;
    case directive_if: do_if(out, level, op); break;
    case directive_ifdef: do_ifdef(out, level, op, true); break;
    case directive_ifndef: do_ifdef(out, level, op, false); break;
    case directive_else: do_else(out, level); break;
    case directive_elif: do_elif(out, level, op); break;
    case directive_endif: do_endif(out, level); break;
    case directive_include: do_include(out, level, op, row->name.size() > 7); break;
    case directive_pragma: do_pragma(out, level, op); break;
    case directive_copied: do_warning(row->name, op); break;
    case directive_line: do_line(level, op); conditional_marker(out, level); break;
    }
    return true;
}

// Cuts the operand (to the line feed, which #line takes too) and cleans it:
// each comment becomes one blank, a continuation one blank when blanks
// touch it and nothing otherwise.
void preprocessor::directive_operand(input_level& level, const directive_row& row, std::string& operand)
{
    char* p = level.pos;
    char* end = level.end;
    bool counts = level.kind == level_file || level.kind == level_text;
    auto continuation = [&](int n) {
        bool blank_before = !operand.empty() && is_horizontal_space(operand.back());
        bool blank_after = p + n < end && is_horizontal_space(p[n]);
        if (blank_before || blank_after)
            operand.push_back(' ');
        p += n;
        if (counts)
            ++level.line;
    };
    while (p < end && *p != '\n') {
        char c = *p;
        int n = continuation_at(p, end);
        if (n) {
            continuation(n);
            continue;
        }
        int lines = 0;
        bool block, closed;
        if (c == '"' || c == '\'') {
            p = const_cast<char*>(skip_literal(p, end, lines, closed, &operand));
            if (counts)
                level.line += lines;
            continue;
        }
        if (c == '/' && comment_opener_at(p, end, block, lines)) {
            level.pos = p;
            scan_comment(nullptr, level, false);
            p = level.pos;
            operand.push_back(' ');
            continue;
        }
        if (c == '<' && row.angle_operand) {
            while (p < end && *p != '\n' && *p != '>')
                operand.push_back(*p++);
            if (p < end && *p == '>')
                operand.push_back(*p++);
            continue;
        }
        operand.push_back(c);
        ++p;
    }
    if (row.kind == directive_line && p < end) {
        ++p; // the line feed belongs to #line
        if (counts)
            ++level.line;
    }
    level.pos = p;
}

// ---- conditionals ---------------------------------------------------------

void preprocessor::open_conditional_group(output_buffer& out, input_level& level, bool skip)
{
    conditional_entry entry;
    entry.file_name = current_file();
    entry.line = directive_line_;
    entry.kind = conditional_if;
    conditionals_.push_back(std::move(entry));
    open_.push_back({conditionals_.size() - 1, 0, directive_line_});
    if (!skip) {
        conditionals_.back().taken = 1;
        conditional_marker(out, level);
    } else {
        open_.back().skipping = 1;
        skip_group(level);
    }
}

void preprocessor::do_if(output_buffer& out, input_level& level, std::string_view operand)
{
    int value = eval_if(operand);
    if (stopped_)
        return;
    open_conditional_group(out, level, value == 0);
}

void preprocessor::do_ifdef(output_buffer& out, input_level& level, std::string_view operand, bool is_ifdef)
{
    const char* directive = is_ifdef ? "ifdef" : "ifndef";
    std::string_view op = trim_blanks(operand);
    bool skip;
    if (!op.empty() && is_identifier_char(op[0])) {
        std::size_t n = 0;
        while (n < op.size() && is_identifier_char(op[n]))
            ++n;
        std::string_view name = op.substr(0, n);
        if (is_digit(name[0]))
            report(kind_warning, "STARTDIGI", directive);
        else if (n < op.size())
            report(kind_warning, "INVALIEND", directive);
        bool defined = table_->find(name) != nullptr;
        skip = is_ifdef ? !defined : defined;
    } else {
        report(kind_warning, op.empty() ? "NOARGUMEN" : "ARGPUNCTU", directive);
        skip = is_ifdef;
    }
    open_conditional_group(out, level, skip);
}

void preprocessor::report_else_mismatch(const char* parameter)
{
    report(kind_warning, "ELIFAELSE", parameter);
    const conditional_entry& e = conditionals_.back();
    std::string where = " ";
    where += std::to_string(e.line);
    if (e.file_name != current_file())
        where += " file " + e.file_name;
    report(kind_info, "MATCHLINE", where);
}

void preprocessor::do_else(output_buffer& out, input_level& level)
{
    if (!conditional_open_here(level)) {
        report(kind_warning, "NOCONDITI", "#else");
        return;
    }
    if (conditionals_.back().kind != conditional_if && conditionals_.back().kind != conditional_elif)
        report_else_mismatch("#else");
    conditional_entry& e = conditionals_.back();
    e.kind = conditional_else;
    if (e.taken) {
        if (!open_.empty())
            open_.back().skipping = 1;
        skip_group(level);
    } else {
        e.taken = 1;
        if (!open_.empty())
            open_.back().skipping = 0;
        conditional_marker(out, level);
    }
}

void preprocessor::do_elif(output_buffer& out, input_level& level, std::string_view operand)
{
    if (!conditional_open_here(level)) {
        report(kind_warning, "NOCONDITI", "#elif");
        return;
    }
    if (conditionals_.back().kind != conditional_if && conditionals_.back().kind != conditional_elif)
        report_else_mismatch("elif");
    std::size_t index = conditionals_.size() - 1;
    conditionals_[index].kind = conditional_elif;
    if (conditionals_[index].taken == 0 && eval_if(operand) != 0) {
        if (stopped_)
            return;
        if (!open_.empty())
            open_.back().skipping = 0;
        ++conditionals_[index].taken;
        conditional_marker(out, level);
    } else {
        if (stopped_)
            return;
        if (!open_.empty())
            open_.back().skipping = 1;
        skip_group(level);
    }
}

void preprocessor::do_endif(output_buffer& out, input_level& level)
{
    if (!open_.empty())
        open_.pop_back();
    if (!conditional_open_here(level)) {
        report(kind_warning, "UNBAENDIF", "");
        return;
    }
    conditionals_.pop_back();
    conditional_marker(out, level);
}

// Skips the current group line by line; stops before the #else, #elif or
// #endif of the conditional being skipped, or at the end of the level.
void preprocessor::skip_group(input_level& level)
{
    std::size_t target = open_.empty() ? conditionals_.size() - 1 : open_.back().entry;
    char* p = level.pos;
    char* end = level.end;
    bool counts = level.kind == level_file || level.kind == level_text;
    bool line_start = p == level.start || p[-1] == '\n';
    bool block;
    int comment_lines = 0;
    while (p < end && !stopped_) {
        char c = *p;
        int n;
        if (c == '\n') {
            if (counts)
                ++level.line;
            line_start = true;
            ++p;
        } else if (is_horizontal_space(c)) {
            ++p;
        } else if ((n = continuation_at(p, end))) {
            if (counts)
                ++level.line;
            p += n;
        } else if (c == '"' || c == '\'') {
            line_start = false;
            p = skip_group_literal(level, p);
        } else if (c == '/' && comment_opener_at(p, end, block, comment_lines)) {
            level.pos = p;
            scan_comment(nullptr, level, false);
            p = level.pos;
        } else if (c == '#' && line_start) {
            line_start = false;
            if (skipped_directive(level, p, target))
                return;
        } else {
            // Not at a line start: only line feeds, literals, comments and
            // continuations matter up to the end of the line.
            line_start = false;
            ++p;
            while (p < end && !skip_stops[(unsigned char)*p])
                ++p;
        }
    }
    level.pos = p < end ? p : end;
}

// A literal in a skipped group, from its quote at p: a double-quoted string
// may run over line feeds, a character constant may not.
char* preprocessor::skip_group_literal(input_level& level, char* p)
{
    const char quote = *p++;
    char* end = level.end;
    bool counts = level.kind == level_file || level.kind == level_text;
    for (;;) {
        if (p >= end) {
            level.pos = p;
            report(kind_warning, "UNTERSTRI", "");
            return p;
        }
        if (*p == quote)
            return p + 1;
        if (*p == '\n') {
            if (quote == '\'') {
                level.pos = p;
                report(kind_warning, "UNTERSTRI", "");
                return p;
            }
            if (counts)
                ++level.line;
        } else if (*p == '\\' && p + 1 < end) {
            if (p[1] == '\n' && counts)
                ++level.line;
            ++p;
        }
        ++p;
    }
}

// A directive line met while skipping, from its '#' at p: nested
// conditionals are followed; true when it ends the group being skipped
// (the level then stands at the '#').
bool preprocessor::skipped_directive(input_level& level, char*& p, std::size_t target)
{
    char* hash = p;
    ++p;
    while (p < level.end && is_horizontal_space(*p))
        ++p;
    level.pos = p;
    std::string_view name = read_identifier(level);
    p = level.pos;
    const directive_row* row = name.empty() ? nullptr : find_directive(name);
    if (!row)
        return false;
    int k = row->kind;
    if (k == directive_if || k == directive_ifdef || k == directive_ifndef) {
        conditional_kind kind = k == directive_if      ? conditional_if
                                : k == directive_ifdef ? conditional_ifdef
                                                       : conditional_ifndef;
        conditionals_.push_back({current_file(), level.line, 0, kind});
    } else if (k == directive_else || k == directive_elif || k == directive_endif) {
        if (!conditional_open_here(level)) {
            report(kind_warning, "NOCONDITI", std::string(row->name));
        } else if (conditionals_.size() - 1 == target) {
            level.pos = hash;
            level.at_line_start = true;
            return true;
        } else if (k == directive_endif) {
            conditionals_.pop_back();
        } else {
            if (conditionals_.back().kind == conditional_else)
                report(kind_warning, "ELIFAELSE", QCoreApplication::translate("Warning Parameter", "else or elif"));
            conditionals_.back().kind = k == directive_else ? conditional_else : conditional_elif;
        }
    }
    return false;
}

// ---- #line, #warning, #error ------------------------------------------------

void preprocessor::do_line(input_level&, std::string_view operand)
{
    std::size_t i = 0;
    while (i < operand.size() && is_space(operand[i]))
        ++i;
    long long number = 0; // stops growing once past the largest line
    std::size_t sign = i, digits = i;
    bool negative = false;
    if (i < operand.size() && (operand[i] == '-' || operand[i] == '+')) {
        negative = operand[i] == '-';
        ++i;
        digits = i;
    }
    for (; i < operand.size() && is_digit(operand[i]); ++i)
        if (number <= line_counter::largest)
            number = number * 10 + (operand[i] - '0');
    if (i == digits)
        return;
    if (negative || number == 0 || number > line_counter::largest) {
        report_at_line(kind_warning, "ENTOUTRAN", std::string(operand.substr(sign, i - sign)), current_file(),
                       directive_line_);
        return;
    }
    while (i < operand.size() && is_space(operand[i]))
        ++i;
    std::size_t w = i;
    while (i < operand.size() && !is_space(operand[i]))
        ++i;
    if (i == w)
        return;
    std::string name;
    for (char c : operand.substr(w, i - w))
        if (c != '"' && c != ' ')
            name.push_back(c);
    input_level* f = file_level();
    if (!f)
        return;
    f->line = static_cast<int>(number);
    f->file_name = name;
    f->name_changed = true;
}

void preprocessor::do_warning(std::string_view name, std::string_view operand)
{
    std::string text = "#";
    text.append(name);
    text.push_back(' ');
    text.append(trim_blanks(operand));
    if (text.size() > 8190)
        text.resize(8190);
    report(kind_warning, "WARNERR", text);
}

void preprocessor::finish_conditionals()
{
    for (std::size_t i = open_.size(); i-- > 0;) {
        const open_conditional& rec = open_[i];
        if (rec.entry >= conditionals_.size())
            continue;
        const conditional_entry& e = conditionals_[rec.entry];
        const char* kind = e.kind == conditional_ifdef    ? "ifdef"
                           : e.kind == conditional_ifndef ? "ifndef"
                           : e.kind == conditional_else   ? "else"
                           : e.kind == conditional_elif   ? "elif"
                                                          : "if";
        report_at_line(kind_warning, "UNTERCOND", kind, e.file_name, rec.line);
    }
    open_.clear();
    conditionals_.clear();
}
