// The image of an expression tree: the tree printed back as C text, without
// blanks except where C needs them (after "new"), for messages and for the
// values the script shows.
#pragma once

#include <string>

#include "expr/expr_node.h"

// How the list separator (binary code 18, adjacent strings) prints.
struct image_settings {
    char list_separator = ',';
};

// Appends the C text of node's subtree to text (nothing for a null node).
void expression_image(const expr_node* node, std::string& text, const image_settings& settings = {});
