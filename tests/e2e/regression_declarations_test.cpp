// The installed morvastart on declarations of real C and C++ that once
// broke the analysis: each run must now be clean, and the script must carry
// what the source declares. The expected lines are written by hand from the
// rules of the environments (symbol bucket order: rows by the sum of the
// name's character codes modulo 10, then the name's length modulo 10) and
// of the service blocks; the native lines must pass gcc or g++
// -fsyntax-only.
#include <gtest/gtest.h>

#include "native_lines.h"
#include "run_tool.h"
#include "script_layout.h"

namespace {

std::string var(const std::string& keyword, const std::string& name, const std::string& value,
                const std::string& indent = "    ")
{
    return indent + keyword + " " + name + ",\t\tinit = " + value + ",\t\tev = init";
}

std::string object_pointer(const std::string& keyword, const std::string& name, const std::string& value)
{
    return "    " + keyword + " *" + name + ",\t\tinit == ,\t\tev = " + value;
}

// One service block (English): declarations without their "#", the
// environment's lines as written, the element's native lines.
struct block {
    std::string name;
    lines parameters;
    std::string returned;
    std::string instance;
    lines variables;
    lines calls;
};

lines service(const block& b)
{
    lines out = {"", separator, "-- Declaration of the service " + b.name, separator, "SERVICE " + b.name,
                 "SERVICE_TYPE extern", ""};
    if (!b.parameters.empty()) {
        out.push_back("    -- Tested service parameters declarations");
        for (const std::string& p : b.parameters)
            out.push_back("    #" + p);
    }
    if (!b.returned.empty())
        out = out + lines{"    -- By function returned type declaration", "    #" + b.returned, ""};
    else
        out.push_back("");
    if (!b.instance.empty())
        out = out + lines{"    -- class instance declarations", "    #" + b.instance, ""};
    if (!b.variables.empty()) {
        out.push_back("    ENVIRONMENT ENV_" + b.name);
        out = out + b.variables;
        out = out + lines{"    END ENVIRONMENT -- ENV_" + b.name, "    USE ENV_" + b.name, ""};
    }
    out = out + lines{"    TEST 1", "    FAMILY nominal", "", "        ELEMENT"};
    for (const std::string& c : b.calls)
        out.push_back("        #" + c);
    return out + lines{"        END ELEMENT", "", "    END TEST -- TEST 1", "", "END SERVICE -- " + b.name, ""};
}

lines services(const std::vector<block>& blocks)
{
    lines out = title("-- SERVICES DECLARATIONS");
    for (const block& b : blocks)
        out = out + service(b);
    return out;
}

// The environment of a file: name is the base name and suffix joined by "_".
lines environment(const std::string& name, const lines& variables)
{
    return lines{"ENVIRONMENT ENV_" + name} + variables +
           lines{"END ENVIRONMENT -- ENV_" + name, "USE ENV_" + name, ""};
}

struct RegressionDeclarations : testing::Test {
    std::string dir;
    void SetUp() override
    {
        dir = scratch_dir(std::string("regression_declarations_") +
                          testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    // Runs morvastart on source (written as file) and expects a clean run.
    std::string generate(const std::string& file, const std::string& source)
    {
        write_file(dir + "/" + file, source);
        const std::string script = file.substr(0, file.find('.')) + ".ptu";
        const tool_result r = run_tool("morvastart", {file, script}, {}, dir);
        EXPECT_EQ(r.err, banner_lines() + clean_summary);
        EXPECT_EQ(r.status, 0);
        return masked(read_file(dir + "/" + script));
    }
    static std::string services_part(const std::string& text)
    {
        const std::size_t at = text.find(joined(title("-- SERVICES DECLARATIONS")));
        return at == std::string::npos ? text : text.substr(at);
    }
    void expect_compiles(const std::string& text, bool cplusplus)
    {
        const compile_result r = compile_native_lines(text, dir, cplusplus);
        EXPECT_TRUE(r.ok) << r.messages;
    }
};

bool contains(const std::string& text, const lines& fragment)
{
    return text.find(joined(fragment)) != std::string::npos;
}

// "struct s {...} *p, s;" gave SYNTAXERR and lost s.
TEST_F(RegressionDeclarations, TagNameDeclaredAgainAfterAComma)
{
    const std::string text = generate("tag_name.c", "struct s { int a; } *p, s;\n"
                                                    "int use1(void) { return s.a + p->a; }\n");
    EXPECT_TRUE(contains(text, {"    #struct s {", "    #\tint a;", "    #};", "    #extern struct s *p;",
                                "    #extern struct s s;", "    #extern int use1(void);"}))
        << text;
    // p: row 112 % 10 = 2, s: row 115 % 10 = 5.
    EXPECT_TRUE(contains(text, environment("tag_name_c", {var("VAR", "p", "NIL", "  "),
                                                          var("STRUCTURE", "s", "{ a => 0 }", "  ")})))
        << text;
    expect_compiles(text, false);
}

TEST_F(RegressionDeclarations, TagNameFirstAndTypedefOfTheSameName)
{
    const std::string text = generate("tag_first.c", "struct s { int a; } s, *p;\n"
                                                     "typedef struct t t;\n"
                                                     "struct t { int b; };\n"
                                                     "t tv, *tp;\n");
    // Rows: p 112 -> 2, tv 234 -> 4, s 115 -> 5, tp 228 -> 8.
    EXPECT_TRUE(contains(text, environment("tag_first_c", {var("VAR", "p", "NIL", "  "),
                                                           var("STRUCTURE", "tv", "{ b => 0 }", "  "),
                                                           var("STRUCTURE", "s", "{ a => 0 }", "  "),
                                                           var("VAR", "tp", "NIL", "  ")})))
        << text;
    expect_compiles(text, false);
}

// A pointer to an opaque record stays a pointer in the parameter's
// declaration, and its variable line holds that pointer: NIL, where it read
// STRUCTURE h with "{  }" before. A pointer to a complete record still
// declares the record itself.
TEST_F(RegressionDeclarations, OpaqueRecordParameterHoldsItsPointer)
{
    const std::string text = generate("opaque.c", "typedef struct sq sq;\n"
                                                  "struct full { int x; };\n"
                                                  "int use(sq *h, struct full *f) { return h != 0 && f != 0; }\n");
    EXPECT_EQ(services_part(text),
              joined(services({{"use",
                                {"struct sq *h;", "struct full f;"},
                                "int ret_use;",
                                "",
                                {var("VAR", "h", "NIL"), var("STRUCTURE", "f", "{ x => 0 }"),
                                 var("VAR", "ret_use", "0")},
                                {"ret_use = use(h, &f);"}}})));
    expect_compiles(text, false);
}

// A pointer parameter qualified itself (int *const c) was declared as its
// pointee but kept the pointer's NIL and was passed without "&": the call
// did not compile. It now follows the rule of a bare pointer; the leading
// blank of " int d;" is the first "const" cut from the start of the prefix.
TEST_F(RegressionDeclarations, QualifiedPointerParametersHoldTheirPointee)
{
    const std::string text = generate("qualified.c", "int take(int *const c, const int *const d, char *const e,\n"
                                                     "         void *const h) { return *c + *d + !e + !h; }\n");
    EXPECT_EQ(services_part(text),
              joined(services({{"take",
                                {"int c;", " int d;", "char e[200];", "void * h;"},
                                "int ret_take;",
                                "",
                                {var("VAR", "c", "0"), var("VAR", "d", "0"), var("VAR", "e", "\"\""),
                                 var("VAR", "h", "0"), var("VAR", "ret_take", "0")},
                                {"ret_take = take(&c, &d, e, h);"}}})));
    expect_compiles(text, false);
}

// "template int twice<int>(int);" gave SYNTAXERR, then "extern int twice;"
// and a VAR line for twice. The function instance has no body: no service,
// no variable.
TEST_F(RegressionDeclarations, ExplicitFunctionInstanceDeclaresNoVariable)
{
    const std::string text = generate("instances.cpp", "template <class T> T twice(T x) { return x + x; }\n"
                                                       "template int twice<int>(int);\n"
                                                       "extern template long twice<long>(long);\n"
                                                       "int g;\n");
    EXPECT_TRUE(contains(text, environment("instances_cpp", {var("VAR", "g", "0", "  ")}))) << text;
    EXPECT_EQ(text.find("twice,"), std::string::npos) << text;
    EXPECT_EQ(text.find("extern int twice;"), std::string::npos) << text;
    EXPECT_EQ(services_part(text), joined(title("-- SERVICES DECLARATIONS")));
    expect_compiles(text, true);
}

// "template class Box<int>;" makes the instance as a use does: its member
// function gets a service on an object of the instance.
TEST_F(RegressionDeclarations, ExplicitClassInstanceGetsMemberServices)
{
    const std::string text = generate("box.cpp", "template <class T> class Box { public: T v; T get() { return v; } };\n"
                                                 "template class Box<int>;\n");
    EXPECT_EQ(services_part(text),
              joined(services({{"Box_int__get",
                                {},
                                "int ret_Box_int__get;",
                                "Box<int> Box_int__instance;",
                                {var("VAR", "ret_Box_int__get", "0"),
                                 var("STRUCTURE", "Box_int__instance", "{ v => 0 }")},
                                {"ret_Box_int__get = Box_int__instance.get();"}}})));
    expect_compiles(text, true);
}

// "A(int x) noexcept(true) : v(x) {}" gave SYNTAXERR and the rest of the
// class was lost.
TEST_F(RegressionDeclarations, NoexceptWithAConditionKeepsTheClass)
{
    const std::string text = generate("noexcept.cpp", "class A {\n"
                                                      "public:\n"
                                                      "    A() noexcept : v(0) {}\n"
                                                      "    A(int x) noexcept(true) : v(x) {}\n"
                                                      "    int get() const noexcept(sizeof(int) > 2) { return v; }\n"
                                                      "    int v;\n"
                                                      "};\n");
    EXPECT_TRUE(contains(text, {"    #class A {", "    #\t  public:", "    #\tA();", "    #\tA(int x);", "    #\tint get() const;",
                                "    #\tint v;", "    #};"}))
        << text;
    EXPECT_EQ(services_part(text),
              joined(services({
                  {"A_A", {}, "A *pt_A;", "", {object_pointer("STRUCTURE", "pt_A", "{ v => 0 }")}, {"pt_A = new A;"}},
                  {"A_A_2", {"int x;"}, "A *pt_A;", "",
                   {var("VAR", "x", "0"), object_pointer("STRUCTURE", "pt_A", "{ v => 0 }")},
                   {"pt_A = new A(x);"}},
                  {"A_get", {}, "int ret_A_get;", "A A_instance;",
                   {var("VAR", "ret_A_get", "0"), var("STRUCTURE", "A_instance", "{ v => 0 }")},
                   {"ret_A_get = A_instance.get();"}},
              })));
    expect_compiles(text, true);
}

// "class A::In {...}" gave SYNTAXERR at "A::" and a service "get" on no
// object. Tag rows: In (73 + 110) % 10 = 3 before A 65 % 10 = 5; A's nested
// In is then already written.
TEST_F(RegressionDeclarations, QualifiedClassHeadGivesNestedMemberServices)
{
    const std::string text = generate("nested.cpp", "class A { public: class In; int v; };\n"
                                                    "class A::In { public: int w; int get() { return w; } };\n");
    EXPECT_EQ(services_part(text),
              joined(services({{"A_In_get",
                                {},
                                "int ret_A_In_get;",
                                "A::In A_In_instance;",
                                {var("VAR", "ret_A_In_get", "0"), var("STRUCTURE", "A_In_instance", "{ w => 0 }")},
                                {"ret_A_In_get = A_In_instance.get();"}}})));
    expect_compiles(text, true);
}

TEST_F(RegressionDeclarations, QualifiedStructHeadOfANamespace)
{
    const std::string text = generate("spaced.cpp", "namespace N { struct S; }\n"
                                                    "struct N::S { int x; int twice() { return 2 * x; } };\n");
    EXPECT_EQ(services_part(text),
              joined(services({{"N_S_twice",
                                {},
                                "int ret_N_S_twice;",
                                "N::S N_S_instance;",
                                {var("VAR", "ret_N_S_twice", "0"), var("STRUCTURE", "N_S_instance", "{ x => 0 }")},
                                {"ret_N_S_twice = N_S_instance.twice();"}}})));
    expect_compiles(text, true);
}

} // namespace

namespace {

// Inside a namespace the explicit instance was written as a prototype of
// its own, "int twice(int);", which declares a plain function beside the
// template. The template's declaration stands for its instances.
TEST_F(RegressionDeclarations, ExplicitInstancesInANamespace)
{
    const std::string text = generate("spaced_instances.cpp",
                                      "namespace N {\n"
                                      "template <class T> T twice(T x) { return x + x; }\n"
                                      "template int twice<int>(int);\n"
                                      "template <class T> struct Box { T v; T get() { return v; } };\n"
                                      "}\n"
                                      "template struct N::Box<short>;\n");
    EXPECT_TRUE(contains(text, {"    #namespace N {", "    #template <class T> T twice(T x);",
                                "    #template <class T> struct Box { T v; T get() { return v; } };", "    #}"}))
        << text;
    EXPECT_EQ(text.find("int twice(int);"), std::string::npos) << text;
    // The instance is named after the template's qualified name,
    // "N::Box<short> "; in identifier form ':', '<' and '>' become "_" and
    // the blank goes: N__Box_short_, then "_" and the member.
    EXPECT_EQ(services_part(text),
              joined(services({{"N__Box_short__get",
                                {},
                                "short ret_N__Box_short__get;",
                                "N::Box<short> N__Box_short__instance;",
                                {var("VAR", "ret_N__Box_short__get", "0"),
                                 var("STRUCTURE", "N__Box_short__instance", "{ v => 0 }")},
                                {"ret_N__Box_short__get = N__Box_short__instance.get();"}}})));
    expect_compiles(text, true);
}

} // namespace

namespace {

// Inheriting constructors and a using declaration of a base member give no
// message and no member of the derived class. Tag rows: D 68 -> 8 before
// Base (66 + 97 + 115 + 101) -> 9.
TEST_F(RegressionDeclarations, UsingDeclarationsInAClassAddNoMember)
{
    const std::string text = generate("inheriting.cpp", "class Base {\n"
                                                        "public:\n"
                                                        "    Base() : v(0) {}\n"
                                                        "    Base(int b) : v(b) {}\n"
                                                        "    int f(int x) { return x + v; }\n"
                                                        "    int v;\n"
                                                        "};\n"
                                                        "class D : public Base {\n"
                                                        "public:\n"
                                                        "    using Base::Base;\n"
                                                        "    using Base::f;\n"
                                                        "    int g() { return f(1); }\n"
                                                        "};\n");
    const std::string value = "{ v => 0 }";
    EXPECT_EQ(services_part(text),
              joined(services({
                  {"D_g", {}, "int ret_D_g;", "D D_instance;",
                   {var("VAR", "ret_D_g", "0"), var("STRUCTURE", "D_instance", value)}, {"ret_D_g = D_instance.g();"}},
                  {"Base_Base", {}, "Base *pt_Base;", "", {object_pointer("STRUCTURE", "pt_Base", value)},
                   {"pt_Base = new Base;"}},
                  {"Base_Base_2", {"int b;"}, "Base *pt_Base;", "",
                   {var("VAR", "b", "0"), object_pointer("STRUCTURE", "pt_Base", value)}, {"pt_Base = new Base(b);"}},
                  {"Base_f", {"int x;"}, "int ret_Base_f;", "Base Base_instance;",
                   {var("VAR", "x", "0"), var("VAR", "ret_Base_f", "0"), var("STRUCTURE", "Base_instance", value)},
                   {"ret_Base_f = Base_instance.f(x);"}},
              })));
    expect_compiles(text, true);
}

} // namespace
