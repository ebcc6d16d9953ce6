/* A small calculator: the bundled example for morvastart. */
#ifndef CALC_H
#define CALC_H

#define CALC_LIMIT 1000

extern int counter;

int add(int a, int b);
void reset(void);

#endif
