// The value of an "#if" or "#elif" expression as the include directive scan
// sees it: a small evaluator of its own, not the preprocessor's.
//
// Operators, tightest first: unary "!" and "-"; the six comparisons, all at
// one level; "&&"; "||". Operators of one level are applied from the right
// end to the left. Operands are parenthesised expressions, "defined(NAME)"
// (or "defined NAME"), numbers (0x/0X hexadecimal, a leading 0 octal,
// otherwise decimal; letters after the digits ignored) and names. A name
// takes the value of its replacement text, evaluated the same way: from the
// scan's own macros first, else from the preprocessor's macros (the text is
// then recorded in the scan's list); an unknown name is 0. Blanks,
// backslashes, '#' and block comments are skipped; "//", a lone '&', '=' or
// '|', or any other character ends the expression. Values are 32-bit
// signed integers that wrap; comparisons and logical operators give 0 or 1.
//
// A macro met again while it is being evaluated, or nesting deeper than the
// stack allows, ends the run with the fatal NBRECURSI naming it.
#pragma once

#include <cstdint>
#include <string_view>

#include "generator/scan_macros.h"

class name_table;

std::int32_t scan_condition(std::string_view text, scan_macro_list& macros, const name_table& names);

// Whether name is defined for the scan: in its own list, or as any macro or
// special name of the preprocessor (an empty macro included).
bool scan_defined(std::string_view name, const scan_macro_list& macros, const name_table& names);
