// morvadecl: shows what the declaration analyser recorded for one file. The
// file is analysed as the generator analyses a tested file (a fresh context
// with the -INCL, -DEFINE and -STD_DEFINE options, then the text
// #include "file"), and every entry of the tag, symbol and enumerator
// buckets is printed in walk order, one line each, fields separated by tabs:
// list, bucket, name, kind, file, declared and defined sequence numbers,
// storage words, and the plain declaration. Messages, summary and exit
// statuses are those of morvastart.
#include <cstdio>

#include <QCoreApplication>

#include "analyser/print_declaration.h"
#include "diag/report.h"
#include "driver/option_values.h"
#include "driver/single_file_command.h"
#include "driver/startup.h"
#include "generator/analysis_context.h"
#include "support/unique_strings.h"

namespace {

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
    open_standard_descriptors();
    QCoreApplication application(argc, argv);
    start_tool(application);
    unique_string_init();
    command_table command = make_single_file_table("morvadecl", false);
    analyse_single_file_command(command, argc, argv);
    option_values& values = options();
    const value_node* file = read_single_file_options(command, values);

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
