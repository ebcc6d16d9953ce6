// Access declarations: "Base::member;" in a class body re-declares, with the
// access of the current label, a member received from Base. Qualified
// member names written outside their class are checked here too.
//
// The node is named with the qualified name as written, so that the
// inherited-member walk can match it by name and by the class that declares
// the member, and so that it prints back as it was written. It has no type:
// it declares nothing new, and the generator must not take it for a member
// of its own.
#include <algorithm>
#include <string>

#include "analyser/class_record.h"
#include "analyser/declaration_parser.h"

namespace {

// A namespace lists no members while it is open: its names are in the table.
bool has_member(scope_table& table, const type_node* record, std::string_view name)
{
    const struct_payload* s = record ? record->struct_data() : nullptr;
    if (!s)
        return false;
    if (s->declared_as == declared_as_namespace) {
        const symbol_entry* e = find_symbol(name, table, scope_context{owner_scope, const_cast<type_node*>(record)});
        return e && e->sym && e->sym->scope_owner == record;
    }
    auto named = [&](const member_node* m) { return m && m->member && m->member->name == name; };
    return std::any_of(s->members.begin(), s->members.end(), named) ||
           std::any_of(s->inherited.begin(), s->inherited.end(), named);
}

} // namespace

void check_qualified_member(declaration_parser& p, type_node* qualifier, std::string_view member_name)
{
    const type_node* named = strip_typedefs(qualifier);
    if (named && named->struct_data() && !has_member(p.table, named, member_name))
        p.report_at_lexer(kind_warning, "CHAMPINCO", member_name);
}

void declare_access(declaration_parser& p, type_node* qualifier, std::string_view member_name)
{
    type_node* record = current_owner(p.table);
    struct_payload* payload = record ? record->struct_data() : nullptr;
    if (!payload || payload->declared_as == declared_as_namespace)
        return;
    const type_node* named = strip_typedefs(qualifier);
    if (!has_member(p.table, named, member_name))
        p.report_at_lexer(kind_warning, "CHAMPINCO", member_name);
    const std::string qualified = (named ? named->tag_name() : std::string()) + "::" + std::string(member_name);
    symbol* sym = make_symbol(p.store, qualified, nullptr, owner_scope, record, 0, p.current_file(), nullptr);
    member_node* node = make_member(p.store, sym, current_access(p.table));
    node->access_declaration = 1;
    payload->members.push_back(node);
}
