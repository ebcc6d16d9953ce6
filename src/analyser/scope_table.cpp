#include "analyser/scope_table.h"

scope_table::scope_table() = default;
void scope_table::reset(std::string_view test_class)
{
    std::string name(test_class);
    init_table(*this, name.c_str());
}
int name_bucket(std::string_view) { return 0; }
void init_table(scope_table& table, const char* friend_class_name)
{
    table.session->friend_class_name = friend_class_name ? friend_class_name : "";
}
symbol_entry* make_entry(scope_table& table, symbol* sym)
{
    symbol_entry* e = table.store.new_entry();
    e->sym = sym;
    return e;
}
symbol_entry* find_tag(std::string_view, scope_table&, type_kind, scope_context) { return nullptr; }
symbol_entry* find_symbol(std::string_view, scope_table&, scope_context) { return nullptr; }
symbol_entry* find_function(std::string_view, scope_table&, const type_node*, scope_context) { return nullptr; }
bool is_visible(const scope_table&, const symbol_entry*, scope_context) { return true; }
void remove_symbol(symbol_entry*, scope_table&) {}
void walk_symbols(const scope_table&, const std::function<void(symbol_entry&)>&) {}
void walk_tags(const scope_table&, const std::function<void(symbol_entry&)>&) {}
void walk_enumerators(const scope_table&, const std::function<void(symbol_entry&)>&) {}
