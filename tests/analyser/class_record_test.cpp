// Class records analysed from C++ text: record codes and forward uses, the
// scope of friend classes, members in declaration order (nested types,
// typedefs, bit-fields, statics, pure functions, constructors, destructors,
// operators), overloads, friend functions declared again at file scope,
// access declarations with their two warnings, and the printed class body
// compiled by g++.
#include <cstdlib>

#include "analyser/class_record.h"
#include "analyser/print_declaration.h"
#include "analyser/print_type.h"
#include "grammar_fixture.h"
#include "test_support/temp_folder.h"

using class_records = grammar_test;

TEST_F(class_records, forward_use_is_completed_in_place)
{
    analyse("class Node; Node* head; class Node { public: Node* next; int value; };");
    EXPECT_TRUE(reports().empty());
    type_node* node = tag("Node", TK_STRUCT);
    EXPECT_EQ(pointee(type_of("head")), node);
    EXPECT_EQ(member_names(node), (texts{"<label>", "next", "value"}));
    // The definition was copied over the forward node: its members belong to it.
    EXPECT_EQ(pointee(node->struct_data()->members[1]->member->type), node);
    EXPECT_EQ(node->struct_data()->members[1]->member->scope_owner, node);
}

TEST_F(class_records, friend_class_belongs_to_the_scope_of_the_befriending_class)
{
    analyse("namespace N { class A { friend class F; int x; }; }\nclass G { friend class Known; };\nclass Known;");
    EXPECT_TRUE(reports().empty());
    type_node* n = tag("N", TK_STRUCT);
    type_node* a = tag("A", TK_STRUCT, {owner_scope, n});
    type_node* f = tag("F", TK_STRUCT, {owner_scope, n});
    EXPECT_EQ(f->scope_owner, n); // not A: a friend names a class of the enclosing scope
    const auto& members = a->struct_data()->members;
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0]->member->type, f);
    EXPECT_EQ(members[0]->member->specifier_flags, static_cast<std::uint32_t>(SF_FRIEND));
    // The friend bit does not leak to the next member.
    EXPECT_EQ(members[1]->member->specifier_flags, 0u);
    // A friend class at file level is a file-level class; a later forward
    // declaration finds it.
    EXPECT_EQ(tag("Known", TK_STRUCT)->scope_owner, nullptr);
}

// A class is private until a label; a label member has the access it opens.
TEST_F(class_records, members_in_declaration_order_with_their_kinds)
{
    analyse("class W {\n    int hidden;\npublic:\n    struct In { int a; };\n    typedef int T;\n"
            "    unsigned flags : 3;\n    static int count;\n    virtual void draw() = 0;\n    W(int n);\n"
            "    virtual ~W();\n    int sides() const { return n; }\nprotected:\n    W& operator=(const W& o);\n"
            "    int operator[](int i) const;\n    enum E { e1, e2 };\n    In inner;\n};\n");
    EXPECT_TRUE(reports().empty());
    type_node* w = tag("W", TK_STRUCT);
    EXPECT_EQ(member_names(w), (texts{"hidden", "<label>", "<type>", "T", "flags", "count", "draw", "W", "~W",
                                      "sides", "<label>", "operator =", "operator []", "<type>", "inner"}));
    const auto& m = w->struct_data()->members;
    std::vector<int> accesses;
    for (const member_node* member : m)
        accesses.push_back(member->access);
    const int pub = access_public, prot = access_protected;
    EXPECT_EQ(accesses, (std::vector<int>{access_private, pub, pub, pub, pub, pub, pub, pub, pub, pub, prot, prot,
                                          prot, prot, prot}));
    type_node* in = tag("In", TK_STRUCT, {owner_scope, w});
    EXPECT_EQ(m[2]->member->type, in);
    // Widths, static, virtual, pure and const members show in the printed
    // classes below.
    EXPECT_EQ(m[3]->member->specifier_flags, static_cast<std::uint32_t>(SF_TYPEDEF));
    const function_signature& sides = m[9]->member->type->function()->signature;
    EXPECT_EQ(sides.is_definition, 1u);
    EXPECT_EQ(sides.body, "{ return n; }");
    // The class refers to itself inside its body.
    EXPECT_EQ(returns(m[11]->member->type)->reference()->referred, w);
    EXPECT_EQ(m[14]->member->type, in);
}

TEST_F(class_records, overloads_are_separate_and_compatible_signatures_merge)
{
    analyse("int f(int a);\nint f(double d);\nint f(int x) { return x; }\n"
            "struct A { int g(int); int g(char*); };\n"
            "int A::g(int a) { return a; }\nint A::g(char* s) { return 0; }\n");
    EXPECT_TRUE(reports().empty());
    // The definition gives the first its parameter names.
    texts file_level;
    walk_symbols(table, [&](symbol_entry& e) {
        if (e.sym && e.sym->name == "f")
            file_level.push_back(parameters(e.sym->type)[0]->parameter->name +
                                 (e.sym->type->function()->signature.is_definition ? " defined" : ""));
    });
    EXPECT_EQ(file_level, (texts{"x defined", "d"}));
    type_node* a = tag("A", TK_STRUCT);
    ASSERT_EQ(member_names(a), (texts{"g", "g"}));
    for (const member_node* m : a->struct_data()->members)
        EXPECT_EQ(m->member->type->function()->signature.is_definition, 1u);
}

TEST_F(class_records, friend_function_is_declared_again_at_file_scope)
{
    analyse("class A { friend int peek(A& a); int v; };\nint peek(A& a) { return 0; }\n");
    EXPECT_TRUE(reports().empty());
    symbol* peek = sym("peek");
    EXPECT_EQ(peek->scope_owner, nullptr);
    EXPECT_EQ(peek->specifier_flags & SF_FRIEND, 0u);
    // The definition met the copy (the scripts serve it once).
    EXPECT_EQ(peek->type->function()->signature.is_definition, 1u);
    // The member itself stays a friend member of A.
    const member_node* member = tag("A", TK_STRUCT)->struct_data()->members[0];
    EXPECT_EQ(member->member->specifier_flags, static_cast<std::uint32_t>(SF_FRIEND));
}

TEST_F(class_records, access_declaration_names_a_missing_member)
{
    analyse("class B { public: int x; };\nclass D : private B {\npublic:\n  B::x;\n  B::z;\n};\n");
    // The second without file and line.
    EXPECT_EQ(located_reports(), (texts{"5: W CHAMPINCO z", "0: W MODACCINC B::z"}));
    EXPECT_EQ(reports()[1].file, "");
    type_node* d = tag("D", TK_STRUCT);
    EXPECT_EQ(member_names(d), (texts{"<label>", "B::x", "B::z"}));
    const auto& m = d->struct_data()->members;
    EXPECT_EQ(m[1]->access_declaration, 1u);
    EXPECT_EQ(m[1]->access, access_public);
    EXPECT_EQ(m[1]->member->type, nullptr);
    // The declaration stands for the inherited x, which leaves the list.
    EXPECT_TRUE(d->struct_data()->inherited.empty());
    // Of a class not derived from.
    init_table(table, nullptr);
    reports().clear();
    analyse("class B { public: int b; };\nclass C { public: int c; };\nclass D : public B { protected: C::c; };\n");
    EXPECT_EQ(report_lines(), texts{"W MODACCINC C::c"});
    const auto& inherited = tag("D", TK_STRUCT)->struct_data()->inherited;
    ASSERT_EQ(inherited.size(), 1u);
    EXPECT_EQ(inherited[0]->member->name, "b");
}

namespace {

std::string printed_record(const type_node* record)
{
    std::string p, n, s;
    print_type(record, p, n, s, true, "", 0, false, 0, nullptr, true);
    return p + n + s + ";";
}

// g++ -fsyntax-only on text; the compiler's output on failure.
std::string compile_errors(const std::string& text)
{
    temp_folder dir("classes");
    const std::string source = dir.write("unit.cpp", text);
    const std::string log = dir / "log.txt";
    const std::string command = "g++ -std=c++17 -fsyntax-only " + source + " > " + log + " 2>&1";
    if (std::system(command.c_str()) == 0)
        return "";
    std::ifstream in(log);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()) + "\n" + text;
}

} // namespace

// A union or enumeration declared alone in a class body used to be dropped
// from the members, so the printed class lost it. Access declarations are
// deprecated C++ but still compiled.
TEST_F(class_records, printed_classes_compile)
{
    analyse("class B { public: int x; int y; };\n"
            "class D : private B {\n  friend class F;\npublic:\n  struct In { int a; };\n  B::x;\n"
            "  unsigned bits : 2;\n  virtual int area() const = 0;\n  friend int peek(D& d);\n};\n"
            "struct S {\n  union { int i; float f; };\n  enum E { e1, e2 };\n  E kind;\n  static int made;\n"
            "  bool operator<(const S& o) const;\n};\n");
    EXPECT_TRUE(reports().empty());
    const std::string d = printed_record(tag("D", TK_STRUCT));
    EXPECT_EQ(d, "class D : private B {\n\tclass F;\n\t  public:\n\tstruct In {\n\t\tint a;\n\t};\n\tB::x;\n"
                 "\tunsigned bits\t: 2;\n\tvirtual int area() const\t= 0;\n\tfriend int peek(class D &d);\n};");
    const std::string s = printed_record(tag("S", TK_STRUCT));
    // An enumeration's "{" follows its name directly.
    EXPECT_EQ(s, "struct S {\n\tunion {\n\t\tint i;\n\t\tfloat f;\n\t};\n\tenum E{\n\t\te1,\n\t\te2\n\t};\n"
                 "\tenum E kind;\n\tstatic int made;\n\tbool operator <(const struct S &o) const;\n};");
    const std::string b = printed_record(tag("B", TK_STRUCT));
    EXPECT_EQ(compile_errors("class F;\n" + b + "\n" + d + "\n" + s + "\n"), "");
}

// A definition in a namespace of a name that an outer record already has
// used to reopen the outer record; a refused union body then took the outer
// record's tag with it.
TEST_F(class_records, definitions_in_a_namespace_and_qualified_names)
{
    analyse("union U;\nstruct S { int a; };\nstruct B { int b; };\n"
            "namespace N { struct S { int inner; }; union U : B { int u; }; }\n");
    EXPECT_EQ(report_lines(), texts{"W SYNTAXERR <union>::<type>"});
    type_node* n = tag("N", TK_STRUCT);
    type_node* outer = tag("S", TK_STRUCT);
    type_node* inner = tag("S", TK_STRUCT, {owner_scope, n});
    EXPECT_NE(inner, outer);
    EXPECT_EQ(inner->scope_owner, n);
    EXPECT_EQ(member_names(outer), texts{"a"});
    EXPECT_EQ(member_names(inner), texts{"inner"});
    type_node* u = tag("U", TK_UNION);
    EXPECT_EQ(u->scope_owner, nullptr);
    EXPECT_TRUE(u->union_data()->members.empty());
    // A qualified member name outside its class must name a member.
    init_table(table, nullptr);
    reports().clear();
    analyse("class A { static int count; };\nnamespace N { extern int n; }\n"
            "int A::count = 0;\nint A::missing = 1;\nint N::n = 2;\nint N::absent = 3;\n");
    EXPECT_EQ(located_reports(), (texts{"4: W CHAMPINCO missing", "6: W CHAMPINCO absent"}));
    EXPECT_EQ(sym("missing"), nullptr);
}

// "explicit A(int)" used to read A as a type and stop at "(int".
TEST_F(class_records, explicit_and_inline_constructors_keep_their_declarators)
{
    analyse("class A {\npublic:\n  explicit A(int n);\n  explicit A(double d) : v(d) { }\n"
            "  explicit operator bool() const;\n  double v;\n};\n");
    EXPECT_TRUE(reports().empty());
    type_node* a = tag("A", TK_STRUCT);
    ASSERT_EQ(member_names(a), (texts{"<label>", "A", "A", "operator bool", "v"}));
    const auto& m = a->struct_data()->members;
    EXPECT_EQ(m[1]->member->specifier_flags, static_cast<std::uint32_t>(SF_FUNCTION_EXTRA));
    EXPECT_EQ(m[2]->member->type->function()->signature.is_definition, 1u);
    EXPECT_EQ(parameters(m[2]->member->type)[0]->parameter->name, "d");
    // "inline A::A() { }" used to read A::A as a type and stop at "()".
    init_table(table, nullptr);
    reports().clear();
    analyse("class A { public: A(); ~A(); A* self(); };\ninline A::A() { }\ninline A::~A() { }\n"
            "inline A* A::self() { return this; }\n");
    EXPECT_TRUE(reports().empty());
    for (const member_node* member : tag("A", TK_STRUCT)->struct_data()->members)
        if (member->member) {
            EXPECT_EQ(member->member->type->function()->signature.is_definition, 1u) << member->member->name;
        }
}

// These words used to stop the member's declaration with "SYNTAXERR", and
// "class A final { }" became a function named final.
TEST_F(class_records, override_final_noexcept_and_rvalue_references)
{
    analyse("class B { public: virtual void f() const; virtual ~B() noexcept; };\n"
            "class A final : public B { public: void f() const override; void g() noexcept; void h() final; };\n"
            "int final;\n");
    EXPECT_TRUE(reports().empty());
    type_node* a = tag("A", TK_STRUCT);
    EXPECT_EQ(member_names(a), (texts{"<label>", "f", "g", "h"}));
    EXPECT_EQ(a->struct_data()->bases.size(), 1u);
    EXPECT_NE(sym("final"), nullptr); // a variable may still be named so
    // "A(A&& o)" used to stop at "&&": a reference to an rvalue is a reference.
    init_table(table, nullptr);
    reports().clear();
    analyse("class A { public: A(A&& o); A& operator=(A&& o); };\nvoid take(int&& n);\n");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("take"), "void take(int &n);");
    EXPECT_EQ(member_names(tag("A", TK_STRUCT)), (texts{"<label>", "A", "operator ="}));
}
