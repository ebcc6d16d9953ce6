// The include list, #include and #include_next, and the initialisation of a
// name table (include directories, predefined macros, special names and the
// command-line definitions).
//
// Every #include first appends the includer's directory to the list and
// turns that node into a null node once the included file has ended. A null
// node only repeats the attempt with the name as written, which has already
// failed, so the search passes over null nodes and the ended node is unlinked
// at once: the list then grows with the include depth, not with the number
// of includes, and the order of the directories is the same.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "driver/option_values.h"
#include "prepro/char_classes.h"
#include "prepro/preprocessor_state.h"

namespace {

// An expanded operand holds no markers: its separators are blanks.
std::string_view trim_blanks(std::string_view s) { return trim(s, is_space); }

bool header_form(std::string_view s)
{
    return s.size() >= 2 && ((s.front() == '"' && s.back() == '"') || (s.front() == '<' && s.back() == '>'));
}

// Reads a whole regular file; a NUL ends the text.
bool read_whole_file(const std::string& path, std::string& text)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    text.clear();
    if (info.st_size > 0)
        text.reserve(std::size_t(info.st_size) + 2);
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        const void* nul = std::memchr(chunk, '\0', got);
        if (nul) {
            text.append(chunk, std::size_t(static_cast<const char*>(nul) - chunk));
            break;
        }
        text.append(chunk, got);
    }
    std::fclose(f);
    return true;
}

} // namespace

void preprocessor::append_directory(std::string_view directory)
{
    include_node& node = nodes_.emplace_back();
    node.has_directory = true;
    node.directory = std::string(directory);
    node.linked = true;
    node.previous = last_node_;
    if (last_node_)
        last_node_->next = &node;
    else
        first_node_ = &node;
    last_node_ = &node;
    longest_directory_ = std::max(longest_directory_, node.directory.size());
}

include_node* preprocessor::add_file_directory(std::string_view file_name)
{
    if (file_name.empty())
        return nullptr;
    std::size_t slash = file_name.rfind('/');
    if (slash == std::string_view::npos)
        append_directory(".");
    else if (slash == 0)
        append_directory("/");
    else
        append_directory(file_name.substr(0, slash));
    return last_node_;
}

void preprocessor::unlink_node(include_node* node)
{
    if (!node->linked)
        return;
    if (node->previous)
        node->previous->next = node->next;
    else
        first_node_ = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        last_node_ = node->previous;
    node->linked = false;
    node->has_directory = false;
}

void preprocessor::reset_directories()
{
    for (include_node* n = first_node_; n; n = n->next)
        n->linked = false;
    first_node_ = last_node_ = nullptr;
}

const std::vector<std::string> preprocessor::include_list() const
{
    std::vector<std::string> list;
    for (include_node* n = first_node_; n; n = n->next)
        list.push_back(n->has_directory ? n->directory : std::string());
    return list;
}

bool preprocessor::push_file(const std::string& path, include_node* node, include_node* appended)
{
    if (replay_guarded_file(path, appended))
        return true;
    std::string text;
    if (!read_whole_file(path, text))
        return false;
    cpp_replace_trigraphs(text);
    cpp_replace_digraphs(text);
    if (text.empty() || text.back() != '\n')
        text.push_back('\n');
    if (!push_level(level_file, std::move(text), path, true, 1)) {
        if (appended)
            unlink_node(appended);
        return true; // refused with NBRECURSI
    }
    levels_.back().directory = node;
    levels_.back().appended_node = appended;
    line_marker(*output_, levels_.back());
    start_guard_recording(levels_.back());
    return true;
}

void preprocessor::do_include(output_buffer&, input_level&, std::string_view operand, bool next)
{
    std::string_view op = trim_blanks(operand);
    std::string expanded;
    if (!header_form(op)) {
        expanded = expand_text(*table_, op, expand_include);
        if (stopped_)
            return;
        op = trim_blanks(expanded);
        if (!header_form(op)) {
            report(kind_warning, "ERINCLUDE", "");
            return;
        }
    }
    std::string name(op.substr(1, op.size() - 2));
    include_node* start;
    include_node* appended = nullptr;
    input_level* includer = file_level();
    if (next && op.front() == '<') {
        include_node* found_in = includer ? includer->directory : nullptr;
        start = found_in && found_in->linked ? found_in->next : first_node_;
    } else {
        if (includer)
            appended = add_file_directory(includer->file_name);
        start = first_node_;
    }
    if (push_file(name, nullptr, appended))
        return;
    std::string path;
    path.reserve(name.size() + longest_directory_ + 2);
    for (include_node* n = start; n; n = n->next) {
        if (!n->has_directory)
            continue;
        path.assign(n->directory);
        path.push_back('/');
        path.append(name);
        if (push_file(path, n, appended))
            return;
    }
    if (appended)
        unlink_node(appended);
    report(kind_fatal, "IMPOUVFIC", name);
}

void preprocessor::initialise(bool strict, bool traditional, int language, const std::vector<std::string>& definitions,
                              const std::vector<std::string>& include_dirs, name_table& table,
                              bool set_up_directories, report_callback report)
{
    report_ = report;
    table_ = &table;
    stopped_ = false;
    language_ = language;
    classes_ready_ = true; // the classes are constant tables
    if (options().prepro_only_flag)
        escape_file_names = true;
    if (set_up_directories) {
        longest_directory_ = 19;
        for (const std::string& d : include_dirs)
            append_directory(d);
        const char* target = std::getenv("KNUTGT");
        if (!target)
            target = std::getenv("ZRLTGT");
        if (target)
            append_directory(std::string(target) + "/lib");
        if (std::getenv("MVX_ADD_USR_INCLUDE")) {
            append_directory("/usr/include");
            append_directory("/usr/local/include");
        }
    }
    for (const char* predefined : {"ZRL_LINUX 1", "USE_KNU 1", "ZRL_CPLUSPLUS_LANGUAGE 1"})
        define(predefined);
    strict_ = strict;
    traditional_ = traditional;
    struct special {
        const char* name;
        int kind;
    };
    static constexpr special specials[] = {{"__LINE__", name_line},   {"__DATE__", name_date},
                                           {"__FILE__", name_file},   {"__BASE_FILE__", name_base_file},
                                           {"__INCLUDE_LEVEL__", name_include_level},
                                           {"__TIME__", name_time},   {"__STDC__", name_stdc}};
    for (const special& s : specials) {
        if (s.kind == name_stdc && traditional)
            continue;
        name_entry* e = table.find(s.name);
        if (e && e->kind == s.kind)
            continue;
        table.add(s.name, s.kind)->value = 0;
    }
    for (const std::string& d : definitions)
        define_option(table, d);
}
