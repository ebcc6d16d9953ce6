// The type search over an expression tree: every node gets its type in the
// declaration model, and operations that do not fit their operands' types
// are reported as warnings.
#pragma once

#include <string_view>

#include "diag/report.h"
#include "expr/expr_node.h"

class scope_table;
struct type_node;

// Types the subtree of node, records each node's type in it and returns the
// root's type (null when none can be given). Names are looked up first among
// the members of scope_class (when not null), then in table. New types are
// made in table's store.
type_node* expression_type(expr_node* node, scope_table& table, type_node* scope_class, std::string_view file_name,
                           int line, report_callback report);

// The type of a type text such as a cast writes it, or null.
type_node* type_of_type_text(std::string_view text, scope_table& table, std::string_view file_name, int line);
