/* A small calculator: the bundled example for morvastart. */
#ifndef CALC_H
#define CALC_H

#include <stddef.h>

#define CALC_LIMIT 1000

extern int counter;
extern char last_op[16];

int add(int a, int b);
void reset(void);
int describe(char *text, size_t size, int value);

#endif
