/* The declaration grammar: C and C++ declarations as an LALR(1) grammar.
 *
 * A pure parser: its whole state is the declaration_parser handed to it, so
 * a nested analysis is only a nested call. The reductions build the model
 * through the parser's action methods: every specifier word and declarator
 * piece becomes a small partial type, composed pairwise. Specifier lists are
 * right-recursive, so "unsigned long long" composes "long long" first and
 * then "unsigned" with it. A declaration's specifiers stay on the stack
 * ($0 of the declarator lists) and reach every declarator of the list.
 *
 * Function bodies are not parsed: the action that follows a body's "{" asks
 * the lexer for the balanced text. Template bodies arrive as one captured
 * token. Expressions (initialisers, bounds, default arguments) are rebuilt as
 * texts without blanks.
 *
 * The stack holds 150 states and never grows: a deeper nesting ends the
 * parse with the usual syntax-error report instead of exhausting memory.
 * Errors recover with the error token at the next ";" or "}".
 *
 * The conflicts counted by %expect are the classic ones, all settled by
 * shifting: a class name followed by "(" starts a constructor declarator
 * (after "explicit" too), a name followed by "::" is read as a qualifier,
 * "&&" after the type of a new-expression is read as a reference, a class
 * head (plain or qualified) followed by "{" or ":" opens its body, a named
 * enumeration followed by ":" takes an underlying type (so "enum E : 3;", an
 * unnamed bit-field, is refused, as C++11 reads it), a specifier word after
 * the type of a conversion function ("operator int" then "constexpr" or any
 * other specifier word: one conflict per word) continues that type, and
 * "else"-like dangling alternatives of the optional trailing parts.
 */

%define api.pure full
%expect 60
%define api.prefix {dcl_}
%define api.value.type {semantic_value}
%define api.location.type {source_span}
%locations
%parse-param {declaration_parser& p}
%lex-param {declaration_parser& p}

%code requires {
#include "analyser/declaration_parser.h"
}

%code provides {
int dcl_lex(DCL_STYPE* value, DCL_LTYPE* location, declaration_parser& p);
void dcl_error(DCL_LTYPE* location, declaration_parser& p, const char* message);
}

%code {
// Bison stops one cell before the array is full, hence the + 1.
constexpr int parser_stack_states = 150;
#define YYMAXDEPTH (parser_stack_states + 1)
#define YYINITDEPTH YYMAXDEPTH
// A full stack is exhausted at once: no relocation code (and no free of the
// fixed arrays) is generated.
#define yyoverflow(...) YYNOMEM

#define YYLLOC_DEFAULT(Current, Rhs, N)                                   \
    do {                                                                  \
        if (N) {                                                          \
            (Current).first = YYRHSLOC(Rhs, 1).first;                     \
            (Current).last = YYRHSLOC(Rhs, N).last;                       \
        } else {                                                          \
            (Current).first = (Current).last = YYRHSLOC(Rhs, 0).last;     \
        }                                                                 \
    } while (0)

namespace {
semantic_value with_type(type_node* type, long flags = 0)
{
    semantic_value v;
    v.type = type;
    v.number = flags;
    return v;
}
}
}

/* Keywords. */
%token AUTO 281 DOUBLE 282 INT 283 STRUCT 284 BREAK 285 ELSE 286 LONG 287 SWITCH 288 CASE 289
%token ENUM 290 REGISTER 291 TYPEDEF 292 CHAR 293 EXTERN 294 RETURN 295 UNION 296 CONST 297
%token FLOAT 298 SHORT 299 UNSIGNED 300 CONTINUE 301 FOR 302 SIGNED 303 VOID 304 DEFAULT 305
%token GOTO 306 SIZEOF 307 VOLATILE 308 DO 309 IF 310 STATIC 311 WHILE 312 NEW 313 DELETE 314
%token THIS 315 OPERATOR 316 CLASS 317 PUBLIC 318 PROTECTED 319 PRIVATE 320 VIRTUAL 321
%token FRIEND 322 INLINE 323 OVERLOAD 324 EXPLICIT 325 EXPORT 326 MUTABLE 327 TYPEID 328
%token TYPENAME 329 NAMESPACE 330 USING 331 BOOL 332 TRUE 333 FALSE 334 WCHAR_T 335
%token ASM 385 CATCH 386 TEMPLATE 387 THROW 388 TRY 389
%token DYNAMIC_CAST 397 STATIC_CAST 398 CONST_CAST 399 REINTERPRET_CAST 400
/* Constants and names. */
%token IDENTIFIER 336 STRING_LIT 337 FLOAT_CONST 338 DEC_INT 339 CHAR_CONST 340 OCT_INT 341
%token HEX_INT 342 TYPE_NAME 343 USER_MODIFIER 383 CLASS_NAME 384 TEMPLATE_NAME 390
%token TEMPLATE_NAME_INST 391
/* C11 words: a static assertion (skipped whole) and a function specifier. */
%token STATIC_ASSERT 376 NORETURN 377
/* A type or class name that qualifies the declared name ("int A::x"): the
   lexer tells it from a further type specifier by what precedes it. */
%token DECL_QUALIFIER 373
/* "class" or "typename" opening a type parameter of a template header: the
   lexer marks the keyword, dcl_lex hands it over as this token. */
%token TPL_TYPE_KEY 374
/* "template" not followed by "<": an explicit instantiation. */
%token INSTANCE_KEY 375
/* "using" that opens an alias declaration ("using word = unsigned int;"):
   dcl_lex tells it from a using-declaration by the "name =" after it. */
%token ALIAS_KEY 378
/* C++11 "constexpr": a const object, or a function whose word is not printed. */
%token CONSTEXPR 379
/* Operators. */
%token ARROW 344 INCR 345 DECR 346 SHL 347 SHR 348 LE 349 GE 350 EQ 351 NE 352 ANDAND 353
%token OROR 354 ELLIPSIS 355 SCOPE 358 DOT_STAR 359 ARROW_STAR 360 MUL_ASSIGN 361
%token DIV_ASSIGN 362 MOD_ASSIGN 363 ADD_ASSIGN 364 SUB_ASSIGN 365 SHL_ASSIGN 366
%token SHR_ASSIGN 367 AND_ASSIGN 368 XOR_ASSIGN 369 OR_ASSIGN 370 FAT_ARROW 371 DOTDOT 372
/* Template brackets and captured texts. */
%token TPL_OPEN 392 TPL_CLOSE 393 TEMPLATE_BODY 394 CTOR_BODY 395 TEXT_TO_SEMI 396

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

%%

start
    : declarations
    | declarations EXTERN STRING_LIT '{'        { p.open_brace = 1; }
    | '}'                                       { p.open_brace = 0; }
    ;

declarations
    : %empty
    | declarations declaration
    ;

declaration
    : decl_specifiers ';'                       { clear_specifiers(p.table); }
    | decl_specifiers init_declarator_list ';'
    | declarator ';'                            { p.declare_declarator(semantic_value{}, $1, true, nullptr); }
    | function_definition
    | EXTERN STRING_LIT '{' declarations '}'
    | EXTERN STRING_LIT declaration
    | namespace_definition
    | template_declaration
    | explicit_instantiation
    | using_declaration
    | alias_declaration
    | ASM '(' string_list ')' ';'
    | static_assertion
    | ';'
    | error ';'                                 { p.recover_scopes(); yyerrok; }
    | error '}'                                 { p.recover_scopes(); yyerrok; }
    | error TEMPLATE_BODY                       { p.recover_scopes(); yyerrok; }
    ;

/* ---- Specifiers ---- */

/* text: the name; entity: the class that qualifies it. */
declarator_name
    : IDENTIFIER                                { $$ = $1; $$.type = nullptr; $$.entity = nullptr; }
    | '~' CLASS_NAME                            { $$ = $2; $$.text = p.wrap("~", $2.text, ""); $$.type = nullptr; $$.entity = nullptr; }
    | operator_name                             { $$ = $1; $$.type = nullptr; $$.entity = nullptr; }
    | scope_prefix IDENTIFIER                   { $$ = $2; $$.entity = p.name_type($1); $$.type = nullptr; }
    | declarator_prefix IDENTIFIER              { $$ = $2; $$.entity = p.name_type($1); $$.type = nullptr; }
    | declarator_prefix '~' CLASS_NAME          { $$ = $3; $$.text = p.wrap("~", $3.text, ""); $$.entity = p.name_type($1); $$.type = nullptr; }
    | declarator_prefix operator_name           { $$ = $2; $$.entity = p.name_type($1); $$.type = nullptr; }
    | scope_prefix '~' CLASS_NAME               { $$ = $3; $$.text = p.wrap("~", $3.text, ""); $$.entity = p.name_type($1); $$.type = nullptr; }
    | scope_prefix operator_name                { $$ = $2; $$.entity = p.name_type($1); $$.type = nullptr; }
    ;


/* A qualifier: "A::", "A::B::", "T<...>::". A leading "::" never reaches
   the grammar: the lexer only makes the next name a global lookup. */
scope_prefix
    : qualifier_word SCOPE                      { $$ = $1; }
    | scope_prefix qualifier_word SCOPE         { $$ = $2; }
    ;

/* The qualifier of a declared name written after its type. */
declarator_prefix
    : DECL_QUALIFIER SCOPE                      { $$ = $1; }
    | declarator_prefix qualifier_word SCOPE    { $$ = $2; }
    ;

qualifier_word
    : TYPE_NAME
    | CLASS_NAME
    | template_use
    ;

decl_specifiers
    : decl_specifier
    | decl_specifier decl_specifiers            { $$ = with_type(p.compose($1.type, $2.type), $1.number | $2.number); }
    ;

decl_specifier
    : storage_specifier                         { $$ = with_type(nullptr, $1.number); }
    | type_specifier
    | cv_specifier
    ;

storage_specifier
    : TYPEDEF                                   { $$.number = SF_TYPEDEF; }
    | EXTERN                                    { $$.number = SF_EXTERN; }
    | STATIC                                    { $$.number = SF_STATIC; }
    | AUTO                                      { $$.number = SF_AUTO; }
    | REGISTER                                  { $$.number = SF_REGISTER; }
    | FRIEND                                    { $$.number = SF_FRIEND; add_specifier(p.table, SF_FRIEND); }
    | OVERLOAD                                  { $$.number = SF_OVERLOAD; }
    | INLINE                                    { $$.number = SF_INLINE; }
    | VIRTUAL                                   { $$.number = SF_VIRTUAL; }
    | EXPLICIT                                  { $$.number = SF_FUNCTION_EXTRA; }
    | NORETURN                                  { $$.number = SF_FUNCTION_EXTRA; }
    | EXPORT                                    { $$.number = SF_EXPORT; }
    | MUTABLE                                   { $$.number = SF_MUTABLE; }
    | CONSTEXPR                                 { $$.number = SF_CONSTEXPR; }
    ;

cv_specifier
    : CONST                                     { $$ = with_type(p.modifier("const", 0)); }
    | VOLATILE                                  { $$ = with_type(p.modifier("volatile", 0)); }
    | USER_MODIFIER                             { $$ = with_type(p.modifier(*$1.text, 0)); }
    ;

type_specifier
    : VOID                                      { $$ = with_type(p.specifier("void")); }
    | CHAR                                      { $$ = with_type(p.specifier("char")); }
    | SHORT                                     { $$ = with_type(p.specifier("short")); }
    | INT                                       { $$ = with_type(p.specifier("int")); }
    | LONG                                      { $$ = with_type(p.specifier("long")); }
    | SIGNED                                    { $$ = with_type(p.specifier("signed")); }
    | UNSIGNED                                  { $$ = with_type(p.specifier("unsigned")); }
    | FLOAT                                     { $$ = with_type(p.specifier("float")); }
    | DOUBLE                                    { $$ = with_type(p.specifier("double")); }
    | BOOL                                      { $$ = with_type(p.specifier($1.text ? std::string_view(*$1.text) : "bool")); }
    | WCHAR_T                                   { $$ = with_type(p.specifier("wchar_t")); }
    | type_name                                 { $$ = with_type(p.name_type($1)); }
    | TYPENAME type_name                        { $$ = with_type(p.name_type($2)); }
    | template_use                              { $$ = with_type($1.type); }
    | scope_prefix template_use                 { $$ = with_type($2.type); }
    | record_specifier
    | enum_specifier
    ;

type_name
    : TYPE_NAME
    | CLASS_NAME
    | scope_prefix TYPE_NAME                    { $$ = $2; }
    | scope_prefix CLASS_NAME                   { $$ = $2; }
    ;

/* A template name with its arguments: the instance of a class template
   (made on first use), or the template itself when no instance can be made. */
template_use
    : template_word TPL_OPEN template_arguments TPL_CLOSE
            { $$ = $1; $$.type = p.template_use($1, static_cast<std::vector<argument_node*>*>($3.entity)); }
    | template_word TPL_OPEN TPL_CLOSE          { $$ = $1; $$.type = p.template_use($1, nullptr); }
    ;

template_word
    : TEMPLATE_NAME
    | TEMPLATE_NAME_INST
    ;

template_arguments
    : template_argument                         { $$.entity = p.argument_list(); p.add_argument(static_cast<std::vector<argument_node*>*>($$.entity), $1); }
    | template_arguments ',' template_argument  { $$ = $1; p.add_argument(static_cast<std::vector<argument_node*>*>($$.entity), $3); }
    ;

/* number: 0 a type, 1 a value text. */
template_argument
    : type_id                                   { $$.number = 0; }
    | conditional_expr                          { $$ = semantic_value{}; $$.text = $1.text; $$.number = 1; }
    ;

/* ---- Records ---- */

record_specifier
    : record_key '{'
            { p.open_record($1.number, nullptr); }
      member_list '}'
            { $$ = with_type(p.close_record($1.number, nullptr, nullptr)); }
    | record_key record_name '{'
            { p.open_record($1.number, p.record_name_text($2)); }
      member_list '}'
            { $$ = with_type(p.close_record($1.number, p.record_name_text($2), nullptr)); }
    | record_key record_name ':' base_list '{'
            { p.open_record($1.number, p.record_name_text($2)); }
      member_list '}'
            { $$ = with_type(p.close_record($1.number, p.record_name_text($2), static_cast<std::vector<base_node*>*>($4.entity))); }
    | record_key record_name                    { $$ = with_type(p.record_use($1.number, $2)); }
    /* "class A::In {...}": the body completes the class that A declares. */
    | record_key scope_prefix record_name '{'
            { p.open_qualified_record($1.number, $2, p.record_name_text($3)); }
      member_list '}'
            { $$ = with_type(p.close_qualified_record($1.number, p.record_name_text($3), nullptr)); }
    | record_key scope_prefix record_name ':' base_list '{'
            { p.open_qualified_record($1.number, $2, p.record_name_text($3)); }
      member_list '}'
            { $$ = with_type(p.close_qualified_record($1.number, p.record_name_text($3), static_cast<std::vector<base_node*>*>($5.entity))); }
    | record_key scope_prefix record_name       { $$ = with_type(p.record_use($1.number, $3)); }
    ;

record_key
    : CLASS                                     { $$.number = 0; }
    | STRUCT                                    { $$.number = 1; }
    | UNION                                     { $$.number = 2; }
    ;

record_name
    : IDENTIFIER
    | TYPE_NAME
    | CLASS_NAME
    | template_use
    ;

base_list
    : base_specifier                            { $$.entity = p.base_list(); p.add_base(static_cast<std::vector<base_node*>*>($$.entity), $1, $1.number >> 8, $1.number & 0xff); }
    | base_list ',' base_specifier              { $$ = $1; p.add_base(static_cast<std::vector<base_node*>*>($$.entity), $3, $3.number >> 8, $3.number & 0xff); }
    ;

/* number: access in the low byte, virtual above it. */
base_specifier
    : type_name                                 { $$ = $1; $$.number = 0; }
    | base_prefix type_name                     { $$ = $2; $$.number = $1.number; }
    | template_use                              { $$ = $1; $$.number = 0; }
    | base_prefix template_use                  { $$ = $2; $$.number = $1.number; }
    ;

base_prefix
    : access_word                               { $$.number = $1.number; }
    | VIRTUAL                                   { $$.number = 1 << 8; }
    | VIRTUAL access_word                       { $$.number = (1 << 8) | $2.number; }
    | access_word VIRTUAL                       { $$.number = (1 << 8) | $1.number; }
    ;

access_word
    : PUBLIC                                    { $$.number = access_public; }
    | PROTECTED                                 { $$.number = access_protected; }
    | PRIVATE                                   { $$.number = access_private; }
    ;

member_list
    : %empty
    | member_list member
    ;

member
    : access_word ':'                           { p.access_label(static_cast<std::uint32_t>($1.number)); }
    | decl_specifiers ';'                       { p.declare_specifiers_only($1); }
    | decl_specifiers init_declarator_list ';'
    | declarator ';'                            { p.declare_declarator(semantic_value{}, $1, true, nullptr); }
    | function_definition
    | using_declaration
    | alias_declaration
    | template_declaration
    | static_assertion
    | ';'
    /* A constructor after "explicit" keeps its declarator form
       ("explicit A(int);") instead of A being read as a type: "explicit"
       is only written before constructors and conversion functions. */
    | EXPLICIT CLASS_NAME suffixes ';'
            { p.declare_declarator(with_type(nullptr, SF_FUNCTION_EXTRA), p.constructor_declarator($2, $3), true, nullptr); }
    | EXPLICIT CLASS_NAME suffixes function_body
            { p.define_function(with_type(nullptr, SF_FUNCTION_EXTRA), p.constructor_declarator($2, $3), $4.text, nullptr); }
    | EXPLICIT CLASS_NAME suffixes ':' member_initialisers function_body
            { p.define_function(with_type(nullptr, SF_FUNCTION_EXTRA), p.constructor_declarator($2, $3), $6.text, p.source_text(@5)); }
    | error ';'                                 { clear_specifiers(p.table); p.recover_template_headers(); yyerrok; }
    | error TEMPLATE_BODY                       { clear_specifiers(p.table); p.recover_template_headers(); yyerrok; }
    ;

/* ---- Enumerations ---- */

enum_specifier
    : ENUM '{'                                  { p.open_enum(nullptr); }
      enumerator_list_opt '}'                   { $$ = with_type(p.close_enum()); }
    | ENUM record_name '{'                      { p.open_enum($2.text); }
      enumerator_list_opt '}'                   { $$ = with_type(p.close_enum()); }
    | ENUM scoped_enum_key record_name '{'      { p.open_enum($3.text); }
      enumerator_list_opt '}'                   { $$ = with_type(p.close_enum()); }
    | ENUM record_name                          { $$ = with_type(p.enum_use($2)); }
    /* C++11 underlying types: read and dropped, the enumerators keep their
       values and the printed enumeration compiles without its base. */
    | ENUM ':' enum_base '{'                    { p.open_enum(nullptr); }
      enumerator_list_opt '}'                   { $$ = with_type(p.close_enum()); }
    | ENUM record_name ':' enum_base '{'        { p.open_enum($2.text); }
      enumerator_list_opt '}'                   { $$ = with_type(p.close_enum()); }
    | ENUM scoped_enum_key record_name ':' enum_base '{' { p.open_enum($3.text); }
      enumerator_list_opt '}'                   { $$ = with_type(p.close_enum()); }
    ;

enum_base
    : enum_base_word
    | enum_base enum_base_word
    ;

enum_base_word
    : CHAR | SHORT | INT | LONG | SIGNED | UNSIGNED | BOOL | WCHAR_T | CONST | VOLATILE
    | type_name
    ;

scoped_enum_key
    : CLASS
    | STRUCT
    ;

enumerator_list_opt
    : %empty
    | enumerator_list
    | enumerator_list ','
    ;

enumerator_list
    : enumerator
    | enumerator_list ',' enumerator
    ;

enumerator
    : IDENTIFIER                                { p.add_enumerator($1.text, nullptr); }
    | IDENTIFIER '=' conditional_expr           { p.add_enumerator($1.text, $3.text); }
    ;

/* ---- Declarators ---- */

init_declarator_list
    : init_declarator                           { p.declare_declarator($0, $1, true, static_cast<value_tree*>($1.extra)); }
    | init_declarator_list ',' init_declarator  { p.declare_declarator($0, $3, false, static_cast<value_tree*>($3.extra)); }
    | init_declarator_list ',' type_word_declarator
                                                { p.declare_declarator($0, $3, false, static_cast<value_tree*>($3.extra)); }
    ;

/* "struct s {...} *p, s;": after a comma a type or class name alone is the
   declared name (a tag and an ordinary identifier live apart in C). */
type_word_declarator
    : type_word                                 { $$ = $1; $$.type = nullptr; $$.entity = nullptr; $$.extra = nullptr; }
    | type_word '=' initialiser                 { $$ = $1; $$.type = nullptr; $$.entity = nullptr; $$.extra = $3.entity; }
    ;

type_word
    : TYPE_NAME
    | CLASS_NAME
    ;

init_declarator
    : declarator
    | declarator '=' initialiser                { $$ = $1; $$.extra = $3.entity; }
    | declarator ':' conditional_expr           { $$ = $1; $$.extra = p.leaf($3.text); }
    | ':' conditional_expr                      { $$ = semantic_value{}; $$.extra = p.leaf($2.text); }
    ;

declarator
    : direct_declarator
    | pointer_operator declarator_after_pointer { $$ = $2; $$.type = p.compose($1.type, $2.type); }
    ;

/* After "*" a type or class name can only be the declared name. */
declarator_after_pointer
    : declarator
    | TYPE_NAME                                 { $$ = $1; $$.type = nullptr; $$.entity = nullptr; }
    | CLASS_NAME                                { $$ = $1; $$.type = nullptr; $$.entity = nullptr; }
    | TYPE_NAME suffixes                        { $$ = $1; $$.type = $2.type; $$.entity = nullptr; }
    ;

pointer_operator
    : '*' cv_list_opt                           { $$ = with_type(p.compose(p.pointer(nullptr), $2.type)); }
    | '&' cv_list_opt                           { $$ = with_type(p.compose(p.reference(), $2.type)); }
    | ANDAND cv_list_opt                        { $$ = with_type(p.compose(p.reference(), $2.type)); }
    | scope_prefix '*' cv_list_opt              { $$ = with_type(p.compose(p.pointer(p.name_type($1)), $3.type)); }
    ;

cv_list_opt
    : %empty                                    { $$ = semantic_value{}; }
    | cv_specifier cv_list_opt                  { $$ = with_type(p.compose($1.type, $2.type)); }
    ;

direct_declarator
    : declarator_name
    | '(' declarator ')'                        { $$ = $2; }
    | direct_declarator_base suffixes           { $$ = $1; $$.type = p.compose($2.type, $1.type); }
    | CLASS_NAME suffixes                       { $$ = $1; $$.type = $2.type; $$.entity = nullptr; }
    | scope_prefix CLASS_NAME suffixes          { $$ = $2; $$.type = $3.type; $$.entity = p.name_type($1); }
    | declarator_prefix CLASS_NAME suffixes     { $$ = $2; $$.type = $3.type; $$.entity = p.name_type($1); }
    ;

direct_declarator_base
    : declarator_name
    | '(' declarator ')'                        { $$ = $2; }
    ;

suffixes
    : suffix
    | suffixes suffix                           { $$ = with_type(p.compose($1.type, $2.type)); }
    ;

suffix
    : array_suffix
    | '(' parameters ')' trailing_opt throw_opt
            { $$ = with_type(p.function(static_cast<std::vector<parameter_node*>*>($2.entity), $4.type,
                                        $5.number != 0, static_cast<std::vector<type_node*>*>($5.entity))); }
    ;

/* C99 lets a parameter's brackets carry "static", qualifiers and "*";
   they say nothing about the type the parameter has, so they are dropped. */
array_suffix
    : '[' ']'                                   { $$ = with_type(p.array(nullptr)); }
    | '[' expression ']'                        { $$ = with_type(p.array($2.text)); }
    | '[' array_qualifiers ']'                  { $$ = with_type(p.array(nullptr)); }
    | '[' array_qualifiers expression ']'       { $$ = with_type(p.array($3.text)); }
    | '[' '*' ']'                               { $$ = with_type(p.array(nullptr)); }
    ;

array_qualifiers
    : array_qualifier
    | array_qualifiers array_qualifier
    ;

array_qualifier
    : STATIC
    | cv_specifier
    ;

/* Checked by the compiler, not by this analysis: the whole parenthesis is
   read as text. */
static_assertion
    : STATIC_ASSERT '('                         { if (!p.lexer.capture_text(')', "", false)) YYABORT; }
      ';'
    ;

trailing_opt
    : %empty                                    { $$ = semantic_value{}; }
    | cv_specifier trailing_opt                 { $$ = with_type(p.compose($1.type, $2.type)); }
    ;

throw_opt
    : %empty                                    { $$ = semantic_value{}; }
    | THROW '(' ')'                             { $$.number = 1; $$.entity = p.type_list(); }
    | THROW '(' type_id_list ')'                { $$.number = 1; $$.entity = $3.entity; }
    /* Any exception may pass: the same as no throw list. */
    | THROW '(' ELLIPSIS ')'                    { $$ = semantic_value{}; }
    ;

type_id_list
    : type_id                                   { $$.entity = p.type_list(); static_cast<std::vector<type_node*>*>($$.entity)->push_back($1.type); }
    | type_id_list ',' type_id                  { $$ = $1; static_cast<std::vector<type_node*>*>($$.entity)->push_back($3.type); }
    ;

operator_name
    : OPERATOR operator_symbol                  { $$.text = p.wrap("operator ", $2.text, ""); }
    | OPERATOR decl_specifiers                  { $$.text = p.wrap("operator ", p.source_text(@2), ""); }
    ;

operator_symbol
    : '+' { $$.text = p.text("+"); } | '-' { $$.text = p.text("-"); } | '*' { $$.text = p.text("*"); }
    | '/' { $$.text = p.text("/"); } | '%' { $$.text = p.text("%"); } | '^' { $$.text = p.text("^"); }
    | '&' { $$.text = p.text("&"); } | '|' { $$.text = p.text("|"); } | '~' { $$.text = p.text("~"); }
    | '!' { $$.text = p.text("!"); } | '=' { $$.text = p.text("="); } | '<' { $$.text = p.text("<"); }
    | '>' { $$.text = p.text(">"); } | ',' { $$.text = p.text(","); }
    | TPL_OPEN { $$.text = p.text("<"); } | TPL_CLOSE { $$.text = p.text(">"); }
    | ADD_ASSIGN { $$.text = p.text("+="); } | SUB_ASSIGN { $$.text = p.text("-="); }
    | MUL_ASSIGN { $$.text = p.text("*="); } | DIV_ASSIGN { $$.text = p.text("/="); }
    | MOD_ASSIGN { $$.text = p.text("%="); } | XOR_ASSIGN { $$.text = p.text("^="); }
    | AND_ASSIGN { $$.text = p.text("&="); } | OR_ASSIGN { $$.text = p.text("|="); }
    | SHL { $$.text = p.text("<<"); } | SHR { $$.text = p.text(">>"); }
    | SHL_ASSIGN { $$.text = p.text("<<="); } | SHR_ASSIGN { $$.text = p.text(">>="); }
    | EQ { $$.text = p.text("=="); } | NE { $$.text = p.text("!="); } | LE { $$.text = p.text("<="); }
    | GE { $$.text = p.text(">="); } | ANDAND { $$.text = p.text("&&"); } | OROR { $$.text = p.text("||"); }
    | INCR { $$.text = p.text("++"); } | DECR { $$.text = p.text("--"); }
    | ARROW_STAR { $$.text = p.text("->*"); } | ARROW { $$.text = p.text("->"); }
    | '(' ')' { $$.text = p.text("()"); } | '[' ']' { $$.text = p.text("[]"); }
    | NEW { $$.text = p.text("new"); } | DELETE { $$.text = p.text("delete"); }
    | NEW '[' ']' { $$.text = p.text("new[]"); } | DELETE '[' ']' { $$.text = p.text("delete[]"); }
    ;

/* ---- Parameters ---- */

parameters
    : %empty                                    { $$.entity = p.parameter_list(); }
    | ELLIPSIS                                  { $$.entity = p.parameter_list(); p.add_ellipsis(static_cast<std::vector<parameter_node*>*>($$.entity)); }
    | parameter_list
    | parameter_list ',' ELLIPSIS               { $$ = $1; p.add_ellipsis(static_cast<std::vector<parameter_node*>*>($$.entity)); }
    | parameter_list ELLIPSIS                   { $$ = $1; p.add_ellipsis(static_cast<std::vector<parameter_node*>*>($$.entity)); }
    ;

parameter_list
    : parameter                                 { $$.entity = p.parameter_list(); p.add_parameter(static_cast<std::vector<parameter_node*>*>($$.entity), $1, $1, static_cast<value_tree*>($1.extra)); }
    | parameter_list ',' parameter              { $$ = $1; p.add_parameter(static_cast<std::vector<parameter_node*>*>($$.entity), $3, $3, static_cast<value_tree*>($3.extra)); }
    ;

/* type: the composed type; text: the name (null when unnamed). */
parameter
    : decl_specifiers parameter_declarator default_opt
            { $$ = $2; $$.type = p.compose($1.type, $2.type); $$.number = $1.number; $$.extra = $3.entity; }
    | IDENTIFIER                                { $$ = $1; $$.type = nullptr; $$.number = -1; $$.extra = nullptr; }
    ;

parameter_declarator
    : %empty                                    { $$ = semantic_value{}; }
    | declarator
    | abstract_declarator                       { $$ = $1; $$.text = nullptr; }
    ;

default_opt
    : %empty                                    { $$ = semantic_value{}; }
    | '=' assignment_expr                       { $$.entity = p.leaf($2.text); }
    ;

abstract_declarator
    : pointer_operator                          { $$ = with_type($1.type); }
    | pointer_operator abstract_declarator      { $$ = with_type(p.compose($1.type, $2.type)); }
    | direct_abstract_declarator
    ;

direct_abstract_declarator
    : '(' abstract_declarator ')'               { $$ = $2; }
    | '(' abstract_declarator ')' suffixes      { $$ = with_type(p.compose($4.type, $2.type)); }
    | abstract_suffixes
    ;

/* Without a name, a parenthesis can only open a parameter list when it is
   not the first suffix; the first one must be a bracket or a list after
   "(*)". */
abstract_suffixes
    : array_suffix
    | abstract_suffixes suffix                  { $$ = with_type(p.compose($1.type, $2.type)); }
    ;

type_id
    : decl_specifiers                           { $$ = with_type($1.type); $$.text = p.source_text(@1); }
    | decl_specifiers abstract_declarator       { $$ = with_type(p.compose($1.type, $2.type)); $$.text = p.source_text(@$); }
    ;

/* ---- Function definitions ---- */

function_definition
    : decl_specifiers declarator function_body  { p.define_function($1, $2, $3.text, nullptr); }
    | declarator function_body                  { p.define_function(semantic_value{}, $1, $2.text, nullptr); }
    | decl_specifiers declarator kr_declarations function_body
            { p.define_function($1, $2, $4.text, nullptr); }
    | declarator kr_declarations function_body  { p.define_function(semantic_value{}, $1, $3.text, nullptr); }
    | declarator ':' member_initialisers function_body
            { p.define_function(semantic_value{}, $1, $4.text, p.source_text(@3)); }
    | decl_specifiers declarator '=' DEFAULT ';'   { p.declare_declarator($1, $2, true, nullptr); }
    | declarator '=' DEFAULT ';'                { p.declare_declarator(semantic_value{}, $1, true, nullptr); }
    | decl_specifiers declarator '=' DELETE ';'    { p.declare_declarator($1, $2, true, nullptr); }
    | declarator '=' DELETE ';'                 { p.declare_declarator(semantic_value{}, $1, true, nullptr); }
    ;

function_body
    : '{'                                       { $$.text = p.capture_body(); if (!$$.text) YYABORT; }
    ;

kr_declarations
    : kr_declaration
    | kr_declarations kr_declaration
    ;

kr_declaration
    : decl_specifiers kr_declarator_list ';'
    ;

kr_declarator_list
    : declarator                                { p.add_kr_declarator($0, $1); }
    | kr_declarator_list ',' declarator         { p.add_kr_declarator($0, $3); }
    ;

member_initialisers
    : member_initialiser
    | member_initialisers ',' member_initialiser
    ;

member_initialiser
    : qualified_member '(' ')'
    | qualified_member '(' expression_list ')'
    ;

qualified_member
    : IDENTIFIER
    | type_name
    | template_use
    ;

/* ---- Initialisers ---- */

initialiser
    : assignment_expr                           { $$.entity = p.leaf($1.text); }
    | '{' '}'                                   { $$.entity = p.list(); }
    | '{' initialiser_list '}'                  { $$ = $2; }
    | '{' initialiser_list ',' '}'              { $$ = $2; }
    ;

initialiser_list
    : initialiser_item                          { $$.entity = p.list(); p.append(static_cast<value_tree*>($$.entity), static_cast<value_tree*>($1.entity)); }
    | initialiser_list ',' initialiser_item     { $$ = $1; p.append(static_cast<value_tree*>($$.entity), static_cast<value_tree*>($3.entity)); }
    ;

initialiser_item
    : initialiser
    | designators '=' initialiser               { $$ = $3; p.designate(static_cast<value_tree*>($$.entity), $1.text); }
    ;

/* A member named like a type or a tag is still a member here. */
designator_word
    : IDENTIFIER
    | TYPE_NAME
    | CLASS_NAME
    ;

/* Kept with the value they place, so that the printed list means what the
   source meant and an array's length counts the highest index. */
designators
    : designator
    | designators designator                    { $$.text = p.join($1.text, "", $2.text); }
    ;

designator
    : '.' designator_word                       { $$.text = p.wrap(".", p.source_text(@2), ""); }
    | '[' conditional_expr ']'                  { $$.text = p.wrap("[", $2.text, "]"); }
    ;

/* ---- Namespaces, using, templates ---- */

namespace_definition
    : NAMESPACE namespace_name '{'              { p.open_namespace(&$2); }
      declarations '}'                          { p.close_namespace(); }
    | NAMESPACE '{'                             { p.open_namespace(nullptr); }
      declarations '}'                          { p.close_namespace(); }
    | NAMESPACE namespace_name '=' namespace_path ';'
    /* "namespace a::b {": each name opens its namespace in the one before,
       and the closing brace closes them all (number: how many). */
    | NAMESPACE nested_namespace_names '{' declarations '}'
            { for (long i = 0; i < $2.number; ++i) p.close_namespace(); }
    ;

nested_namespace_names
    : namespace_name SCOPE namespace_name       { p.open_namespace(&$1); p.open_namespace(&$3); $$.number = 2; }
    | nested_namespace_names SCOPE namespace_name { p.open_namespace(&$3); $$.number = $1.number + 1; }
    ;

namespace_name
    : IDENTIFIER
    | TYPE_NAME
    | CLASS_NAME
    ;

namespace_path
    : namespace_name
    | scope_prefix namespace_name               { $$ = $2; }
    ;

using_declaration
    : USING using_rest
    ;

using_rest
    : %empty
            {
                /* Reads the first word (unless the parser already holds it)
                   and the rest directly from the lexer up to ";". */
                if (yychar == DCL_EMPTY)
                    yychar = p.lexer.next_token(yylval);
                const int first_token = yychar;
                std::string* first = first_token == ';' ? p.text("") : (yylval.text ? yylval.text : p.text(p.lexer.token_text()));
                yyclearin;
                if (first_token == 0 || !p.using_declaration(first_token == NAMESPACE, first))
                    YYABORT;
            }
    ;

/* The same model as "typedef type name;". */
alias_declaration
    : ALIAS_KEY alias_name '=' type_id ';'
            {
                semantic_value name = $2;
                name.type = nullptr;
                name.entity = nullptr;
                p.declare_declarator(with_type($4.type, SF_TYPEDEF), name, true, nullptr);
            }
    ;

alias_name
    : IDENTIFIER
    | TYPE_NAME
    | CLASS_NAME
    ;

/* A template header opens a scope owned by the template being declared, in
   which its parameters are names: the tail is read with them. */
template_declaration
    : TEMPLATE TPL_OPEN                         { p.open_template_header(); }
      template_parameters_opt TPL_CLOSE template_tail
                                                { p.close_template_header(); }
    ;

/* "template class Box<int>;" makes the instance as any use of it does;
   "template int twice<int>(int);" declares the function instance of a
   function template, read as tokens and analysed again as a text. "extern"
   before them only says where the instance is made. */
explicit_instantiation
    : instance_head record_key template_use ';'
    | instance_head record_key scope_prefix template_use ';'
    | instance_head template_soup ';'           { p.declare_explicit_instance(@2); }
    ;

instance_head
    : INSTANCE_KEY
    | EXTERN INSTANCE_KEY
    ;

template_tail
    : record_key record_name TEMPLATE_BODY ';'  { p.declare_class_template($1.number, &$2, $3.text); }
    | record_key record_name CTOR_BODY ';'      { p.declare_class_template($1.number, &$2, $3.text); }
    | record_key record_name ';'                { p.declare_class_template($1.number, &$2, nullptr); }
    | record_key template_word TEMPLATE_BODY ';' { p.declare_class_template($1.number, &$2, $3.text); }
    | record_key template_word CTOR_BODY ';'    { p.declare_class_template($1.number, &$2, $3.text); }
    | record_key template_word ';'
    | record_key TEMPLATE_BODY ';'              { p.declare_class_template($1.number, nullptr, $2.text); }
    | record_key CTOR_BODY ';'                  { p.declare_class_template($1.number, nullptr, $2.text); }
    | record_key template_word '<' template_soup TEMPLATE_BODY ';'
    | record_key template_word '<' template_soup ';'
    | template_soup TEMPLATE_BODY               { p.declare_function_template(@$); }
    | template_soup CTOR_BODY                   { p.declare_function_template(@$); }
    | template_soup TEXT_TO_SEMI ';'            { p.declare_function_template(@$); }
    | template_soup ';'                         { p.declare_function_template(@$); }
    | template_declaration
    ;

/* A function template is taken as tokens here and analysed again as a text
   in the scope of its header, where its parameters are type names. */
template_soup
    : soup_item
    | template_soup soup_item
    ;

soup_item
    : soup_token
    | TPL_OPEN TPL_CLOSE
    | TPL_OPEN template_soup TPL_CLOSE
    ;

soup_token
    : IDENTIFIER | TYPE_NAME | CLASS_NAME | TEMPLATE_NAME | TEMPLATE_NAME_INST | USER_MODIFIER
    | INT | CHAR | SHORT | LONG | SIGNED | UNSIGNED | FLOAT | DOUBLE | VOID | BOOL | WCHAR_T
    | CONST | CONSTEXPR | VOLATILE | STATIC | INLINE | EXTERN | VIRTUAL | EXPLICIT | FRIEND | TYPENAME | OPERATOR
    | ENUM | THROW | DECL_QUALIFIER
    | '(' | ')' | '[' | ']' | '*' | '&' | ',' | '~' | SCOPE | ELLIPSIS
    | '+' | '-' | '/' | '%' | '^' | '|' | '!' | '<' | '>' | EQ | NE | LE | GE | SHL | SHR
    | INCR | DECR | ARROW | ANDAND | OROR
    | DEC_INT | OCT_INT | HEX_INT | CHAR_CONST | STRING_LIT | FLOAT_CONST
    ;

template_parameters_opt
    : %empty
    | template_parameter_list
    ;

template_parameter_list
    : template_parameter
    | template_parameter_list ',' template_parameter
    ;

template_parameter
    : TPL_TYPE_KEY                              { p.add_type_parameter(nullptr, nullptr, nullptr); }
    | TPL_TYPE_KEY IDENTIFIER                   { p.add_type_parameter($2.text, nullptr, nullptr); }
    | TPL_TYPE_KEY ELLIPSIS IDENTIFIER          { p.add_type_parameter($3.text, nullptr, nullptr); }
    | TPL_TYPE_KEY IDENTIFIER '=' type_id       { p.add_type_parameter($2.text, $4.type, $4.text); }
    | TPL_TYPE_KEY '=' type_id                  { p.add_type_parameter(nullptr, $3.type, $3.text); }
    | decl_specifiers parameter_declarator default_opt
            { p.add_value_parameter($1, $2, static_cast<value_tree*>($3.entity)); }
    ;

/* ---- Expressions, rebuilt as texts ---- */

expression
    : assignment_expr
    | expression ',' assignment_expr            { $$.text = p.join($1.text, ",", $3.text); }
    ;

expression_list
    : assignment_expr
    | expression_list ',' assignment_expr       { $$.text = p.join($1.text, ", ", $3.text); }
    ;

assignment_expr
    : conditional_expr
    | unary_expr '=' assignment_expr            { $$.text = p.join($1.text, "=", $3.text); }
    | unary_expr MUL_ASSIGN assignment_expr     { $$.text = p.join($1.text, "*=", $3.text); }
    | unary_expr DIV_ASSIGN assignment_expr     { $$.text = p.join($1.text, "/=", $3.text); }
    | unary_expr MOD_ASSIGN assignment_expr     { $$.text = p.join($1.text, "%=", $3.text); }
    | unary_expr ADD_ASSIGN assignment_expr     { $$.text = p.join($1.text, "+=", $3.text); }
    | unary_expr SUB_ASSIGN assignment_expr     { $$.text = p.join($1.text, "-=", $3.text); }
    | unary_expr SHL_ASSIGN assignment_expr     { $$.text = p.join($1.text, "<<=", $3.text); }
    | unary_expr SHR_ASSIGN assignment_expr     { $$.text = p.join($1.text, ">>=", $3.text); }
    | unary_expr AND_ASSIGN assignment_expr     { $$.text = p.join($1.text, "&=", $3.text); }
    | unary_expr XOR_ASSIGN assignment_expr     { $$.text = p.join($1.text, "^=", $3.text); }
    | unary_expr OR_ASSIGN assignment_expr      { $$.text = p.join($1.text, "|=", $3.text); }
    ;

conditional_expr
    : binary_expr
    | binary_expr '?' expression ':' conditional_expr
            { $$.text = p.join(p.join($1.text, "?", $3.text), ":", $5.text); }
    ;

binary_expr
    : cast_expr
    | binary_expr OROR binary_expr              { $$.text = p.join($1.text, "||", $3.text); }
    | binary_expr ANDAND binary_expr            { $$.text = p.join($1.text, "&&", $3.text); }
    | binary_expr '|' binary_expr               { $$.text = p.join($1.text, "|", $3.text); }
    | binary_expr '^' binary_expr               { $$.text = p.join($1.text, "^", $3.text); }
    | binary_expr '&' binary_expr               { $$.text = p.join($1.text, "&", $3.text); }
    | binary_expr EQ binary_expr                { $$.text = p.join($1.text, "==", $3.text); }
    | binary_expr NE binary_expr                { $$.text = p.join($1.text, "!=", $3.text); }
    | binary_expr '<' binary_expr               { $$.text = p.join($1.text, "<", $3.text); }
    | binary_expr '>' binary_expr               { $$.text = p.join($1.text, ">", $3.text); }
    | binary_expr LE binary_expr                { $$.text = p.join($1.text, "<=", $3.text); }
    | binary_expr GE binary_expr                { $$.text = p.join($1.text, ">=", $3.text); }
    | binary_expr SHL binary_expr               { $$.text = p.join($1.text, "<<", $3.text); }
    | binary_expr SHR binary_expr               { $$.text = p.join($1.text, ">>", $3.text); }
    | binary_expr '+' binary_expr               { $$.text = p.join($1.text, "+", $3.text); }
    | binary_expr '-' binary_expr               { $$.text = p.join($1.text, "-", $3.text); }
    | binary_expr '*' binary_expr               { $$.text = p.join($1.text, "*", $3.text); }
    | binary_expr '/' binary_expr               { $$.text = p.join($1.text, "/", $3.text); }
    | binary_expr '%' binary_expr               { $$.text = p.join($1.text, "%", $3.text); }
    | binary_expr DOT_STAR binary_expr          { $$.text = p.join($1.text, ".*", $3.text); }
    | binary_expr ARROW_STAR binary_expr        { $$.text = p.join($1.text, "->*", $3.text); }
    ;

cast_expr
    : unary_expr
    | '(' type_id ')' cast_expr                 { $$.text = p.join(p.wrap("(", $2.text, ")"), "", $4.text); }
    ;

unary_expr
    : postfix_expr
    | '-' cast_expr                 { $$.text = p.wrap("-", $2.text, ""); }
    | '+' cast_expr                 { $$.text = p.wrap("+", $2.text, ""); }
    | '!' cast_expr                 { $$.text = p.wrap("!", $2.text, ""); }
    | '~' cast_expr                 { $$.text = p.wrap("~", $2.text, ""); }
    | '*' cast_expr                 { $$.text = p.wrap("*", $2.text, ""); }
    | '&' cast_expr                 { $$.text = p.wrap("&", $2.text, ""); }
    | INCR unary_expr                           { $$.text = p.wrap("++", $2.text, ""); }
    | DECR unary_expr                           { $$.text = p.wrap("--", $2.text, ""); }
    | SIZEOF unary_expr                         { $$.text = p.wrap("sizeof ", $2.text, ""); }
    | SIZEOF '(' type_id ')'                    { $$.text = p.wrap("sizeof(", $3.text, ")"); }
    | NEW type_id                               { $$.text = p.wrap("new ", $2.text, ""); }
    | DELETE cast_expr                          { $$.text = p.wrap("delete ", $2.text, ""); }
    | DELETE '[' ']' cast_expr                  { $$.text = p.wrap("delete[] ", $4.text, ""); }
    ;

postfix_expr
    : primary_expr
    | postfix_expr '[' expression ']'           { $$.text = p.join(p.join($1.text, "[", $3.text), "]", nullptr); }
    | postfix_expr '(' ')'                      { $$.text = p.join($1.text, "()", nullptr); }
    | postfix_expr '(' expression_list ')'      { $$.text = p.join(p.join($1.text, "(", $3.text), ")", nullptr); }
    | postfix_expr '.' IDENTIFIER               { $$.text = p.join($1.text, ".", $3.text); }
    | postfix_expr ARROW IDENTIFIER             { $$.text = p.join($1.text, "->", $3.text); }
    | postfix_expr INCR                         { $$.text = p.join($1.text, "++", nullptr); }
    | postfix_expr DECR                         { $$.text = p.join($1.text, "--", nullptr); }
    | compound_literal
    | cast_keyword TPL_OPEN type_id TPL_CLOSE '(' expression ')'
            { $$.text = p.join(p.join(p.wrap($1.text->c_str(), $3.text, "> ("), "", $6.text), ")", nullptr); }
    | TYPEID '('                                { $$.text = p.lexer.capture_text(')', "typeid", false); if (!$$.text) YYABORT; }
    ;

/* A C99 unnamed object: the type as written, the list as lists print. */
compound_literal
    : '(' type_id ')' '{' '}'                   { $$.text = p.wrap("(", $2.text, "){}"); }
    | '(' type_id ')' '{' initialiser_list '}'  { $$.text = p.compound_literal($2.text, $5.entity); }
    | '(' type_id ')' '{' initialiser_list ',' '}'  { $$.text = p.compound_literal($2.text, $5.entity); }
    ;

cast_keyword
    : DYNAMIC_CAST                              { $$.text = p.text("dynamic_cast <"); }
    | STATIC_CAST                               { $$.text = p.text("static_cast <"); }
    | REINTERPRET_CAST                          { $$.text = p.text("reinterpret_cast <"); }
    | CONST_CAST                                { $$.text = p.text("const_cast <"); }
    ;

primary_expr
    : DEC_INT                                   { $$.text = p.text(*$1.text); }
    | OCT_INT                                   { $$.text = p.text(*$1.text); }
    | HEX_INT                                   { $$.text = p.text(*$1.text); }
    | FLOAT_CONST                               { $$.text = p.text(*$1.text); }
    | CHAR_CONST                                { $$.text = p.text(*$1.text); }
    | string_list
    | TRUE                                      { $$.text = p.text("true"); }
    | FALSE                                     { $$.text = p.text("false"); }
    | THIS                                      { $$.text = p.text("this"); }
    | IDENTIFIER                                { $$.text = p.text(*$1.text); }
    | scope_prefix IDENTIFIER                   { $$.text = p.source_text(@$); }
    | '(' expression ')'                        { $$.text = p.wrap("(", $2.text, ")"); }
    ;

string_list
    : STRING_LIT                                { $$.text = p.text(*$1.text); }
    | string_list STRING_LIT                    { $$.text = p.join($1.text, " ", $2.text); }
    ;

%%

int dcl_lex(DCL_STYPE* value, DCL_LTYPE* location, declaration_parser& p)
{
    int token = p.lexer.next_token(*value);
    // Only the keyword itself: the mark outlives it when the text ends there.
    if (p.lexer.type_parameter_key && (token == CLASS || token == TYPENAME))
        token = TPL_TYPE_KEY;
    // Without "<" no header follows: an explicit instantiation, after whose
    // template arguments no body is to be captured.
    if (token == USING && p.lexer.alias_follows())
        token = ALIAS_KEY;
    if (token == TEMPLATE && !p.lexer.angle_follows()) {
        p.lexer.template_header = false;
        token = INSTANCE_KEY;
    }
    const std::size_t end = p.lexer.offset();
    const std::string_view text = p.lexer.token_text();
    location->last = end;
    location->first = end >= text.size() ? end - text.size() : end;
    return token < 0 ? 0 : token;
}

void dcl_error(DCL_LTYPE*, declaration_parser& p, const char*)
{
    p.report_syntax_error();
}

int declaration_parser::parse()
{
    return dcl_parse(*this) == 0 ? 0 : 1;
}
