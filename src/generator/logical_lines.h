// Logical lines of a source file as the include directive scan reads them.
//
// Each physical line is read whole, whatever its length, and has its
// trigraphs and digraphs replaced first (so "??/" can end it as a
// continuation). The reader then tracks block comments across lines and
// blanks every '#' inside one, so a commented-out directive is never seen;
// quotes and "//" comments are stepped over so that a "/*" inside them
// opens nothing. A line ending in a backslash-newline (LF or CR LF) is
// joined with the next one, which gets a '#' at its start: the joined text
// then keeps one '#' at the start of every continuation line, as the
// script's native lines need. A continuation at the end of the file ends
// the logical line there and its backslash is dropped. Trailing blanks and
// control characters are removed from the result.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class logical_line_reader {
public:
    explicit logical_line_reader(std::FILE* stream) : stream_(stream) {}

    // The next logical line into line; false at the end of the file.
    bool next(std::string& line);

private:
    bool read_physical(std::string& line);
    void blank_commented_hashes(std::string& line);

    std::FILE* stream_;
    bool in_comment_ = false;
};

// The '#' that the reader inserts after each backslash-newline removed again:
// the text as the compiler sees it, for the preprocessor.
std::string without_continuation_marks(std::string_view text);
