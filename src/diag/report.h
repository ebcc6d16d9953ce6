// Coded diagnostics: every message of the tool goes through these operations.
//
// A message line is "Tolvex-<letter>-<code>,  " followed by the catalogue text
// with %1 replaced by the position prefix and %2 by the argument. Errors and
// warnings are counted; at most 60 error and 120 warning lines are shown, and
// a report repeating the previous code, file and line is counted but not
// shown. Fatal and internal reports end the process at once (status 7 and 9).
//
// Arguments are byte strings: texts from sources keep their bytes exactly;
// translated (QString) arguments are converted to the local 8-bit encoding.
#pragma once

#include <string>
#include <string_view>

#include <QString>

enum report_kind { kind_internal = 0, kind_fatal = 1, kind_error = 2, kind_warning = 3, kind_info = 4 };

// The argument of a report, from either a byte string or a translated text.
class report_argument {
public:
    report_argument() = default;
    report_argument(const char* text) : bytes_(text ? text : "") {}
    report_argument(std::string_view text) : bytes_(text) {}
    report_argument(const std::string& text) : bytes_(text) {}
    report_argument(const QString& text) : bytes_(text.toLocal8Bit().toStdString()) {}
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

[[noreturn]] void report_internal(const char* code, const report_argument& argument = {});
[[noreturn]] void report_fatal(const char* code, const report_argument& argument = {});
void report_error(const char* code, const report_argument& argument = {});
void report_warning(const char* code, const report_argument& argument = {});
void report_info(const char* code, const report_argument& argument = {});

void report_at(int kind, const char* code, const report_argument& argument, std::string_view file_name,
               int line);

// The callback form handed to the preprocessor and the analyser: sets the
// current position, then reports.
void report_with_position(int kind, const char* code, const report_argument& argument,
                          std::string_view file_name, int line);
using report_callback = void (*)(int kind, const char* code, const report_argument& argument,
                                 std::string_view file_name, int line);

void set_current_file(std::string_view name);
void set_current_line(int line);

// Turns console output on; a non-empty name also opens that error file (FICERROPN if it cannot).
void open_error_file(const QString& name);

// One message line (with its final line feed), built without printing it.
std::string message_line(const char* code, char letter, std::string_view first, std::string_view second);

// Builds the line and writes it to the console (unless kept off, which marks
// that a line was not shown) and to the error file when one is open.
void format_message(const char* code, char letter, std::string_view first, std::string_view second,
                    bool keep_off_console);

[[noreturn]] void end_of_execution(bool remove_clean_error_file);
[[noreturn]] void finish_run();

// Counters and state, exposed for tests and for the summary.
struct report_counts {
    int errors;
    int warnings;
    bool not_shown;
};
report_counts current_counts();
void reset_reporting(); // tests only: back to the state at process start
