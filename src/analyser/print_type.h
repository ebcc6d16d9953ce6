// A type written back as C text, in the three pieces of a declarator: the
// prefix (specifiers, base type, the "(" of inner declarators), the name
// part (the "*" and "&" right before the name) and the suffix (brackets,
// parameter lists, closing parentheses). A declaration is prefix, blank,
// name part, name, suffix.
#pragma once

#include <string>
#include <string_view>

struct type_node;

// Printing modes.
inline constexpr int mode_plain = 0;         // as written
inline constexpr int mode_test_variable = 1; // first "const" cut, no class qualification
inline constexpr int mode_call = 2;
inline constexpr int mode_prototype = 3;
inline constexpr int mode_stub = 4;
inline constexpr int mode_object_pointer = 5;
inline constexpr int mode_creation = 6;
inline constexpr int mode_value_holder = 7;  // as 1, pointers replaced by what they point to
inline constexpr int mode_deletion = 8;
inline constexpr int mode_template = 9;
inline constexpr int mode_class_keyword = 10;
inline constexpr int mode_no_class_keyword = 11;

// Appends the three pieces of type. expand asks for the body of a record or
// enumeration; every line break of a body is followed by newline_text and
// indent tabs. enclosing is the class whose members need no qualification.
// Returns 0 when a nested part failed to print, else 1.
int print_type(const type_node* type, std::string& prefix, std::string& name_part, std::string& suffix,
               bool expand, std::string_view newline_text, int indent, bool inline_bodies, int mode,
               const type_node* enclosing, bool follow_modifiers);

// Joins the pieces around name: prefix, a blank (unless the prefix is empty
// or already ends with one, or nothing follows), name part, name, suffix.
std::string join_declarator(std::string_view prefix, std::string_view name_part, std::string_view name,
                            std::string_view suffix);

// Through typedefs and modifiers: an integral of character type with a
// signed size (plain char, signed char, wchar_t by default).
bool is_signed_character(const type_node* type);

// type without its TK_TYPEDEF and TK_MODIFIER wrappers.
const type_node* strip_wrappers(const type_node* type);

// A pointer whose pointee stays a pointer in a test variable: pointee of
// signed character type, array, function or void (through wrappers).
bool keeps_pointer(const type_node* pointer);

// The pointer under a declarator's qualifiers (int *const p), or null: a
// test variable replaces it by its pointee just as it does a bare pointer.
const type_node* qualified_pointer(const type_node* type);
