// Constant values of expression trees, and their two uses in the model:
// the bound an array prints and the value of an enumerator.
//
// Integer constants, character constants, enumerators, "true" and "false"
// fold through the C operators with exact pint arithmetic (division and
// remainder truncate toward zero as in C). Anything else that has a type (a
// variable, a floating value) is a computed result without an integer value;
// a text that does not parse, or names nothing known, computes nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diag/report.h"
#include "expr/expr_node.h"
#include "expr/pint.h"

class scope_table;
struct type_node;
struct value_tree;
struct enumerator;

enum class constant_kind { nothing, integer, other };

struct constant_result {
    constant_kind kind = constant_kind::nothing;
    pint value = pint_zero;
};

// Folds the subtree of node (already typed by the parse, when a table was
// given). table may be null: names then compute nothing.
constant_result constant_value(const expr_node* node, scope_table* table);

// The bound an array prints for the bound or initialiser text: the element
// count of a brace list, the length plus one of a string, the decimal value
// of an integer result, "1" for another computed result; nothing when
// nothing was computed (the printer then decides, "100" in mode 7).
std::optional<std::string> array_bound_image(std::string_view text, scope_table& table,
                                             std::string_view scope_name, std::string_view file_name, int line,
                                             report_callback report);

// The value of an enumerator: its written value when it computes an integer,
// else the previous enumerator's value plus one (0 for the first, previous
// null). An absent value text is empty. earlier (may be null) lists the
// enumerators of the same enumeration, whose names the value may use.
pint enumerator_value(std::string_view value_text, const pint* previous, scope_table& table,
                      const std::vector<enumerator*>* earlier, std::string_view file_name, int line,
                      report_callback report);

// The bound of an array for its initialiser or bound value: a list gives its
// length (its count, or one past the highest "[index]=" designator), a leaf is evaluated as array_bound_image does (with no table,
// names compute nothing).
std::optional<std::string> array_bound_of_value(const value_tree& value, scope_table* table,
                                                std::string_view file_name, int line, report_callback report);
