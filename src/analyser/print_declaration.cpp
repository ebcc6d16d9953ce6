// print_declaration: a non-function symbol is its type around its name;
// a function symbol gives the text of the mode (return variable, call,
// prototype, stub prototype, object pointer, creation, deletion). Calls
// pass a pointer parameter's address when the test variable holds the
// pointed-to value, which keeps calls and mode-7 declarations in step.
#include "analyser/print_declaration.h"

#include "analyser/print_name.h"
#include "analyser/print_parts.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"
#include "diag/report.h"

namespace {

const type_node* owner_of(const symbol* sym)
{
    return sym->scope_kind == owner_scope ? sym->scope_owner : nullptr;
}

// The return type's text as it stands before a name: prefix and name part.
struct returned {
    std::string prefix, name_part, suffix;
    std::string text() const { return name_part.empty() ? prefix : join_declarator(prefix, name_part, "", ""); }
};

returned print_returned(const function_payload* f, int mode, const type_node* enclosing)
{
    returned r;
    print_type(f->return_type, r.prefix, r.name_part, r.suffix, false, "", 0, false, mode, enclosing, true);
    return r;
}

bool passes_address(const type_node* type)
{
    const type_node* pointer = qualified_pointer(type);
    return pointer && !keeps_pointer(pointer);
}

std::string argument_list(const function_payload* f, const std::vector<std::string>* names)
{
    std::string text;
    bool first = true;
    const auto& parameters = f->signature.parameters;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const symbol* parameter = parameters[i] ? parameters[i]->parameter : nullptr;
        if (!parameter)
            continue;
        // A call cannot pass "...": the variable part gets no argument.
        if (parameter->type && parameter->type->kind == TK_ELLIPSIS)
            continue;
        std::string name = parameter->name;
        if (names && i < names->size() && !(*names)[i].empty())
            name = (*names)[i];
        if (name.empty())
            continue;
        if (!first)
            text += ", ";
        if (passes_address(parameter->type))
            text += '&';
        text += name;
        first = false;
    }
    return text;
}

// A stub parameter: one pointer level removed, with its direction word.
std::string stub_parameter(const symbol* parameter, std::size_t count, std::string_view function_name)
{
    const type_node* type = parameter->type;
    if (type && type->kind == TK_ELLIPSIS)
        return "...";
    std::string p, n, s;
    bool pointer_to_value = false;
    const pointer_payload* pointer = type ? type->pointer() : nullptr;
    if (pointer) {
        const type_node* pointee = strip_wrappers(pointer->pointee);
        if (pointee && pointee->kind == TK_VOID) {
            print_type(type, p, n, s, false, "", 0, false, mode_plain, nullptr, true);
        } else if (is_signed_character(pointer->pointee)) {
            p = "char";
            s = "[200]";
            pointer_to_value = true;
        } else {
            print_type(pointer->pointee, p, n, s, false, "", 0, false, mode_plain, nullptr, true);
            pointer_to_value = true;
        }
    } else {
        print_type(type, p, n, s, false, "", 0, false, mode_plain, nullptr, true);
    }
    std::string text = p;
    if (!parameter->name.empty()) {
        text += ' ';
        if (!n.empty()) {
            text += n;
            text += ' ';
        }
        text += pointer_to_value ? "_inout" : "_in";
        text += ' ';
        text += parameter->name;
    } else if (count > 1) {
        report_at(kind_warning, "NOMPARINC", function_name, "", 0);
    }
    text += s;
    return text;
}

void print_stub_prototype(const symbol* sym, const function_payload* f, std::string& out)
{
    const returned r = print_returned(f, mode_plain, nullptr);
    std::string name;
    print_qualified_name(name, sym->name, owner_of(sym), "::", true);
    std::string parameters;
    const auto& list = f->signature.parameters;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i] || !list[i]->parameter)
            continue;
        if (i)
            parameters += ", ";
        parameters += stub_parameter(list[i]->parameter, list.size(), sym->name);
    }
    out += join_declarator(r.prefix, r.name_part, name, "(" + parameters + ");");
}

// The object pointer of a constructor or destructor is named after the
// member alone (pt_A, pt_destructor_A): each service declares its own.
std::string identifier_of(const symbol* sym)
{
    return operator_identifier(sym->name);
}

std::string class_name_of(const symbol* sym, std::string_view object)
{
    if (!object.empty())
        return std::string(object);
    std::string name;
    if (const type_node* owner = owner_of(sym))
        print_qualified_name(name, owner->tag_name(), owner->scope_kind == owner_scope ? owner->scope_owner : nullptr,
                             "::", true);
    return name;
}

void print_function(const symbol* sym, const function_payload* f, std::string& out, std::string_view name, int mode,
                    std::string_view object, const std::vector<std::string>* names)
{
    switch (mode) {
    case mode_test_variable: {
        const returned r = print_returned(f, mode_test_variable, nullptr);
        if (r.text() == "void")
            return;
        out += join_declarator(r.prefix, r.name_part, "ret_" + std::string(name), r.suffix) + ";";
        return;
    }
    case mode_call: {
        const returned r = print_returned(f, mode_plain, nullptr);
        if (r.text() != "void") {
            out += "ret_";
            out += name;
            out += " = ";
        }
        if (!object.empty()) {
            out += object;
            out += '.';
        }
        out += sym->name;
        out += '(';
        out += argument_list(f, names);
        out += ");";
        return;
    }
    case mode_creation:
        out += "pt_" + identifier_of(sym) + " = new " + class_name_of(sym, object);
        if (!f->signature.parameters.empty())
            out += "(" + argument_list(f, names) + ")";
        out += ';';
        return;
    case mode_object_pointer: {
        std::string class_name = class_name_of(sym, object);
        if (class_name.empty()) {
            class_name = sym->name;
            if (class_name.starts_with('~'))
                class_name.erase(0, 1);
        }
        out += class_name + " *pt_" + identifier_of(sym) + ";";
        return;
    }
    case mode_deletion:
        out += "delete pt_" + identifier_of(sym) + ";";
        return;
    case mode_stub:
        print_stub_prototype(sym, f, out);
        return;
    default: {
        std::string p, n, s;
        print_type(sym->type, p, n, s, false, "", 0, false, mode_plain, owner_of(sym), true);
        out += join_declarator(p, n, sym->name, s) + ";";
        return;
    }
    }
}

} // namespace

void print_declaration(const symbol* sym, std::string& out, std::string_view name, int mode, bool expand,
                       std::string_view newline_text, std::string_view object,
                       const std::vector<std::string>* argument_names)
{
    if (!sym)
        return;
    const type_node* type = sym->type;
    const std::string_view own_name = name.empty() ? std::string_view(sym->name) : name;
    if (!type) {
        out += own_name;
        out += ';';
        return;
    }
    if (const function_payload* f = type->function()) {
        print_function(sym, f, out, name, mode, object, argument_names);
        return;
    }
    const bool test_variable = mode == mode_test_variable || mode == mode_value_holder;
    const type_node* enclosing = test_variable ? nullptr : owner_of(sym);
    std::string p, n, s;
    if (const typedef_payload* t = type->typedef_data(); t && t->name == sym->name) {
        print_type(t->target, p, n, s, false, newline_text, 0, false, mode, enclosing, true);
        out += "typedef " + join_declarator(p, n, own_name, s) + ";";
        return;
    }
    print_type(type, p, n, s, expand, newline_text, 0, false, mode, enclosing, true);
    out += join_declarator(p, n, own_name, s) + ";";
}

void print_declaration_with_storage(const symbol* sym, std::string& out, std::string_view name, int mode,
                                    bool expand, bool with_storage, std::string_view prefix, std::string_view object)
{
    out.assign(prefix);
    if (sym && with_storage) {
        static constexpr std::pair<std::uint32_t, std::string_view> words[] = {
            {SF_EXTERN, "extern "}, {SF_STATIC, "static "}, {SF_AUTO, "auto "},
            {SF_REGISTER, "register "}, {SF_EXPORT, "export "}, {SF_MUTABLE, "mutable "}};
        for (const auto& [bit, word] : words)
            if (sym->specifier_flags & bit)
                out.assign(word);
    }
    print_declaration(sym, out, name, mode, expand, "", object);
}
