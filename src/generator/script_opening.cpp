// Opening the script: names completed in place, the files the run writes
// checked against the ones it reads, the long-lived contexts started, then
// the new script begun (as a temporary file, see script_replacement.h) with
// its header. The existing script is left alone until the new one is
// complete.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <QCoreApplication>

#include "diag/report.h"
#include "driver/option_values.h"
#include "generator/file_access.h"
#include "generator/generation.h"
#include "generator/script_header.h"
#include "support/file_names.h"

namespace {

// One file on disk: the same inode when both exist, else the same path once
// made absolute (a file the run will create exists only as a name).
bool one_file(const std::string& a, const std::string& b)
{
    struct stat first {}, second {};
    bool a_exists = stat(a.c_str(), &first) == 0;
    bool b_exists = stat(b.c_str(), &second) == 0;
    if (a_exists && b_exists)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    if (a_exists != b_exists)
        return false;
    std::error_code a_error, b_error;
    std::filesystem::path a_path = std::filesystem::weakly_canonical(a, a_error);
    std::filesystem::path b_path = std::filesystem::weakly_canonical(b, b_error);
    if (a_error || b_error)
        return a == b;
    return a_path == b_path;
}

[[noreturn]] void refuse(const char* reason, const std::string& name)
{
    std::string argument = QCoreApplication::translate("CmdLine", reason).toLocal8Bit().toStdString();
    report_fatal("CMDERREUR", argument + " " + name);
}

// A file the run writes must not be one it reads, nor be written twice: a
// script over a source would move the source aside and analyse the script
// in its place; a symbol table or log over a source or the script would
// empty or extend it. Refused before anything is touched.
// Each named input as written and, since the include search may find it
// there, inside each -INCL directory.
std::vector<std::string> input_files(const option_values& v)
{
    std::vector<std::string> inputs = {v.tested_file, v.std_define_file};
    auto add = [&](const char* text, int kind) {
        if (!text)
            return;
        std::string completed = complete_name(text, kind);
        inputs.push_back(completed);
        if (*text == '/')
            return;
        // A bare name was given "./" by the completion; the search does not add it.
        std::string relative = std::strchr(text, '/') ? completed : completed.substr(2);
        for (const file_entry& directory : v.include_dirs)
            if (directory.text)
                inputs.push_back(std::string(directory.text) + "/" + relative);
    };
    for (const file_list* list : {&v.integrated_files, &v.simulated_files})
        for (const file_entry& entry : *list)
            add(entry.text, kind_cpp);
    for (const file_entry& entry : v.used_files)
        add(entry.text, kind_exh);
    return inputs;
}

void refuse_overlapping_files(const option_values& v)
{
    const std::vector<std::string> inputs = input_files(v);
    for (const std::string* written : {&v.generated_file, &v.symbtab_file, &v.vestra_log_name}) {
        if (written->empty())
            continue;
        for (const std::string& input : inputs)
            if (!input.empty() && one_file(input, *written))
                refuse(QT_TRANSLATE_NOOP("CmdLine", "the generated file is an input file:"), *written);
        if (written != &v.generated_file && one_file(*written, v.generated_file))
            refuse(QT_TRANSLATE_NOOP("CmdLine", "the generated file is written twice:"), *written);
    }
}

} // namespace

bool open_script(generation& run, std::string_view command_image)
{
    option_values& v = run.values;
    if (v.tested_file.empty() || v.generated_file.empty())
        return false;
    complete_file_name(v.tested_file, kind_cpp);
    complete_file_name(v.generated_file, kind_ptu);
    if (!v.symbtab_file.empty())
        complete_file_name(v.symbtab_file, kind_smb);
    if (!v.std_define_file.empty())
        complete_file_name(v.std_define_file, kind_def);

    refuse_overlapping_files(v);
    start_context(run.test_context, v, true);
    start_context(run.use_context, v, false);

    run.script = run.replacement.open(v.generated_file);
    run.date = date_text();

    header_fields fields;
    fields.command_image = command_image;
    fields.generated_file = v.generated_file;
    fields.tested_file = v.tested_file;
    for (const file_entry& entry : v.integrated_files)
        fields.integrated_files.emplace_back(entry.text ? entry.text : "");
    fields.insert = v.insert_flag != 0;
    fields.date = run.date;
    write_header(run.script, fields);
    return true;
}
