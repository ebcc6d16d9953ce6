// One generation run: the option values it reads, the script being written,
// and the two long-lived analysis contexts. generate_script builds one and
// runs open_script, write_script_body and finish_script on it; tests build
// their own on values of their own.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "generator/analysis_context.h"
#include "generator/script_replacement.h"
#include "generator/script_texts.h"

struct option_values;

struct generation {
    explicit generation(option_values& values);

    option_values& values;
    std::FILE* script = nullptr;  // the script being written (a temporary file until finish_script)
    script_replacement replacement;
    std::string date;
    analysis_context test_context;
    analysis_context use_context;

    // One line of the script.
    void line(std::string_view text);
    // separator, "--", title, "--", separator.
    void title_block(script_text title);
    // separator, title, separator.
    void short_title(script_text title);
    std::string_view word(script_text row) const;
};

// Completes the names, refuses written files that are also read, starts
// the contexts, begins the new script and writes the header. False when there is no script to write
// (no tested or no generated file name).
bool open_script(generation& run, std::string_view command_image);

// Every section after the header, in the layout's order.
void write_script_body(generation& run);

// The symbol-table step, the end of both long-lived contexts, the close, and
// the new script put in place (the old one becoming its backup).
void finish_script(generation& run, std::string_view command_image);

// The entry called once by the driver.
void generate_script(std::string_view command_image);
