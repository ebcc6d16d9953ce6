#include "analyser/type_compatibility.h"

int types_compatible(const type_node* a, const type_node* b, int*)
{
    return a == b ? 0 : 2;
}
