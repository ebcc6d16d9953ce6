// The generator's side of the declaration analyser: a preprocessed text goes
// to analyse_declarations with the run's reporting callback; the functions
// defined in the tested file are listed from a walk of the table.
#include "generator/declaration_seam.h"

#include "analyser/analyse_declarations.h"
#include "generator/file_identity.h"

void analyse_declarations(std::string_view preprocessed, scope_table& table, std::string_view file_name,
                          std::string_view service_name)
{
    analyse_declarations(preprocessed, table, service_name, file_name, 1, report_with_position);
}

bool open_brace_pending()
{
    return analysis_open_brace();
}

void clear_open_brace()
{
    set_analysis_open_brace(false);
}

std::string defined_functions_text(const scope_table& table, std::string_view tested_file)
{
    std::string names;
    walk_symbols(table, [&](symbol_entry& entry) {
        const symbol* sym = entry.sym;
        if (!sym || !sym->type || (sym->specifier_flags & SF_STATIC) || sym->scope_kind != file_scope)
            return;
        const function_payload* function = sym->type->function();
        if (!function || !function->signature.is_definition || !same_file(sym->file, tested_file))
            return;
        if (!names.empty())
            names.push_back(',');
        names += sym->name;
    });
    return names.empty() ? std::string() : "{" + names + "}";
}
