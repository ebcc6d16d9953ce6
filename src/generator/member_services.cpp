// The services of the member functions of one class, union or namespace.
// A member gets a block when the tester can call it: public (or the class
// befriends the test class), not pure, defined, and defined in the tested
// file (or belonging to a template instance the tested file declares).
// Constructors and destructors work on an object pointer; other members of
// a class are called on one object declared in each block, the instance,
// named after the class. Nested classes are visited from their enclosing
// class; the definition flag, cleared as a block is written, keeps a member
// reached twice (from its class and from the tag walk) to one block.
#include "generator/member_services.h"

#include <unordered_set>
#include <vector>

#include "analyser/print_name.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"
#include "generator/analysis_context.h"
#include "generator/file_identity.h"
#include "generator/instance_members.h"
#include "generator/namespace_blocks.h"
#include "generator/service_blocks.h"

namespace {

constexpr int max_nesting = 100;

const type_node* owner_of(const type_node* type)
{
    return type->scope_kind == owner_scope ? type->scope_owner : nullptr;
}

const std::vector<member_node*>* member_list(const type_node* type)
{
    if (const struct_payload* s = type->struct_data())
        return &s->members;
    if (const union_payload* u = type->union_data())
        return &u->members;
    return nullptr;
}

bool befriends_test(const type_node* type)
{
    if (const struct_payload* s = type->struct_data())
        return s->befriends_test_class != 0;
    if (const union_payload* u = type->union_data())
        return u->befriends_test_class != 0;
    return false;
}

bool is_template_instance(const type_node* type)
{
    const struct_payload* s = type->struct_data();
    return s && s->instantiation_state == 1;
}

// The class name a constructor carries: the tag name, or for an instance
// ("Box<int> ") the template's name.
std::string constructor_name(const type_node* type)
{
    std::string name = type->tag_name();
    if (const std::size_t angle = name.find('<'); angle != std::string::npos)
        name.erase(angle);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

// The members to visit: the member list, and for a namespace also the
// symbols the table places in it (a namespace reopened or written without
// a member list still lists its functions), in bucket order.
std::vector<std::pair<symbol*, std::uint32_t>> members_of(const type_node* type, const analysis_context& context)
{
    std::vector<std::pair<symbol*, std::uint32_t>> list;
    std::unordered_set<const symbol*> seen;
    if (const std::vector<member_node*>* members = member_list(type))
        for (const member_node* node : *members)
            if (node->member && !node->access_declaration && seen.insert(node->member).second)
                list.emplace_back(node->member, node->access);
    if (is_namespace(type))
        walk_symbols(context.scopes, [&](symbol_entry& entry) {
            symbol* sym = entry.sym;
            if (sym && sym->scope_kind == owner_scope && sym->scope_owner == type && seen.insert(sym).second)
                list.emplace_back(sym, access_public);
        });
    return list;
}

struct member_walk {
    generation& run;
    service_names& names;
    analysis_context& context;
    std::string_view tested_file;
};

void visit(member_walk& walk, type_node* type, bool tested_instance, int depth);

void write_member(member_walk& walk, type_node* type, symbol* member, std::uint32_t access, bool tested_instance)
{
    function_payload* f = member->type ? member->type->function() : nullptr;
    // A friend function is no member: its file-level copy has the service.
    if (!f || member->name.empty() || (member->specifier_flags & SF_FRIEND))
        return;
    if ((access & 7u) != access_public && !befriends_test(type))
        return;
    if (member->initialiser)  // "= 0": pure
        return;
    if (!f->signature.is_definition)
        return;
    f->signature.is_definition = 0;
    if (!same_file(walk.tested_file, member->file) && !tested_instance)
        return;

    member_role role;
    role.owner = type;
    if (is_namespace(type)) {
        role.kind = member_role::namespace_member;
        print_qualified_name(role.namespace_name, type->tag_name(), owner_of(type), "::", true);
    } else if (member->name.starts_with('~')) {
        role.kind = member_role::destructor;
    } else if (member->name == constructor_name(type)) {
        role.kind = member_role::constructor;
    } else {
        role.kind = member_role::ordinary;
        std::string prefix, name_part, suffix;
        print_type(type, prefix, name_part, suffix, false, "", 0, false, mode_no_class_keyword, nullptr, false);
        role.class_text = prefix;
        while (!role.class_text.empty() && role.class_text.back() == ' ')
            role.class_text.pop_back();
        print_qualified_name(role.instance_name, "instance", type, "_", false);
    }
    write_service(walk.run, walk.names, member, &role);
}

void visit(member_walk& walk, type_node* type, bool tested_instance, int depth)
{
    if (depth > max_nesting)
        return;
    for (const auto& [member, access] : members_of(type, walk.context)) {
        type_node* member_type = member->type;
        if (!member_type)
            continue;
        if (member_type->kind == TK_STRUCT || member_type->kind == TK_UNION) {
            // A class declared inside this one (not a data member of a class
            // declared elsewhere).
            if (member_type != type && owner_of(member_type) == type)
                visit(walk, member_type, tested_instance || is_template_instance(member_type), depth + 1);
            continue;
        }
        write_member(walk, type, member, access, tested_instance);
    }
}

} // namespace

void write_member_services(generation& run, service_names& names, analysis_context& context,
                           std::string_view tested_file, type_node* type, bool declared_in_tested_file)
{
    if (!type || (type->kind != TK_STRUCT && type->kind != TK_UNION) || is_unnamed_namespace(type))
        return;
    const bool tested_instance = declared_in_tested_file && is_template_instance(type);
    if (tested_instance)
        analyse_instance_member_bodies(context, type);
    member_walk walk{run, names, context, tested_file};
    visit(walk, type, tested_instance, 0);
}
