// CPP_compose_type: the pair rule of declaration composition.
//
// The kind of the second operand chooses the row, the kind of the first the
// column. Most rows put one operand into a slot of the other (a pointer's
// pointee, an array's element, a modifier's modified type, ...) and recurse
// on what was in that slot, so a whole declarator is built by repeated
// pairwise joins. A nested join that fails has already reported and
// discarded its operands; the outer one then fails too, so the declaration
// receives a null type.
#include "analyser/type_composition.h"

#include <cstdlib>

namespace {

struct composer {
    model_store& store;
    std::string_view file;
    int line;

    type_node* compose(type_node* first, type_node* second);

    type_node* refuse(type_node* first, type_node* second, std::string_view argument)
    {
        discard_type(store, first, discard_other);
        discard_type(store, second, discard_other);
        store.report(kind_warning, "CONSTRUCT", report_argument(argument), file, line);
        return nullptr;
    }

    type_node* internal(type_node* first, type_node* second)
    {
        discard_type(store, first, discard_other);
        discard_type(store, second, discard_other);
        store.report(kind_internal, "ERRINTERN", report_argument("CPP_compose_type"), file, line);
        return nullptr;
    }

    // Puts compose(a, b) into slot, returning holder; a failed inner join
    // fails the whole composition.
    type_node* into(type_node* holder, type_node*& slot, type_node* a, type_node* b)
    {
        type_node* joined = compose(a, b);
        if (!joined && (a || b)) {
            discard_type(store, holder, discard_other);
            return nullptr;
        }
        slot = joined;
        return holder;
    }

    type_node* integral_merge(type_node* first, type_node* second);
    type_node* long_double(type_node* first, type_node* second);
    type_node* modifier_row(type_node* first, type_node* second);
};

bool contains(std::string_view text, std::string_view word)
{
    return text.find(word) != std::string_view::npos;
}

// Kinds a pointer or reference can be put over.
bool pointer_target(type_kind k)
{
    switch (k) {
    case TK_INTEGRAL:
    case TK_FLOATING:
    case TK_POINTER:
    case TK_ARRAY:
    case TK_ENUM:
    case TK_UNION:
    case TK_TYPEDEF:
    case TK_FUNCTION:
    case TK_VOID:
    case TK_STRUCT:
    case TK_MODIFIER:
    case TK_TEMPLATE: return true;
    default: return false;
    }
}

// Kinds that no row accepts as first operand.
bool never_first(type_kind k)
{
    return k == TK_UNUSED_2 || k == TK_TEMPLATE_INSTANCE || k > TK_TEMPLATE_INSTANCE;
}

template <class P> P* ensure(model_store&, type_node*);

template <> pointer_payload* ensure(model_store& store, type_node* t)
{
    if (!t->data)
        t->data = make_pointer_payload(store, nullptr, nullptr);
    return t->pointer();
}
template <> array_payload* ensure(model_store& store, type_node* t)
{
    if (!t->data)
        t->data = make_array_payload(store, nullptr, "", nullptr);
    return t->array();
}
template <> function_payload* ensure(model_store& store, type_node* t)
{
    if (!t->data)
        t->data = make_function_payload(store, nullptr);
    return t->function();
}
template <> modifier_payload* ensure(model_store& store, type_node* t)
{
    if (!t->data)
        t->data = make_modifier_payload(store, "", nullptr, 0, 0);
    return t->modifier();
}
template <> reference_payload* ensure(model_store& store, type_node* t)
{
    if (!t->data)
        t->data = make_reference_payload(store, nullptr);
    return t->reference();
}

type_node* composer::integral_merge(type_node* first, type_node* second)
{
    const integral_payload* f = first->integral();
    const integral_payload* s = second->integral();
    if (!f || !s)
        return internal(first, second);
    std::string joined = f->name + " " + s->name;
    if ((contains(f->name, "unsigned") && contains(s->name, "signed")) ||
        (contains(f->name, "signed") && contains(s->name, "unsigned")) ||
        (contains(f->name, "short") && contains(s->name, "long")) ||
        (contains(f->name, "long") && contains(s->name, "short")))
        return refuse(first, second, joined);

    // The words may come in any order ("long unsigned", "unsigned long" then
    // "long"): the sign and a second "long" count wherever they stand.
    const bool is_unsigned = contains(f->name, "unsigned") || contains(s->name, "unsigned");
    const bool long_long = contains(f->name, "long") && contains(s->name, "long");
    std::int32_t size;
    std::uint32_t character = 0;
    if (contains(f->name, "unsigned")) {
        size = long_long ? store.sizes.long_long_bits : std::abs(s->size);
        character = s->is_character;
    } else if (contains(f->name, "signed")) {
        size = -(long_long ? store.sizes.long_long_bits : std::abs(s->size));
        character = s->is_character;
    } else if (contains(f->name, "long"))
        size = long_long ? store.sizes.long_long_bits : store.sizes.long_bits;
    else if (contains(f->name, "short"))
        size = store.sizes.short_bits;
    else
        return refuse(first, second, joined);
    if (!contains(f->name, "signed") && !is_unsigned)
        size = -size;

    type_node* chain_first = first->modifiers;
    type_node* chain_second = second->modifiers;
    first->modifiers = nullptr;
    second->modifiers = nullptr;
    type_node* result = create_type(store, TK_INTEGRAL, make_integral_payload(store, joined, size, character),
                                    second->scope_kind, second->scope_owner);
    return into(result, result->modifiers, chain_first, chain_second);
}

type_node* composer::long_double(type_node* first, type_node* second)
{
    const integral_payload* f = first->integral();
    const floating_payload* s = second->floating();
    if (!f || !s || !contains(f->name, "long"))
        return refuse(first, second, "");
    type_node* chain_first = first->modifiers;
    type_node* chain_second = second->modifiers;
    first->modifiers = nullptr;
    second->modifiers = nullptr;
    type_node* result = create_type(store, TK_FLOATING, make_floating_payload(store, f->name + " " + s->name),
                                    second->scope_kind, second->scope_owner);
    return into(result, result->modifiers, chain_first, chain_second);
}

// Appends modifier at the end of holder's modifier chain.
void hang_on_chain(type_node* holder, type_node* modifier)
{
    type_node** slot = &holder->modifiers;
    while (*slot)
        slot = &(*slot)->modifiers;
    *slot = modifier;
}

type_node* composer::modifier_row(type_node* first, type_node* second)
{
    modifier_payload* s = ensure<modifier_payload>(store, second);
    s->composed = 1;
    switch (first->kind) {
    case TK_FUNCTION: {
        function_payload* f = first->function();
        if (!f) {
            s->modified = nullptr;
            return second;
        }
        return into(second, s->modified, f->return_type, s->modified);
    }
    case TK_MODIFIER: {
        const modifier_payload* f = first->modifier();
        bool first_modifies = f && f->modified;
        if (direction_index(s->word) != no_direction || first_modifies || s->modified)
            return into(second, s->modified, first, s->modified);
        hang_on_chain(first, second);
        return first;
    }
    case TK_REFERENCE: {
        type_node* old = s->modified;
        s->modified = nullptr;
        type_node* result = compose(first, old);
        if (!result) {
            discard_type(store, second, discard_other);
            return nullptr;
        }
        return into(result, result->modifiers, result->modifiers, second);
    }
    case TK_ELLIPSIS: return internal(first, second);
    default: return into(second, s->modified, first, s->modified);
    }
}

type_node* composer::compose(type_node* first, type_node* second)
{
    if (!second)
        return first;
    if (!first)
        return second;
    if (second->kind == TK_TEMPLATE_INSTANCE)
        return nullptr;
    if (never_first(first->kind))
        return internal(first, second);
    // Only the named kinds may meet themselves; any other node joined with
    // itself would become its own slot.
    if (first == second && !(second->kind == TK_ENUM || second->kind == TK_UNION || second->kind == TK_TYPEDEF ||
                             second->kind == TK_VOID || second->kind == TK_STRUCT || second->kind == TK_TEMPLATE))
        return internal(first, nullptr);

    switch (second->kind) {
    case TK_INTEGRAL:
    case TK_FLOATING:
        if (first->kind == TK_INTEGRAL)
            return second->kind == TK_INTEGRAL ? integral_merge(first, second) : long_double(first, second);
        if (first->kind == TK_POINTER) {
            pointer_payload* p = ensure<pointer_payload>(store, first);
            return into(first, p->pointee, second, p->pointee);
        }
        if (first->kind == TK_MODIFIER) {
            modifier_payload* m = ensure<modifier_payload>(store, first);
            return into(first, m->modified, m->modified, second);
        }
        return refuse(first, second, "");

    case TK_POINTER: {
        if (first->kind == TK_REFERENCE) {
            reference_payload* r = ensure<reference_payload>(store, first);
            return into(first, r->referred, r->referred, second);
        }
        if (!pointer_target(first->kind))
            return internal(first, second);
        pointer_payload* p = ensure<pointer_payload>(store, second);
        return into(second, p->pointee, first, p->pointee);
    }

    case TK_ARRAY: {
        if (first->kind == TK_ELLIPSIS)
            return internal(first, second);
        if (first->kind == TK_ARRAY) {
            array_payload* a = ensure<array_payload>(store, first);
            return into(first, a->element, a->element, second);
        }
        array_payload* a = ensure<array_payload>(store, second);
        return into(second, a->element, first, a->element);
    }

    case TK_ENUM:
    case TK_UNION:
    case TK_TYPEDEF:
    case TK_VOID:
    case TK_STRUCT:
    case TK_TEMPLATE:
        if (first == second)
            return first;
        if (first->kind == TK_MODIFIER) {
            modifier_payload* m = ensure<modifier_payload>(store, first);
            return into(first, m->modified, m->modified, second);
        }
        if (first->kind == TK_POINTER) {
            pointer_payload* p = ensure<pointer_payload>(store, first);
            return into(first, p->pointee, second, p->pointee);
        }
        return refuse(first, second, "");

    case TK_FUNCTION: {
        if (first->kind == TK_ELLIPSIS)
            return internal(first, second);
        function_payload* f = ensure<function_payload>(store, second);
        return into(second, f->return_type, first, f->return_type);
    }

    case TK_MODIFIER: return modifier_row(first, second);

    case TK_REFERENCE: {
        if (first->kind == TK_REFERENCE) {
            reference_payload* r = ensure<reference_payload>(store, first);
            return into(first, r->referred, r->referred, second);
        }
        if (!pointer_target(first->kind))
            return internal(first, second);
        reference_payload* r = ensure<reference_payload>(store, second);
        return into(second, r->referred, first, r->referred);
    }

    default: return internal(first, second);
    }
}

} // namespace

type_node* CPP_compose_type(model_store& store, type_node* first, type_node* second, std::string_view file,
                            int line)
{
    composer c{store, file, line};
    return c.compose(first, second);
}
