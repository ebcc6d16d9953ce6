char *s = "open string
char c = 'x
#define F(x) x
F(1
