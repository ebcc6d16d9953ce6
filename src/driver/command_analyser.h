// The table-driven command analyser shared by the tool's commands.
//
// A command_table describes one command: its options (each under two French
// names and one English name, with its value descriptor and keywords), its
// positional parameters and its usage texts. The analysis first builds a
// working vector (option files read in, "$NAME" references expanded), then
// matches every argument against the table and records, in the table itself,
// which options were given and with which values. The caller then reads the
// results through option_index, option_value and positional_value.
//
// Errors are printed by the analyser as one line, "Kelvane Command analysis :
// <word> <argument>" followed by the usage text and a line feed, through the
// table's error writer; the analysis stops at the first error and returns -1.
// Because all run-time state lives in the table, a test or a second command
// builds its own table and analyses it independently. A table is analysed
// once; rows are plain aggregates, for example
//   table.options.push_back({.names = {"INCL", "INCL", "INCL"}, .value_mandatory = 1,
//       .argument = argument_type{.names = {"repertoire", "repertoire", "directory"},
//                                 .list_allowed = 'Y', .min = 1, .max = 255}});
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Column 0 and 1: French names, column 2: English name (the query key).
using name_columns = std::array<std::string, 3>;
inline constexpr int english_column = 2;

// One value given on the command line: the text ("C", also kept for numbers)
// and the number ("I" and "L").
struct value_node {
    std::string text;
    long number = 0;
};

// The value descriptor of an option, or one positional parameter.
struct argument_type {
    name_columns names{};          // placeholders; column 2 names a positional in messages
    char kind = 'C';             // 'C' text, 'I' 32-bit integer, 'L' long integer
    char list_allowed = 'N';     // 'Y': several values, by "," or by repeating the option
    long min = 0;                // 'C': length bounds, 'I'/'L': value bounds (inclusive)
    long max = 0;
    int mandatory = 0;           // positionals only
    std::deque<value_node> values{}; // filled by the analysis, in command order
};

struct value_keyword {
    name_columns names{};
    int selected = 0;
};

struct option_record {
    name_columns names{};
    int value_mandatory = 0;
    std::optional<argument_type> argument{}; // none: the option takes no value
    int state = 0;                         // 0 not given, 1 given, -1 given as "no..."
    int negatable = 0;
    int default_on = 0;
    int default_keyword = 0;               // 1-based keyword applied when none was given
    std::vector<value_keyword> keywords{};
};

struct command_table {
    std::vector<option_record> options;     // table order
    std::vector<argument_type> positionals; // in order
    name_columns usage;                     // column 2 is the one printed
    // Receives each error text; empty: the standard error stream.
    std::function<void(std::string_view)> write_error;
};

// Characters of the option syntax.
inline constexpr char option_char = '-';
inline constexpr char value_char = '=';
inline constexpr char list_char = ',';

// Common prefix of an argument and a name, letters folded to upper case:
// the count when either ends, or at the first difference when the
// argument's character is "="; otherwise 0.
std::size_t prefix_match_length(std::string_view argument, std::string_view name);

// "$NAME" references replaced by their environment values; an inserted
// value is never expanded again, an unset name stays as written.
std::string expand_environment(std::string_view word);

// Appends the words of an option file to words; false when it cannot be opened.
bool read_option_file(const std::string& file_name, std::vector<std::string>& words);

// The working vector: argv[0], then every argument expanded, with "@file"
// and "-OPTION=file" replaced by the file's words. 0, or -1 after an error.
int expand_arguments(const command_table& table, int argc, const char* const* argv,
                     std::vector<std::string>& working);

// Analyses working[1..] into the table. 0, or -1 after an error was printed.
int analyse_command(command_table& table, const std::vector<std::string>& working);

// +position if given, -position if given negated, 0 if not given; a name
// not in the table prints "Internal error, bad option name" and gives 0.
int option_index(const command_table& table, std::string_view english_name);

// The n-th value (1-based) of the option at |index| or of the positional; nullptr if none.
const value_node* option_value(const command_table& table, int index, int n);
const value_node* positional_value(const command_table& table, int position, int n);

// The English usage, translated, without any "-XT" line.
std::string usage_text(const command_table& table);
