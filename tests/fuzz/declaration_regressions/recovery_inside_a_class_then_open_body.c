int x;
int = 3;
struct S { int a; int = ; } s;
int f(void) {