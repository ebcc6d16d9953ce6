// The arena of one analysis context: every record of the model is made here
// and lives as long as the store (the whole run for the generator's tables).
//
// One record_arena per record kind: records are made in chunks that never
// move, so the pointers that link the model stay valid, and the whole graph
// is released at once with the store. Chunks grow from 16 records to 1024, so
// a small store stays small and a large one allocates rarely. Records dropped
// on redeclaration or by a failed composition simply stay unreferenced.
//
// The store also carries what the type operations read besides their
// operands: the target sizes, the reporting callback and the discard lists.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analyser/symbol_entry.h"
#include "analyser/type_model.h"
#include "diag/report.h"

// Default-constructed records in chunks that never move.
template <class T> class record_arena {
public:
    T* make()
    {
        if (used_ == capacity_) {
            capacity_ = capacity_ == 0 ? 16 : std::min<std::size_t>(capacity_ * 2, 1024);
            chunks_.push_back(std::make_unique<T[]>(capacity_));
            used_ = 0;
        }
        return &chunks_.back()[used_++];
    }
    void clear()
    {
        chunks_.clear();
        used_ = capacity_ = 0;
    }

private:
    std::vector<std::unique_ptr<T[]>> chunks_;
    std::size_t used_ = 0;
    std::size_t capacity_ = 0;
};

// The discard lists of partial types dropped by a failed composition.
enum discard_list { discard_specifier = 0, discard_declarator = 1, discard_parameter = 2, discard_other = 3 };

class model_store {
public:
    target_sizes sizes;
    report_callback report = report_with_position;
    std::array<std::vector<type_node*>, 4> discards;

    type_node* new_type() { return types_.make(); }
    symbol* new_symbol() { return symbols_.make(); }
    value_tree* new_value() { return values_.make(); }
    enumerator* new_enumerator() { return enumerators_.make(); }
    member_node* new_member() { return members_.make(); }
    base_node* new_base() { return bases_.make(); }
    parameter_node* new_parameter() { return parameters_.make(); }
    argument_node* new_argument() { return arguments_.make(); }
    symbol_entry* new_entry() { return entries_.make(); }

    integral_payload* new_integral() { return integrals_.make(); }
    floating_payload* new_floating() { return floatings_.make(); }
    pointer_payload* new_pointer() { return pointers_.make(); }
    array_payload* new_array() { return arrays_.make(); }
    enum_payload* new_enum() { return enums_.make(); }
    union_payload* new_union() { return unions_.make(); }
    struct_payload* new_struct() { return structs_.make(); }
    typedef_payload* new_typedef() { return typedefs_.make(); }
    function_payload* new_function() { return functions_.make(); }
    modifier_payload* new_modifier() { return modifiers_.make(); }
    reference_payload* new_reference() { return references_.make(); }
    ellipsis_payload* new_ellipsis() { return ellipses_.make(); }
    template_payload* new_template() { return templates_.make(); }
    instance_payload* new_instance() { return instances_.make(); }

    model_store() = default;
    model_store(const model_store&) = delete;
    model_store& operator=(const model_store&) = delete;

    // Drops every record (tables built on the store must be emptied first).
    void clear();

private:
    record_arena<type_node> types_;
    record_arena<symbol> symbols_;
    record_arena<value_tree> values_;
    record_arena<enumerator> enumerators_;
    record_arena<member_node> members_;
    record_arena<base_node> bases_;
    record_arena<parameter_node> parameters_;
    record_arena<argument_node> arguments_;
    record_arena<symbol_entry> entries_;
    record_arena<integral_payload> integrals_;
    record_arena<floating_payload> floatings_;
    record_arena<pointer_payload> pointers_;
    record_arena<array_payload> arrays_;
    record_arena<enum_payload> enums_;
    record_arena<union_payload> unions_;
    record_arena<struct_payload> structs_;
    record_arena<typedef_payload> typedefs_;
    record_arena<function_payload> functions_;
    record_arena<modifier_payload> modifiers_;
    record_arena<reference_payload> references_;
    record_arena<ellipsis_payload> ellipses_;
    record_arena<template_payload> templates_;
    record_arena<instance_payload> instances_;
};

// A new type_node with the evaluation fields 6, 0, -1 and no modifiers.
type_node* create_type(model_store& store, type_kind kind, type_payload* payload, std::uint32_t scope_kind,
                       type_node* scope_owner);

// Payload constructors, fields in record order; lists start empty.
integral_payload* make_integral_payload(model_store& store, std::string_view name, std::int32_t size,
                                        std::uint32_t is_character);
floating_payload* make_floating_payload(model_store& store, std::string_view name);
pointer_payload* make_pointer_payload(model_store& store, type_node* member_of, type_node* pointee);
array_payload* make_array_payload(model_store& store, type_node* element, std::string_view bound_text,
                                  value_tree* bound_value);
enum_payload* make_enum_payload(model_store& store, std::string_view name);
enumerator* make_enumerator(model_store& store, std::string_view name, value_tree* value, const pint& numeric);
union_payload* make_union_payload(model_store& store, std::string_view name);
struct_payload* make_struct_payload(model_store& store, std::string_view name, std::uint32_t declared_as);
member_node* make_member(model_store& store, symbol* member, std::uint32_t access);
base_node* make_base(model_store& store, type_node* base, std::uint32_t is_virtual, std::uint32_t access);
typedef_payload* make_typedef_payload(model_store& store, std::string_view name, type_node* target);
function_payload* make_function_payload(model_store& store, type_node* return_type);
parameter_node* make_parameter(model_store& store, symbol* parameter, type_node* default_type);
modifier_payload* make_modifier_payload(model_store& store, std::string_view word, type_node* modified,
                                        std::uint32_t composed, std::uint32_t form);
reference_payload* make_reference_payload(model_store& store, type_node* referred);
ellipsis_payload* make_ellipsis_payload(model_store& store, std::uint32_t follows_parameters);
template_payload* make_template_payload(model_store& store, std::string_view name, std::uint32_t is_struct,
                                        std::string_view body, std::uint32_t line, std::string_view file);
instance_payload* make_instance_payload(model_store& store);
argument_node* make_argument(model_store& store, symbol* parameter, type_node* type, std::string_view value);

symbol* make_symbol(model_store& store, std::string_view name, type_node* type, std::uint32_t scope_kind,
                    type_node* scope_owner, std::uint32_t specifier_flags, std::string_view file,
                    value_tree* initialiser);

value_tree* make_leaf(model_store& store, std::string_view text);
value_tree* make_list(model_store& store);
// Appends element to tree; a leaf becomes a one-element list first.
void append_value(model_store& store, value_tree* tree, value_tree* element);
value_tree* copy_value(model_store& store, const value_tree* tree);

// The single specifier words as partial types: "char", "wchar_t", "bool",
// "short", "int", "long", "signed", "unsigned" (TK_INTEGRAL with the sizes of
// store.sizes), "float", "double" (TK_FLOATING), "void" (TK_VOID). Null for
// any other word.
type_node* create_specifier_type(model_store& store, std::string_view word, std::uint32_t scope_kind,
                                 type_node* scope_owner);

// Puts a partial type dropped by a failed composition on a discard list.
void discard_type(model_store& store, type_node* type, discard_list list);
