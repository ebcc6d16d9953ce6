// An analysis context pairs one preprocessor state (its name table) with the
// scope_table that receives the declarations analysed in it. The generator
// keeps two for the whole run (test_context, use_context) and builds a fresh
// work_context for each file whose declarations it examines.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "generator/declaration_seam.h"
#include "prepro/preprocessor.h"

struct option_values;

struct analysis_context {
    name_table names;
    scope_table scopes;
    bool started = false;
};

// Resets the scope table, starts the preprocessor state with the -INCL
// directories and -DEFINE macros (set_up_directories only for the first
// context of the run) and analyses the standard-definitions file, if any.
void start_context(analysis_context& context, const option_values& values, bool set_up_directories);

// Ends the preprocessor state (release_directories empties the include list).
void end_context(analysis_context& context, bool release_directories);

// Preprocesses text in the context and parses the result into its table.
void analyse_text(std::string_view text, analysis_context& context, std::string_view file_name,
                  std::string_view service_name);

// The text that includes file: the file name itself when it expands to a
// header name (a macro such as HEADER_OF_X), otherwise the name in quotes.
std::string include_text_for(std::string_view file, analysis_context& context);

// analyse_text of include_text_for(file).
void analyse_include(std::string_view file, analysis_context& context);
