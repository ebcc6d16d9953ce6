// The cpp_* entry points: the process-wide preprocessor, and cpp_finish.
#include "prepro/preprocessor_state.h"

preprocessor& cpp_instance()
{
    static preprocessor instance;
    return instance;
}

void preprocessor::finish(name_table& table, bool release_directories)
{
    table_ = &table;
    stopped_ = false;
    finish_conditionals();
    bool pushed = push_level(level_text, std::string(), "*undef*", true, 1);
    std::vector<std::string> names;
    table.for_each([&](name_entry* e) {
        if (e->kind == name_macro)
            names.push_back(e->name);
    });
    for (const std::string& n : names)
        undef(n);
    if (pushed)
        pop_level();
    type_modifiers.clear();
    if (release_directories)
        reset_directories();
}


void cpp_initialise(bool strict, bool traditional, int language, const std::vector<std::string>& definitions,
                    const std::vector<std::string>& include_dirs, name_table& table, bool set_up_directories,
                    report_callback report)
{
    cpp_instance().initialise(strict, traditional, language, definitions, include_dirs, table, set_up_directories,
                              report);
}

int cpp_preprocess_text(std::string_view text, bool analyse_all, std::string_view base_name, int first_line,
                        std::string& result, name_table& table, report_callback report)
{
    return cpp_instance().preprocess_text(text, analyse_all, base_name, first_line, result, table, report);
}

void cpp_finish(name_table& table, bool release_directories) { cpp_instance().finish(table, release_directories); }
void cpp_define_option(name_table& table, std::string_view text) { cpp_instance().define_option(table, text); }
void cpp_define_if_absent(name_table& table, std::string_view text) { cpp_instance().define_if_absent(table, text); }
void cpp_undefine(name_table& table, std::string_view name) { cpp_instance().undefine(table, name); }

std::string cpp_macro_text(const name_table& table, std::string_view name)
{
    for (name_entry* e = table.find(name); e; e = nullptr)
        if ((e->kind == name_macro || e->kind == name_macro_disabled) && !e->macro->written.empty())
            return e->macro->written;
    return {};
}

include_node* cpp_add_file_directory(std::string_view file_name)
{
    return cpp_instance().add_file_directory(file_name);
}

std::string cpp_expand_text(name_table& table, std::string_view text, int kind)
{
    return cpp_instance().expand_text(table, text, kind);
}

void cpp_set_escape_file_names(bool on) { cpp_instance().escape_file_names = on; }
bool cpp_escape_file_names() { return cpp_instance().escape_file_names; }
const std::vector<std::string>& cpp_type_modifiers() { return cpp_instance().type_modifiers; }
const std::vector<sizeof_entry>& cpp_sizeof_list() { return cpp_instance().sizes; }
bool cpp_analysis_started() { return cpp_instance().analysis_started; }
void cpp_set_target_hooks(const target_size_hooks& hooks) { cpp_instance().hooks = hooks; }
const target_bits& cpp_target_bits() { return cpp_instance().bits(); }
void cpp_sizeof_pragma(std::string_view text) { cpp_instance().sizeof_pragma(text); }
void cpp_signof_pragma(std::string_view text) { cpp_instance().signof_pragma(text); }
