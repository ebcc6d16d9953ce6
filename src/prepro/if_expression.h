// Evaluation of an already macro-expanded #if / #elif operand.
//
// The text is tokenised by a small hand lexer and parsed by a pure bison
// LALR(1) grammar of C integer constant expressions whose stack is limited to
// 150 states. Values are 64-bit signed integers with an unsigned flag; the
// unsigned rules reduce the left operand to 32 bits for the multiplicative,
// shift and relational operators, as a 32-bit unsigned int would. Every problem
// is a warning reported through the caller's callback; the result is then 0.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diag/report.h"

// One entry of the list filled by "#pragma morva sizeof".
struct sizeof_entry {
    std::string type_name;
    int size; // in bytes
};

// What the evaluator needs from the preprocessor that calls it.
struct if_expression_env {
    bool (*is_defined)(void* context, std::string_view name) = nullptr; // for __CHAR_UNSIGNED__
    void* context = nullptr;
    const std::vector<sizeof_entry>* sizes = nullptr; // most recent first, may be null
    int char_bits = 8, short_bits = 16, int_bits = 32, long_bits = 32;
    report_callback report = nullptr; // may be null: reports are dropped
    std::string_view file_name;
    int line = 0; // position for the warnings
};

// The low 32 bits of the value of the expression, as a signed integer; 0 after
// any error.
int cpp_parse_expression(std::string_view expanded_text, const if_expression_env& env);
