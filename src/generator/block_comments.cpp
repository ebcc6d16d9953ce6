// Three-column table of the block comments; accents as "\xE9" escapes so
// the bytes do not depend on the compiler's character set.
#include "generator/block_comments.h"

#include <array>

#include "driver/option_values.h"

namespace {

struct comment_row {
    const char* fr;
    const char* fa;
    const char* gb;
};

constexpr std::array<comment_row, static_cast<std::size_t>(block_comment::count)> rows = {{
    {"-- Declarations des types dont les parametres sont testes",
     "-- D\xE9" "clarations des types dont les param\xE8" "tres sont test\xE9" "s",
     "-- Declarations of the types whose parameters are tested"},
    {"-- Declarations des variables globales du fichier teste",
     "-- D\xE9" "clarations des variables globales du fichier test\xE9",
     "-- Declarations of the global variables of the tested file"},
    {"-- Declarations du fichier integre ", "-- D\xE9" "clarations du fichier int\xE9" "gr\xE9 ",
     "-- Integrated file declarations "},
    {"-- Declarations du fichier simule ", "-- D\xE9" "clarations du fichier simul\xE9 ",
     "-- Simulated file declarations "},
    {"-- Environnement du fichier ", "-- Environnement du fichier ", "-- Environment of the file "},
}};

} // namespace

std::string_view block_comment_text(block_comment row, int language)
{
    const comment_row& r = rows.at(static_cast<std::size_t>(row));
    return language == 0 ? r.fr : language == 1 ? r.fa : r.gb;
}

std::string_view block_comment_text(block_comment row)
{
    return block_comment_text(row, script_language);
}
