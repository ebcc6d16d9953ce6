// The stack of open scopes of a scope_table: which scope a new declaration
// belongs to, the access of members, and the specifiers being accumulated.
// Frames live in a deque so that a frame's address (and so its outer link)
// stays valid while inner frames come and go.
#include "analyser/scope_table.h"

namespace {

type_payload* named_payload(model_store& store, type_kind kind, std::string_view name)
{
    switch (kind) {
    case TK_UNION: return make_union_payload(store, name);
    case TK_STRUCT: return make_struct_payload(store, name, declared_as_class);
    case TK_TEMPLATE: return make_template_payload(store, name, 0, "", 0, "");
    default: return nullptr;
    }
}

bool at_file_level(const scope_table& table)
{
    if (table.frames.empty())
        return true;
    const scope_frame& f = table.frames.back();
    return f.scope_kind == file_scope && !f.outer;
}

// The owner of a new class head; a named head at file level is the class
// registered under that name as analysis context, made on first use.
type_node* new_owner(scope_table& table, std::string_view name, type_kind kind)
{
    std::uint32_t scope_kind = current_scope_kind(table);
    type_node* scope_owner = current_owner(table);
    if (name.empty() || !at_file_level(table))
        return create_type(table.store, kind, nullptr, scope_kind, scope_owner);
    auto found = table.context_classes.find(std::string(name));
    if (found != table.context_classes.end() && found->second.owner->kind == kind)
        return found->second.owner;
    type_node* owner = create_type(table.store, kind, named_payload(table.store, kind, name), scope_kind, scope_owner);
    if (found == table.context_classes.end()) {
        type_node* placeholder =
            create_type(table.store, TK_FUNCTION, make_function_payload(table.store, nullptr), owner_scope, owner);
        table.context_classes.emplace(std::string(name), context_class{owner, placeholder});
    }
    return owner;
}

} // namespace

void push_scope(scope_table& table, std::uint32_t access, int mode, std::string_view name, type_node* owner,
                type_kind kind)
{
    scope_frame frame;
    frame.access = access;
    frame.outer = table.frames.empty() ? nullptr : &table.frames.back();
    if (mode == scope_mode_new_owner) {
        frame.scope_kind = owner_scope;
        frame.scope_owner = new_owner(table, name, kind);
    } else if (mode == scope_mode_owner && owner) {
        frame.scope_kind = owner_scope;
        frame.scope_owner = owner;
    }
    table.frames.push_back(frame);
}

void pop_scope(scope_table& table)
{
    if (!table.frames.empty())
        table.frames.pop_back();
}

bool scope_open(const scope_table& table)
{
    return !table.frames.empty();
}

scope_frame* innermost_frame(scope_table& table)
{
    return table.frames.empty() ? nullptr : &table.frames.back();
}

std::uint32_t current_access(const scope_table& table)
{
    return table.frames.empty() ? access_public : table.frames.back().access;
}

void set_current_access(scope_table& table, std::uint32_t access)
{
    if (!table.frames.empty())
        table.frames.back().access = access;
}

std::uint32_t current_scope_kind(const scope_table& table)
{
    return table.frames.empty() ? file_scope : table.frames.back().scope_kind;
}

type_node* current_owner(const scope_table& table)
{
    return table.frames.empty() ? nullptr : table.frames.back().scope_owner;
}

scope_context current_context(const scope_table& table)
{
    return {current_scope_kind(table), current_owner(table)};
}

std::uint32_t current_specifiers(const scope_table& table)
{
    return table.frames.empty() ? 0 : table.frames.back().specifiers;
}

void clear_specifiers(scope_table& table)
{
    if (!table.frames.empty())
        table.frames.back().specifiers = 0;
}

void add_specifier(scope_table& table, std::uint32_t bit)
{
    if (!table.frames.empty())
        table.frames.back().specifiers |= bit;
}

bool qualified_entry(const scope_table& table)
{
    return !table.frames.empty() && table.frames.back().qualified_entry;
}

void set_qualified_entry(scope_table& table, bool on)
{
    if (!table.frames.empty())
        table.frames.back().qualified_entry = on ? 1 : 0;
}

void set_first_member(scope_table& table, symbol_entry* entry)
{
    if (!table.frames.empty() && !table.frames.back().first_member)
        table.frames.back().first_member = entry;
}

void set_frame_bases(scope_table& table, std::vector<base_node*>* bases)
{
    if (!table.frames.empty() && !table.frames.back().bases)
        table.frames.back().bases = bases;
}

void set_template_parameters(scope_table& table, std::vector<parameter_node*>* parameters)
{
    if (!table.frames.empty() && !table.frames.back().template_parameters)
        table.frames.back().template_parameters = parameters;
}

std::vector<type_node*>& current_used_namespaces(scope_table& table)
{
    type_node* owner = current_scope_kind(table) == owner_scope ? current_owner(table) : nullptr;
    return owner ? owner->used_namespaces : table.used_namespaces;
}

std::vector<using_declaration>& current_using_declarations(scope_table& table)
{
    type_node* owner = current_scope_kind(table) == owner_scope ? current_owner(table) : nullptr;
    return owner ? owner->using_declarations : table.using_declarations;
}
