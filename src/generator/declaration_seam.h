// The seam between the generator and the declaration analyser. The analyser
// will parse preprocessed text into a scope_table; until it exists the parse
// accepts the text and records nothing, and so every section drawn from
// declarations stays empty.
#pragma once

#include <string>
#include <string_view>

#include "analyser/scope_table.h"

// Parses preprocessed text (with line markers) into table; file and service
// names are for the parser's messages.
void analyse_declarations(std::string_view preprocessed, scope_table& table, std::string_view file_name,
                          std::string_view service_name);

// Set when an analysed text ended just after a file-level opening brace.
bool open_brace_pending();
void clear_open_brace();

// "{", the names of the non-static functions defined in tested_file joined
// by ",", and "}"; empty when there is none (the symbol-table step).
std::string defined_functions_text(const scope_table& table, std::string_view tested_file);
