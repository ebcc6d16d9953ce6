// The expression scanner and grammar: constants and their messages, the
// value notation, the rejected constructs, syntax errors and the limits.
#include "expression_fixture.h"

#include "diag/report.h"

namespace {

// ---- Integer constants ----

// The value in its base, and the size by the C rules with a 32-bit long
// (negative for a signed type).
TEST_F(expression_test, integer_forms_take_their_base_and_size)
{
    struct { const char* text; const char* value; int size; } cases[] = {
        {"0FFh", "255", -32}, {"101b", "5", -32}, {"0", "0", -32}, {"017", "15", -32}, {"0x1F", "31", -32},
        {"1H", "1", -32}, {"42", "42", -32}, {"42UL", "42", 32}, {"0fh", "15", -32}, {"11B", "3", -32},
        {"7u", "7", 32}, {"7LL", "7", -64},
        {"0xFFFFFFFF", "4294967295", 32},  // hexadecimal: unsigned int fits
        {"4294967295", "4294967295", -64}, // decimal: long long
    };
    for (const auto& c : cases) {
        expr_node* n = parse_plain(c.text);
        EXPECT_TRUE(n->kind == EK_CONSTANT && decimal(n->value) == c.value && n->size == c.size) << c.text;
    }
    EXPECT_TRUE(reports().empty());
}

TEST_F(expression_test, constant_out_of_range_is_cut_to_its_size)
{
    // 65 bits: nothing fits, the value keeps its low 64 bits.
    EXPECT_EQ(decimal(parse_plain("0x1FFFFFFFFFFFFFFFF")->value), "18446744073709551615");
    ASSERT_EQ(codes(), codes_list{"ENTOUTRAN"});
    EXPECT_EQ(reports()[0].argument, "0x1FFFFFFFFFFFFFFFF");
    EXPECT_EQ(reports()[0].kind, kind_warning);
    // The "h" and binary forms have the int size only.
    EXPECT_EQ(decimal(parse_plain("100000001h")->value), "1");
    EXPECT_EQ(codes(), (codes_list{"ENTOUTRAN", "ENTOUTRAN"}));
    EXPECT_EQ(parse_plain("FFFFFFFFh")->kind, EK_NAME); // a letter first: a name, not a constant
    // Beyond 168 bits: reported, with no OVERFLOW from the arithmetic.
    parse_plain(std::string(80, '9'));
    EXPECT_EQ(codes(), (codes_list{"ENTOUTRAN", "ENTOUTRAN", "ENTOUTRAN"}));
    EXPECT_EQ(current_counts().errors, 0);
}

TEST_F(expression_test, floating_constants_keep_their_suffix)
{
    expr_node* n = parse_plain("1.5f");
    ASSERT_EQ(n->kind, EK_FLOATING);
    EXPECT_EQ(n->suffix, 'f');
    EXPECT_EQ(image(n), "0.15E1f");
    EXPECT_EQ(parse_plain("2e3L")->suffix, 'L');
    EXPECT_EQ(image(parse_plain(".5")), "0.5");
}

// ---- Character constants ----

TEST_F(expression_test, character_constants)
{
    for (auto [text, value] :
         {std::pair{"'\\E'", "27"}, {"'\\x41'", "65"}, {"'\\101'", "65"}, {"'\\{'", "123"}, {"'\\n'", "10"}})
        EXPECT_EQ(decimal(parse_plain(text)->value), value) << text;
    EXPECT_TRUE(reports().empty());

    EXPECT_EQ(decimal(parse_plain("'\\q'")->value), "113"); // the letter q
    EXPECT_EQ(codes(), codes_list{"SEQUEINCO"});
    EXPECT_EQ(reports()[0].argument, "\\q");
    // A multi-character constant packs its first character highest.
    EXPECT_EQ(decimal(parse_plain("'ab'")->value), "24930"); // 0x6162
    EXPECT_EQ(tree->root->code, 1);
    EXPECT_EQ(codes(), (codes_list{"SEQUEINCO", "MULCARCST"}));
    EXPECT_EQ(reports()[1].argument, "'ab'");
    // The sign follows plain char.
    EXPECT_EQ(decimal(parse_plain("'\\377'")->value), "-1");
    table.store.sizes.plain_char_unsigned = true;
    EXPECT_EQ(decimal(parse("'\\377'")->value), "255");
}

// ---- Value notation ----

TEST_F(expression_test, value_notation)
{
    EXPECT_EQ(parse_plain("{1, 2, 3}")->kind, EK_BRACE_LIST);
    EXPECT_EQ(tree->root->element_count(), 3u);
    EXPECT_EQ(parse_plain("{1, 2, 3,}")->element_count(), 3u);
    EXPECT_EQ(parse_plain("{}")->element_count(), 0u);
    EXPECT_EQ(parse_plain("{{1, 2}, {3, 4}}")->element_count(), 2u);
    EXPECT_EQ(parse_plain("a [ i .. j ]")->kind, EK_SLICE);
    // "5." then ".." is a range of integers, not a floating constant.
    ASSERT_EQ(parse_plain("[5..7]")->kind, EK_RANGE);
    EXPECT_EQ(tree->root->a->kind, EK_CONSTANT);
    // Associations, ranges and others.
    expr_node* n = parse_plain("{1 => 2, 3 .. 4 => 5, others => 0}");
    ASSERT_EQ(n->element_count(), 3u);
    EXPECT_EQ(n->elements[0]->kind, EK_ASSOCIATION);
    EXPECT_EQ(n->elements[1]->b->kind, EK_CONSTANT);
    EXPECT_EQ(n->elements[2]->a->kind, EK_NAME);
    EXPECT_EQ(n->elements[2]->a->text, "others");
    EXPECT_EQ(image(n), "{1=>2,3..4=>5,others=>0}");
    EXPECT_EQ(image(parse_plain("autres => 1")), "autres=>1");
    EXPECT_TRUE(reports().empty());
}

// ---- Messages ----

// Each text with the one report it draws, its argument, its kind, and
// whether the tree left is the empty node.
TEST_F(expression_test, rejected_texts_and_their_messages)
{
    struct { const char *text, *code, *argument; int kind; bool empty; } cases[] = {
        {"[1]", "SYNTAXERR", "[min..max]", kind_warning, true},
        {"x = 1", "AFFECTATI", nullptr, kind_warning, true},
        {"x <<= 1", "AFFECTATI", nullptr, kind_warning, true},
        {"1, 2", "SOUSEXPRE", nullptr, kind_warning, true},
        {"(1, 2)", "SOUSEXPRE", nullptr, kind_warning, false}, // the parenthesis holds the empty node
        {"x++", "POSTINCRE", nullptr, kind_warning, false},
        {"x--", "POSTDECRE", nullptr, kind_warning, false},
        {"''", "CSTCARVID", nullptr, kind_warning, false},
        {"'\\x'", "NOHEXDIGI", nullptr, kind_warning, false},
        {"'abcde'", "TOLOCSTCA", nullptr, kind_warning, false},
        {"'ab", "INVCSTCAR", nullptr, kind_warning, false},
        {"1 ) + 2", "EXPERRONE", "1 ) + 2", kind_warning, false}, // the whole text quoted
        {"a \\ b", "EXPERRONE", nullptr, kind_warning, false},
        {"1 +", "UNEXP_EOF", nullptr, kind_error, false},
    };
    for (const auto& c : cases) {
        reports().clear();
        expr_node* n = parse_plain(c.text);
        ASSERT_EQ(codes(), codes_list{c.code}) << c.text;
        EXPECT_EQ(reports()[0].kind, c.kind) << c.text;
        EXPECT_EQ(c.argument ? c.argument : reports()[0].argument, reports()[0].argument) << c.text;
        EXPECT_TRUE(!c.empty || n->kind == EK_EMPTY) << c.text;
    }
    EXPECT_EQ(parse_plain("(1, 2)")->a->kind, EK_EMPTY);
    EXPECT_EQ(parse_plain("x++")->kind, EK_NAME); // the operand is kept
    EXPECT_EQ(decimal(parse_plain("'abcde'")->value), "1633837924"); // 'abcd'
    reports().clear();
    EXPECT_EQ(image(parse_plain("f(1, 2)")), "f(1,2)"); // in a call the comma separates arguments
    EXPECT_TRUE(reports().empty());
}

TEST_F(expression_test, empty_text_gives_no_tree)
{
    EXPECT_EQ(parse_plain(""), nullptr);
    EXPECT_EQ(parse_plain(" \t\n"), nullptr);
    EXPECT_TRUE(reports().empty());
}

// Nesting beyond the parser's stack, and a chain long enough to make the
// tree walks recurse too deep, are refused cleanly.
TEST_F(expression_test, deep_nesting_and_long_operator_chains_are_refused)
{
    EXPECT_EQ(parse_plain(std::string(400, '(') + "1" + std::string(400, ')')), nullptr);
    EXPECT_EQ(codes(), codes_list{"EXPERRONE"});
    reports().clear();
    std::string chain = "1";
    for (int i = 0; i < 5000; ++i)
        chain += "+1";
    EXPECT_EQ(parse_plain(chain), nullptr);
    EXPECT_EQ(codes(), codes_list{"EXPERRONE"});
    // A long brace list is wide, not deep.
    reports().clear();
    std::string list = "{1";
    for (int i = 0; i < 5000; ++i)
        list += ",1";
    list += "}";
    EXPECT_EQ(parse_plain(list)->element_count(), 5001u);
    free_expression(tree);
    EXPECT_EQ(tree, nullptr);
}

// ---- Names through the table ----

TEST_F(expression_test, typedef_names_make_casts_and_constructions)
{
    declare("typedef int count; struct point { int x; };");
    expr_node* n = parse("(count)3");
    ASSERT_EQ(n->kind, EK_CAST);
    EXPECT_EQ(image(n), "(count)3");
    EXPECT_NE(n->type, nullptr);
    // Without the table the same text is a call of a parenthesised name.
    EXPECT_EQ(parse_plain("(count)(3)")->kind, EK_CALL);
    EXPECT_EQ(parse("point(1, 2)")->kind, EK_CONSTRUCTION);
}

} // namespace
