// Public entry points of the preprocessor (temporary bodies while the
// scanner is being built).
#include "prepro/preprocessor.h"

namespace {
bool escape_names = false;
std::vector<std::string> modifiers;
std::vector<sizeof_entry> sizes;
target_bits own_bits;
target_size_hooks hooks;
}

void cpp_initialise(bool, bool, int, const std::vector<std::string>&, const std::vector<std::string>&,
                    name_table&, bool, report_callback)
{
}

int cpp_preprocess_text(std::string_view text, bool, std::string_view, int, std::string& result, name_table&,
                        report_callback)
{
    result.assign(text);
    return 0;
}

void cpp_finish(name_table&, bool) {}
void cpp_define_option(name_table&, std::string_view) {}
void cpp_define_if_absent(name_table&, std::string_view) {}
void cpp_undefine(name_table&, std::string_view) {}
std::string cpp_macro_text(const name_table&, std::string_view) { return {}; }
include_node* cpp_add_file_directory(std::string_view) { return nullptr; }
void cpp_replace_trigraphs(std::string&) {}
void cpp_replace_digraphs(std::string&) {}
void cpp_replace_trigraphs(char*, char*) {}
void cpp_replace_digraphs(char*, char*) {}
std::string cpp_expand_text(name_table&, std::string_view text, int) { return std::string(text); }
void cpp_set_escape_file_names(bool on) { escape_names = on; }
bool cpp_escape_file_names() { return escape_names; }
const std::vector<std::string>& cpp_type_modifiers() { return modifiers; }
const std::vector<sizeof_entry>& cpp_sizeof_list() { return sizes; }
bool cpp_analysis_started() { return true; }
void cpp_set_target_hooks(const target_size_hooks& h) { hooks = h; }
const target_bits& cpp_target_bits() { return hooks.sizes ? *hooks.sizes : own_bits; }
void cpp_sizeof_pragma(std::string_view) {}
void cpp_signof_pragma(std::string_view) {}
