#include "guarded.h"
#include <guarded.h>
#define HEADER "guarded.h"
#include HEADER
#include guarded.h
#include_next <next.h>
#include "open_conditional.h"
GUARDED_VALUE GUARDED_CALL(f, 1, 2)
#endif
