// The whole state of the preprocessor as one object: the input stack, the
// output of the running call, the two conditional stacks, the include list,
// the tool-pragma state and the name table in use. The cpp_* entry points of
// preprocessor.h work on one process-wide instance; tests build their own.
//
// Scanning never recurses per file: #include pushes a level and the main
// loop carries on in it, popping levels as they end. Only macro-argument
// pre-expansion and the expansion of directive operands rescan a pushed text
// in a nested loop, and each of those pushes a level, so the 2000-level limit
// also bounds the depth of C++ calls.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "diag/report.h"
#include "prepro/if_expression.h"
#include "prepro/line_counter.h"
#include "prepro/macro_definition.h"
#include "prepro/name_table.h"
#include "prepro/preprocessor.h"

// Markers inside expansion buffers: never in the final output.
inline constexpr char marker_no_expand = '\x01'; // before a name that must stay unexpanded
inline constexpr char marker_separator = '\x02'; // a blank that separates tokens only

enum level_kind { level_text = 1, level_expanded = 3, level_macro = 7, level_file = 6 };

struct include_node {
    include_node* previous = nullptr;
    include_node* next = nullptr;
    bool has_directory = false; // false: a null node, the name as written
    std::string directory;
    bool linked = false;
};

struct input_level {
    std::string file_name;
    bool has_file_name = false;
    line_counter line;
    std::string buffer; // the text, NUL-terminated by std::string
    char* start = nullptr;
    char* pos = nullptr;
    char* end = nullptr;
    name_entry* macro = nullptr;
    std::size_t conditional_top = 0; // conditional stack size at entry
    int kind = 0;
    include_node* directory = nullptr;      // node the file was found in
    include_node* appended_node = nullptr;  // includer's directory, nulled when this level ends
    bool at_line_start = true;
    bool name_changed = false; // #line gave a new name: the next marker must say so
};

struct output_buffer {
    std::string text;
    line_counter line{1};
    int kind = 0;             // expansion kind when it receives an expanded text
    bool keep_markers = false;
};

struct conditional_entry {
    std::string file_name;
    int line = 0;
    int taken = 0;
    int kind = 5;
};

struct open_conditional {
    std::size_t entry = 0; // index in the conditional stack
    int skipping = 0;
    int line = 0;
};

struct directive_row;

class preprocessor {
public:
    preprocessor();
    ~preprocessor();
    preprocessor(const preprocessor&) = delete;
    preprocessor& operator=(const preprocessor&) = delete;

    // Entry points (see preprocessor.h).
    void initialise(bool strict, bool traditional, int language, const std::vector<std::string>& definitions,
                    const std::vector<std::string>& include_dirs, name_table& table, bool set_up_directories,
                    report_callback report);
    int preprocess_text(std::string_view text, bool analyse_all, std::string_view base_name, int first_line,
                        std::string& result, name_table& table, report_callback report);
    void finish(name_table& table, bool release_directories);
    void define_option(name_table& table, std::string_view text);
    void define_if_absent(name_table& table, std::string_view text);
    void undefine(name_table& table, std::string_view name);
    std::string expand_text(name_table& table, std::string_view text, int kind);
    include_node* add_file_directory(std::string_view file_name);

    void sizeof_pragma(std::string_view text);
    void signof_pragma(std::string_view text);

    // Pragma and target state.
    bool escape_file_names = false;
    bool analysis_started = true;
    std::vector<std::string> type_modifiers;
    std::vector<sizeof_entry> sizes; // most recent first
    target_bits own_bits;
    target_size_hooks hooks;
    target_bits& bits() { return hooks.sizes ? *hooks.sizes : own_bits; }

    // Exposed for tests.
    const std::vector<std::string> include_list() const;
    std::size_t open_conditionals() const { return open_.size(); }
    std::size_t conditional_entries() const { return conditionals_.size(); }
    const std::vector<std::pair<std::string, std::string>>& pragma_map() const { return pragma_map_; }

private:
    friend struct directive_handlers;

    // Reporting at the current position; fatal reports stop the scanning.
    void report(int kind, const char* code, const report_argument& argument);
    void report_at_line(int kind, const char* code, const report_argument& argument, std::string_view file,
                        int line);
    input_level* file_level();
    int current_line();
    std::string current_file();

    // Input stack.
    bool push_level(int kind, std::string text, std::string_view file_name, bool has_file_name, int line);
    void pop_level();
    bool push_file(const std::string& path, include_node* node, include_node* appended);
    void end_of_level(output_buffer& out);

    // Output and markers.
    void write(output_buffer& out, std::string_view text);
    void write_char(output_buffer& out, char c);
    void line_marker(output_buffer& out, input_level& level);
    void conditional_marker(output_buffer& out, input_level& level);
    void resync_lines(output_buffer& out, input_level& level);

    // The main loop.
    void rescan(output_buffer& out, std::size_t base);
    void skip_stopped(input_level& level);
    bool is_start_pragma_line(const char* p, const char* end);
    void scan_string(output_buffer* out, input_level& level);
    void scan_number(output_buffer& out, input_level& level);
    void scan_comment(output_buffer* out, input_level& level, bool write_line_feeds);
    std::string_view read_identifier(input_level& level);

    // Directives.
    bool try_directive(output_buffer& out, input_level& level);
    void directive_operand(input_level& level, const directive_row& row, std::string& operand);
    void open_conditional_group(output_buffer& out, input_level& level, bool skip);
    void skip_group(input_level& level);
    bool conditional_open_here(const input_level& level) const;
    void resume_skipping(input_level& level);
    void do_if(output_buffer& out, input_level& level, std::string_view operand);
    void do_ifdef(output_buffer& out, input_level& level, std::string_view operand, bool is_ifdef);
    void do_else(output_buffer& out, input_level& level);
    void do_elif(output_buffer& out, input_level& level, std::string_view operand);
    void do_endif(output_buffer& out, input_level& level);
    void do_line(input_level& level, std::string_view operand);
    void do_warning(std::string_view name, std::string_view operand);
    void report_else_mismatch(const char* parameter);
    void finish_conditionals();

    // Macros.
    void define(std::string_view operand);
    void undef(std::string_view operand);
    void undefine_entry(name_entry* entry);
    void expand(output_buffer& out, name_entry* entry);
    void expand_special(output_buffer& out, name_entry* entry);
    void expand_defined(output_buffer& out, input_level& level);
    char find_call_bracket(bool square_too);
    bool collect_arguments(char open, char close, std::vector<std::string>& arguments);
    std::string substitute(name_entry* entry, std::vector<std::string>& arguments);
    std::string pre_expand(const std::string& argument);
    bool may_expand(std::string_view text) const;

    // #if.
    int eval_if(std::string_view operand);

    // Includes and pragmas.
    void do_include(output_buffer& out, input_level& level, std::string_view operand, bool next);
    void do_pragma(output_buffer& out, input_level& level, std::string_view operand);
    bool pragma_map_match(std::string_view operand, std::string* replacement);
    void append_directory(std::string_view directory);
    void unlink_node(include_node* node);
    void reset_directories();

    name_table* table_ = nullptr;
    report_callback report_ = nullptr;
    int error_count_ = 0;
    int directive_line_ = 0; // line of the directive being handled
    bool stopped_ = false; // a fatal report was made: unwind
    bool analyse_all_ = false;
    bool classes_ready_ = false;
    int language_ = 2;
    bool strict_ = true;
    bool traditional_ = false;

    std::vector<input_level> levels_; // reserved for the 2000 levels: never moves
    output_buffer* output_ = nullptr; // the output of the running call

    std::vector<conditional_entry> conditionals_;
    std::vector<open_conditional> open_;

    std::deque<include_node> nodes_; // stable addresses
    include_node* first_node_ = nullptr;
    include_node* last_node_ = nullptr;
    std::size_t longest_directory_ = 19;

    std::vector<std::pair<std::string, std::string>> pragma_map_;

    bool clock_read_ = false;
    std::string date_text_, time_text_;
};

inline constexpr int input_stack_size = 2000;

// The process-wide instance behind the cpp_* functions.
preprocessor& cpp_instance();
