// The input stack, the output and its line markers, and the main scanning
// loop of the preprocessor.
//
// The loop reads the top input level and copies it to the output: runs of
// ordinary characters are appended in one piece, and only line feeds,
// comments, quotes, numbers, names, backslashes, '#' and the two expansion
// markers stop it. A level that ends is popped by the loop itself (a file
// level writes the marker of its includer, a macro level re-enables its
// macro), so an include or an expansion never costs a nested C++ call.
//
// Output lines follow input lines: whenever the input has moved ahead of the
// output (continuations, macro calls over several lines, skipped groups),
// the next line feed of a file writes the missing line feeds, or a marker
// when more than seven are missing, so that every output line carries the
// number of its input line.
#include <cstring>

#include "prepro/char_classes.h"
#include "prepro/lexical_skip.h"
#include "prepro/preprocessor_state.h"

namespace {

// Bytes that end a run of ordinary characters.
constexpr std::array<bool, 256> make_special()
{
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = is_identifier_start(char(c)) || is_digit(char(c));
    for (unsigned char c : {'\n', '#', '/', '"', '\'', '\\', '\0', marker_no_expand, marker_separator, marker_escape})
        t[c] = true;
    return t;
}
constexpr std::array<bool, 256> special = make_special();

} // namespace

preprocessor::preprocessor() { levels_.reserve(input_stack_size); }
preprocessor::~preprocessor() = default;

// ---- reporting ----------------------------------------------------------

input_level* preprocessor::file_level()
{
    for (std::size_t i = levels_.size(); i-- > 0;)
        if (levels_[i].has_file_name)
            return &levels_[i];
    return nullptr;
}

int preprocessor::current_line()
{
    input_level* f = file_level();
    return f ? f->line : 0;
}

std::string preprocessor::current_file()
{
    input_level* f = file_level();
    return f ? f->file_name : std::string();
}

void preprocessor::report(int kind, const char* code, const report_argument& argument)
{
    input_level* f = file_level();
    report_at_line(kind, code, argument, f ? std::string_view(f->file_name) : std::string_view(), f ? f->line : 0);
}

void preprocessor::report_at_line(int kind, const char* code, const report_argument& argument,
                                  std::string_view file, int line)
{
    ++report_count_;
    if (kind == kind_error)
        ++error_count_;
    if (kind <= kind_fatal)
        stopped_ = true; // the callback normally ends the process; otherwise unwind
    if (report_)
        report_(kind, code, argument, file, line);
}

// ---- input stack ----------------------------------------------------------

bool preprocessor::push_level(level_kind kind, std::string text, std::string_view file_name, bool has_file_name,
                              int line)
{
    if (stopped_)
        return false;
    if (levels_.size() >= std::size_t(input_stack_size)) {
        report(kind_fatal, "NBRECURSI", "");
        return false;
    }
    input_level& lv = levels_.emplace_back();
    lv.kind = kind;
    lv.buffer = std::move(text);
    lv.start = lv.buffer.data();
    lv.pos = lv.start;
    lv.end = lv.start + lv.buffer.size();
    lv.file_name = std::string(file_name);
    lv.has_file_name = has_file_name;
    lv.line = line;
    lv.conditional_top = conditionals_.size();
    lv.at_line_start = true;
    return true;
}

void preprocessor::pop_level()
{
    input_level& lv = levels_.back();
    if (lv.kind == level_macro && lv.macro && lv.macro->kind == name_macro_disabled)
        lv.macro->kind = name_macro;
    if (lv.appended_node)
        unlink_node(lv.appended_node);
    if (lv.kind != level_file && spare_buffers_.size() < 64 && lv.buffer.capacity() <= (1u << 20))
        spare_buffers_.push_back(std::move(lv.buffer));
    levels_.pop_back();
}

// The top level has ended and is not the one the loop was started for.
void preprocessor::end_of_level(output_buffer& out)
{
    bool was_file = levels_.back().kind == level_file;
    if (was_file)
        finish_guard_recording(out, levels_.back());
    pop_level();
    if (!was_file || levels_.empty())
        return;
    input_level& below = levels_.back();
    line_marker(out, below);
    if (!open_.empty() && open_.back().skipping)
        skip_group(below);
}

// ---- output ----------------------------------------------------------------

void preprocessor::line_marker(output_buffer& out, input_level& level)
{
    if (!level.has_file_name) {
        out.line = level.line;
        return;
    }
    if (!out.text.empty() && out.text.back() != '\n')
        out.text.push_back('\n');
    out.text.append("#line ");
    out.text.append(std::to_string(level.line));
    out.text.append(" \"");
    if (escape_file_names) {
        for (char c : level.file_name) {
            if (c == '\\' || c == '"')
                out.text.push_back('\\');
            out.text.push_back(c);
        }
    } else {
        out.text.append(level.file_name);
    }
    out.text.append("\"\n");
    out.line = level.line;
    level.name_changed = false;
}

// After a directive that decides which lines are copied: nothing when the
// lines agree; line feeds when the input is up to seven lines ahead; else the
// line feeds at the input position are passed over and a marker is written,
// unless a #line directive follows anyway.
void preprocessor::conditional_marker(output_buffer& out, input_level& level)
{
    if (!level.has_file_name) {
        out.line = level.line;
        return;
    }
    int ahead = level.line - out.line;
    if (ahead == 0 && !level.name_changed)
        return;
    if (ahead > 0 && ahead <= 7 && !level.name_changed) {
        out.text.append(std::size_t(ahead), '\n');
        out.line = level.line;
        return;
    }
    char* p = level.pos;
    int lines = 0;
    while (p < level.end && (*p == '\n' || is_horizontal_space(*p))) {
        if (*p == '\n') {
            ++lines;
            level.pos = p + 1;
        }
        ++p;
    }
    level.line += lines;
    if (lines)
        level.at_line_start = true;
    const char* q = level.pos;
    while (q < level.end && is_horizontal_space(*q))
        ++q;
    if (level.end - q >= 5 && q[0] == '#' && std::memcmp(q + 1, "line", 4) == 0)
        return;
    line_marker(out, level);
}

// At a line feed of a file or text level: catch the output up with the input.
void preprocessor::resync_lines(output_buffer& out, input_level& level)
{
    int ahead = level.line - out.line;
    if (ahead == 0 && !level.name_changed)
        return;
    if (ahead > 0 && ahead <= 7 && !level.name_changed) {
        out.text.append(std::size_t(ahead), '\n');
        out.line = level.line;
        return;
    }
    line_marker(out, level);
}

// ---- pieces of the main loop ---------------------------------------------

// Collects the identifier at level.pos; a continuation inside it is moved
// behind it, so the name is contiguous and the line count unchanged.
std::string_view preprocessor::read_identifier(input_level& level)
{
    char* start = level.pos;
    char* p = start;
    char* end = level.end;
    while (p < end && is_identifier_char(*p))
        ++p;
    int n = continuation_at(p, end);
    if (n) {
        char* look = p;
        while ((n = continuation_at(look, end)))
            look += n;
        if (look < end && is_identifier_char(*look)) {
            std::string moved;
            char* r = p;
            char* w = p;
            for (;;) {
                if ((n = continuation_at(r, end))) {
                    moved.append(r, std::size_t(n));
                    r += n;
                } else if (r < end && is_identifier_char(*r)) {
                    *w++ = *r++;
                } else {
                    break;
                }
            }
            p = w;
            std::memcpy(w, moved.data(), moved.size());
        }
    }
    level.pos = p;
    return std::string_view(start, std::size_t(p - start));
}

// A string or character constant at level.pos, copied to out when given.
// Read from an expansion into plain output, its escaped bytes are decoded.
void preprocessor::scan_string(output_buffer* out, input_level& level)
{
    int start_line = current_line();
    bool in_file = level.kind == level_file || level.kind == level_text;
    std::size_t from = out ? out->text.size() : 0;
    int lines = 0;
    bool closed = false;
    level.pos = const_cast<char*>(skip_literal(level.pos, level.end, lines, closed, out ? &out->text : nullptr));
    if (in_file)
        level.line += lines;
    if (out && !in_file && !out->keep_markers && out->text.find(marker_escape, from) != std::string::npos)
        out->text.replace(from, std::string::npos, unescaped(std::string_view(out->text).substr(from)));
    if (!closed) {
        input_level* f = file_level();
        report_at_line(kind_warning, "UNTERSTRI", "", f ? std::string_view(f->file_name) : "", start_line);
    }
}

void preprocessor::scan_number(output_buffer& out, input_level& level)
{
    char* start = level.pos;
    char* p = start;
    char* end = level.end;
    while (p < end) {
        char c = *p;
        if ((c == 'e' || c == 'E') && p + 1 < end && (p[1] == '+' || p[1] == '-')) {
            p += 2;
        } else if (c == '.') {
            if (p + 1 < end && p[1] == '.')
                break;
            ++p;
        } else if (is_identifier_char(c)) {
            ++p;
        } else {
            break;
        }
    }
    out.text.append(start, std::size_t(p - start));
    level.pos = p;
}

// A comment whose opener (opener_length characters, continuations
// included) is at level.pos. Its line feeds and continuations go to out
// when asked, so that the output keeps the line structure.
void preprocessor::scan_comment(output_buffer* out, input_level& level, bool write_line_feeds)
{
    bool counts = level.kind == level_file || level.kind == level_text;
    bool block = false;
    int lines = 0;
    int opener = comment_opener_at(level.pos, level.end, block, lines);
    int start_line = current_line();
    const char* p = level.pos + opener;
    bool closed = true;
    p = block ? skip_block_comment(p, level.end, lines, closed) : skip_line_comment(p, level.end, lines);
    level.pos = const_cast<char*>(p);
    if (counts)
        level.line += lines;
    if (out && write_line_feeds) {
        out->text.append(std::size_t(lines), '\n');
        out->line += lines;
    }
    if (!closed) {
        input_level* f = file_level();
        report_at_line(kind_warning, "UNTERCOMM", "", f ? std::string_view(f->file_name) : "", start_line);
    }
}

// A marker of an expansion buffer at level.pos: kept when the output keeps
// markers, else a separator becomes a blank, an escape its source byte, and
// a no-expand marker vanishes while its name is copied unexpanded.
void preprocessor::read_marker(output_buffer& out, input_level& level)
{
    char c = *level.pos++;
    if (c == marker_separator) {
        out.text.push_back(out.keep_markers ? marker_separator : ' ');
    } else if (c == marker_escape) {
        if (level.pos < level.end) {
            char second = *level.pos++;
            if (out.keep_markers) {
                out.text.push_back(marker_escape);
                out.text.push_back(second);
            } else {
                out.text.push_back(escaped_byte(second));
            }
        }
    } else if (level.pos < level.end && is_identifier_start(*level.pos)) {
        std::string_view name = read_identifier(level);
        if (out.keep_markers)
            out.text.push_back(marker_no_expand);
        out.text.append(name);
    }
}

// ---- skipping while the analysis is stopped -------------------------------

namespace {

const char* skip_blanks(const char* p, const char* end)
{
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    return p;
}

std::string_view word_at(const char* p, const char* end)
{
    const char* q = p;
    while (q < end && is_identifier_char(*q))
        ++q;
    return std::string_view(p, std::size_t(q - p));
}

// strncmp(word, key, limit) == 0 with word ending at its own length.
bool agrees(std::string_view word, std::string_view key, std::size_t limit)
{
    for (std::size_t i = 0; i < limit; ++i) {
        char a = i < word.size() ? word[i] : '\0';
        char b = i < key.size() ? key[i] : '\0';
        if (a != b)
            return false;
        if (a == '\0')
            return true;
    }
    return true;
}

} // namespace

// The line at p starts with '#': is it a start pragma?
bool preprocessor::is_start_pragma_line(const char* p, const char* end)
{
    const char* line_end = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
    if (!line_end)
        line_end = end;
    const char* q = skip_blanks(p + 1, line_end);
    std::string_view w = word_at(q, line_end);
    if (w.empty() || !agrees(w, "pragma", 7))
        return false;
    q = skip_blanks(q + w.size(), line_end);
    std::string_view rest(q, std::size_t(line_end - q));
    std::string_view m = word_at(q, line_end);
    if (m == "morva") {
        q = skip_blanks(q + 5, line_end);
        std::string_view k = word_at(q, line_end);
        if (k.empty())
            return true;
        std::size_t limit = std::min<std::size_t>(k.size(), 14);
        return agrees(k.substr(0, limit), std::string_view("start_analyse").substr(0, limit), limit) ||
               agrees(k.substr(0, limit), std::string_view("start_analyze").substr(0, limit), limit);
    }
    std::string replacement;
    if (!pragma_map_match(rest, &replacement))
        return false;
    return !replacement.empty() && replacement[0] == '#' &&
           is_start_pragma_line(replacement.data(), replacement.data() + replacement.size());
}

void preprocessor::skip_stopped(input_level& level)
{
    bool counts = level.kind == level_file || level.kind == level_text;
    char* p = level.pos;
    char* end = level.end;
    while (p < end) {
        char* hash = static_cast<char*>(std::memchr(p, '#', std::size_t(end - p)));
        char* upto = hash ? hash : end;
        if (counts)
            for (char* q = p; q < upto; ++q)
                if (*q == '\n')
                    ++level.line;
        if (!hash) {
            p = end;
            break;
        }
        if (is_start_pragma_line(hash, end)) {
            analysis_started = true;
            char* nl = static_cast<char*>(std::memchr(hash, '\n', std::size_t(end - hash)));
            level.pos = nl ? nl : end; // the line feed of the pragma line is scanned as usual
            level.at_line_start = false;
            return;
        }
        p = hash + 1;
    }
    level.pos = p;
}

// ---- the main loop ------------------------------------------------------------

void preprocessor::rescan(output_buffer& out, std::size_t base)
{
    while (!stopped_) {
        input_level& lv = levels_.back();
        if (lv.pos >= lv.end) {
            if (levels_.size() - 1 <= base)
                return;
            end_of_level(out);
            continue;
        }
        if (!scanning_active()) {
            skip_stopped(lv);
            continue;
        }
        char c = *lv.pos;
        if (!special[(unsigned char)c])
            copy_ordinary_run(out, lv);
        else if (c == '\n')
            scan_line_feed(out, lv);
        else if (c == '#')
            scan_hash(out, lv);
        else if (c == '/')
            scan_slash(out, lv);
        else if (c == '"' || c == '\'') {
            lv.at_line_start = false;
            scan_string(&out, lv);
        } else if (c == '\\')
            scan_backslash(out, lv);
        else if (c == '\0') { // a NUL inside a caller's text or an expansion ends nothing: copied
            ++lv.pos;
            out.text.push_back('\0');
        } else if (is_marker_byte(c))
            scan_marker_byte(out, lv);
        else if (is_digit(c)) {
            lv.at_line_start = false;
            scan_number(out, lv);
        } else {
            lv.at_line_start = false;
            scan_name(out, lv);
        }
    }
}

// Ordinary characters are copied in one piece.
void preprocessor::copy_ordinary_run(output_buffer& out, input_level& lv)
{
    char* p = lv.pos;
    bool blank_only = true;
    while (p < lv.end && !special[(unsigned char)*p]) {
        if (!is_horizontal_space(*p))
            blank_only = false;
        ++p;
    }
    out.text.append(lv.pos, std::size_t(p - lv.pos));
    lv.pos = p;
    if (!blank_only)
        lv.at_line_start = false;
}

// A line feed of a file counts and catches the output up; inside an
// expansion it is a blank.
void preprocessor::scan_line_feed(output_buffer& out, input_level& lv)
{
    ++lv.pos;
    lv.at_line_start = true;
    if (lv.kind == level_file || lv.kind == level_text) {
        out.text.push_back('\n');
        ++out.line;
        ++lv.line;
        resync_lines(out, lv);
    } else {
        out.text.push_back(' ');
    }
}

// A '#' that starts a line may be a directive; elsewhere it is text
// (dropped from an #if operand).
void preprocessor::scan_hash(output_buffer& out, input_level& lv)
{
    bool in_file = lv.kind == level_file || lv.kind == level_text;
    bool directives = in_file || (lv.kind == level_expanded && out.kind == expand_pragma);
    if (directives && lv.at_line_start && try_directive(out, lv))
        return;
    ++lv.pos;
    lv.at_line_start = false;
    if (out.kind != expand_if)
        out.text.push_back('#');
}

// A comment becomes one blank; any other '/' is text.
void preprocessor::scan_slash(output_buffer& out, input_level& lv)
{
    bool block;
    int lines = 0;
    if (lv.kind != level_macro && comment_opener_at(lv.pos, lv.end, block, lines)) {
        out.text.push_back(' ');
        scan_comment(&out, lv, lv.kind == level_file || lv.kind == level_text);
        return;
    }
    ++lv.pos;
    lv.at_line_start = false;
    out.text.push_back('/');
}

// A continuation produces nothing; another backslash is text.
void preprocessor::scan_backslash(output_buffer& out, input_level& lv)
{
    if (int n = continuation_at(lv.pos, lv.end)) {
        lv.pos += n;
        if (lv.kind == level_file || lv.kind == level_text)
            ++lv.line;
        return;
    }
    ++lv.pos;
    lv.at_line_start = false;
    out.text.push_back('\\');
}

// A marker byte is plain text in a file, a marker in an expansion.
void preprocessor::scan_marker_byte(output_buffer& out, input_level& lv)
{
    if (lv.kind == level_file || lv.kind == level_text) {
        out.text.push_back(*lv.pos++);
        lv.at_line_start = false;
        return;
    }
    read_marker(out, lv);
}

// A name: expanded when the table knows it, else copied.
void preprocessor::scan_name(output_buffer& out, input_level& lv)
{
    std::string_view name = read_identifier(lv);
    name_entry* entry = table_ ? table_->find(name) : nullptr;
    if (!entry) {
        out.text.append(name);
        return;
    }
    expand(out, entry);
}

// ---- one call -------------------------------------------------------------

int preprocessor::preprocess_text(std::string_view text, bool analyse_all, std::string_view base_name,
                                  int first_line, std::string& result, name_table& table, report_callback report)
{
    report_ = report;
    table_ = &table;
    error_count_ = 0;
    stopped_ = false;
    analyse_all_ = analyse_all;
    output_buffer out;
    out.line = first_line;
    output_ = &out;
    std::string copy(text.substr(0, std::min(text.size(), text.find('\0'))));
    cpp_replace_trigraphs(copy);
    cpp_replace_digraphs(copy);
    std::size_t base = levels_.size();
    if (push_level(level_text, std::move(copy), base_name, true, first_line)) {
        conditional_marker(out, levels_.back());
        if (!open_.empty() && open_.back().skipping)
            skip_group(levels_.back());
        rescan(out, base);
    }
    while (levels_.size() > base)
        pop_level();
    output_ = nullptr;
    result = std::move(out.text);
    return error_count_;
}
