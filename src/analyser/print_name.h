// A name with its enclosing classes, as C++ text ("A::B::f") or as an
// identifier the script can use ("A_B_f", "operator_subscript",
// "destructor_A").
#pragma once

#include <string>
#include <string_view>

struct type_node;

// Appends to out the owners of scope (outermost first), each followed by
// separator, then name. With plain clear the name is turned into an
// identifier: operators get their word, "~" gives "destructor_", every
// character that is not a letter or digit becomes "_" (blanks are dropped).
void print_qualified_name(std::string& out, std::string_view name, const type_node* scope,
                          std::string_view separator, bool plain);

// The word of an operator function name ("operator []" gives "operator_subscript").
std::string operator_identifier(std::string_view name);
