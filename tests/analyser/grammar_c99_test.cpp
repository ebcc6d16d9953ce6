// The declaration grammar on the C99 and C11 forms that real C code writes:
// _Bool, restrict, long long constants, designated initialisers, compound
// literals, flexible array members, qualified array parameters, static
// assertions and _Noreturn. Each case checks the model the printer works
// from, since the printed declaration must still compile.
#include "grammar_fixture.h"

#include "analyser/print_declaration.h"
#include "expr/constant_value.h"

using grammar_c99 = grammar_test;

// Like "* const", restrict wraps the pointer, in every spelling; _Bool and
// bool keep the spelling they were written with.
TEST_F(grammar_c99, bool_restrict_and_long_long_constants)
{
    analyse("_Bool a; bool b; int *restrict p; void copy(char *__restrict d, const char *__restrict__ s);\n"
            "unsigned long long m = 1ULL << 40; int ar[2LL]; long long n = -5ll;");
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(is_integral(type_of("a"), "_Bool", -8));
    EXPECT_TRUE(is_integral(type_of("b"), "bool", -8));
    EXPECT_EQ(printed("p"), "int *restrict p;");
    EXPECT_EQ(printed("copy"), "void copy(char *__restrict d, const char *__restrict__ s);");
    EXPECT_EQ(initialisers({"m", "n"}), (texts{"1ULL<<40", "-5ll"}));
    EXPECT_EQ(type_of("ar")->array()->bound_text, "2LL");
}

// Designators stay with the values they place (b: a member named like a
// type is still designated); compound literals are kept as written.
TEST_F(grammar_c99, designators_and_compound_literals_are_kept_as_written)
{
    analyse("struct pt { int x, y; } p = { .y = 2, .x = 1 };"
            "int grid[3][2] = { [2][1] = 5, [0] = { 1, 2 } };"
            "struct pt line[] = { [1].x = 3, [0] = { .y = 4 } };"
            "typedef int size; struct box { int size; } b = { .size = 3 };"
            "struct pt *pc = &(struct pt){ 1, 2 }; int *q = (int[]){ 3, 4, };"
            "struct pt r = (struct pt){ .x = 1 }; int after;");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(initialisers({"p", "grid", "line", "b", "pc", "q", "r"}),
              (texts{"{.y=2, .x=1}", "{[2][1]=5, [0]={1, 2}}", "{[1].x=3, [0]={.y=4}}", "{.size=3}",
                     "&(struct pt){1, 2}", "(int[]){3, 4}", "(struct pt){.x=1}"}));
    EXPECT_NE(sym("after"), nullptr);
}

// Worked by hand: [4]=1 fills index 4, the 2 after it index 5, [1]=3 goes
// back: six elements. [2].x fills index 2 of three. An index that cannot be
// computed ([k]) gives no length ("-").
TEST_F(grammar_c99, index_designators_set_the_length_of_an_unsized_array)
{
    analyse("int sparse[] = { [4] = 1, 2, [1] = 3 };"
            "struct pt { int x, y; } pts[] = { [2].x = 1, [0] = { .y = 2 } };"
            "enum { LAST = 7 }; char *names[] = { [LAST] = \"z\" };"
            "int plain[] = { 1, 2, 3 }; extern int k; int v[] = { [k] = 1 };");
    EXPECT_TRUE(reports().empty());
    texts lengths;
    for (const char* name : {"sparse", "pts", "names", "plain", "v"})
        lengths.push_back(
            array_bound_of_value(*type_of(name)->array()->bound_value, &table, "t.c", 1, nullptr).value_or("-"));
    EXPECT_EQ(lengths, (texts{"6", "3", "8", "3", "-"}));
}

TEST_F(grammar_c99, array_parameters_drop_static_qualifiers_and_star)
{
    analyse("void f(int n, int a[static 10], int b[const], int c[restrict static 4], int m[*]);");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("f"), "void f(int n, int a[10], int b[], int c[4], int m[]);");
}

TEST_F(grammar_c99, static_assertions_and_noreturn)
{
    analyse("_Static_assert(sizeof(int) == 4, \"int, as expected\"); int a;"
            "struct s { static_assert(1, \")\"); int m; };");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(symbol_names(), (texts{"a", "m"}));
    EXPECT_EQ(member_names(tag("s", TK_STRUCT)), texts{"m"});
    // _Noreturn is a function specifier.
    analyse("_Noreturn void die(const char *why); static inline int sq(int x) { return x * x; }");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(sym("die")->specifier_flags, static_cast<std::uint32_t>(SF_FUNCTION_EXTRA));
    EXPECT_EQ(sym("sq")->specifier_flags, static_cast<std::uint32_t>(SF_STATIC | SF_INLINE));
}

TEST_F(grammar_c99, compiler_extensions_are_skipped_with_their_parenthesis)
{
    // Regression: gcc's stddef.h, included before glibc defines the word
    // away, gave two SYNTAXERR for max_align_t.
    analyse("typedef struct {\n long long a __attribute__((__aligned__(__alignof__(long long))));\n"
            " long double b __attribute__ ((aligned (16)));\n} max_align_t;\n"
            "__extension__ typedef long long quad; int f(void) __asm__(\"g\") __attribute__((pure)); int after;");
    EXPECT_TRUE(reports().empty());
    EXPECT_NE(sym("max_align_t"), nullptr);
    EXPECT_TRUE(is_integral(type_of("f") ? returns(type_of("f")) : nullptr, "int", -32));
    EXPECT_NE(sym("after"), nullptr);
    // Line counting goes on past a skipped parenthesis that spans lines.
    analyse("int g(void) __attribute__((\n\n cold));\nint x y;", "u.c");
    ASSERT_FALSE(reports().empty());
    EXPECT_EQ(reports().back().line, 4);
}
