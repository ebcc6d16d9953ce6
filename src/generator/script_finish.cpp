// The end of a generation: the symbol-table file (created or emptied; the
// list of defined functions is parsed as a value but nothing is written),
// the end of the two long-lived preprocessor states, and the close of the
// script.
#include <memory>
#include <string>

#include "driver/option_values.h"
#include "expr/parse_expression.h"
#include "generator/file_access.h"
#include "generator/generation.h"
#include "generator/section_writers.h"

namespace {

void write_symbol_table(generation& run)
{
    const option_values& v = run.values;
    std::string functions;
    {
        work_analysis work(run, v.tested_file);
        functions = defined_functions_text(work.context().scopes, v.tested_file);
    }
    // The work context has ended: the list is parsed without a table, so its
    // names are plain identifiers and only a malformed list is reported.
    std::unique_ptr<expression_tree> list =
        parse_expression(functions, nullptr, "", v.tested_file, 1, report_with_position);
    free_expression(list);
    std::FILE* stream = nullptr;
    open_file(v.symbtab_file, stream, 1, v.vestra_log_name);
    close_file(v.symbtab_file, stream, false);
}

} // namespace

void finish_script(generation& run, std::string_view)
{
    if (!run.values.symbtab_file.empty())
        write_symbol_table(run);
    end_context(run.use_context, false);
    end_context(run.test_context, true);
    close_file(run.values.generated_file, run.script, false);
}
