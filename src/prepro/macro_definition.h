// A macro definition as #define leaves it: the body rewritten once into kept
// text and a list of parameter references, so that an expansion is one pass
// that copies pieces and arguments. Each reference tells how many body
// characters precede it since the previous one, which parameter it uses and
// whether it is stringised (# or #@) or pasted (## before or after).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct macro_reference {
    char quote = 0; // 0, '"' for #, '\'' for #@
    bool pasted_before = false;
    bool pasted_after = false;
    int parameter = 0; // -1 for __VA_ARGS__
    std::size_t text_before = 0;
};

enum variable_parameter_kind { variable_none = 0, variable_named = 1, variable_anonymous = 2 };

struct macro_definition {
    int parameter_count = -1; // -1: object-like
    std::string body;         // kept text, references cut out
    std::string parameter_names; // joined by ", ", to compare definitions
    int variable_kind = variable_none;
    bool brackets = false;
    std::vector<macro_reference> references;
    std::string written; // the replacement as written, trimmed
};
