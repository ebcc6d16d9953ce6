// Three-column table of the script's words, indexed by script_text. The FA
// column spells accents as "\xE9" escapes so the source stays ASCII and the
// bytes do not depend on the compiler's execution character set.
#include "generator/script_texts.h"

#include <array>

#include "driver/option_values.h"

namespace {

struct text_row {
    const char* fr;
    const char* fa;
    const char* gb;
};

constexpr std::array<text_row, static_cast<std::size_t>(script_text::count)> rows = {{
    {"ENTETE", "ENTETE", "HEADER"},
    {"DEBUT", "DEBUT", "BEGIN"},
    {"FIN", "FIN", "END"},
    {"ENVIRONNEMENT", "ENVIRONNEMENT", "ENVIRONMENT"},
    {"UTILISE", "UTILISE", "USE"},
    {"FAMILLE", "FAMILLE", "FAMILY"},
    {"DEFINIR", "DEFINIR", "DEFINE"},
    {"MUET", "MUET", "STUB"},
    {"TYPE_SERVICE", "TYPE_SERVICE", "SERVICE_TYPE"},
    {"externe", "externe", "extern"},
    {"autres", "autres", "others"},
    {"TAB", "TAB", "ARRAY"},
    {"va", "va", "ev"},

    {"-- FICHIERS EN INCLUSION DU FICHIER TESTE ", "-- FICHIERS EN INCLUSION DU FICHIER TESTE ",
     "-- TESTED FILE INCLUDE DIRECTIVES "},
    {"-- DECLARATIONS DES HEADERS EN INCLUSION (OPTION -UTILISE)",
     "-- DECLARATIONS DES HEADERS EN INCLUSION (OPTION -UTILISE)",
     "-- INCLUDED HEADERS DECLARATIONS (-USE OPTION)"},
    {"-- DECLARATIONS LIEES AU FICHIER TESTE ", "-- DECLARATIONS LIEES AU FICHIER TESTE ",
     "-- TESTED FILE DECLARATIONS "},
    {"-- DECLARATIONS DU FICHIER EN INCLUSION (OPTION -INSERE)",
     "-- DECLARATIONS DU FICHIER EN INCLUSION (OPTION -INSERE)",
     "-- INCLUDED FILE DECLARATIONS (-INCLUDED OPTION)"},
    {"-- DECLARATIONS NECESSAIRES AU TEST (OPTION -INTEGRE)",
     "-- DECLARATIONS NECESSAIRES AU TEST (OPTION -INTEGRE)",
     "-- TO THE TEST NECESSARY DECLARATIONS (-INTEGRATE OPTION)"},
    {"-- DECLARATIONS DES MUETS DES FICHIERS SIMULES ", "-- DECLARATIONS DES MUETS DES FICHIERS SIMULES ",
     "-- STUB DECLARATIONS OF THE SIMULATED FILES"},
    {"-- DECLARATIONS DES ENVIRONNEMENTS", "-- DECLARATIONS DES ENVIRONNEMENTS",
     "-- ENVIRONMENTS DECLARATIONS"},
    {"-- ENVIRONNEMENTS DES FICHIERS INTEGRES", "-- ENVIRONNEMENTS DES FICHIERS INTEGRES",
     "-- INTEGRATED FILES ENVIRONNEMENTS"},
    {"-- ENVIRONNEMENTS DES FICHIERS SIMULES", "-- ENVIRONNEMENTS DES FICHIERS SIMULES",
     "-- SIMULATED FILES ENVIRONNEMENTS"},
    {"-- ENVIRONNEMENT DU FICHIER TESTE", "-- ENVIRONNEMENT DU FICHIER TESTE",
     "-- TESTED FILE ENVIRONNEMENT"},
    {"-- ENVIRONNEMENT DU FICHIER INSERE", "-- ENVIRONNEMENT DU FICHIER INSERE",
     "-- INCLUDED FILE ENVIRONNEMENT"},
    {"-- DECLARATIONS DES SERVICES", "-- DECLARATIONS DES SERVICES", "-- SERVICES DECLARATIONS"},

    {"-- Declaration du service ", "-- D\xE9" "claration du service ", "-- Declaration of the service "},
    {"-- Declarations des parametres du service teste",
     "-- D\xE9" "clarations des param\xE8" "tres du service test\xE9",
     "-- Tested service parameters declarations"},
    {"-- Declaration du type retourne par la fonction",
     "-- D\xE9" "claration du type retourn\xE9 par la fonction",
     "-- By function returned type declaration"},
    {"-- Declarations des instances de classes", "-- D\xE9" "clarations des instances de classes",
     "-- class instance declarations"},
}};

constexpr std::string_view dashes =
    "--------------------------------------------------------------------------------";
static_assert(dashes.size() == 80);

} // namespace

std::string_view script_word(script_text row, int language)
{
    const text_row& r = rows.at(static_cast<std::size_t>(row));
    switch (language) {
    case 0:
        return r.fr;
    case 1:
        return r.fa;
    default:
        return r.gb;
    }
}

std::string_view script_word(script_text row)
{
    return script_word(row, script_language);
}

std::string_view separator_line()
{
    return dashes;
}
