// Instances of class templates.
//
// A class template keeps the text of its body. Its instance for a list of
// arguments is an ordinary class named by the template name and the printed
// arguments ("Box<int> "), made by analysing the synthesised text
// "class Box<int> { ...body... };" with the same parser, nested inside the
// running analysis and in the same table, while the template's parameters
// are bound to the arguments. The record exists, at file scope, before its
// text is analysed, so a use of the instance inside its own body finds it.
//
// Every nested analysis saves and restores the table's analysis state
// (analysis_state.h). A template whose text keeps asking for new instances
// ("A<T*>" inside A) is stopped by a depth limit and by a budget of instance
// texts per table; the records made past them stay without members.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analyser/scope_table.h"
#include "diag/report.h"

class declaration_parser;

// How deep instances may nest while their texts are analysed, and how many
// instance texts one table analyses at most.
inline constexpr std::size_t instance_depth_limit = 16;
inline constexpr std::size_t instance_budget = 4000;

// The template name, "<", each argument (its type printed in mode 11; a
// value argument a blank and its text), ", " between them, and "> ".
std::string instance_name(std::string_view name, const std::vector<argument_node*>& arguments);

// The TK_STRUCT of the instance of template for arguments, made (by
// make_record, at file scope) and analysed when it does not exist yet.
// kind_code: 0 class, 1 struct. The instance is declared at the position of
// the use, where the parser's lexer stands.
type_node* instantiate(declaration_parser& p, int kind_code, type_node* template_node,
                       const std::vector<argument_node*>& arguments);

// Synthesises the text of the instance and analyses it nested, under the
// bindings of template's parameters to arguments.
// A missing argument is reported at use_file and use_line.
void analyse_instance(scope_table& table, report_callback report, type_node* template_node, type_node* instance,
                      const std::vector<argument_node*>& arguments, std::string_view use_file, int use_line);

// After a class body closes: the template products that its friend members
// use (as type or returned type) and that are still empty are analysed, as
// are those of the classes nested in it.
void instantiate_member_templates(scope_table& table, report_callback report, type_node* record,
                                  std::string_view file, int line);

// For the generator: analyses again every member function declaration of the
// instance, each followed by an empty body "{ } ", inside the instance's
// class and under its template's bindings, so that the member functions are
// definitions of file. Returns the number of member functions given a body.
// Does nothing for a record that is not a template instance.
int analyse_instance_members(scope_table& table, type_node* instance, std::string_view file, int line,
                             report_callback report);
