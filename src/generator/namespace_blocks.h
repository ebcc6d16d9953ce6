// The declarations a file makes inside its namespaces, written as
// namespace blocks among the copied declarations.
#pragma once

#include <string_view>

struct generation;
struct analysis_context;
struct type_node;

// A TK_STRUCT recorded for a namespace.
bool is_namespace(const type_node* type);

// A namespace written without a name: its members cannot be named from
// another translation unit.
bool is_unnamed_namespace(const type_node* type);

// One block per named namespace that file opens at file level (nested ones
// inside it), each analysed in the test context and written as native text.
void write_namespace_blocks(generation& run, std::string_view file, analysis_context& context);
