// The expected texts of the end-to-end tests of morvastart: the script's
// header and section titles as lines, the English layout of a run on a file
// without declarations, the blocks drawn from declarations (environments and
// services) in each language, date masking, and the usual message lines.
#pragma once

#include <string>
#include <vector>

using lines = std::vector<std::string>;

// Inline, so they are ready for the expected texts other files build at start.
inline const std::string clean_summary = "Tolvex-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n";
// The banner under a French locale.
inline const std::string french_banner =
    "Tolvex-I-STARTEXEC,  Kelvane G\xc3\xa9n\xc3\xa9rateur obsol\xc3\xa8te de squelettes de test C++ 4.1.0.2.117.006\n"
    "Tolvex-I-COPYRIGHT,  Copyright (C) 2026 Kelvane Logiciels. Tous droits r\xc3\xa9serv\xc3\xa9s.\n";
inline const std::string separator(80, '-');
inline const std::string masked_date = "--%d DATE : <date>"; // the date line as masked() leaves it
inline const std::string frame = "--" + std::string(80, '*');
inline const std::string boxed = "--*" + std::string(78, ' ') + "*";

// The comment the tested file's declarations always start with; the sources
// of the layout tests declare nothing, so nothing follows it.
inline const lines tested_globals = {"", "-- Declarations of the global variables of the tested file", ""};
inline const lines tested_globals_fr = {"", "-- Declarations des variables globales du fichier teste", ""};
inline const lines tested_globals_fa = {"", "-- D\xE9" "clarations des variables globales du fichier test\xE9", ""};

std::string joined(const lines& text);
lines operator+(lines a, const lines& b);

// The eleven header lines; file_list is the "%f" line after its marker.
lines header(const std::string& image, const std::string& generated, const std::string& file_list);
// separator, "--", text, "--", separator.
lines title(const std::string& text);
// separator, text, separator.
lines short_title(const std::string& text);

// The script with its date line checked and masked.
std::string masked(const std::string& script);

// The English sections of a run without options, after the include
// directives of the tested file (whose files declare nothing).
lines plain_sections();
// The English layout after the header of a run without options for tested file calc.
lines plain_body(const std::string& header_keyword = "HEADER");
// The English layout after the header of "morvastart calc.c calc.ptu -INSERT"
// for a calc.c without declarations.
lines insert_body();
// The header of "morvastart calc.c calc.ptu".
lines plain_header();

// The words of one script language in the blocks drawn from declarations.
struct words {
    std::string end, environment, use, family, ev;
    std::string service_comment, service_type, parameters, returned, instance, file_environment;
};
inline const words english = {"END", "ENVIRONMENT", "USE", "FAMILY", "ev", "-- Declaration of the service ",
                              "SERVICE_TYPE extern", "-- Tested service parameters declarations",
                              "-- By function returned type declaration", "-- class instance declarations",
                              "-- Environment of the file "};
inline const words french = {"FIN", "ENVIRONNEMENT", "UTILISE", "FAMILLE", "va", "-- Declaration du service ",
                             "TYPE_SERVICE externe", "-- Declarations des parametres du service teste",
                             "-- Declaration du type retourne par la fonction",
                             "-- Declarations des instances de classes", "-- Environnement du fichier "};
inline const words french_accented = {
    "FIN", "ENVIRONNEMENT", "UTILISE", "FAMILLE", "va", "-- D\xE9" "claration du service ", "TYPE_SERVICE externe",
    "-- D\xE9" "clarations des param\xE8" "tres du service test\xE9",
    "-- D\xE9" "claration du type retourn\xE9 par la fonction", "-- D\xE9" "clarations des instances de classes",
    "-- Environnement du fichier "};

// An environment line: "KEYWORD name,\t\tinit = value,\t\tev = init".
std::string var(const std::string& keyword, const std::string& name, const std::string& value,
                const words& w = english);

// One service block.
struct service_block {
    std::string name;
    lines parameters;      // declarations without their "#"
    std::string returned;  // the declaration of the returned value, or none
    std::string instance;  // the declaration of the object under test, or none
    lines variables;       // environment lines without indentation; none: no environment
    lines calls;           // the native lines of the element
};
lines service(const service_block& b, const words& w = english);
// The English services title and the blocks.
lines services(const std::vector<service_block>& blocks);
// The environment of a file: its comment, the block with the variables
// indented by two, the USE line.
lines environment(const std::string& file, const std::string& name, const lines& variables,
                  const words& w = english);

// The English sections of <base>.c from its declarations to its environment:
// the declarations copied after the globals comment, then the environment
// of the file with the variables. The services section follows.
lines tested_sections(const std::string& base, const lines& copied, const lines& variables);

// The FICRENAME line for a script name.
std::string renamed(const std::string& name);
// The last line of a message text (the fatal line that ends a run).
std::string last_line(const std::string& err);
