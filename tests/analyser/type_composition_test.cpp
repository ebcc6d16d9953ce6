// The composition rules the declaration grammar reaches seldom or never,
// and the integral merge of specifier words.
#include "model_fixture.h"

namespace {

using integral_merge = model_test;

// The words compose in any order C allows; the type must not depend on it.
TEST_F(integral_merge, WordsMergeIntoOneIntegral)
{
    struct {
        type_node* type;
        const char* name;
        int size;
        unsigned character;
    } cases[] = {
        {compose(word("unsigned"), word("char")), "unsigned char", 8, 1},
        {compose(word("signed"), word("char")), "signed char", -8, 1},
        {compose(word("short"), word("int")), "short int", -16, 0},
        {compose(word("long"), word("long")), "long long", -64, 0},
        {compose(word("unsigned"), word("long")), "unsigned long", 32, 0},
        {compose(word("long"), word("unsigned")), "long unsigned", 32, 0},
        {compose(word("short"), word("unsigned")), "short unsigned", 16, 0},
        {compose(word("unsigned"), compose(word("long"), word("long"))), "unsigned long long", 64, 0},
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
    for (auto [first, second] : refused) {
        reports().clear();
        EXPECT_EQ(compose(word(first), word(second)), nullptr) << first << " " << second;
        EXPECT_EQ(report_lines(), texts{"W CONSTRUCT " + std::string(first) + " " + second});
    }
}

TEST_F(integral_merge, RefusedOperandsAreDiscarded)
{
    type_node* a = word("int");
    type_node* b = word("long");
    compose(a, b);
    std::size_t discarded = 0;
    bool a_found = false, b_found = false;
    for (auto& list : store.discards)
        for (type_node* t : list) {
            ++discarded;
            a_found |= t == a;
            b_found |= t == b;
        }
    EXPECT_EQ(discarded, 2u);
    EXPECT_TRUE(a_found && b_found);
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
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->scope_kind, owner_scope);
    EXPECT_EQ(r->scope_owner, owner);
    EXPECT_EQ(first->modifiers, nullptr);
    EXPECT_EQ(second->modifiers, nullptr);
    ASSERT_EQ(r->modifiers, c);
    EXPECT_EQ(c->modifiers, v);
}

using floating_rows = model_test;

TEST_F(floating_rows, ShortOrCharDoubleIsRefusedWithAnEmptyArgument)
{
    for (const char* w : {"short", "char"}) {
        reports().clear();
        EXPECT_EQ(compose(word(w), word("double")), nullptr);
        EXPECT_EQ(report_lines(), texts{"W CONSTRUCT "});
    }
}

TEST_F(floating_rows, FloatingUnderAPointerOrModifier)
{
    type_node* p = pointer();
    EXPECT_EQ(compose(p, word("float")), p);
    EXPECT_EQ(p->pointer()->pointee->kind, TK_FLOATING);
    type_node* c = modifier("const");
    EXPECT_EQ(compose(c, word("double")), c);
    EXPECT_EQ(c->modifier()->modified->kind, TK_FLOATING);
    EXPECT_EQ(compose(structure("S"), word("double")), nullptr);
    EXPECT_EQ(reports().size(), 1u);
}

using declarator_rows = model_test;

TEST_F(declarator_rows, PointerUnderAReferenceGoesIntoTheReference)
{
    type_node* r = reference();
    type_node* p = pointer();
    EXPECT_EQ(compose(r, p), r);
    EXPECT_EQ(r->reference()->referred, p);
}

TEST_F(declarator_rows, AReferenceTakesAReferenceAsItsReferredType)
{
    type_node* outer = reference();
    type_node* inner = reference();
    EXPECT_EQ(compose(outer, inner), outer);
    EXPECT_EQ(outer->reference()->referred, inner);
}

using named_rows = model_test;

TEST_F(named_rows, ANamedTypeMeetsOnlyItself)
{
    type_node* s = structure("S");
    EXPECT_EQ(compose(s, s), s);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(compose(structure("A"), structure("B")), nullptr);
    EXPECT_EQ(compose(word("int"), word("void")), nullptr);
    EXPECT_EQ(report_lines(), (texts{"W CONSTRUCT ", "W CONSTRUCT "}));
}

using modifier_rows = model_test;

TEST_F(modifier_rows, ModifierReceivesTheTypeAndIsMarkedComposed)
{
    type_node* c = modifier("const");
    type_node* i = word("int");
    EXPECT_EQ(compose(i, c), c);
    EXPECT_EQ(c->modifier()->modified, i);
    EXPECT_EQ(c->modifier()->composed, 1u);
}

TEST_F(modifier_rows, TwoLoneModifiersChain)
{
    type_node* c = modifier("const");
    type_node* v = modifier("volatile");
    EXPECT_EQ(compose(c, v), c);
    EXPECT_EQ(c->modifiers, v);
    EXPECT_EQ(c->modifier()->modified, nullptr);
    EXPECT_EQ(v->modifier()->composed, 1u);
}

TEST_F(modifier_rows, ADirectionWordWrapsTheOtherModifier)
{
    type_node* c = modifier("const");
    type_node* d = modifier("_out");
    EXPECT_EQ(compose(c, d), d);
    EXPECT_EQ(d->modifier()->modified, c);
    EXPECT_EQ(c->modifiers, nullptr);
}

TEST_F(modifier_rows, AModifierThatAlreadyModifiesWraps)
{
    type_node* ci = modified("const", word("int"));
    type_node* v = modifier("volatile");
    EXPECT_EQ(compose(ci, v), v);
    EXPECT_EQ(v->modifier()->modified, ci);
}

TEST_F(modifier_rows, OverAFunctionTheModifierTakesTheReturnType)
{
    type_node* i = word("int");
    type_node* c = modifier("const");
    EXPECT_EQ(compose(function(i), c), c);
    EXPECT_EQ(c->modifier()->modified, i);

    type_node* bare = create_type(store, TK_FUNCTION, nullptr, file_scope, nullptr);
    type_node* v = modified("volatile", word("int"));
    EXPECT_EQ(compose(bare, v), v);
    EXPECT_EQ(v->modifier()->modified, nullptr);
}

TEST_F(modifier_rows, OverAReferenceTheModifierGoesOnTheChain)
{
    type_node* r = reference();
    type_node* p = pointer();
    type_node* c = modified("const", p);
    type_node* result = compose(r, c);
    ASSERT_EQ(result, r);
    EXPECT_EQ(r->reference()->referred, p);
    EXPECT_EQ(r->modifiers, c);
    EXPECT_EQ(c->modifier()->modified, nullptr);
}

using failing_rows = model_test;

TEST_F(failing_rows, NullOperandsGiveTheOther)
{
    type_node* i = word("int");
    EXPECT_EQ(compose(nullptr, i), i);
    EXPECT_EQ(compose(i, nullptr), i);
    EXPECT_EQ(compose(nullptr, nullptr), nullptr);
}

TEST_F(failing_rows, TemplateInstanceGivesNullWithoutMessage)
{
    type_node* inst = create_type(store, TK_TEMPLATE_INSTANCE, make_instance_payload(store), file_scope, nullptr);
    EXPECT_EQ(compose(word("int"), inst), nullptr);
    EXPECT_TRUE(reports().empty());
}

TEST_F(failing_rows, UnlistedCombinationsAreInternalErrors)
{
    type_node* inst = create_type(store, TK_TEMPLATE_INSTANCE, make_instance_payload(store), file_scope, nullptr);
    EXPECT_EQ(compose(ellipsis(), array()), nullptr);
    EXPECT_EQ(compose(ellipsis(), pointer()), nullptr);
    EXPECT_EQ(compose(word("int"), ellipsis()), nullptr);
    EXPECT_EQ(compose(inst, word("int")), nullptr);
    EXPECT_EQ(compose(ellipsis(), function(nullptr)), nullptr);
    EXPECT_EQ(report_lines(), texts(5, "S ERRINTERN CPP_compose_type"));
}

TEST_F(failing_rows, AFailureInsideADeclaratorFailsTheWhole)
{
    type_node* p = pointer_to(word("short"));
    EXPECT_EQ(compose(p, word("double")), nullptr);
    EXPECT_EQ(report_lines(), texts{"W CONSTRUCT "});
}

} // namespace
