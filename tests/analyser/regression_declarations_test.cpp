// Declarations of real C and C++ that once broke the analysis, at the level
// of the table: the paths the end-to-end regression scripts do not reach
// (initialisers after a comma-declared tag name, explicit instances that
// name no function template, throw specifications, recovery from a broken
// qualified head, long pointer chains). Expectations are written from the
// source text.
#include "grammar_fixture.h"

using regression_declarations = grammar_test;

// "struct s {...} *p, s;" was a syntax error after the comma and lost s;
// the tag's name may also take an initialiser there.
TEST_F(regression_declarations, tag_name_after_a_comma_takes_an_initialiser)
{
    analyse("struct u { int a; } q, u = { 1 }, r;\nint after;");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("u"), "struct u u;");
    EXPECT_NE(sym("u")->initialiser, nullptr);
    EXPECT_EQ(printed("r"), "struct u r;");
    EXPECT_EQ(printed("after"), "int after;");
}

// "template int twice<int>(int);" was a syntax error that left twice an int
// variable. Extern instances, instances of a member and instances of a
// name that is no function template are read too.
TEST_F(regression_declarations, explicit_instances)
{
    analyse("template <class T> T twice(T x) { return x + x; }\n"
            "extern template double twice(double);\n"
            "template <class T> class Box { public: T v; T get() { return v; } };\n"
            "extern template class Box<char>;\n"
            "template int Box<char>::get();\n"
            "int after;\n");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("twice"), "double twice(double);");
    EXPECT_EQ(type_of("twice")->template_origin, tag("twice", TK_TEMPLATE));
    type_node* box = tag("Box<char> ", TK_STRUCT);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->struct_data()->instantiation_state, 1u);
    EXPECT_EQ(sym("get"), nullptr);
    EXPECT_EQ(printed("after"), "int after;");
    analyse("int plain(int);\ntemplate int plain<int>(int);\nint later;\n");
    EXPECT_EQ(report_lines(), texts{"W TEMINSINC plain"});
    EXPECT_EQ(printed("later"), "int later;");
}

// throw(...) lets everything pass, as no throw list does; a name that
// starts with noexcept is still a name.
TEST_F(regression_declarations, throw_specifications)
{
    analyse("int noexcept_flag;\nvoid any(int) throw(...);\nvoid none(void) throw();\n"
            "void some(int) throw(int, char);\nint f(int a) noexcept ( false );\n");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("any"), "void any(int);");
    EXPECT_EQ(printed("none"), "void none(void) throw ();");
    EXPECT_EQ(printed("some"), "void some(int) throw (int, char);");
    EXPECT_EQ(printed("f"), "int f(int a);");
    EXPECT_EQ(printed("noexcept_flag"), "int noexcept_flag;");
}

// A qualified head with a base completes the class in its namespace; a body
// that fails leaves no qualifier scope open behind it.
TEST_F(regression_declarations, qualified_heads_with_a_base_and_broken)
{
    analyse("struct B { int b; };\nnamespace N { struct S; }\nstruct N::S : B { int x; };\nN::S object;\n");
    EXPECT_TRUE(reports().empty());
    symbol_entry* s = find_tag("S", table, TK_STRUCT, {owner_scope, tag("N", TK_STRUCT)});
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->sym->type->struct_data()->bases.size(), 1u);
    EXPECT_EQ(type_of("object"), s->sym->type);
    analyse("namespace M { struct S; }\nstruct M::S { int x ) }\n");
    EXPECT_FALSE(reports().empty());
    EXPECT_TRUE(table.frames.empty());
    analyse("int after;\n");
    EXPECT_EQ(sym("after")->scope_owner, nullptr);
}

// Redeclared typedefs of long pointer chains were compared in time that
// doubled with every pointer of the chain.
TEST_F(regression_declarations, redeclared_typedef_of_a_long_pointer_chain)
{
    const std::string stars(60, '*');
    analyse("typedef const struct s " + stars + "p;\ntypedef const struct s " + stars + "p;\n" +
            "typedef struct s " + stars + "p;\nint after;\n");
    ASSERT_NE(sym("after"), nullptr);
    ASSERT_NE(sym("p"), nullptr);
}

// An underlying type after ":" gave SYNTAXERR: it is read and dropped, the
// enumerators keep their values; a bit-field of a named type still works.
TEST_F(regression_declarations, enumeration_with_an_underlying_type)
{
    analyse("enum class Mode : unsigned char { Off, On };\nMode m;\n"
            "enum E : int { A, B = 4 };\nenum : long { Loose } lv;\ntypedef unsigned short u16;\n"
            "enum W : u16 { Wide };\nW w;\nstruct S { enum E f : 3; };\nint after;\n");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("m"), "enum Mode m;");
    EXPECT_EQ(expanded("E", TK_ENUM), "enum E{\n\tA,\n\tB = 4\n};");
    ASSERT_NE(type_of("lv"), nullptr);
    ASSERT_NE(type_of("lv")->enumeration(), nullptr);
    EXPECT_EQ(type_of("lv")->enumeration()->enumerators.size(), 1u);
    EXPECT_EQ(printed("w"), "enum W w;");
    EXPECT_EQ(printed("after"), "int after;");
}

// "using name = type;" gave SYNTAXERR at file scope, in a namespace and in a
// class: it now declares what "typedef type name;" declares. A using
// declaration and a comparison after "using" are left as they were.
TEST_F(regression_declarations, alias_declarations_are_typedefs)
{
    analyse("using word = unsigned int;\nword w;\nusing fn = int (*)(int);\nfn f;\n"
            "namespace ns { using byte = unsigned char; byte b; }\n"
            "struct S { using size = long; size n; };\nint after;\n");
    EXPECT_TRUE(reports().empty());
    ASSERT_NE(type_of("word"), nullptr);
    EXPECT_EQ(type_of("word")->kind, TK_TYPEDEF);
    EXPECT_EQ(printed("word"), "typedef unsigned int word;");
    EXPECT_EQ(printed("w"), "word w;");
    EXPECT_EQ(printed("fn"), "typedef int ( *fn)(int);");
    EXPECT_EQ(printed("f"), "fn f;");
    type_node* ns = tag("ns", TK_STRUCT);
    ASSERT_NE(ns, nullptr);
    EXPECT_EQ(printed("byte", {owner_scope, ns}), "typedef unsigned char byte;");
    EXPECT_EQ(printed("b", {owner_scope, ns}), "byte b;");
    type_node* s = tag("S", TK_STRUCT);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(member_names(s), (std::vector<std::string>{"size", "n"}));
    EXPECT_EQ(printed("after"), "int after;");
    analyse("namespace q { int v; }\nusing q::v;\nusing namespace q;\nint later;\n");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("later"), "int later;");
}

// "constexpr" gave SYNTAXERR: an object is const (each declarator of a list
// on its own), a function prints as if the word were not there.
TEST_F(regression_declarations, constexpr_objects_are_const_and_functions_plain)
{
    analyse("constexpr int k = 4;\nconstexpr int a = 1, b = 2;\n"
            "struct S { static constexpr int n = 3; };\n"
            "constexpr int sq(int x) { return x * x; }\nconstexpr long twice(long);\nint after;\n");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("k"), "const int k;");
    EXPECT_EQ(printed("a"), "const int a;");
    EXPECT_EQ(printed("b"), "const int b;");
    EXPECT_EQ(printed("n", {owner_scope, tag("S", TK_STRUCT)}), "const int n;");
    EXPECT_TRUE(sym("n", {owner_scope, tag("S", TK_STRUCT)})->specifier_flags & SF_STATIC);
    EXPECT_EQ(printed("sq"), "int sq(int x);");
    EXPECT_EQ(printed("twice"), "long twice(long);");
    EXPECT_EQ(printed("after"), "int after;");
}

// "namespace a::b {" gave SYNTAXERR: it opens the same namespaces as the
// nested form, which later reopens them, and closes them all at its brace.
TEST_F(regression_declarations, nested_namespace_definition)
{
    analyse("namespace a::b { int x; }\nnamespace a::b::c { int y; }\n"
            "namespace a { namespace b { int z; } }\nint after;\n");
    EXPECT_TRUE(reports().empty());
    type_node* a = tag("a", TK_STRUCT);
    ASSERT_NE(a, nullptr);
    symbol_entry* b = find_tag("b", table, TK_STRUCT, {owner_scope, a});
    ASSERT_NE(b, nullptr);
    symbol_entry* c = find_tag("c", table, TK_STRUCT, {owner_scope, b->sym->type});
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(printed("x", {owner_scope, b->sym->type}), "int x;");
    EXPECT_EQ(printed("z", {owner_scope, b->sym->type}), "int z;");
    EXPECT_EQ(printed("y", {owner_scope, c->sym->type}), "int y;");
    ASSERT_NE(sym("after"), nullptr);
    EXPECT_EQ(sym("after")->scope_owner, nullptr);
}
