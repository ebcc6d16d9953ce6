/* Grammar of the C integer constant expression of #if and #elif.
 *
 * A pure LALR(1) parser: all its state is the if_parser object handed to it,
 * so several evaluations can live in one process. Precedence declarations
 * give the usual C levels, from the comma operator up to the unary operators.
 * The stack is fixed at 150 states (bison reports exhaustion, which we turn
 * into the same "bad expression" warning as a syntax error), so that a
 * pathological nesting cannot take the process down.
 *
 * Values are 64-bit with an unsigned flag. The unsigned rules model a 32-bit
 * unsigned int: for * / % << >> and the relational operators an unsigned
 * left operand is first reduced to its low 32 bits. Arithmetic is done on
 * uint64_t wherever signed overflow would otherwise be undefined. Every
 * operand is evaluated, also the ones C would short-circuit, so a division by
 * zero in an untaken branch is still reported.
 */

%define api.pure full
%expect 0
%define api.prefix {ifx_}
%define api.value.type {if_value}
%parse-param {if_parser& parser}
%lex-param {if_parser& parser}

%code requires {
#include <cstdint>

struct if_value {
    int64_t value;
    bool is_unsigned;
};

struct if_parser;
}

%code provides {
int ifx_lex(IFX_STYPE* token_value, if_parser& parser);
void ifx_error(if_parser& parser, const char* message);
// Called by the actions.
void if_division_by_zero(if_parser& parser);
void if_accept(if_parser& parser, if_value result);
}

%code {
// The stack holds at most if_stack_states states. Bison gives up once its
// array is full, one slot before it would need the next, hence the + 1.
constexpr int if_stack_states = 150;
#define YYMAXDEPTH (if_stack_states + 1)
#define YYINITDEPTH YYMAXDEPTH

namespace {
if_value binary(int op, if_value l, if_value r, if_parser& parser);
if_value make(int64_t value, bool is_unsigned) { return if_value{value, is_unsigned}; }
if_value truth(bool condition) { return if_value{condition ? 1 : 0, false}; }
}
}

%token NUMBER CHARACTER NAME SIZEOF BAD_TOKEN
%token OROR "||" ANDAND "&&" EQ "==" NE "!=" LE "<=" GE ">=" LSHIFT "<<" RSHIFT ">>"

%left ','
%right '?' ':'
%left OROR
%left ANDAND
%left '|'
%left '^'
%left '&'
%left EQ NE
%left '<' '>' LE GE
%left LSHIFT RSHIFT
%left '+' '-'
%left '*' '/' '%'
%precedence UNARY

%%

start
    : expr                      { if_accept(parser, $1); }
    ;

expr
    : expr ',' expr             { $$ = $3; }
    | expr '?' expr ':' expr    { $$ = make($1.value != 0 ? $3.value : $5.value, $3.is_unsigned || $5.is_unsigned); }
    | expr OROR expr            { $$ = truth($1.value != 0 || $3.value != 0); }
    | expr ANDAND expr          { $$ = truth($1.value != 0 && $3.value != 0); }
    | expr '|' expr             { $$ = binary('|', $1, $3, parser); }
    | expr '^' expr             { $$ = binary('^', $1, $3, parser); }
    | expr '&' expr             { $$ = binary('&', $1, $3, parser); }
    | expr EQ expr              { $$ = truth($1.value == $3.value); }
    | expr NE expr              { $$ = truth($1.value != $3.value); }
    | expr '<' expr             { $$ = binary('<', $1, $3, parser); }
    | expr '>' expr             { $$ = binary('>', $1, $3, parser); }
    | expr LE expr              { $$ = binary(LE, $1, $3, parser); }
    | expr GE expr              { $$ = binary(GE, $1, $3, parser); }
    | expr LSHIFT expr          { $$ = binary(LSHIFT, $1, $3, parser); }
    | expr RSHIFT expr          { $$ = binary(RSHIFT, $1, $3, parser); }
    | expr '+' expr             { $$ = binary('+', $1, $3, parser); }
    | expr '-' expr             { $$ = binary('-', $1, $3, parser); }
    | expr '*' expr             { $$ = binary('*', $1, $3, parser); }
    | expr '/' expr             { $$ = binary('/', $1, $3, parser); }
    | expr '%' expr             { $$ = binary('%', $1, $3, parser); }
    | '-' expr %prec UNARY      { $$ = make(static_cast<int64_t>(0 - static_cast<uint64_t>($2.value)), $2.is_unsigned); }
    | '+' expr %prec UNARY      { $$ = $2; }
    | '!' expr %prec UNARY      { $$ = truth($2.value == 0); }
    | '~' expr %prec UNARY      { $$ = make(~$2.value, $2.is_unsigned); }
    | primary
    ;

primary
    : NUMBER
    | CHARACTER                 { $$ = make($1.value, false); }
    | NAME                      { $$ = make(0, false); }
    | SIZEOF                    /* the lexer reads the whole "sizeof ( type name )" */
    | '(' expr ')'              { $$ = $2; }
    ;

%%

namespace {

// The low 32 bits as an unsigned number, the reduction of the unsigned rules.
int64_t low_unsigned(int64_t value) { return static_cast<int64_t>(static_cast<uint32_t>(value)); }

if_value divide(int op, if_value l, if_value r, if_parser& parser) {
    const bool u = l.is_unsigned || r.is_unsigned;
    int64_t left = u ? low_unsigned(l.value) : l.value;
    int64_t right = r.value;
    if (right == 0) {
        if_division_by_zero(parser);
        right = 1;
    }
    if (right == -1) // avoids the overflow of the most negative value by -1
        return make(op == '/' ? static_cast<int64_t>(0 - static_cast<uint64_t>(left)) : 0, u);
    return make(op == '/' ? left / right : left % right, u);
}

if_value shift(int op, if_value l, if_value r) {
    if (l.is_unsigned) {
        const uint32_t left = static_cast<uint32_t>(l.value);
        const int count = static_cast<int>(r.value & 31);
        return make(op == LSHIFT ? uint32_t(left << count) : uint32_t(left >> count), true);
    }
    const int count = static_cast<int>(r.value & 63);
    if (op == LSHIFT)
        return make(static_cast<int64_t>(static_cast<uint64_t>(l.value) << count), false);
    return make(l.value >> count, false); // arithmetic shift
}

if_value compare(int op, if_value l, if_value r) {
    const int64_t left = (l.is_unsigned || r.is_unsigned) ? low_unsigned(l.value) : l.value;
    switch (op) {
    case '<': return truth(left < r.value);
    case '>': return truth(left > r.value);
    case LE: return truth(left <= r.value);
    default: return truth(left >= r.value);
    }
}

if_value binary(int op, if_value l, if_value r, if_parser& parser) {
    const bool u = l.is_unsigned || r.is_unsigned;
    const uint64_t a = static_cast<uint64_t>(l.value), b = static_cast<uint64_t>(r.value);
    switch (op) {
    case '+': return make(static_cast<int64_t>(a + b), u);
    case '-': return make(static_cast<int64_t>(a - b), u);
    case '&': return make(static_cast<int64_t>(a & b), u);
    case '^': return make(static_cast<int64_t>(a ^ b), u);
    case '|': return make(static_cast<int64_t>(a | b), u);
    case '*': return make(static_cast<int64_t>((u ? static_cast<uint64_t>(low_unsigned(l.value)) : a) * b), u);
    case '/':
    case '%': return divide(op, l, r, parser);
    case LSHIFT:
    case RSHIFT: return shift(op, l, r);
    default: return compare(op, l, r);
    }
}

} // namespace
