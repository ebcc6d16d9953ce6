// Native text for the script: every line of a declaration (an anonymous
// record prints its body over several lines) starts with the native mark.
#pragma once

#include <string>
#include <string_view>

// text with prefix before its first line and after each of its line breaks.
std::string native_text(std::string_view prefix, std::string_view text);
