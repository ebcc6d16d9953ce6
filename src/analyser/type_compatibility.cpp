// types_compatible: both sides are peeled of typedefs and modifiers (the
// modifier words are compared as a set), then compared kind by kind. The
// result of a composite type is the worst result of its parts; the levels
// are listed in type_compatibility.h.
#include "analyser/type_compatibility.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct peeled {
    const type_node* core = nullptr;
    std::vector<std::string> words;
};

void collect_chain(const type_node* chain, std::vector<std::string>& words)
{
    for (const type_node* m = chain; m; m = m->modifiers)
        if (const modifier_payload* p = m->modifier(); p && !p->word.empty())
            words.push_back(p->word);
}

peeled peel(const type_node* type)
{
    peeled result;
    for (int guard = 0; type && guard < 100000; ++guard) {
        collect_chain(type->modifiers, result.words);
        if (type->kind == TK_TYPEDEF) {
            const typedef_payload* t = type->typedef_data();
            type = t ? t->target : nullptr;
        } else if (type->kind == TK_MODIFIER) {
            const modifier_payload* p = type->modifier();
            if (p && !p->word.empty())
                result.words.push_back(p->word);
            type = p ? p->modified : nullptr;
        } else
            break;
    }
    result.core = type;
    std::sort(result.words.begin(), result.words.end());
    result.words.erase(std::unique(result.words.begin(), result.words.end()), result.words.end());
    return result;
}

struct comparer {
    int* level;

    int differ(int l)
    {
        if (level && *level < l)
            *level = l;
        return 1;
    }

    // core, when given, receives the comparison of the two peeled types
    // alone (before their qualifier words are compared).
    int compare(const type_node* a, const type_node* b, int depth, int* core = nullptr);
    int compare_cores(const type_node* a, const type_node* b, int depth);
    int compare_functions(const function_payload* a, const function_payload* b, int depth);
};

bool is_arithmetic(type_kind k)
{
    return k == TK_INTEGRAL || k == TK_ENUM;
}

// A parameter list of one unnamed void parameter counts as empty.
std::vector<const parameter_node*> effective_parameters(const function_signature& s)
{
    std::vector<const parameter_node*> list(s.parameters.begin(), s.parameters.end());
    if (list.size() == 1 && list[0]->parameter && list[0]->parameter->name.empty()) {
        const type_node* t = strip_typedefs(list[0]->parameter->type);
        if (t && t->kind == TK_VOID && !t->modifiers)
            list.clear();
    }
    return list;
}

int worst(int a, int b)
{
    return std::max(a, b);
}

int comparer::compare_functions(const function_payload* a, const function_payload* b, int depth)
{
    if (!a || !b)
        return a == b ? 0 : 2;
    int result = compare(a->return_type, b->return_type, depth + 1);
    auto pa = effective_parameters(a->signature);
    auto pb = effective_parameters(b->signature);
    if (pa.size() != pb.size())
        return 2;
    for (std::size_t i = 0; i < pa.size() && result < 2; ++i) {
        const type_node* ta = pa[i]->parameter ? pa[i]->parameter->type : nullptr;
        const type_node* tb = pb[i]->parameter ? pb[i]->parameter->type : nullptr;
        result = worst(result, compare(ta, tb, depth + 1));
    }
    if (result < 2) {
        peeled ma = peel(a->signature.trailing_modifier);
        peeled mb = peel(b->signature.trailing_modifier);
        if (ma.words != mb.words)
            result = worst(result, differ(1));
    }
    return result;
}

int comparer::compare_cores(const type_node* a, const type_node* b, int depth)
{
    if (a == b)
        return 0;
    if (!a || !b)
        return 2;
    type_kind ka = a->kind;
    type_kind kb = b->kind;

    if (ka == TK_INTEGRAL && kb == TK_INTEGRAL) {
        const integral_payload* ia = a->integral();
        const integral_payload* ib = b->integral();
        if (!ia || !ib)
            return 2;
        if (ia->size == ib->size && ia->is_character == ib->is_character)
            return 0;
        return differ(std::abs(ia->size) == std::abs(ib->size) ? 2 : 3);
    }
    if (is_arithmetic(ka) && is_arithmetic(kb))
        return ka == kb ? 2 : differ(3);  // two different enums, or integral against enum
    if (ka == TK_FLOATING && kb == TK_FLOATING) {
        const floating_payload* fa = a->floating();
        const floating_payload* fb = b->floating();
        if (fa && fb && fa->name == fb->name)
            return 0;
        return differ(4);
    }
    if ((ka == TK_FLOATING && is_arithmetic(kb)) || (kb == TK_FLOATING && is_arithmetic(ka)))
        return differ(4);
    if ((ka == TK_POINTER && is_arithmetic(kb)) || (kb == TK_POINTER && is_arithmetic(ka)))
        return differ(6);

    if (ka != kb) {
        if ((ka == TK_POINTER && kb == TK_ARRAY) || (ka == TK_ARRAY && kb == TK_POINTER))
            return differ(5);
        return 2;
    }

    switch (ka) {
    case TK_POINTER: {
        const pointer_payload* pa = a->pointer();
        const pointer_payload* pb = b->pointer();
        if (!pa || !pb)
            return 2;
        if (pa->member_of != pb->member_of)
            return 2;
        int core = 2;
        int inner = compare(pa->pointee, pb->pointee, depth + 1, &core);
        if (inner == 0)
            return 0;
        // Pointers to one type that differ only in qualifiers keep the
        // qualifier level; pointers to different types are level 5. The
        // pointees' own comparison says which: comparing them again would
        // double the work at every level of a pointer chain.
        if (inner == 1 && core == 0)
            return 1;
        return differ(5);
    }
    case TK_ARRAY: {
        const array_payload* xa = a->array();
        const array_payload* xb = b->array();
        if (!xa || !xb)
            return 2;
        int result = compare(xa->element, xb->element, depth + 1);
        if (result < 2 && xa->bound_text != xb->bound_text)
            result = worst(result, differ(5));
        return result;
    }
    case TK_REFERENCE: {
        const reference_payload* ra = a->reference();
        const reference_payload* rb = b->reference();
        if (!ra || !rb)
            return 2;
        return compare(ra->referred, rb->referred, depth + 1);
    }
    case TK_FUNCTION: return compare_functions(a->function(), b->function(), depth);
    case TK_VOID:
    case TK_ELLIPSIS: return 0;
    case TK_STRUCT:
    case TK_UNION: {
        // Two records of one name in one scope are the same type.
        const std::string& name = a->tag_name();
        if (!name.empty() && name == b->tag_name() && a->scope_owner == b->scope_owner)
            return 0;
        return 2;
    }
    case TK_TEMPLATE_INSTANCE: {
        const instance_payload* ia = a->instance();
        const instance_payload* ib = b->instance();
        if (!ia || !ib || a->template_origin != b->template_origin || ia->arguments.size() != ib->arguments.size())
            return 2;
        int result = 0;
        for (std::size_t i = 0; i < ia->arguments.size() && result < 2; ++i) {
            if (ia->arguments[i]->value != ib->arguments[i]->value)
                return 2;
            result = worst(result, compare(ia->arguments[i]->type, ib->arguments[i]->type, depth + 1));
        }
        return result == 0 ? 0 : 2;
    }
    default: return 2;  // distinct enums, templates
    }
}

int comparer::compare(const type_node* a, const type_node* b, int depth, int* core)
{
    if (a == b) {
        if (core)
            *core = 0;
        return 0;
    }
    if (depth > 10000)
        return 2;
    peeled pa = peel(a);
    peeled pb = peel(b);
    int result = compare_cores(pa.core, pb.core, depth);
    if (core)
        *core = result;
    if (result < 2 && pa.words != pb.words)
        result = worst(result, differ(1));
    return result;
}

} // namespace

int types_compatible(const type_node* a, const type_node* b, int* difference_level)
{
    comparer c{difference_level};
    return c.compare(a, b, 0);
}
