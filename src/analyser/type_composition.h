// CPP_compose_type joins two partial types of one declaration: the grammar
// makes a small type for every specifier word and declarator piece and
// composes them pairwise, innermost hole first.
#pragma once

#include <string_view>

#include "analyser/model_store.h"

// The type obtained by placing one partial type into the other, or null after
// a reported failure ("CONSTRUCT" warning, or "ERRINTERN" internal error with
// "CPP_compose_type"); both operands are then discarded. file and line are the
// position of the messages.
type_node* CPP_compose_type(model_store& store, type_node* first, type_node* second, std::string_view file,
                            int line);
