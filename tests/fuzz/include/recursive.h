/* Includes itself until the input stack is full. */
int recursion_level = __INCLUDE_LEVEL__;
#include "recursive.h"
