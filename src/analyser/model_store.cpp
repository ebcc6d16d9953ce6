// Creation of the model's records in the store: see model_store.h.
#include "analyser/model_store.h"

void model_store::clear()
{
    for (auto& list : discards)
        list.clear();
    types_.clear();
    symbols_.clear();
    values_.clear();
    enumerators_.clear();
    members_.clear();
    bases_.clear();
    parameters_.clear();
    arguments_.clear();
    entries_.clear();
    integrals_.clear();
    floatings_.clear();
    pointers_.clear();
    arrays_.clear();
    enums_.clear();
    unions_.clear();
    structs_.clear();
    typedefs_.clear();
    functions_.clear();
    modifiers_.clear();
    references_.clear();
    ellipses_.clear();
    templates_.clear();
    instances_.clear();
}

type_node* create_type(model_store& store, type_kind kind, type_payload* payload, std::uint32_t scope_kind,
                       type_node* scope_owner)
{
    type_node* t = store.new_type();
    t->kind = kind;
    t->data = payload;
    t->scope_kind = scope_kind;
    t->scope_owner = scope_owner;
    return t;
}

integral_payload* make_integral_payload(model_store& store, std::string_view name, std::int32_t size,
                                        std::uint32_t is_character)
{
    integral_payload* p = store.new_integral();
    p->name = name;
    p->size = size;
    p->is_character = is_character;
    return p;
}

floating_payload* make_floating_payload(model_store& store, std::string_view name)
{
    floating_payload* p = store.new_floating();
    p->name = name;
    return p;
}

pointer_payload* make_pointer_payload(model_store& store, type_node* member_of, type_node* pointee)
{
    pointer_payload* p = store.new_pointer();
    p->member_of = member_of;
    p->pointee = pointee;
    return p;
}

array_payload* make_array_payload(model_store& store, type_node* element, std::string_view bound_text,
                                  value_tree* bound_value)
{
    array_payload* p = store.new_array();
    p->element = element;
    p->bound_text = bound_text;
    p->bound_value = bound_value;
    return p;
}

enum_payload* make_enum_payload(model_store& store, std::string_view name)
{
    enum_payload* p = store.new_enum();
    p->name = name;
    return p;
}

enumerator* make_enumerator(model_store& store, std::string_view name, value_tree* value, const pint& numeric)
{
    enumerator* e = store.new_enumerator();
    e->name = name;
    e->value = value;
    e->numeric = numeric;
    return e;
}

union_payload* make_union_payload(model_store& store, std::string_view name)
{
    union_payload* p = store.new_union();
    p->name = name;
    return p;
}

struct_payload* make_struct_payload(model_store& store, std::string_view name, std::uint32_t declared_as)
{
    struct_payload* p = store.new_struct();
    p->name = name;
    p->declared_as = declared_as;
    return p;
}

member_node* make_member(model_store& store, symbol* member, std::uint32_t access)
{
    member_node* m = store.new_member();
    m->member = member;
    m->access = access;
    return m;
}

base_node* make_base(model_store& store, type_node* base, std::uint32_t is_virtual, std::uint32_t access)
{
    base_node* b = store.new_base();
    b->base = base;
    b->is_virtual = is_virtual;
    b->access = access;
    return b;
}

typedef_payload* make_typedef_payload(model_store& store, std::string_view name, type_node* target)
{
    typedef_payload* p = store.new_typedef();
    p->name = name;
    p->target = target;
    return p;
}

function_payload* make_function_payload(model_store& store, type_node* return_type)
{
    function_payload* p = store.new_function();
    p->return_type = return_type;
    return p;
}

parameter_node* make_parameter(model_store& store, symbol* parameter, type_node* default_type)
{
    parameter_node* p = store.new_parameter();
    p->parameter = parameter;
    p->default_type = default_type;
    return p;
}

modifier_payload* make_modifier_payload(model_store& store, std::string_view word, type_node* modified,
                                        std::uint32_t composed, std::uint32_t form)
{
    modifier_payload* p = store.new_modifier();
    p->word = word;
    p->modified = modified;
    p->composed = composed;
    p->form = form;
    return p;
}

reference_payload* make_reference_payload(model_store& store, type_node* referred)
{
    reference_payload* p = store.new_reference();
    p->referred = referred;
    return p;
}

ellipsis_payload* make_ellipsis_payload(model_store& store, std::uint32_t follows_parameters)
{
    ellipsis_payload* p = store.new_ellipsis();
    p->follows_parameters = follows_parameters;
    return p;
}

template_payload* make_template_payload(model_store& store, std::string_view name, std::uint32_t is_struct,
                                        std::string_view body, std::uint32_t line, std::string_view file)
{
    template_payload* p = store.new_template();
    p->name = name;
    p->is_struct = is_struct;
    p->body = body;
    p->line = line;
    p->file = file;
    return p;
}

instance_payload* make_instance_payload(model_store& store)
{
    return store.new_instance();
}

argument_node* make_argument(model_store& store, symbol* parameter, type_node* type, std::string_view value)
{
    argument_node* a = store.new_argument();
    a->parameter = parameter;
    a->type = type;
    a->value = value;
    return a;
}

symbol* make_symbol(model_store& store, std::string_view name, type_node* type, std::uint32_t scope_kind,
                    type_node* scope_owner, std::uint32_t specifier_flags, std::string_view file,
                    value_tree* initialiser)
{
    symbol* s = store.new_symbol();
    s->name = name;
    s->type = type;
    s->scope_kind = scope_kind;
    s->scope_owner = scope_owner;
    s->specifier_flags = specifier_flags;
    s->file = file;
    s->initialiser = initialiser;
    return s;
}

value_tree* make_leaf(model_store& store, std::string_view text)
{
    value_tree* v = store.new_value();
    v->text = text;
    return v;
}

value_tree* make_list(model_store& store)
{
    value_tree* v = store.new_value();
    v->is_list = true;
    return v;
}

void append_value(model_store& store, value_tree* tree, value_tree* element)
{
    if (!tree->is_list) {
        value_tree* old_leaf = make_leaf(store, tree->text);
        tree->text.clear();
        tree->is_list = true;
        tree->elements.push_back(old_leaf);
    }
    tree->elements.push_back(element);
}

value_tree* copy_value(model_store& store, const value_tree* tree)
{
    if (!tree)
        return nullptr;
    value_tree* copy = store.new_value();
    copy->is_list = tree->is_list;
    copy->text = tree->text;
    copy->designator = tree->designator;
    copy->elements.reserve(tree->elements.size());
    for (const value_tree* element : tree->elements)
        copy->elements.push_back(copy_value(store, element));
    return copy;
}

type_node* create_specifier_type(model_store& store, std::string_view word, std::uint32_t scope_kind,
                                 type_node* scope_owner)
{
    const target_sizes& s = store.sizes;
    std::int32_t size = 0;
    std::uint32_t character = 0;
    if (word == "char" || word == "wchar_t") {
        size = s.plain_char_unsigned ? s.char_bits : -s.char_bits;
        character = 1;
    } else if (word == "bool" || word == "_Bool")
        size = -s.char_bits;
    else if (word == "short")
        size = -s.short_bits;
    else if (word == "int" || word == "signed")
        size = -s.int_bits;
    else if (word == "long")
        size = -s.long_bits;
    else if (word == "unsigned")
        size = s.int_bits;
    else if (word == "float" || word == "double")
        return create_type(store, TK_FLOATING, make_floating_payload(store, word), scope_kind, scope_owner);
    else if (word == "void")
        return create_type(store, TK_VOID, nullptr, scope_kind, scope_owner);
    else
        return nullptr;
    return create_type(store, TK_INTEGRAL, make_integral_payload(store, word, size, character), scope_kind,
                       scope_owner);
}

void discard_type(model_store& store, type_node* type, discard_list list)
{
    if (type)
        store.discards[list].push_back(type);
}
