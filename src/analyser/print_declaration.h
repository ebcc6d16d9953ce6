// Whole declarations of a symbol as C text, in the variants the generator
// writes: plain declarations, test variables, calls, prototypes, stub
// prototypes, object pointers. Every text ends with ";" (except the empty
// return variable of a void function).
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct symbol;

// Appends the declaration of sym for mode (see print_type.h). name is the
// service name in modes 1 and 2 (ret_<name>); for a non-function symbol a
// non-empty name replaces the symbol's own. argument_names, when given,
// names the parameters in the calls of modes 2 and 6 (an empty text leaves
// the parameter's own name).
void print_declaration(const symbol* sym, std::string& out, std::string_view name, int mode, bool expand,
                       std::string_view newline_text, std::string_view object = {},
                       const std::vector<std::string>* argument_names = nullptr);

// out becomes prefix (or empty); with with_storage and a storage bit on the
// symbol, out becomes that storage keyword instead; then print_declaration.
void print_declaration_with_storage(const symbol* sym, std::string& out, std::string_view name, int mode,
                                    bool expand, bool with_storage, std::string_view prefix,
                                    std::string_view object = {});
