// Logical lines: see logical_lines.h.
#include "generator/logical_lines.h"

#include "prepro/preprocessor.h"

namespace {

// Length of the backslash-newline that ends text (2 or 3 with a carriage return), or 0.
std::size_t continuation_length(const std::string& text)
{
    std::size_t n = text.size();
    if (n >= 2 && text[n - 1] == '\n' && text[n - 2] == '\\')
        return 2;
    if (n >= 3 && text[n - 1] == '\n' && text[n - 2] == '\r' && text[n - 3] == '\\')
        return 3;
    return 0;
}

// A backslash with nothing after it at the end of the file continues nothing.
void drop_final_backslash(std::string& text)
{
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\n' || text[end - 1] == '\r'))
        --end;
    if (end > 0 && text[end - 1] == '\\')
        text.resize(end - 1);
}

bool is_trailing_junk(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return u == ' ' || u < 0x20 || u == 0x7F;
}

// Position after the quoted text that starts at i (an unclosed one ends at the line end).
std::size_t after_quoted(const std::string& line, std::size_t i)
{
    char quote = line[i++];
    while (i < line.size() && line[i] != quote && line[i] != '\n') {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] != '\n')
            ++i;
        ++i;
    }
    return i < line.size() && line[i] == quote ? i + 1 : i;
}

} // namespace

bool logical_line_reader::read_physical(std::string& line)
{
    line.clear();
    int c;
    while ((c = std::getc(stream_)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    if (line.empty())
        return false;
    cpp_replace_trigraphs(line);
    cpp_replace_digraphs(line);
    blank_commented_hashes(line);
    return true;
}

void logical_line_reader::blank_commented_hashes(std::string& line)
{
    std::size_t i = 0;
    while (i < line.size()) {
        bool pair_follows = i + 1 < line.size();
        if (in_comment_) {
            if (line[i] == '*' && pair_follows && line[i + 1] == '/') {
                in_comment_ = false;
                i += 2;
                continue;
            }
            if (line[i] == '#')
                line[i] = ' ';
            ++i;
        } else if (line[i] == '"' || line[i] == '\'') {
            i = after_quoted(line, i);
        } else if (line[i] == '/' && pair_follows && line[i + 1] == '/') {
            return;
        } else if (line[i] == '/' && pair_follows && line[i + 1] == '*') {
            in_comment_ = true;
            i += 2;
        } else {
            ++i;
        }
    }
}

bool logical_line_reader::next(std::string& line)
{
    if (!read_physical(line))
        return false;
    std::string physical;
    while (continuation_length(line) != 0) {
        if (!read_physical(physical))
            break;
        line.push_back('#');
        line += physical;
    }
    if (line.back() != '\n' || continuation_length(line) != 0)
        drop_final_backslash(line); // the last line of the file
    std::size_t end = line.size();
    while (end > 0 && is_trailing_junk(line[end - 1]))
        --end;
    line.resize(end);
    return true;
}

std::string without_continuation_marks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result.push_back(text[i]);
        if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '#' && i > 0 &&
            (text[i - 1] == '\\' || (text[i - 1] == '\r' && i > 1 && text[i - 2] == '\\')))
            ++i;
    }
    return result;
}
