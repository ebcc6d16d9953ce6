#include_next <next.h>
#include <guarded.h>
