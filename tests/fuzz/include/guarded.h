#ifndef GUARDED_H
#define GUARDED_H
#define GUARDED_VALUE 42
#define GUARDED_CALL(a, ...) a(__VA_ARGS__)
int guarded_declaration;
#endif
