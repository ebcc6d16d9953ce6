#include "analyser/scope_table.h"

void push_scope(scope_table&, std::uint32_t, int, std::string_view, type_node*, type_kind) {}
void pop_scope(scope_table&) {}
bool scope_open(const scope_table& t) { return !t.frames.empty(); }
scope_frame* innermost_frame(scope_table&) { return nullptr; }
std::uint32_t current_access(const scope_table&) { return 1; }
void set_current_access(scope_table&, std::uint32_t) {}
std::uint32_t current_scope_kind(const scope_table&) { return 0; }
type_node* current_owner(const scope_table&) { return nullptr; }
scope_context current_context(const scope_table&) { return {}; }
std::uint32_t current_specifiers(const scope_table&) { return 0; }
void clear_specifiers(scope_table&) {}
void add_specifier(scope_table&, std::uint32_t) {}
bool qualified_entry(const scope_table&) { return false; }
void set_qualified_entry(scope_table&, bool) {}
void set_first_member(scope_table&, symbol_entry*) {}
void set_frame_bases(scope_table&, std::vector<base_node*>*) {}
void set_template_parameters(scope_table&, std::vector<parameter_node*>*) {}
std::vector<type_node*>& current_used_namespaces(scope_table& t) { return t.used_namespaces; }
std::vector<using_declaration>& current_using_declarations(scope_table& t) { return t.using_declarations; }
