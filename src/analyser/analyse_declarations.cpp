// analyse_declarations and type_from_text (see analyse_declarations.h).
//
// A nested analysis (a type text, later a template instance) is just another
// declaration_parser over the same table: its frames are pushed above the
// running ones and only those are popped when it ends.
#include "analyser/analyse_declarations.h"

#include <string>

#include "analyser/declaration_parser.h"
#include "analyser/type_copy.h"

namespace {

bool open_brace_flag = false;

// type_from_text's callback: only notes that something was reported.
bool something_reported = false;
void note_report(int, const char*, const report_argument&, std::string_view, int)
{
    something_reported = true;
}

} // namespace

bool analysis_open_brace()
{
    return open_brace_flag;
}

void set_analysis_open_brace(bool open)
{
    open_brace_flag = open;
}

int analyse_declarations(std::string_view text, scope_table& table, std::string_view context_name,
                         std::string_view file, int line, report_callback report)
{
    const std::size_t depth = table.frames.size();
    if (context_name.empty())
        push_scope(table, 0, scope_mode_owner, "", nullptr, TK_STRUCT);
    else
        push_scope(table, access_public, scope_mode_new_owner, context_name, nullptr, TK_STRUCT);
    if (!text.empty() && text.front() != '\0') {
        declaration_parser parser(table, text, file, line, report);
        parser.parse();
        if (parser.open_brace >= 0)
            open_brace_flag = parser.open_brace == 1;
    }
    while (table.frames.size() > depth)
        pop_scope(table);
    return 0;
}

type_node* type_from_text(std::string_view type_text, scope_table& table, std::string_view file, int line,
                          std::string_view context_name)
{
    const bool saved = something_reported;
    something_reported = false;
    const std::string text = "__morva_var(" + std::string(type_text) + ");";
    analyse_declarations(text, table, context_name, file, line, note_report);
    const bool failed = something_reported;
    something_reported = saved;

    scope_context where;
    if (!context_name.empty()) {
        auto found = table.context_classes.find(std::string(context_name));
        if (found != table.context_classes.end())
            where = scope_context{owner_scope, found->second.owner};
    }
    symbol_entry* entry = find_symbol("__morva_var", table, where);
    if (!entry || !entry->sym)
        return nullptr;
    type_node* result = nullptr;
    const type_node* type = entry->sym->type;
    if (!failed && type && type->function() && type->function()->signature.parameter_count() == 1) {
        const parameter_node* parameter = type->function()->signature.parameters.front();
        if (parameter->parameter && parameter->parameter->type)
            result = copy_type(table.store, nullptr, parameter->parameter->type, 0, nullptr, nullptr);
    }
    remove_symbol(entry, table);
    return result;
}
