// Function types: the return type carries the prefix and the name part;
// the parameter list, the trailing modifier and the throw list go into the
// suffix before whatever the return type put there (the ")(...)" of a
// returned pointer to function belongs after our own parameters).
#include <string>

#include "analyser/print_parts.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"

std::string parameter_text(const symbol* parameter, const print_args& how)
{
    if (!parameter)
        return {};
    const type_node* type = parameter->type;
    std::string p, n, s;
    print_type(type, p, n, s, false, how.newline_text, how.indent, false, how.mode, how.enclosing,
               how.follow_modifiers);
    if (type && type->kind == TK_ELLIPSIS)
        return p;
    std::string text = join_declarator(p, n, parameter->name, s);
    // A nameless parameter ends with its type's blank ("class "): no blank before " = ".
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (parameter->initialiser) {
        text += " = ";
        parameter->initialiser->print_to(text);
    }
    return text;
}

std::string parameter_list_text(const type_node* function, const print_args& how)
{
    const function_payload* f = function ? function->function() : nullptr;
    if (!f)
        return {};
    print_args inner = how;
    inner.mode = how.mode == mode_template ? mode_template : mode_plain;
    inner.expand = false;
    std::string text;
    bool first = true;
    for (const parameter_node* node : f->signature.parameters) {
        const symbol* parameter = node ? node->parameter : nullptr;
        const bool ellipsis = parameter && parameter->type && parameter->type->kind == TK_ELLIPSIS;
        if (!first && !ellipsis)
            text += ", ";
        text += parameter_text(parameter, inner);
        first = false;
    }
    return text;
}

int print_function_type(const type_node* type, std::string& prefix, std::string& name_part, std::string& suffix,
                        const print_args& how)
{
    const function_payload* f = type->function();
    if (!f)
        return 1;
    std::string returned_suffix;
    int ok = print_type(f->return_type, prefix, name_part, returned_suffix, false, how.newline_text, how.indent,
                        false, how.mode, how.enclosing, how.follow_modifiers);
    suffix += '(';
    suffix += parameter_list_text(type, how);
    suffix += ')';
    if (const type_node* trailing = f->signature.trailing_modifier) {
        if (const modifier_payload* m = trailing->modifier(); m && !m->word.empty()) {
            suffix += ' ';
            suffix += m->word;
        }
    }
    if (f->signature.has_exception_specification) {
        suffix += " throw (";
        bool first = true;
        for (const type_node* exception : f->signature.exceptions) {
            if (!first)
                suffix += ", ";
            std::string p, n, s;
            print_type(exception, p, n, s, false, how.newline_text, how.indent, false, mode_plain, how.enclosing,
                       how.follow_modifiers);
            suffix += join_declarator(p, n, "", s);
            first = false;
        }
        suffix += ')';
    }
    if (how.inline_bodies && f->signature.is_definition) {
        if (!f->signature.initialisers.empty()) {
            suffix += " : ";
            bool first = true;
            for (const member_initialiser& init : f->signature.initialisers) {
                if (!first)
                    suffix += ", ";
                suffix += init.name;
                suffix += '(';
                for (std::size_t i = 0; i < init.arguments.size(); ++i) {
                    if (i)
                        suffix += ", ";
                    suffix += init.arguments[i];
                }
                suffix += ')';
                first = false;
            }
        }
        suffix += '\n';
        suffix += how.newline_text;
        suffix.append(static_cast<std::size_t>(how.indent > 0 ? how.indent : 0), '\t');
        if (f->signature.body.empty())
            suffix += "{}";
        else
            suffix += f->signature.body;
    }
    suffix += returned_suffix;
    return ok;
}
