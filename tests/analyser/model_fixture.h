// Test helpers: a table whose messages are recorded instead of printed, and
// short builders for the partial types the grammar would make (the grammar
// tests build on this fixture for their hand-made models).
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

using texts = std::vector<std::string>;

#include "analyser/scope_table.h"
#include "analyser/type_composition.h"

struct recorded_report {
    int kind;
    std::string code;
    std::string argument;
    std::string file;
    int line;
};

// The reporting callback is a plain function, so the records go to one list.
inline std::vector<recorded_report>& recorded_reports()
{
    static std::vector<recorded_report> reports;
    return reports;
}

inline void record_report(int kind, const char* code, const report_argument& argument, std::string_view file,
                          int line)
{
    recorded_reports().push_back({kind, code, argument.bytes(), std::string(file), line});
}

// Checks an integral type's name, signed size and character flag.
inline void expect_integral(type_node* t, std::string_view name, int size, unsigned character)
{
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->kind, TK_INTEGRAL);
    EXPECT_EQ(t->integral()->name, name);
    EXPECT_EQ(t->integral()->size, size);
    EXPECT_EQ(t->integral()->is_character, character);
}

class model_test : public ::testing::Test {
protected:
    analyser_session session;
    scope_table table;
    model_store& store = table.store;

    model_test()
    {
        table.session = &session;
        table.store.report = record_report;
        recorded_reports().clear();
    }

    std::vector<recorded_report>& reports() { return recorded_reports(); }

    // The reports, each as its kind letter, code and argument: "W CONSTRUCT int long".
    std::vector<std::string> report_lines() const
    {
        std::vector<std::string> lines;
        for (const recorded_report& r : recorded_reports())
            lines.push_back(std::string(1, "SFEWI"[r.kind]) + " " + r.code + " " + r.argument);
        return lines;
    }
    // The reports each after its line: "3: W TEMINSINC ".
    std::vector<std::string> located_reports() const
    {
        std::vector<std::string> lines = report_lines();
        for (std::size_t i = 0; i < lines.size(); ++i)
            lines[i] = std::to_string(recorded_reports()[i].line) + ": " + lines[i];
        return lines;
    }

    type_node* word(std::string_view w) { return create_specifier_type(store, w, file_scope, nullptr); }
    type_node* compose(type_node* first, type_node* second)
    {
        return CPP_compose_type(store, first, second, "t.c", 1);
    }
    type_node* pointer() { return create_type(store, TK_POINTER, nullptr, file_scope, nullptr); }
    type_node* pointer_to(type_node* t)
    {
        return create_type(store, TK_POINTER, make_pointer_payload(store, nullptr, t), file_scope, nullptr);
    }
    type_node* array(std::string_view bound = "")
    {
        return create_type(store, TK_ARRAY, make_array_payload(store, nullptr, bound, nullptr), file_scope, nullptr);
    }
    type_node* reference() { return create_type(store, TK_REFERENCE, nullptr, file_scope, nullptr); }
    type_node* modifier(std::string_view w)
    {
        return create_type(store, TK_MODIFIER, make_modifier_payload(store, w, nullptr, 0, 0), file_scope, nullptr);
    }
    type_node* modified(std::string_view w, type_node* t)
    {
        return create_type(store, TK_MODIFIER, make_modifier_payload(store, w, t, 1, 0), file_scope, nullptr);
    }
    type_node* ellipsis() { return create_type(store, TK_ELLIPSIS, make_ellipsis_payload(store, 0), file_scope, nullptr); }
    // A function type; each parameter an unnamed or named symbol of the given type.
    type_node* function(type_node* returns, std::vector<std::pair<std::string, type_node*>> parameters = {})
    {
        function_payload* f = make_function_payload(store, returns);
        for (auto& [name, type] : parameters)
            f->signature.parameters.push_back(
                make_parameter(store, make_symbol(store, name, type, file_scope, nullptr, 0, "", nullptr), nullptr));
        return create_type(store, TK_FUNCTION, f, file_scope, nullptr);
    }
    type_node* structure(std::string_view name, std::uint32_t declared_as = declared_as_struct)
    {
        return create_type(store, TK_STRUCT, make_struct_payload(store, name, declared_as), file_scope, nullptr);
    }
    type_node* enumeration(std::string_view name, std::vector<std::string> names)
    {
        enum_payload* e = make_enum_payload(store, name);
        for (auto& n : names)
            e->enumerators.push_back(make_enumerator(store, n, nullptr, pint_zero));
        return create_type(store, TK_ENUM, e, file_scope, nullptr);
    }
    type_node* typedef_of(std::string_view name, type_node* target)
    {
        return create_type(store, TK_TYPEDEF, make_typedef_payload(store, name, target), file_scope, nullptr);
    }
    // Declares a symbol at file scope, or as a member of owner.
    symbol_entry* declare_symbol(std::string_view name, type_node* type, std::uint32_t flags = 0,
                                 std::string_view file = "a.c", type_node* owner = nullptr)
    {
        symbol* s = make_symbol(store, name, type, owner ? owner_scope : file_scope, owner, flags, file, nullptr);
        return declare(make_entry(table, s), table, file, 7, false);
    }
    // Declares the record, enumeration or template as a tag of its own scope.
    symbol_entry* declare_tag(type_node* type, std::string_view file = "a.c")
    {
        symbol* s = make_symbol(store, "", type, type->scope_kind, type->scope_owner, 0, file, nullptr);
        return declare(make_entry(table, s), table, file, 7, false);
    }
    // Every symbol in walk order.
    std::vector<std::string> symbol_names()
    {
        std::vector<std::string> names;
        walk_symbols(table, [&](symbol_entry& e) { names.push_back(e.sym ? e.sym->name : "?"); });
        return names;
    }
    // Adds a member symbol of type t, owned by the record.
    symbol* add_member(type_node* record, std::string_view name, type_node* t)
    {
        symbol* s = make_symbol(store, name, t, owner_scope, record, 0, "t.c", nullptr);
        member_node* m = make_member(store, s, access_public);
        if (record->struct_data())
            record->struct_data()->members.push_back(m);
        else
            record->union_data()->members.push_back(m);
        return s;
    }
};
