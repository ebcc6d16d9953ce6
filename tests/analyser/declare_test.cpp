// The redeclaration rules of declare, rule by rule.
#include <algorithm>

#include "model_fixture.h"

namespace {

class declaring : public model_test {
protected:
    int count_symbols(std::string_view name)
    {
        const texts names = symbol_names();
        return static_cast<int>(std::count(names.begin(), names.end(), name));
    }
    int count_tags()
    {
        int n = 0;
        walk_tags(table, [&](symbol_entry&) { ++n; });
        return n;
    }
    std::vector<std::string> enumerator_names()
    {
        std::vector<std::string> names;
        walk_enumerators(table, [&](symbol_entry& e) { names.push_back(e.sym->name); });
        return names;
    }
    type_node* definition_of(type_node* returns, std::vector<std::pair<std::string, type_node*>> parameters,
                             std::string_view body)
    {
        type_node* f = function(returns, std::move(parameters));
        f->function()->signature.is_definition = 1;
        f->function()->signature.body = body;
        return f;
    }
};

using variable_rules = declaring;

// Two declarations of one name, int then short: how many symbols remain, whether the
// second lands on the first, which file, flags and type it keeps (a definition
// that follows takes over with its own type), what is reported.
TEST_F(variable_rules, RedeclarationsByStorageClassAndFile)
{
    struct {
        const char* what;
        std::uint32_t first_flags;
        const char* first_file;
        std::uint32_t second_flags;
        const char* second_file;
        int symbols;
        const char* file;          // the file the kept symbol names, when one
        std::uint32_t flags;       // and its flags
        const char* report = "";   // the code reported, if any
        const char* kept_type = "";  // the integral the kept symbol has, when checked
    } cases[] = {
        {"extern then definition", SF_EXTERN, "v.h", 0, "v.c", 1, "v.c", 0, "", "short"},
        {"extern twice", SF_EXTERN, "a.h", SF_EXTERN, "b.h", 1, "b.h", SF_EXTERN},
        {"extern then static", SF_EXTERN, "a.c", SF_STATIC, "a.c", 2, "", 0},
        {"plain then extern", 0, "a.c", SF_EXTERN, "b.h", 1, "a.c", 0},
        {"statics of two files", SF_STATIC, "a.c", SF_STATIC, "b.c", 2, "", 0},
        {"one static twice", SF_STATIC, "a.c", SF_STATIC, "a.c", 1, "a.c", SF_STATIC},
        {"plain then static of one file", 0, "a.c", SF_STATIC, "a.c", 1, "a.c", 0, "REDEFSYMB"},
        {"plain then static of another file", 0, "a.c", SF_STATIC, "b.c", 2, "", 0},
        {"two tentative definitions", 0, "a.c", 0, "b.c", 1, "b.c", 0, "", "short"},
    };
    int k = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reports().clear();
        const std::string v = std::string(1, 'v').append(std::to_string(++k)); // a name of its own per case
        symbol_entry* first = declare_symbol(v, word("int"), c.first_flags, c.first_file);
        symbol_entry* second = declare_symbol(v, word("short"), c.second_flags, c.second_file);
        EXPECT_EQ(count_symbols(v), c.symbols);
        if (c.symbols == 1) {
            EXPECT_EQ(second, first);
            EXPECT_EQ(first->sym->file, c.file);
            EXPECT_EQ(first->sym->specifier_flags, c.flags);
            if (*c.kept_type) {
                EXPECT_EQ(first->sym->type->integral()->name, c.kept_type);
            }
        }
        if (*c.report) {
            EXPECT_EQ(report_lines(), texts{std::string("W ").append(c.report).append(" ").append(v)});
        } else {
            EXPECT_TRUE(reports().empty());
        }
    }
}

using plain_rules = declaring;

// Silent with the same target; redefined with another. (A member named like
// a file-level symbol is a second symbol: see the class-context lookups.)
TEST_F(plain_rules, ATypedefRepeated)
{
    symbol_entry* first = declare_symbol("T", typedef_of("T", word("int")), SF_TYPEDEF, "a.h");
    EXPECT_EQ(declare_symbol("T", typedef_of("T", word("int")), SF_TYPEDEF, "b.h"), first);
    EXPECT_EQ(first->sym->file, "a.h");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(declare_symbol("T", typedef_of("T", word("char")), SF_TYPEDEF, "b.h"), first);
    EXPECT_EQ(count_symbols("T"), 1);
    EXPECT_EQ(report_lines(), texts{"W REDEFSYMB T"});
    EXPECT_EQ(first->sym->file, "b.h");
    EXPECT_EQ(strip_typedefs(first->sym->type)->integral()->name, "char");
}

using function_rules = declaring;

TEST_F(function_rules, APrototypeAfterTheDefinitionKeepsTheBodyAndStaticsStayApart)
{
    type_node* def = definition_of(word("int"), {}, "{ return 1; }");
    symbol_entry* first = declare_symbol("f", def, 0, "f.c");
    EXPECT_EQ(declare_symbol("f", function(word("int"), {{"", word("void")}}), 0, "f.c"), first);
    EXPECT_EQ(first->sym->type, def);
    EXPECT_EQ(first->sym->type->function()->signature.body, "{ return 1; }");
    // Static functions of two files are two symbols.
    type_node* a = definition_of(word("int"), {}, "{ return 1; }");
    type_node* b = definition_of(word("int"), {}, "{ return 2; }");
    symbol_entry* in_a = declare_symbol("helper", a, SF_STATIC, "a.c");
    symbol_entry* in_b = declare_symbol("helper", b, SF_STATIC, "b.c");
    EXPECT_NE(in_b, in_a);
    EXPECT_EQ(count_symbols("helper"), 2);
    EXPECT_EQ(in_a->sym->type, a);
    EXPECT_EQ(in_b->sym->file, "b.c");
}

// A void list matches empty parentheses; lists of different length are an
// internal error.
TEST_F(function_rules, ParameterListsOfDifferentLength)
{
    CPP_modify_param_name(table, function(word("int"), {{"", word("void")}}), function(word("int")), "f.c", 3);
    CPP_modify_param_name(table, function(word("int")), function(word("int"), {{"", word("void")}}), "f.c", 3);
    EXPECT_TRUE(reports().empty());
    CPP_modify_param_name(table, function(word("int"), {{"", word("int")}}), function(word("int")), "f.c", 3);
    EXPECT_EQ(report_lines(), texts{"S ERRINTERN CPP_modify_param_name"});
}

using record_rules = declaring;

// A declaration after the definition is dropped, for a record as for an
// enumeration; a second record definition replaces the first silently.
TEST_F(record_rules, ADeclarationAfterTheDefinitionIsDropped)
{
    type_node* definition = structure("S");
    add_member(definition, "x", word("int"));
    symbol_entry* first = declare_tag(definition);
    EXPECT_EQ(declare_tag(structure("S")), first);
    EXPECT_EQ(definition->struct_data()->member_count(), 1u);
    type_node* second_definition = structure("S");
    add_member(second_definition, "y", word("int"));
    add_member(second_definition, "z", word("int"));
    EXPECT_EQ(declare_tag(second_definition), first);
    EXPECT_EQ(definition->struct_data()->member_count(), 2u);
    EXPECT_EQ(definition->struct_data()->members[0]->member->name, "y");
    type_node* defined = enumeration("E", {"A"});
    first = declare_tag(defined);
    EXPECT_EQ(declare_tag(enumeration("E", {})), first);
    EXPECT_EQ(defined->enumeration()->enumerator_count(), 1u);
    EXPECT_EQ(count_tags(), 2);
    EXPECT_TRUE(reports().empty());
}

using enum_rules = declaring;

TEST_F(enum_rules, EnumeratorsAreEnteredInTheEnumsScope)
{
    type_node* c = structure("C");
    type_node* e = create_type(store, TK_ENUM, make_enum_payload(store, "E"), owner_scope, c);
    e->enumeration()->enumerators.push_back(make_enumerator(store, "FIRST", nullptr, pint_zero));
    e->enumeration()->enumerators.push_back(make_enumerator(store, "SECOND", nullptr, pint_one));
    symbol_entry* tag = declare_tag(e);
    EXPECT_NE(tag->defined_seq, 0u);
    symbol_entry* second = find_enumerator("SECOND", table, {owner_scope, c});
    EXPECT_EQ(second->sym->type, e);
    EXPECT_EQ(second->sym->scope_owner, c);
    EXPECT_EQ(find_enumerator("SECOND", table, {}), nullptr);
}

// A forward enumeration is completed in place without message; the same
// enumeration defined twice is redefined and kept once.
TEST_F(enum_rules, ForwardCompletedAndTwiceDefined)
{
    type_node* forward = enumeration("E", {});
    symbol_entry* first = declare_tag(forward);
    EXPECT_NE(first->declared_seq, 0u);
    EXPECT_EQ(declare_tag(enumeration("E", {"ONLY"})), first);
    EXPECT_EQ(forward->enumeration()->enumerator_count(), 1u);
    EXPECT_NE(first->defined_seq, 0u);
    EXPECT_TRUE(reports().empty());
    first = declare_tag(enumeration("F", {"A", "B"}));
    EXPECT_EQ(declare_tag(enumeration("F", {"A", "B"})), first);
    EXPECT_EQ(count_tags(), 2);
    EXPECT_EQ(report_lines(), texts{"W REDEFSTRU F"});
    // In bucket order: ONLY 24, A 51, B 61.
    EXPECT_EQ(enumerator_names(), (texts{"ONLY", "A", "B"}));
}

using template_rules = declaring;

TEST_F(template_rules, ASecondBodyIsRedefinedInPlace)
{
    auto make = [&](std::string_view body) {
        return create_type(store, TK_TEMPLATE, make_template_payload(store, "Box", 0, body, 1, "b.h"), file_scope,
                           nullptr);
    };
    type_node* declared = make("");
    symbol_entry* first = declare_tag(declared);
    EXPECT_EQ(declare_tag(make("{ int a; }")), first);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(declare_tag(make("")), first);
    EXPECT_EQ(declared->template_data()->body, "{ int a; }");
    EXPECT_EQ(declare_tag(make("{ int b; }")), first);
    EXPECT_EQ(report_lines(), texts{"W REDEFSYMB Box"});
    EXPECT_EQ(declared->template_data()->body, "{ int b; }");
}

using chains = declaring;

TEST_F(chains, NamelessDeclarationsThatAreNoTagsDoNotMeet)
{
    symbol_entry* first = declare_symbol("", word("int"), 0, "a.c");
    symbol_entry* second = declare_symbol("", word("char"), 0, "a.c");
    EXPECT_NE(first, second);
    EXPECT_EQ(first->sym->type->integral()->name, "int");
    EXPECT_EQ(count_symbols(""), 2);
    // Force enters without the rules.
    declare_symbol("v", word("int"), 0, "a.c");
    symbol_entry* again = make_entry(table, make_symbol(store, "v", word("int"), 0, nullptr, 0, "a.c", nullptr));
    EXPECT_EQ(declare(again, table, "a.c", 1, true), again);
    EXPECT_EQ(count_symbols("v"), 2);
}

} // namespace
