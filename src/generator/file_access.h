// File handling shared by the generator: name completion, opening in a
// numbered mode with the VESTRA_LOG record, line writing, closing, the
// "_bck" backup and the date text. Every failure here is fatal (status 7)
// and leaves what was written on disk.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Longest file name the tool accepts; a longer one ends the run with a message.
inline constexpr std::size_t file_name_limit = 1023;

// Ends the run (CMDERREUR) when name is longer than file_name_limit.
void check_name_length(std::string_view name);

// Directory + base (a bare name gains "./"), plus "." and the kind's suffix
// when the name has none and the kind takes a default one.
void complete_file_name(std::string& name, int kind);

// Mode 0 "r", 1 "w" (create or empty), 2 "w+". After a successful mode-1
// open a name ending in ".ptu" is recorded in log_name (when not empty).
// A failure reports IMPOUVFIC (fatal); true otherwise.
bool open_file(std::string_view name, std::FILE*& stream, int mode, std::string_view log_name);

// The VESTRA_LOG file opened for appending (created when missing);
// nullptr when log_name is empty, IMPOUVFIC (fatal) when it cannot be opened.
std::FILE* open_log(std::string_view log_name);
// Appends "PTU <name>" when name ends in ".ptu"; nothing on a null log.
void record_in_log(std::FILE* log, std::string_view name);
// Closes the log; a record that could not be written is IMPECRFIC naming it.
void close_log(std::FILE* log, std::string_view log_name);

// text and a line feed; a write error reports IMPECRFIC naming name.
void write_line(std::string_view name, std::FILE* stream, std::string_view text);

// Flushes (a write error is IMPECRFIC) and closes (IMPFERFIC); then removes
// the file when asked (a failed removal is IMPFERFIC too).
bool close_file(std::string_view name, std::FILE*& stream, bool remove);

// Renames name to name followed by "_bck"; the rename's status, 0 on success.
int backup_file(std::string_view name);

// The local time in ctime's 24-character form, without the line feed.
std::string date_text();
