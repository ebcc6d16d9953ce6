// Include-guard memory: a header read again while its guard macro is
// defined is not read and scanned again; the text its reading wrote (line
// markers and line feeds only) is written again instead.
//
// A file qualifies when it opens with "#ifndef NAME" (after blanks and
// comments). The first reading that starts with NAME defined is recorded:
// when it ran no directive but that #ifndef and its #endif, reported
// nothing, left the conditional stacks as it found them and wrote nothing
// but blanks, line feeds and line markers, that output depends on nothing
// but NAME being defined, and a later inclusion of the same path while NAME
// is defined writes it again, between the same two markers as a reading.
#include <cstring>

#include "prepro/char_classes.h"
#include "prepro/lexical_skip.h"
#include "prepro/preprocessor_state.h"

namespace {

// The NAME of a leading "#ifndef NAME" line, or empty.
std::string guard_name_of(std::string_view text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    int lines = 0;
    bool block;
    for (;;) {
        while (p < end && is_space(*p))
            ++p;
        int opener = comment_opener_at(p, end, block, lines);
        if (!opener)
            break;
        bool closed = true;
        p = block ? skip_block_comment(p + opener, end, lines, closed) : skip_line_comment(p + opener, end, lines);
        if (!closed)
            return {};
    }
    if (p >= end || *p++ != '#')
        return {};
    while (p < end && is_horizontal_space(*p))
        ++p;
    if (end - p < 7 || std::memcmp(p, "ifndef", 6) != 0 || !is_horizontal_space(p[6]))
        return {};
    p += 7;
    while (p < end && is_horizontal_space(*p))
        ++p;
    const char* name = p;
    if (p >= end || !is_identifier_start(*p))
        return {};
    while (p < end && is_identifier_char(*p))
        ++p;
    std::string guard(name, std::size_t(p - name));
    while (p < end && is_horizontal_space(*p))
        ++p;
    return p < end && *p == '\n' ? guard : std::string();
}

// Output made only of blanks, line feeds and line markers.
bool only_blank_lines_and_markers(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 6, "#line ") == 0) {
            std::size_t nl = text.find('\n', i);
            if (nl == std::string_view::npos)
                return false;
            i = nl + 1;
            continue;
        }
        std::size_t nl = text.find('\n', i);
        std::size_t stop = nl == std::string_view::npos ? text.size() : nl;
        for (; i < stop; ++i)
            if (text[i] != ' ' && text[i] != '\t')
                return false;
        i = stop + 1;
    }
    return true;
}

} // namespace

bool preprocessor::scanning_active() const { return analysis_started || analyse_all_; }

// An inclusion of path replayed from the memory; false when it must be read.
bool preprocessor::replay_guarded_file(const std::string& path, include_node* appended)
{
    auto it = guarded_files_.find(path);
    if (it == guarded_files_.end() || stopped_ || !scanning_active() || !table_->find(it->second.guard) ||
        levels_.size() >= std::size_t(input_stack_size) || levels_.empty())
        return false;
    output_buffer& out = *output_;
    input_level entry;
    entry.file_name = path;
    entry.has_file_name = true;
    entry.line = 1;
    line_marker(out, entry);
    out.text.append(it->second.output);
    out.line = it->second.end_line;
    if (appended)
        unlink_node(appended);
    line_marker(out, levels_.back());
    return true;
}

// A file level was just entered and its entry marker written.
void preprocessor::start_guard_recording(input_level& level)
{
    std::string guard = guard_name_of(level.buffer);
    if (guard.empty() || !scanning_active() || !table_->find(guard) || guarded_files_.count(level.file_name))
        return;
    level.guard = std::move(guard);
    level.record_from = output_->text.size();
    level.reports_at_entry = report_count_;
    level.directives_at_entry = directive_count_;
    level.open_at_entry = open_.size();
}

// The file level ends: keep its output when it qualifies.
void preprocessor::finish_guard_recording(output_buffer& out, const input_level& level)
{
    if (level.guard.empty() || &out != output_ || stopped_ || report_count_ != level.reports_at_entry ||
        directive_count_ != level.directives_at_entry + 2 || conditionals_.size() != level.conditional_top ||
        open_.size() != level.open_at_entry || level.name_changed || out.text.size() < level.record_from)
        return;
    std::string_view written = std::string_view(out.text).substr(level.record_from);
    if (!only_blank_lines_and_markers(written))
        return;
    guarded_files_[level.file_name] = {level.guard, std::string(written), out.line};
}
