#define g x
#define f(a)a
#define x f(((g))
x)