// Skipping of comments and string or character literals, shared by the
// scanner, argument collection, the search for a call's bracket, directive
// operands and skipped groups, so that all of them agree on where a comment
// or literal ends.
//
// A backslash-newline may appear anywhere, also between the two characters
// of "/*", "//" and "*/": it is passed over and counted in `lines`, never
// moved, so the text and its line count stay as they are. Each function
// takes the position to start at and returns the position reached.
#pragma once

#include <string>

// Length of the comment opener at p ("/*" or "//", continuations allowed
// between its characters), 0 when there is none; block tells which.
int comment_opener_at(const char* p, const char* end, bool& block, int& lines);

// From just after "/*": the position after "*/", or end (closed false).
// Every line feed and continuation adds one to lines.
const char* skip_block_comment(const char* p, const char* end, int& lines, bool& closed);

// From just after "//": the position of the line feed that ends it, or end.
const char* skip_line_comment(const char* p, const char* end, int& lines);

// From the opening quote at p: the position after the matching quote, or of
// the line feed or end that cuts the literal (closed false). An escaped
// character is taken with its backslash; a continuation is dropped. The
// literal, continuations removed, is appended to copy when given.
const char* skip_literal(const char* p, const char* end, int& lines, bool& closed, std::string* copy);
