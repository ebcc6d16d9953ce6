// The comment lines of the declaration, environment and stub blocks, in the
// three columns of the script's words (French without accents, French with
// ISO 8859-1 accents, English), chosen by the run's script_language.
#pragma once

#include <string_view>

enum class block_comment {
    tested_types,       // before the types whose parameters are tested
    tested_globals,     // before the tested file's global declarations
    integrated_file,    // followed by the integrated file's base name
    simulated_file,     // followed by the simulated file's name
    file_environment,   // followed by the file's completed name
    count
};

std::string_view block_comment_text(block_comment row, int language);
std::string_view block_comment_text(block_comment row);
