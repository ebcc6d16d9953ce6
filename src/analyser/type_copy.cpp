// copy_type: deep copy by kind.
//
// Declarator layers (pointers, arrays, modifiers, functions, ...) are always
// copied. Named records (enums, typedefs, structs, unions, templates) are
// copied only at the top of the call and shared below it, which both keeps
// one node per named type and stops the recursion at every struct that points
// back to itself. Below the top, a reference to the class being copied
// (old_owner) becomes the class being made (new_owner), and a fresh copy
// declared inside old_owner moves into new_owner.
#include "analyser/type_copy.h"

namespace {

struct copier {
    model_store& store;
    type_node* new_owner;
    type_node* old_owner;

    type_node* rescope(type_node* owner) const { return owner && owner == old_owner ? new_owner : owner; }

    type_node* copy(type_node* into, const type_node* type, int top);
    type_node* fresh(type_node* into, const type_node* type, type_payload* payload);
    type_payload* copy_layer(const type_node* type);
    type_payload* copy_enum(const enum_payload* e);
    type_payload* copy_record(const type_node* type);
    type_payload* copy_function(const function_payload* f);
    type_payload* copy_template(const template_payload* t);
    symbol* copy_sym(const symbol* s);
    member_node* copy_member(const member_node* m);
    parameter_node* copy_parameter(const parameter_node* p);
    argument_node* copy_argument(const argument_node* a);
};

symbol* copier::copy_sym(const symbol* s)
{
    if (!s)
        return nullptr;
    symbol* c = make_symbol(store, s->name, copy(nullptr, s->type, 0), s->scope_kind, rescope(s->scope_owner),
                            s->specifier_flags, s->file, copy_value(store, s->initialiser));
    c->handled = s->handled;
    return c;
}

member_node* copier::copy_member(const member_node* m)
{
    member_node* c = make_member(store, copy_sym(m->member), m->access);
    c->access_declaration = m->access_declaration;
    c->through_virtual = m->through_virtual;
    return c;
}

parameter_node* copier::copy_parameter(const parameter_node* p)
{
    return make_parameter(store, copy_sym(p->parameter), copy(nullptr, p->default_type, 0));
}

argument_node* copier::copy_argument(const argument_node* a)
{
    return make_argument(store, copy_sym(a->parameter), copy(nullptr, a->type, 0), a->value);
}

// Pointer, array, modifier, reference and ellipsis payloads.
type_payload* copier::copy_layer(const type_node* type)
{
    switch (type->kind) {
    case TK_INTEGRAL: {
        const integral_payload* p = type->integral();
        return p ? make_integral_payload(store, p->name, p->size, p->is_character) : nullptr;
    }
    case TK_FLOATING: return type->floating() ? make_floating_payload(store, type->floating()->name) : nullptr;
    case TK_POINTER: {
        const pointer_payload* p = type->pointer();
        return p ? make_pointer_payload(store, rescope(p->member_of), copy(nullptr, p->pointee, 0)) : nullptr;
    }
    case TK_ARRAY: {
        const array_payload* p = type->array();
        return p ? make_array_payload(store, copy(nullptr, p->element, 0), p->bound_text,
                                      copy_value(store, p->bound_value))
                 : nullptr;
    }
    case TK_MODIFIER: {
        const modifier_payload* p = type->modifier();
        return p ? make_modifier_payload(store, p->word, copy(nullptr, p->modified, 0), p->composed, p->form)
                 : nullptr;
    }
    case TK_REFERENCE:
        return type->reference() ? make_reference_payload(store, copy(nullptr, type->reference()->referred, 0))
                                 : nullptr;
    case TK_ELLIPSIS:
        return type->ellipsis() ? make_ellipsis_payload(store, type->ellipsis()->follows_parameters) : nullptr;
    default: return nullptr;
    }
}

type_payload* copier::copy_enum(const enum_payload* e)
{
    if (!e)
        return nullptr;
    enum_payload* c = make_enum_payload(store, e->name);
    for (const enumerator* item : e->enumerators)
        c->enumerators.push_back(make_enumerator(store, item->name, copy_value(store, item->value), item->numeric));
    return c;
}

type_payload* copier::copy_record(const type_node* type)
{
    if (const union_payload* u = type->union_data()) {
        union_payload* c = make_union_payload(store, u->name);
        for (const member_node* m : u->members)
            c->members.push_back(copy_member(m));
        c->befriends_test_class = u->befriends_test_class;
        return c;
    }
    const struct_payload* s = type->struct_data();
    if (!s)
        return nullptr;
    struct_payload* c = make_struct_payload(store, s->name, s->declared_as);
    for (const member_node* m : s->members)
        c->members.push_back(copy_member(m));
    for (const member_node* m : s->inherited)
        c->inherited.push_back(copy_member(m));
    for (const base_node* b : s->bases)
        c->bases.push_back(make_base(store, rescope(b->base), b->is_virtual, b->access));
    for (const argument_node* a : s->template_arguments)
        c->template_arguments.push_back(copy_argument(a));
    c->befriends_test_class = s->befriends_test_class;
    c->instantiation_state = s->instantiation_state;
    return c;
}

type_payload* copier::copy_function(const function_payload* f)
{
    function_payload* c = make_function_payload(store, copy(nullptr, f->return_type, 0));
    function_signature& to = c->signature;
    const function_signature& from = f->signature;
    for (const parameter_node* p : from.parameters)
        to.parameters.push_back(copy_parameter(p));
    to.trailing_modifier = copy(nullptr, from.trailing_modifier, 0);
    to.has_exception_specification = from.has_exception_specification;
    for (const type_node* e : from.exceptions)
        to.exceptions.push_back(copy(nullptr, e, 0));
    to.initialisers = from.initialisers;
    to.is_definition = from.is_definition;
    to.body = from.body;
    return c;
}

type_payload* copier::copy_template(const template_payload* t)
{
    template_payload* c = make_template_payload(store, t->name, t->is_struct, t->body, t->line, t->file);
    for (const parameter_node* p : t->parameters)
        c->parameters.push_back(copy_parameter(p));
    for (const argument_node* a : t->header_items)
        c->header_items.push_back(copy_argument(a));
    for (const argument_node* a : t->instance_items)
        c->instance_items.push_back(copy_argument(a));
    c->function = t->function;
    return c;
}

// The node that receives a copy: into (overwritten in place) or a new one in
// the scope of the original, carrying its modifier chain and origin.
type_node* copier::fresh(type_node* into, const type_node* type, type_payload* payload)
{
    type_node* c = into;
    if (!c) {
        c = create_type(store, type->kind, payload, type->scope_kind, rescope(type->scope_owner));
    } else {
        c->kind = type->kind;
        c->data = payload;
    }
    if (type->kind != TK_ELLIPSIS && type->modifiers)
        c->modifiers = copy(nullptr, type->modifiers, 0);
    if (type->template_origin)
        c->template_origin = type->template_origin;
    return c;
}

type_node* copier::copy(type_node* into, const type_node* type, int top)
{
    if (!type)
        return nullptr;
    switch (type->kind) {
    case TK_INTEGRAL:
    case TK_FLOATING:
    case TK_POINTER:
    case TK_ARRAY:
    case TK_MODIFIER:
    case TK_REFERENCE:
    case TK_ELLIPSIS:
    case TK_VOID: return fresh(into, type, copy_layer(type));

    case TK_ENUM:
        if (!top)
            return const_cast<type_node*>(type);
        return fresh(into, type, copy_enum(type->enumeration()));

    case TK_TYPEDEF: {
        if (!top)
            return const_cast<type_node*>(type);
        const typedef_payload* t = type->typedef_data();
        return fresh(into, type, t ? make_typedef_payload(store, t->name, copy(nullptr, t->target, 0)) : nullptr);
    }

    case TK_UNION:
    case TK_STRUCT: {
        if (!top)
            return type == old_owner ? new_owner : const_cast<type_node*>(type);
        type_node* c = fresh(into, type, copy_record(type));
        c->used_namespaces = type->used_namespaces;
        c->using_declarations = type->using_declarations;
        c->namespace_chain = type->namespace_chain;
        c->unnamed = type->unnamed;
        return c;
    }

    case TK_FUNCTION:
        if (!type->function())
            return nullptr;
        return fresh(into, type, copy_function(type->function()));

    case TK_TEMPLATE: {
        const template_payload* t = type->template_data();
        if (!top)
            return t && !t->name.empty() ? const_cast<type_node*>(type) : nullptr;
        return fresh(into, type, t ? copy_template(t) : nullptr);
    }

    default: return nullptr;  // template instances and kind 2
    }
}

} // namespace

type_node* copy_type(model_store& store, type_node* into, const type_node* type, int top, type_node* new_owner,
                     type_node* old_owner)
{
    copier c{store, new_owner, old_owner};
    return c.copy(into, type, top);
}

symbol* copy_symbol(model_store& store, const symbol* original, type_node* new_owner, type_node* old_owner)
{
    copier c{store, new_owner, old_owner};
    return c.copy_sym(original);
}
