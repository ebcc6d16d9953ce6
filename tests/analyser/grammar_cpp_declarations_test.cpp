// The declaration grammar on C++ (class bodies are in the class record
// tests): qualified definitions; namespaces (named, reopened, unnamed);
// using; class templates recorded with their body; references, operators
// and default arguments; the context class.
#include "grammar_fixture.h"

using grammar_cpp = grammar_test;

// One of an undeclared member is FUNCT_DEF.
TEST_F(grammar_cpp, qualified_definitions_complete_their_members)
{
    analyse("class A { public: A(); int f(int x); static int count; };\nA::A() : count_(0) { }\n"
            "int A::f(int y) { return y; }\nint A::count = 0;\nint A::g() { return 1; }\nint after;");
    EXPECT_EQ(located_reports(), texts{"5: W FUNCT_DEF A::g"});
    const scope_context inside{owner_scope, tag("A", TK_STRUCT)};
    EXPECT_EQ(type_of("f", inside)->function()->signature.is_definition, 1u);
    EXPECT_EQ(parameters(type_of("f", inside))[0]->parameter->name, "y");
    EXPECT_EQ(type_of("A", inside)->function()->signature.is_definition, 1u);
    EXPECT_EQ(sym("g", inside), nullptr);
    EXPECT_NE(sym("after"), nullptr);
}

TEST_F(grammar_cpp, second_body_reports_redefsymb_once)
{
    analyse("int f(void) { return 1; }\nint f(void) { return 2; }\n");
    EXPECT_EQ(report_lines(), texts{"W REDEFSYMB f"});
    EXPECT_EQ(symbol_names(), texts{"f"});
}

TEST_F(grammar_cpp, namespaces_named_reopened_and_unnamed)
{
    analyse("namespace N { int a; }\nnamespace N { int b; }\nnamespace { int c; }\nnamespace { int d; }\n");
    EXPECT_TRUE(reports().empty());
    type_node* n = tag("N", TK_STRUCT);
    EXPECT_EQ(n->struct_data()->declared_as, declared_as_namespace);
    const scope_context inside{owner_scope, n};
    EXPECT_EQ(sym("a", inside)->scope_owner, n);
    EXPECT_EQ(sym("b", inside)->scope_owner, n);
    type_node* first = tag("morva_unnamed_namespace_1", TK_STRUCT);
    type_node* second = tag("morva_unnamed_namespace_2", TK_STRUCT);
    EXPECT_EQ(first->unnamed, 1u);
    // Closed unnamed namespaces are used: their members are found from the file.
    EXPECT_EQ(table.used_namespaces, (std::vector<type_node*>{first, second}));
    EXPECT_EQ(sym("c")->scope_owner, first);
}

// A using without ";" stops the analysis.
TEST_F(grammar_cpp, using_declarations_and_directives)
{
    analyse("namespace geo { struct Point { int x; }; }\nusing namespace geo;\nusing geo::Point;\nPoint p;\n"
            "using std::x");
    EXPECT_EQ(report_lines(), texts{"W SYNTAXERR 'using' without ';'"});
    type_node* geo = tag("geo", TK_STRUCT);
    EXPECT_EQ(table.used_namespaces, (std::vector<type_node*>{geo}));
    ASSERT_EQ(table.using_declarations.size(), 1u);
    EXPECT_EQ(table.using_declarations[0].first, "geo");
    EXPECT_EQ(table.using_declarations[0].rest, ":: Point");
    EXPECT_EQ(type_of("p"), tag("Point", TK_STRUCT));
}

TEST_F(grammar_cpp, class_template_recorded_with_its_body)
{
    analyse("int before;\ntemplate <class T> class Stack { T items[10]; public: void push(T x); };\n"
            "template <class K, class V = int> struct Pair { K k; V v; };\n"
            "template <class T> T maximum(T a, T b) { return a > b ? a : b; }\nint after;\n");
    EXPECT_TRUE(reports().empty());
    // Name, keyword and body are printed back in the template scripts; the
    // place is where errors inside an instance are reported.
    const template_payload* t = tag("Stack", TK_TEMPLATE)->template_data();
    EXPECT_EQ(t->file, "t.c");
    EXPECT_EQ(t->line, 2u);
    EXPECT_NE(sym("after"), nullptr);
}

TEST_F(grammar_cpp, references_operators_and_default_arguments)
{
    analyse("struct V { int x; };\nV& pick(V& a, const V& b, int n = 3 * 2, ...);\n"
            "bool operator==(const V& l, const V& r);\n");
    EXPECT_TRUE(reports().empty());
    const type_node* pick = type_of("pick");
    EXPECT_EQ(returns(pick)->reference()->referred, tag("V", TK_STRUCT));
    ASSERT_EQ(parameters(pick).size(), 4u);
    EXPECT_EQ(parameters(pick)[2]->parameter->initialiser->printed(), "3*2");
    EXPECT_NE(sym("operator =="), nullptr);
}

TEST_F(grammar_cpp, context_class_is_the_outermost_scope)
{
    analyse_declarations("int helper(int);", table, "TestClass", "t.c", 1, record_report);
    const context_class* found = find_context_class(table, "TestClass");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(sym("helper", scope_context{owner_scope, found->owner})->scope_owner, found->owner);
    EXPECT_TRUE(table.frames.empty());
}
