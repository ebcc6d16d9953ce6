// The image walk (see expression_image.h): one case per kind of node,
// children printed recursively; the tree's depth is bounded by the parser.
// Character constants are unpacked from their value, most significant
// character first, and printed with the escapes of char_literal.
#include "expr/expression_image.h"

#include <QCoreApplication>

#include "diag/report.h"
#include "expr/char_literal.h"
#include "expr/decimal_text.h"
#include "expr/pint_text.h"

namespace {

const char* binary_text(int code, const image_settings& settings)
{
    switch (code) {
    case op_add: return "+";
    case op_sub: return "-";
    case op_mul: return "*";
    case op_div: return "/";
    case op_mod: return "%";
    case op_less: return "<";
    case op_greater: return ">";
    case op_less_equal: return "<=";
    case op_greater_equal: return ">=";
    case op_not_equal: return "!=";
    case op_equal: return "==";
    case op_and_and: return "&&";
    case op_or_or: return "||";
    case op_bit_or: return "|";
    case op_bit_and: return "&";
    case op_bit_xor: return "^";
    case op_list: return settings.list_separator == '+' ? "+" : ",";
    case op_shift_left: return "<<";
    case op_shift_right: return ">>";
    default: return "";
    }
}

void character_image(const expr_node* n, std::string& out)
{
    out.push_back('\'');
    const int width = n->char_width > 0 ? n->char_width : 8;
    for (int i = n->char_count - 1; i >= 0; --i) {
        pint part;
        pint count;
        pint_from_int(count, width * i);
        pint_shift_right(part, n->value, count);
        pint_truncate(part, width);
        // Byte 1 is the least significant: the low 32 bits are bytes 1 to 4.
        const std::uint32_t value = static_cast<std::uint32_t>(part.byte[1]) |
                                    static_cast<std::uint32_t>(part.byte[2]) << 8 |
                                    static_cast<std::uint32_t>(part.byte[3]) << 16 |
                                    static_cast<std::uint32_t>(part.byte[4]) << 24;
        append_char_image(out, value);
    }
    out.push_back('\'');
}

void string_image(const expr_node* n, std::string& out)
{
    const decoded_literal literal = decode_literal(n->text, nullptr);
    if (literal.wide)
        out.push_back('L');
    out.push_back('"');
    for (std::uint32_t code : literal.codes)
        append_char_image(out, code);
    out.push_back('"');
}

void arguments_image(const expr_node* first, std::string& out, const image_settings& settings)
{
    for (const expr_node* e = first; e; e = e->next) {
        if (e != first)
            out.push_back(',');
        expression_image(e, out, settings);
    }
}

} // namespace

void expression_image(const expr_node* n, std::string& out, const image_settings& settings)
{
    if (!n)
        return;
    auto sub = [&](const expr_node* child) { expression_image(child, out, settings); };
    switch (n->kind) {
    case EK_EMPTY:
    case EK_NOTHING:
        break;
    case EK_CONSTANT:
        if (n->code)
            character_image(n, out);
        else
            out += pint_image_text(n->value, form_decimal, n->size);
        break;
    case EK_FLOATING:
        out += decimal_image_text(n->floating, decimal_image_digits);
        if (n->suffix)
            out.push_back(n->suffix);
        break;
    case EK_NAME:
        out += n->text;
        break;
    case EK_PAREN:
        out.push_back('(');
        sub(n->a);
        out.push_back(')');
        break;
    case EK_SUBSCRIPT:
        sub(n->a);
        out.push_back('[');
        sub(n->b);
        out.push_back(']');
        break;
    case EK_SLICE:
        sub(n->a);
        out.push_back('[');
        sub(n->b);
        out += "..";
        sub(n->c);
        out.push_back(']');
        break;
    case EK_RANGE:
        out.push_back('[');
        sub(n->a);
        out += "..";
        sub(n->b);
        out.push_back(']');
        break;
    case EK_CALL:
    case EK_CONSTRUCTION:
        sub(n->a);
        out.push_back('(');
        arguments_image(n->b, out, settings);
        out.push_back(')');
        break;
    case EK_MEMBER:
        sub(n->a);
        out += n->code ? "->" : ".";
        sub(n->b);
        break;
    case EK_MEMBER_POINTER:
        sub(n->a);
        out += n->code ? "->*" : ".*";
        sub(n->b);
        break;
    case EK_UNARY:
        if (n->code == op_sizeof) {
            out += "sizeof(";
            sub(n->a);
            out.push_back(')');
        } else {
            out += n->code == op_negate ? "-" : n->code == op_logical_not ? "!" : "~";
            sub(n->a);
        }
        break;
    case EK_BINARY:
        sub(n->a);
        out += binary_text(n->code, settings);
        sub(n->b);
        break;
    case EK_ASSOCIATION:
        sub(n->a);
        if (n->b) {
            out += "..";
            sub(n->b);
        }
        out += "=>";
        sub(n->c);
        break;
    case EK_BRACE_LIST:
        out.push_back('{');
        for (std::size_t i = 0; i < n->elements.size(); ++i) {
            if (i)
                out.push_back(',');
            sub(n->elements[i]);
        }
        out.push_back('}');
        break;
    case EK_CONDITIONAL:
        out.push_back('(');
        sub(n->a);
        out.push_back('?');
        sub(n->b);
        out.push_back(':');
        sub(n->c);
        out.push_back(')');
        break;
    case EK_ADDRESS:
        out.push_back('&');
        sub(n->a);
        break;
    case EK_INDIRECTION:
        out.push_back('*');
        sub(n->a);
        break;
    case EK_STRING:
        string_image(n, out);
        break;
    case EK_CAST:
        out.push_back('(');
        sub(n->a);
        out.push_back(')');
        sub(n->b);
        break;
    case EK_LIST_ELEMENT:
    case EK_WRAPPER:
        sub(n->a);
        break;
    case EK_NEW:
        out += n->text;
        out.push_back(' ');
        if (n->a) {
            out.push_back('(');
            arguments_image(n->a->b, out, settings);
            out.push_back(')');
        }
        out += " (";
        sub(n->c);
        out.push_back(')');
        if (n->b) {
            out += " (";
            arguments_image(n->b->b, out, settings);
            out.push_back(')');
        }
        break;
    case EK_QUALIFIED:
        sub(n->a);
        out += "::";
        sub(n->b);
        break;
    case EK_GLOBAL:
        out += "::";
        sub(n->a);
        break;
    case EK_THIS:
        out += "this";
        break;
    default:
        report_internal("ERRINTERN", QCoreApplication::translate("Internal Error Parameter", "expression image search"));
    }
}
