// Both commands share the table and the option reading so that a change to
// the preprocessor's options reaches them together; only their names and
// morvacpp's -PREPRO_ONLY differ.
#include "driver/single_file_command.h"

#include <cstdlib>

#include "diag/report.h"
#include "driver/handle_options.h"

namespace {

argument_type text_value(const char* french, const char* english, char list)
{
    return {.names = {french, french, english}, .kind = 'C', .list_allowed = list, .min = 1, .max = 255};
}

} // namespace

command_table make_single_file_table(const std::string& command_name, bool with_prepro_only)
{
    command_table table;
    table.options = {
        {.names = {"INCL", "INCL", "INCL"}, .value_mandatory = 1,
         .argument = text_value("repertoire", "directory", 'Y')},
        {.names = {"DEFINIR", "DEFINIR", "DEFINE"}, .value_mandatory = 1,
         .argument = text_value("identificateur", "identifier", 'Y')},
        {.names = {"DEFINE_STD", "DEFINE_STD", "STD_DEFINE"}, .value_mandatory = 1,
         .argument = text_value("fichier_define", "define_file", 'N')},
    };
    if (with_prepro_only)
        table.options.push_back({.names = {"PREPRO_SEUL", "PREPRO_SEUL", "PREPRO_ONLY"}});
    argument_type file = text_value("fichier", "file", 'N');
    file.mandatory = 1;
    table.positionals = {file};
    const std::string head = std::string("\nUsage ") + command_name + ":\n\t<";
    const std::string english = head + "file>\n\t[-INCL=<directory>[,directory]]\n"
                                       "\t[-DEFINE=<identifier>[,identifier]]\n\t[-STD_DEFINE=<define_file>]\n" +
                                (with_prepro_only ? "\t[-PREPRO_ONLY]\n" : "");
    const std::string french = head + "fichier>\n\t[-INCL=<repertoire>[,repertoire]]\n"
                                      "\t[-DEFINIR=<identificateur>[,identificateur]]\n"
                                      "\t[-DEFINE_STD=<fichier_define>]\n" +
                               (with_prepro_only ? "\t[-PREPRO_SEUL]\n" : "");
    table.usage = {french, french, english};
    return table;
}

void analyse_single_file_command(command_table& command, int argc, char** argv)
{
    std::vector<std::string> working;
    if (expand_arguments(command, argc, argv, working) != 0 || analyse_command(command, working) != 0)
        report_fatal("CMDFATALE", "");
}

const value_node* read_single_file_options(command_table& command, option_values& values)
{
    std::string image;
    add_list_option(command, "INCL", values.include_dirs, image, false, false);
    add_list_option(command, "DEFINE", values.defined_macros, image, true, false);
    if (int index = option_index(command, "STD_DEFINE"); index != 0) {
        if (const value_node* v = option_value(command, index, 1))
            values.std_define_file = v->text;
    } else if (const char* root = std::getenv("ZRLTGT")) {
        values.std_define_file = std::string(root) + "/ana/knus_c.def";
    }
    return positional_value(command, 1, 1);
}
