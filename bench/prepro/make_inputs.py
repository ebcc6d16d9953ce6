"""Generates the benchmark inputs of the preprocessor comparison.

macro_heavy.c: several megabytes of lines that call nested function-like
macros, stringise, paste and use __VA_ARGS__, plus a few very long bodies
and arguments, so that any cost quadratic in a body or an argument shows.
declarations.c: about 10 MB of plain declarations and comments, no macros,
the scanner's straight-line speed.
The output is the same for every run (no randomness, no dates).
"""
import os

MACROS = """\
#define CAT(a, b) a ## b
#define XCAT(a, b) CAT(a, b)
#define STR(x) #x
#define XSTR(x) STR(x)
#define F1(x) ((x) + 1)
#define F2(x) F1(F1(x))
#define F3(x) F2(F2(x))
#define F4(x) F3(F3(x))
#define CALL(f, ...) f(__VA_ARGS__)
#define FIRST(a, ...) a
#define REST(a, ...) __VA_ARGS__
#define SUM3(a, b, c) ((a) + (b) + (c))
#define PAIR(a, b) { a, b }
#define COUNT(...) sizeof((int[]){__VA_ARGS__}) / sizeof(int)
"""

GROUP = """\
int XCAT(v_, {i}) = F4({i}) + CALL(SUM3, {i}, FIRST(1, 2, 3), REST(0, 4));
const char *XCAT(s_, {i}) = XSTR(CALL(F2, {i})) " " STR(a + b == "c\\n");
struct p XCAT(p_, {i}) = PAIR(CALL(FIRST, {i}, x), XCAT(0x, CAT(1, {j})));
unsigned XCAT(n_, {i}) = COUNT(REST(9, 8, 7, {i}), F1(XCAT({i}, u)));
"""


def long_tokens(count, separator):
    """count names, ten to a line, the lines joined by separator."""
    names = ["t%d" % k for k in range(count)]
    return separator.join(" ".join(names[k:k + 10]) for k in range(0, count, 10))


def write_macro_heavy(path, groups=18000):
    with open(path, "w") as out:
        out.write(MACROS)
        # A long body used many times, and long arguments (not variadic ones,
        # whose joined text has a limit), written over many lines.
        out.write("#define LONG_BODY(x) x %s x\n" % long_tokens(3000, " \\\n    "))
        for i in range(100):
            out.write("int long_body_%d[] = {LONG_BODY(%d)};\n" % (i, i))
        out.write("const char *long_argument = STR(%s);\n" % long_tokens(6000, "\n    "))
        out.write("int long_call = FIRST(%s, 0);\n" % long_tokens(6000, "\n    "))
        out.write("int long_nested = F2(%s);\n" % long_tokens(6000, "\n    "))
        for i in range(groups):
            out.write(GROUP.format(i=i, j=i % 10))


def write_declarations(path, target_bytes=10 * 1024 * 1024):
    written, i = 0, 0
    with open(path, "w") as out:
        while written < target_bytes:
            text = ("/* Declarations of group %d: a record, its type name, a function. */\n"
                    "extern int var_%d;\n"
                    "struct rec_%d { int a; unsigned long b; char name[16]; struct rec_%d *next; };\n"
                    "typedef struct rec_%d rec_%d_t;\n"
                    "int func_%d(int x, const char *y, double z); // returns 0 on success\n"
                    "static const double const_%d = 3.25e-2;\n"
                    "enum e_%d { E_%d_A, E_%d_B = 0x2, E_%d_C };\n"
                    "static const char text_%d[] = \"group %d: \\\"quoted\\\" text\";\n"
                    % ((i,) * 14))
            out.write(text)
            written += len(text)
            i += 1


def make_all(workdir):
    os.makedirs(workdir, exist_ok=True)
    inputs = {}
    for name, writer in (("macro_heavy.c", write_macro_heavy), ("declarations.c", write_declarations)):
        path = os.path.join(workdir, name)
        if not os.path.exists(path):
            writer(path)
        inputs[name] = path
    return inputs
