/* <tgmath.h> for the analysis.

   glibc's <tgmath.h> refuses any compiler but GNU C (#error "Unsupported
   compiler"). Its type-generic macros expand inside expressions, which the
   analysis never reads; what a test needs from it are the declarations of
   the two headers it includes. */
#ifndef MORVA_TGMATH_H
#define MORVA_TGMATH_H
#include <math.h>
#include <complex.h>
#endif
