/* The compiler's <stddef.h>, read with __attribute__ defined away.

   Its max_align_t (C11) carries an alignment attribute that no C grammar
   reads, and the header is included before <sys/cdefs.h> could define the
   word away, so this wrapper does it around the compiler's header, then
   takes the definition back. It has no include guard: glibc includes
   <stddef.h> many times with __need_size_t and its kin, and each time the
   compiler's header must see the request. */
#ifdef __attribute__
#include_next <stddef.h>
#else
#define __attribute__(xyz)
#include_next <stddef.h>
#undef __attribute__
#endif
