// Enumerations, unions, structs and classes: the keyword and the name, and
// with expand the body, one member per line. A record being written has
// its printing flag set, so a member that refers back to it (a list's next
// pointer) prints the name without a second body. An anonymous record has
// no name to refer to, so it is always written with its body.
#include <string>
#include <unordered_set>

#include "analyser/print_name.h"
#include "analyser/print_parts.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"

namespace {

void line_start(std::string& out, const print_args& how, int depth)
{
    out += how.newline_text;
    out.append(static_cast<std::size_t>(depth > 0 ? depth : 0), '\t');
}

const type_node* owner_of(const type_node* type)
{
    return type->scope_kind == owner_scope ? type->scope_owner : nullptr;
}

bool is_template_product(const type_node* type, int mode)
{
    const struct_payload* s = type->struct_data();
    if (!s)
        return false;
    return !(s->instantiation_state == 0 || (mode == mode_template && s->instantiation_state == 3));
}

std::string_view keyword_of(const type_node* type)
{
    switch (type->kind) {
    case TK_ENUM:
        return "enum ";
    case TK_UNION:
        return "union ";
    default: {
        const struct_payload* s = type->struct_data();
        return !s || s->declared_as == declared_as_struct ? "struct " : "class ";
    }
    }
}

void print_enum_body(const type_node* type, std::string& out, const print_args& how)
{
    const enum_payload* e = type->enumeration();
    out += "{\n";
    bool first = true;
    for (const enumerator* item : e->enumerators) {
        if (!first)
            out += ",\n";
        line_start(out, how, how.indent + 1);
        out += item->name;
        if (item->value) {
            out += " = ";
            item->value->print_to(out);
        }
        first = false;
    }
    out += '\n';
    line_start(out, how, how.indent);
    out += '}';
}

std::string_view access_label(std::uint32_t access)
{
    switch (access & 7u) {
    case access_private:
        return "  private:";
    case access_protected:
        return "  protected:";
    default:
        return "  public:";
    }
}

void append_specifiers(std::string& out, std::uint32_t flags)
{
    if (flags & SF_FRIEND)
        out += "friend ";
    if (flags & SF_STATIC)
        out += "static ";
    if (flags & SF_MUTABLE)
        out += "mutable ";
    if (flags & SF_INLINE)
        out += "inline ";
    if (flags & SF_VIRTUAL)
        out += "virtual ";
}

// One member without its line start: "typedef ...", "class F", or the
// specifiers, the declarator, a bit-field width or a pure specifier.
std::string member_text(const symbol* member, const type_node* record, const print_args& how, bool expand_nested)
{
    const type_node* type = member->type;
    print_args inner = how;
    inner.expand = false;
    inner.indent = how.indent + 1;
    inner.enclosing = record;
    inner.mode = mode_plain;
    if ((member->specifier_flags & SF_FRIEND) && type && (type->kind == TK_STRUCT || type->kind == TK_UNION))
        return "class " + type->tag_name();
    std::string p, n, s;
    if (const typedef_payload* t = type ? type->typedef_data() : nullptr; t && t->name == member->name) {
        print_type(t->target, p, n, s, false, how.newline_text, inner.indent, false, mode_plain, record, true);
        return "typedef " + join_declarator(p, n, member->name, s);
    }
    std::string text;
    append_specifiers(text, member->specifier_flags);
    print_type(type, p, n, s, expand_nested, how.newline_text, inner.indent, how.inline_bodies, mode_plain, record,
               true);
    text += join_declarator(p, n, member->name, s);
    if (member->initialiser && !(member->specifier_flags & SF_STATIC)) {
        text += (type && type->kind == TK_FUNCTION) ? "\t= " : "\t: ";
        member->initialiser->print_to(text);
    }
    return text;
}

void print_bases(const struct_payload& s, std::string& out)
{
    bool first = true;
    for (const base_node* base : s.bases) {
        out += first ? " : " : ", ";
        if (base->is_virtual)
            out += "virtual ";
        switch (base->access & 7u) {
        case access_private:
            out += "private ";
            break;
        case access_protected:
            out += "protected ";
            break;
        case access_public:
            out += "public ";
            break;
        default:
            break;
        }
        if (base->base)
            print_qualified_name(out, base->base->tag_name(), owner_of(base->base), "::", true);
        first = false;
    }
}

void print_members_body(type_node* type, std::string& out, const print_args& how)
{
    if (const struct_payload* s = type->struct_data())
        print_bases(*s, out);
    if (!out.empty() && out.back() != ' ')
        out += ' ';
    out += "{\n";
    const std::vector<member_node*>* members = nullptr;
    if (const struct_payload* s = type->struct_data())
        members = &s->members;
    else if (const union_payload* u = type->union_data())
        members = &u->members;
    type->printing = 1;
    std::unordered_set<const type_node*> nested_written;
    for (const member_node* node : *members) {
        line_start(out, how, how.indent + 1);
        if (!node->member) {
            out += access_label(node->access);
            out += '\n';
            continue;
        }
        // A record defined inside this one is written with the first member
        // of its type, as the source wrote it (C has no other place for it).
        const type_node* member_type = node->member->type;
        const bool nested = member_type && member_type != type &&
                            (member_type->kind == TK_STRUCT || member_type->kind == TK_UNION ||
                             member_type->kind == TK_ENUM) &&
                            member_type->scope_kind == owner_scope && member_type->scope_owner == type &&
                            nested_written.insert(member_type).second;
        const std::string text = member_text(node->member, type, how, nested);
        out += text;
        // A body ends without ";", a nested type declared alone needs one.
        if (text.empty() || text.back() != '}' || node->member->name.empty())
            out += ';';
        out += '\n';
    }
    type->printing = 0;
    line_start(out, how, how.indent);
    out += '}';
}

} // namespace

int print_record(const type_node* type, std::string& prefix, const print_args& how)
{
    const std::string& name = type->tag_name();
    const bool has_body = type->kind == TK_ENUM ? (type->enumeration() && !type->enumeration()->enumerators.empty())
                          : type->kind == TK_STRUCT ? (type->struct_data() && type->struct_data()->is_definition())
                                                    : (type->union_data() && !type->union_data()->members.empty());
    const bool expand = !type->printing && has_body && (how.expand || name.empty());
    const type_node* owner = owner_of(type);
    // A record of another class is named through that class. A file-level
    // record seen from inside a class keeps its keyword rather than taking
    // a leading "::", which C members could not compile.
    const bool foreign = owner && owner != how.enclosing;
    bool keyword = false;
    if (how.mode == mode_class_keyword || expand)
        keyword = true;
    else if (how.mode == mode_no_class_keyword || foreign)
        keyword = false;
    else
        keyword = !is_template_product(type, how.mode);
    if (keyword)
        prefix += keyword_of(type);
    if (foreign)
        print_qualified_name(prefix, name, owner, "::", true);
    else
        prefix += name;
    if (!expand)
        return 1;
    if (type->kind == TK_ENUM) {
        print_enum_body(type, prefix, how);
    } else {
        print_members_body(const_cast<type_node*>(type), prefix, how);
    }
    return 1;
}

int print_template(const type_node* type, std::string& prefix, const print_args& how)
{
    const template_payload* t = type->template_data();
    if (!t)
        return 1;
    prefix += "template <";
    print_args inner = how;
    inner.mode = mode_template;
    bool first = true;
    for (const parameter_node* node : t->parameters) {
        if (!first)
            prefix += ", ";
        prefix += parameter_text(node ? node->parameter : nullptr, inner);
        first = false;
    }
    prefix += "> ";
    if (t->function) {
        std::string p, n, s;
        print_type(t->function->type, p, n, s, false, how.newline_text, how.indent, how.inline_bodies, mode_plain,
                   how.enclosing, how.follow_modifiers);
        prefix += join_declarator(p, n, t->function->name, s);
        return 1;
    }
    prefix += t->is_struct ? "struct " : "class ";
    prefix += t->name;
    if (how.expand && !t->body.empty()) {
        prefix += ' ';
        prefix += t->body;
    }
    return 1;
}

int print_template_instance(const type_node* type, std::string& prefix, const print_args& how)
{
    const instance_payload* i = type->instance();
    const type_node* origin = type->template_origin;
    if (origin)
        prefix += origin->tag_name();
    prefix += '<';
    bool first = true;
    if (i) {
        for (const argument_node* argument : i->arguments) {
            if (!first)
                prefix += ", ";
            if (argument->type) {
                std::string p, n, s;
                print_type(argument->type, p, n, s, false, how.newline_text, how.indent, false, mode_template,
                           how.enclosing, how.follow_modifiers);
                prefix += join_declarator(p, n, "", s);
            } else {
                prefix += argument->value;
            }
            first = false;
        }
    }
    prefix += '>';
    return 1;
}
