// Buckets and the walk, lookups and visibility, the scope stack.
#include "model_fixture.h"

namespace {

TEST(name_hash, LengthDigitPlusTenTimesSumDigit)
{
    EXPECT_EQ(name_bucket(""), 0);
    EXPECT_EQ(name_bucket("x"), 1);        // 120
    EXPECT_EQ(name_bucket("ab"), 52);      // 195
    EXPECT_EQ(name_bucket("main"), 14);    // 421
    EXPECT_EQ(name_bucket("abcdefghij"), 50);  // 10 bytes, 1015
    EXPECT_EQ(name_bucket("aaaaaaaaaaaaaaaaaaaf"), 50);  // 20 bytes, 1945
    EXPECT_EQ(name_bucket("\xe9"), 71);  // -23 counts as a sum digit of 7, inside the table
}

class table_test : public model_test {
protected:
    symbol_entry* variable(std::string_view name, type_node* owner = nullptr)
    {
        return declare_symbol(name, word("int"), 0, "a.c", owner);
    }
    type_node* name_space(std::string_view name) { return structure(name, declared_as_namespace); }
};

// Removed entries leave the walk and the lookup.
TEST_F(table_test, WalkGoesByBucketThenInsertionOrder)
{
    variable("ab");
    variable("x");
    symbol_entry* a = variable("abcdefghij");
    variable("aaaaaaaaaaaaaaaaaaaf");
    EXPECT_EQ(symbol_names(), (texts{"x", "abcdefghij", "aaaaaaaaaaaaaaaaaaaf", "ab"}));
    remove_symbol(a, table);
    EXPECT_EQ(symbol_names(), (texts{"x", "aaaaaaaaaaaaaaaaaaaf", "ab"}));
    EXPECT_EQ(find_symbol("abcdefghij", table, {}), nullptr);
    remove_symbol(a, table);  // a second removal changes nothing
    EXPECT_EQ(symbol_names().size(), 3u);
}

// Tables side by side are independent. (Each session numbering its unnamed
// namespaces from one shows in the namespace grammar test.)
TEST_F(table_test, TablesSideBySideAndInitTable)
{
    scope_table other;
    other.session = &session;
    variable("x");
    EXPECT_EQ(find_symbol("x", other, {}), nullptr);
    walk_symbols(other, [&](symbol_entry&) { ADD_FAILURE() << "the other table has an entry"; });
    // init_table empties the table and sets the friend class.
    push_scope(table, 0, scope_mode_plain, "", nullptr, TK_STRUCT);
    init_table(table, "TESTER");
    EXPECT_TRUE(symbol_names().empty());
    EXPECT_EQ(table.counter, 0u);
    EXPECT_FALSE(scope_open(table));
    EXPECT_EQ(find_symbol("x", table, {}), nullptr);
    EXPECT_EQ(session.friend_class_name, "TESTER");
    init_table(table, nullptr);
    EXPECT_EQ(session.friend_class_name, "");
}

using lookups = table_test;

TEST_F(lookups, AClassContextSeesItsMembersFirstThenOutward)
{
    type_node* c = structure("C");
    type_node* d = create_type(store, TK_STRUCT, make_struct_payload(store, "D", 1), owner_scope, c);
    symbol_entry* global = variable("x");
    symbol_entry* member = variable("x", c);
    EXPECT_EQ(find_symbol("x", table, {owner_scope, c}), member);
    EXPECT_EQ(find_symbol("x", table, {owner_scope, d}), member);
    EXPECT_EQ(find_symbol("x", table, {}), global);
    variable("m", c); // a member is not visible from file scope
    EXPECT_EQ(find_symbol("m", table, {}), nullptr);
}

TEST_F(lookups, UsedNamespacesAndTheirChainsAreVisibleEverywhere)
{
    type_node* n = name_space("N");
    type_node* continuation = name_space("N");
    n->namespace_chain = continuation;
    symbol_entry* v = variable("v", n);
    symbol_entry* w = variable("w", continuation);
    EXPECT_EQ(find_symbol("v", table, {}), nullptr);
    EXPECT_FALSE(is_visible(table, w, {}));
    table.used_namespaces.push_back(n);
    EXPECT_EQ(find_symbol("v", table, {}), v);
    EXPECT_EQ(find_symbol("w", table, {}), w);
    type_node* c = structure("C");
    EXPECT_TRUE(is_visible(table, v, {owner_scope, c}));
    // A namespace used inside a class is visible only from it.
    type_node* m = name_space("M");
    c->used_namespaces.push_back(m);
    symbol_entry* k = variable("k", m);
    EXPECT_TRUE(is_visible(table, k, {owner_scope, c}));
    EXPECT_FALSE(is_visible(table, k, {}));
    EXPECT_EQ(find_symbol("k", table, {owner_scope, c}), k);
}

using scope_stack = model_test;

TEST_F(scope_stack, ModesGiveTheirScopes)
{
    EXPECT_EQ(current_scope_kind(table), file_scope); // without frames, file scope and public access
    EXPECT_EQ(current_access(table), access_public);
    pop_scope(table); // nothing to pop
    type_node* c = structure("C");
    push_scope(table, access_private, scope_mode_owner, "", c, TK_STRUCT);
    EXPECT_EQ(current_scope_kind(table), owner_scope);
    EXPECT_EQ(current_owner(table), c);
    EXPECT_EQ(current_access(table), access_private);

    push_scope(table, access_public, scope_mode_new_owner, "Inner", nullptr, TK_UNION);
    type_node* inner = current_owner(table);
    EXPECT_EQ(inner->kind, TK_UNION);
    EXPECT_EQ(inner->scope_kind, owner_scope);
    EXPECT_EQ(inner->scope_owner, c);
    EXPECT_EQ(find_context_class(table, "Inner"), nullptr);  // not at file level

    push_scope(table, 0, scope_mode_plain, "", nullptr, TK_STRUCT);
    EXPECT_EQ(current_scope_kind(table), file_scope);
    EXPECT_EQ(current_owner(table), nullptr);
    pop_scope(table);
    EXPECT_EQ(current_owner(table), inner);
    pop_scope(table);
    EXPECT_EQ(current_owner(table), c);

    push_scope(table, 0, scope_mode_owner, "", nullptr, TK_STRUCT);
    EXPECT_EQ(current_scope_kind(table), file_scope);
    EXPECT_EQ(innermost_frame(table)->outer, &table.frames[0]);
}

TEST_F(scope_stack, AFileLevelNamedOwnerIsTheRegisteredContextClass)
{
    push_scope(table, access_private, scope_mode_new_owner, "Ctx", nullptr, TK_STRUCT);
    type_node* first = current_owner(table);
    pop_scope(table);
    push_scope(table, access_private, scope_mode_new_owner, "Ctx", nullptr, TK_STRUCT);
    EXPECT_EQ(current_owner(table), first);
    const context_class* registered = find_context_class(table, "Ctx");
    EXPECT_EQ(registered->owner, first);
    EXPECT_EQ(registered->placeholder->kind, TK_FUNCTION);
    EXPECT_EQ(first->scope_kind, file_scope);
}

// (Using declarations go the same way; a class's are read from text in the
// declaration regression tests.)
TEST_F(scope_stack, UsedNamespacesBelongToTheOwnerInsideAClass)
{
    type_node* c = structure("C");
    type_node* n = structure("N", declared_as_namespace);
    current_used_namespaces(table).push_back(n);
    EXPECT_EQ(table.used_namespaces.size(), 1u);
    push_scope(table, 0, scope_mode_owner, "", c, TK_STRUCT);
    current_used_namespaces(table).push_back(n);
    EXPECT_EQ(c->used_namespaces.size(), 1u);
    EXPECT_EQ(table.used_namespaces.size(), 1u);
}

} // namespace
