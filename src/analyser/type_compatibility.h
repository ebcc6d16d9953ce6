// types_compatible: structural comparison of two types after their typedefs.
//
// Result 0: the same node or structurally equal; 1: compatible with a
// difference; 2: incompatible. The difference level records how far apart
// two compatible types are, for the expression evaluator; a caller that
// passes a level keeps the largest one seen:
//   1  the same type apart from const or volatile qualifiers
//   2  integral types of the same size but different signedness or character flag
//   3  integral or enum types of different sizes, or integral against enum
//   4  integral against floating, or two floating types of different names
//   5  pointers to different types, or a pointer against void pointer
//   6  a pointer against an integral
// Everything else that is not equal is incompatible (2), with no level.
#pragma once

#include "analyser/type_model.h"

int types_compatible(const type_node* a, const type_node* b, int* difference_level = nullptr);
