// File handling of the generator: see file_access.h.
//
// Streams are fully buffered, so a write error may surface only when the
// buffer is flushed: write_line tests the error indicator after every line
// and close_file flushes before closing, and both report the failure as the
// write error it is (IMPECRFIC), not as a failed close.
#include "generator/file_access.h"

#include <cstdio>
#include <ctime>

#include <QCoreApplication>

#include "diag/report.h"
#include "support/file_names.h"

void check_name_length(std::string_view name)
{
    if (name.size() <= file_name_limit)
        return;
    std::string argument =
        QCoreApplication::translate("CmdLine", "file name longer than 1023 characters:").toLocal8Bit().toStdString();
    argument += ' ';
    argument += name;
    report_fatal("CMDERREUR", argument);
}

void complete_file_name(std::string& name, int kind)
{
    check_name_length(name);
    std::string completed = complete_name(name, kind);
    check_name_length(completed);
    name = std::move(completed);
}

namespace {

constexpr std::string_view ptu_ending = ".ptu";

} // namespace

std::FILE* open_log(std::string_view log_name)
{
    if (log_name.empty())
        return nullptr;
    check_name_length(log_name);
    std::string log(log_name);
    std::FILE* stream = std::fopen(log.c_str(), "a");
    if (stream == nullptr)
        report_fatal("IMPOUVFIC", log);
    return stream;
}

void record_in_log(std::FILE* log, std::string_view name)
{
    if (log == nullptr || name.size() < ptu_ending.size() || name.substr(name.size() - ptu_ending.size()) != ptu_ending)
        return;
    std::string line = "PTU " + std::string(name) + "\n";
    std::fwrite(line.data(), 1, line.size(), log);
}

void close_log(std::FILE* log, std::string_view log_name)
{
    if (log == nullptr)
        return;
    bool failed = std::fflush(log) != 0 || std::ferror(log);
    if (std::fclose(log) != 0 || failed)
        report_fatal("IMPECRFIC", log_name);
}

bool open_file(std::string_view name, std::FILE*& stream, int mode, std::string_view log_name)
{
    static constexpr const char* modes[] = {"r", "w", "w+"};
    std::string file(name);
    stream = nullptr;
    check_name_length(file);
    if (mode >= 0 && mode <= 2)
        stream = std::fopen(file.c_str(), modes[mode]);
    // Only a file that really exists is recorded in the log.
    if (stream == nullptr)
        report_fatal("IMPOUVFIC", file);
    if (mode == 1 && !log_name.empty()) {
        std::FILE* log = open_log(log_name);
        record_in_log(log, file);
        close_log(log, log_name);
    }
    return true;
}

void write_line(std::string_view name, std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
    if (std::ferror(stream))
        report_fatal("IMPECRFIC", name);
}

bool close_file(std::string_view name, std::FILE*& stream, bool remove)
{
    std::FILE* closing = stream;
    stream = nullptr;
    if (std::fflush(closing) != 0 || std::ferror(closing)) {
        std::fclose(closing);
        report_fatal("IMPECRFIC", name);
    }
    if (std::fclose(closing) != 0)
        report_fatal("IMPFERFIC", name);
    if (remove && std::remove(std::string(name).c_str()) != 0)
        report_fatal("IMPFERFIC", name);
    return true;
}

int backup_file(std::string_view name)
{
    std::string from(name);
    std::string to = from + "_bck";
    return std::rename(from.c_str(), to.c_str());
}

std::string date_text()
{
    std::time_t now = std::time(nullptr);
    char buffer[64] = {};
    std::tm local {};
    localtime_r(&now, &local);
    // ctime's layout, spelled out so the locale cannot change the names.
    static constexpr const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::snprintf(buffer, sizeof buffer, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", days[local.tm_wday % 7],
                  months[local.tm_mon % 12], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_year + 1900);
    return buffer;
}
