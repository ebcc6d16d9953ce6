// Opening the script: names completed in place, the long-lived contexts
// started, an existing script moved to its "_bck" name, then the new one
// created with its header.
//
// Any existing script is moved, readable or not: renaming needs only the
// directory's permission, and an unreadable script would otherwise be
// emptied without a copy. A directory of that name is left alone; opening
// it for writing then fails with the open's own message.
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

bool exists_as_file(const std::string& name)
{
    struct stat info {};
    return lstat(name.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

void keep_previous_script(const std::string& name)
{
    if (!exists_as_file(name))
        return;
    if (backup_file(name) != 0)
        report_fatal("IMPFICREN", name);
    report_info("FICRENAME", name);
}

bool same_inode(const std::string& a, const std::string& b)
{
    struct stat first {}, second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// A script written over one of the run's own sources would move that source
// aside and then analyse the script in its place: refuse before touching anything.
void refuse_input_as_script(const option_values& v)
{
    std::vector<std::string> inputs = {v.tested_file, v.std_define_file};
    for (const file_list* list : {&v.integrated_files, &v.simulated_files})
        for (const file_entry& entry : *list)
            if (entry.text)
                inputs.push_back(complete_name(entry.text, kind_cpp));
    for (const file_entry& entry : v.used_files)
        if (entry.text)
            inputs.push_back(complete_name(entry.text, kind_exh));
    for (const std::string& input : inputs) {
        if (input.empty() || !same_inode(input, v.generated_file))
            continue;
        std::string argument =
            QCoreApplication::translate("CmdLine", "the generated file is an input file:").toLocal8Bit().toStdString();
        report_fatal("CMDERREUR", argument + " " + v.generated_file);
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

    refuse_input_as_script(v);
    start_context(run.test_context, v, true);
    start_context(run.use_context, v, false);

    keep_previous_script(v.generated_file);
    open_file(v.generated_file, run.script, 1, v.vestra_log_name);
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
