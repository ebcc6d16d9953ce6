// print_type: one case per kind, each appending to the three pieces. Inner
// declarators recurse into the same buffers, except where parentheses must
// wrap the name (a pointer or reference to an array or a function), which
// prints the pointee into buffers of its own first. Record and enumeration
// bodies are in print_record.cpp, function types in print_function_type.cpp.
#include "analyser/print_type.h"

#include <optional>
#include <utility>

#include "analyser/print_name.h"
#include "analyser/print_parts.h"
#include "analyser/type_model.h"
#include "expr/constant_value.h"

namespace {

void append_chain(std::string& out, const type_node* chain)
{
    for (const type_node* m = chain; m; m = m->modifiers) {
        const modifier_payload* payload = m->modifier();
        if (!payload || payload->word.empty())
            continue;
        out += ' ';
        out += payload->word;
    }
}

bool is_test_variable_mode(int mode)
{
    return mode == mode_test_variable || mode == mode_value_holder;
}

// Modes 1 and 7 drop the first "const": at the start of the prefix only
// the word, elsewhere the character after it too.
void cut_first_const(std::string& prefix)
{
    const std::size_t at = prefix.find("const");
    if (at == std::string::npos)
        return;
    prefix.erase(at, at == 0 ? 5 : 6);
}

bool needs_parentheses(const type_node* pointee)
{
    return pointee && (pointee->kind == TK_ARRAY || pointee->kind == TK_FUNCTION);
}

// The pointee of a pointer or the referred type of a reference, after the
// mark already put in the name part.
int print_target(const type_node* target, std::string& prefix, std::string& name_part, std::string& suffix,
                 const print_args& how)
{
    if (!needs_parentheses(target))
        return print_type(target, prefix, name_part, suffix, how.expand, how.newline_text, how.indent,
                          how.inline_bodies, how.mode, how.enclosing, how.follow_modifiers);
    std::string p, n, s;
    int ok = print_type(target, p, n, s, how.expand, how.newline_text, how.indent, how.inline_bodies, how.mode,
                        how.enclosing, how.follow_modifiers);
    // The target's own marks stay outside the parentheses: int *( *p)[2].
    prefix += p;
    if (n.empty()) {
        prefix += " (";
    } else {
        prefix += ' ';
        prefix += n;
        prefix += '(';
    }
    suffix += ')';
    suffix += s;
    return ok;
}

// The text between the brackets of an array.
std::string bound_of(const array_payload& array, int mode)
{
    if (!array.bound_text.empty()) {
        if (array.bound_text.find_first_not_of(" \t\r\n") == std::string::npos)
            return "100";
        return array.bound_text;
    }
    // The initialiser sizes the array: a brace list gives its count, a
    // string its length plus one, a constant its value. Its messages were
    // given when it was analysed, so this evaluation is silent.
    if (array.bound_value) {
        if (std::optional<std::string> bound = array_bound_of_value(*array.bound_value, nullptr, "", 0, nullptr))
            return *bound;
    }
    return mode == mode_value_holder ? "100" : "";
}

int print_pointer(const type_node* type, std::string& prefix, std::string& name_part, std::string& suffix,
                  const print_args& how)
{
    const pointer_payload* p = type->pointer();
    const type_node* pointee = p ? p->pointee : nullptr;
    if (how.mode == mode_value_holder) {
        if (is_signed_character(pointee)) {
            prefix += "char ";
            suffix += "[200]";
            return 1;
        }
        if (!keeps_pointer(type)) {
            // The variable holds the pointed-to value; a pointee that is a
            // pointer itself stays one, so that its address has the
            // parameter's type.
            print_args inner = how;
            const type_node* bare = strip_wrappers(pointee);
            if (bare && bare->kind == TK_POINTER)
                inner.mode = mode_test_variable;
            return print_type(pointee, prefix, name_part, suffix, inner.expand, inner.newline_text, inner.indent,
                              inner.inline_bodies, inner.mode, inner.enclosing, inner.follow_modifiers);
        }
    }
    print_args inner = how;
    if (inner.mode == mode_value_holder)
        inner.mode = mode_plain;
    // The pointee's own marks stand further from the name than this "*"
    // (const char *const *p), so they are printed first, on their own.
    const std::string outer_marks = std::exchange(name_part, std::string());
    int ok = print_target(pointee, prefix, name_part, suffix, inner);
    name_part += '*';
    if (type->modifiers && how.follow_modifiers) {
        append_chain(name_part, type->modifiers);
        name_part += ' ';
    }
    name_part += outer_marks;
    if (p && p->member_of) {
        prefix += ' ';
        print_qualified_name(prefix, p->member_of->tag_name(), p->member_of->scope_owner, "::", true);
        prefix += "::";
    }
    return ok;
}

int print_reference(const type_node* type, std::string& prefix, std::string& name_part, std::string& suffix,
                    const print_args& how)
{
    const reference_payload* r = type->reference();
    const type_node* referred = r ? r->referred : nullptr;
    if (is_test_variable_mode(how.mode)) {
        print_args inner = how;
        if (how.mode == mode_value_holder) {
            const type_node* bare = strip_wrappers(referred);
            if (bare && bare->kind == TK_POINTER && is_signed_character(bare->pointer()->pointee))
                inner.mode = mode_plain;
        }
        return print_type(referred, prefix, name_part, suffix, inner.expand, inner.newline_text, inner.indent,
                          inner.inline_bodies, inner.mode, inner.enclosing, inner.follow_modifiers);
    }
    const std::string outer_marks = std::exchange(name_part, std::string());
    int ok = print_target(referred, prefix, name_part, suffix, how);
    name_part += '&';
    name_part += outer_marks;
    return ok;
}

int print_array(const type_node* type, std::string& prefix, std::string& name_part, std::string& suffix,
                const print_args& how)
{
    const array_payload* a = type->array();
    suffix += '[';
    if (a)
        suffix += bound_of(*a, how.mode);
    else if (how.mode == mode_value_holder)
        suffix += "100";
    suffix += ']';
    if (!a || !a->element)
        return 1;
    return print_type(a->element, prefix, name_part, suffix, how.expand, how.newline_text, how.indent,
                      how.inline_bodies, how.mode, how.enclosing, how.follow_modifiers);
}

bool is_restrict(std::string_view word)
{
    return word == "restrict" || word == "__restrict" || word == "__restrict__";
}

int print_modifier(const type_node* type, std::string& prefix, std::string& name_part, std::string& suffix,
                   const print_args& how)
{
    const modifier_payload* m = type->modifier();
    int ok = 1;
    if (!m)
        return 1;
    // A test variable may hold the pointed-to value instead of the pointer,
    // where "restrict" would not compile; it promises nothing there anyway.
    const bool dropped = is_test_variable_mode(how.mode) && is_restrict(m->word);
    if (!m->composed) {
        if (!m->word.empty() && !dropped) {
            prefix += m->word;
            prefix += ' ';
        }
        ok = print_type(m->modified, prefix, name_part, suffix, how.expand, how.newline_text, how.indent,
                        how.inline_bodies, how.mode, how.enclosing, how.follow_modifiers);
    } else {
        ok = print_type(m->modified, prefix, name_part, suffix, how.expand, how.newline_text, how.indent,
                        how.inline_bodies, how.mode, how.enclosing, how.follow_modifiers);
        if (!m->word.empty() && !dropped) {
            if (!prefix.empty() && prefix.back() != ' ')
                prefix += ' ';
            prefix += name_part;
            name_part.clear();
            prefix += m->word;
        }
    }
    if (how.follow_modifiers)
        append_chain(prefix, type->modifiers);
    if (is_test_variable_mode(how.mode))
        cut_first_const(prefix);
    return ok;
}

int print_typedef(const type_node* type, std::string& prefix, const print_args& how)
{
    const typedef_payload* t = type->typedef_data();
    if (!t)
        return 1;
    const type_node* owner = type->scope_kind == owner_scope ? type->scope_owner : nullptr;
    // A file-level typedef seen from inside a class is written without a
    // leading "::", which C members could not compile.
    if (owner && owner != how.enclosing && !is_test_variable_mode(how.mode))
        print_qualified_name(prefix, t->name, owner, "::", true);
    else
        prefix += t->name;
    return 1;
}

} // namespace

const type_node* strip_wrappers(const type_node* type)
{
    for (int guard = 0; type && guard < 10000; ++guard) {
        if (const typedef_payload* t = type->typedef_data())
            type = t->target;
        else if (const modifier_payload* m = type->modifier())
            type = m->modified;
        else
            break;
    }
    return type;
}

bool is_signed_character(const type_node* type)
{
    const type_node* bare = strip_wrappers(type);
    const integral_payload* i = bare ? bare->integral() : nullptr;
    return i && i->is_character && i->size < 0;
}

const type_node* qualified_pointer(const type_node* type)
{
    for (int guard = 0; type && guard < 10000; ++guard) {
        const modifier_payload* m = type->modifier();
        if (!m)
            break;
        type = m->modified;
    }
    return type && type->kind == TK_POINTER ? type : nullptr;
}

bool keeps_pointer(const type_node* pointer)
{
    const pointer_payload* p = pointer ? pointer->pointer() : nullptr;
    if (!p)
        return false;
    if (is_signed_character(p->pointee))
        return true;
    const type_node* bare = strip_wrappers(p->pointee);
    if (!bare || bare->kind == TK_ARRAY || bare->kind == TK_FUNCTION || bare->kind == TK_VOID)
        return true;
    // An opaque record (sqlite3, FILE of some libraries) has no object to
    // hold: only its pointer can be declared.
    if (const struct_payload* s = bare->struct_data())
        return !s->is_definition();
    if (const union_payload* u = bare->union_data())
        return u->members.empty();
    return false;
}

std::string join_declarator(std::string_view prefix, std::string_view name_part, std::string_view name,
                            std::string_view suffix)
{
    std::string out(prefix);
    if (!out.empty() && out.back() != ' ' && (!name_part.empty() || !name.empty()))
        out += ' ';
    out += name_part;
    out += name;
    out += suffix;
    return out;
}

int print_type(const type_node* type, std::string& prefix, std::string& name_part, std::string& suffix,
               bool expand, std::string_view newline_text, int indent, bool inline_bodies, int mode,
               const type_node* enclosing, bool follow_modifiers)
{
    if (!type)
        return 1;
    const print_args how{expand, newline_text, indent, inline_bodies, mode, enclosing, follow_modifiers};
    switch (type->kind) {
    case TK_INTEGRAL:
    case TK_FLOATING:
        prefix += type->kind == TK_INTEGRAL ? (type->integral() ? type->integral()->name : std::string())
                                            : (type->floating() ? type->floating()->name : std::string());
        if (follow_modifiers)
            append_chain(prefix, type->modifiers);
        return 1;
    case TK_VOID:
        prefix += "void";
        if (follow_modifiers)
            append_chain(prefix, type->modifiers);
        return 1;
    case TK_TYPEDEF:
        return print_typedef(type, prefix, how);
    case TK_POINTER:
        return print_pointer(type, prefix, name_part, suffix, how);
    case TK_REFERENCE:
        return print_reference(type, prefix, name_part, suffix, how);
    case TK_ARRAY:
        return print_array(type, prefix, name_part, suffix, how);
    case TK_FUNCTION:
        return print_function_type(type, prefix, name_part, suffix, how);
    case TK_ELLIPSIS:
        prefix += type->ellipsis() && type->ellipsis()->follows_parameters ? ", ..." : "...";
        return 1;
    case TK_MODIFIER:
        return print_modifier(type, prefix, name_part, suffix, how);
    case TK_ENUM:
    case TK_UNION:
    case TK_STRUCT:
        return print_record(type, prefix, how);
    case TK_TEMPLATE:
        return print_template(type, prefix, how);
    case TK_TEMPLATE_INSTANCE:
        return print_template_instance(type, prefix, how);
    default:
        return 1;
    }
}
