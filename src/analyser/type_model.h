// The declaration model: the type record `type_node`, its kinds and payloads,
// the `symbol` that binds a name to a type, and `value_tree` for initialisers.
//
// Types are graphs: a struct member may point back to its struct, a typedef
// names its target, a type names the class that declared it. Every record
// lives in the arena of its analysis (model_store.h) until the end of the
// run, so the links are plain pointers and nothing is freed while reached.
// Lists are vectors of record pointers (records stay put when a list grows).
// An absent text (anonymous name, missing bound) is the empty string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "expr/pint.h"

enum type_kind : std::uint32_t {
    TK_INTEGRAL = 0,
    TK_FLOATING = 1,
    TK_UNUSED_2 = 2,  // never produced
    TK_POINTER = 3,
    TK_ARRAY = 4,
    TK_ENUM = 5,
    TK_UNION = 6,
    TK_TYPEDEF = 7,
    TK_FUNCTION = 8,
    TK_VOID = 9,
    TK_STRUCT = 10,
    TK_MODIFIER = 11,
    TK_REFERENCE = 12,
    TK_ELLIPSIS = 13,
    TK_TEMPLATE = 14,
    TK_TEMPLATE_INSTANCE = 15,
};

// Scope kinds of types, symbols and frames.
inline constexpr std::uint32_t file_scope = 0;
inline constexpr std::uint32_t owner_scope = 1;  // class, union, namespace or template

enum specifier_flags : std::uint32_t {
    SF_TYPEDEF = 1,
    SF_EXTERN = 2,
    SF_STATIC = 4,
    SF_AUTO = 8,
    SF_REGISTER = 16,
    SF_FRIEND = 32,
    SF_OVERLOAD = 64,
    SF_INLINE = 128,
    SF_VIRTUAL = 256,
    SF_EXPORT = 512,
    SF_FUNCTION_EXTRA = 1024,  // recorded, never printed
    SF_MUTABLE = 2048,
    SF_CONSTEXPR = 4096,  // read only by the parser: const or a function extra
};

// Member access bits (low three bits) and the marks of inherited members.
inline constexpr std::uint32_t access_public = 1;
inline constexpr std::uint32_t access_private = 2;
inline constexpr std::uint32_t access_protected = 4;
inline constexpr std::uint32_t access_inherited = 8;
inline constexpr std::uint32_t access_base_befriends_derived = 16;
inline constexpr std::uint32_t access_base_befriends_test = 32;

// struct_payload::declared_as
inline constexpr std::uint32_t declared_as_class = 0;
inline constexpr std::uint32_t declared_as_struct = 1;
inline constexpr std::uint32_t declared_as_namespace = 3;

struct type_node;
struct symbol;

// An initialiser or array bound kept as text: a leaf, or a brace list.
struct value_tree {
    bool is_list = false;
    std::string text;                   // leaf only
    std::vector<value_tree*> elements;  // list only, in order
    std::string designator{};           // ".x", "[3]" or "" before the value in its list

    std::size_t count() const { return elements.size(); }
    // The leaf text, or "{" elements joined by ", " "}"; an element's
    // designator stands before it with "=".
    std::string printed() const;
    void print_to(std::string& out) const;
};

struct target_sizes {
    std::int32_t char_bits = 8;
    std::int32_t short_bits = 16;
    std::int32_t int_bits = 32;
    std::int32_t long_bits = 32;
    std::int32_t long_long_bits = 64;
    bool plain_char_unsigned = false;
};

// The direction words; index / 2 is the direction: 0 in, 1 out, 2 in-out, 3 none.
inline constexpr std::string_view direction_modifiers[8] = {"_in",    "_IN",    "_out", "_OUT",
                                                             "_inout", "_INOUT", "_no",  "_NO"};
inline constexpr int no_direction = 8;

// Index of a direction word, or no_direction.
int direction_index(std::string_view word);

// Base of every payload record; the node's kind tells which one it is.
struct type_payload {};

struct integral_payload : type_payload {
    std::string name;            // the specifier words joined by single blanks
    std::int32_t size = 0;       // bits, negative when signed
    std::uint32_t is_character = 0;
};

struct floating_payload : type_payload {
    std::string name;  // "float", "double", "long double"
};

struct pointer_payload : type_payload {
    type_node* member_of = nullptr;  // class of a pointer to member (reference, not owned)
    type_node* pointee = nullptr;
};

struct array_payload : type_payload {
    type_node* element = nullptr;
    std::string bound_text;            // empty when absent
    value_tree* bound_value = nullptr;
};

struct enumerator {
    std::string name;
    value_tree* value = nullptr;  // the written value, null when implicit
    pint numeric{};               // the evaluator's constant at creation
    void* kept_null = nullptr;
};

struct enum_payload : type_payload {
    std::string name;  // empty for an anonymous enum
    std::uint32_t kept_zero = 0;
    std::vector<enumerator*> enumerators;
    std::uint32_t kept_zero_2 = 0;

    std::uint32_t enumerator_count() const { return static_cast<std::uint32_t>(enumerators.size()); }
};

struct member_node {
    symbol* member = nullptr;       // null for an access label
    std::uint32_t access = 0;       // see the access bits above
    std::uint32_t access_declaration = 0;
    std::uint32_t through_virtual = 0;
    std::uint32_t kept_zero = 0;
};

struct base_node {
    type_node* base = nullptr;  // TK_STRUCT, or TK_TEMPLATE_INSTANCE
    std::uint32_t is_virtual = 0;
    std::uint32_t access = 0;
};

// A template argument: the parameter it binds and a type, or a value text.
struct argument_node {
    symbol* parameter = nullptr;
    type_node* type = nullptr;
    std::string value;
};

struct union_payload : type_payload {
    std::string name;  // empty for an anonymous union
    std::vector<member_node*> members;
    std::uint32_t kept_zero = 0;
    std::uint32_t befriends_test_class = 0;

    std::uint32_t member_count() const { return static_cast<std::uint32_t>(members.size()); }
};

struct struct_payload : type_payload {
    std::string name;
    std::vector<member_node*> members;
    std::vector<member_node*> inherited;
    std::vector<base_node*> bases;
    std::uint32_t befriends_test_class = 0;
    std::uint32_t instantiation_state = 0;
    std::uint32_t declared_as = declared_as_class;
    std::vector<argument_node*> template_arguments;

    std::uint32_t member_count() const { return static_cast<std::uint32_t>(members.size()); }
    bool is_definition() const { return !members.empty() || !bases.empty() || !inherited.empty(); }
};

struct typedef_payload : type_payload {
    std::string name;
    type_node* target = nullptr;  // reference, not owned
};

// A function or template parameter: its symbol (the initialiser is the
// default argument) and, for a template type parameter, its default type.
struct parameter_node {
    symbol* parameter = nullptr;
    type_node* default_type = nullptr;
};

// A constructor member initialiser: the member or base and its argument texts.
struct member_initialiser {
    std::string name;
    std::vector<std::string> arguments;
};

struct function_signature {
    std::vector<parameter_node*> parameters;
    type_node* trailing_modifier = nullptr;  // a TK_MODIFIER, or null
    bool has_exception_specification = false;
    std::vector<type_node*> exceptions;
    std::vector<member_initialiser> initialisers;
    std::uint32_t is_definition = 0;
    std::string body;  // "{" to "}" verbatim

    std::uint32_t parameter_count() const { return static_cast<std::uint32_t>(parameters.size()); }
};

struct function_payload : type_payload {
    type_node* return_type = nullptr;
    function_signature signature;
};

struct modifier_payload : type_payload {
    std::string word;  // empty once a direction word has been cleared
    type_node* modified = nullptr;
    std::uint32_t composed = 0;
    std::uint32_t form = 0;
};

struct reference_payload : type_payload {
    type_node* referred = nullptr;
};

struct ellipsis_payload : type_payload {
    std::uint32_t follows_parameters = 0;
};

struct template_payload : type_payload {
    std::string name;
    std::vector<parameter_node*> parameters;
    std::uint32_t is_struct = 0;
    std::string body;  // the class body, verbatim
    std::vector<argument_node*> header_items;
    std::vector<argument_node*> instance_items;  // one per instance made: its record as type
    std::uint32_t line = 0;
    std::string file;
    symbol* function = nullptr;  // the declared function of a function template
};

struct instance_payload : type_payload {
    std::vector<argument_node*> arguments;
};

struct using_declaration {
    std::string first;
    std::string rest;
};

struct type_node {
    type_kind kind = TK_VOID;
    std::int32_t evaluation[3] = {6, 0, -1};
    type_payload* data = nullptr;
    std::uint32_t scope_kind = file_scope;
    type_node* scope_owner = nullptr;
    type_node* modifiers = nullptr;  // chain of TK_MODIFIER nodes
    type_node* template_origin = nullptr;
    std::uint32_t printing = 0;
    std::vector<type_node*> used_namespaces;
    std::vector<using_declaration> using_declarations;
    type_node* namespace_chain = nullptr;
    std::uint32_t unnamed = 0;

    // Typed views of the payload; null when the kind differs or there is none.
    integral_payload* integral() const { return payload_as<integral_payload>(TK_INTEGRAL); }
    floating_payload* floating() const { return payload_as<floating_payload>(TK_FLOATING); }
    pointer_payload* pointer() const { return payload_as<pointer_payload>(TK_POINTER); }
    array_payload* array() const { return payload_as<array_payload>(TK_ARRAY); }
    enum_payload* enumeration() const { return payload_as<enum_payload>(TK_ENUM); }
    union_payload* union_data() const { return payload_as<union_payload>(TK_UNION); }
    typedef_payload* typedef_data() const { return payload_as<typedef_payload>(TK_TYPEDEF); }
    function_payload* function() const { return payload_as<function_payload>(TK_FUNCTION); }
    struct_payload* struct_data() const { return payload_as<struct_payload>(TK_STRUCT); }
    modifier_payload* modifier() const { return payload_as<modifier_payload>(TK_MODIFIER); }
    reference_payload* reference() const { return payload_as<reference_payload>(TK_REFERENCE); }
    ellipsis_payload* ellipsis() const { return payload_as<ellipsis_payload>(TK_ELLIPSIS); }
    template_payload* template_data() const { return payload_as<template_payload>(TK_TEMPLATE); }
    instance_payload* instance() const { return payload_as<instance_payload>(TK_TEMPLATE_INSTANCE); }

    // The tag name of an enum, union, struct or template ("" otherwise).
    const std::string& tag_name() const;

private:
    template <class P> P* payload_as(type_kind k) const { return kind == k ? static_cast<P*>(data) : nullptr; }
};

struct symbol {
    std::string name;  // empty for an anonymous declaration or a tag
    type_node* type = nullptr;
    std::uint32_t scope_kind = file_scope;
    type_node* scope_owner = nullptr;
    std::uint32_t specifier_flags = 0;
    std::string file;
    value_tree* initialiser = nullptr;
    std::uint8_t handled = 0;  // set by the generator
    void* kept_null_1 = nullptr;
    void* kept_null_2 = nullptr;
};

// Follows TK_POINTER, TK_ARRAY, TK_FUNCTION and TK_REFERENCE layers and their
// modifier chains to the first TK_MODIFIER; returns the index of its word in
// direction_modifiers, or no_direction. With clear, a found word is emptied.
int direction_of(type_node* type, bool clear);

// Follows TK_TYPEDEF nodes to the type they stand for.
const type_node* strip_typedefs(const type_node* type);
