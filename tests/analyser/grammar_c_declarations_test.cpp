// The declaration grammar on C: specifiers, declarators, function pointers,
// typedefs, function definitions (C90 and old style), structs, unions and
// enumerations, initialisers. Expectations follow the composition rules:
// specifier words group from the right, declarator pieces wrap the name from
// the inside out.
#include "grammar_fixture.h"

using grammar_c = grammar_test;

TEST_F(grammar_c, specifier_words_compose_into_one_integral)
{
    analyse("unsigned long long a; long double b; unsigned char c; short int d; long unsigned int e;");
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(is_integral(type_of("a"), "unsigned long long", 64));
    ASSERT_NE(type_of("b"), nullptr);
    ASSERT_NE(type_of("b")->floating(), nullptr);
    EXPECT_EQ(type_of("b")->floating()->name, "long double");
    EXPECT_TRUE(is_integral(type_of("c"), "unsigned char", 8));
    EXPECT_EQ(type_of("c")->integral()->is_character, 1u);
    EXPECT_TRUE(is_integral(type_of("d"), "short int", -16));
    ASSERT_NE(type_of("e"), nullptr);
    EXPECT_EQ(type_of("e")->integral()->name, "long unsigned int");
}

TEST_F(grammar_c, refused_combination_reports_construct)
{
    analyse("int long x; int y;");
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].code, "CONSTRUCT");
    EXPECT_EQ(reports()[0].kind, kind_warning);
    EXPECT_EQ(reports()[0].argument, "int long");
    EXPECT_TRUE(is_integral(type_of("y"), "int", -32));
}

TEST_F(grammar_c, storage_classes_become_flags)
{
    analyse("static int s; extern const int e; register int r; auto int a; int plain;");
    EXPECT_EQ(sym("s")->specifier_flags, static_cast<std::uint32_t>(SF_STATIC));
    EXPECT_EQ(sym("e")->specifier_flags, static_cast<std::uint32_t>(SF_EXTERN));
    EXPECT_EQ(sym("r")->specifier_flags, static_cast<std::uint32_t>(SF_REGISTER));
    EXPECT_EQ(sym("a")->specifier_flags, static_cast<std::uint32_t>(SF_AUTO));
    EXPECT_EQ(sym("plain")->specifier_flags, 0u);
    // const wraps the integral.
    const type_node* e = type_of("e");
    ASSERT_NE(e, nullptr);
    ASSERT_NE(e->modifier(), nullptr);
    EXPECT_EQ(e->modifier()->word, "const");
    EXPECT_TRUE(is_integral(modified(e), "int", -32));
}

TEST_F(grammar_c, declarators_wrap_the_name_from_inside)
{
    analyse("int *p, a[10], **pp, *ap[3], (*pa)[4];");
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(is_integral(pointee(type_of("p")), "int", -32));

    const type_node* a = type_of("a");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->array(), nullptr);
    EXPECT_EQ(a->array()->bound_text, "10");
    EXPECT_TRUE(is_integral(element(a), "int", -32));
    // Later declarators get their own copy of the specifier type.
    EXPECT_NE(element(a), pointee(type_of("p")));

    EXPECT_TRUE(is_integral(pointee(pointee(type_of("pp"))), "int", -32));

    const type_node* ap = type_of("ap");
    ASSERT_NE(ap->array(), nullptr); // an array of pointers
    EXPECT_EQ(ap->array()->bound_text, "3");
    EXPECT_TRUE(is_integral(pointee(element(ap)), "int", -32));

    const type_node* pa = type_of("pa");
    ASSERT_NE(pa->pointer(), nullptr); // a pointer to an array
    EXPECT_EQ(pointee(pa)->array()->bound_text, "4");
    EXPECT_TRUE(is_integral(element(pointee(pa)), "int", -32));
}

TEST_F(grammar_c, two_dimensional_array_keeps_bound_order)
{
    analyse("char m[2][3 * N];");
    const type_node* m = type_of("m");
    ASSERT_NE(m, nullptr);
    ASSERT_NE(m->array(), nullptr);
    EXPECT_EQ(m->array()->bound_text, "2");
    ASSERT_NE(element(m)->array(), nullptr);
    EXPECT_EQ(element(m)->array()->bound_text, "3*N");
    EXPECT_TRUE(is_integral(element(element(m)), "char", -8));
}

TEST_F(grammar_c, function_pointers_and_const_pointers)
{
    analyse("int (*fp)(int, char *); void (*handlers[4])(void); char * const cp; const char *pc;"
            "int (*(*fpp)(int))(double);");
    EXPECT_TRUE(reports().empty());
    const type_node* fp = type_of("fp");
    ASSERT_NE(fp->pointer(), nullptr);
    const type_node* f = pointee(fp);
    ASSERT_NE(f->function(), nullptr);
    EXPECT_TRUE(is_integral(returns(f), "int", -32));
    ASSERT_EQ(parameters(f).size(), 2u);
    EXPECT_TRUE(is_integral(parameters(f)[0]->parameter->type, "int", -32));
    EXPECT_TRUE(parameters(f)[0]->parameter->name.empty());
    EXPECT_TRUE(is_integral(pointee(parameters(f)[1]->parameter->type), "char", -8));

    const type_node* handlers = type_of("handlers");
    ASSERT_NE(handlers->array(), nullptr);
    ASSERT_NE(pointee(element(handlers)), nullptr);
    EXPECT_EQ(returns(pointee(element(handlers)))->kind, TK_VOID);

    // char * const: a constant pointer to char.
    const type_node* cp = type_of("cp");
    ASSERT_NE(cp->modifier(), nullptr);
    EXPECT_EQ(cp->modifier()->word, "const");
    EXPECT_TRUE(is_integral(pointee(modified(cp)), "char", -8));
    // const char *: a pointer to constant char.
    const type_node* pc = type_of("pc");
    ASSERT_NE(pc->pointer(), nullptr);
    ASSERT_NE(pointee(pc)->modifier(), nullptr);
    EXPECT_TRUE(is_integral(modified(pointee(pc)), "char", -8));

    // A pointer to a function returning a pointer to a function.
    const type_node* fpp = type_of("fpp");
    const type_node* outer = pointee(fpp);
    ASSERT_NE(outer->function(), nullptr);
    const type_node* inner = pointee(returns(outer));
    ASSERT_NE(inner->function(), nullptr);
    EXPECT_TRUE(is_integral(returns(inner), "int", -32));
    EXPECT_EQ(parameters(inner)[0]->parameter->type->floating()->name, "double");
}

TEST_F(grammar_c, typedefs_and_typedefd_arrays)
{
    analyse("typedef int vec[3]; vec v; typedef unsigned int uint; uint *up;");
    EXPECT_TRUE(reports().empty());
    symbol* vec = sym("vec");
    ASSERT_NE(vec, nullptr);
    EXPECT_EQ(vec->specifier_flags, static_cast<std::uint32_t>(SF_TYPEDEF));
    ASSERT_NE(vec->type->typedef_data(), nullptr);
    EXPECT_EQ(vec->type->typedef_data()->name, "vec");
    const type_node* target = vec->type->typedef_data()->target;
    ASSERT_NE(target->array(), nullptr);
    EXPECT_EQ(target->array()->bound_text, "3");
    // A use of the typedef name is the typedef node itself.
    EXPECT_EQ(type_of("v"), vec->type);
    EXPECT_EQ(pointee(type_of("up")), sym("uint")->type);
}

TEST_F(grammar_c, typedef_of_anonymous_struct)
{
    analyse("typedef struct { int a; } anon_t;");
    const type_node* t = type_of("anon_t");
    ASSERT_NE(t, nullptr);
    ASSERT_NE(t->typedef_data(), nullptr);
    EXPECT_EQ(t->typedef_data()->name, "anon_t");
    const type_node* s = t->typedef_data()->target;
    ASSERT_NE(s->struct_data(), nullptr);
    EXPECT_EQ(s->struct_data()->name, "");
    ASSERT_EQ(s->struct_data()->members.size(), 1u);
    EXPECT_EQ(s->struct_data()->members[0]->member->name, "a");
}

TEST_F(grammar_c, c90_definition_completes_its_prototype)
{
    analyse("int add(int, int);\nint g;\nint add(int a, int b)\n{\n  return a + b;\n}\n");
    EXPECT_TRUE(reports().empty());
    symbol_entry* add = entry("add");
    ASSERT_NE(add, nullptr);
    const type_node* f = add->sym->type;
    ASSERT_NE(f->function(), nullptr);
    EXPECT_EQ(f->function()->signature.is_definition, 1u);
    ASSERT_EQ(parameters(f).size(), 2u);
    EXPECT_EQ(parameters(f)[0]->parameter->name, "a");
    EXPECT_EQ(parameters(f)[1]->parameter->name, "b");
    // Bodies are kept for class members only.
    EXPECT_EQ(f->function()->signature.body, "");
    EXPECT_EQ(add->sym->file, "t.c");
    // The definition was completed after g was entered.
    EXPECT_GT(add->defined_seq, entry("g")->defined_seq);
    EXPECT_EQ(symbol_names().size(), 2u);
}

TEST_F(grammar_c, old_style_definition_is_recorded_like_a_prototype)
{
    analyse("int old(a, b, c)\nint a;\nchar *b;\n{ return a; }\n");
    EXPECT_TRUE(reports().empty());
    const type_node* f = type_of("old");
    ASSERT_NE(f, nullptr);
    ASSERT_NE(f->function(), nullptr);
    EXPECT_EQ(f->function()->signature.is_definition, 1u);
    ASSERT_EQ(parameters(f).size(), 3u);
    EXPECT_EQ(parameters(f)[0]->parameter->name, "a");
    EXPECT_TRUE(is_integral(parameters(f)[0]->parameter->type, "int", -32));
    EXPECT_TRUE(is_integral(pointee(parameters(f)[1]->parameter->type), "char", -8));
    // An undeclared old-style parameter is an int.
    EXPECT_TRUE(is_integral(parameters(f)[2]->parameter->type, "int", -32));
}

TEST_F(grammar_c, definition_without_type_returns_int)
{
    analyse("main() { return 0; }");
    const type_node* f = type_of("main");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(is_integral(returns(f), "int", -32));
    EXPECT_EQ(f->function()->signature.is_definition, 1u);
}

TEST_F(grammar_c, parameters_with_ellipsis_and_void)
{
    analyse("int printf(const char *format, ...); int none(void); int empty();");
    const type_node* p = type_of("printf");
    ASSERT_EQ(parameters(p).size(), 2u);
    EXPECT_EQ(parameters(p)[0]->parameter->name, "format");
    const type_node* dots = parameters(p)[1]->parameter->type;
    ASSERT_NE(dots->ellipsis(), nullptr);
    EXPECT_EQ(dots->ellipsis()->follows_parameters, 1u);
    ASSERT_EQ(parameters(type_of("none")).size(), 1u);
    EXPECT_EQ(parameters(type_of("none"))[0]->parameter->type->kind, TK_VOID);
    EXPECT_TRUE(parameters(type_of("empty")).empty());
}

TEST_F(grammar_c, struct_with_members_and_initialiser)
{
    analyse("struct point { int x, y; } origin = { 0, -1 };");
    EXPECT_TRUE(reports().empty());
    type_node* point = tag("point", TK_STRUCT);
    ASSERT_NE(point, nullptr);
    const struct_payload* s = point->struct_data();
    EXPECT_EQ(s->declared_as, declared_as_struct);
    ASSERT_EQ(s->members.size(), 2u);
    EXPECT_EQ(s->members[0]->member->name, "x");
    EXPECT_EQ(s->members[1]->member->name, "y");
    EXPECT_EQ(s->members[0]->access, access_public);
    EXPECT_EQ(s->members[0]->member->scope_owner, point);
    EXPECT_EQ(type_of("origin"), point);
    ASSERT_NE(sym("origin")->initialiser, nullptr);
    EXPECT_EQ(sym("origin")->initialiser->printed(), "{0, -1}");
}

TEST_F(grammar_c, forward_declared_struct_is_completed_in_place)
{
    analyse("struct node; struct node *head; struct node { int v; struct node *next; };");
    type_node* node = tag("node", TK_STRUCT);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(pointee(type_of("head")), node);
    ASSERT_EQ(node->struct_data()->members.size(), 2u);
    EXPECT_EQ(pointee(node->struct_data()->members[1]->member->type), node);
}

TEST_F(grammar_c, union_enum_and_bit_fields)
{
    analyse("union u { int i; float f; } uu; enum color { RED, GREEN = 5, BLUE } paint;"
            "struct flags { unsigned a : 1; unsigned : 3; };");
    EXPECT_TRUE(reports().empty());
    type_node* u = tag("u", TK_UNION);
    ASSERT_NE(u, nullptr);
    ASSERT_EQ(u->union_data()->members.size(), 2u);
    EXPECT_EQ(type_of("uu"), u);

    type_node* color = tag("color", TK_ENUM);
    ASSERT_NE(color, nullptr);
    const auto& names = color->enumeration()->enumerators;
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0]->name, "RED");
    EXPECT_EQ(names[0]->value, nullptr);
    EXPECT_EQ(names[1]->name, "GREEN");
    ASSERT_NE(names[1]->value, nullptr);
    EXPECT_EQ(names[1]->value->printed(), "5");
    EXPECT_EQ(type_of("paint"), color);

    type_node* flags = tag("flags", TK_STRUCT);
    ASSERT_NE(flags, nullptr);
    ASSERT_EQ(flags->struct_data()->members.size(), 2u);
    EXPECT_EQ(flags->struct_data()->members[0]->member->initialiser->printed(), "1");
}

TEST_F(grammar_c, unsized_array_takes_its_bound_value_from_the_brace_list)
{
    analyse("int n, arr[] = { 1, 2, 3 };");
    ASSERT_NE(sym("n"), nullptr);
    const type_node* arr = type_of("arr");
    ASSERT_NE(arr, nullptr);
    ASSERT_NE(arr->array(), nullptr);
    EXPECT_EQ(arr->array()->bound_text, "");
    ASSERT_NE(arr->array()->bound_value, nullptr);
    EXPECT_EQ(arr->array()->bound_value->count(), 3u);
    // A copy, not the initialiser itself.
    EXPECT_NE(arr->array()->bound_value, sym("arr")->initialiser);
}

TEST_F(grammar_c, initialiser_expressions_lose_their_blanks)
{
    analyse("int a = 1 + 2 * (3 - x) ; int b = sizeof(int) << 2; char *s = \"a\" \"b\"; int c = f(1, 2)[0];"
            "int d = x ? y : -z; int e = (long) &s->m;");
    EXPECT_EQ(sym("a")->initialiser->printed(), "1+2*(3-x)");
    EXPECT_EQ(sym("b")->initialiser->printed(), "sizeof(int)<<2");
    EXPECT_EQ(sym("c")->initialiser->printed(), "f(1, 2)[0]");
    EXPECT_EQ(sym("d")->initialiser->printed(), "x?y:-z");
    EXPECT_EQ(sym("e")->initialiser->printed(), "(long)&s->m");
}

TEST_F(grammar_c, struct_tag_reused_as_a_name)
{
    // "struct stat" and a function "stat", as system headers write them.
    analyse("struct stat { int st_mode; }; int stat(const char *path, struct stat *stat);");
    EXPECT_TRUE(reports().empty());
    ASSERT_NE(tag("stat", TK_STRUCT), nullptr);
    const type_node* f = type_of("stat");
    ASSERT_NE(f, nullptr);
    ASSERT_NE(f->function(), nullptr);
    ASSERT_EQ(parameters(f).size(), 2u);
    EXPECT_EQ(parameters(f)[1]->parameter->name, "stat");
}

// Regression: the name after a record body was read as the record's own
// type name, so "struct cfg {...} cfg;" declared nothing, silently.
TEST_F(grammar_c, name_after_a_record_body_is_declared_though_it_names_the_record)
{
    analyse("struct cfg { int a; } cfg; enum color { RED } color; typedef struct node { int v; } node;");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(type_of("cfg"), tag("cfg", TK_STRUCT));
    EXPECT_EQ(type_of("color"), tag("color", TK_ENUM));
    ASSERT_NE(sym("node"), nullptr);
    EXPECT_EQ(sym("node")->specifier_flags, static_cast<std::uint32_t>(SF_TYPEDEF));
}

// Regression: glibc's <search.h> declares "struct entry"; <sys/ptrace.h>
// then has a member "struct {...} entry;", which was a CONSTRUCT warning.
TEST_F(grammar_c, member_named_after_a_visible_tag_follows_an_anonymous_record)
{
    analyse("struct entry { char *key; };\n"
            "union info { struct { int nr; } entry; struct { long rval; } exit; };");
    EXPECT_TRUE(reports().empty());
    type_node* info = tag("info", TK_UNION);
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->union_data()->members.size(), 2u);
    EXPECT_EQ(info->union_data()->members[0]->member->name, "entry");
    EXPECT_EQ(info->union_data()->members[1]->member->name, "exit");
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
    ASSERT_NE(type_of("w"), nullptr);
    EXPECT_NE(type_of("w")->kind, TK_FUNCTION);
}

TEST_F(grammar_c, line_markers_give_files_to_the_symbols)
{
    analyse("#line 1 \"a.h\"\nint in_a;\n#line 1 \"b.c\"\nint in_b;\n");
    EXPECT_EQ(sym("in_a")->file, "a.h");
    EXPECT_EQ(sym("in_b")->file, "b.c");
}

TEST_F(grammar_c, linkage_blocks_and_open_brace_flag)
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
}

TEST_F(grammar_c, target_pragmas_size_the_types_that_follow)
{
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
