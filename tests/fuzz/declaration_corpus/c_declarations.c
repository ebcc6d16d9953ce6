#line 1 "a.h"
typedef unsigned long size_t;
typedef struct node { int v; struct node *next; } node_t;
enum color { RED, GREEN = 5, BLUE };
union u { int i; float f; };
extern int (*handlers[4])(int, char *);
static const char *const names[] = { "a", "b" };
int old(a, b) int a; char *b; { return a; }
int add(int x, int y) { return x + y; }
struct flags { unsigned a : 1; unsigned : 3; };
#pragma morva sizeof int = 16
extern "C" { int c_func(void); }
int big[] = { 1, 2, [3] = 4, .x = 5 };
long double ld; unsigned long long ull;
