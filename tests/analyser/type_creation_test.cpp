// Specifier words as types, value trees and direction words.
#include "model_fixture.h"

namespace {

using creation = model_test;

// Each word with its size on the default target, then on a target with an
// unsigned 16-bit char and a 64-bit long: bool follows the char size only.
TEST_F(creation, SpecifierWordsTakeTheTargetSizes)
{
    struct {
        const char* word;
        int size, other_size;
        unsigned character;
    } cases[] = {
        {"char", -8, 16, 1}, {"wchar_t", -8, 16, 1}, {"bool", -8, -16, 0},     {"short", -16, -16, 0},
        {"int", -32, -32, 0}, {"long", -32, -64, 0}, {"signed", -32, -32, 0}, {"unsigned", 32, 32, 0},
    };
    for (const auto& c : cases)
        expect_integral(word(c.word), c.word, c.size, c.character);
    store.sizes.plain_char_unsigned = true;
    store.sizes.char_bits = 16;
    store.sizes.long_bits = 64;
    for (const auto& c : cases)
        expect_integral(word(c.word), c.word, c.other_size, c.character);
    // Floating, void and unknown words.
    type_node* d = word("double");
    ASSERT_EQ(d->kind, TK_FLOATING);
    EXPECT_EQ(d->floating()->name, "double");
    EXPECT_EQ(word("void")->kind, TK_VOID);
    EXPECT_EQ(word("size_t"), nullptr);
}

TEST_F(creation, ValueTreesPrintAsWrittenAndCopiesAreIndependent)
{
    // Nested lists and leaves print as the initialiser tests read them back.
    EXPECT_EQ(make_list(store)->printed(), "{}");
    // Appending to a leaf makes a one-element list first.
    value_tree* v = make_leaf(store, "x");
    append_value(store, v, make_leaf(store, "y"));
    EXPECT_TRUE(v->is_list);
    EXPECT_EQ(v->printed(), "{x, y}");
    value_tree* c = copy_value(store, v);
    append_value(store, c, make_leaf(store, "z"));
    c->elements[0]->text = "9";
    EXPECT_EQ(v->printed(), "{x, y}");
    EXPECT_EQ(c->printed(), "{9, y, z}");
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

TEST_F(direction, WordsGiveTheirIndexWhereverTheyAre)
{
    EXPECT_EQ(direction_of(pointer_to(modified("_out", word("int"))), false), 2);
    EXPECT_EQ(direction_of(pointer_to(modified("_INOUT", word("int"))), false), 5);
    EXPECT_EQ(direction_of(modified("_in", word("int")), false), 0);
    EXPECT_EQ(direction_of(modified("_NO", word("int")), false), 7);
    EXPECT_EQ(direction_index("_inout") / 2, 2);
    EXPECT_EQ(direction_of(pointer_to(word("int")), false), no_direction);
    EXPECT_EQ(direction_of(modified("const", word("int")), false), no_direction);
    EXPECT_EQ(direction_of(nullptr, false), no_direction);
    // Found through arrays, functions, references and chains.
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
    // Clearing removes the word so it is not found again.
    type_node* m = modified("_out", word("int"));
    type_node* p = pointer_to(m);
    EXPECT_EQ(direction_of(p, true), 2);
    EXPECT_EQ(m->modifier()->word, "");
    EXPECT_EQ(direction_of(p, false), no_direction);
}

} // namespace
