// Diagnostic reporting and the end-of-execution summary; see report.h.
// Lines are assembled as bytes: the catalogue text is converted to the local
// 8-bit encoding once, then %1 and %2 are filled in a single pass, so a "%"
// inside an inserted prefix or argument stays an ordinary character.
#include "diag/report.h"

#include <cstdio>

#include "diag/message_catalogue.h"
#include "support/checked_calls.h"

namespace {

constexpr int shown_errors_limit = 60;
constexpr int shown_warnings_limit = 120;
constexpr std::size_t current_file_limit = 1023;

struct report_state {
    std::string current_file;
    int current_line = 0;
    int error_count = 0;
    int warning_count = 0;
    bool has_previous = false;
    std::string previous_code;
    std::string previous_file;
    int previous_line = 0;
    bool not_shown = false;
    bool console = true;
    QString error_file_name;
    std::FILE* error_file = nullptr;
};

report_state& state()
{
    static report_state s;
    return s;
}

constexpr char letters[] = {'S', 'F', 'E', 'W', 'I'};

// Appended piece by piece: gcc 12 warns (-Wrestrict, wrongly) on
// "literal" + std::string once inlined at -O3.
std::string position_prefix(std::string_view file_name, int line)
{
    if (file_name.empty() && line == 0)
        return {};
    std::string prefix = "[";
    if (!file_name.empty()) {
        prefix += file_name;
        prefix += ':';
    }
    prefix += std::to_string(line);
    prefix += "] ";
    return prefix;
}

bool is_repeat(const char* code, std::string_view file_name, int line)
{
    report_state& s = state();
    bool repeat = s.has_previous && s.previous_code == code && s.previous_file == file_name &&
                  s.previous_line == line;
    s.has_previous = true;
    s.previous_code = code;
    s.previous_file = std::string(file_name);
    s.previous_line = line;
    return repeat;
}

std::string fill_markers(const std::string& text, std::string_view first, std::string_view second)
{
    std::string body;
    body.reserve(text.size() + first.size() + second.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            body += text[i + 1] == '1' ? first : second;
            ++i;
        } else {
            body += text[i];
        }
    }
    return body;
}

void write_message(const std::string& line, bool keep_off_console)
{
    report_state& s = state();
    if (keep_off_console)
        s.not_shown = true;
    else if (s.console)
        std::fputs(line.c_str(), stderr);
    if (s.error_file)
        std::fputs(line.c_str(), s.error_file);
}

void close_error_file()
{
    report_state& s = state();
    if (s.error_file) {
        std::FILE* f = s.error_file;
        s.error_file = nullptr;
        checked_fclose(f);
    }
}

} // namespace

std::string message_line(const char* code, char letter, std::string_view first, std::string_view second)
{
    std::string line = "Tolvex-";
    line += letter;
    line += "-";
    line += code;
    line += ",  ";
    QString text;
    if (lookup_message(QString::fromLatin1(code), &text)) {
        line += fill_markers(text.toLocal8Bit().toStdString(), first, second);
    } else {
        line += first;
        line += " ";
        line += second;
    }
    line += "\n";
    return line;
}

void report_at(int kind, const char* code, const report_argument& argument, std::string_view file_name,
               int line)
{
    report_state& s = state();
    if (kind < kind_internal || kind > kind_info)
        kind = kind_internal;
    bool repeat = is_repeat(code, file_name, line);
    std::string prefix = position_prefix(file_name, line);
    bool keep_off = false;
    if (kind == kind_error) {
        ++s.error_count;
        keep_off = s.error_count > shown_errors_limit || repeat;
    } else if (kind == kind_warning) {
        ++s.warning_count;
        keep_off = s.warning_count > shown_warnings_limit || repeat;
    }
    format_message(code, letters[kind], prefix, argument.bytes(), keep_off);
    if (kind == kind_internal || kind == kind_fatal) {
        close_error_file();
        exit_process(kind == kind_internal ? 9 : 7);
    }
}

void report_internal(const char* code, const report_argument& argument)
{
    report_at(kind_internal, code, argument, state().current_file, state().current_line);
    exit_process(9); // not reached
}

void report_fatal(const char* code, const report_argument& argument)
{
    report_at(kind_fatal, code, argument, state().current_file, state().current_line);
    exit_process(7); // not reached
}

void report_error(const char* code, const report_argument& argument)
{
    report_at(kind_error, code, argument, state().current_file, state().current_line);
}

void report_warning(const char* code, const report_argument& argument)
{
    report_at(kind_warning, code, argument, state().current_file, state().current_line);
}

void report_info(const char* code, const report_argument& argument)
{
    report_at(kind_info, code, argument, state().current_file, state().current_line);
}

void set_current_file(std::string_view name)
{
    state().current_file = std::string(name.substr(0, current_file_limit));
}

void set_current_line(int line)
{
    state().current_line = line;
}

void report_with_position(int kind, const char* code, const report_argument& argument,
                          std::string_view file_name, int line)
{
    set_current_file(file_name);
    set_current_line(line);
    report_at(kind, code, argument, state().current_file, state().current_line);
}

void open_error_file(const QString& name)
{
    report_state& s = state();
    s.console = true;
    if (name.isEmpty())
        return;
    s.error_file_name = name;
    s.error_file = std::fopen(name.toLocal8Bit().constData(), "w");
    if (s.error_file == nullptr) {
        // This text takes the file name in place of the position prefix.
        format_message("FICERROPN", 'F', name.toLocal8Bit().toStdString(), "", false);
        exit_process(7);
    }
}

void end_of_execution(bool remove_clean_error_file)
{
    report_state& s = state();
    std::string errors = std::to_string(s.error_count);
    std::string warnings = std::to_string(s.warning_count);
    const char* code;
    std::string first, second;
    int status;
    if (s.error_count > 0 && s.warning_count > 0) {
        code = "ENDERRWAR", first = errors, second = warnings, status = 5;
    } else if (s.error_count > 0) {
        code = "ENDERRNWR", first = errors, status = 5;
    } else if (s.warning_count > 0) {
        code = "ENDNOEWAR", second = warnings, status = 3;
    } else {
        code = "ENDNOENWR", status = 0;
    }
    if (status != 0 && s.not_shown)
        format_message("MORERWALI", 'I', s.error_file_name.toLocal8Bit().toStdString(), "", false);
    format_message(code, 'I', first, second, false);
    close_error_file();
    if (status == 0 && remove_clean_error_file && !s.error_file_name.isEmpty())
        std::remove(s.error_file_name.toLocal8Bit().constData());
    exit_process(status);
}

void finish_run()
{
    end_of_execution(true);
}

void format_message(const char* code, char letter, std::string_view first, std::string_view second,
                    bool keep_off_console)
{
    write_message(message_line(code, letter, first, second), keep_off_console);
}

report_counts current_counts()
{
    return {state().error_count, state().warning_count, state().not_shown};
}

void reset_reporting()
{
    close_error_file();
    state() = report_state{};
}
