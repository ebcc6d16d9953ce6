// The layout of a script after its header: twelve steps in a fixed order.
// Sections for options that were not given are left out entirely, titles
// included; with -INSERT the tested file is included rather than copied.
#include <string>

#include "driver/option_values.h"
#include "generator/directive_scan.h"
#include "generator/file_access.h"
#include "generator/file_identity.h"
#include "generator/generation.h"
#include "generator/section_writers.h"
#include "support/file_names.h"

namespace {

void write_header_statement(generation& run)
{
    std::string text(run.word(script_text::header_keyword));
    text += ' ';
    text += base_name(run.values.tested_file);
    text += ", , ";
    run.line(text);
    run.line("");
}

void write_tested_includes(generation& run)
{
    scan_tested_includes(run);
    // Copied text such as extern "C" { before an include leaves a brace open.
    if (open_brace_pending()) {
        run.line("#}");
        clear_open_brace();
    }
}

std::string quoted_include(std::string_view name)
{
    return "##include \"" + std::string(name) + "\"";
}

void write_used_headers(generation& run)
{
    run.title_block(script_text::title_used_headers);
    run.line("");
    for (const file_entry& entry : run.values.used_files) {
        std::string header = entry.text ? entry.text : "";
        complete_file_name(header, kind_exh);
        analyse_include(header, run.test_context);
        analyse_include(header, run.use_context);
        run.line(quoted_include(header));
    }
    run.line("");
}

void write_inserted_file(generation& run)
{
    run.title_block(script_text::title_inserted_declarations);
    run.line("");
    std::string tested = run.values.tested_file;
    complete_file_name(tested, kind_cpp);
    analyse_include(tested, run.test_context);
    run.line(quoted_include(tested));
    run.line("");
}

void write_integrated_section(generation& run)
{
    run.title_block(script_text::title_integrate_declarations);
    run.line("");
    for (const file_entry& entry : run.values.integrated_files)
        write_integrated_declarations(run, entry.text ? entry.text : "");
    run.line("");
}

void write_begin(generation& run)
{
    run.line(separator_line());
    run.line("");
    run.line(run.word(script_text::begin_keyword));
    run.line("");
}

// Environments of the integrated or simulated files: no statics.
void write_list_environments(generation& run, const file_list& files, script_text title)
{
    run.short_title(title);
    for (const file_entry& entry : files) {
        std::string file = completed_source_name(entry.text ? entry.text : "");
        work_analysis work(run, file);
        write_file_environment(run, file, work.context(), false);
    }
}

void write_tested_environment(generation& run)
{
    bool insert = run.values.insert_flag != 0;
    run.short_title(insert ? script_text::title_inserted_environment : script_text::title_tested_environment);
    std::string tested = completed_source_name(run.values.tested_file);
    work_analysis work(run, tested);
    write_file_environment(run, tested, work.context(), insert);
}

void write_services(generation& run)
{
    run.title_block(script_text::title_services);
    std::string tested = completed_source_name(run.values.tested_file);
    work_analysis work(run, tested);
    write_tested_services(run, tested, work.context());
}

} // namespace

void write_script_body(generation& run)
{
    const option_values& v = run.values;
    bool insert = v.insert_flag != 0;
    write_header_statement(run);
    if (!insert)
        write_tested_includes(run);
    if (!v.used_files.empty())
        write_used_headers(run);
    if (!insert) {
        run.title_block(script_text::title_tested_declarations);
        write_tested_declarations(run, completed_source_name(v.tested_file));
    } else {
        write_inserted_file(run);
    }
    if (!v.integrated_files.empty())
        write_integrated_section(run);
    write_begin(run);
    if (!v.simulated_files.empty()) {
        run.title_block(script_text::title_stub_declarations);
        for (const file_entry& entry : v.simulated_files)
            write_stub_definition(run, entry.text ? entry.text : "");
    }
    run.title_block(script_text::title_environments);
    run.line("");
    if (!v.integrated_files.empty())
        write_list_environments(run, v.integrated_files, script_text::title_integrated_environments);
    if (!v.simulated_files.empty())
        write_list_environments(run, v.simulated_files, script_text::title_simulated_environments);
    write_tested_environment(run);
    write_services(run);
}
