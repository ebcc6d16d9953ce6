// The buckets, the lookup index, visibility and the lookups of a scope_table.
//
// Every insertion appends to a bucket list (kept for the walk) and to the
// name's vector in the index (kept for lookups); both are in insertion order,
// so "the last one entered" is the last element of the vector. Lookups go
// scope by scope from the context outward: the context's owner, the owner's
// owner, ... and finally file scope, each level answered by the scope index
// (owner, name) without looking at the same name in other scopes. Only when
// some namespace is in use are all entries of the name scanned once more,
// for the members of used namespaces.
#include "analyser/scope_table.h"

#include <algorithm>

namespace {

// Enough steps for any real namespace alias chain; a chain that loops stops.
constexpr int chain_limit = 1000;

entry_bucket* bucket_array(scope_table& table, int list)
{
    switch (list) {
    case 0: return table.symbols;
    case 1: return table.tags;
    default: return table.enumerators;
    }
}

name_index& index_of(scope_table& table, int list)
{
    switch (list) {
    case 0: return table.symbol_index;
    case 1: return table.tag_index;
    default: return table.enumerator_index;
    }
}

owner_index& owners_of(scope_table& table, int list)
{
    switch (list) {
    case 0: return table.symbol_owners;
    case 1: return table.tag_owners;
    default: return table.enumerator_owners;
    }
}

const std::vector<symbol_entry*>* entries_named(scope_table& table, int list, std::string_view name)
{
    auto& index = index_of(table, list);
    auto found = index.find(name);
    return found == index.end() ? nullptr : &found->second;
}

bool namespace_used(const std::vector<type_node*>& used, const type_node* owner)
{
    for (const type_node* ns : used) {
        int steps = 0;
        for (const type_node* n = ns; n && steps < chain_limit; n = n->namespace_chain, ++steps)
            if (n == owner)
                return true;
    }
    return false;
}

// The owner of the scope that encloses owner's scope (null: file scope).
type_node* enclosing_owner(const type_node* owner)
{
    return owner->scope_kind == owner_scope ? owner->scope_owner : nullptr;
}

// True when is_visible can accept an entry that no scope level holds: a
// namespace is in use at file level or in the context's own scope.
bool namespaces_in_use(const scope_table& table, scope_context context)
{
    return !table.used_namespaces.empty() ||
           (context.scope_kind == owner_scope && context.scope_owner && !context.scope_owner->used_namespaces.empty());
}

symbol_entry* last_kept(const std::vector<symbol_entry*>* entries, auto keep)
{
    if (entries)
        for (auto it = entries->rbegin(); it != entries->rend(); ++it)
            if (keep(*it))
                return *it;
    return nullptr;
}

// The last entry named name accepted by keep, searched scope by scope from
// the context's owner outward to file scope.
// A name with few entries is scanned whole at each level: cheaper than a
// hash lookup per level. Past that many, the scope index answers.
constexpr std::size_t few_entries = 8;

template <class Keep>
symbol_entry* search_outward(scope_table& table, int list, std::string_view name, scope_context context, Keep keep)
{
    const std::vector<symbol_entry*>* all = entries_named(table, list, name);
    if (!all)
        return nullptr;
    const bool few = all->size() <= few_entries;
    const type_node* owner = context.scope_kind == owner_scope ? context.scope_owner : nullptr;
    for (int steps = 0; steps < chain_limit; ++steps) {
        symbol_entry* found =
            few ? last_kept(all, [&](const symbol_entry* e) { return scope_of(e->sym) == owner && keep(e); })
                : last_kept(entries_in_scope(table, list, owner, name), keep);
        if (found)
            return found;
        if (!owner)
            break;
        owner = enclosing_owner(owner);
    }
    if (!namespaces_in_use(table, context))
        return nullptr;
    // Members of used namespaces count as declared at file scope.
    return last_kept(all, [&](const symbol_entry* e) { return keep(e) && is_visible(table, e, context); });
}

// Inserts entry into its scope's vector at the place its order gives.
void index_in_scope(scope_table& table, symbol_entry* entry, std::string_view name)
{
    std::vector<symbol_entry*>& v = owners_of(table, entry->list)[owned_name{scope_of(entry->sym), std::string(name)}];
    auto later = std::upper_bound(v.begin(), v.end(), entry,
                                  [](const symbol_entry* a, const symbol_entry* b) { return a->order < b->order; });
    v.insert(later, entry);
}

void unindex_in_scope(scope_table& table, symbol_entry* entry, std::string_view name)
{
    owner_index& owners = owners_of(table, entry->list);
    auto found = owners.find(owned_name_view{scope_of(entry->sym), name});
    if (found == owners.end())
        return;
    auto& v = found->second;
    v.erase(std::remove(v.begin(), v.end(), entry), v.end());
    if (v.empty())
        owners.erase(found);
}

} // namespace

int name_bucket(std::string_view name)
{
    int sum = 0;
    for (char c : name)
        sum += static_cast<signed char>(c);
    // Bytes above 127 make the sum negative: keep the digit in 0..9.
    int sum_digit = ((sum % 10) + 10) % 10;
    return static_cast<int>(name.size() % 10) + 10 * sum_digit;
}

scope_table::scope_table() = default;

void scope_table::reset(std::string_view test_class)
{
    std::string name(test_class);
    release_table(*this, name.c_str());
}

void init_table(scope_table& table, const char* friend_class_name)
{
    table.counter = 0;
    table.context_classes.clear();
    for (int i = 0; i < bucket_count; ++i) {
        table.symbols[i] = {};
        table.tags[i] = {};
        table.enumerators[i] = {};
    }
    table.symbol_index.clear();
    table.tag_index.clear();
    table.enumerator_index.clear();
    table.symbol_owners.clear();
    table.tag_owners.clear();
    table.enumerator_owners.clear();
    table.entry_order = 0;
    table.used_namespaces.clear();
    table.using_declarations.clear();
    table.frames.clear();
    table.bindings = template_bindings{};
    table.instances_in_progress.clear();
    table.instances_analysed = 0;
    table.session->friend_class_name = friend_class_name ? friend_class_name : "";
}

void release_table(scope_table& table, const char* friend_class_name)
{
    init_table(table, friend_class_name);
    table.store.clear();
}

const context_class* find_context_class(const scope_table& table, std::string_view name)
{
    auto found = table.context_classes.find(std::string(name));
    return found == table.context_classes.end() ? nullptr : &found->second;
}

std::uint32_t befriends_test_class(const scope_table& table, const std::vector<member_node*>& members)
{
    const std::string& friend_name = table.session->friend_class_name;
    if (friend_name.empty())
        return 0;
    for (const member_node* m : members) {
        const symbol* s = m ? m->member : nullptr;
        if (!s || !(s->specifier_flags & SF_FRIEND) || !s->type)
            continue;
        const type_node* t = s->type;
        const std::string* name = nullptr;
        if (t->kind == TK_STRUCT || t->kind == TK_UNION || t->kind == TK_TEMPLATE)
            name = &t->tag_name();
        else if (t->kind == TK_TYPEDEF && t->typedef_data())
            name = &t->typedef_data()->name;
        if (name && *name == friend_name)
            return 1;
    }
    return 0;
}

symbol_entry* make_entry(scope_table& table, symbol* sym)
{
    symbol_entry* e = table.store.new_entry();
    e->sym = sym;
    return e;
}

void append_entry(scope_table& table, symbol_entry* entry, int list, std::string_view name)
{
    int bucket = name_bucket(name);
    entry_bucket& b = bucket_array(table, list)[bucket];
    entry->list = static_cast<std::uint8_t>(list);
    entry->bucket = static_cast<std::int16_t>(bucket);
    entry->next = nullptr;
    entry->previous = b.tail;
    if (b.tail)
        b.tail->next = entry;
    else
        b.head = entry;
    b.tail = entry;
    name_index& index = index_of(table, list);
    auto found = index.find(name);
    if (found == index.end())
        found = index.emplace(std::string(name), std::vector<symbol_entry*>{}).first;
    found->second.push_back(entry);
    entry->order = ++table.entry_order;
    index_in_scope(table, entry, name);
}

void remove_symbol(symbol_entry* entry, scope_table& table)
{
    if (!entry || entry->bucket < 0)
        return;
    entry_bucket& b = bucket_array(table, entry->list)[entry->bucket];
    if (entry->previous)
        entry->previous->next = entry->next;
    else
        b.head = entry->next;
    if (entry->next)
        entry->next->previous = entry->previous;
    else
        b.tail = entry->previous;
    auto& index = index_of(table, entry->list);
    std::string name = entry->list == 1 && entry->sym && entry->sym->type ? entry->sym->type->tag_name()
                                                                           : (entry->sym ? entry->sym->name : "");
    auto found = index.find(name);
    if (found != index.end()) {
        auto& v = found->second;
        v.erase(std::remove(v.begin(), v.end(), entry), v.end());
        if (v.empty())
            index.erase(found);
    }
    unindex_in_scope(table, entry, name);
    entry->next = entry->previous = nullptr;
    entry->bucket = -1;
}

const type_node* scope_of(const symbol* s)
{
    return s && s->scope_kind == owner_scope ? s->scope_owner : nullptr;
}

const std::vector<symbol_entry*>* entries_in_scope(const scope_table& table, int list, const type_node* owner,
                                                   std::string_view name)
{
    const owner_index& owners = owners_of(const_cast<scope_table&>(table), list);
    auto found = owners.find(owned_name_view{owner, name});
    return found == owners.end() ? nullptr : &found->second;
}

void change_owner(scope_table& table, symbol* s, type_node* owner)
{
    // A symbol sits under its own name in the symbol and enumerator lists.
    std::vector<symbol_entry*> moved;
    for (int list : {0, 2})
        if (const std::vector<symbol_entry*>* here = entries_in_scope(table, list, scope_of(s), s->name))
            for (symbol_entry* e : *here)
                if (e->sym == s)
                    moved.push_back(e);
    for (symbol_entry* e : moved)
        unindex_in_scope(table, e, s->name);
    s->scope_owner = owner;
    for (symbol_entry* e : moved)
        index_in_scope(table, e, s->name);
}

bool is_visible(const scope_table& table, const symbol_entry* entry, scope_context context)
{
    const symbol* s = entry ? entry->sym : nullptr;
    if (!s)
        return false;
    if (s->scope_kind != owner_scope || !s->scope_owner)
        return true;
    if (context.scope_kind == owner_scope && context.scope_owner == s->scope_owner)
        return true;
    if (namespace_used(table.used_namespaces, s->scope_owner))
        return true;
    return context.scope_kind == owner_scope && context.scope_owner &&
           namespace_used(context.scope_owner->used_namespaces, s->scope_owner);
}

symbol_entry* find_tag(std::string_view name, scope_table& table, type_kind kind, scope_context context)
{
    return search_outward(table, 1, name, context, [kind](const symbol_entry* e) {
        return e->sym->type && e->sym->type->kind == kind;
    });
}

symbol_entry* find_symbol(std::string_view name, scope_table& table, scope_context context)
{
    return search_outward(table, 0, name, context, [](const symbol_entry*) { return true; });
}

symbol_entry* find_enumerator(std::string_view name, scope_table& table, scope_context context)
{
    return search_outward(table, 2, name, context, [](const symbol_entry*) { return true; });
}

static void walk_list(const entry_bucket* buckets, const std::function<void(symbol_entry&)>& visit)
{
    for (int i = 0; i < bucket_count; ++i) {
        for (symbol_entry* e = buckets[i].head; e;) {
            symbol_entry* next = e->next;  // the visitor may remove e
            visit(*e);
            e = next;
        }
    }
}

void walk_symbols(const scope_table& table, const std::function<void(symbol_entry&)>& visit)
{
    walk_list(table.symbols, visit);
}

void walk_tags(const scope_table& table, const std::function<void(symbol_entry&)>& visit)
{
    walk_list(table.tags, visit);
}

void walk_enumerators(const scope_table& table, const std::function<void(symbol_entry&)>& visit)
{
    walk_list(table.enumerators, visit);
}
