// The stub block of one simulated file.
#pragma once

#include <string_view>

struct generation;

// Analyses the simulated file (named as given) in a work context and writes
// its type declarations and, when it has functions or variables to replace,
// its DEFINE STUB block.
void write_stub_definition(generation& run, std::string_view file);
