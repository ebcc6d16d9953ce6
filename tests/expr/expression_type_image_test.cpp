// Images of expression trees, the type search and its messages, and the
// constant values behind array bounds and enumerators.
#include "expression_fixture.h"

#include "expr/constant_value.h"
#include "expr/expression_type.h"

namespace {

// ---- Images ----

TEST_F(expression_test, images)
{
    struct { const char *text, *image; } cases[] = {
        {"a [ i .. j ]", "a[i..j]"}, {"a ? b : c", "(a?b:c)"}, {"x + (y * 2)", "x+(y*2)"}, {"- 1", "-1"},
        {"! ~ x", "!~x"}, {"sizeof x", "sizeof(x)"}, {"[5..7]", "[5..7]"},
        {"sizeof (unsigned int *)", "sizeof(unsigned int*)"},
        {"p -> m . n", "p->m.n"}, {"o .* m", "o.*m"}, {"& * p", "&*p"}, {"(char *) p", "(char*)p"},
        {":: g", "::g"}, {"this", "this"}, {"+ x", "x"}, {"a << 2 >= b", "a<<2>=b"},
        // characters: octal escapes for what has no letter escape
        {"'\\07'", "'\\07'"}, {"'\\''", "'\\''"}, {"'\\1'", "'\\01'"}, {"'\\E'", "'\\033'"},
        {"'\\310'", "'\\310'"}, {"'\\0'", "'\\0'"}, {"'\\t'", "'\\t'"}, {"'\\\\'", "'\\\\'"},
        {"'\"'", "'\\\"'"}, {"'a'", "'a'"},
        {"\"a'b\\tc\"", "\"a\\'b\\tc\""}, {"L\"w\"", "L\"w\""}, {"\"a\" \"b\"", "\"a\",\"b\""},
        {"new int", "new  (int)"}, {"new int(3)", "new  (int) (3)"},
        {"::new (p) char *", "::new (p) (char*)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(image(parse_plain(c.text)), c.image) << c.text;
}

// ---- Type search ----

// Variables of every kind of type, s and p reached through a typedef.
class typed_expression_test : public expression_test {
protected:
    typed_expression_test()
    {
        declare("int i; double d; int arr[3]; int f(int); char *str; enum E { A, B, C };"
                "namespace N { int v; struct In { int w; }; } struct S { int m; static int k; int f(int); };"
                "typedef struct S ST; ST s; ST *p; int (*fp)(int);");
    }
};

TEST_F(typed_expression_test, well_typed_expressions_are_silent)
{
    // s and p reach their record through a typedef; fp is a pointer to function.
    for (const char* text : {"arr[1]", "s.m", "p->m", "f(2)", "*p", "&i", "i + 1", "str[0]", "-d", "!p", "~i",
                             "B", "s.f(1)", "fp(1)"})
        EXPECT_NE(parse(text)->type, nullptr) << text;
    EXPECT_TRUE(reports().empty());
}

TEST_F(typed_expression_test, result_types)
{
    ASSERT_EQ(parse("arr[1]")->type->kind, TK_INTEGRAL);
    EXPECT_EQ(tree->root->type->integral()->size, -32);
    EXPECT_EQ(parse("B")->type->kind, TK_ENUM); // an enumerator has its enumeration
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
    struct { const char *text, *code, *argument; } cases[] = {
        {"i[0]", "NONTABLEA", "i"}, {"*i", "NONPOINTE", "i"}, {"~d", "OPERENTIE", "\"~\""},
        {"!s", "OPERSCALA", "\"!\""}, {"-s", "OPERARITH", " \"-\" "}, {"p.m", "POINSTRUC", nullptr},
        {"s->m", "NOPOSTRUC", nullptr}, {"i.m", "INVCHASTR", nullptr}, {"s.q", "CHAMPINCO", "q"},
        {"i(1)", "NONFONCTI", nullptr}, {"1 ? s : 2", "TYPESDIFF", nullptr},
        {"nowhere + 1", "IDENTIINC", "nowhere"}, // once: the sum gets no type silently
    };
    for (const auto& c : cases) {
        reports().clear();
        parse(c.text);
        ASSERT_EQ(codes(), codes_list{c.code}) << c.text;
        EXPECT_EQ(c.argument ? c.argument : reports()[0].argument, reports()[0].argument) << c.text;
    }
    EXPECT_EQ(parse("*i")->type, nullptr);
    EXPECT_EQ(reports().back().kind, kind_warning);
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
    // The bounds of value trees: a list counts its elements, a leaf is computed.
    auto tree_bound = [&](value_tree value, scope_table* names = nullptr) {
        return array_bound_of_value(value, names, "t.c", 1, record_expression_report);
    };
    value_tree one{false, "1", {}};
    EXPECT_EQ(tree_bound({true, "", {&one, &one}}), "2");
    EXPECT_EQ(tree_bound({false, "\"hello\"", {}}), "6");
    EXPECT_EQ(tree_bound({false, "4 * 8", {}}, &table), "32");
    EXPECT_EQ(tree_bound({false, "n", {}}), std::nullopt);
}

TEST_F(expression_test, enumerator_values)
{
    enumerator a{"A", nullptr, pint_zero, nullptr};
    pint_from_int(a.numeric, 10);
    std::vector<enumerator*> earlier{&a};
    auto value = [&](std::string_view text, const pint* previous, std::vector<enumerator*>* names = nullptr) {
        return decimal(enumerator_value(text, previous, table, names, "t.c", 1, record_expression_report));
    };
    EXPECT_EQ(value("5", nullptr), "5");
    EXPECT_EQ(value("", &a.numeric), "11");
    EXPECT_EQ(value("", nullptr), "0");
    EXPECT_EQ(value("'a' + 0x10", &a.numeric), "113");
    EXPECT_EQ(value("-(1 << 3)", nullptr), "-8");
    EXPECT_EQ(value("A * 2 + 1", &a.numeric, &earlier), "21");
    EXPECT_EQ(value("x", &a.numeric, &earlier), "11"); // no integer: the sequence continues
    EXPECT_TRUE(reports().empty()); // earlier names are not unknown
    // Declared enumerators carry their exact values.
    declare("enum E { A, B = 5, C, D = B * 2, F = 'a' };");
    for (auto [name, value] : {std::pair{"A", "0"}, {"B", "5"}, {"C", "6"}, {"D", "10"}, {"F", "97"}}) {
        const constant_result r = constant_value(parse(name), &table);
        EXPECT_TRUE(r.kind == constant_kind::integer && decimal(r.value) == value) << name;
    }
    EXPECT_EQ(array_bound_image("D + 1", table, "", "t.c", 1, record_expression_report), "11");
    EXPECT_TRUE(reports().empty());
}

TEST_F(typed_expression_test, qualified_and_class_scope_names)
{
    ASSERT_EQ(parse("N::v")->kind, EK_QUALIFIED);
    EXPECT_EQ(image(tree->root), "N::v");
    EXPECT_NE(tree->root->type, nullptr);
    EXPECT_TRUE(reports().empty());
    parse("N::nothing");
    EXPECT_EQ(codes(), codes_list{"CHAMPINCO"});
    EXPECT_EQ(reports()[0].argument, "nothing");
    // Inside a class scope its own names come first.
    reports().clear();
    tree = parse_expression("m + k", &table, "S", "t.c", 1, record_expression_report);
    EXPECT_NE(tree->root->type, nullptr);
    EXPECT_TRUE(reports().empty());
    parse("m");
    EXPECT_EQ(codes(), codes_list{"IDENTIINC"}); // not visible outside S
}

TEST_F(typed_expression_test, casts_and_new_are_typed_from_their_type_text)
{
    ASSERT_EQ(parse("(unsigned char *) 0")->kind, EK_CAST);
    EXPECT_EQ(tree->root->type->kind, TK_POINTER);
    ASSERT_EQ(parse("new ST")->kind, EK_NEW);
    EXPECT_EQ(tree->root->type->kind, TK_POINTER);
    EXPECT_TRUE(reports().empty());
}


} // namespace
