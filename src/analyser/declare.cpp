// declare: entering a symbol built by the grammar under the redeclaration
// rules of C and C++.
//
// Named symbols meet their earlier declaration of the same scope: an extern
// is completed by its definition, a tentative definition by a later one, a
// function prototype by its body, and each file keeps its own statics. Tags
// (enums, structs, unions, templates) completed later are completed in place:
// the definition is copied into the node of the forward declaration, so that
// every pointer made before the definition sees the members.
#include "analyser/scope_table.h"

#include "analyser/type_compatibility.h"
#include "analyser/type_copy.h"

namespace {

constexpr int list_symbols = 0;
constexpr int list_tags = 1;
constexpr int list_enumerators = 2;

struct declarer {
    scope_table& table;
    std::string_view file;
    int line;

    symbol_entry* named(symbol_entry* entry);
    symbol_entry* same_scope(symbol_entry* old, symbol_entry* entry);
    symbol_entry* enumeration(symbol_entry* entry);
    symbol_entry* record(symbol_entry* entry);
    symbol_entry* templated(symbol_entry* entry);

    void warn(const char* code, std::string_view name)
    {
        table.store.report(kind_warning, code, report_argument(name), file, line);
    }
    void insert_defined(symbol_entry* entry, int list, std::string_view name)
    {
        entry->defined_seq = ++table.counter;
        append_entry(table, entry, list, name);
    }
    void insert(symbol_entry* entry, int list, std::string_view name, bool definition)
    {
        if (definition)
            entry->defined_seq = ++table.counter;
        else
            entry->declared_seq = ++table.counter;
        append_entry(table, entry, list, name);
    }
    void complete(symbol_entry* old) { old->defined_seq = ++table.counter; }
    type_node* copy_of(const type_node* type) { return copy_type(table.store, nullptr, type, 0, nullptr, nullptr); }
    void enter_enumerators(const symbol_entry* tag);
    void remove_enumerators_of(const type_node* enumeration);
    void copy_record_in_place(type_node* old_type, type_node* new_type);
};

scope_context context_of(const symbol* s)
{
    return {s->scope_kind, s->scope_owner};
}

bool same_owner(const symbol* a, const symbol* b)
{
    bool a_file = a->scope_kind != owner_scope || !a->scope_owner;
    bool b_file = b->scope_kind != owner_scope || !b->scope_owner;
    return a_file == b_file && (a_file || a->scope_owner == b->scope_owner);
}

bool is_function(const symbol* s)
{
    return !(s->specifier_flags & SF_TYPEDEF) && s->type && s->type->kind == TK_FUNCTION;
}

bool is_function_definition(const type_node* t)
{
    return t && t->function() && t->function()->signature.is_definition;
}

symbol_entry* declarer::named(symbol_entry* entry)
{
    symbol* n = entry->sym;
    auto known = table.symbol_index.find(n->name);
    if (known == table.symbol_index.end() || known->second.empty()) {
        insert_defined(entry, list_symbols, n->name);
        return entry;
    }

    if (is_function(n)) {
        symbol_entry* old = find_function(n->name, table, n->type, context_of(n));
        // Static functions of two files are two functions, as for variables.
        if (old && old->sym->file != n->file &&
            ((old->sym->specifier_flags | n->specifier_flags) & SF_STATIC))
            old = nullptr;
        if (old) {
            // A prototype met after the definition must not drop the body.
            bool new_defines = is_function_definition(n->type);
            if (new_defines || !is_function_definition(old->sym->type))
                old->sym->type = n->type;
            if (new_defines)
                complete(old);
            return old;
        }
    }

    symbol_entry* old = find_symbol(n->name, table, context_of(n));
    if (!old || !same_owner(old->sym, n)) {
        insert_defined(entry, list_symbols, n->name);
        return entry;
    }
    // Overloads: a function of another signature is a symbol of its own.
    if (is_function(n) && is_function(old->sym)) {
        insert_defined(entry, list_symbols, n->name);
        return entry;
    }
    return same_scope(old, entry);
}

symbol_entry* declarer::same_scope(symbol_entry* old, symbol_entry* entry)
{
    symbol* o = old->sym;
    symbol* n = entry->sym;
    bool o_extern = o->specifier_flags & SF_EXTERN;
    bool o_static = o->specifier_flags & SF_STATIC;
    bool n_extern = n->specifier_flags & SF_EXTERN;
    bool n_static = n->specifier_flags & SF_STATIC;
    bool other_file = o->file != n->file;

    if (o_extern) {
        if (n_extern) {
            o->file = n->file;
            return old;
        }
        if (n_static) {
            insert_defined(entry, list_symbols, n->name);
            return entry;
        }
        o->type = copy_of(n->type);
        o->file = n->file;
        o->specifier_flags = 0;
        complete(old);
        return old;
    }
    if (o_static) {
        if (other_file) {
            insert_defined(entry, list_symbols, n->name);
            return entry;
        }
        return old;
    }
    if (n_static) {
        if (other_file) {
            insert_defined(entry, list_symbols, n->name);
            return entry;
        }
        warn("REDEFSYMB", n->name);
        return old;
    }
    if (n_extern)
        return old;
    if (o->specifier_flags & SF_TYPEDEF) {
        bool both_typedefs = (n->specifier_flags & SF_TYPEDEF) && n->type && n->type->kind == TK_TYPEDEF &&
                             n->type->typedef_data() && n->type->typedef_data()->name == o->name;
        if (both_typedefs && types_compatible(o->type, n->type) == 0)
            return old;
        warn("REDEFSYMB", n->name);
    }
    o->type = copy_of(n->type);
    o->file = n->file;
    return old;
}

void declarer::enter_enumerators(const symbol_entry* tag)
{
    type_node* type = tag->sym->type;
    const enum_payload* e = type->enumeration();
    if (!e)
        return;
    for (const enumerator* item : e->enumerators) {
        symbol* s = make_symbol(table.store, item->name, type, type->scope_kind, type->scope_owner, 0,
                                tag->sym->file, item->value);
        insert_defined(make_entry(table, s), list_enumerators, item->name);
    }
}

// The constants of an enumeration whose definition is being replaced.
void declarer::remove_enumerators_of(const type_node* enumeration)
{
    const enum_payload* e = enumeration->enumeration();
    if (!e)
        return;
    for (const enumerator* item : e->enumerators) {
        auto found = table.enumerator_index.find(item->name);
        if (found == table.enumerator_index.end())
            continue;
        std::vector<symbol_entry*> mine;
        for (symbol_entry* c : found->second)
            if (c->sym->type == enumeration)
                mine.push_back(c);
        for (symbol_entry* c : mine)
            remove_symbol(c, table);
    }
}

symbol_entry* declarer::enumeration(symbol_entry* entry)
{
    type_node* type = entry->sym->type;
    const enum_payload* e = type->enumeration();
    std::string name = type->tag_name();
    bool has_enumerators = e && !e->enumerators.empty();
    if (name.empty()) {
        insert_defined(entry, list_tags, name);
        enter_enumerators(entry);
        return entry;
    }
    auto known = table.tag_index.find(name);
    symbol_entry* old = nullptr;
    if (known != table.tag_index.end() && !known->second.empty()) {
        old = find_tag(name, table, TK_ENUM, context_of(entry->sym));
        if (old && !same_owner(old->sym, entry->sym))
            old = nullptr;
    }
    if (!old) {
        insert(entry, list_tags, name, has_enumerators);
        enter_enumerators(entry);
        return entry;
    }
    type_node* old_type = old->sym->type;
    if (old_type == type)
        return old;
    const enum_payload* oe = old_type->enumeration();
    bool old_has = oe && !oe->enumerators.empty();
    if (!has_enumerators)
        return old;
    if (old_has)
        warn("REDEFSTRU", name);
    remove_enumerators_of(old_type);
    copy_type(table.store, old_type, type, 1, nullptr, nullptr);
    complete(old);
    enter_enumerators(old);
    return old;
}

bool record_defined(const type_node* t)
{
    if (const struct_payload* s = t->struct_data())
        return s->is_definition();
    if (const union_payload* u = t->union_data())
        return !u->members.empty();
    return false;
}

// Copies a definition into the node of the earlier declaration and moves
// the members the table already holds (declared in the new node) into it.
void declarer::copy_record_in_place(type_node* old_type, type_node* new_type)
{
    std::vector<member_node*> members;
    if (const struct_payload* s = new_type->struct_data())
        members = s->members;
    else if (const union_payload* u = new_type->union_data())
        members = u->members;
    copy_type(table.store, old_type, new_type, 1, old_type, new_type);
    for (member_node* m : members) {
        symbol* s = m ? m->member : nullptr;
        if (!s)
            continue;
        if (s->scope_owner == new_type)
            change_owner(table, s, old_type);
        if (s->type && s->type->scope_owner == new_type)
            s->type->scope_owner = old_type;
    }
}

symbol_entry* declarer::record(symbol_entry* entry)
{
    type_node* type = entry->sym->type;
    std::string name = type->tag_name();
    bool defining = record_defined(type);
    if (name.empty()) {
        insert(entry, list_tags, name, defining);
        return entry;
    }
    symbol_entry* old = find_tag(name, table, type->kind, context_of(entry->sym));
    if (!old || (defining && !same_owner(old->sym, entry->sym))) {
        insert(entry, list_tags, name, defining);
        return entry;
    }
    type_node* old_type = old->sym->type;
    if (old_type == type) {
        // The head reopened the same node; a body now given completes it.
        if (defining && !old->defined_seq)
            complete(old);
        return old;
    }
    if (!defining)
        return old;
    copy_record_in_place(old_type, type);
    complete(old);
    return old;
}

bool template_has_body(const type_node* t)
{
    const template_payload* p = t->template_data();
    if (!p)
        return false;
    if (!p->body.empty())
        return true;
    return p->function && is_function_definition(p->function->type);
}

symbol_entry* declarer::templated(symbol_entry* entry)
{
    type_node* type = entry->sym->type;
    std::string name = type->tag_name();
    bool body = template_has_body(type);
    if (name.empty()) {
        insert(entry, list_tags, name, body);
        return entry;
    }
    symbol_entry* old = find_tag(name, table, TK_TEMPLATE, context_of(entry->sym));
    if (!old || !same_owner(old->sym, entry->sym)) {
        insert(entry, list_tags, name, body);
        return entry;
    }
    type_node* old_type = old->sym->type;
    if (old_type == type || !body)
        return old;
    if (template_has_body(old_type))
        warn("REDEFSYMB", name);
    copy_type(table.store, old_type, type, 1, nullptr, nullptr);
    complete(old);
    return old;
}

symbol_entry* declare_one(declarer& d, symbol_entry* entry, bool force)
{
    symbol* s = entry->sym;
    if (!s)
        return entry;
    type_node* type = s->type;
    bool tag = s->name.empty() && type &&
               (type->kind == TK_ENUM || type->kind == TK_UNION || type->kind == TK_STRUCT ||
                type->kind == TK_TEMPLATE);
    if (force) {
        d.insert_defined(entry, tag ? list_tags : list_symbols, tag ? type->tag_name() : s->name);
        return entry;
    }
    if (!tag && s->name.empty()) {
        // A nameless declaration that is no tag has nothing to meet.
        d.insert_defined(entry, list_symbols, "");
        return entry;
    }
    if (!tag)
        return d.named(entry);
    switch (type->kind) {
    case TK_ENUM: return d.enumeration(entry);
    case TK_TEMPLATE: return d.templated(entry);
    default: return d.record(entry);
    }
}

} // namespace

symbol_entry* declare(symbol_entry* entry, scope_table& table, std::string_view file, int line, bool force)
{
    declarer d{table, file, line};
    symbol_entry* first = nullptr;
    for (symbol_entry* e = entry; e;) {
        symbol_entry* next = e->next_declarator;
        symbol_entry* result = declare_one(d, e, force);
        if (!first)
            first = result;
        e = next;
    }
    return first;
}

symbol_entry* find_function(std::string_view name, scope_table& table, const type_node* type,
                            scope_context context)
{
    const function_payload* wanted = type ? type->function() : nullptr;
    const type_node* scope = context.scope_kind == owner_scope ? context.scope_owner : nullptr;
    const std::vector<symbol_entry*>* known = entries_in_scope(table, 0, scope, name);
    if (!wanted || !known)
        return nullptr;
    // The scope index holds exactly the entries of the same owner.
    const auto& candidates = *known;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        symbol* s = (*it)->sym;
        if (!is_function(s))
            continue;
        // Parameters and trailing modifier decide; the return type does not.
        function_payload a = *s->type->function();
        function_payload b = *wanted;
        a.return_type = b.return_type = nullptr;
        type_node ta;
        ta.kind = TK_FUNCTION;
        ta.data = &a;
        type_node tb;
        tb.kind = TK_FUNCTION;
        tb.data = &b;
        if (types_compatible(&ta, &tb) == 0)
            return *it;
    }
    return nullptr;
}

namespace {

std::vector<parameter_node*> named_parameters(const type_node* function)
{
    const function_payload* f = function ? function->function() : nullptr;
    if (!f)
        return {};
    std::vector<parameter_node*> list = f->signature.parameters;
    if (list.size() == 1 && list[0]->parameter && list[0]->parameter->name.empty()) {
        const type_node* t = strip_typedefs(list[0]->parameter->type);
        if (t && t->kind == TK_VOID && !t->modifiers)
            list.clear();
    }
    return list;
}

} // namespace

void CPP_modify_param_name(scope_table& table, type_node* declaration, const type_node* definition,
                           std::string_view file, int line)
{
    std::vector<parameter_node*> to = named_parameters(declaration);
    std::vector<parameter_node*> from = named_parameters(definition);
    if (to.size() != from.size()) {
        table.store.report(kind_internal, "ERRINTERN", report_argument("CPP_modify_param_name"), file, line);
        return;
    }
    for (std::size_t i = 0; i < to.size(); ++i)
        if (to[i]->parameter && from[i]->parameter)
            to[i]->parameter->name = from[i]->parameter->name;
}
