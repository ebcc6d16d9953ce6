"""Times the whole morvastart run on a large real-shaped C file against
gcc -fsyntax-only on the same file, in the same run.

The input includes the common system headers and the headers of the
installed C libraries that are present, then repeats a block of C99
declarations and function definitions (structs with flexible members,
designated initialisers, long long constants, restrict parameters, static
inline helpers, bodies with statements) with numbered names, so the work
grows with the count. Each program runs as a child of its own: os.wait4
gives its CPU time and its own peak resident memory. The host target is
the installed one when there is one; otherwise an equivalent standard
definitions file is made from gcc's own settings.
"""
import os
import subprocess
import sys
import time

HEADERS = [
    "stdio.h", "stdlib.h", "string.h", "math.h", "signal.h", "pthread.h", "time.h", "ctype.h", "errno.h",
    "limits.h", "stdarg.h", "stddef.h", "setjmp.h", "locale.h", "wchar.h", "wctype.h", "inttypes.h",
    "stdint.h", "stdbool.h", "fcntl.h", "unistd.h", "sys/types.h", "sys/stat.h", "sys/socket.h",
    "netinet/in.h", "arpa/inet.h", "dirent.h", "dlfcn.h", "poll.h", "sys/mman.h", "termios.h",
]
LIBRARY_HEADERS = ["zlib.h", "expat.h", "lmdb.h", "png.h", "curl/curl.h", "uv.h", "sqlite3.h", "jansson.h", "yaml.h"]

BLOCK = """struct buf{n} {{ size_t len; unsigned flags : 3; struct buf{n} *next; char data[]; }};
typedef struct {{ int x, y; }} point{n}_t;
enum state{n} {{ IDLE{n}, BUSY{n} = 4, DONE{n}, }};
static const point{n}_t origin{n} = {{ .y = 2, .x = 1 }};
int table{n}[] = {{ [3] = 7, 8, [0] = 1 }};
unsigned long long mask{n} = 0xffULL << 8;
_Bool ready{n};
enum state{n} current{n};
static inline int clamp{n}(int v, int lo, int hi) {{ return v < lo ? lo : v > hi ? hi : v; }}
size_t copy{n}(char *restrict dst, const char *restrict src, size_t n)
{{
    size_t i;
    for (i = 0; i < n && src[i]; ++i)
        dst[i] = src[i];
    return i;
}}
int sum{n}(const int *v, int count)
{{
    int total = 0;
    while (count-- > 0)
        total += *v++;
    if (total < 0) {{ errno = ERANGE; return -1; }}
    return total;
}}
double scale{n}(point{n}_t p, double k) {{ return sqrt((double)(p.x * p.x + p.y * p.y)) * k; }}
struct buf{n} *grow{n}(struct buf{n} *b, size_t extra) {{ return realloc(b, sizeof *b + b->len + extra); }}
"""


def gcc_setting():
    """The system include directories and predefined macros of gcc."""
    out = subprocess.run(["gcc", "-E", "-v", "-x", "c", "/dev/null"], capture_output=True, text=True).stderr
    dirs, inside = [], False
    for line in out.split("\n"):
        if line.startswith("#include <...>"):
            inside = True
        elif line.startswith("End of search list"):
            inside = False
        elif inside:
            dirs.append(line.strip())
    macros = subprocess.run(["gcc", "-dM", "-E", "-x", "c", "/dev/null"], capture_output=True, text=True).stdout
    return dirs, macros


def standard_definitions(path):
    """A stand-in for the host target: gcc's directories and sizes, its
    target macros without those announcing GNU C, and the compiler words
    the strict header paths still use."""
    dirs, macros = gcc_setting()
    skip = ("__GNUC", "__GNUG", "__VERSION__", "__OPTIMIZE", "__STDC__", "__STDC_HOSTED__", "__GCC_",
            "__GXX", "__NO_INLINE__", "__WCHAR_TYPE__")
    with open(path, "w") as f:
        f.write("#pragma morva incl_std %s\n" % ", ".join(dirs))
        f.write("#pragma morva sizeof long = 64\n#pragma morva sizeof longlong = 64\n")
        for line in macros.split("\n"):
            name = line.split(" ")[1] if line.startswith("#define ") else ""
            if name and not name.startswith(skip):
                f.write(line + "\n")
        f.write("typedef char *__builtin_va_list;\n#define __WCHAR_TYPE__\n")


def run(command, env=None, cwd=None):
    """Wall time, CPU time, peak memory (KiB) and exit status of one child."""
    start = time.perf_counter()
    child = subprocess.Popen(command, env=env, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.stderr.close()
    code = os.waitstatus_to_exitcode(status)
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss, code


def library_headers():
    found = []
    for h in LIBRARY_HEADERS:
        if os.path.exists(os.path.join("/usr/include", h)):
            found.append(h)
    return found


def main():
    stage, work, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
    source = os.path.join(work, "big.c")
    with open(source, "w") as f:
        for h in HEADERS + library_headers():
            f.write("#include <%s>\n" % h)
        for n in range(count):
            f.write(BLOCK.format(n=n))
    env = dict(os.environ, TOLVEXDIR=stage, MORVA_SUPPRESS_COPYRIGHT="1")
    command = [os.path.join(stage, "bin", "morvastart"), "big.c", "big.ptu"]
    target = os.path.join(stage, "targets", "host")
    if os.path.exists(os.path.join(target, "ana", "knus_c.def")):
        env["ZRLTGT"] = target
        how = "installed host target"
    else:
        definitions = os.path.join(work, "host.def")
        standard_definitions(definitions)
        command.append("-STD_DEFINE=" + definitions)
        how = "definitions made from gcc"
    morva = run(command, env=env, cwd=work)
    gcc = run(["gcc", "-fsyntax-only", source])
    size = os.path.getsize(source)
    print("input: %d blocks, %d bytes, %d library headers (%s)" % (count, size, len(library_headers()), how))
    for name, r in (("morvastart", morva), ("gcc -fsyntax-only", gcc)):
        print("%-18s wall %.3f s  cpu %.3f s  peak %d KiB  status %d" % (name, r[0], r[1], r[2], r[3]))
    print("ratio morvastart / gcc: wall %.2f  cpu %.2f  peak memory %.2f"
          % (morva[0] / gcc[0], morva[1] / max(gcc[1], 1e-6), morva[2] / max(gcc[2], 1)))
    return 0 if morva[3] in (0, 3) and gcc[3] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
