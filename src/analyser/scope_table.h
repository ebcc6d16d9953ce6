// The symbol table of one analysis context and the stack of open scopes.
//
// Names hash into 100 buckets: (length mod 10) + 10 x (sum of the bytes as
// signed chars mod 10). Symbols, tags and enumerators each have their own 100
// buckets, every bucket an intrusive list in insertion order. The walk order
// (bucket 0 to 99, insertion order inside a bucket) decides the order of the
// generated script and so is behaviour. Lookups do not scan the buckets: an
// index from name to entries (in insertion order) answers them, since system
// headers bring thousands of names. A second index, from (owner, name) to
// entries, lets a lookup take the entries of one scope at once: common names
// (parameters, members such as "next" or "len") would otherwise be scanned
// in full for every scope level of every lookup.
//
// A table owns the model_store in which its records live, so a table is the
// unit that tests build side by side; the scope stack is part of the table.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analyser/analyser_session.h"
#include "analyser/model_store.h"
#include "analyser/symbol_entry.h"
#include "analyser/template_binding.h"
#include "analyser/type_model.h"

inline constexpr int bucket_count = 100;

// The bucket of a name (the empty name falls in bucket 0).
int name_bucket(std::string_view name);

// A scope seen from a declaration or expression: its kind and owner.
struct scope_context {
    std::uint32_t scope_kind = file_scope;
    type_node* scope_owner = nullptr;
};

struct scope_frame {
    std::uint32_t access = 0;
    std::uint32_t scope_kind = file_scope;
    type_node* scope_owner = nullptr;
    void* binding = nullptr;  // a template parameter's value found in this frame
    std::uint32_t specifiers = 0;
    std::uint32_t qualified_entry = 0;
    symbol_entry* first_member = nullptr;                 // set once
    std::vector<base_node*>* bases = nullptr;             // set once
    scope_frame* outer = nullptr;
    std::vector<parameter_node*>* template_parameters = nullptr;  // set once
};

// One head/tail list per bucket.
struct entry_bucket {
    symbol_entry* head = nullptr;
    symbol_entry* tail = nullptr;
};

// A class name used as analysis context, with its placeholder function type.
struct context_class {
    type_node* owner = nullptr;
    type_node* placeholder = nullptr;
};

// The lookup index: name to entries in insertion order, searched by
// string_view without making a string.
struct name_hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};
using name_index = std::unordered_map<std::string, std::vector<symbol_entry*>, name_hash, std::equal_to<>>;

// The scope index: (owner, name) to entries in insertion order; the owner is
// null for file scope. Searched with a string_view key without a copy.
struct owned_name {
    const type_node* owner = nullptr;
    std::string name;
};
struct owned_name_view {
    const type_node* owner = nullptr;
    std::string_view name;
};
struct owned_name_hash {
    using is_transparent = void;
    std::size_t operator()(const owned_name_view& key) const
    {
        return std::hash<std::string_view>{}(key.name) ^ (std::hash<const void*>{}(key.owner) * 31);
    }
    std::size_t operator()(const owned_name& key) const { return (*this)(owned_name_view{key.owner, key.name}); }
};
struct owned_name_equal {
    using is_transparent = void;
    static owned_name_view view(const owned_name& k) { return {k.owner, k.name}; }
    static owned_name_view view(const owned_name_view& k) { return k; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const
    {
        return view(a).owner == view(b).owner && view(a).name == view(b).name;
    }
};
using owner_index = std::unordered_map<owned_name, std::vector<symbol_entry*>, owned_name_hash, owned_name_equal>;

// push_scope modes.
inline constexpr int scope_mode_plain = 0;      // parameter lists and blocks
inline constexpr int scope_mode_new_owner = 1;  // a new class, union, namespace or template
inline constexpr int scope_mode_owner = 2;      // the given owner (or file level)

class scope_table {
public:
    scope_table();
    scope_table(const scope_table&) = delete;
    scope_table& operator=(const scope_table&) = delete;

    model_store store;
    analyser_session* session = &process_session();

    std::uint64_t counter = 0;
    std::unordered_map<std::string, context_class> context_classes;
    entry_bucket symbols[bucket_count];
    entry_bucket tags[bucket_count];
    entry_bucket enumerators[bucket_count];

    // The file-level used namespaces and using declarations.
    std::vector<type_node*> used_namespaces;
    std::vector<using_declaration> using_declarations;

    // The open scopes; back() is the innermost frame.
    std::deque<scope_frame> frames;

    // Template instantiation: the bindings of the instance being analysed,
    // the names of the instances whose text is being analysed (innermost
    // last), and how many instance texts this table has analysed.
    template_bindings bindings;
    std::vector<std::string> instances_in_progress;
    std::size_t instances_analysed = 0;

    // The generator's entry: release_table, then init_table with test_class.
    void reset(std::string_view test_class);

    // Lookup index (name to entries in insertion order); kept by the
    // insertion and removal operations.
    name_index symbol_index;
    name_index tag_index;
    name_index enumerator_index;
    // The scope indexes of the three lists, kept with them.
    owner_index symbol_owners;
    owner_index tag_owners;
    owner_index enumerator_owners;
    std::uint64_t entry_order = 0;
};

// Empties the table (counter 0, every bucket empty, no frame) and replaces
// the session's friend-class name by friend_class_name (empty when null).
void init_table(scope_table& table, const char* friend_class_name);

// init_table, and drops every record of the table's store: nothing that was
// found in the table may be used afterwards.
void release_table(scope_table& table, const char* friend_class_name);

// The class registered as analysis context under name, or null.
const context_class* find_context_class(const scope_table& table, std::string_view name);

// 1 when members declare as friend a class, template or typedef named as
// the session's friend class, else 0 (the befriends_test_class flag).
std::uint32_t befriends_test_class(const scope_table& table, const std::vector<member_node*>& members);

// A new entry for a symbol built by a grammar action.
symbol_entry* make_entry(scope_table& table, symbol* sym);

// The scope stack.
void push_scope(scope_table& table, std::uint32_t access, int mode, std::string_view name, type_node* owner,
                type_kind kind);
void pop_scope(scope_table& table);
bool scope_open(const scope_table& table);
scope_frame* innermost_frame(scope_table& table);
std::uint32_t current_access(const scope_table& table);  // 1 when no frame
void set_current_access(scope_table& table, std::uint32_t access);
std::uint32_t current_scope_kind(const scope_table& table);  // 0 when no frame
type_node* current_owner(const scope_table& table);          // null when no frame
scope_context current_context(const scope_table& table);
std::uint32_t current_specifiers(const scope_table& table);
void clear_specifiers(scope_table& table);
void add_specifier(scope_table& table, std::uint32_t bit);
bool qualified_entry(const scope_table& table);
void set_qualified_entry(scope_table& table, bool on);
// The set-once fields: the first call sets, later calls keep the first value.
void set_first_member(scope_table& table, symbol_entry* entry);
void set_frame_bases(scope_table& table, std::vector<base_node*>* bases);
void set_template_parameters(scope_table& table, std::vector<parameter_node*>* parameters);
// The used namespaces and using declarations of the current class, or of the
// file when no class is open.
std::vector<type_node*>& current_used_namespaces(scope_table& table);
std::vector<using_declaration>& current_using_declarations(scope_table& table);

// Enters entry (and the declarators chained after it) by the redeclaration
// rules and returns the entry that now stands for the first one, possibly an
// older one. With force the entry is appended without the rules.
symbol_entry* declare(symbol_entry* entry, scope_table& table, std::string_view file, int line, bool force);

// Lookups; context is the scope the name is seen from.
symbol_entry* find_tag(std::string_view name, scope_table& table, type_kind kind, scope_context context);
symbol_entry* find_symbol(std::string_view name, scope_table& table, scope_context context);
symbol_entry* find_function(std::string_view name, scope_table& table, const type_node* type,
                            scope_context context);
// The visible enumeration constant of that name (the last one entered).
symbol_entry* find_enumerator(std::string_view name, scope_table& table, scope_context context);
bool is_visible(const scope_table& table, const symbol_entry* entry, scope_context context);

// Appends entry at the end of its bucket and index, without any rule; list
// is 0 for symbols, 1 for tags (name: the tag name), 2 for enumerators.
void append_entry(scope_table& table, symbol_entry* entry, int list, std::string_view name);

// Unlinks entry from its bucket and its index; its records stay in the store.
void remove_symbol(symbol_entry* entry, scope_table& table);

// The scope a symbol is looked up in: its owner, or null for file scope.
const type_node* scope_of(const symbol* s);

// The entries of one list (0 symbols, 1 tags, 2 enumerators) that scope
// owner declares under name, in insertion order; null when none.
const std::vector<symbol_entry*>* entries_in_scope(const scope_table& table, int list, const type_node* owner,
                                                   std::string_view name);

// Moves a symbol of the table to another owner (a record definition copied
// into an earlier declaration), keeping the scope index in step.
void change_owner(scope_table& table, symbol* s, type_node* owner);

// Copies the parameter names of a definition onto its earlier declaration.
void CPP_modify_param_name(scope_table& table, type_node* declaration, const type_node* definition,
                           std::string_view file, int line);

// The walks in bucket order (0 to 99, insertion order inside a bucket).
void walk_symbols(const scope_table& table, const std::function<void(symbol_entry&)>& visit);
void walk_tags(const scope_table& table, const std::function<void(symbol_entry&)>& visit);
void walk_enumerators(const scope_table& table, const std::function<void(symbol_entry&)>& visit);
