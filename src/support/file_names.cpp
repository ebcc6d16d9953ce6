// File kinds and file names: see file_names.h.
#include "support/file_names.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "diag/report.h"

namespace {

struct kind_row {
    const char* variable;
    const char* suffix;
    bool default_applies;
};

constexpr kind_row kinds[file_kind_count] = {
    {"MORVATDC", "tdc", false}, {"MORVARO", "ro", false},   {"MORVARIO", "rio", false},
    {"MORVARIO2", "ri2", false}, {"MORVAPTU", "ptu", true},  {"MORVASEG", "seg", false},
    {"MORVALIS", "lis", true},   {"MORVASMB", "smb", true},  {"MORVADEF", "def", true},
    {"MORVAEXC", "c", true},     {"MORVAEXH", "h", true},    {"MORVACPP", "cc", true},
    {"MORVAROD", "rod", false},  {"MORVADDT", "ddt", false}, {"MORVAMDT", "mdt", false},
    {"MORVAEXI", "i", true},
};

} // namespace

const char* file_kind_variable(int kind)
{
    return kind >= 0 && kind < file_kind_count ? kinds[kind].variable : "";
}

std::string file_kind_suffix(int kind)
{
    if (kind < 0 || kind >= file_kind_count)
        return {};
    if (const char* value = std::getenv(kinds[kind].variable))
        return value;
    return kinds[kind].suffix;
}

void split_suffix(std::string_view name, std::string& base, std::string& suffix)
{
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        base = std::string(name);
        suffix.clear();
        return;
    }
    std::string b(name.substr(0, dot));
    std::string s(name.substr(dot + 1));
    base = std::move(b);
    suffix = std::move(s);
}

void split_path(std::string_view path, std::string& directory, std::string& file_name)
{
    std::size_t slash = path.rfind('/');
    std::string dir;
    std::string file;
    if (slash == std::string_view::npos) {
        dir = ".";
        file = std::string(path);
    } else {
        dir = slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
        file = std::string(path.substr(slash + 1));
    }
    directory = dir + "/";
    file_name = std::move(file);
}

std::string complete_name(std::string_view name, int kind)
{
    std::string directory, file, base, suffix;
    split_path(name, directory, file);
    split_suffix(file, base, suffix);
    if (suffix.empty() && kind >= 0 && kind < file_kind_count && kinds[kind].default_applies)
        suffix = file_kind_suffix(kind);
    std::string result = directory + base;
    if (!suffix.empty())
        result += "." + suffix;
    return result;
}

int check_directory(std::string_view path)
{
    struct stat info {};
    std::string p(path);
    if (stat(p.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return 0;
    report_warning("INCLTYPER", p);
    return 1;
}

int not_readable(std::string_view path)
{
    std::string p(path);
    return access(p.c_str(), R_OK) == 0 ? 0 : 1;
}

void remove_file(std::string_view path)
{
    std::string p(path);
    (void)std::remove(p.c_str());
}
