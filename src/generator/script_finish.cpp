// The end of a generation: the symbol-table step, the end of the two
// long-lived preprocessor states, the close of the script and its move into
// place with the VESTRA_LOG records.
//
// Everything that can still fail runs before the script is put in place:
// the script's own close (a late write error), the symbol-table file and the
// opening of the log. A failure there leaves the old script and its backup
// as they were. The log lines are appended once the script exists, in the
// order the files were made: the script first, then the symbol table.
#include <string>

#include "diag/report.h"
#include "driver/option_values.h"
#include "generator/file_access.h"
#include "generator/generation.h"
#include "generator/section_writers.h"

namespace {

void gather_symbol_table(generation& run)
{
    const option_values& v = run.values;
    std::string functions;
    {
        work_analysis work(run, v.tested_file);
        functions = defined_functions_text(work.context().scopes, v.tested_file);
    }
    (void)functions; // the expression parse of the list joins with the expression parser
}

// Created or emptied; nothing is written into it.
void create_symbol_table(const option_values& v)
{
    std::FILE* stream = nullptr;
    open_file(v.symbtab_file, stream, 1, "");
    close_file(v.symbtab_file, stream, false);
}

} // namespace

void finish_script(generation& run, std::string_view)
{
    const option_values& v = run.values;
    if (!v.symbtab_file.empty())
        gather_symbol_table(run);
    end_context(run.use_context, false);
    end_context(run.test_context, true);
    // What follows concerns the output files, not a position in a source.
    set_current_file("");
    set_current_line(0);
    close_file(v.generated_file, run.script, false);
    if (!v.symbtab_file.empty())
        create_symbol_table(v);
    std::FILE* log = open_log(v.vestra_log_name);
    run.replacement.put_in_place();
    record_in_log(log, v.generated_file);
    if (!v.symbtab_file.empty())
        record_in_log(log, v.symbtab_file);
    close_log(log, v.vestra_log_name);
}
