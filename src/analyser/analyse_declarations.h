// The entry of the declaration analyser: one preprocessed text analysed into
// a scope_table, and the type named by a type text (for the expression
// evaluator).
#pragma once

#include <string_view>

#include "analyser/scope_table.h"
#include "diag/report.h"

// Analyses text (with line markers) into table. The outermost scope is the
// file, or the class context_name when one is given. file and line are the
// position of the first line. Always returns 0.
int analyse_declarations(std::string_view text, scope_table& table, std::string_view context_name,
                         std::string_view file, int line, report_callback report);

// The type written as type_text (as in a cast or a sizeof operand), or null
// when its analysis reported anything. Leaves the table as it found it.
type_node* type_from_text(std::string_view type_text, scope_table& table, std::string_view file, int line,
                          std::string_view context_name = {});

// The open-brace flag of the start rules: set when a text ended with a
// linkage line's "{", cleared by a text made of a lone "}". The generator
// reads and clears it.
bool analysis_open_brace();
void set_analysis_open_brace(bool open);
