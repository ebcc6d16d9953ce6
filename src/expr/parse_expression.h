// The entry of the expression parser: a text of a C or C++ expression, or
// of a test value (brace lists, associations, ranges, slices, "others"),
// turned into an expression tree.
#pragma once

#include <memory>
#include <string_view>

#include "diag/report.h"
#include "expr/expr_node.h"

class scope_table;

// Parses text (cut at its first NUL). Names are classified, and the tree
// typed, through table (when not null), looking first into the class or
// namespace scope_name when it is not empty. Messages go to report with
// file_name and line. A text of blanks gives null; a failed parse gives a
// tree whose root is null, or the empty node where recovery took place.
std::unique_ptr<expression_tree> parse_expression(std::string_view text, scope_table* table,
                                                  std::string_view scope_name, std::string_view file_name,
                                                  int line, report_callback report);

// Releases a tree and every node and text it holds.
void free_expression(std::unique_ptr<expression_tree>& tree);
