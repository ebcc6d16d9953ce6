/* The tested file of the example: morvastart calc.c calc.ptu */
#include "calc.h"

int counter;

int add(int a, int b)
{
    ++counter;
    return a + b;
}

void reset(void)
{
    counter = 0;
}
