// The state of one declaration analysis and the actions of its grammar.
//
// declaration_grammar.y is a pure bison parser: everything it needs lives in
// this object (the lexer, the texts, the table being filled, the reporting
// callback), so a nested analysis is just another object. The grammar's
// reductions call the methods below, which turn specifiers and declarator
// pieces into partial types, compose them and hand the symbols to the table.
//
// The object is also the lexer's name_lookup: the table decides whether a
// name is a type, a class or a template.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "analyser/analysis_lexer.h"
#include "analyser/scope_table.h"
#include "diag/report.h"

// Source span of a grammar symbol (byte offsets in the analysed text).
struct source_span {
    std::size_t first = 0;
    std::size_t last = 0;
};

class declaration_parser : public name_lookup {
public:
    declaration_parser(scope_table& table, std::string_view text, std::string_view file, int line,
                       report_callback report);
    ~declaration_parser() override;
    declaration_parser(const declaration_parser&) = delete;
    declaration_parser& operator=(const declaration_parser&) = delete;

    scope_table& table;
    model_store& store;
    report_callback report;
    text_arena arena;
    analysis_lexer lexer;
    int syntax_errors = 0;
    int open_brace = -1; // -1 untouched, else the start rule's value
    std::vector<std::pair<std::string, type_node*>> kr_types; // K&R parameter declarations
    // The records that a head with a body declared itself (no earlier
    // declaration): a body that fails takes its tag back out.
    std::vector<type_node*> records_opened_by_heads;

    // The parser's entry (declaration_grammar.y): 0 accepted, 1 aborted.
    int parse();

    // name_lookup
    name_class classify(std::string_view name, bool after_scope, const semantic_value* qualifier) override;
    void target_pragma() override;
    // The integral type a typedef name stands for, or null.
    integral_payload* typedef_integral(std::string_view name);

    // Messages.
    void report_syntax_error();
    void report_at_lexer(int kind, const char* code, std::string_view argument);

    // Texts.
    std::string* text(std::string_view s) { return arena.make(s); }
    std::string* join(std::string* left, std::string_view op, const std::string* right);
    std::string* wrap(std::string_view before, const std::string* middle, std::string_view after);
    std::string* source_text(source_span span); // the written text, blanks normalised

    // Specifiers.
    type_node* specifier(std::string_view word);
    type_node* modifier(std::string_view word, std::uint32_t form);
    type_node* compose(type_node* first, type_node* second);
    type_node* name_type(const semantic_value& name); // the type behind a type or class name

    // Declarators.
    type_node* pointer(type_node* member_of);
    type_node* reference();
    type_node* array(const std::string* bound);
    type_node* function(std::vector<parameter_node*>* parameters, type_node* trailing, bool has_throw,
                        std::vector<type_node*>* exceptions);
    std::vector<parameter_node*>* parameter_list();
    void add_parameter(std::vector<parameter_node*>* list, const semantic_value& specifiers,
                       const semantic_value& declarator, value_tree* default_value);
    void add_ellipsis(std::vector<parameter_node*>* list);
    std::vector<type_node*>* type_list();

    // Declarations.
    void declare_declarator(const semantic_value& specifiers, const semantic_value& declarator, bool first,
                            value_tree* initialiser);
    void define_function(const semantic_value& specifiers, const semantic_value& declarator,
                         const std::string* body, const std::string* initialisers);
    // The specifiers with "constexpr" read for this declarator.
    semantic_value without_constexpr(const semantic_value& specifiers, const semantic_value& declarator);
    // The declarator of a constructor: the class name with its suffixes.
    semantic_value constructor_declarator(const semantic_value& name, const semantic_value& suffixes);
    // A declaration without declarator inside a class body: a friend class,
    // or a type declared in the class, becomes a member.
    void declare_specifiers_only(const semantic_value& specifiers);
    void add_kr_declarator(const semantic_value& specifiers, const semantic_value& declarator);

    // Values.
    value_tree* leaf(const std::string* text);
    value_tree* list();
    void append(value_tree* list, value_tree* element);
    void designate(value_tree* element, const std::string* designator);
    std::string* compound_literal(const std::string* type_text, void* list);

    // Records.
    void open_record(int kind_code, const std::string* name);
    type_node* close_record(int kind_code, const std::string* name, std::vector<base_node*>* bases);
    type_node* record_use(int kind_code, const semantic_value& name);
    // A qualified class head ("class A::In {", "struct N::S {"): the body is
    // read inside the qualifier's scope, so that it completes the record
    // declared there and its members are named from that scope.
    void open_qualified_record(int kind_code, const semantic_value& qualifier, const std::string* name);
    type_node* close_qualified_record(int kind_code, const std::string* name, std::vector<base_node*>* bases);
    std::vector<base_node*>* base_list();
    void add_base(std::vector<base_node*>* list, const semantic_value& name, std::uint32_t is_virtual,
                  std::uint32_t access);
    void access_label(std::uint32_t access);
    void open_namespace(const semantic_value* name);
    void close_namespace();
    // "using" whose first word was read: the rest up to ";"; false (after
    // the report) when the text ends first.
    bool using_declaration(bool is_namespace, const std::string* first);

    // Enumerations.
    void open_enum(const std::string* name);
    void add_enumerator(const std::string* name, const std::string* value);
    type_node* close_enum();
    type_node* enum_use(const semantic_value& name);

    // Templates (template_declaration.cpp). A header opens a scope owned by
    // the template it declares; its parameters are names there.
    void open_template_header();
    void close_template_header();
    void add_type_parameter(const std::string* name, type_node* default_type, const std::string* default_text);
    void add_value_parameter(const semantic_value& specifiers, const semantic_value& declarator,
                             value_tree* default_value);
    void declare_class_template(int kind_code, const semantic_value* name, const std::string* body);
    // The function template whose tokens span covers: its text analysed again
    // in the header's scope, and the function found there attached.
    void declare_function_template(source_span span);
    // "template <> R name<args>(...)": the function is declared with the
    // function template of that name as origin (TEMINSINC when the name is no
    // function template). False when text is no such specialisation.
    bool declare_template_function_instance(const std::string& text, int line);
    // "template R name<args>(...);" or "template R name(...);": the function
    // instance of the function template of that name, declared in the
    // current scope (TEMINSINC when the name is no function template). A
    // qualified name is a member of a class instance: nothing to declare.
    void declare_explicit_instance(source_span span);
    void recover_template_headers();
    // Uses of templates (template_instance.cpp makes the instances).
    std::vector<argument_node*>* argument_list();
    void add_argument(std::vector<argument_node*>* list, const semantic_value& argument);
    type_node* template_use(const semantic_value& name, std::vector<argument_node*>* arguments);
    // The name of a record head: an instance's own name for a template use.
    const std::string* record_name_text(const semantic_value& name);
    // The last symbol this analysis declared or defined.
    symbol* last_declared = nullptr;
    // A declarator qualified by another scope than the current one was met.
    bool qualified_elsewhere = false;

    // Error recovery: closes the class scopes a broken declaration left open.
    void recover_scopes();

    // The body of a function, captured when its "{" has been read; null at
    // the end of the text (reported).
    std::string* capture_body();

    std::string current_file() const { return lexer.file_name(); }
    int current_line() const { return lexer.line(); }

private:
    // An open template header: the template node that owns its scope, its
    // parameters and, for each, the placeholder its name stands for (null
    // for a value parameter).
    struct template_header {
        type_node* owner = nullptr;
        std::vector<parameter_node*> parameters;
        std::vector<type_node*> placeholders;
        std::size_t depth = 0; // frames below the header's own
    };
    std::deque<template_header> headers_;
    std::vector<template_header*> open_headers_;
    // What a template parameter name or a bound name is, if it is one.
    bool template_name_class(std::string_view name, name_class& found);
    bool inside_template_header() const;
    // Declares plain, the text of a function instance of template name, in
    // the current scope, with the template as its origin.
    void declare_function_instance(const std::string& name, const std::string& plain, int line);

    bool in_class() const; // the innermost scope is a class, struct or union
    bool names_a_typedef(const std::string& name);
    void typedef_declared(const std::string& name);
    void add_member(symbol* member);

    std::size_t base_depth_ = 0; // open frames when the analysis started
    // The frame depth under each open qualified class head's qualifier frame.
    std::vector<std::size_t> qualified_heads_;
    declaration_parser* outer_parser_ = nullptr; // the analysis this one runs inside
    std::deque<std::vector<parameter_node*>> parameter_lists_;
    std::deque<std::vector<base_node*>> base_lists_;
    std::deque<std::vector<type_node*>> type_lists_;
    std::deque<std::vector<argument_node*>> argument_lists_;
    type_node* current_enum_ = nullptr;
    scope_context context() const { return current_context(table); }
};
