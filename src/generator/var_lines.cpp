// Default values by kind: numbers are 0, pointers NIL (or an empty string
// for character strings), arrays "{ others => v }", structures list their
// settable members, enumerations their first enumerator. Nested values are
// computed with a keyword of their own, so only the outer kind decides the
// line's keyword (an array of structures is an ARRAY).
#include "generator/var_lines.h"

#include "analyser/print_name.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"
#include "generator/generation.h"

namespace {

constexpr int max_depth = 200;

bool has_const_word(const type_node* type)
{
    for (const type_node* m = type ? type->modifiers : nullptr; m; m = m->modifiers)
        if (const modifier_payload* p = m->modifier(); p && p->word == "const")
            return true;
    return false;
}

bool is_character_string(const type_node* type)
{
    return is_signed_character(type);
}

void value_of(const type_node* type, std::string& value, std::string& keyword, int var_mode, int depth);

void nested_value(const type_node* type, std::string& value, int var_mode, int depth)
{
    std::string keyword = "VAR";
    value_of(type, value, keyword, var_mode, depth + 1);
}

bool settable_member(const member_node* node, const struct_payload& owner)
{
    const symbol* member = node->member;
    if (!member || member->name.empty() || !member->type)
        return false;
    if (member->type->kind == TK_FUNCTION || (member->specifier_flags & (SF_STATIC | SF_TYPEDEF)))
        return false;
    if (const typedef_payload* t = member->type->typedef_data(); t && t->name == member->name)
        return false;
    if (is_const_qualified(member->type))
        return false;
    const std::uint32_t access = node->access;
    if ((access & 7u) == access_public)
        return true;
    if (access & access_inherited)
        return (access & access_base_befriends_test) != 0;
    return owner.befriends_test_class != 0;
}

void structure_value(const type_node* type, std::string& value, int var_mode, int depth)
{
    const struct_payload* s = type->struct_data();
    value += "{ ";
    bool first = true;
    if (s) {
        for (const auto* list : {&s->members, &s->inherited}) {
            for (const member_node* node : *list) {
                if (!settable_member(node, *s))
                    continue;
                if (!first)
                    value += ", ";
                value += node->member->name;
                value += " => ";
                nested_value(node->member->type, value, var_mode, depth);
                first = false;
            }
        }
    }
    value += " }";
}

void value_of(const type_node* type, std::string& value, std::string& keyword, int var_mode, int depth)
{
    if (depth > max_depth) {
        value += '0';
        return;
    }
    if (!type) {
        value += '0';
        return;
    }
    switch (type->kind) {
    case TK_INTEGRAL:
    case TK_VOID:
    case TK_ELLIPSIS:
        value += '0';
        return;
    case TK_FLOATING:
        value += "0.0";
        return;
    case TK_POINTER:
        value += type->pointer() && is_character_string(type->pointer()->pointee) ? "\"\"" : "NIL";
        return;
    case TK_ARRAY: {
        const array_payload* a = type->array();
        const type_node* element = a ? a->element : nullptr;
        if (is_character_string(element)) {
            value += "\"\"";
            return;
        }
        value += "{ ";
        value += script_word(script_text::others_word);
        value += " => ";
        if (element)
            nested_value(element, value, var_mode, depth);
        else
            value += '0';
        value += " }";
        keyword = script_word(script_text::array_keyword);
        return;
    }
    case TK_ENUM: {
        const enum_payload* e = type->enumeration();
        if (!e || e->enumerators.empty()) {
            value += '0';
            return;
        }
        const type_node* owner = type->scope_kind == owner_scope ? type->scope_owner : nullptr;
        print_qualified_name(value, e->enumerators.front()->name, owner, "::", true);
        return;
    }
    case TK_UNION: {
        const union_payload* u = type->union_data();
        const member_node* first = nullptr;
        if (u)
            for (const member_node* node : u->members)
                if (node->member) {
                    first = node;
                    break;
                }
        if (!first) {
            value += '0';
            return;
        }
        value += "{ ";
        value += first->member->name;
        value += " => ";
        nested_value(first->member->type, value, var_mode, depth);
        value += " }";
        return;
    }
    case TK_STRUCT:
        structure_value(type, value, var_mode, depth);
        keyword = "STRUCTURE";
        return;
    case TK_TYPEDEF:
        value_of(type->typedef_data() ? type->typedef_data()->target : nullptr, value, keyword, var_mode, depth + 1);
        return;
    case TK_MODIFIER:
        value_of(type->modifier() ? type->modifier()->modified : nullptr, value, keyword, var_mode, depth + 1);
        return;
    case TK_REFERENCE:
        value_of(type->reference() ? type->reference()->referred : nullptr, value, keyword, var_mode, depth + 1);
        return;
    case TK_FUNCTION:
        if (var_mode == var_returned && type->function())
            value_of(type->function()->return_type, value, keyword, var_mode, depth + 1);
        else
            value += "NIL";
        return;
    default:
        return;
    }
}

void put_var_line(generation& run, std::string_view indent, std::string_view keyword, std::string_view name,
          std::string_view value)
{
    std::string line(indent);
    line += keyword;
    line += ' ';
    line += name;
    line += ",\t\tinit = ";
    line += value;
    line += ",\t\t";
    line += run.word(script_text::expected_value_word);
    line += " = init";
    run.line(line);
}

// The object pointer of a constructor or destructor: its expected value is
// the class's default value, its initial value is left for the tester.
void write_object_pointer_line(generation& run, const symbol* sym, std::string_view indent)
{
    const type_node* owner = sym->scope_kind == owner_scope ? sym->scope_owner : nullptr;
    std::string value;
    std::string keyword = "VAR";
    init_value_text(owner, value, keyword, var_object);
    std::string line(indent);
    line += keyword;
    line += " *pt_";
    line += operator_identifier(sym->name);
    line += ",\t\tinit == ,\t\t";
    line += run.word(script_text::expected_value_word);
    line += " = ";
    line += value;
    run.line(line);
}

} // namespace

bool is_const_qualified(const type_node* type)
{
    for (int guard = 0; type && guard < max_depth; ++guard) {
        if (has_const_word(type))
            return true;
        if (const modifier_payload* m = type->modifier()) {
            if (m->word == "const")
                return true;
            type = m->modified;
        } else if (const typedef_payload* t = type->typedef_data()) {
            type = t->target;
        } else if (const array_payload* a = type->array()) {
            type = a->element;
        } else {
            return false;
        }
    }
    return false;
}

void init_value_text(const type_node* type, std::string& value, std::string& keyword, int var_mode)
{
    value_of(type, value, keyword, var_mode, 0);
}

void write_instance_line(generation& run, const type_node* type, std::string_view name, std::string_view indent)
{
    std::string value;
    std::string keyword = "VAR";
    init_value_text(type, value, keyword, var_global);
    put_var_line(run, indent, keyword, name, value);
}

void write_var_line(generation& run, const symbol* sym, std::string_view indent, std::string_view service,
                    int var_mode, std::string_view name)
{
    if (!sym)
        return;
    const std::string_view own = name.empty() ? std::string_view(sym->name) : name;
    if (own.empty())
        return;
    const type_node* type = sym->type;
    std::string value;
    std::string keyword = "VAR";
    if (!type) {
        init_value_text(nullptr, value, keyword, var_mode);
        put_var_line(run, indent, keyword, own, value);
        return;
    }
    // A qualified pointer parameter (int *const p) is declared as its
    // pointee like a bare one, so its line follows the pointer's rule.
    const type_node* parameter_pointer = var_mode == var_parameter ? qualified_pointer(type) : nullptr;
    if (parameter_pointer)
        type = parameter_pointer;
    switch (type->kind) {
    case TK_POINTER:
        if (var_mode == var_parameter) {
            const pointer_payload* p = type->pointer();
            const type_node* pointee = p ? p->pointee : nullptr;
            const type_node* bare = strip_wrappers(pointee);
            if (is_character_string(pointee))
                value = "\"\"";
            else if (bare && (bare->kind == TK_ARRAY || bare->kind == TK_FUNCTION))
                value = "NIL";
            else if (bare && (bare->kind == TK_STRUCT || bare->kind == TK_UNION) && keeps_pointer(type))
                // An opaque record stays a pointer in the parameter's
                // declaration (no object of it can be declared): the
                // variable holds that pointer.
                init_value_text(type, value, keyword, var_mode);
            else
                init_value_text(pointee, value, keyword, var_mode);
        } else {
            init_value_text(type, value, keyword, var_mode);
        }
        break;
    case TK_TYPEDEF:
        if (type->typedef_data() && type->typedef_data()->name == sym->name)
            return;
        init_value_text(type, value, keyword, var_mode);
        break;
    case TK_FUNCTION: {
        if (var_mode == var_object) {
            write_object_pointer_line(run, sym, indent);
            return;
        }
        if (var_mode != var_returned)
            return;
        const function_payload* f = type->function();
        std::string p, n, s;
        print_type(f ? f->return_type : nullptr, p, n, s, false, "", 0, false, mode_test_variable, nullptr, true);
        if ((n.empty() ? p : join_declarator(p, n, "", "")) == "void")
            return;
        init_value_text(type, value, keyword, var_mode);
        put_var_line(run, indent, keyword, "ret_" + std::string(service), value);
        return;
    }
    case TK_TEMPLATE:
        return;
    default:
        init_value_text(type, value, keyword, var_mode);
        break;
    }
    put_var_line(run, indent, keyword, own, value);
}
