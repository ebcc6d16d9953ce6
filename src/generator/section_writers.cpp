// Section writers: see section_writers.h. The blocks themselves are written
// by declaration_list.cpp, stub_definition.cpp, file_environment.cpp and
// service_blocks.cpp.
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
