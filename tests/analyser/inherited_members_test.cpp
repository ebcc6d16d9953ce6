// compute_inherited on classes analysed from C++ text: the access rules of
// private, protected and public derivation, the friend bits 16 and 32,
// through_virtual, the order of bases, access declarations, and the
// 100-level limit. Each expectation is the access a reader works out from
// the derivation rules.
#include <string>

#include "analyser/class_record.h"
#include "grammar_fixture.h"

using inherited_members = grammar_test;

namespace {

struct seen {
    std::string name;
    std::uint32_t access;
    std::uint32_t through_virtual;
    bool operator==(const seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const seen& s)
{
    return out << s.name << "/" << s.access << "/" << s.through_virtual;
}

std::vector<seen> inherited_of(const type_node* record)
{
    std::vector<seen> list;
    if (!record || !record->struct_data())
        return list;
    for (const member_node* m : record->struct_data()->inherited)
        list.push_back({m->member ? m->member->name : "<label>", m->access, m->through_virtual});
    return list;
}

constexpr std::uint32_t inh = access_inherited;
constexpr std::uint32_t pub = access_public;
constexpr std::uint32_t priv = access_private;
constexpr std::uint32_t prot = access_protected;

} // namespace

// Private derivation makes every member private, protected turns public
// into protected; by default a struct derives publicly, a class privately.
// A member passing through a private derivation further up stays private,
// whatever the derivation of the level that declared it.
TEST_F(inherited_members, access_follows_the_derivation)
{
    analyse("class B { int hidden; protected: int shared; public: int open; void f(); };\n"
            "class V : private B { };\nclass D : protected B { };\nstruct P : B { };\nclass Q : B { };\n"
            "struct C { int c; };\nclass B2 : private C { public: int b; };\nclass D2 : public B2 { };\n");
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(inherited_of(tag("V", TK_STRUCT)),
              (std::vector<seen>{{"hidden", priv | inh, 0}, {"shared", priv | inh, 0}, {"open", priv | inh, 0},
                                 {"f", priv | inh, 0}}));
    EXPECT_EQ(inherited_of(tag("D", TK_STRUCT)),
              (std::vector<seen>{
                  {"hidden", priv | inh, 0}, {"shared", prot | inh, 0}, {"open", prot | inh, 0}, {"f", prot | inh, 0}}));
    EXPECT_EQ(inherited_of(tag("P", TK_STRUCT))[2], (seen{"open", pub | inh, 0}));
    EXPECT_EQ(inherited_of(tag("Q", TK_STRUCT))[2], (seen{"open", priv | inh, 0}));
    EXPECT_EQ(inherited_of(tag("D2", TK_STRUCT)), (std::vector<seen>{{"b", pub | inh, 0}, {"c", priv | inh, 0}}));
}

TEST_F(inherited_members, bases_contribute_in_order_own_members_first)
{
    analyse("struct A0 { int a0; };\nstruct A : A0 { int a; };\nstruct B { int b; };\n"
            "struct D : A, B { int d; };\n");
    EXPECT_EQ(inherited_of(tag("D", TK_STRUCT)),
              (std::vector<seen>{{"a", pub | inh, 0}, {"a0", pub | inh, 0}, {"b", pub | inh, 0}}));
    // The copies keep the class that declared them.
    const auto& inherited = tag("D", TK_STRUCT)->struct_data()->inherited;
    EXPECT_EQ(inherited[1]->member->scope_owner, tag("A0", TK_STRUCT));
    EXPECT_NE(inherited[1]->member, tag("A0", TK_STRUCT)->struct_data()->members[0]->member);
}

TEST_F(inherited_members, friend_bits_16_and_32)
{
    init_table(table, "TestBase");
    analyse("class Base { friend class TestBase; friend class D; int secret; public: int open; };\n"
            "class D : public Base { };\nclass E : public Base { };\n");
    EXPECT_TRUE(reports().empty());
    const std::uint32_t both = access_base_befriends_derived | access_base_befriends_test;
    // Friend members are not inherited.
    EXPECT_EQ(inherited_of(tag("D", TK_STRUCT)),
              (std::vector<seen>{{"secret", priv | inh | both, 0}, {"open", pub | inh | both, 0}}));
    EXPECT_EQ(inherited_of(tag("E", TK_STRUCT)),
              (std::vector<seen>{{"secret", priv | inh | access_base_befriends_test, 0},
                                 {"open", pub | inh | access_base_befriends_test, 0}}));
}

TEST_F(inherited_members, virtual_base_and_virtual_path)
{
    analyse("struct V { int v; };\nstruct M : virtual V { int m; };\nstruct D : M { int d; };\n"
            "struct W : virtual M { };\n");
    EXPECT_EQ(inherited_of(tag("M", TK_STRUCT)), (std::vector<seen>{{"v", pub | inh, 1}}));
    EXPECT_EQ(inherited_of(tag("D", TK_STRUCT)), (std::vector<seen>{{"m", pub | inh, 0}, {"v", pub | inh, 1}}));
    EXPECT_EQ(inherited_of(tag("W", TK_STRUCT)), (std::vector<seen>{{"m", pub | inh, 1}, {"v", pub | inh, 1}}));
}

TEST_F(inherited_members, access_declaration_matches_by_name_and_owner)
{
    analyse("struct B { int x; };\nstruct C { int x; };\nclass D : private B, private C { public: B::x; };\n");
    EXPECT_TRUE(reports().empty());
    const auto& inherited = tag("D", TK_STRUCT)->struct_data()->inherited;
    ASSERT_EQ(inherited.size(), 1u);
    EXPECT_EQ(inherited[0]->member->scope_owner, tag("C", TK_STRUCT));
}

TEST_F(inherited_members, derivation_chain_stops_after_100_levels)
{
    std::string text = "struct C0 { int m0; };\n";
    for (int i = 1; i <= 101; ++i)
        text += "struct C" + std::to_string(i) + " : C" + std::to_string(i - 1) + " { int m" + std::to_string(i) +
                "; };\n";
    analyse(text);
    EXPECT_TRUE(reports().empty());
    const std::vector<seen> list = inherited_of(tag("C101", TK_STRUCT));
    ASSERT_EQ(list.size(), 100u); // m100 down to m1; C0 is the 101st level
    EXPECT_EQ(list.front().name, "m100");
    EXPECT_EQ(list.back().name, "m1");
    EXPECT_EQ(inherited_of(tag("C100", TK_STRUCT)).size(), 100u);
    EXPECT_EQ(inherited_of(tag("C99", TK_STRUCT)).size(), 99u);
}

// Also a record named as its own base, and a base written twice, end
// quickly.
TEST_F(inherited_members, diamond_lists_the_shared_base_once)
{
    analyse("struct A { int a; };\nstruct B : A { int b; };\nstruct C : A { int c; };\nstruct D : B, C { };\n"
            "struct VB : virtual A { };\nstruct VC : virtual A { };\nstruct VD : VB, VC { };\n"
            "struct S;\nstruct S : S { int a; };\nstruct T { int t; };\nstruct U : T, T, T { };\n");
    EXPECT_EQ(inherited_of(tag("U", TK_STRUCT)), (std::vector<seen>{{"t", pub | inh, 0}}));
    EXPECT_LE(tag("S", TK_STRUCT)->struct_data()->inherited.size(), 100u);
    EXPECT_EQ(inherited_of(tag("D", TK_STRUCT)),
              (std::vector<seen>{{"b", pub | inh, 0}, {"a", pub | inh, 0}, {"c", pub | inh, 0}}));
    EXPECT_EQ(inherited_of(tag("VD", TK_STRUCT)), (std::vector<seen>{{"a", pub | inh, 1}}));
}

// Forty diamonds stacked: walking every path would make 2^40 copies.
TEST_F(inherited_members, chain_of_diamonds_lists_each_ancestor_once)
{
    std::string text = "struct D0 { int m; };\n";
    for (int i = 1; i <= 40; ++i) {
        const std::string n = std::to_string(i);
        const std::string below = "D" + std::to_string(i - 1);
        text += "struct L" + n + " : " + below + " { };\nstruct R" + n + " : " + below + " { };\n";
        text += "struct D" + n + " : L" + n + ", R" + n + " { int m" + n + "; };\n";
    }
    analyse(text);
    EXPECT_TRUE(reports().empty());
    // Each of the 40 lower diamonds and D0 contributes its one member once.
    EXPECT_EQ(inherited_of(tag("D40", TK_STRUCT)).size(), 40u);
}
