// The expression tree: one expr_node per construct of an initialiser, an
// array bound or a value list, and the tree object that owns them.
//
// Every node of a tree, and every text a node holds, lives in the tree's own
// arena (deques, which never move what they hold), so children are plain
// pointers and releasing the tree releases everything at once: a failed or
// half-built parse cannot leak. A node is one record for all kinds; which
// fields mean something depends on the kind (see the comments below).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "expr/decimal_number.h"
#include "expr/pint.h"

struct type_node;

enum expr_kind : std::int32_t {
    EK_EMPTY = -1,         // a rejected construct
    EK_CONSTANT = 0,       // integer or character constant
    EK_FLOATING = 1,
    EK_NAME = 2,
    EK_PAREN = 3,
    EK_SUBSCRIPT = 4,      // a[b]
    EK_SLICE = 5,          // a[b..c]
    EK_CALL = 6,           // f(args)
    EK_MEMBER = 7,         // a.m, a->m
    EK_UNARY = 8,
    EK_BINARY = 9,
    EK_ASSOCIATION = 10,   // i => v, i..j => v
    EK_BRACE_LIST = 11,
    EK_NOTHING = 12,
    EK_CONDITIONAL = 13,
    EK_ADDRESS = 14,       // &a
    EK_INDIRECTION = 15,   // *a
    EK_STRING = 16,
    EK_CAST = 17,
    EK_LIST_ELEMENT = 18,  // an argument in a chain
    EK_CONSTRUCTION = 19,  // T(args)
    EK_NEW = 20,
    EK_QUALIFIED = 21,     // a::b
    EK_GLOBAL = 22,        // ::a
    EK_MEMBER_POINTER = 23, // a.*b, a->*b
    EK_THIS = 24,
    EK_WRAPPER = 25,
    EK_RANGE = 26,         // [a..b]
};

// Unary operator codes.
inline constexpr int op_negate = 1;
inline constexpr int op_logical_not = 13;
inline constexpr int op_complement = 17;
inline constexpr int op_sizeof = 44;

// Binary operator codes.
enum binary_code : int {
    op_add = 0, op_sub = 1, op_mul = 2, op_div = 3, op_mod = 4,
    op_less = 5, op_greater = 6, op_less_equal = 7, op_greater_equal = 8,
    op_not_equal = 9, op_equal = 10, op_and_and = 11, op_or_or = 12,
    op_bit_or = 14, op_bit_and = 15, op_bit_xor = 16, op_list = 18,
    op_shift_left = 19, op_shift_right = 20,
};

struct expr_node {
    expr_kind kind = EK_EMPTY;
    // Unary or binary operator code; arrow flag (7, 23); wide flag (16);
    // character flag (0).
    int code = 0;
    // Children: operand, array, callee, object, left, type, scope, index...
    expr_node* a = nullptr;
    // index, member, right, low, first argument, placement arguments...
    expr_node* b = nullptr;
    // high, third operand, last argument, initialiser arguments...
    expr_node* c = nullptr;
    // The allocated type of a new expression (its d field).
    expr_node* d = nullptr;
    // The next element of an argument chain (kind 18).
    expr_node* next = nullptr;
    // Brace list elements, in order.
    std::vector<expr_node*> elements;
    // Name, string contents, operator name of new.
    std::string_view text;
    // Constant value and its size in bits (negative when signed).
    pint value = pint_zero;
    std::int32_t size = 0;
    // Character constants: how many characters are packed, and their width.
    std::int32_t char_count = 0;
    std::int32_t char_width = 0;
    // Floating value and suffix ('f', 'L' or 0).
    decimal_number floating;
    char suffix = 0;
    // Depth of the subtree (1 for a leaf): walks recurse, so it is bounded.
    int depth = 1;
    // Set by the type search.
    type_node* type = nullptr;

    std::size_t element_count() const { return elements.size(); }
};

// The deepest tree the parser accepts; deeper texts fail as bad expressions.
inline constexpr int max_expression_depth = 2000;

class expression_tree {
public:
    expression_tree() = default;
    expression_tree(const expression_tree&) = delete;
    expression_tree& operator=(const expression_tree&) = delete;

    expr_node* root = nullptr;

    expr_node* make(expr_kind kind)
    {
        expr_node& n = nodes_.emplace_back();
        n.kind = kind;
        return &n;
    }
    std::string_view keep(std::string_view text) { return texts_.emplace_back(text); }
    std::size_t node_count() const { return nodes_.size(); }

private:
    std::deque<expr_node> nodes_;
    std::deque<std::string> texts_;
};
