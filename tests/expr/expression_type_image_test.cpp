// Images of expression trees, the type search and its messages, and the
// constant values behind array bounds and enumerators.
#include "expression_fixture.h"

#include "expr/constant_value.h"
#include "expr/expression_type.h"

namespace {

// ---- Images ----

TEST_F(expression_test, images)
{
    struct {
        const char *text, *image;
    } cases[] = {
        {"a [ i .. j ]", "a[i..j]"}, {"a ? b : c", "(a?b:c)"}, {"x + (y * 2)", "x+(y*2)"}, {"- 1", "-1"},
        {"! ~ x", "!~x"}, {"sizeof x", "sizeof(x)"}, {"sizeof (unsigned int *)", "sizeof(unsigned int*)"},
        {"p -> m . n", "p->m.n"}, {"o .* m", "o.*m"}, {"& * p", "&*p"}, {"(char *) p", "(char*)p"},
        {":: g", "::g"}, {"this", "this"}, {"+ x", "x"}, {"a << 2 >= b", "a<<2>=b"},
        // characters: octal escapes for what has no letter escape
        {"'\\07'", "'\\07'"}, {"'\\''", "'\\''"}, {"'\\1'", "'\\01'"}, {"'\\E'", "'\\033'"},
        {"'\\310'", "'\\310'"}, {"'\\0'", "'\\0'"}, {"'\\t'", "'\\t'"}, {"'\\\\'", "'\\\\'"},
        {"'\"'", "'\\\"'"}, {"'a'", "'a'"},
        {"\"a'b\\tc\"", "\"a\\'b\\tc\""}, {"L\"w\"", "L\"w\""}, {"\"a\" \"b\"", "\"a\",\"b\""},
        {"new int", "new  (int)"}, {"new int(3)", "new  (int) (3)"}, {"::new (p) char *", "::new (p) (char*)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(image(parse_plain(c.text)), c.image) << c.text;
}

// ---- Type search ----

class typed_expression_test : public expression_test {
protected:
    typed_expression_test()
    {
        declare("int i; double d; struct S { int m; }; struct S s; struct S *p; int arr[3];"
                "int f(int); char *str; enum E { A, B, C };");
    }
};

TEST_F(typed_expression_test, well_typed_expressions_are_silent)
{
    for (const char* text : {"arr[1]", "s.m", "p->m", "f(2)", "*p", "&i", "i + 1", "str[0]", "-d", "!p", "~i"}) {
        expr_node* n = parse(text);
        ASSERT_NE(n, nullptr) << text;
        EXPECT_NE(n->type, nullptr) << text;
    }
    EXPECT_TRUE(reports().empty());
}

TEST_F(typed_expression_test, result_types)
{
    type_node* t = parse("arr[1]")->type;
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->kind, TK_INTEGRAL);
    EXPECT_EQ(t->integral()->size, -32);
    EXPECT_EQ(parse("i / 2")->type->kind, TK_FLOATING);
    EXPECT_EQ(parse("1.0 + i")->type->kind, TK_FLOATING);
    EXPECT_EQ(parse("&i")->type->kind, TK_POINTER);
    EXPECT_EQ(parse("\"x\"")->type->kind, TK_POINTER);
    EXPECT_EQ(parse("{1, 2}")->type->kind, TK_STRUCT);
    EXPECT_EQ(parse("d < 1")->type->kind, TK_INTEGRAL);
}

// Each ill-typed text with the one report it draws and its argument.
TEST_F(typed_expression_test, type_messages)
{
    struct {
        const char *text, *code, *argument;
    } cases[] = {
        {"i[0]", "NONTABLEA", "i"},
        {"*i", "NONPOINTE", "i"},
        {"~d", "OPERENTIE", "\"~\""},
        {"!s", "OPERSCALA", "\"!\""},
        {"-s", "OPERARITH", " \"-\" "},
        {"p.m", "POINSTRUC", nullptr},
        {"s->m", "NOPOSTRUC", nullptr},
        {"i.m", "INVCHASTR", nullptr},
        {"s.q", "CHAMPINCO", "q"},
        {"nowhere + 1", "IDENTIINC", "nowhere"}, // once: the sum gets no type silently
        {"i(1)", "NONFONCTI", nullptr},
        {"1 ? s : 2", "TYPESDIFF", nullptr},
    };
    for (const auto& c : cases) {
        reports().clear();
        parse(c.text);
        ASSERT_EQ(codes(), codes_list{c.code}) << c.text;
        if (c.argument) {
            EXPECT_EQ(reports()[0].argument, c.argument) << c.text;
        }
    }
    EXPECT_EQ(parse("*i")->type, nullptr);
    EXPECT_EQ(reports().back().kind, kind_warning);
}

TEST_F(typed_expression_test, enumerators_have_their_enumeration)
{
    type_node* t = parse("B")->type;
    EXPECT_TRUE(reports().empty());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->kind, TK_ENUM);
}

// ---- Constant values and their uses ----

TEST_F(typed_expression_test, array_bounds)
{
    auto bound = [this](std::string_view text) {
        return array_bound_image(text, table, "", "t.c", 3, record_expression_report);
    };
    EXPECT_EQ(bound("{1, 2, 3}"), "3");
    EXPECT_EQ(bound("\"abc\""), "4");
    EXPECT_EQ(bound("\"ab\" \"c\""), "4");
    EXPECT_EQ(bound("2 * (3 + 4)"), "14");
    EXPECT_EQ(bound("-7 / 2"), "-3"); // truncated toward zero, as in C
    EXPECT_EQ(bound("-7 % 2"), "-1");
    EXPECT_EQ(bound("1 << 4 | 1"), "17");
    EXPECT_EQ(bound("sizeof(int) ? 2 : 3"), "1"); // computed, not an integer constant
    EXPECT_EQ(bound("i"), "1");
    EXPECT_EQ(bound("1.5"), "1");
    EXPECT_EQ(bound(""), std::nullopt);
    EXPECT_EQ(bound("1 +"), std::nullopt);
    EXPECT_EQ(bound("unknown_name"), std::nullopt);
    EXPECT_EQ(bound("4 / 0"), "1"); // no value, no crash
}

TEST_F(expression_test, enumerator_values)
{
    const pint five = enumerator_value("5", nullptr, table, nullptr, "t.c", 1, record_expression_report);
    EXPECT_EQ(decimal(five), "5");
    EXPECT_EQ(decimal(enumerator_value("", &five, table, nullptr, "t.c", 1, record_expression_report)), "6");
    EXPECT_EQ(decimal(enumerator_value("", nullptr, table, nullptr, "t.c", 1, record_expression_report)), "0");
    EXPECT_EQ(decimal(enumerator_value("'a' + 0x10", &five, table, nullptr, "t.c", 1, record_expression_report)), "113");
    EXPECT_EQ(decimal(enumerator_value("-(1 << 3)", nullptr, table, nullptr, "t.c", 1, record_expression_report)), "-8");
}

TEST_F(expression_test, enumerator_values_use_earlier_enumerators)
{
    enumerator a{"A", nullptr, pint_zero, nullptr};
    pint_from_int(a.numeric, 10);
    std::vector<enumerator*> earlier{&a};
    EXPECT_EQ(decimal(enumerator_value("A * 2 + 1", &a.numeric, table, &earlier, "t.c", 1,
                                       record_expression_report)),
              "21");
    // A value that computes no integer continues the sequence.
    EXPECT_EQ(decimal(enumerator_value("x", &a.numeric, table, &earlier, "t.c", 1, record_expression_report)), "11");
    EXPECT_TRUE(reports().empty()); // earlier names are not unknown
}

TEST_F(expression_test, bounds_of_value_trees)
{
    value_tree one{false, "1", {}};
    value_tree list{true, "", {&one, &one}};
    EXPECT_EQ(array_bound_of_value(list, nullptr, "t.c", 1, record_expression_report), "2");
    value_tree text{false, "\"hello\"", {}};
    EXPECT_EQ(array_bound_of_value(text, nullptr, "t.c", 1, record_expression_report), "6");
    value_tree sum{false, "4 * 8", {}};
    EXPECT_EQ(array_bound_of_value(sum, &table, "t.c", 1, record_expression_report), "32");
    value_tree name{false, "n", {}};
    EXPECT_EQ(array_bound_of_value(name, nullptr, "t.c", 1, record_expression_report), std::nullopt);
}

TEST_F(expression_test, declared_enumerators_carry_exact_values)
{
    declare("enum E { A, B = 5, C, D = B * 2, F = 'a' };");
    auto value_of = [this](std::string_view name) {
        const constant_result r = constant_value(parse(name), &table);
        EXPECT_EQ(r.kind, constant_kind::integer) << name;
        return decimal(r.value);
    };
    EXPECT_EQ(value_of("A"), "0");
    EXPECT_EQ(value_of("B"), "5");
    EXPECT_EQ(value_of("C"), "6");
    EXPECT_EQ(value_of("D"), "10");
    EXPECT_EQ(value_of("F"), "97");
    EXPECT_EQ(array_bound_image("D + 1", table, "", "t.c", 1, record_expression_report), "11");
    EXPECT_TRUE(reports().empty());
}

class scoped_expression_test : public expression_test {
protected:
    scoped_expression_test()
    {
        declare("namespace N { int v; struct In { int w; }; } struct S { int m; static int k; int f(int); };"
                "typedef struct S ST; ST s; ST *p; int (*fp)(int); unsigned char uc;");
    }
};

TEST_F(scoped_expression_test, qualified_names_look_inside_their_scope)
{
    expr_node* n = parse("N::v");
    ASSERT_EQ(n->kind, EK_QUALIFIED);
    EXPECT_EQ(image(n), "N::v");
    EXPECT_NE(n->type, nullptr);
    EXPECT_TRUE(reports().empty());
    parse("N::nothing");
    EXPECT_EQ(codes(), codes_list{"CHAMPINCO"});
    EXPECT_EQ(reports()[0].argument, "nothing");
}

TEST_F(scoped_expression_test, typedefs_are_followed_to_the_record)
{
    EXPECT_NE(parse("s.m")->type, nullptr);
    EXPECT_NE(parse("p->m")->type, nullptr);
    EXPECT_NE(parse("s.f(1)")->type, nullptr);
    EXPECT_NE(parse("fp(1)")->type, nullptr); // a call through a pointer to function
    EXPECT_TRUE(reports().empty());
}

TEST_F(scoped_expression_test, casts_and_new_are_typed_from_their_type_text)
{
    expr_node* n = parse("(unsigned char *) 0");
    ASSERT_EQ(n->kind, EK_CAST);
    ASSERT_NE(n->type, nullptr);
    EXPECT_EQ(n->type->kind, TK_POINTER);
    n = parse("new ST");
    ASSERT_EQ(n->kind, EK_NEW);
    ASSERT_NE(n->type, nullptr);
    EXPECT_EQ(n->type->kind, TK_POINTER);
    EXPECT_TRUE(reports().empty());
}

TEST_F(scoped_expression_test, names_of_the_scope_class_come_first)
{
    tree = parse_expression("m + k", &table, "S", "t.c", 1, record_expression_report);
    ASSERT_NE(tree, nullptr);
    EXPECT_NE(tree->root->type, nullptr);
    EXPECT_TRUE(reports().empty());
    parse("m");
    EXPECT_EQ(codes(), codes_list{"IDENTIINC"}); // not visible outside S
}

} // namespace
