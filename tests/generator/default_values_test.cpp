// Default values of VAR lines by kind, on types analysed from C text, and
// the names given to a file's environment and stub.
#include <gtest/gtest.h>

#include "analyser/analyse_declarations.h"
#include "driver/option_values.h"
#include "generator/file_environment.h"
#include "generator/var_lines.h"

namespace {

class default_values : public ::testing::Test {
protected:
    analyser_session session;
    scope_table table;
    default_values() { table.session = &session; }

    void analyse(std::string_view text) { analyse_declarations(text, table, "", "v.c", 1, report_with_position); }
    const type_node* type_of(std::string_view name)
    {
        symbol_entry* e = find_symbol(name, table, scope_context{});
        return e && e->sym ? e->sym->type : nullptr;
    }
    // value and keyword of a global's type
    std::pair<std::string, std::string> value_of(std::string_view name, int mode = var_global)
    {
        std::string value, keyword = "VAR";
        init_value_text(type_of(name), value, keyword, mode);
        return {value, keyword};
    }
};

using vk = std::pair<std::string, std::string>;

TEST_F(default_values, ScalarsPointersAndStrings)
{
    analyse("int i; double d; long double ld; char *s; const char *cs; unsigned char *us; int *p; void *v;\n"
            "char text[8]; typedef const char *name_t; name_t n; volatile float f;");
    const std::pair<const char*, const char*> cases[] = {
        {"i", "0"},    {"d", "0.0"},  {"ld", "0.0"}, {"s", "\"\""},    {"cs", "\"\""}, {"us", "NIL"},
        {"p", "NIL"},  {"v", "NIL"},  {"text", "\"\""}, {"n", "\"\""}, {"f", "0.0"},
    };
    for (const auto& [name, value] : cases)
        EXPECT_EQ(value_of(name), vk(value, "VAR")) << name;
}

TEST_F(default_values, AggregatesTakeTheirKeywordFromTheOuterKind)
{
    analyse("struct inner { int a; double b; };\n"
            "struct outer { struct inner in; const int fixed; int list[3]; union { int i; char c; } u; };\n"
            "struct outer o; struct outer many[2]; int grid[2][3]; struct empty_one *ep;\n"
            "enum state { idle, busy }; enum state st; enum blank_one { } ; union number { float f; int i; } num;");
    EXPECT_EQ(value_of("o"), vk("{ in => { a => 0, b => 0.0 }, list => { others => 0 }, u => { i => 0 } }",
                                "STRUCTURE"));
    EXPECT_EQ(value_of("many"),
              vk("{ others => { in => { a => 0, b => 0.0 }, list => { others => 0 }, u => { i => 0 } } }", "ARRAY"));
    EXPECT_EQ(value_of("grid"), vk("{ others => { others => 0 } }", "ARRAY"));
    EXPECT_EQ(value_of("st"), vk("idle", "VAR"));
    EXPECT_EQ(value_of("num"), vk("{ f => 0.0 }", "VAR"));
    EXPECT_EQ(value_of("ep"), vk("NIL", "VAR"));
}

TEST_F(default_values, FrenchArrayWords)
{
    analyse("int grid[2];");
    const int saved = script_language;
    script_language = 0;
    EXPECT_EQ(value_of("grid"), vk("{ autres => 0 }", "TAB"));
    script_language = saved;
}

TEST_F(default_values, FunctionsGiveTheirReturnValueOnlyAsReturnVariables)
{
    analyse("double rate(int n); char *name(void);");
    EXPECT_EQ(value_of("rate", var_returned), vk("0.0", "VAR"));
    EXPECT_EQ(value_of("name", var_returned), vk("\"\"", "VAR"));
    EXPECT_EQ(value_of("rate", var_global), vk("NIL", "VAR"));
}

TEST_F(default_values, ConstQualifiedGlobals)
{
    analyse("const int a = 1; int const b = 2; char *const c = 0; const char *d; const int e[2] = {1, 2};\n"
            "typedef const int fixed_t; fixed_t f = 3; int g;");
    for (const char* name : {"a", "b", "c", "e", "f"})
        EXPECT_TRUE(is_const_qualified(type_of(name))) << name;
    for (const char* name : {"d", "g"})
        EXPECT_FALSE(is_const_qualified(type_of(name))) << name;
}

TEST(block_names, EnvironmentAndStubNames)
{
    EXPECT_EQ(environment_name("./calc.c"), "ENV_calc_c");
    EXPECT_EQ(environment_name("src/my-lib.c"), "ENV_my_lib_c");
    EXPECT_EQ(environment_name("./a.b,c.cpp"), "ENV_a_b_c_cpp");
    EXPECT_EQ(environment_name("./calc"), "ENV_calc_");
    EXPECT_EQ(stub_name("./calc.c"), "calc_c");
    EXPECT_EQ(stub_name("lib/my-lib.c"), "my_lib_c");
    EXPECT_EQ(stub_name("./calc"), "calc_");
}

} // namespace
