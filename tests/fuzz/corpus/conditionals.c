#if defined X && !defined(Y)
a
#elif 1 / 0
b
#else
c
#endif
#ifdef FUZZ_DEFINED
#if FUZZ_VALUE == 3 && sizeof(long) == 4
d
#endif
#else
#endif
#if #machine(i386) || #lint(on)
e
#endif
#if 0xFFFFFFFFu + 1
#elif -1 < 0u
#elif '\377' < 0 && '\x100' == 0
#endif
#if defined(X
#endif
#ifndef Z
#else
#else
#endif
#endif
#if
#endif
#if 1.0
#endif
#if 1 2
#endif
