// Class templates and their instances, analysed from texts: parameter lists
// with defaults, instance names, a second use finding the first instance,
// nested instances, bindings that fail (TEMINSINC), errors inside an
// instance's text (the analysis state comes back), runaway instantiation,
// function templates, printing, and the generator's re-analysis of an
// instance's member functions. Expected values are worked out by hand from
// the rules for instance names ("Box<int> " with its trailing blank, a
// value argument as a blank and its text).
#include <gtest/gtest.h>

#include "analyser/print_declaration.h"
#include "analyser/print_type.h"
#include "analyser/template_instance.h"
#include "grammar_fixture.h"

namespace {

// The target sizes belong to the run (pragmas of other tests may change
// them): the tests name the integral type only.
bool integral_named(const type_node* t, std::string_view name)
{
    return t && t->integral() && t->integral()->name == name;
}

class templates : public grammar_test {
protected:
    const struct_payload* record(std::string_view name)
    {
        type_node* t = tag(name, TK_STRUCT);
        return t ? t->struct_data() : nullptr;
    }
    // The member symbol of a record, by name.
    const symbol* member(std::string_view record_name, std::string_view name)
    {
        const struct_payload* s = record(record_name);
        for (const member_node* m : s ? s->members : std::vector<member_node*>{})
            if (m->member && m->member->name == name)
                return m->member;
        return nullptr;
    }
    const type_node* member_type(std::string_view record_name, std::string_view name)
    {
        const symbol* m = member(record_name, name);
        return m ? m->type : nullptr;
    }
    std::string printed_type(const type_node* type, bool expand = false)
    {
        std::string p, n, s;
        print_type(type, p, n, s, expand, "", 0, false, mode_plain, nullptr, true);
        return join_declarator(p, n, "", s);
    }
    bool state_is_clean()
    {
        return table.frames.empty() && table.bindings.empty() && table.instances_in_progress.empty();
    }
};

// A second use finds the first instance; the template lists its instances.
TEST_F(templates, instance_of_one_parameter_is_named_analysed_and_found_again)
{
    analyse("template <class T> class Box { public: T v; T get(); };\nBox<int> a;\nBox<int> b;\nBox<char> c;\n");
    EXPECT_TRUE(reports().empty());
    type_node* box = tag("Box<int> ", TK_STRUCT);
    ASSERT_NE(box, nullptr);
    const type_node* origin = tag("Box", TK_TEMPLATE);
    EXPECT_EQ(box->template_origin, origin);
    EXPECT_EQ(box->struct_data()->instantiation_state, 1u);
    EXPECT_EQ(box->struct_data()->declared_as, declared_as_class);
    EXPECT_EQ(box->scope_kind, file_scope);
    EXPECT_TRUE(integral_named(member_type("Box<int> ", "v"), "int"));
    EXPECT_EQ(member("Box<int> ", "v")->scope_owner, box);
    EXPECT_TRUE(integral_named(returns(member_type("Box<int> ", "get")), "int"));
    EXPECT_TRUE(state_is_clean());
    EXPECT_EQ(type_of("a"), box);
    EXPECT_EQ(type_of("b"), box);
    EXPECT_EQ(type_of("c"), tag("Box<char> ", TK_STRUCT));
    // Two instances in all: the second use made none.
    EXPECT_EQ(table.instances_analysed, 2u);
    const auto& instances = origin->template_data()->instance_items;
    ASSERT_EQ(instances.size(), 2u);
    EXPECT_EQ(instances[0]->type, box);
    EXPECT_EQ(instances[1]->type, tag("Box<char> ", TK_STRUCT));
}

// A parameter named like a class in scope is the parameter inside the body.
TEST_F(templates, value_parameters_bind_their_texts)
{
    analyse("struct T { int a; };\n"
            "template <int N, class T = char> class Arr { T items[N]; public: int size() const; };\n"
            "Arr<4> a4;\nArr<2+3, long> a5;\ntemplate <typename T, int N> struct Two { T items[N]; };\n"
            "Two<char, 2> two;\n");
    EXPECT_TRUE(reports().empty());
    const type_node* items = member_type("Arr< 4> ", "items");
    EXPECT_EQ(items->array()->bound_text, "4");
    EXPECT_TRUE(integral_named(element(items), "char"));
    EXPECT_EQ(member_type("Arr< 2+3, long> ", "items")->array()->bound_text, "2+3");
    EXPECT_TRUE(integral_named(element(member_type("Arr< 2+3, long> ", "items")), "long"));
    items = member_type("Two<char,  2> ", "items");
    EXPECT_TRUE(integral_named(element(items), "char"));
    EXPECT_EQ(items->array()->bound_text, "2");
    // The class T outside the templates is untouched.
    EXPECT_EQ(member_names(tag("T", TK_STRUCT)), texts{"a"});
}

TEST_F(templates, nested_instances_and_template_bases)
{
    analyse("template <class K, class V = K*> struct Pair { K k; V v; };\n"
            "template <class T> class Node { public: T value; Node<T>* next; };\n"
            "template <class T> class Derived : public Node<T> { public: int extra; };\n"
            "Pair<Pair<char>> pp;\nBox<int>* unknown;\nDerived<long> dl;\n");
    // The inner instance is made first and named inside the outer name; ">>"
    // closes both. Its missing argument took the default, made of the first.
    ASSERT_NE(record("Pair<char> "), nullptr);
    EXPECT_TRUE(integral_named(pointee(member_type("Pair<char> ", "v")), "char"));
    EXPECT_EQ(member_type("Pair<Pair<char> > ", "k"), tag("Pair<char> ", TK_STRUCT));
    // A template used inside its own body finds the instance being made.
    ASSERT_NE(record("Node<long> "), nullptr);
    EXPECT_EQ(pointee(member_type("Node<long> ", "next")), tag("Node<long> ", TK_STRUCT));
    const auto& bases = record("Derived<long> ")->bases;
    ASSERT_EQ(bases.size(), 1u);
    EXPECT_EQ(bases[0]->base, tag("Node<long> ", TK_STRUCT));
    EXPECT_TRUE(state_is_clean());
}

TEST_F(templates, error_inside_the_instance_text_restores_the_analysis_state)
{
    analyse("template <class T> class Bad {\n T x;\n int ;\n public: T f( };\n"
            "struct Outer { int first; Bad<int> member; int last; };\nint after;\n");
    ASSERT_FALSE(reports().empty());
    // The syntax error is reported in the template's text (file and lines).
    EXPECT_EQ(reports()[0].code, "SYNTAXERR");
    EXPECT_EQ(reports()[0].file, "t.c");
    EXPECT_GE(reports()[0].line, 1);
    EXPECT_LE(reports()[0].line, 4);
    // Outer's scope came back: its later member is its own, not the instance's.
    EXPECT_EQ(member_names(tag("Outer", TK_STRUCT)), (texts{"first", "member", "last"}));
    EXPECT_EQ(member("Bad<int> ", "last"), nullptr);
    EXPECT_EQ(sym("after")->scope_kind, file_scope);
    EXPECT_TRUE(state_is_clean());
}

// Ends inside a body; asks for ever deeper instances; branches into two.
TEST_F(templates, broken_and_runaway_instances_leave_the_outer_analysis_going)
{
    const struct {
        const char* text;
        std::size_t most_instances;
    } rows[] = {
        {"template <class T> class Open { T x; int y[ };\nOpen<char> o;\nint after;\n", instance_budget},
        {"template <class T> struct Grow { Grow<T*> deeper; T t; };\nGrow<int> o;\nint after;\n",
         instance_depth_limit},
        {"template <class T> struct Two { Two<T*> a; Two<T&> b; };\nTwo<int> o;\nint after;\n", instance_budget},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        init_table(table, nullptr);
        analyse(row.text);
        EXPECT_NE(sym("o"), nullptr);
        EXPECT_NE(sym("after"), nullptr);
        EXPECT_LE(table.instances_analysed, row.most_instances);
        EXPECT_TRUE(state_is_clean());
    }
}

TEST_F(templates, template_parameters_with_their_defaults)
{
    analyse("template <class K, typename V = int, int N = 8, class = char> struct P { };\n");
    EXPECT_TRUE(reports().empty());
    const type_node* p = tag("P", TK_TEMPLATE);
    EXPECT_EQ(p->template_data()->parameters.size(), 4u);
    EXPECT_EQ(printed_type(p), "template <class K, class V = int, int N = 8, class = char> struct P");
    EXPECT_EQ(printed_type(p, true), "template <class K, class V = int, int N = 8, class = char> struct P { }");
    // An instance binds the missing arguments to the defaults, a value to its text.
    analyse("P<long> pl;\n");
    EXPECT_TRUE(reports().empty());
    const auto& arguments = record("P<long> ")->template_arguments;
    ASSERT_EQ(arguments.size(), 4u);
    EXPECT_TRUE(integral_named(arguments[0]->type, "long"));
    EXPECT_TRUE(integral_named(arguments[1]->type, "int"));
    EXPECT_EQ(arguments[2]->value, "8");
    EXPECT_TRUE(integral_named(arguments[3]->type, "char"));
}

TEST_F(templates, function_template_is_attached_to_its_header)
{
    analyse("template <class T> T maximum(T a, T b) { return a > b ? a : b; }\n"
            "struct S { template <class U> void put(U u); int x; };\nint after;\n");
    EXPECT_TRUE(reports().empty());
    // A member template belongs to its class.
    type_node* s = tag("S", TK_STRUCT);
    const type_node* put = tag("put", TK_TEMPLATE, scope_context{owner_scope, s});
    ASSERT_NE(put, nullptr);
    EXPECT_EQ(put->scope_owner, s);
    EXPECT_NE(member("S", "x"), nullptr);
    EXPECT_TRUE(state_is_clean());
    // The function belongs to its template, not to the file (the template
    // scripts show it printed).
    const type_node* maximum = tag("maximum", TK_TEMPLATE);
    EXPECT_EQ(maximum->template_data()->function->scope_owner, maximum);
    EXPECT_EQ(sym("maximum"), nullptr);
    EXPECT_NE(sym("after"), nullptr);
}

// Found by the instantiation work: "T Box<T>::get()" read the template name
// after a complete type as the declared name.
TEST_F(templates, regression_template_name_after_a_type_keeps_its_arguments)
{
    analyse("template <class T> class Node { public: T value; T get(); };\n"
            "template <class T> T Node<T>::get() { return value; }\nint after;\n");
    EXPECT_TRUE(reports().empty());
    EXPECT_NE(sym("after"), nullptr);
}

TEST_F(templates, broken_function_template_is_templadec)
{
    analyse("template <class T> T broken(T a, ;\nint after;\n");
    EXPECT_EQ(report_lines(), texts{"W TEMPLADEC "});
    EXPECT_NE(sym("after"), nullptr);
    EXPECT_TRUE(state_is_clean());
    // So is a class template without a name.
    init_table(table, nullptr);
    reports().clear();
    analyse("template <class T> class { int x; };\nint after;");
    EXPECT_EQ(report_lines(), texts{"W TEMPLADEC "});
    EXPECT_NE(sym("after"), nullptr);
}

// Also: a constructor and a destructor take the template's name.
TEST_F(templates, instance_members_are_defined_again_with_empty_bodies)
{
    analyse("template <class T> class Box { public: Box(T x); ~Box(); T get() const;"
            " void set(T x) { v = x; } T v; };\nBox<short> b;\n");
    type_node* box = tag("Box<short> ", TK_STRUCT);
    EXPECT_TRUE(integral_named(parameters(member_type("Box<short> ", "Box"))[0]->parameter->type, "short"));
    EXPECT_EQ(analyse_instance_members(table, box, "tested.cpp", 1, record_report), 3);
    EXPECT_TRUE(reports().empty());
    for (const char* name : {"Box", "~Box", "get", "set"})
        EXPECT_EQ(member_type("Box<short> ", name)->function()->signature.is_definition, 1u) << name;
    EXPECT_EQ(member("Box<short> ", "get")->file, "tested.cpp");
    EXPECT_EQ(member("Box<short> ", "set")->file, "t.c");
    // No second symbol was made: each member keeps one entry.
    int gets = 0;
    walk_symbols(table, [&](symbol_entry& e) { gets += e.sym && e.sym->name == "get"; });
    EXPECT_EQ(gets, 1);
    EXPECT_TRUE(state_is_clean());
    // A record that is no instance is left alone.
    analyse("struct Plain { int f(); };\n");
    EXPECT_EQ(analyse_instance_members(table, tag("Plain", TK_STRUCT), "tested.cpp", 1, record_report), 0);
}

TEST_F(templates, explicit_specialisation_of_a_function_template)
{
    analyse("template <class T> T maximum(T a, T b) { return a > b ? a : b; }\n"
            "template <> int maximum<int>(int a, int b) { return a; }\n"
            "template <> int nothing<int>(int a);\nint after;\n");
    EXPECT_EQ(located_reports(), texts{"3: W TEMINSINC nothing"});
    const symbol* specialised = sym("maximum");
    EXPECT_EQ(specialised->type->template_origin, tag("maximum", TK_TEMPLATE));
    EXPECT_EQ(sym("nothing"), nullptr);
    EXPECT_NE(sym("after"), nullptr);
    EXPECT_TRUE(state_is_clean());
}

// A friend's returned class made from a template but still empty (as when
// it was named while its template's text was being analysed) is analysed
// when the befriending class closes; one whose name is in progress is not.
TEST_F(templates, friend_members_complete_the_instances_they_use)
{
    analyse("template <class T> struct Box { T v; };\n");
    type_node* empty = structure("Box<long> ");
    empty->template_origin = tag("Box", TK_TEMPLATE);
    empty->struct_data()->template_arguments.push_back(make_argument(store, nullptr, word("long"), ""));
    declare_tag(empty, "t.c");
    type_node* holder = structure("Holder", declared_as_class);
    add_member(holder, "make", function(empty))->specifier_flags = SF_FRIEND;

    table.instances_in_progress.push_back("Box<long> ");
    instantiate_member_templates(table, record_report, holder, "t.c", 5);
    EXPECT_TRUE(empty->struct_data()->members.empty());
    table.instances_in_progress.clear();

    instantiate_member_templates(table, record_report, holder, "t.c", 5);
    EXPECT_EQ(empty->struct_data()->instantiation_state, 1u);
    ASSERT_EQ(empty->struct_data()->members.size(), 1u);
    EXPECT_TRUE(integral_named(empty->struct_data()->members[0]->member->type, "long"));
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(state_is_clean());
}

// Found while checking scripts: an instance of a namespace's template was
// named without its namespace, which the compiler cannot find at file scope.
TEST_F(templates, regression_instance_of_a_namespace_template_is_qualified)
{
    analyse("namespace N { template <class T> struct In { T x; }; }\nN::In<int> ni;\n");
    EXPECT_TRUE(reports().empty());
    ASSERT_NE(record("N::In<int> "), nullptr);
    EXPECT_EQ(type_of("ni"), tag("N::In<int> ", TK_STRUCT));
    EXPECT_EQ(printed("ni"), "N::In<int> ni;");
}

// Fuzz finding: a text ending right after "class" in a template header
// turned the end of the text into an endless run of parameter keys.
TEST_F(templates, regression_text_ending_after_a_type_parameter_key)
{
    analyse("int a;\ntemplate <class");
    EXPECT_NE(sym("a"), nullptr);
    ASSERT_FALSE(reports().empty());
    EXPECT_EQ(reports().back().code, "UNEXP_EOF");
    EXPECT_TRUE(state_is_clean());
}

} // namespace
