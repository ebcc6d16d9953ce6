// The declaration grammar on C: specifiers, declarators, function pointers,
// typedefs, function definitions (C90 and old style), structs, unions and
// enumerations, initialisers. Expectations follow the composition rules:
// specifier words group from the right, declarator pieces wrap the name from
// the inside out; a declaration printed back as C shows the whole shape.
#include "grammar_fixture.h"

using grammar_c = grammar_test;

TEST_F(grammar_c, specifier_words_compose_into_one_integral)
{
    analyse("unsigned long long a; long double b; unsigned char c; short int d; long unsigned int e;");
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(is_integral(type_of("a"), "unsigned long long", 64));
    EXPECT_EQ(printed("b"), "long double b;");
    EXPECT_TRUE(is_integral(type_of("c"), "unsigned char", 8));
    EXPECT_EQ(type_of("c")->integral()->is_character, 1u);
    EXPECT_TRUE(is_integral(type_of("d"), "short int", -16));
    EXPECT_EQ(printed("e"), "long unsigned int e;");
    // A refused combination is reported, and the analysis goes on.
    analyse("int long x; int y;");
    EXPECT_EQ(report_lines(), texts{"W CONSTRUCT int long"});
    EXPECT_TRUE(is_integral(type_of("y"), "int", -32));
}

// Storage classes, typedef among them, become flags; const wraps the
// integral; a use of a typedef name is the typedef node itself.
TEST_F(grammar_c, storage_classes_and_typedefs)
{
    analyse("static int s; extern const int e; register int r; auto int a; int plain;"
            "typedef int vec[3]; vec v; typedef unsigned int uint; uint *up;");
    EXPECT_TRUE(reports().empty());
    std::vector<std::uint32_t> flags;
    for (const char* name : {"s", "e", "r", "a", "plain", "vec"})
        flags.push_back(sym(name)->specifier_flags);
    EXPECT_EQ(flags, (std::vector<std::uint32_t>{SF_STATIC, SF_EXTERN, SF_REGISTER, SF_AUTO, 0, SF_TYPEDEF}));
    EXPECT_TRUE(is_integral(under_modifier(type_of("e")), "int", -32));
    const type_node* vec = type_of("vec");
    EXPECT_EQ(vec->typedef_data()->name, "vec");
    EXPECT_EQ(vec->typedef_data()->target->array()->bound_text, "3");
    EXPECT_EQ(type_of("v"), vec);
    EXPECT_EQ(pointee(type_of("up")), type_of("uint"));
}

// Each declarator printed back shows how its pieces wrap the name.
TEST_F(grammar_c, declarators_wrap_the_name_from_inside)
{
    analyse("int *p, a[10], **pp, *ap[3], (*pa)[4]; char m[2][3 * N];\n"
            "int (*fp)(int, char *); void (*handlers[4])(void); char * const cp; const char *pc;\n"
            "int (*(*fpp)(int))(double);");
    EXPECT_TRUE(reports().empty());
    // ap is an array of pointers, pa a pointer to an array; m has its bounds
    // in order, blanks dropped; cp is a constant pointer, pc a pointer to
    // constant char.
    const std::pair<const char*, const char*> cases[] = {
        {"p", "int *p;"}, {"a", "int a[10];"}, {"pp", "int **pp;"}, {"ap", "int *ap[3];"},
        {"pa", "int ( *pa)[4];"}, {"m", "char m[2][3*N];"}, {"fp", "int ( *fp)(int, char *);"},
        {"handlers", "void ( *handlers[4])(void);"}, {"cp", "char *const cp;"}, {"pc", "const char *pc;"},
    };
    for (const auto& [name, declaration] : cases)
        EXPECT_EQ(printed(name), declaration) << name;
    // Later declarators get their own copy of the specifier type.
    EXPECT_NE(element(type_of("a")), pointee(type_of("p")));
    EXPECT_TRUE(is_integral(element(element(type_of("m"))), "char", -8));
    // A pointer to a function returning a pointer to a function.
    const type_node* inner = pointee(returns(pointee(type_of("fpp"))));
    EXPECT_TRUE(is_integral(returns(inner), "int", -32));
    EXPECT_EQ(parameters(inner)[0]->parameter->type->floating()->name, "double");
}

TEST_F(grammar_c, c90_definition_completes_its_prototype)
{
    analyse("int add(int, int);\nint g;\nint add(int a, int b)\n{\n  return a + b;\n}\n");
    EXPECT_TRUE(reports().empty());
    symbol_entry* add = entry("add");
    EXPECT_EQ(printed("add"), "int add(int a, int b);");
    const type_node* f = add->sym->type;
    EXPECT_EQ(f->function()->signature.is_definition, 1u);
    EXPECT_EQ(f->function()->signature.body, ""); // bodies are kept for class members only
    // The definition was completed after g was entered.
    EXPECT_GT(add->defined_seq, entry("g")->defined_seq);
    EXPECT_EQ(symbol_names().size(), 2u);
}

TEST_F(grammar_c, old_style_and_typeless_definitions)
{
    // An undeclared old-style parameter is an int; so is a missing return type.
    analyse("int old(a, b, c)\nint a;\nchar *b;\n{ return a; }\nmain() { return 0; }\n"
            "int printf(const char *format, ...); int none(void); int empty();");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("old"), "int old(int a, char *b, int c);");
    EXPECT_EQ(type_of("old")->function()->signature.is_definition, 1u);
    EXPECT_EQ(printed("main"), "int main();");
    EXPECT_EQ(type_of("main")->function()->signature.is_definition, 1u);
    EXPECT_EQ(printed("printf"), "int printf(const char *format, ...);");
    EXPECT_EQ(printed("none"), "int none(void);");
    EXPECT_TRUE(parameters(type_of("empty")).empty());
}

TEST_F(grammar_c, struct_with_members_and_initialiser)
{
    analyse("struct point { int x, y; } origin = { 0, -1 };");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(expanded("point", TK_STRUCT), "struct point {\n\tint x;\n\tint y;\n};");
    type_node* point = tag("point", TK_STRUCT);
    const struct_payload* s = point->struct_data();
    EXPECT_EQ(s->members[0]->access, access_public);
    EXPECT_EQ(s->members[0]->member->scope_owner, point);
    EXPECT_EQ(sym("origin")->initialiser->printed(), "{0, -1}");
}

TEST_F(grammar_c, union_enum_and_bit_fields)
{
    analyse("union u { int i; float f; } uu; enum color { RED, GREEN = 5, BLUE } paint;"
            "struct flags { unsigned a : 1; unsigned : 3; };");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(expanded("u", TK_UNION), "union u {\n\tint i;\n\tfloat f;\n};");
    EXPECT_EQ(type_of("uu"), tag("u", TK_UNION));
    EXPECT_EQ(expanded("color", TK_ENUM), "enum color{\n\tRED,\n\tGREEN = 5,\n\tBLUE\n};");
    EXPECT_EQ(expanded("flags", TK_STRUCT).find("struct flags {\n\tunsigned a\t: 1;\n\tunsigned"), 0u);
    EXPECT_EQ(tag("flags", TK_STRUCT)->struct_data()->members.size(), 2u); // the nameless one too
}

TEST_F(grammar_c, initialisers_size_unsized_arrays_and_lose_their_blanks)
{
    analyse("int n, arr[] = { 1, 2, 3 };");
    EXPECT_NE(sym("n"), nullptr);
    const type_node* arr = type_of("arr");
    EXPECT_EQ(printed("arr"), "int arr[3];");
    EXPECT_EQ(arr->array()->bound_text, "");
    // A copy, not the initialiser itself.
    EXPECT_NE(arr->array()->bound_value, sym("arr")->initialiser);
    // Initialiser expressions lose their blanks.
    analyse("int a = 1 + 2 * (3 - x) ; int b = sizeof(int) << 2; char *s = \"a\" \"b\"; int c = f(1, 2)[0];"
            "int d = x ? y : -z; int e = (long) &s->m;");
    EXPECT_EQ(initialisers({"a", "b", "c", "d", "e"}),
              (texts{"1+2*(3-x)", "sizeof(int)<<2", "f(1, 2)[0]", "x?y:-z", "(long)&s->m"}));
}

// Regression: the name after a record body was read as the record's own
// type name, so "struct cfg {...} cfg;" declared nothing, silently. Also
// "struct stat" and a function "stat", as system headers write them.
TEST_F(grammar_c, name_after_a_record_body_is_declared_though_it_names_the_record)
{
    analyse("struct cfg { int a; } cfg; enum color { RED } color; typedef struct node { int v; } node;"
            "struct stat { int st_mode; }; int stat(const char *path, struct stat *stat);");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(member_names(tag("stat", TK_STRUCT)), texts{"st_mode"});
    EXPECT_EQ(printed("stat"), "int stat(const char *path, struct stat *stat);");
    EXPECT_EQ(type_of("cfg"), tag("cfg", TK_STRUCT));
    EXPECT_EQ(type_of("color"), tag("color", TK_ENUM));
    EXPECT_EQ(sym("node")->specifier_flags, static_cast<std::uint32_t>(SF_TYPEDEF));
}

// Regression: glibc's <search.h> declares "struct entry"; <sys/ptrace.h>
// then has a member "struct {...} entry;", which was a CONSTRUCT warning.
TEST_F(grammar_c, member_named_after_a_visible_tag_follows_an_anonymous_record)
{
    analyse("struct entry { char *key; };\n"
            "union info { struct { int nr; } entry; struct { long rval; } exit; };");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(expanded("info", TK_UNION),
              "union info {\n\tstruct {\n\t\tint nr;\n\t} entry;\n\tstruct {\n\t\tlong rval;\n\t} exit;\n};");
}

// A function body is captured as text, its closing brace with it: the
// record around an inline member function still closes as a record.
TEST_F(grammar_c, record_closing_after_a_captured_body_declares_its_name)
{
    analyse("struct counter { int get(void) { return 0; } } counter;");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(type_of("counter"), tag("counter", TK_STRUCT));
    // After a function body a type name is still a type.
    analyse("typedef int word; void g(void) { } word w;");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(printed("w"), "word w;");
}

TEST_F(grammar_c, linkage_blocks_open_brace_flag_and_target_pragmas)
{
    analyse("extern \"C\" { int c_func(void); }\nextern \"C\" int other;");
    EXPECT_TRUE(reports().empty());
    EXPECT_NE(sym("c_func"), nullptr);
    EXPECT_NE(sym("other"), nullptr);
    set_analysis_open_brace(false);
    analyse("int before; extern \"C\" {");
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(analysis_open_brace());
    analyse("}");
    EXPECT_TRUE(reports().empty());
    EXPECT_FALSE(analysis_open_brace());
    // Target pragmas size the types that follow.
    analyse("typedef unsigned int u32;\n"
            "#pragma morva sizeof int = 16\n"
            "int small;\n"
            "#pragma morva sizeof u32 = 64\n"
            "#pragma morva signof u32 = signed\n"
            "#pragma morva sizeof int = 32\n"
            "int back;\n");
    EXPECT_TRUE(is_integral(type_of("small"), "int", -16));
    EXPECT_TRUE(is_integral(type_of("back"), "int", -32));
    // The typedef's integral took the new size, then the sign.
    const type_node* u32 = sym("u32")->type->typedef_data()->target;
    EXPECT_TRUE(is_integral(u32, "unsigned int", -64));
}
