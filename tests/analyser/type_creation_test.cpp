// Specifier words as types, value trees and direction words.
#include "model_fixture.h"

namespace {

using creation = model_test;

void expect_integral(type_node* t, std::string_view name, int size, unsigned character)
{
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->kind, TK_INTEGRAL);
    EXPECT_EQ(t->integral()->name, name);
    EXPECT_EQ(t->integral()->size, size);
    EXPECT_EQ(t->integral()->is_character, character);
}

TEST_F(creation, SpecifierWordsTakeTheDefaultTargetSizes)
{
    expect_integral(word("char"), "char", -8, 1);
    expect_integral(word("wchar_t"), "wchar_t", -8, 1);
    expect_integral(word("bool"), "bool", -8, 0);
    expect_integral(word("short"), "short", -16, 0);
    expect_integral(word("int"), "int", -32, 0);
    expect_integral(word("long"), "long", -32, 0);
    expect_integral(word("signed"), "signed", -32, 0);
    expect_integral(word("unsigned"), "unsigned", 32, 0);
}

TEST_F(creation, PlainCharFollowsTheTargetAndBoolDoesNot)
{
    store.sizes.plain_char_unsigned = true;
    store.sizes.char_bits = 16;
    store.sizes.long_bits = 64;
    expect_integral(word("char"), "char", 16, 1);
    expect_integral(word("wchar_t"), "wchar_t", 16, 1);
    expect_integral(word("bool"), "bool", -16, 0);
    expect_integral(word("long"), "long", -64, 0);
}

TEST_F(creation, FloatingVoidAndUnknownWords)
{
    type_node* d = word("double");
    ASSERT_EQ(d->kind, TK_FLOATING);
    EXPECT_EQ(d->floating()->name, "double");
    EXPECT_EQ(word("void")->kind, TK_VOID);
    EXPECT_EQ(word("size_t"), nullptr);
}

TEST_F(creation, NewTypeHasEvaluationFieldsAndItsScope)
{
    type_node* owner = structure("S");
    type_node* t = create_type(store, TK_VOID, nullptr, owner_scope, owner);
    EXPECT_EQ(t->evaluation[0], 6);
    EXPECT_EQ(t->evaluation[1], 0);
    EXPECT_EQ(t->evaluation[2], -1);
    EXPECT_EQ(t->scope_kind, owner_scope);
    EXPECT_EQ(t->scope_owner, owner);
    EXPECT_EQ(t->modifiers, nullptr);
    EXPECT_EQ(t->template_origin, nullptr);
}

TEST_F(creation, ValueTreesPrintAsWrittenWithNestedBraces)
{
    value_tree* inner = make_list(store);
    append_value(store, inner, make_leaf(store, "2"));
    append_value(store, inner, make_leaf(store, "3"));
    value_tree* outer = make_list(store);
    append_value(store, outer, make_leaf(store, "1"));
    append_value(store, outer, inner);
    EXPECT_EQ(outer->printed(), "{1, {2, 3}}");
    EXPECT_EQ(make_leaf(store, "a+b")->printed(), "a+b");
    EXPECT_EQ(make_list(store)->printed(), "{}");
}

TEST_F(creation, AppendingToALeafMakesAOneElementListFirst)
{
    value_tree* v = make_leaf(store, "x");
    append_value(store, v, make_leaf(store, "y"));
    EXPECT_TRUE(v->is_list);
    EXPECT_EQ(v->count(), 2u);
    EXPECT_EQ(v->printed(), "{x, y}");
}

TEST_F(creation, ACopiedValueTreeIsIndependent)
{
    value_tree* v = make_list(store);
    append_value(store, v, make_leaf(store, "1"));
    value_tree* c = copy_value(store, v);
    append_value(store, c, make_leaf(store, "2"));
    c->elements[0]->text = "9";
    EXPECT_EQ(v->printed(), "{1}");
    EXPECT_EQ(c->printed(), "{9, 2}");
}

TEST_F(creation, RecordsKeepTheirAddressAsTheStoreGrowsAndGoWithClear)
{
    type_node* first = word("int");
    std::vector<type_node*> made;
    for (int i = 0; i < 5000; ++i)
        made.push_back(word("short"));
    EXPECT_EQ(first->integral()->name, "int");
    EXPECT_EQ(made[17]->integral()->size, -16);
    EXPECT_NE(made[16], made[17]);
    store.clear();
    EXPECT_EQ(word("long")->integral()->size, -32);
}

using direction = model_test;

TEST_F(direction, WordsGiveTheirIndex)
{
    EXPECT_EQ(direction_of(pointer_to(modified("_out", word("int"))), false), 2);
    EXPECT_EQ(direction_of(pointer_to(modified("_INOUT", word("int"))), false), 5);
    EXPECT_EQ(direction_of(modified("_in", word("int")), false), 0);
    EXPECT_EQ(direction_of(modified("_NO", word("int")), false), 7);
    EXPECT_EQ(direction_index("_inout") / 2, 2);
}

TEST_F(direction, NoWordGivesEight)
{
    EXPECT_EQ(direction_of(pointer_to(word("int")), false), no_direction);
    EXPECT_EQ(direction_of(modified("const", word("int")), false), no_direction);
    EXPECT_EQ(direction_of(nullptr, false), no_direction);
}

TEST_F(direction, FoundThroughArraysFunctionsReferencesAndChains)
{
    type_node* a = array("3");
    a->array()->element = pointer_to(modified("_out", word("char")));
    EXPECT_EQ(direction_of(a, false), 2);

    EXPECT_EQ(direction_of(function(modified("_IN", word("int"))), false), 1);

    type_node* r = create_type(store, TK_REFERENCE, make_reference_payload(store, modified("_inout", word("int"))),
                               file_scope, nullptr);
    EXPECT_EQ(direction_of(r, false), 4);

    type_node* i = word("int");
    i->modifiers = modifier("_OUT");
    EXPECT_EQ(direction_of(pointer_to(i), false), 3);
}

TEST_F(direction, ClearRemovesTheWordSoItIsNotFoundAgain)
{
    type_node* m = modified("_out", word("int"));
    type_node* p = pointer_to(m);
    EXPECT_EQ(direction_of(p, true), 2);
    EXPECT_EQ(m->modifier()->word, "");
    EXPECT_EQ(direction_of(p, false), no_direction);
}

} // namespace
