// The state of one expression parse, shared by the scanner, the grammar's
// actions and parse_expression (internal to the expression parser).
//
// The flex scanner (expression_lexer.l) and the bison parser
// (expression_grammar.y) are both reentrant: everything they need lives in
// this object, passed to them explicitly, so a parse started while another
// one runs (a type search inside an action) is simply another object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "diag/report.h"
#include "expr/expr_node.h"

class scope_table;
struct type_node;

// What a token or a reduced construct carries on the parser's stack.
struct expr_semantic {
    expr_node* node = nullptr;
    std::string_view text;   // token text (names, type words)
    type_node* type = nullptr; // the class a name stands for, for "::"
};

class expression_parser {
public:
    expression_parser(std::string_view text, scope_table* table, std::string_view scope_name,
                      std::string_view file_name, int line, report_callback report);
    ~expression_parser();
    expression_parser(const expression_parser&) = delete;
    expression_parser& operator=(const expression_parser&) = delete;

    // Runs the grammar; true when it accepted the text.
    bool run();

    std::unique_ptr<expression_tree> tree = std::make_unique<expression_tree>();
    scope_table* table;
    std::string_view scope_name;
    type_node* scope_class = nullptr; // the class named by scope_name, if any
    std::string file_name;
    int line;
    report_callback report;
    std::string text; // cut at its first NUL
    bool stack_overflow = false;
    bool too_deep = false;
    bool reported_error = false;

    // Scanner side.
    int next_token(expr_semantic& value);
    void warn(const char* code, std::string_view argument);
    void error(const char* code, std::string_view argument);
    int name_token(std::string_view name, expr_semantic& value);
    int integer_token(std::string_view token, expr_semantic& value);
    int floating_token(std::string_view token, expr_semantic& value);
    int character_token(std::string_view token, expr_semantic& value);
    int string_token(std::string_view token, expr_semantic& value);
    void mark_end() { hit_end_ = true; }
    void new_line() { ++line; }
    bool hit_end() const { return hit_end_; }
    int last_token = 0;

    // Grammar side: node builders. Each computes the subtree depth and
    // marks the parse as failed when it exceeds max_expression_depth.
    expr_node* node(expr_kind kind, expr_node* a = nullptr, expr_node* b = nullptr, expr_node* c = nullptr);
    expr_node* unary(int code, expr_node* operand);
    expr_node* binary(int code, expr_node* left, expr_node* right);
    expr_node* name(std::string_view text);
    expr_node* empty() { return node(EK_EMPTY); }
    // Appends an argument to a chain held as first (b) and last (c) of owner.
    expr_node* chain(expr_node* owner, expr_node* argument);
    // A call or construction of the arguments gathered in holder.
    expr_node* with_arguments(expr_kind kind, expr_node* callee, expr_node* holder);
    void add_element(expr_node* list, expr_node* element);
    expr_node* new_node(std::string_view operator_name, expr_node* placement, std::string_view type_text,
                        expr_node* initialiser);
    void syntax_error(const char* message);
    void bad_expression(); // EXPERRONE with the whole text
    void bad_range();      // SYNTAXERR with the range example

private:
    bool hit_end_ = false;
    type_node* last_class_ = nullptr; // class of the last name, for "::"
    void* scanner_ = nullptr;
};
