// The type search (see expression_type.h).
//
// One recursive walk, bottom up: a node's type is computed from its
// operands' types, each followed through typedef, modifier and reference
// wrappers before it is tested. A node whose operand has no type gets none
// either, without a further message, so one unknown name gives one warning.
// Results that the model has no record for (the int of a comparison, the
// pointer of a string) are new unnamed records of the table's store.
#include "expr/expression_type.h"

#include <QCoreApplication>

#include "analyser/analyse_declarations.h"
#include "analyser/scope_table.h"
#include "analyser/type_compatibility.h"
#include "expr/expression_image.h"

namespace {

type_node* strip(type_node* t)
{
    for (;;) {
        if (!t)
            return nullptr;
        if (t->kind == TK_TYPEDEF && t->typedef_data() && t->typedef_data()->target)
            t = t->typedef_data()->target;
        else if (t->kind == TK_MODIFIER && t->modifier() && t->modifier()->modified)
            t = t->modifier()->modified;
        else if (t->kind == TK_REFERENCE && t->reference() && t->reference()->referred)
            t = t->reference()->referred;
        else
            return t;
    }
}

bool is_record(const type_node* t)
{
    return t && (t->kind == TK_STRUCT || t->kind == TK_UNION);
}

class type_search {
public:
    type_search(scope_table& t, std::string_view file, int l, report_callback r)
        : table(t), store(t.store), file_name(file), line(l), report(r)
    {
    }

    type_node* type(expr_node* n, type_node* context);

private:
    scope_table& table;
    model_store& store;
    std::string_view file_name;
    int line;
    report_callback report;

    void warn(const char* code, const report_argument& argument)
    {
        if (report)
            report(kind_warning, code, argument, file_name, line);
    }
    std::string image(const expr_node* n)
    {
        std::string out;
        expression_image(n, out);
        return out;
    }
    type_node* integral(std::string_view name, std::int32_t size, std::uint32_t character = 0)
    {
        return create_type(store, TK_INTEGRAL, make_integral_payload(store, name, size, character), file_scope,
                           nullptr);
    }
    type_node* plain_int() { return integral("int", -store.sizes.int_bits); }
    type_node* floating() { return create_type(store, TK_FLOATING, make_floating_payload(store, "double"), file_scope, nullptr); }
    type_node* pointer_to(type_node* pointee)
    {
        return create_type(store, TK_POINTER, make_pointer_payload(store, nullptr, pointee), file_scope, nullptr);
    }

    symbol* member(type_node* owner, std::string_view name);
    type_node* name_type(expr_node* n, type_node* context);
    type_node* class_named(std::string_view name, type_node* context);
    type_node* member_operator(type_node* record, std::string_view op);
    type_node* unary(expr_node* n, type_node* context);
    type_node* binary(expr_node* n, type_node* context);
    type_node* member_access(expr_node* n, type_node* context);
    type_node* qualified(expr_node* n, type_node* context);
    void arguments(expr_node* first, type_node* context)
    {
        for (expr_node* e = first; e; e = e->next)
            type(e, context);
    }
};

// A member of a class, union or namespace: its member list first, then the
// symbols the table gives that owner (namespace members, static members).
symbol* type_search::member(type_node* owner, std::string_view name)
{
    if (!owner)
        return nullptr;
    auto in = [&](const std::vector<member_node*>& members) -> symbol* {
        for (const member_node* m : members)
            if (m && m->member && m->member->name == name)
                return m->member;
        return nullptr;
    };
    if (const struct_payload* s = owner->struct_data()) {
        if (symbol* found = in(s->members))
            return found;
        if (symbol* found = in(s->inherited))
            return found;
    } else if (const union_payload* u = owner->union_data()) {
        if (symbol* found = in(u->members))
            return found;
    }
    symbol_entry* e = find_symbol(name, table, scope_context{owner_scope, owner});
    if (e && e->sym && e->sym->scope_owner == owner)
        return e->sym;
    symbol_entry* en = find_enumerator(name, table, scope_context{owner_scope, owner});
    if (en && en->sym && en->sym->scope_owner == owner)
        return en->sym;
    return nullptr;
}

type_node* type_search::class_named(std::string_view name, type_node* context)
{
    if (context) {
        symbol_entry* e = find_tag(name, table, TK_STRUCT, scope_context{owner_scope, context});
        if (e && e->sym && e->sym->type && e->sym->type->scope_owner == context)
            return e->sym->type;
    }
    for (type_kind kind : {TK_STRUCT, TK_UNION, TK_ENUM}) {
        const scope_context where = context ? scope_context{owner_scope, context} : scope_context{};
        if (symbol_entry* e = find_tag(name, table, kind, where); e && e->sym && e->sym->type)
            return e->sym->type;
    }
    symbol_entry* e = find_symbol(name, table, context ? scope_context{owner_scope, context} : scope_context{});
    if (e && e->sym && (e->sym->specifier_flags & SF_TYPEDEF))
        return e->sym->type;
    return nullptr;
}

type_node* type_search::name_type(expr_node* n, type_node* context)
{
    if (n->text == "true" || n->text == "false")
        return create_specifier_type(store, "bool", file_scope, nullptr);
    if (context)
        if (symbol* s = member(context, n->text))
            return s->type;
    const scope_context where = context ? scope_context{owner_scope, context} : scope_context{};
    if (symbol_entry* e = find_symbol(n->text, table, where); e && e->sym)
        return e->sym->type;
    if (symbol_entry* e = find_enumerator(n->text, table, where); e && e->sym)
        return e->sym->type;
    warn("IDENTIINC", n->text);
    return nullptr;
}

// The result type of the member operator function op of record, or null.
type_node* type_search::member_operator(type_node* record, std::string_view op)
{
    symbol* s = member(record, op);
    if (!s)
        return nullptr;
    type_node* f = strip(s->type);
    return f && f->function() ? f->function()->return_type : nullptr;
}

type_node* type_search::unary(expr_node* n, type_node* context)
{
    if (n->code == op_sizeof) {
        if (n->suffix != 't')
            type(n->a, context);
        return integral("unsigned long", store.sizes.long_bits);
    }
    type_node* operand = type(n->a, context);
    if (!operand)
        return nullptr;
    const type_node* s = strip(operand);
    switch (n->code) {
    case op_logical_not:
        if (s->kind != TK_INTEGRAL && s->kind != TK_FLOATING && s->kind != TK_POINTER && s->kind != TK_ENUM) {
            warn("OPERSCALA", "\"!\"");
            return nullptr;
        }
        return plain_int();
    case op_complement:
        if (s->kind != TK_INTEGRAL) {
            warn("OPERENTIE", "\"~\"");
            return nullptr;
        }
        return operand;
    case op_negate:
        if (s->kind != TK_INTEGRAL && s->kind != TK_FLOATING) {
            warn("OPERARITH", " \"-\" ");
            return nullptr;
        }
        return operand;
    default:
        if (report)
            report(kind_internal, "ERRINTERN",
                   report_argument(QCoreApplication::translate("Internal Error Parameter", "expression syntax analysis")),
                   file_name, line);
        return nullptr;
    }
}

type_node* type_search::binary(expr_node* n, type_node* context)
{
    type_node* left = type(n->a, context);
    type_node* right = type(n->b, context);
    if (n->code == op_list) {
        type_node* character = integral("char", store.sizes.plain_char_unsigned ? store.sizes.char_bits
                                                                                 : -store.sizes.char_bits, 1);
        return pointer_to(character);
    }
    if (!left || !right)
        return nullptr;
    type_node* l = strip(left);
    type_node* r = strip(right);
    switch (n->code) {
    case op_add:
    case op_sub:
    case op_mul:
        if (r->kind == TK_FLOATING && l->kind != TK_FLOATING)
            return r;
        if (r->kind == TK_POINTER && l->kind != TK_POINTER && n->code == op_add)
            return r;
        return l;
    case op_div:
        return floating();
    case op_bit_or:
    case op_bit_and:
    case op_bit_xor:
        if (is_record(l)) {
            const char* op = n->code == op_bit_or ? "operator |" : n->code == op_bit_and ? "operator &" : "operator ^";
            if (type_node* result = member_operator(l, op))
                return result;
            warn("NONFONCTI", op);
            return nullptr;
        }
        return l;
    default:
        return plain_int();
    }
}

type_node* type_search::member_access(expr_node* n, type_node* context)
{
    type_node* object = type(n->a, context);
    if (!object)
        return nullptr;
    type_node* s = strip(object);
    type_node* record = nullptr;
    const bool arrow = n->code != 0;
    if (arrow) {
        if (s->kind == TK_POINTER && is_record(strip(s->pointer()->pointee))) {
            record = strip(s->pointer()->pointee);
        } else if (is_record(s)) {
            type_node* result = strip(member_operator(s, "operator ->"));
            if (result && result->kind == TK_POINTER && is_record(strip(result->pointer()->pointee))) {
                record = strip(result->pointer()->pointee);
            } else {
                warn("NOPOSTRUC", image(n->a));
                record = s;
            }
        } else {
            warn("NOPOSTRUC", image(n->a));
            return nullptr;
        }
    } else if (s->kind == TK_POINTER && is_record(strip(s->pointer()->pointee))) {
        warn("POINSTRUC", image(n->a));
        record = strip(s->pointer()->pointee);
    } else if (is_record(s)) {
        record = s;
    } else {
        warn("INVCHASTR", image(n->a));
        return nullptr;
    }
    symbol* m = n->b ? member(record, n->b->text) : nullptr;
    if (!m) {
        warn("CHAMPINCO", n->b ? n->b->text : std::string_view());
        return nullptr;
    }
    if (n->b)
        n->b->type = m->type;
    return m->type;
}

type_node* type_search::qualified(expr_node* n, type_node* context)
{
    type_node* scope = nullptr;
    if (n->a && n->a->kind == EK_NAME)
        scope = class_named(n->a->text, context);
    else
        scope = type(n->a, context);
    if (n->a)
        n->a->type = scope;
    type_node* s = strip(scope);
    if (!s || s->kind != TK_STRUCT) {
        warn("INVCHASTR", n->a ? image(n->a) : std::string());
        return nullptr;
    }
    expr_node* rest = n->b;
    if (!rest)
        return nullptr;
    if (rest->kind == EK_QUALIFIED)
        return rest->type = qualified(rest, s);
    symbol* m = member(s, rest->text);
    if (!m) {
        if (type_node* nested = class_named(rest->text, s); nested && nested->scope_owner == s)
            return rest->type = nested;
        warn("CHAMPINCO", rest->text);
        return nullptr;
    }
    return rest->type = m->type;
}

type_node* type_search::type(expr_node* n, type_node* context)
{
    if (!n)
        return nullptr;
    type_node* result = nullptr;
    switch (n->kind) {
    case EK_EMPTY:
    case EK_NOTHING:
    case EK_THIS:
        break;
    case EK_CONSTANT:
        result = integral(n->code ? "char" : "int", n->size, n->code ? 1 : 0);
        break;
    case EK_FLOATING:
        result = create_type(store, TK_FLOATING,
                             make_floating_payload(store, n->suffix == 'f' ? "float" : n->suffix == 'L' ? "long double" : "double"),
                             file_scope, nullptr);
        break;
    case EK_NAME:
        result = name_type(n, context);
        break;
    case EK_PAREN:
    case EK_WRAPPER:
    case EK_LIST_ELEMENT:
        result = type(n->a, context);
        break;
    case EK_SUBSCRIPT:
    case EK_SLICE: {
        type_node* array = type(n->a, context);
        type(n->b, context);
        type(n->c, context);
        type_node* s = strip(array);
        if (!s)
            break;
        if (s->kind == TK_ARRAY)
            result = s->array()->element;
        else if (s->kind == TK_POINTER)
            result = s->pointer()->pointee;
        else if (is_record(s) && member(s, "operator []"))
            result = member_operator(s, "operator []");
        else
            warn("NONTABLEA", image(n->a));
        break;
    }
    case EK_CALL: {
        type_node* callee = type(n->a, context);
        arguments(n->b, context);
        type_node* s = strip(callee);
        if (!s)
            break;
        if (s->kind == TK_POINTER && strip(s->pointer()->pointee) && strip(s->pointer()->pointee)->kind == TK_FUNCTION)
            s = strip(s->pointer()->pointee);
        if (s->kind == TK_FUNCTION)
            result = s->function()->return_type;
        else if (is_record(s) && member(s, "operator ()"))
            result = member_operator(s, "operator ()");
        else
            warn("NONFONCTI", image(n->a));
        break;
    }
    case EK_MEMBER:
        result = member_access(n, context);
        break;
    case EK_UNARY:
        result = unary(n, context);
        break;
    case EK_BINARY:
        result = binary(n, context);
        break;
    case EK_ASSOCIATION:
        type(n->a, context);
        type(n->b, context);
        result = type(n->c, context);
        break;
    case EK_BRACE_LIST:
        for (expr_node* e : n->elements)
            type(e, context);
        result = create_type(store, TK_STRUCT, make_struct_payload(store, "", declared_as_struct), file_scope, nullptr);
        break;
    case EK_CONDITIONAL: {
        type(n->a, context);
        result = type(n->b, context);
        type_node* third = type(n->c, context);
        if (result && third && types_compatible(result, third) == 2)
            warn("TYPESDIFF", image(n));
        break;
    }
    case EK_ADDRESS: {
        type_node* operand = type(n->a, context);
        if (operand && operand->kind == TK_REFERENCE)
            result = operand->reference()->referred;
        else if (operand)
            result = pointer_to(operand);
        break;
    }
    case EK_INDIRECTION: {
        type_node* s = strip(type(n->a, context));
        if (!s)
            break;
        if (s->kind == TK_POINTER)
            result = s->pointer()->pointee;
        else
            warn("NONPOINTE", image(n->a));
        break;
    }
    case EK_STRING:
        result = n->code ? pointer_to(integral("int", -store.sizes.int_bits))
                         : pointer_to(integral("char", store.sizes.plain_char_unsigned ? store.sizes.char_bits
                                                                                     : -store.sizes.char_bits, 1));
        break;
    case EK_CAST:
        type(n->b, context);
        result = n->a ? type_of_type_text(n->a->text, table, file_name, line) : nullptr;
        if (n->a)
            n->a->type = result;
        break;
    case EK_CONSTRUCTION: {
        arguments(n->b, context);
        const std::string_view name = n->a ? n->a->text : std::string_view();
        type_node* s = strip(class_named(name, context));
        if (s && s->kind == TK_STRUCT)
            result = s;
        else
            warn("CONSTRINC", name);
        break;
    }
    case EK_NEW: {
        arguments(n->a ? n->a->b : nullptr, context);
        arguments(n->b ? n->b->b : nullptr, context);
        type_node* allocated = n->c ? type_of_type_text(n->c->text, table, file_name, line) : nullptr;
        if (allocated)
            result = pointer_to(allocated);
        break;
    }
    case EK_QUALIFIED:
        result = qualified(n, context);
        break;
    case EK_GLOBAL:
        result = type(n->a, nullptr);
        break;
    case EK_MEMBER_POINTER: {
        type(n->a, context);
        type_node* s = strip(type(n->b, context));
        if (s && s->kind == TK_POINTER && s->pointer()->member_of)
            result = s->pointer()->pointee;
        else if (s)
            warn("INCPOIMEM", image(n->b));
        break;
    }
    case EK_RANGE:
        type(n->b, context);
        result = type(n->a, context);
        break;
    default:
        if (report)
            report(kind_internal, "ERRINTERN",
                   report_argument(QCoreApplication::translate("Internal Error Parameter", "expression type search")), file_name,
                   line);
        break;
    }
    n->type = result;
    return result;
}

} // namespace

type_node* expression_type(expr_node* node, scope_table& table, type_node* scope_class, std::string_view file_name,
                           int line, report_callback report)
{
    type_search search(table, file_name, line, report);
    return search.type(node, scope_class);
}

type_node* type_of_type_text(std::string_view text, scope_table& table, std::string_view file_name, int line)
{
    if (text.empty())
        return nullptr;
    return type_from_text(text, table, file_name, line);
}
