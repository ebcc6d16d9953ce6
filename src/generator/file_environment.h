// Environments of files and the names given to a file's blocks.
#pragma once

#include <string>
#include <string_view>

struct generation;
struct analysis_context;

// "ENV_" with the base name ('.', ',', '-' made '_'), "_" and the suffix:
// calc.c gives ENV_calc_c, my-lib.c ENV_my_lib_c, calc ENV_calc_.
std::string environment_name(std::string_view file);

// The base name, "_" and the suffix, '.', ',', '-' made '_': calc_c.
std::string stub_name(std::string_view file);

// The environment of file analysed in context (statics only when asked).
void write_file_environment(generation& run, std::string_view file, analysis_context& context, bool with_statics);
