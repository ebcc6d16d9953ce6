"""What the preprocessor comparisons and the benchmark share: gcc's include
directories and predefined macros, and the system-header translation unit.

Every peer is given the same macro set: gcc's own predefined macros written
out as a header, each one guarded by #ifndef so that a peer keeps the
built-in macros it already has (morvacpp's special __STDC__, gcc's standard
ones under -undef), plus the three macros morvacpp predefines. gcc then runs
with -undef, so that both sides see the header's definitions and nothing else.
"""
import os
import shutil
import subprocess

SYSTEM_HEADERS = ["stdio", "stdlib", "string", "math", "signal", "pthread", "time", "ctype",
                  "errno", "limits", "stdarg", "stddef", "setjmp", "locale", "wchar"]

# The larger unit: common C library and POSIX headers with _GNU_SOURCE,
# which turns on most of glibc's optional declarations.
GNU_HEADERS = SYSTEM_HEADERS + [
    "assert", "complex", "fenv", "float", "inttypes", "iso646", "stdalign", "stdbool", "stdint",
    "stdnoreturn", "tgmath", "threads", "uchar", "wctype", "aio", "arpa/inet", "dirent", "dlfcn",
    "fcntl", "fnmatch", "glob", "grp", "iconv", "langinfo", "libgen", "monetary", "netdb", "net/if",
    "netinet/in", "netinet/tcp", "nl_types", "poll", "pwd", "regex", "sched", "search", "semaphore",
    "spawn", "strings", "sys/ipc", "sys/mman", "sys/msg", "sys/resource", "sys/select", "sys/sem",
    "sys/shm", "sys/socket", "sys/stat", "sys/statvfs", "sys/time", "sys/times", "sys/types",
    "sys/uio", "sys/un", "sys/utsname", "sys/wait", "syslog", "termios", "unistd", "utime",
    "wordexp", "getopt", "malloc", "alloca", "sys/epoll", "sys/ioctl", "err", "endian", "byteswap",
    "sys/param", "elf", "link", "execinfo", "fts", "ftw", "ifaddrs", "mntent", "pty", "shadow",
    "sys/prctl", "sys/sysinfo", "ucontext"]

MORVA_PREDEFINED = [("ZRL_LINUX", "1"), ("USE_KNU", "1"), ("ZRL_CPLUSPLUS_LANGUAGE", "1")]


def gcc_path():
    return shutil.which("gcc")


def gcc_include_dirs(gcc):
    """The directories of gcc's <...> search, in its order."""
    run = subprocess.run([gcc, "-xc", "-E", "-v", "-"], stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, check=True)
    dirs, inside = [], False
    for line in run.stderr.splitlines():
        if line.startswith("#include <...> search starts here:"):
            inside = True
        elif line.startswith("End of search list."):
            break
        elif inside:
            dirs.append(os.path.normpath(line.strip()))
    return dirs


def gcc_macro_lines(gcc):
    run = subprocess.run([gcc, "-xc", "-dM", "-E", "-"], stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, check=True)
    return sorted(line for line in run.stdout.splitlines() if line.startswith("#define "))


def macro_name(define_line):
    name = define_line[len("#define "):]
    for stop in "( ":
        name = name.split(stop, 1)[0]
    return name


def write_predefined_header(gcc, path):
    lines = ["/* gcc's predefined macros and morvacpp's own, for peers that lack them. */"]
    defines = gcc_macro_lines(gcc) + ["#define %s %s" % pair for pair in MORVA_PREDEFINED]
    for define in defines:
        lines += ["#ifndef " + macro_name(define), define, "#endif"]
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


def write_system_unit(path, predefined_name):
    with open(path, "w") as out:
        out.write('#include "%s"\n' % predefined_name)
        for header in SYSTEM_HEADERS:
            out.write("#include <%s.h>\n" % header)


def write_gnu_unit(path, predefined_name):
    with open(path, "w") as out:
        out.write('#include "%s"\n#define _GNU_SOURCE 1\n' % predefined_name)
        # glibc picks two kernel headers with __has_include, which gcc has
        # and morvacpp has not (it predefines only its own macros): both
        # sides read them first and take glibc's matching branch.
        out.write("#include <linux/stat.h>\n#include <linux/close_range.h>\n"
                  "#define __statx_timestamp_defined 1\n#define __statx_defined 1\n")
        for header in GNU_HEADERS:
            out.write("#include <%s.h>\n" % header)
        # Each header once more: guarded headers read again add nothing.
        for header in GNU_HEADERS:
            out.write("#include <%s.h>\n" % header)


def prepare_gnu_unit(workdir):
    """Writes predefined.h and gnu_unit.c into workdir; returns (gcc, dirs, unit path)."""
    gcc, dirs, _ = prepare_system_unit(workdir)
    if gcc is None:
        return None, [], None
    unit = os.path.join(workdir, "gnu_unit.c")
    write_gnu_unit(unit, "predefined.h")
    return gcc, dirs, unit


def prepare_system_unit(workdir):
    """Writes predefined.h and system_unit.c into workdir; returns (gcc, dirs, unit path)."""
    gcc = gcc_path()
    if gcc is None:
        return None, [], None
    os.makedirs(workdir, exist_ok=True)
    write_predefined_header(gcc, os.path.join(workdir, "predefined.h"))
    unit = os.path.join(workdir, "system_unit.c")
    write_system_unit(unit, "predefined.h")
    return gcc, gcc_include_dirs(gcc), unit


def gcc_command(gcc, dirs, source):
    command = [gcc, "-E", "-undef", "-nostdinc"]
    for d in dirs:
        command += ["-isystem", d]
    return command + [source]


def morvacpp_command(morvacpp, dirs, source):
    return [morvacpp, source, "-INCL=" + ",".join(dirs)]


def morvacpp_environment():
    """morvacpp's environment: without the variables that add include directories."""
    env = dict(os.environ)
    for name in ("KNUTGT", "ZRLTGT", "MVX_ADD_USR_INCLUDE"):
        env.pop(name, None)
    env["MORVA_SUPPRESS_COPYRIGHT"] = "1"
    return env
