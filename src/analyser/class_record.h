// Class, struct, union and namespace records: their heads, the close of a
// class body, and the members a class receives from its bases.
//
// A head with a body opens the record's scope at "{" (the forward-declared
// node of that name when there is one, so earlier pointers see the
// members); make_record completes the payload when the body closes, puts
// the record in its scope and declares its nameless tag symbol. A head
// without a body is a use or a forward declaration: the visible record of
// that name, else a new empty one.
#pragma once

#include <string_view>
#include <vector>

#include "analyser/type_model.h"

class declaration_parser;
class model_store;
class scope_table;

// Record kind codes of a class head; 0, 1 and 3 make a TK_STRUCT whose
// declared_as is the code, 2 a TK_UNION.
inline constexpr int record_code_class = 0;
inline constexpr int record_code_struct = 1;
inline constexpr int record_code_union = 2;
inline constexpr int record_code_namespace = 3;

// Where make_record puts the record: in the scope where its head was opened,
// or at file scope for a template instance and an explicit specialisation.
inline constexpr int record_mode_ordinary = 0;
inline constexpr int record_mode_instance = 1;
inline constexpr int record_mode_specialisation = 2;

// The outermost depth of compute_inherited: deeper derivation chains stop.
inline constexpr int inheritance_depth_limit = 100;

// The member list of a class, struct or union; null for any other type.
std::vector<member_node*>* members_of(type_node* record);

// Opens the scope of a record body at its "{": the empty record of that name
// and kind declared in this scope is reopened, else a new owner is made.
// The default access is private after "class", public otherwise.
void open_record_body(declaration_parser& p, int kind_code, std::string_view name);

// The record of a class head. With has_body the body's scope (opened by
// open_record_body) is innermost: the payload takes the name, the bases and
// the code, befriends_test_class and the inherited members are computed,
// the scope is closed, end_class runs, and the tag is declared. Without
// body the visible record of that name and kind is returned, else a new
// empty one is declared. A friend class (the enclosing frame carries the
// friend bit) goes to the scope of the class that declares it (file scope
// when that is a template); modes 1 and 2 go to file scope. A union with
// bases reports "SYNTAXERR" "<union>::<type>" and gives null.
type_node* make_record(declaration_parser& p, int kind_code, std::string_view name,
                       std::vector<base_node*>* bases, bool has_body, int mode);

// The end of a class body: every friend function member is declared again
// at file scope, without the friend bit.
void end_class(scope_table& table, type_node* record, std::string_view file, int line);

// Appends to inherited the members that a class named class_name receives
// from bases (its own bases' members first, in base order), each a copy with
// its access in the class (bits 8, 16, 32) and through_virtual, then applies
// the access declarations of members to that list ("MODACCINC" for one that
// matches nothing). The outermost call passes inheritance_depth_limit.
void compute_inherited(model_store& store, std::string_view class_name, const std::vector<member_node*>& members,
                       const std::vector<base_node*>& bases, bool virtual_path, std::vector<member_node*>& inherited,
                       int depth);

// An access declaration in a class body: qualifier, "::", member name and
// ";". Adds a member node flagged as access declaration, named with the
// qualified name, with the current access; "CHAMPINCO" with the member name
// when the qualifier class has no such member.
void declare_access(declaration_parser& p, type_node* qualifier, std::string_view member_name);

// A qualified name written outside its class or namespace ("int A::n = 0;"):
// "CHAMPINCO" with the member name when the qualifier has no such member.
void check_qualified_member(declaration_parser& p, type_node* qualifier, std::string_view member_name);
