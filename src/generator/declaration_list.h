// The declarations a script must copy so that the test program compiles:
// the types its variables and functions use, in the order the analysed
// source declared them, each once, and none that the script already has.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

struct generation;
struct analysis_context;
struct symbol_entry;
struct type_node;

// One item: a table entry and whether it stands for its introducing part
// (a forward declaration) rather than its definition.
struct declaration_item {
    symbol_entry* entry = nullptr;
    bool introducing = false;
};

// Items kept in ascending order of their sequence number; a number already
// present is not added again.
using declaration_list = std::map<std::uint64_t, declaration_item>;

// One pass of collection over the types of one analysed file: the visited
// marks and the entry that declares each type.
class declaration_collector {
public:
    declaration_collector(analysis_context& work, analysis_context& test);

    // Appends to list the declarations type needs that the test context
    // does not know yet (depth first, what a type uses before the type).
    void collect_declarations(const type_node* type, declaration_list& list);

    // Starts a new pass: every type may be collected again.
    void new_pass() { marks_.clear(); }

private:
    bool known_to_test(const type_node* type) const;
    void append_entries(const type_node* type, declaration_list& list);
    void collect_uses(const type_node* type, declaration_list& list, int depth);
    void collect(const type_node* type, declaration_list& list, int depth);

    analysis_context& test_;
    std::unordered_set<const type_node*> marks_;
    std::unordered_map<const type_node*, symbol_entry*> declaring_entry_;
};

// Writes each item: printed (mode 10 for an introducing part, mode for a
// definition), analysed in the test context, and written as a native line.
void write_declaration_list(generation& run, const declaration_list& list, int mode);

// The copied declarations of file F analysed in context: its types, then
// the extern declarations of its variables and functions.
void write_file_declarations(generation& run, std::string_view file, analysis_context& context);

// The tested file's declarations (analysed afresh in a work context).
void write_tested_declarations(generation& run, std::string_view tested_file);

// The declarations of one integrated file, named as given.
void write_integrated_declarations(generation& run, std::string_view file);

// True when sym is declared at file level (not a member, parameter or
// enumerator).
bool is_file_level(const struct symbol* sym);
