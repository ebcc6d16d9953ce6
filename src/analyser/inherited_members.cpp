// compute_inherited: the members a class receives from its bases.
//
// For each base in order, the base's own members (labels and friends left
// out) come first, then what the base itself received, computed by the same
// walk one level deeper. This level's rule is applied on top of the access a
// member already has in the base, so a private or protected derivation
// anywhere on the path restricts every member that passes through it. The
// friend bits are those of the class that declares the member.
//
// Each class is walked once per computation, along the first path that
// reaches it: a virtual base is one subobject, and a member reached again
// through another non-virtual path would be ambiguous in the class anyway.
// So a chain of diamonds, a base written twice or a record named as its own
// base lists each ancestor's members once, in time linear in the ancestors,
// where walking every path would grow exponentially with a few source
// lines. The depth bounds the length of the path.
#include <algorithm>
#include <unordered_set>

#include "analyser/class_record.h"
#include "analyser/model_store.h"
#include "analyser/type_copy.h"

namespace {

const type_node* base_record(const base_node* base)
{
    const type_node* type = strip_typedefs(base ? base->base : nullptr);
    return type && type->struct_data() ? type : nullptr;
}

// The access of a member of the base once derived with base_access.
std::uint32_t derived_access(std::uint32_t base_access, std::uint32_t member_access)
{
    if ((base_access & 7u) == access_private || (member_access & 7u) == access_private)
        return access_private;
    if ((base_access & 7u) == access_protected)
        return access_protected;
    return member_access & 7u;
}

bool declares_friend_class(const struct_payload& record, std::string_view class_name)
{
    if (class_name.empty())
        return false;
    return std::any_of(record.members.begin(), record.members.end(), [&](const member_node* m) {
        const symbol* s = m ? m->member : nullptr;
        return s && (s->specifier_flags & SF_FRIEND) && s->type &&
               (s->type->kind == TK_STRUCT || s->type->kind == TK_UNION) && s->type->tag_name() == class_name;
    });
}

member_node* inherited_copy(model_store& store, const member_node* from, std::uint32_t access, bool through_virtual)
{
    member_node* copy = make_member(store, copy_symbol(store, from->member, nullptr, nullptr), access);
    copy->access_declaration = from->access_declaration;
    copy->through_virtual = through_virtual || from->through_virtual ? 1 : 0;
    return copy;
}

std::string_view member_part(std::string_view qualified)
{
    const std::size_t scope = qualified.rfind("::");
    return scope == std::string_view::npos ? qualified : qualified.substr(scope + 2);
}

std::string_view qualifier_part(std::string_view qualified)
{
    const std::size_t scope = qualified.rfind("::");
    if (scope == std::string_view::npos)
        return {};
    const std::string_view before = qualified.substr(0, scope);
    const std::size_t outer = before.rfind("::");
    return outer == std::string_view::npos ? before : before.substr(outer + 2);
}

// Each access declaration takes the place of the inherited member it names
// (same name, declared in the named class).
void apply_access_declarations(model_store& store, const std::vector<member_node*>& members,
                               std::vector<member_node*>& inherited, bool report)
{
    for (const member_node* node : members) {
        if (!node || !node->access_declaration || !node->member)
            continue;
        const std::string_view qualified = node->member->name;
        const std::string_view name = member_part(qualified);
        const std::string_view owner = qualifier_part(qualified);
        auto match = std::find_if(inherited.begin(), inherited.end(), [&](const member_node* m) {
            const symbol* s = m->member;
            return s && !m->access_declaration && s->name == name && s->scope_owner &&
                   s->scope_owner->tag_name() == owner;
        });
        if (match != inherited.end())
            inherited.erase(match);
        else if (report && store.report)
            store.report(kind_warning, "MODACCINC", report_argument(qualified), "", 0);
    }
}

// The walk; only the class being closed reports its access declarations
// (a base reported its own when it was closed). walked holds the classes
// already visited in this computation.
void collect(model_store& store, std::string_view class_name, const std::vector<member_node*>& members,
             const std::vector<base_node*>& bases, bool virtual_path, std::vector<member_node*>& inherited, int depth,
             bool report, std::unordered_set<const type_node*>& walked)
{
    if (depth > 0) {
        for (const base_node* base : bases) {
            const type_node* record = base_record(base);
            if (!record || !walked.insert(record).second)
                continue;
            const struct_payload& payload = *record->struct_data();
            const bool through_virtual = virtual_path || base->is_virtual;
            std::uint32_t marks = access_inherited;
            if (declares_friend_class(payload, class_name))
                marks |= access_base_befriends_derived;
            if (payload.befriends_test_class)
                marks |= access_base_befriends_test;
            for (const member_node* m : payload.members) {
                if (!m || !m->member || (m->member->specifier_flags & SF_FRIEND))
                    continue;
                inherited.push_back(
                    inherited_copy(store, m, derived_access(base->access, m->access) | marks, through_virtual));
            }
            // What the base received: fresh copies, restricted once more here.
            std::vector<member_node*> deeper;
            collect(store, class_name, payload.members, payload.bases, through_virtual, deeper, depth - 1, false,
                    walked);
            for (member_node* m : deeper) {
                m->access = derived_access(base->access, m->access) | (m->access & ~7u);
                inherited.push_back(m);
            }
        }
    }
    apply_access_declarations(store, members, inherited, report);
}

} // namespace

void compute_inherited(model_store& store, std::string_view class_name, const std::vector<member_node*>& members,
                       const std::vector<base_node*>& bases, bool virtual_path, std::vector<member_node*>& inherited,
                       int depth)
{
    std::unordered_set<const type_node*> walked;
    collect(store, class_name, members, bases, virtual_path, inherited, depth, true, walked);
}
