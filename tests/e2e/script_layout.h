// The expected layout of generated scripts, shared by the end-to-end suites
// that compare whole scripts: header lines, titles, and the date masking.
#pragma once

#include <string>
#include <vector>

using lines = std::vector<std::string>;

// Inline, so that they are ready for the constants that test files build from them.
inline const std::string clean_summary = "Tolvex-I-ENDNOENWR,  End of execution with 0 error and 0 warning\n";
inline const std::string separator(80, '-');
inline const std::string masked_date = "--%d DATE : <date>"; // the date line as masked() leaves it

std::string joined(const lines& text);

lines operator+(lines a, const lines& b);

// The eleven header lines; file_list is the "%f" line after its marker.
lines header(const std::string& image, const std::string& generated, const std::string& file_list);

lines title(const std::string& text);
lines short_title(const std::string& text);

// The script with its date line checked and masked.
std::string masked(const std::string& script);

// The English sections of a run without options, after the include
// directives of the tested file (whose files declare nothing).
lines plain_sections();

// The English layout of a run without options for tested file calc.
lines plain_body(const std::string& header_keyword = "HEADER");
