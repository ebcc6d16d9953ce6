// Record heads and class ends (see class_record.h).
//
// The body of a record is parsed inside the record's own scope, so its
// members are declared with the record as owner while the body is read; the
// payload is completed when the body closes. A friend class named for the
// first time belongs to the scope that encloses the befriending class, as
// in C++, which is why a use reads the friend bit of the innermost frame.
#include "analyser/class_record.h"
#include "analyser/template_instance.h"

#include <algorithm>

#include "analyser/declaration_parser.h"
#include "analyser/type_copy.h"

namespace {

type_kind record_kind(int kind_code)
{
    return kind_code == record_code_union ? TK_UNION : TK_STRUCT;
}

type_payload* empty_payload(model_store& store, int kind_code, std::string_view name)
{
    if (kind_code == record_code_union)
        return make_union_payload(store, name);
    return make_struct_payload(store, name, static_cast<std::uint32_t>(kind_code));
}

// The scope a new record takes: file scope for instances and explicit
// specialisations; for a friend class, the scope of the befriending class
// (file scope when that is a template); else the current scope.
scope_context record_scope(scope_table& table, int mode, bool is_friend)
{
    if (mode == record_mode_instance || mode == record_mode_specialisation)
        return {};
    const scope_context here = current_context(table);
    if (!is_friend || !here.scope_owner)
        return here;
    const type_node* befriending = here.scope_owner;
    if (befriending->kind == TK_TEMPLATE)
        return {};
    return {befriending->scope_kind, befriending->scope_owner};
}

bool friend_bit_set(scope_table& table)
{
    return (current_specifiers(table) & SF_FRIEND) != 0;
}

// Declares the nameless tag of record and returns the record that stands
// for it afterwards (a forward-declared node completed in place, or record).
type_node* declare_tag(declaration_parser& p, type_node* record)
{
    symbol* tag = make_symbol(p.store, "", record, record->scope_kind, record->scope_owner, 0, p.current_file(),
                              nullptr);
    symbol_entry* entry = declare(make_entry(p.table, tag), p.table, p.current_file(), p.current_line(), false);
    return entry && entry->sym && entry->sym->type ? entry->sym->type : record;
}

type_node* record_without_body(declaration_parser& p, int kind_code, std::string_view name, int mode)
{
    const type_kind kind = record_kind(kind_code);
    const bool is_friend = friend_bit_set(p.table);
    if (!name.empty())
        if (symbol_entry* e = find_tag(name, p.table, kind, current_context(p.table)); e && e->sym && e->sym->type)
            return e->sym->type;
    if (name.empty())
        return nullptr;
    const scope_context where = record_scope(p.table, mode, is_friend);
    type_node* record =
        create_type(p.store, kind, empty_payload(p.store, kind_code, name), where.scope_kind, where.scope_owner);
    return declare_tag(p, record);
}

// A record whose body is refused: back to a declaration without members,
// and out of the table when its own head declared it.
void forget_record(declaration_parser& p, type_node* record)
{
    if (std::vector<member_node*>* members = members_of(record))
        members->clear();
    auto& opened = p.records_opened_by_heads;
    if (std::find(opened.begin(), opened.end(), record) == opened.end())
        return;
    std::vector<symbol_entry*> entries;
    walk_tags(p.table, [&](symbol_entry& e) {
        if (e.sym && e.sym->type == record)
            entries.push_back(&e);
    });
    for (symbol_entry* e : entries)
        remove_symbol(e, p.table);
}

type_node* record_with_body(declaration_parser& p, int kind_code, std::string_view name,
                            std::vector<base_node*>* bases, int mode)
{
    scope_table& table = p.table;
    type_node* record = current_owner(table);
    if (!record)
        return nullptr;
    pop_scope(table);
    if (struct_payload* s = record->struct_data()) {
        s->name = name;
        s->declared_as = static_cast<std::uint32_t>(kind_code);
        if (bases) {
            for (base_node* base : *bases)
                if ((base->access & 7u) == 0)
                    base->access = kind_code == record_code_class ? access_private : access_public;
            s->bases = *bases;
        }
        s->befriends_test_class = befriends_test_class(table, s->members);
        s->inherited.clear();
        compute_inherited(p.store, name, s->members, s->bases, false, s->inherited, inheritance_depth_limit);
    } else if (union_payload* u = record->union_data()) {
        if (bases && !bases->empty()) {
            p.report_at_lexer(kind_warning, "SYNTAXERR", "<union>::<type>");
            forget_record(p, record);
            std::erase(p.records_opened_by_heads, record);
            return nullptr;
        }
        u->name = name;
        u->befriends_test_class = befriends_test_class(table, u->members);
    }
    std::erase(p.records_opened_by_heads, record);
    if (mode == record_mode_instance || mode == record_mode_specialisation) {
        record->scope_kind = file_scope;
        record->scope_owner = nullptr;
    }
    end_class(table, record, p.current_file(), p.current_line());
    return declare_tag(p, record);
}

} // namespace

std::vector<member_node*>* members_of(type_node* record)
{
    if (!record)
        return nullptr;
    if (struct_payload* s = record->struct_data())
        return &s->members;
    if (union_payload* u = record->union_data())
        return &u->members;
    return nullptr;
}

void open_record_body(declaration_parser& p, int kind_code, std::string_view name)
{
    scope_table& table = p.table;
    const std::uint32_t access = kind_code == record_code_class ? access_private : access_public;
    const type_kind kind = record_kind(kind_code);
    if (!name.empty()) {
        // The body sees its own name: the head completes the forward
        // declaration of this scope, or makes one. A second definition gets
        // a node of its own, copied over the first when it closes. A record
        // of that name in an outer scope is another record: this one gets a
        // new node, declared when its body closes.
        const scope_context here = current_context(table);
        symbol_entry* e = find_tag(name, table, kind, here);
        type_node* existing = e && e->sym ? e->sym->type : nullptr;
        if (existing && existing->scope_owner != here.scope_owner)
            existing = nullptr;
        else if (!existing) {
            existing = record_without_body(p, kind_code, name, record_mode_ordinary);
            p.records_opened_by_heads.push_back(existing);
        }
        const std::vector<member_node*>* members = members_of(existing);
        if (existing && members && members->empty()) {
            push_scope(table, access, scope_mode_owner, "", existing, kind);
            return;
        }
    }
    push_scope(table, access, scope_mode_new_owner, "", nullptr, kind);
    type_node* owner = current_owner(table);
    if (!owner)
        return;
    if (kind == TK_UNION ? !owner->union_data() : !owner->struct_data()) {
        owner->kind = kind;
        owner->data = empty_payload(p.store, kind_code, name);
    }
}

type_node* make_record(declaration_parser& p, int kind_code, std::string_view name, std::vector<base_node*>* bases,
                       bool has_body, int mode)
{
    if (!has_body)
        return record_without_body(p, kind_code, name, mode);
    return record_with_body(p, kind_code, name, bases, mode);
}

void end_class(scope_table& table, type_node* record, std::string_view file, int line)
{
    const std::vector<member_node*>* members = members_of(record);
    if (!members)
        return;
    // Copied first: declaring may add to the table, never to this list, but
    // the list is read while symbols are made.
    const std::vector<member_node*> list = *members;
    for (const member_node* node : list) {
        const symbol* member = node ? node->member : nullptr;
        if (!member || !(member->specifier_flags & SF_FRIEND) || !member->type ||
            member->type->kind != TK_FUNCTION || member->name.empty())
            continue;
        symbol* copy = make_symbol(table.store, member->name,
                                   copy_type(table.store, nullptr, member->type, 0, nullptr, nullptr), file_scope,
                                   nullptr, member->specifier_flags & ~static_cast<std::uint32_t>(SF_FRIEND),
                                   member->file, copy_value(table.store, member->initialiser));
        declare(make_entry(table, copy), table, file, line, false);
    }
    instantiate_member_templates(table, table.store.report, record, file, line);
}
