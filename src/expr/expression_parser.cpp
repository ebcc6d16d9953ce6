// The expression parser's own work beside the automata: the values of
// constants, the classification of names, the node builders the grammar's
// actions call, the error routine, and parse_expression itself.
//
// Integer constants take the first C type their value fits, by form and
// suffix (decimal: int, long, long long; octal and hexadecimal also their
// unsigned companions; binary and "h" forms the int size only). A value that
// fits none is reported and cut to the last candidate's width.
#include "expr/parse_expression.h"

#include <algorithm>

#include <QCoreApplication>

#include "analyser/scope_table.h"
#include "expr/char_literal.h"
#include "expr/decimal_text.h"
#include "expr/expression_type.h"
#include "support/text_utils.h"
#include "expression_grammar.hpp"

namespace {

struct int_candidate {
    int bits;
    bool is_unsigned;
};

// Bit n of v (byte 1 holds bits 0 to 7, byte 20 bits 152 to 159, byte 0 the top).
bool bit_of(const pint& v, int n)
{
    const int byte_index = n < 160 ? 1 + n / 8 : 0;
    return (v.byte[byte_index] >> (n % 8)) & 1;
}

bool fits_width(const pint& v, int bits)
{
    // v is non-negative: it fits when every bit from position bits up is 0.
    if (bits >= pint_bits)
        return true;
    return pint_bits_agree(v, bits, 0) && !bit_of(v, bits);
}

type_node* strip(type_node* t)
{
    while (t && t->kind == TK_TYPEDEF && t->typedef_data() && t->typedef_data()->target)
        t = t->typedef_data()->target;
    return t;
}

} // namespace

expression_parser::expression_parser(std::string_view source, scope_table* t, std::string_view scope,
                                     std::string_view file, int first_line, report_callback r)
    : table(t), scope_name(scope), file_name(file), line(first_line), report(r),
      text(source.substr(0, std::min(source.size(), source.find('\0'))))
{
    if (table && !scope_name.empty()) {
        if (const context_class* found = find_context_class(*table, scope_name))
            scope_class = found->owner;
        else if (symbol_entry* e = find_tag(scope_name, *table, TK_STRUCT, scope_context{}); e && e->sym)
            scope_class = e->sym->type;
    }
}

void expression_parser::warn(const char* code, std::string_view argument)
{
    if (report)
        report(kind_warning, code, report_argument(argument), file_name, line);
}

void expression_parser::error(const char* code, std::string_view argument)
{
    if (report)
        report(kind_error, code, report_argument(argument), file_name, line);
}

// ---- Names ----

int expression_parser::name_token(std::string_view name, expr_semantic& value)
{
    value.text = tree->keep(name);
    const bool after_scope = last_token == T_SCOPE;
    type_node* qualifier = after_scope ? last_class_ : nullptr;
    last_class_ = nullptr;
    if (!table)
        return T_IDENTIFIER;
    const std::string key(name);
    auto tag = [&](type_kind kind, scope_context where) -> type_node* {
        symbol_entry* e = find_tag(key, *table, kind, where);
        return e && e->sym ? e->sym->type : nullptr;
    };
    auto type_name = [&](type_node* t) {
        value.type = t;
        type_node* s = strip(t);
        if (s && (s->kind == TK_STRUCT || s->kind == TK_UNION))
            last_class_ = s;
        return T_TYPE_NAME;
    };
    if (qualifier) {
        const scope_context inside{owner_scope, qualifier};
        if (type_node* t = tag(TK_STRUCT, inside); t && t->scope_owner == qualifier)
            return type_name(t);
        symbol_entry* e = find_symbol(key, *table, inside);
        if (e && e->sym && e->sym->scope_owner == qualifier && (e->sym->specifier_flags & SF_TYPEDEF))
            return type_name(e->sym->type);
        return T_IDENTIFIER;
    }
    const scope_context here = scope_class ? scope_context{owner_scope, scope_class} : scope_context{};
    symbol_entry* e = find_symbol(key, *table, here);
    if (e && e->sym) {
        if (e->sym->specifier_flags & SF_TYPEDEF)
            return type_name(e->sym->type);
        return T_IDENTIFIER; // a variable or function hides a tag of its name
    }
    for (type_kind kind : {TK_STRUCT, TK_ENUM, TK_UNION})
        if (type_node* t = tag(kind, here))
            return type_name(t);
    return T_IDENTIFIER;
}

// ---- Constants ----

int expression_parser::integer_token(std::string_view token, expr_semantic& value)
{
    const target_sizes sizes = table ? table->store.sizes : target_sizes{};
    int base = 10;
    std::string_view digits = token;
    bool short_form = false; // binary and "h" forms: the int size only
    bool has_u = false;
    int longs = 0;
    const char last = token.back();
    if (last == 'h' || last == 'H') {
        base = 16;
        digits.remove_suffix(1);
        short_form = true;
    } else if ((last == 'b' || last == 'B') && token.find_first_not_of("01") == token.size() - 1) {
        base = 2;
        digits.remove_suffix(1);
        short_form = true;
    } else {
        while (!digits.empty() && std::string_view("uUlL").find(digits.back()) != std::string_view::npos) {
            if (digits.back() == 'u' || digits.back() == 'U')
                has_u = true;
            else
                ++longs;
            digits.remove_suffix(1);
        }
        if (digits.size() > 1 && (digits[1] == 'x' || digits[1] == 'X')) {
            base = 16;
            digits.remove_prefix(2);
        } else if (digits.size() > 1 && digits[0] == '0') {
            base = 8;
        }
    }

    pint v = pint_zero;
    bool saturated = false;
    for (char c : digits) {
        // Below 2^158 the next step cannot leave the 168 bits.
        if (!fits_width(v, 158)) {
            saturated = true;
            break;
        }
        pint_mul_small(v, v, base);
        pint_add_small(v, v, digit_value(c));
    }

    std::vector<int_candidate> candidates;
    const bool decimal = base == 10 && !short_form;
    if (short_form) {
        candidates = {{sizes.int_bits, false}, {sizes.int_bits, true}};
    } else {
        auto add = [&](int bits) {
            if (!has_u)
                candidates.push_back({bits, false});
            if (has_u || !decimal)
                candidates.push_back({bits, true});
        };
        if (longs == 0)
            add(sizes.int_bits);
        if (longs <= 1)
            add(sizes.long_bits);
        add(sizes.long_long_bits);
        if (decimal && !has_u)
            candidates.push_back({sizes.long_long_bits, true});
    }
    int_candidate chosen = candidates.back();
    bool found = false;
    if (!saturated) {
        for (const int_candidate& c : candidates) {
            if (fits_width(v, c.is_unsigned ? c.bits : c.bits - 1)) {
                chosen = c;
                found = true;
                break;
            }
        }
    }
    if (!found) {
        warn("ENTOUTRAN", token);
        pint_truncate(v, chosen.bits);
    }
    expr_node* n = node(EK_CONSTANT);
    n->value = v;
    n->size = chosen.is_unsigned ? chosen.bits : -chosen.bits;
    value.node = n;
    return T_INT_CONST;
}

int expression_parser::floating_token(std::string_view token, expr_semantic& value)
{
    expr_node* n = node(EK_FLOATING);
    decimal_from_text(n->floating, token);
    const char last = token.back();
    if (last == 'f' || last == 'F')
        n->suffix = 'f';
    else if (last == 'l' || last == 'L')
        n->suffix = 'L';
    value.node = n;
    return T_FLOAT_CONST;
}

int expression_parser::character_token(std::string_view token, expr_semantic& value)
{
    const target_sizes sizes = table ? table->store.sizes : target_sizes{};
    decoded_literal literal =
        decode_literal(token, [this](const char* code, std::string_view argument) { warn(code, argument); });
    expr_node* n = node(EK_CONSTANT);
    n->code = 1;
    n->size = -sizes.int_bits;
    value.node = n;
    if (!literal.terminated) {
        warn("INVCSTCAR", token);
    } else if (literal.codes.empty()) {
        warn("CSTCARVID", token);
    }
    const int width = literal.wide ? sizes.int_bits : sizes.char_bits;
    const std::size_t room = static_cast<std::size_t>(std::max(1, sizes.int_bits / std::max(1, width)));
    if (literal.codes.size() > room) {
        warn("TOLOCSTCA", token);
        literal.codes.resize(room);
    } else if (literal.codes.size() > 1 && literal.terminated) {
        warn("MULCARCST", token);
    }
    pint v = pint_zero;
    pint code_value;
    pint shift;
    pint_from_int(shift, width);
    for (std::uint32_t code : literal.codes) {
        pint_shift_left(v, v, shift);
        pint_from_int(code_value, static_cast<std::int32_t>(code));
        pint_truncate(code_value, width);
        pint_or(v, v, code_value);
    }
    const int packed = width * static_cast<int>(literal.codes.size());
    if (packed > 0 && !sizes.plain_char_unsigned)
        pint_sign_extend(v, packed);
    n->value = v;
    n->char_count = static_cast<std::int32_t>(literal.codes.size());
    n->char_width = width;
    return T_CHAR_CONST;
}

int expression_parser::string_token(std::string_view token, expr_semantic& value)
{
    decoded_literal literal =
        decode_literal(token, [this](const char* code, std::string_view argument) { warn(code, argument); });
    if (!literal.terminated)
        warn("INVCSTCAR", token);
    expr_node* n = node(EK_STRING);
    n->code = literal.wide ? 1 : 0;
    // The token is kept whole; the image decodes it again without messages.
    n->text = tree->keep(token);
    value.node = n;
    return T_STRING_LIT;
}

// ---- Nodes ----

expr_node* expression_parser::node(expr_kind kind, expr_node* a, expr_node* b, expr_node* c)
{
    expr_node* n = tree->make(kind);
    n->a = a;
    n->b = b;
    n->c = c;
    int deepest = 0;
    for (const expr_node* child : {a, b, c})
        if (child)
            deepest = std::max(deepest, child->depth);
    n->depth = deepest + 1;
    if (n->depth > max_expression_depth)
        too_deep = true;
    return n;
}

expr_node* expression_parser::unary(int code, expr_node* operand)
{
    expr_node* n = node(EK_UNARY, operand);
    n->code = code;
    return n;
}

expr_node* expression_parser::binary(int code, expr_node* left, expr_node* right)
{
    expr_node* n = node(EK_BINARY, left, right);
    n->code = code;
    return n;
}

expr_node* expression_parser::name(std::string_view name_text)
{
    expr_node* n = node(EK_NAME);
    n->text = tree->keep(name_text);
    return n;
}

expr_node* expression_parser::chain(expr_node* owner, expr_node* argument)
{
    expr_node* element = node(EK_LIST_ELEMENT, argument);
    if (!owner->b)
        owner->b = element;
    else
        owner->c->next = element;
    owner->c = element;
    owner->depth = std::max(owner->depth, element->depth + 1);
    if (owner->depth > max_expression_depth)
        too_deep = true;
    return owner;
}

expr_node* expression_parser::with_arguments(expr_kind kind, expr_node* callee, expr_node* holder)
{
    expr_node* n = node(kind, callee, holder->b, holder->c);
    // The middle arguments count too: the holder knows the deepest one.
    n->depth = std::max(n->depth, holder->depth + 1);
    if (n->depth > max_expression_depth)
        too_deep = true;
    return n;
}

void expression_parser::add_element(expr_node* list, expr_node* element)
{
    list->elements.push_back(element);
    list->depth = std::max(list->depth, element->depth + 1);
    if (list->depth > max_expression_depth)
        too_deep = true;
}

expr_node* expression_parser::new_node(std::string_view operator_name, expr_node* placement,
                                       std::string_view type_text, expr_node* initialiser)
{
    expr_node* n = node(EK_NEW, placement, initialiser, name(type_text));
    n->text = tree->keep(operator_name);
    return n;
}

// ---- Errors ----

void expression_parser::syntax_error(const char* message)
{
    if (std::string_view(message) == "memory exhausted")
        stack_overflow = true;
    reported_error = true;
    if (hit_end_ && !stack_overflow)
        error("UNEXP_EOF", text);
    else
        warn("EXPERRONE", text);
}

void expression_parser::bad_expression()
{
    warn("EXPERRONE", text);
}

void expression_parser::bad_range()
{
    if (report)
        report(kind_warning, "SYNTAXERR", report_argument(QCoreApplication::translate("Warning Parameter", "[min..max]")),
               file_name, line);
}

// ---- The entry ----

std::unique_ptr<expression_tree> parse_expression(std::string_view text, scope_table* table,
                                                  std::string_view scope_name, std::string_view file_name,
                                                  int line, report_callback report)
{
    const std::string_view cut = text.substr(0, std::min(text.size(), text.find('\0')));
    if (cut.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos)
        return nullptr;
    expression_parser parser(cut, table, scope_name, file_name, line, report);
    const bool accepted = parser.run();
    if (parser.too_deep) {
        if (!parser.reported_error)
            parser.bad_expression();
        parser.tree->root = nullptr;
    } else if (!accepted) {
        parser.tree->root = nullptr;
    } else if (table && parser.tree->root) {
        expression_type(parser.tree->root, *table, parser.scope_class, file_name, line, report);
    }
    return std::move(parser.tree);
}

void free_expression(std::unique_ptr<expression_tree>& tree)
{
    tree.reset();
}
