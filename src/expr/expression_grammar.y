/* The expression grammar: C++ expressions and the value notation of test
 * scripts (brace lists, associations "i => v" with ranges or "others",
 * bracketed ranges "[a..b]" and slices "a[b..c]").
 *
 * A pure LALR(1) parser whose state is the expression_parser it is given.
 * The binary operators are one rule each under bison's precedence
 * declarations instead of one nonterminal per level. Casts are told from
 * parenthesised expressions by the scanner, which returns declared type
 * names as TYPE_NAME; type names have no function declarators, so "(T(" is
 * always a construction.
 *
 * Constructs a test value cannot hold (assignments, comma expressions,
 * increments) parse and warn; assignments and comma expressions become the
 * empty node. The stack holds 150 states and never grows: a deeper nesting
 * ends the parse as a bad expression instead of exhausting memory.
 *
 * The four conflicts counted by %expect are settled by shifting, as C++
 * reads them: a "*" or "&" after the type of a "new" (directly or after
 * other pointer marks) belongs to the allocated type, never to a product or
 * a bitwise and.
 */

%define api.pure full
%define api.prefix {xpr_}
%define api.token.prefix {T_}
%define api.value.type {expr_semantic}
%parse-param {expression_parser& p}
%lex-param {expression_parser& p}
%expect 4

%code requires {
#include "expr/expression_parser.h"
}

%code provides {
int xpr_lex(XPR_STYPE* value, expression_parser& p);
void xpr_error(expression_parser& p, const char* message);
}

%code {
#include <QCoreApplication>

// Bison stops one cell before the array is full, hence the + 1.
constexpr int parser_stack_states = 150;
#define YYMAXDEPTH (parser_stack_states + 1)
#define YYINITDEPTH YYMAXDEPTH

namespace {

std::string join_type(std::string_view left, std::string_view right)
{
    if (left.empty())
        return std::string(right);
    if (right == "*" || right == "&" || left.back() == '*' || left.back() == '&')
        return std::string(left) + std::string(right);
    return std::string(left) + " " + std::string(right);
}

} // namespace
}

%token IDENTIFIER TYPE_NAME INT_CONST FLOAT_CONST CHAR_CONST STRING_LIT
%token ASM AUTO BOOL BREAK CASE CATCH CHAR CLASS CONST CONST_CAST CONTINUE DEFAULT DELETE DO DOUBLE
%token DYNAMIC_CAST ELSE ENUM EXPLICIT EXPORT EXTERN FALSE FLOAT FOR FRIEND GOTO IF INLINE INT LONG
%token MUTABLE NAMESPACE NEW OPERATOR OVERLOAD PRIVATE PROTECTED PUBLIC REGISTER REINTERPRET_CAST RETURN
%token SHORT SIGNED SIZEOF STATIC STATIC_CAST STRUCT SWITCH TEMPLATE THIS THROW TRUE TRY TYPEDEF TYPEID
%token TYPENAME UNION UNSIGNED USING VIRTUAL VOID VOLATILE WHILE WCHAR_T
%token DOT_STAR SCOPE ARROW_STAR ARROW INCR DECR SHL_ASSIGN SHR_ASSIGN SHL SHR LE GE EQ NE ANDAND OROR
%token MUL_ASSIGN DIV_ASSIGN MOD_ASSIGN ADD_ASSIGN SUB_ASSIGN AND_ASSIGN XOR_ASSIGN OR_ASSIGN
%token ELLIPSIS FAT_ARROW DOTDOT

%left OROR
%left ANDAND
%left '|'
%left '^'
%left '&'
%left EQ NE
%left '<' '>' LE GE
%left SHL SHR
%left '+' '-'
%left '*' '/' '%'
%left DOT_STAR ARROW_STAR

%start input

%%

input
    : %empty                    { p.tree->root = nullptr; }
    | top                       { p.tree->root = $1.node; }
    ;

top
    : value
    | top ',' value             { p.warn("SOUSEXPRE", ""); $$.node = p.empty(); }
    | error                     { $$.node = p.empty(); }
    ;

value
    : assignment
    | association
    | brace_list
    ;

brace_list
    : '{' '}'                   { $$.node = p.node(EK_BRACE_LIST); }
    | '{' elements '}'          { $$ = $2; }
    | '{' elements ',' '}'      { $$ = $2; }
    | '{' error '}'             { $$.node = p.node(EK_BRACE_LIST); }
    ;

elements
    : value                     { $$.node = p.node(EK_BRACE_LIST); p.add_element($$.node, $1.node); }
    | elements ',' value        { $$ = $1; p.add_element($$.node, $3.node); }
    ;

association
    : conditional FAT_ARROW value
                                { $$.node = p.node(EK_ASSOCIATION, $1.node, nullptr, $3.node); }
    | conditional DOTDOT conditional FAT_ARROW value
                                { $$.node = p.node(EK_ASSOCIATION, $1.node, $3.node, $5.node); }
    ;

expression
    : assignment
    | expression ',' assignment { p.warn("SOUSEXPRE", ""); $$.node = p.empty(); }
    ;

assignment
    : conditional
    | unary assignment_operator assignment
                                { p.warn("AFFECTATI", ""); $$.node = p.empty(); }
    ;

assignment_operator
    : '=' | MUL_ASSIGN | DIV_ASSIGN | MOD_ASSIGN | ADD_ASSIGN | SUB_ASSIGN
    | SHL_ASSIGN | SHR_ASSIGN | AND_ASSIGN | XOR_ASSIGN | OR_ASSIGN
    ;

conditional
    : binary
    | binary '?' expression ':' conditional
                                { $$.node = p.node(EK_CONDITIONAL, $1.node, $3.node, $5.node); }
    ;

binary
    : cast
    | binary OROR binary        { $$.node = p.binary(op_or_or, $1.node, $3.node); }
    | binary ANDAND binary      { $$.node = p.binary(op_and_and, $1.node, $3.node); }
    | binary '|' binary         { $$.node = p.binary(op_bit_or, $1.node, $3.node); }
    | binary '^' binary         { $$.node = p.binary(op_bit_xor, $1.node, $3.node); }
    | binary '&' binary         { $$.node = p.binary(op_bit_and, $1.node, $3.node); }
    | binary EQ binary          { $$.node = p.binary(op_equal, $1.node, $3.node); }
    | binary NE binary          { $$.node = p.binary(op_not_equal, $1.node, $3.node); }
    | binary '<' binary         { $$.node = p.binary(op_less, $1.node, $3.node); }
    | binary '>' binary         { $$.node = p.binary(op_greater, $1.node, $3.node); }
    | binary LE binary          { $$.node = p.binary(op_less_equal, $1.node, $3.node); }
    | binary GE binary          { $$.node = p.binary(op_greater_equal, $1.node, $3.node); }
    | binary SHL binary         { $$.node = p.binary(op_shift_left, $1.node, $3.node); }
    | binary SHR binary         { $$.node = p.binary(op_shift_right, $1.node, $3.node); }
    | binary '+' binary         { $$.node = p.binary(op_add, $1.node, $3.node); }
    | binary '-' binary         { $$.node = p.binary(op_sub, $1.node, $3.node); }
    | binary '*' binary         { $$.node = p.binary(op_mul, $1.node, $3.node); }
    | binary '/' binary         { $$.node = p.binary(op_div, $1.node, $3.node); }
    | binary '%' binary         { $$.node = p.binary(op_mod, $1.node, $3.node); }
    | binary DOT_STAR binary    { $$.node = p.node(EK_MEMBER_POINTER, $1.node, $3.node); $$.node->code = 0; }
    | binary ARROW_STAR binary  { $$.node = p.node(EK_MEMBER_POINTER, $1.node, $3.node); $$.node->code = 1; }
    ;

cast
    : unary
    | '(' type_name ')' cast    { $$.node = p.node(EK_CAST, p.name($2.text), $4.node); }
    ;

unary
    : postfix
    | INCR unary                { p.warn("POSTINCRE", ""); $$ = $2; }
    | DECR unary                { p.warn("POSTDECRE", ""); $$ = $2; }
    | '-' cast                  { $$.node = p.unary(op_negate, $2.node); }
    | '+' cast                  { $$.node = p.node(EK_WRAPPER, $2.node); }
    | '!' cast                  { $$.node = p.unary(op_logical_not, $2.node); }
    | '~' cast                  { $$.node = p.unary(op_complement, $2.node); }
    | '*' cast                  { $$.node = p.node(EK_INDIRECTION, $2.node); }
    | '&' cast                  { $$.node = p.node(EK_ADDRESS, $2.node); }
    | SIZEOF unary              { $$.node = p.unary(op_sizeof, $2.node); }
    | SIZEOF '(' type_name ')'  { $$.node = p.unary(op_sizeof, p.name($3.text)); $$.node->suffix = 't'; }
    | new_expression
    | DELETE cast               { p.bad_expression(); $$.node = p.empty(); }
    | DELETE '[' ']' cast       { p.bad_expression(); $$.node = p.empty(); }
    ;

postfix
    : primary
    | postfix '[' expression ']'
                                { $$.node = p.node(EK_SUBSCRIPT, $1.node, $3.node); }
    | postfix '[' conditional DOTDOT conditional ']'
                                { $$.node = p.node(EK_SLICE, $1.node, $3.node, $5.node); }
    | postfix '(' ')'           { $$.node = p.node(EK_CALL, $1.node); }
    | postfix '(' arguments ')' { $$.node = p.with_arguments(EK_CALL, $1.node, $3.node); }
    | postfix '.' member_name   { $$.node = p.node(EK_MEMBER, $1.node, $3.node); $$.node->code = 0; }
    | postfix ARROW member_name { $$.node = p.node(EK_MEMBER, $1.node, $3.node); $$.node->code = 1; }
    | postfix INCR              { p.warn("POSTINCRE", ""); $$ = $1; }
    | postfix DECR              { p.warn("POSTDECRE", ""); $$ = $1; }
    ;

member_name
    : IDENTIFIER                { $$.node = p.name($1.text); }
    | TYPE_NAME                 { $$.node = p.name($1.text); }
    ;

arguments
    : assignment                { $$.node = p.node(EK_WRAPPER); p.chain($$.node, $1.node); }
    | arguments ',' assignment  { $$ = $1; p.chain($$.node, $3.node); }
    ;

primary
    : IDENTIFIER                { $$.node = p.name($1.text); }
    | INT_CONST
    | FLOAT_CONST
    | CHAR_CONST
    | strings
    | TRUE                      { $$.node = p.name($1.text); }
    | FALSE                     { $$.node = p.name($1.text); }
    | THIS                      { $$.node = p.node(EK_THIS); }
    | '(' expression ')'        { $$.node = p.node(EK_PAREN, $2.node); }
    | '(' error ')'             { $$.node = p.empty(); }
    | '[' conditional DOTDOT conditional ']'
                                { $$.node = p.node(EK_RANGE, $2.node, $4.node); }
    | '[' expression ']'        { p.bad_range(); $$.node = p.empty(); }
    | '[' error ']'             { p.bad_range(); $$.node = p.empty(); }
    | TYPE_NAME '(' ')'         { $$.node = p.node(EK_CONSTRUCTION, p.name($1.text)); }
    | TYPE_NAME '(' arguments ')'
                                { $$.node = p.with_arguments(EK_CONSTRUCTION, p.name($1.text), $3.node); }
    | TYPE_NAME '(' error ')'   { p.warn("CONSTRUCT", $1.text); $$.node = p.empty(); }
    | qualified
    | SCOPE IDENTIFIER          { $$.node = p.node(EK_GLOBAL, p.name($2.text)); }
    | SCOPE qualified           { $$.node = p.node(EK_GLOBAL, $2.node); }
    ;

qualified
    : TYPE_NAME SCOPE IDENTIFIER
                                { $$.node = p.node(EK_QUALIFIED, p.name($1.text), p.name($3.text)); }
    | TYPE_NAME SCOPE qualified { $$.node = p.node(EK_QUALIFIED, p.name($1.text), $3.node); }
    ;

strings
    : STRING_LIT
    | strings STRING_LIT        { $$.node = p.binary(op_list, $1.node, $2.node); }
    ;

new_expression
    : new_operator new_type new_initialiser
                                { $$.node = p.new_node($1.text, nullptr, $2.text, $3.node); }
    | new_operator '(' arguments ')' new_type new_initialiser
                                { $$.node = p.new_node($1.text, $3.node, $5.text, $6.node); }
    | new_operator '(' type_name ')' new_initialiser
                                { $$.node = p.new_node($1.text, nullptr, $3.text, $5.node); }
    ;

new_operator
    : NEW                       { $$.text = "new"; }
    | SCOPE NEW                 { $$.text = "::new"; }
    ;

new_type
    : specifiers                { $$ = $1; }
    | specifiers pointer_marks  { $$.text = p.tree->keep(join_type($1.text, $2.text)); }
    ;

new_initialiser
    : %empty                    { $$.node = nullptr; }
    | '(' ')'                   { $$.node = p.node(EK_WRAPPER); }
    | '(' arguments ')'         { $$ = $2; }
    ;

type_name
    : specifiers
    | specifiers pointer_marks  { $$.text = p.tree->keep(join_type($1.text, $2.text)); }
    ;

specifiers
    : type_word
    | specifiers type_word      { $$.text = p.tree->keep(join_type($1.text, $2.text)); }
    ;

type_word
    : INT | CHAR | SHORT | LONG | SIGNED | UNSIGNED | FLOAT | DOUBLE | VOID | BOOL | WCHAR_T
    | CONST | VOLATILE | TYPE_NAME
    | STRUCT tag_name           { $$.text = p.tree->keep(join_type($1.text, $2.text)); }
    | UNION tag_name            { $$.text = p.tree->keep(join_type($1.text, $2.text)); }
    | CLASS tag_name            { $$.text = p.tree->keep(join_type($1.text, $2.text)); }
    | ENUM tag_name             { $$.text = p.tree->keep(join_type($1.text, $2.text)); }
    ;

tag_name
    : IDENTIFIER
    | TYPE_NAME
    ;

pointer_marks
    : '*'                       { $$.text = "*"; }
    | '&'                       { $$.text = "&"; }
    | pointer_marks '*'         { $$.text = p.tree->keep(join_type($1.text, "*")); }
    | pointer_marks '&'         { $$.text = p.tree->keep(join_type($1.text, "&")); }
    | pointer_marks CONST       { $$.text = p.tree->keep(join_type($1.text, "const")); }
    | pointer_marks VOLATILE    { $$.text = p.tree->keep(join_type($1.text, "volatile")); }
    ;

%%

int xpr_lex(XPR_STYPE* value, expression_parser& p)
{
    return p.next_token(*value);
}

void xpr_error(expression_parser& p, const char* message)
{
    p.syntax_error(message);
}

bool expression_parser::run()
{
    return xpr_parse(*this) == 0;
}
