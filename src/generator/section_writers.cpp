// Section writers: see section_writers.h. Each file is analysed as the
// finished writers will need it; nothing is written from the analysis yet.
#include "generator/section_writers.h"

#include <string>

#include "generator/analysis_context.h"
#include "generator/file_access.h"
#include "generator/generation.h"
#include "support/file_names.h"

std::string completed_source_name(std::string_view file)
{
    std::string name(file);
    complete_file_name(name, kind_cpp);
    return name;
}

work_analysis::work_analysis(generation& run, std::string_view file) : context_(std::make_unique<analysis_context>())
{
    start_context(*context_, run.values, false);
    analyse_include(file, *context_);
}

work_analysis::~work_analysis()
{
    end_context(*context_, false);
}

void write_tested_declarations(generation& run, std::string_view tested_file)
{
    work_analysis work(run, tested_file);
}

void write_integrated_declarations(generation& run, std::string_view file)
{
    work_analysis work(run, completed_source_name(file));
}

void write_stub_definition(generation& run, std::string_view file)
{
    work_analysis work(run, completed_source_name(file));
}

void write_file_environment(generation&, std::string_view, analysis_context&, bool) {}

void write_tested_services(generation&, std::string_view, analysis_context&) {}
