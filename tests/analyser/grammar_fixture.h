// Test helpers for the declaration grammar: the model fixture's table and
// recorded messages, and short lookups of what the analysis left in the
// table.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyser/analyse_declarations.h"
#include "analyser/print_declaration.h"
#include "analyser/print_type.h"
#include "model_fixture.h"

class grammar_test : public model_test {
protected:
    void analyse(std::string_view text, std::string_view file = "t.c")
    {
        analyse_declarations(text, table, "", file, 1, record_report);
    }
    symbol_entry* entry(std::string_view name, scope_context where = {})
    {
        return find_symbol(name, table, where);
    }
    symbol* sym(std::string_view name, scope_context where = {})
    {
        symbol_entry* e = entry(name, where);
        return e ? e->sym : nullptr;
    }
    type_node* type_of(std::string_view name, scope_context where = {})
    {
        symbol* s = sym(name, where);
        return s ? s->type : nullptr;
    }
    type_node* tag(std::string_view name, type_kind kind, scope_context where = {})
    {
        symbol_entry* e = find_tag(name, table, kind, where);
        return e && e->sym ? e->sym->type : nullptr;
    }

    // Each named symbol's initialiser as printed.
    texts initialisers(std::initializer_list<const char*> names)
    {
        texts out;
        for (const char* name : names)
            out.push_back(sym(name) && sym(name)->initialiser ? sym(name)->initialiser->printed() : "?");
        return out;
    }

    // The symbol's declaration printed back as C (functions as prototypes):
    // the shape of its type in one line.
    std::string printed(std::string_view name, scope_context where = {})
    {
        std::string out;
        const symbol* s = sym(name, where);
        if (s)
            print_declaration(s, out, "", s->type && s->type->function() ? mode_prototype : mode_plain, false, "");
        return out;
    }

    // The tag's declaration with its body, as C.
    std::string expanded(std::string_view name, type_kind kind)
    {
        std::string out;
        symbol_entry* e = find_tag(name, table, kind, {});
        if (e)
            print_declaration(e->sym, out, "", mode_plain, true, "");
        return out;
    }

};

// A record's members in order: "<label>" for an access label, "<type>" for
// a nested type declared alone.
inline std::vector<std::string> member_names(const type_node* record)
{
    std::vector<std::string> names;
    for (const member_node* m : record->struct_data()->members)
        names.push_back(!m->member ? "<label>" : m->member->name.empty() ? "<type>" : m->member->name);
    return names;
}

// Short checks of a type's shape.
inline bool is_integral(const type_node* t, std::string_view name, int size)
{
    return t && t->integral() && t->integral()->name == name && t->integral()->size == size;
}

inline type_node* pointee(const type_node* t)
{
    return t && t->pointer() ? t->pointer()->pointee : nullptr;
}

inline type_node* element(const type_node* t)
{
    return t && t->array() ? t->array()->element : nullptr;
}

inline type_node* returns(const type_node* t)
{
    return t && t->function() ? t->function()->return_type : nullptr;
}

inline type_node* under_modifier(const type_node* t)
{
    return t && t->modifier() ? t->modifier()->modified : nullptr;
}

inline const std::vector<parameter_node*>& parameters(const type_node* t)
{
    static const std::vector<parameter_node*> none;
    return t && t->function() ? t->function()->signature.parameters : none;
}
