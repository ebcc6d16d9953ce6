// The printers of the larger kinds, shared by print_type and the declaration
// printer: function types, records with their bodies, templates.
#pragma once

#include <string>
#include <string_view>

struct type_node;
struct symbol;

// The arguments of print_type that pass unchanged down the recursion.
struct print_args {
    bool expand = false;
    std::string_view newline_text;
    int indent = 0;
    bool inline_bodies = false;
    int mode = 0;
    const type_node* enclosing = nullptr;
    bool follow_modifiers = true;
};

int print_function_type(const type_node* type, std::string& prefix, std::string& name_part, std::string& suffix,
                        const print_args& how);
int print_record(const type_node* type, std::string& prefix, const print_args& how);
int print_template(const type_node* type, std::string& prefix, const print_args& how);
int print_template_instance(const type_node* type, std::string& prefix, const print_args& how);

// One parameter as prefix, blank, name part, name, suffix, and " = " with
// its default when it has one; an ellipsis prints ", ..." or "...".
std::string parameter_text(const symbol* parameter, const print_args& how);

// The parameters of a function between its parentheses.
std::string parameter_list_text(const type_node* function, const print_args& how);
