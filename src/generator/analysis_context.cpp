// Analysis contexts: see analysis_context.h. Every text goes through the
// preprocessor with an empty base name and first line 0, so line markers
// name only real files; only the standard-definitions include is analysed
// with analyse-all, so a stop_analyse pragma elsewhere keeps its effect.
#include "generator/analysis_context.h"

#include <vector>

#include "driver/option_values.h"

namespace {

std::vector<std::string> texts_of(const file_list& list)
{
    std::vector<std::string> texts;
    texts.reserve(list.size());
    for (const file_entry& entry : list)
        texts.emplace_back(entry.text ? entry.text : "");
    return texts;
}

std::string quoted_include(std::string_view file)
{
    return "#include \"" + std::string(file) + "\"";
}

} // namespace

void start_context(analysis_context& context, const option_values& values, bool set_up_directories)
{
    context.scopes.reset(values.class_name);
    cpp_initialise(values.restriction_ansi != 0, values.restriction_kr != 0, script_language,
                   texts_of(values.defined_macros), texts_of(values.include_dirs), context.names,
                   set_up_directories, report_with_position);
    context.started = true;
    if (values.std_define_file.empty())
        return;
    std::string result;
    cpp_preprocess_text(quoted_include(values.std_define_file), true, "", 0, result, context.names,
                        report_with_position);
    analyse_declarations(result, context.scopes, values.std_define_file, "");
}

void end_context(analysis_context& context, bool release_directories)
{
    if (!context.started)
        return;
    cpp_finish(context.names, release_directories);
    context.started = false;
}

void analyse_text(std::string_view text, analysis_context& context, std::string_view file_name,
                  std::string_view service_name)
{
    std::string result;
    cpp_preprocess_text(text, false, "", 0, result, context.names, report_with_position);
    analyse_declarations(result, context.scopes, file_name, service_name);
}

std::string include_text_for(std::string_view file, analysis_context& context)
{
    std::string expanded;
    cpp_preprocess_text(file, false, "", 0, expanded, context.names, report_with_position);
    if (!expanded.empty() && (expanded.front() == '<' || expanded.front() == '"'))
        return "#include " + expanded;
    return quoted_include(file);
}

void analyse_include(std::string_view file, analysis_context& context)
{
    analyse_text(include_text_for(file, context), context, file, "");
}
