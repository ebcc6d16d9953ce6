// morvacpp: runs the preprocessor alone on one file, exactly as the
// generator does (the text #include "file" after the context's
// initialisation, the -STD_DEFINE file first when there is one), and writes
// the preprocessed text on the standard output. Messages, summary and exit
// statuses are those of morvastart.
#include <cstdio>

#include <QCoreApplication>

#include "diag/report.h"
#include "driver/option_values.h"
#include "driver/single_file_command.h"
#include "driver/startup.h"
#include "prepro/preprocessor.h"
#include "support/unique_strings.h"

namespace {

std::vector<std::string> texts_of(const file_list& list)
{
    std::vector<std::string> texts;
    for (const file_entry& e : list)
        texts.emplace_back(e.text ? e.text : "");
    return texts;
}

// A failed write of the text (full disk, /dev/full) ends the run like the
// generator's own write errors.
void check_output()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return;
    set_current_file("");
    set_current_line(0);
    report_fatal("IMPECRFIC", QCoreApplication::translate("Error Parameter", "standard output",
                                                          "Used as a parameter for 'IMPECRFIC' error message"));
}

void preprocess_include(const std::string& file, bool analyse_all, name_table& table)
{
    std::string result;
    cpp_preprocess_text("#include \"" + file + "\"", analyse_all, "", 0, result, table, report_with_position);
    std::fwrite(result.data(), 1, result.size(), stdout);
    check_output();
}

} // namespace

int main(int argc, char** argv)
{
    open_standard_descriptors();
    QCoreApplication application(argc, argv);
    start_tool(application);
    unique_string_init();
    command_table command = make_single_file_table("morvacpp", true);
    analyse_single_file_command(command, argc, argv);
    option_values& values = options();
    const value_node* file = read_single_file_options(command, values);
    if (option_index(command, "PREPRO_ONLY") != 0) {
        values.prepro_only_flag = 1;
        cpp_set_escape_file_names(true);
    }

    name_table table;
    cpp_initialise(values.restriction_ansi != 0, false, script_language, texts_of(values.defined_macros),
                   texts_of(values.include_dirs), table, true, report_with_position);
    if (!values.std_define_file.empty())
        preprocess_include(values.std_define_file, true, table);
    if (file)
        preprocess_include(file->text, false, table);
    cpp_finish(table, true);
    check_output();
    finish_run();
}
