#
# 12 "gnu.c"
#ident "x"
#assert machine(x)
#define EMPTY
#define FN(a, b) a ## b ## EMPTY
FN(,) FN(x,) FN(,y) FN(1,2)
#define CAT3(a,b,c) a##b##c
CAT3(+,+,=) CAT3(<,<,=) CAT3(.,.,.)
#define S(x) #x
S(\) S("\"") S('\'') S(  a   b  ) S(/* c */ d)
#define CALL(f, x) f(x)
CALL(S, CALL(CAT3, x))
#define LATE (
#define OPEN F LATE 1)
#define F(x) [x]
OPEN
F
(2)
#undef F
#undef
#define
#define 3x
#define G(a,a) a
#define H(a b) a
#define I(...) __VA_ARGS__ #__VA_ARGS__
I() I(,) I(a,b,c)
#elif
#endif
#else
