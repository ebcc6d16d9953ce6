// morvadecl: shows what the declaration analyser recorded for one file. The
// file is analysed as the generator analyses a tested file (a fresh context
// with the -INCL, -DEFINE and -STD_DEFINE options, then the text
// #include "file"), and every entry of the tag, symbol and enumerator
// buckets is printed in walk order, one line each, fields separated by tabs:
// list, bucket, name, kind, file, declared and defined sequence numbers,
// storage words, and the plain declaration. Messages, summary and exit
// statuses are those of morvastart.
#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>

#include "analyser/print_declaration.h"
#include "diag/report.h"
#include "driver/command_analyser.h"
#include "driver/handle_options.h"
#include "driver/option_values.h"
#include "driver/startup.h"
#include "generator/analysis_context.h"
#include "support/unique_strings.h"

namespace {

const char* const english_usage =
    "\nUsage morvadecl:\n\t<file>\n\t[-INCL=<directory>[,directory]]\n\t[-DEFINE=<identifier>[,identifier]]\n"
    "\t[-STD_DEFINE=<define_file>]\n";
const char* const french_usage =
    "\nUsage morvadecl:\n\t<fichier>\n\t[-INCL=<repertoire>[,repertoire]]\n"
    "\t[-DEFINIR=<identificateur>[,identificateur]]\n\t[-DEFINE_STD=<fichier_define>]\n";

argument_type text_value(const char* french, const char* english, char list)
{
    return {.names = {french, french, english}, .kind = 'C', .list_allowed = list, .min = 1, .max = 255};
}

command_table make_morvadecl_table()
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
    argument_type file = text_value("fichier", "file", 'N');
    file.mandatory = 1;
    table.positionals = {file};
    table.usage = {french_usage, french_usage, english_usage};
    return table;
}

const char* kind_name(const type_node* type)
{
    static const char* const names[] = {"integral", "floating", "unused", "pointer", "array", "enum",
                                        "union",    "typedef",  "function", "void",  "struct", "modifier",
                                        "reference", "ellipsis", "template", "template_instance"};
    if (!type)
        return "none";
    return type->kind < 16 ? names[type->kind] : "unknown";
}

std::string storage_words(std::uint32_t flags)
{
    static const std::pair<std::uint32_t, const char*> words[] = {
        {SF_TYPEDEF, "typedef"}, {SF_EXTERN, "extern"}, {SF_STATIC, "static"}, {SF_AUTO, "auto"},
        {SF_REGISTER, "register"}, {SF_INLINE, "inline"}, {SF_VIRTUAL, "virtual"}, {SF_MUTABLE, "mutable"}};
    std::string text;
    for (const auto& [bit, word] : words)
        if (flags & bit) {
            if (!text.empty())
                text += ' ';
            text += word;
        }
    return text.empty() ? "-" : text;
}

// Line breaks of a declaration would split its line: they become blanks.
std::string one_line(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\t')
            c = ' ';
    return text;
}

void print_entry(const char* list, const symbol_entry& entry)
{
    const symbol* sym = entry.sym;
    if (!sym)
        return;
    const std::string name = sym->name.empty() && sym->type ? sym->type->tag_name() : sym->name;
    std::string declaration;
    print_declaration(sym, declaration, "", 0, false, "");
    std::printf("%s\t%d\t%s\t%s\t%s\t%llu\t%llu\t%s\t%s\n", list, entry.bucket, name.c_str(), kind_name(sym->type),
                sym->file.c_str(), static_cast<unsigned long long>(entry.declared_seq),
                static_cast<unsigned long long>(entry.defined_seq), storage_words(sym->specifier_flags).c_str(),
                one_line(declaration).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    start_tool(application);
    unique_string_init();
    command_table command = make_morvadecl_table();
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
    const value_node* file = positional_value(command, 1, 1);

    analysis_context context;
    start_context(context, values, true);
    if (file)
        analyse_include(file->text, context);
    walk_tags(context.scopes, [](symbol_entry& entry) { print_entry("tag", entry); });
    walk_symbols(context.scopes, [](symbol_entry& entry) { print_entry("symbol", entry); });
    walk_enumerators(context.scopes, [](symbol_entry& entry) { print_entry("enumerator", entry); });
    end_context(context, true);
    std::fflush(stdout);
    finish_run();
}
