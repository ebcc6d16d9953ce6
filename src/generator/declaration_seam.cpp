// Placeholder parse: see declaration_seam.h. The preprocessor has already
// reported whatever it found in the text; nothing is kept from it yet.
#include "generator/declaration_seam.h"

void analyse_declarations(std::string_view, scope_table&, std::string_view, std::string_view) {}

bool open_brace_pending()
{
    return false;
}

void clear_open_brace() {}

std::string defined_functions_text(const scope_table&, std::string_view)
{
    return {};
}
