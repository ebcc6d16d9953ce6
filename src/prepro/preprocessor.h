// The public face of the preprocessor: a strict ANSI C preprocessor working
// on in-memory texts. The generator keeps one name_table per analysis
// context and passes it to every call; the rest of the state (include list,
// conditional stacks, pragma map, sizeof list, type modifiers, the
// analysis-started flag) belongs to the running process and carries over
// between calls, so that one run's files share them. The preprocessed text comes
// back as one buffer with "#line" markers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diag/report.h"
#include "prepro/if_expression.h"
#include "prepro/name_table.h"

struct include_node;

// Fills the character classes on the first call; when set_up_directories,
// builds the include list from include_dirs, KNUTGT or ZRLTGT and
// MVX_ADD_USR_INCLUDE; defines ZRL_LINUX, USE_KNU and ZRL_CPLUSPLUS_LANGUAGE,
// enters the special names and defines each text of definitions as -DEFINE
// does. The report function receives the messages of these definitions.
void cpp_initialise(bool strict, bool traditional, int language,
                    const std::vector<std::string>& definitions,
                    const std::vector<std::string>& include_dirs, name_table& table,
                    bool set_up_directories, report_callback report = report_with_position);

// Preprocesses text (named base_name, starting at first_line) into result,
// which it replaces. Returns the number of errors reported during the call.
int cpp_preprocess_text(std::string_view text, bool analyse_all, std::string_view base_name,
                        int first_line, std::string& result, name_table& table,
                        report_callback report = report_with_position);

// End of a context: UNTERCOND for every open conditional, all macros
// undefined, type modifiers cleared; the include list emptied when
// release_directories.
void cpp_finish(name_table& table, bool release_directories);

// One -DEFINE value: NAME gives NAME 1, NAME=VALUE gives NAME VALUE.
void cpp_define_option(name_table& table, std::string_view text);
// A #define operand, unless its name is already a macro (-STD_DEFINE values).
void cpp_define_if_absent(name_table& table, std::string_view text);
void cpp_undefine(name_table& table, std::string_view name);
// The replacement text as written when name is a macro with a non-empty one, else "".
std::string cpp_macro_text(const name_table& table, std::string_view name);

// Appends the directory part of file_name ("." for a bare name) to the
// include list and returns its node; an empty name adds nothing (null).
include_node* cpp_add_file_directory(std::string_view file_name);

// In-place rewrites that keep the length and position of every line.
void cpp_replace_trigraphs(std::string& text);
void cpp_replace_digraphs(std::string& text);
void cpp_replace_trigraphs(char* begin, char* end);
void cpp_replace_digraphs(char* begin, char* end);

// Expansion kinds of cpp_expand_text.
enum expansion_kind { expand_pragma = 3, expand_if = 4, expand_include = 5 };

// Macro-expands a piece of text in table (no markers in the result).
std::string cpp_expand_text(name_table& table, std::string_view text, int kind);

// The -PREPRO_ONLY flag: backslashes and double quotes of file names are
// escaped in the line markers.
void cpp_set_escape_file_names(bool on);
bool cpp_escape_file_names();

// State set by the tool pragmas and read by the analysis lexer.
const std::vector<std::string>& cpp_type_modifiers();       // "#pragma morva type_modifier=NAME"
const std::vector<sizeof_entry>& cpp_sizeof_list();         // most recent first
bool cpp_analysis_started();

// Target sizes in bits as the "#pragma morva sizeof/signof" lines set them.
struct target_bits {
    int char_bits = 8, short_bits = 16, int_bits = 32, long_bits = 32, long_long_bits = 64;
    bool char_unsigned = false;
};

// The analyser's side of the target-description pragmas: where the sizes
// live (null: the preprocessor's own copy) and how a typedef name whose chain
// ends in an integral type gets a new size or sign. A hook returns false
// when the name is not such a typedef.
struct target_size_hooks {
    target_bits* sizes = nullptr;
    void* context = nullptr;
    bool (*set_typedef_size)(void* context, std::string_view name, int bits) = nullptr;
    bool (*set_typedef_sign)(void* context, std::string_view name, bool is_signed) = nullptr;
};
void cpp_set_target_hooks(const target_size_hooks& hooks);
const target_bits& cpp_target_bits();

// The operations of "#pragma morva sizeof" and "signof", given the text after
// the keyword (called by the analysis lexer).
void cpp_sizeof_pragma(std::string_view text);
void cpp_signof_pragma(std::string_view text);
