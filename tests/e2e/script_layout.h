// The expected texts of the end-to-end tests of morvastart: the script's
// header and section titles as lines, the English layout of a run on a file
// without declarations, date masking, and the usual message lines.
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
// The header of "morvastart calc.c calc.ptu".
lines plain_header();

// The FICRENAME line for a script name.
std::string renamed(const std::string& name);
// The last line of a message text (the fatal line that ends a run).
std::string last_line(const std::string& err);
