// The ENVIRONMENT block of one file: a VAR line per settable global of the
// file, under a name made from the file's base name and suffix. A file
// whose only globals are const still gets its (empty) block.
#include "generator/section_writers.h"
#include "generator/file_environment.h"

#include "analyser/type_model.h"
#include "generator/analysis_context.h"
#include "generator/block_comments.h"
#include "generator/declaration_list.h"
#include "generator/file_identity.h"
#include "generator/generation.h"
#include "generator/var_lines.h"

namespace {

bool is_replaced(char c)
{
    return c == '.' || c == ',' || c == '-';
}

// The file part after the last '/'.
std::string_view file_part(std::string_view file)
{
    const std::size_t slash = file.rfind('/');
    return slash == std::string_view::npos ? file : file.substr(slash + 1);
}

// The suffix after the last '.' of the file part, empty when none.
std::string_view suffix_of(std::string_view file)
{
    const std::string_view part = file_part(file);
    const std::size_t dot = part.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : part.substr(dot + 1);
}

bool gives_environment(const symbol* sym)
{
    if (sym->name.empty())
        return false;
    const type_node* type = sym->type;
    if (!type)
        return true;
    if (type->kind == TK_FUNCTION || type->kind == TK_TEMPLATE)
        return false;
    if (const typedef_payload* t = type->typedef_data(); t && t->name == sym->name)
        return false;
    return true;
}

} // namespace

std::string environment_name(std::string_view file)
{
    std::string base(base_name(file));
    for (char& c : base)
        if (is_replaced(c))
            c = '_';
    return "ENV_" + base + "_" + std::string(suffix_of(file));
}

std::string stub_name(std::string_view file)
{
    std::string name(base_name(file));
    name += '_';
    name += suffix_of(file);
    for (char& c : name)
        if (is_replaced(c))
            c = '_';
    return name;
}

void write_file_environment(generation& run, std::string_view file, analysis_context& context, bool with_statics)
{
    auto belongs = [&](const symbol* sym) {
        return is_file_level(sym) && same_file(file, sym->file) &&
               (with_statics || !(sym->specifier_flags & SF_STATIC));
    };
    bool any = false;
    walk_symbols(context.scopes, [&](symbol_entry& entry) {
        if (!any && belongs(entry.sym) && gives_environment(entry.sym))
            any = true;
    });
    if (!any)
        return;
    const std::string name = environment_name(file);
    const std::string environment(run.word(script_text::environment_keyword));
    run.line("");
    run.line(std::string(block_comment_text(block_comment::file_environment)) + std::string(file));
    run.line(environment + " " + name);
    walk_symbols(context.scopes, [&](symbol_entry& entry) {
        const symbol* sym = entry.sym;
        if (belongs(sym) && !is_const_qualified(sym->type))
            write_var_line(run, sym, "  ", "", var_global);
    });
    run.line(std::string(run.word(script_text::end_keyword)) + " " + environment + " -- " + name);
    run.line(std::string(run.word(script_text::use_keyword)) + " " + name);
    run.line("");
}
