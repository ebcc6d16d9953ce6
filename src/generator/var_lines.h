// The VAR lines of environments and services: a variable with its default
// initial value and an expected value equal to it.
#pragma once

#include <string>
#include <string_view>

struct generation;
struct symbol;
struct type_node;

// Roles given to write_var_line.
inline constexpr int var_global = 0;       // a global variable or an instance
inline constexpr int var_returned = 1;     // the return value of a function
inline constexpr int var_object = 5;       // the object of a constructor or destructor
inline constexpr int var_parameter = 7;    // a parameter

// Appends the default value of type to value and sets keyword ("VAR",
// the array keyword or "STRUCTURE").
void init_value_text(const type_node* type, std::string& value, std::string& keyword, int var_mode);

// The VAR line of sym, or nothing when it gives none. service is the
// service name (for ret_<service>); name, when not empty, replaces the
// symbol's name (a parameter named after its position).
void write_var_line(generation& run, const symbol* sym, std::string_view indent, std::string_view service,
                    int var_mode, std::string_view name = {});

// The VAR line of the object under test of a member function's service:
// name with the default value of the class type.
void write_instance_line(generation& run, const type_node* type, std::string_view name, std::string_view indent);

// Through typedefs and modifiers: a const-qualified type (arrays of const
// elements count too: none of their elements can be set).
bool is_const_qualified(const type_node* type);
