// Declaration printing on models analysed from C text: each kind in the
// plain mode, the test-variable modes 1 and 7, calls, prototypes and stub
// prototypes, and the identifier form of names. Expectations are the C
// text a reader writes by hand for each declaration.
#include <gtest/gtest.h>

#include "analyser/analyse_declarations.h"
#include "analyser/print_declaration.h"
#include "analyser/print_name.h"
#include "analyser/print_type.h"
#include "model_fixture.h"

namespace {

class printing : public model_test {
protected:
    void analyse(std::string_view text)
    {
        analyse_declarations(text, table, "", "t.c", 1, record_report);
        ASSERT_TRUE(reports().empty()) << reports().front().code << " " << reports().front().argument;
    }
    const symbol* find(std::string_view name)
    {
        symbol_entry* entry = find_symbol(name, table, scope_context{});
        return entry ? entry->sym : nullptr;
    }
    const symbol* tag(std::string_view name, type_kind kind)
    {
        symbol_entry* entry = find_tag(name, table, kind, scope_context{});
        return entry ? entry->sym : nullptr;
    }
    std::string expanded(std::string_view name, type_kind kind, std::string_view indent = "")
    {
        std::string out;
        print_declaration(tag(name, kind), out, "", mode_plain, true, indent);
        return out;
    }
    std::string declaration(std::string_view name, int mode, std::string_view as = {})
    {
        std::string out;
        print_declaration(find(name), out, as, mode, false, "");
        return out;
    }
    // Mode-7 declaration of a parameter of function f.
    std::string parameter(std::string_view f, std::size_t index, int mode = mode_value_holder)
    {
        const symbol* p = find(f)->type->function()->signature.parameters.at(index)->parameter;
        std::string out;
        print_declaration(p, out, "", mode, false, "");
        return out;
    }
};

TEST_F(printing, PlainDeclarationsOfEachKind)
{
    // Pointers, arrays and function pointers of the plain kinds are printed in
    // the declarator tests, struct and enum variables in the block scripts.
    analyse("int counter; unsigned char byte; int open[]; void *any;\n"
            "typedef unsigned long size_type; size_type count;\n"
            "union number { int i; double d; }; union number n; int f(int a, ...);\n"
            "const char *const *names; int *(*table_of)[2];\n"
            "char greeting[] = \"abc\"; int rows_of_two[][2] = {{1, 2}, {3, 4}, {5, 6}};");
    const std::pair<const char*, const char*> cases[] = {
        {"counter", "int counter;"}, {"byte", "unsigned char byte;"}, {"open", "int open[];"},
        {"any", "void *any;"}, {"size_type", "typedef unsigned long size_type;"}, {"count", "size_type count;"},
        {"n", "union number n;"}, {"names", "const char *const *names;"}, {"table_of", "int *( *table_of)[2];"},
        // An unsized array takes the size of its initialiser: a string counts
        // its terminating NUL, nested lists count their rows.
        {"greeting", "char greeting[4];"}, {"rows_of_two", "int rows_of_two[3][2];"},
    };
    for (const auto& [name, text] : cases)
        EXPECT_EQ(declaration(name, mode_plain), text);
    EXPECT_EQ(declaration("f", mode_prototype), "int f(int a, ...);");
    EXPECT_EQ(declaration("open", mode_value_holder), "int open[100];"); // mode 7 sizes what has no size
}

TEST_F(printing, ExpandedBodies)
{
    analyse("struct point { int x; const int y; struct point *next; };\n"
            "enum colour { red, green = 4 };\n"
            "struct flags { unsigned a : 1; unsigned b : 3; };\n"
            "typedef unsigned long size_type; struct sized { size_type n; union { int i; } u; };\n"
            "struct buf { unsigned len; char data[]; };");
    EXPECT_EQ(expanded("point", TK_STRUCT, "    #"),
              "struct point {\n    #\tint x;\n    #\tconst int y;\n    #\tstruct point *next;\n    #};");
    EXPECT_EQ(expanded("colour", TK_ENUM), "enum colour{\n\tred,\n\tgreen = 4\n};");
    EXPECT_EQ(expanded("flags", TK_STRUCT), "struct flags {\n\tunsigned a\t: 1;\n\tunsigned b\t: 3;\n};");
    EXPECT_EQ(expanded("buf", TK_STRUCT), "struct buf {\n\tunsigned len;\n\tchar data[];\n};");
    // Members name file-level types as C does, with no leading "::".
    EXPECT_EQ(expanded("sized", TK_STRUCT),
              "struct sized {\n\tsize_type n;\n\tunion {\n\t\tint i;\n\t} u;\n};");
    // A record defined inside another is written where the source wrote it.
    analyse("struct outer { struct inner { int a; } in, again; int b; };");
    EXPECT_EQ(expanded("outer", TK_STRUCT),
              "struct outer {\n\tstruct inner {\n\t\tint a;\n\t} in;\n\tstruct inner again;\n\tint b;\n};");
    // The introducing part of a record.
    std::string out;
    print_declaration(tag("point", TK_STRUCT), out, "", mode_class_keyword, false, "");
    EXPECT_EQ(out, "struct point;");
}

TEST_F(printing, TestVariablesHoldValues)
{
    // Pointers to int, char, void and pointers, function pointers and
    // arrays of arrays are held as the block scripts show.
    analyse("struct s { int a; };\n"
            "int f(int *p, const struct s *r, int a[], const int c, signed char *sc);");
    texts held;
    for (std::size_t i = 0; i < 5; ++i)
        held.push_back(parameter("f", i));
    // Mode 7 cuts the first const (r, c): at the start of the prefix only the
    // word goes.
    EXPECT_EQ(held, (texts{"int p;", " struct s r;", "int a[100];", " int c;", "char sc[200];"}));
    // Mode 0 keeps what was written.
    EXPECT_EQ(parameter("f", 1, 0), "const struct s *r;");
}

TEST_F(printing, ReturnVariablesCallsAndStubs)
{
    // Calls with named parameters, their return variables and the variable
    // part of a call are in the block scripts; here what those never show.
    analyse("char *label(int *p, char *s, void *v, int v2[]) { return 0; }\nint pick(int, int b);\n");
    EXPECT_EQ(declaration("label", mode_test_variable, "label_2"), "char *ret_label_2;");
    EXPECT_EQ(declaration("label", mode_call, "label"), "ret_label = label(&p, s, v, v2);");
    // Unnamed parameters are left out of a call unless named by the caller.
    EXPECT_EQ(declaration("pick", mode_call, "pick"), "ret_pick = pick(b);");
    // Stub prototypes.
    analyse("void put(char *s, void *v, int n, const int *c) { }\n"
            "int none(void);");
    EXPECT_EQ(declaration("put", mode_stub), "void put(char _inout s[200], void * _in v, int _in n, const int _inout c);");
    EXPECT_EQ(declaration("none", mode_stub), "int none(void);");
}

TEST_F(printing, StorageWords)
{
    analyse("static int hidden; extern int shared;");
    // The output is replaced, not appended to.
    auto stored = [&](const char* name, bool with_storage, const char* storage = "") {
        std::string out = "junk";
        print_declaration_with_storage(find(name), out, "", 0, false, with_storage, storage);
        return out;
    };
    EXPECT_EQ(stored("hidden", true), "static int hidden;");
    EXPECT_EQ(stored("shared", true), "extern int shared;");
    EXPECT_EQ(stored("hidden", false), "int hidden;");
}

TEST(identifier_form, OperatorsDestructorsAndOtherCharacters)
{
    const std::pair<const char*, const char*> rows[] = {
        {"operator []", "operator_subscript"},   {"operator <<=", "operator_left_shift_assign"},
        {"operator ->*", "operator_arrow_star"}, {"operator ()", "operator_function_call"},
        {"operator !=", "operator_not_equal"},   {"operator int", "operator_int"},
        {"~stack", "destructor_stack"},          {"operator unsigned int", "operator_unsigned_int"},
        {"a b$c", "ab_c"},                       {"my_fn2", "my_fn2"},
    };
    for (const auto& [name, identifier] : rows)
        EXPECT_EQ(operator_identifier(name), identifier) << name;
}

} // namespace
