// types_compatible: 0 equal, 1 compatible with a difference level, 2 not.
#include "analyser/type_compatibility.h"
#include "model_fixture.h"

namespace {

using compatibility = model_test;

TEST_F(compatibility, EqualTypesThroughTypedefs)
{
    type_node* i = word("int");
    EXPECT_EQ(types_compatible(i, i), 0);
    EXPECT_EQ(types_compatible(word("int"), word("int")), 0);
    EXPECT_EQ(types_compatible(word("int"), compose(word("signed"), word("int"))), 0);
    EXPECT_EQ(types_compatible(typedef_of("T", typedef_of("U", word("int"))), word("int")), 0);
    EXPECT_EQ(types_compatible(pointer_to(word("char")), pointer_to(word("char"))), 0);
    EXPECT_EQ(types_compatible(structure("S"), structure("S")), 0); // two records of one name and scope
}

int level_of(const type_node* a, const type_node* b, int expected_result)
{
    int level = 0;
    EXPECT_EQ(types_compatible(a, b, &level), expected_result);
    return level;
}

TEST_F(compatibility, DifferenceLevelsAndIncompatibleKinds)
{
    EXPECT_EQ(level_of(modified("const", word("int")), word("int"), 1), 1);
    EXPECT_EQ(level_of(pointer_to(modified("const", word("char"))), pointer_to(word("char")), 1), 1);
    EXPECT_EQ(level_of(word("int"), word("unsigned"), 1), 2);
    EXPECT_EQ(level_of(word("int"), word("short"), 1), 3);
    EXPECT_EQ(level_of(word("int"), enumeration("E", {"A"}), 1), 3);
    EXPECT_EQ(level_of(word("int"), word("float"), 1), 4);
    EXPECT_EQ(level_of(word("float"), word("double"), 1), 4);
    EXPECT_EQ(level_of(pointer_to(word("int")), pointer_to(word("char")), 1), 5);
    EXPECT_EQ(level_of(pointer_to(word("void")), pointer_to(word("char")), 1), 5);
    EXPECT_EQ(level_of(pointer_to(word("int")), word("long"), 1), 6);
    // The level keeps the largest seen.
    int level = 0;
    types_compatible(word("int"), word("short"), &level);
    types_compatible(modified("const", word("int")), word("int"), &level);
    EXPECT_EQ(level, 3);
    // Incompatible kinds.
    EXPECT_EQ(level_of(structure("A"), structure("B"), 2), 0);
    EXPECT_EQ(types_compatible(word("int"), structure("A")), 2);
    EXPECT_EQ(types_compatible(enumeration("E", {}), enumeration("F", {})), 2);
    EXPECT_EQ(types_compatible(word("void"), word("int")), 2);
    EXPECT_EQ(types_compatible(word("int"), nullptr), 2);
}

TEST_F(compatibility, FunctionsCompareParameterByParameter)
{
    type_node* a = function(word("int"), {{"x", word("int")}});
    type_node* b = function(word("int"), {{"y", word("int")}});
    EXPECT_EQ(types_compatible(a, b), 0);
    type_node* c = function(word("int"), {{"x", word("long")}});
    EXPECT_EQ(types_compatible(a, c), 0);  // long and int are both 32 bits by default
    type_node* d = function(word("int"), {{"x", pointer_to(word("int"))}});
    EXPECT_EQ(types_compatible(a, d), 1);
    type_node* e = function(word("int"), {{"x", word("int")}, {"y", word("int")}});
    EXPECT_EQ(types_compatible(a, e), 2);
    // A void parameter list equals an empty one.
    type_node* with_void = function(word("int"), {{"", word("void")}});
    type_node* empty = function(word("int"));
    EXPECT_EQ(types_compatible(with_void, empty), 0);
    EXPECT_EQ(types_compatible(empty, with_void), 0);
    type_node* named_void = function(word("int"), {{"v", word("void")}});
    EXPECT_EQ(types_compatible(named_void, empty), 2);
}

} // namespace
