// morvacpp: runs the preprocessor alone on one file, exactly as the
// generator does (the text #include "file" after the context's
// initialisation, the -STD_DEFINE file first when there is one), and writes
// the preprocessed text on the standard output. Messages, summary and exit
// statuses are those of morvastart.
#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>

#include "diag/report.h"
#include "driver/command_analyser.h"
#include "driver/handle_options.h"
#include "driver/option_values.h"
#include "driver/startup.h"
#include "prepro/preprocessor.h"
#include "support/unique_strings.h"

namespace {

const char* const english_usage =
    "\nUsage morvacpp:\n\t<file>\n\t[-INCL=<directory>[,directory]]\n\t[-DEFINE=<identifier>[,identifier]]\n"
    "\t[-STD_DEFINE=<define_file>]\n\t[-PREPRO_ONLY]\n";
const char* const french_usage =
    "\nUsage morvacpp:\n\t<fichier>\n\t[-INCL=<repertoire>[,repertoire]]\n"
    "\t[-DEFINIR=<identificateur>[,identificateur]]\n\t[-DEFINE_STD=<fichier_define>]\n\t[-PREPRO_SEUL]\n";

argument_type text_value(const char* french, const char* english, char list)
{
    return {.names = {french, french, english}, .kind = 'C', .list_allowed = list, .min = 1, .max = 255};
}

command_table make_morvacpp_table()
{
    command_table table;
    table.options = {
        {.names = {"INCL", "INCL", "INCL"}, .value_mandatory = 1,
         .argument = text_value("repertoire", "directory", 'Y')},
        {.names = {"DEFINIR", "DEFINIR", "DEFINE"}, .value_mandatory = 1,
         .argument = text_value("identificateur", "identifier", 'Y')},
        {.names = {"DEFINE_STD", "DEFINE_STD", "STD_DEFINE"}, .value_mandatory = 1,
         .argument = text_value("fichier_define", "define_file", 'N')},
        {.names = {"PREPRO_SEUL", "PREPRO_SEUL", "PREPRO_ONLY"}},
    };
    argument_type file = text_value("fichier", "file", 'N');
    file.mandatory = 1;
    table.positionals = {file};
    table.usage = {french_usage, french_usage, english_usage};
    return table;
}

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
    command_table command = make_morvacpp_table();
    std::vector<std::string> working;
    if (expand_arguments(command, argc, argv, working) != 0 || analyse_command(command, working) != 0)
        report_fatal("CMDFATALE", "");

    option_values& values = options();
    std::string image;
    add_list_option(command, "INCL", values.include_dirs, image, false, false);
    add_list_option(command, "DEFINE", values.defined_macros, image, true, false);
    if (int index = option_index(command, "STD_DEFINE"); index != 0) {
        if (const value_node* v = option_value(command, index, 1))
            values.std_define_file = v->text;
    } else if (const char* root = std::getenv("ZRLTGT")) {
        values.std_define_file = std::string(root) + "/ana/knus_c.def";
    }
    if (option_index(command, "PREPRO_ONLY") != 0) {
        values.prepro_only_flag = 1;
        cpp_set_escape_file_names(true);
    }
    const value_node* file = positional_value(command, 1, 1);

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
