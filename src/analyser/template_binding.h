// The binding of a class template's parameters to the arguments of one
// instance, while the instance's text is analysed.
//
// Each parameter is bound by name, in order, to the argument at its
// position; a missing argument takes the parameter's default (a type
// analysed again under the bindings made so far, so that "class U = T*"
// follows T, or a value text); a parameter left without argument or default
// makes the whole binding fail with TEMINSINC. The lexer asks the table's
// bindings first when it classifies a name: a type parameter gives a copy
// of its bound type, a value parameter its bound text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analyser/type_model.h"
#include "diag/report.h"

struct template_binding {
    std::string name;
    parameter_node* parameter = nullptr;
    argument_node* argument = nullptr;  // a type, or a value text
    bool from_default = false;
};

// The bindings of the instance being analysed, with its name and arguments.
struct template_bindings {
    std::string instance_name;
    std::string template_name;
    type_node* instance = nullptr;  // the record the instance's text completes
    std::vector<argument_node*> arguments;
    std::vector<template_binding> list;

    const template_binding* find(std::string_view name) const;
    bool empty() const { return list.empty() && !instance; }
};

class scope_table;
class model_store;

// Binds parameters to arguments into bindings (released first). Returns 1,
// or 0 after reporting TEMINSINC at file and line (bindings then empty).
int bind_template_arguments(scope_table& table, std::string_view instance_name,
                            const std::vector<parameter_node*>& parameters,
                            const std::vector<argument_node*>& arguments, template_bindings& bindings,
                            std::string_view file, int line, report_callback report);

// A template type parameter's kind ("class T" prints "class " in mode 9) and
// the placeholder that its name stands for inside the template's header:
// records of instantiation state 3, never instantiated.
type_node* make_type_parameter_kind(model_store& store);
type_node* make_type_placeholder(model_store& store, std::string_view name);
bool is_type_parameter_kind(const type_node* type);
