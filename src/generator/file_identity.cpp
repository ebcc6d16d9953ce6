// Whether a declaration belongs to a file: see file_identity.h. Only base
// names are compared, so a header and its source (calc.h, src/calc.c) count
// as one file.
#include "generator/file_identity.h"

#include <cstdlib>

std::string_view base_name(std::string_view name)
{
    std::size_t slash = name.rfind('/');
    std::string_view file = slash == std::string_view::npos ? name : name.substr(slash + 1);
    std::size_t dot = file.rfind('.');
    return dot == std::string_view::npos ? file : file.substr(0, dot);
}

bool same_file(std::string_view a, std::string_view b)
{
    if (std::getenv("MVX_NOBASENAME") != nullptr)
        return true;
    return base_name(a) == base_name(b);
}
