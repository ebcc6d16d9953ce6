// Deep copies: layers are copied, named records shared below the top. (A
// class copied over its forward declaration is checked where the analysis
// completes a forward class.)
#include "analyser/type_copy.h"
#include "model_fixture.h"

namespace {

using copying = model_test;

TEST_F(copying, LayersAreNewNodesWithTheirContentsCopied)
{
    type_node* i = word("int");
    i->modifiers = modifier("const");
    type_node* p = pointer_to(i);
    type_node* c = copy_type(store, nullptr, p, 0, nullptr, nullptr);
    ASSERT_NE(c, p);
    type_node* ci = c->pointer()->pointee;
    ASSERT_NE(ci, i);
    EXPECT_EQ(ci->integral()->size, -32);
    EXPECT_NE(ci->modifiers, i->modifiers);
    EXPECT_EQ(ci->modifiers->modifier()->word, "const");

    ci->integral()->name = "changed";
    EXPECT_EQ(i->integral()->name, "int");
    // An array's bound value too.
    type_node* a = array("");
    value_tree* list = make_list(store);
    append_value(store, list, make_leaf(store, "1"));
    a->array()->bound_value = list;
    a->array()->element = word("char");
    c = copy_type(store, nullptr, a, 0, nullptr, nullptr);
    EXPECT_NE(c->array()->bound_value, list);
    EXPECT_EQ(c->array()->bound_value->printed(), "{1}");
}

TEST_F(copying, EnumAtTheTopGetsNewEnumerators)
{
    type_node* e = enumeration("Colour", {"RED", "GREEN"});
    e->enumeration()->enumerators[1]->value = make_leaf(store, "5");
    type_node* c = copy_type(store, nullptr, e, 1, nullptr, nullptr);
    ASSERT_NE(c, e);
    ASSERT_EQ(c->enumeration()->enumerator_count(), 2u);
    EXPECT_EQ(c->enumeration()->name, "Colour");
    EXPECT_NE(c->enumeration()->enumerators[0], e->enumeration()->enumerators[0]);
    EXPECT_EQ(c->enumeration()->enumerators[1]->name, "GREEN");
    EXPECT_EQ(c->enumeration()->enumerators[1]->value->printed(), "5");
    EXPECT_NE(c->enumeration()->enumerators[1]->value, e->enumeration()->enumerators[1]->value);
}

TEST_F(copying, FunctionParametersAreNewSymbolsWithCopiedDefaults)
{
    type_node* f = function(word("int"), {{"count", word("long")}});
    symbol* p = f->function()->signature.parameters[0]->parameter;
    p->initialiser = make_leaf(store, "3");
    f->function()->signature.trailing_modifier = modifier("const");
    type_node* c = copy_type(store, nullptr, f, 1, nullptr, nullptr);
    ASSERT_NE(c, f);
    const function_signature& sig = c->function()->signature;
    ASSERT_EQ(sig.parameter_count(), 1u);
    symbol* cp = sig.parameters[0]->parameter;
    EXPECT_NE(cp, p);
    EXPECT_EQ(cp->name, "count");
    EXPECT_NE(cp->type, p->type);
    EXPECT_EQ(cp->type->integral()->name, "long");
    EXPECT_EQ(cp->initialiser->printed(), "3");
    EXPECT_EQ(sig.trailing_modifier->modifier()->word, "const");
    EXPECT_EQ(c->function()->return_type->integral()->name, "int");
}

// Below the top, named records, enumerations, typedefs and templates are
// shared; a function without payload, an instance and a nameless template
// are not copied at all. At the top a typedef keeps its name and shares a
// record target, and a template is copied.
TEST_F(copying, SharedAndUncopiedNodes)
{
    type_node* typedef_record = typedef_of("T", structure("S"));
    type_node* copied = copy_type(store, nullptr, typedef_record, 1, nullptr, nullptr);
    ASSERT_NE(copied, typedef_record);
    EXPECT_EQ(copied->typedef_data()->name, "T");
    EXPECT_EQ(copied->typedef_data()->target, typedef_record->typedef_data()->target);
    type_node* t = create_type(store, TK_TEMPLATE, make_template_payload(store, "Box", 1, "{ T v; }", 12, "box.h"),
                               file_scope, nullptr);
    for (type_node* shared : {structure("S"), enumeration("E", {"A"}), typedef_of("T", word("int")), t})
        EXPECT_EQ(copy_type(store, nullptr, shared, 0, nullptr, nullptr), shared);
    type_node* bare = create_type(store, TK_FUNCTION, nullptr, file_scope, nullptr);
    EXPECT_EQ(copy_type(store, nullptr, bare, 1, nullptr, nullptr), nullptr);
    type_node* inst = create_type(store, TK_TEMPLATE_INSTANCE, make_instance_payload(store), file_scope, nullptr);
    EXPECT_EQ(copy_type(store, nullptr, inst, 1, nullptr, nullptr), nullptr);
    type_node* nameless =
        create_type(store, TK_TEMPLATE, make_template_payload(store, "", 0, "", 0, ""), file_scope, nullptr);
    EXPECT_EQ(copy_type(store, nullptr, nameless, 0, nullptr, nullptr), nullptr);
    type_node* c = copy_type(store, nullptr, t, 1, nullptr, nullptr);
    ASSERT_NE(c, t);
    EXPECT_EQ(c->template_data()->name, "Box");
    EXPECT_EQ(c->template_data()->body, "{ T v; }");
    EXPECT_EQ(c->template_data()->line, 12u);
    EXPECT_EQ(c->template_data()->is_struct, 1u);
}

TEST_F(copying, BasesAndClassDataAreCopied)
{
    type_node* base = structure("B");
    type_node* d = structure("D", declared_as_class);
    d->struct_data()->bases.push_back(make_base(store, base, 1, access_private));
    d->struct_data()->befriends_test_class = 1;
    d->struct_data()->instantiation_state = 1;
    const struct_payload* c = copy_type(store, nullptr, d, 1, nullptr, nullptr)->struct_data();
    ASSERT_EQ(c->bases.size(), 1u);
    EXPECT_NE(c->bases[0], d->struct_data()->bases[0]);
    EXPECT_EQ(c->bases[0]->base, base);
    EXPECT_EQ(c->bases[0]->is_virtual, 1u);
    EXPECT_EQ(c->bases[0]->access, access_private);
    EXPECT_EQ(c->befriends_test_class, 1u);
    EXPECT_EQ(c->instantiation_state, 1u);
    EXPECT_EQ(c->declared_as, declared_as_class);
}

} // namespace
