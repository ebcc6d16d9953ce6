// The composition rules the declaration grammar reaches seldom or never,
// and the integral merge of specifier words.
#include <algorithm>

#include "model_fixture.h"

namespace {

using integral_merge = model_test;

// The words compose in any order C allows; the type must not depend on it.
// (unsigned char, short int and unsigned long long grouped from the right
// are read from text in the grammar tests.)
TEST_F(integral_merge, WordsMergeIntoOneIntegral)
{
    struct {
        type_node* type;
        const char* name;
        int size;
        unsigned character;
    } cases[] = {
        {compose(word("signed"), word("char")), "signed char", -8, 1},
        {compose(word("long"), word("long")), "long long", -64, 0},
        {compose(word("unsigned"), word("long")), "unsigned long", 32, 0},
        {compose(word("long"), word("unsigned")), "long unsigned", 32, 0},
        {compose(word("short"), word("unsigned")), "short unsigned", 16, 0},
        {compose(compose(word("unsigned"), word("long")), word("long")), "unsigned long long", 64, 0},
        {compose(word("long"), compose(word("unsigned"), word("long"))), "long unsigned long", 64, 0},
        {compose(compose(word("signed"), word("long")), word("long")), "signed long long", -64, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expect_integral(c.type, c.name, c.size, c.character);
    }
    EXPECT_TRUE(reports().empty());
    // The sizes come from the target.
    store.sizes.long_bits = 64;
    store.sizes.long_long_bits = 128;
    store.sizes.short_bits = 8;
    expect_integral(compose(word("long"), word("int")), "long int", -64, 0);
    expect_integral(compose(word("long"), word("long")), "long long", -128, 0);
    expect_integral(compose(word("short"), word("int")), "short int", -8, 0);
}

TEST_F(integral_merge, ContradictingWordsAreRefusedWithTheJoinedWords)
{
    const std::pair<const char*, const char*> refused[] = {
        {"unsigned", "signed"}, {"signed", "unsigned"}, {"long", "short"},
        {"short", "long"},      {"int", "long"},        {"unsigned", "unsigned"}};
    texts expected;
    for (auto [first, second] : refused) {
        EXPECT_EQ(compose(word(first), word(second)), nullptr) << first << " " << second;
        expected.push_back("W CONSTRUCT " + std::string(first) + " " + second);
    }
    EXPECT_EQ(report_lines(), expected);
}

TEST_F(integral_merge, RefusedOperandsAreDiscarded)
{
    type_node* a = word("int");
    type_node* b = word("long");
    compose(a, b);
    std::vector<type_node*> discarded;
    for (auto& list : store.discards)
        discarded.insert(discarded.end(), list.begin(), list.end());
    std::sort(discarded.begin(), discarded.end());
    EXPECT_EQ(discarded, (a < b ? std::vector{a, b} : std::vector{b, a}));
}

TEST_F(integral_merge, ResultTakesTheScopeOfSecondAndJoinsBothChains)
{
    type_node* owner = structure("S");
    type_node* first = word("unsigned");
    type_node* second = create_specifier_type(store, "int", owner_scope, owner);
    type_node* c = modifier("const");
    type_node* v = modifier("volatile");
    first->modifiers = c;
    second->modifiers = v;
    type_node* r = compose(first, second);
    EXPECT_EQ(r->scope_kind, owner_scope);
    EXPECT_EQ(r->scope_owner, owner);
    EXPECT_EQ(first->modifiers, nullptr);
    EXPECT_EQ(second->modifiers, nullptr);
    ASSERT_EQ(r->modifiers, c);
    EXPECT_EQ(c->modifiers, v);
}

// Floating words go under a pointer or modifier; short or char double, or a
// failure inside a declarator, is refused with an empty argument.
TEST_F(integral_merge, FloatingWordsUnderADeclaratorOrRefused)
{
    type_node* p = pointer();
    EXPECT_EQ(compose(p, word("float")), p);
    EXPECT_EQ(p->pointer()->pointee->kind, TK_FLOATING);
    type_node* c = modifier("const");
    EXPECT_EQ(compose(c, word("double")), c);
    EXPECT_EQ(c->modifier()->modified->kind, TK_FLOATING);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(compose(word("short"), word("double")), nullptr);
    EXPECT_EQ(compose(word("char"), word("double")), nullptr);
    EXPECT_EQ(compose(structure("S"), word("double")), nullptr);
    EXPECT_EQ(compose(pointer_to(word("short")), word("double")), nullptr);
    EXPECT_EQ(report_lines(), texts(4, "W CONSTRUCT "));
}

using declarator_rows = model_test;

// A pointer, or another reference, under a reference becomes its referred type.
TEST_F(declarator_rows, ReferencesTakeTheirReferredTypeAndNamedTypesOnlyThemselves)
{
    for (type_node* inner : {pointer(), reference()}) {
        type_node* r = reference();
        EXPECT_EQ(compose(r, inner), r);
        EXPECT_EQ(r->reference()->referred, inner);
    }
    // A named type meets only itself.
    type_node* s = structure("S");
    EXPECT_EQ(compose(s, s), s);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(compose(structure("A"), structure("B")), nullptr);
    EXPECT_EQ(compose(word("int"), word("void")), nullptr);
    EXPECT_EQ(report_lines(), (texts{"W CONSTRUCT ", "W CONSTRUCT "}));
}

using modifier_rows = model_test;

// Two lone modifiers chain; a direction word wraps the other modifier; one
// that already modifies is wrapped. (A lone modifier receiving the type is
// "extern const int e" in the grammar tests.)
TEST_F(modifier_rows, ModifiersChainOrWrap)
{
    type_node* c = modifier("const");
    type_node* v = modifier("volatile");
    EXPECT_EQ(compose(c, v), c);
    EXPECT_EQ(c->modifiers, v);
    EXPECT_EQ(c->modifier()->modified, nullptr);
    EXPECT_EQ(v->modifier()->composed, 1u);

    c = modifier("const");
    type_node* d = modifier("_out");
    EXPECT_EQ(compose(c, d), d);
    EXPECT_EQ(d->modifier()->modified, c);
    EXPECT_EQ(c->modifiers, nullptr);

    type_node* ci = modified("const", word("int"));
    v = modifier("volatile");
    EXPECT_EQ(compose(ci, v), v);
    EXPECT_EQ(v->modifier()->modified, ci);
}

// Over a function the modifier takes the return type; over a reference it
// goes on the chain.
TEST_F(modifier_rows, OverAFunctionOrReference)
{
    type_node* i = word("int");
    type_node* c = modifier("const");
    EXPECT_EQ(compose(function(i), c), c);
    EXPECT_EQ(c->modifier()->modified, i);

    type_node* bare = create_type(store, TK_FUNCTION, nullptr, file_scope, nullptr);
    type_node* v = modified("volatile", word("int"));
    EXPECT_EQ(compose(bare, v), v);
    EXPECT_EQ(v->modifier()->modified, nullptr);

    type_node* r = reference();
    type_node* p = pointer();
    c = modified("const", p);
    ASSERT_EQ(compose(r, c), r);
    EXPECT_EQ(r->reference()->referred, p);
    EXPECT_EQ(r->modifiers, c);
    EXPECT_EQ(c->modifier()->modified, nullptr);
}

using failing_rows = model_test;

// A null operand gives the other; an instance gives null silently; the
// combinations no rule lists are internal errors.
TEST_F(failing_rows, NullInstanceAndUnlistedCombinations)
{
    type_node* i = word("int");
    EXPECT_EQ(compose(nullptr, i), i);
    EXPECT_EQ(compose(i, nullptr), i);
    EXPECT_EQ(compose(nullptr, nullptr), nullptr);
    type_node* inst = create_type(store, TK_TEMPLATE_INSTANCE, make_instance_payload(store), file_scope, nullptr);
    EXPECT_EQ(compose(word("int"), inst), nullptr);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(compose(ellipsis(), array()), nullptr);
    EXPECT_EQ(compose(ellipsis(), pointer()), nullptr);
    EXPECT_EQ(compose(word("int"), ellipsis()), nullptr);
    EXPECT_EQ(compose(inst, word("int")), nullptr);
    EXPECT_EQ(compose(ellipsis(), function(nullptr)), nullptr);
    EXPECT_EQ(report_lines(), texts(5, "S ERRINTERN CPP_compose_type"));
}

} // namespace
