// File identity for the generator: the base name of a file and the test
// that decides whether a declaration belongs to the analysed file.
#pragma once

#include <string_view>

// The text after the last '/' and before the last '.' that follows it.
std::string_view base_name(std::string_view name);

// True when the base names are equal, or always when MVX_NOBASENAME is set
// (to any value).
bool same_file(std::string_view a, std::string_view b);
