"""Times morvastart against gcc -fsyntax-only on one generated C file.

The input repeats a block of declarations (a struct with a const member,
an enum, a typedef, globals, functions with pointer, char pointer, array and
unnamed parameters) with numbered names, so the work grows with the count
while every kind the script writers handle is present. The native lines of
the script are turned into a translation unit (services as functions, stub
blocks aside) and checked with gcc -fsyntax-only.
"""
import os
import subprocess
import sys
import time

BLOCK = """struct rec{n} {{ int id; const int fixed; char name[16]; struct rec{n} *next; }};
enum mode{n} {{ off{n}, on{n} = 4 }};
typedef unsigned long count{n}_t;
int level{n};
double grid{n}[3][4];
struct rec{n} head{n};
enum mode{n} state{n};
count{n}_t total{n};
const int limit{n} = 10;
static int hidden{n};
int add{n}(int a, int b) {{ return a + b; }}
char *label{n}(struct rec{n} *r, const char *s, int, unsigned char *u) {{ return 0; }}
void reset{n}(void) {{ level{n} = 0; }}
double mean{n}(double v[], int n) {{ return v[0]; }}
static int helper{n}(int x) {{ return x; }}
"""


def native_unit(script):
    out, stub, service, count = [], False, False, 0
    for line in script.split("\n"):
        text = line.lstrip(" \t")
        if text.startswith("##"):
            out.append("#" + text[2:])
        elif text.startswith("#"):
            if not stub:
                out.append(line[line.index("#") + 1:])
        elif text.startswith("DEFINE STUB"):
            stub = True
        elif stub and text == "END DEFINE":
            stub = False
        elif text.startswith("SERVICE "):
            count += 1
            out.append("void morva_service_%d(void)\n{" % count)
            service = True
        elif service and text.startswith("END SERVICE"):
            out.append("}")
            service = False
    return "\n".join(out) + "\n"


def timed(command, env=None, cwd=None):
    start = time.perf_counter()
    result = subprocess.run(command, env=env, cwd=cwd, capture_output=True, text=True, errors="replace")
    return time.perf_counter() - start, result


def main():
    stage, work, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
    source = os.path.join(work, "big.c")
    with open(source, "w") as f:
        for n in range(count):
            f.write(BLOCK.format(n=n))
    env = dict(os.environ, TOLVEXDIR=stage, MORVA_SUPPRESS_COPYRIGHT="1")
    gen_time, gen = timed([os.path.join(stage, "bin", "morvastart"), "big.c", "big.ptu"], env=env, cwd=work)
    gcc_time, gcc = timed(["gcc", "-fsyntax-only", source])
    with open(os.path.join(work, "big.ptu"), encoding="latin-1") as f:
        script = f.read()
    unit = os.path.join(work, "unit.c")
    with open(unit, "w", encoding="latin-1") as f:
        f.write(native_unit(script))
    _, check = timed(["gcc", "-fsyntax-only", unit])
    size = os.path.getsize(source)
    print("input: %d blocks, %d bytes; script: %d lines" % (count, size, script.count("\n")))
    print("morvastart: %.3f s (status %d)" % (gen_time, gen.returncode))
    print("gcc -fsyntax-only: %.3f s (status %d)" % (gcc_time, gcc.returncode))
    print("ratio morvastart / gcc: %.2f" % (gen_time / gcc_time if gcc_time else 0.0))
    print("native lines compile: %s" % ("yes" if check.returncode == 0 else "NO\n" + check.stdout[:2000] + check.stderr[:2000]))
    return 0 if gen.returncode in (0, 3) and check.returncode == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
