#define F[a] (a+1)
F[2] F(2) F
#define G(x) #x
G( a  "b\n"  c )
#define C(x) #@x
C(y)
#define V(f, ...) f(__VA_ARGS__)
V(g,1,2)
#define W(f, rest...) f(rest)
W(g,1,2,3)
#define X X+1
X
#define A 1
#define A  1
#define A 2
#undef __FILE__
__LINE__ __DATE__ __TIME__ __BASE_FILE__ __INCLUDE_LEVEL__ __STDC__
