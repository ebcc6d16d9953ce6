// Constant folding over expression trees (see constant_value.h).
//
// Shifts and the other operators are done on 168 bits; a value is never cut
// to a C type here, since the script shows what the source meant, and a
// source constant has already been cut to its type by the scanner.
#include "expr/constant_value.h"

#include <vector>

#include "analyser/scope_table.h"
#include "analyser/type_model.h"
#include "expr/char_literal.h"
#include "expr/parse_expression.h"
#include "expr/pint_text.h"

namespace {

constant_result integer(const pint& v)
{
    return {constant_kind::integer, v};
}

constant_result integer(bool b)
{
    return {constant_kind::integer, b ? pint_one : pint_zero};
}

// The computed result of a node that is not an integer constant: "other"
// when the type search gave it a type, else nothing.
constant_result typed(const expr_node* n)
{
    return {n && n->type ? constant_kind::other : constant_kind::nothing, pint_zero};
}

// C division: quotient truncated toward zero, remainder of a's sign.
void c_divide(pint& q, pint& r, const pint& a, const pint& b)
{
    pint ma = a;
    pint mb = b;
    const bool na = pint_is_negative(a);
    const bool nb = pint_is_negative(b);
    if (na)
        pint_negate(ma, a);
    if (nb)
        pint_negate(mb, b);
    pint_divide(q, ma, mb, r);
    if (na != nb)
        pint_negate(q, q);
    if (na)
        pint_negate(r, r);
}

const enumerator* find_enumerator_record(const symbol* s)
{
    if (!s || !s->type)
        return nullptr;
    const type_node* t = s->type;
    const enum_payload* e = t->enumeration();
    if (!e)
        return nullptr;
    for (const enumerator* item : e->enumerators)
        if (item && item->name == s->name)
            return item;
    return nullptr;
}

// Where names are looked up: the table, and the enumerators of an
// enumeration still being declared (not yet in the table).
struct fold_scope {
    scope_table* table = nullptr;
    const std::vector<enumerator*>* pending = nullptr;
};

constant_result name_value(const expr_node* n, const fold_scope& scope)
{
    if (n->text == "true")
        return integer(true);
    if (n->text == "false")
        return integer(false);
    if (scope.pending)
        for (auto it = scope.pending->rbegin(); it != scope.pending->rend(); ++it)
            if (*it && (*it)->name == n->text)
                return integer((*it)->numeric);
    scope_table* table = scope.table;
    if (!table)
        return {};
    // A variable of the same name hides the enumerator.
    if (symbol_entry* e = find_symbol(n->text, *table, scope_context{}); e && e->sym)
        return typed(n);
    if (symbol_entry* e = find_enumerator(n->text, *table, scope_context{}); e && e->sym) {
        if (const enumerator* item = find_enumerator_record(e->sym))
            return integer(item->numeric);
    }
    return typed(n);
}

constant_result fold(const expr_node* n, const fold_scope& table);

constant_result unary_value(const expr_node* n, const fold_scope& table)
{
    if (n->code == op_sizeof)
        return typed(n);
    const constant_result operand = fold(n->a, table);
    if (operand.kind != constant_kind::integer)
        return operand.kind == constant_kind::other ? operand : typed(n);
    pint r;
    switch (n->code) {
    case op_negate: {
        const pint zero = pint_zero;
        pint_sub(r, zero, operand.value);
        return integer(r);
    }
    case op_logical_not:
        return integer(pint_is_zero(operand.value));
    case op_complement:
        pint_not(r, operand.value);
        return integer(r);
    default:
        return typed(n);
    }
}

constant_result binary_value(const expr_node* n, const fold_scope& table)
{
    const constant_result left = fold(n->a, table);
    const constant_result right = fold(n->b, table);
    if (left.kind != constant_kind::integer || right.kind != constant_kind::integer) {
        if (left.kind == constant_kind::nothing || right.kind == constant_kind::nothing)
            return typed(n);
        return {constant_kind::other, pint_zero};
    }
    const pint& a = left.value;
    const pint& b = right.value;
    pint r;
    pint rem;
    switch (n->code) {
    case op_add: pint_add(r, a, b); return integer(r);
    case op_sub: pint_sub(r, a, b); return integer(r);
    case op_mul: pint_mul(r, a, b); return integer(r);
    case op_div:
    case op_mod:
        if (pint_is_zero(b))
            return {constant_kind::other, pint_zero};
        c_divide(r, rem, a, b);
        return integer(n->code == op_div ? r : rem);
    case op_less: return integer(pint_compare(a, b) < 0);
    case op_greater: return integer(pint_compare(a, b) > 0);
    case op_less_equal: return integer(pint_compare(a, b) <= 0);
    case op_greater_equal: return integer(pint_compare(a, b) >= 0);
    case op_not_equal: return integer(pint_compare(a, b) != 0);
    case op_equal: return integer(pint_compare(a, b) == 0);
    case op_and_and: return integer(!pint_is_zero(a) && !pint_is_zero(b));
    case op_or_or: return integer(!pint_is_zero(a) || !pint_is_zero(b));
    case op_bit_or: pint_or(r, a, b); return integer(r);
    case op_bit_and: pint_and(r, a, b); return integer(r);
    case op_bit_xor: pint_xor(r, a, b); return integer(r);
    case op_shift_left:
    case op_shift_right: {
        // Counts beyond the width give the sign or zero; keep them in 0..255.
        pint count = b;
        const pint limit = [] { pint p; pint_from_int(p, 200); return p; }();
        if (pint_compare(count, limit) > 0)
            count = limit;
        if (n->code == op_shift_left)
            pint_shift_left(r, a, count);
        else
            pint_shift_right(r, a, count);
        return integer(r);
    }
    default:
        return {constant_kind::other, pint_zero};
    }
}

constant_result fold(const expr_node* n, const fold_scope& table)
{
    if (!n)
        return {};
    switch (n->kind) {
    case EK_CONSTANT:
        return integer(n->value);
    case EK_FLOATING:
    case EK_STRING:
        return {constant_kind::other, pint_zero};
    case EK_NAME:
        return name_value(n, table);
    case EK_PAREN:
    case EK_WRAPPER:
    case EK_LIST_ELEMENT:
        return fold(n->a, table);
    case EK_CAST: {
        const constant_result operand = fold(n->b, table);
        return operand.kind == constant_kind::nothing ? typed(n) : operand;
    }
    case EK_UNARY:
        return unary_value(n, table);
    case EK_BINARY:
        return binary_value(n, table);
    case EK_CONDITIONAL: {
        const constant_result test = fold(n->a, table);
        if (test.kind != constant_kind::integer)
            return test.kind == constant_kind::other ? test : typed(n);
        return fold(pint_is_zero(test.value) ? n->c : n->b, table);
    }
    case EK_BRACE_LIST: {
        pint count;
        pint_from_int(count, static_cast<std::int32_t>(std::min<std::size_t>(n->elements.size(), INT32_MAX)));
        return integer(count);
    }
    default:
        return typed(n);
    }
}

// The characters of a string literal or of adjacent ones, or -1.
long long string_length(const expr_node* n)
{
    if (!n)
        return -1;
    if (n->kind == EK_STRING)
        return static_cast<long long>(decode_literal(n->text, nullptr).codes.size());
    if (n->kind == EK_BINARY && n->code == op_list) {
        const long long a = string_length(n->a);
        const long long b = string_length(n->b);
        return a < 0 || b < 0 ? -1 : a + b;
    }
    return -1;
}

} // namespace

constant_result constant_value(const expr_node* node, scope_table* table)
{
    return fold(node, fold_scope{table, nullptr});
}

namespace {

std::optional<std::string> bound_of_tree(const expression_tree* tree, scope_table* table)
{
    if (!tree || !tree->root)
        return std::nullopt;
    if (const long long length = string_length(tree->root); length >= 0)
        return std::to_string(length + 1);
    const constant_result result = constant_value(tree->root, table);
    switch (result.kind) {
    case constant_kind::integer:
        return pint_image_text(result.value, form_decimal, 0);
    case constant_kind::other:
        return std::string("1");
    default:
        return std::nullopt;
    }
}

// The length of an array given by a brace list: one past the highest
// index, where an index designator ("[4]=") moves the position the next
// elements fill. Nothing when an index cannot be computed.
std::optional<std::string> list_length(const value_tree& list, scope_table* table, std::string_view file_name,
                                       int line, report_callback report)
{
    pint position = pint_zero;
    pint length = pint_zero;
    for (const value_tree* element : list.elements) {
        const std::string_view designator = element ? std::string_view(element->designator) : std::string_view();
        if (!designator.empty() && designator.front() == '[') {
            // Only the first designator places the element in this list;
            // "[2].x" or "[2][1]" reach into the element itself.
            std::size_t depth = 0, end = 0;
            for (; end < designator.size(); ++end) {
                if (designator[end] == '[')
                    ++depth;
                else if (designator[end] == ']' && --depth == 0)
                    break;
            }
            const std::unique_ptr<expression_tree> tree =
                parse_expression(designator.substr(1, end > 0 ? end - 1 : 0), table, "", file_name, line, report);
            if (!tree || !tree->root)
                return std::nullopt;
            const constant_result index = constant_value(tree->root, table);
            if (index.kind != constant_kind::integer || pint_is_negative(index.value))
                return std::nullopt;
            position = index.value;
        }
        pint_add_small(position, position, 1);
        if (pint_compare(position, length) > 0)
            length = position;
    }
    return pint_image_text(length, form_decimal, 0);
}

} // namespace

std::optional<std::string> array_bound_image(std::string_view text, scope_table& table,
                                             std::string_view scope_name, std::string_view file_name, int line,
                                             report_callback report)
{
    const std::unique_ptr<expression_tree> tree =
        parse_expression(text, &table, scope_name, file_name, line, report);
    return bound_of_tree(tree.get(), &table);
}

pint enumerator_value(std::string_view value_text, const pint* previous, scope_table& table,
                      const std::vector<enumerator*>* earlier, std::string_view file_name, int line,
                      report_callback report)
{
    if (value_text.find_first_not_of(" \t\r\n\f\v") != std::string_view::npos) {
        // Parsed without the table: the earlier enumerators of the same
        // enumeration are not in it yet, and the type search would call
        // them unknown. The folding looks names up itself.
        std::unique_ptr<expression_tree> tree = parse_expression(value_text, nullptr, {}, file_name, line, report);
        if (tree && tree->root) {
            const constant_result result = fold(tree->root, fold_scope{&table, earlier});
            if (result.kind == constant_kind::integer)
                return result.value;
        }
    }
    pint next = pint_zero;
    if (previous)
        pint_add_small(next, *previous, 1);
    return next;
}

std::optional<std::string> array_bound_of_value(const value_tree& value, scope_table* table,
                                                std::string_view file_name, int line, report_callback report)
{
    if (value.is_list)
        return list_length(value, table, file_name, line, report);
    const std::unique_ptr<expression_tree> tree =
        parse_expression(value.text, table, "", file_name, line, report);
    return bound_of_tree(tree.get(), table);
}
