#!/usr/bin/env python3
"""Times morvacpp against gcc -E, mcpp and tcc -E on the same inputs.

usage: bench_prepro.py MORVACPP WORKDIR [REPEAT]

Inputs: the system-header translation units of the gcc comparison (gcc's
macros as a header, then fifteen common headers; or 97 headers with
_GNU_SOURCE, each included twice), a generated macro-heavy
file of several megabytes and a generated 10 MB file of plain declarations.
Every tool gets gcc's include directories in gcc's order, and writes to
/dev/null. Each run goes through GNU time for its peak resident size; the
wall time, taken around it, and the cpu time (user + system, which a
loaded machine disturbs less) are the medians of REPEAT runs (a tool whose
first run takes over 20 s is run once).
BENCH_PEERS (names separated by commas) limits the peers that are timed.
"in MB" is the size of the file named on the command line (for the system
headers, only the few include lines). The table ends with
the ratios morvacpp / peer: below 1 means morvacpp is faster or smaller.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "prepro_peers"))
import make_inputs  # noqa: E402
import peer_setup  # noqa: E402

SLOW_RUN = 20.0
TIME = "/usr/bin/time"


def tool_commands(morvacpp, dirs):
    """name -> (function of the source giving the command, environment)."""
    gcc, mcpp, tcc = shutil.which("gcc"), shutil.which("mcpp"), shutil.which("tcc")
    plain_c = dict(os.environ, LC_ALL="C")
    tools = {"morvacpp": (lambda src: peer_setup.morvacpp_command(morvacpp, dirs, src),
                          peer_setup.morvacpp_environment())}
    if gcc:
        tools["gcc -E"] = (lambda src: peer_setup.gcc_command(gcc, dirs, src), plain_c)
    if mcpp:
        mcpp_includes = [arg for d in dirs for arg in ("-I", d)]
        tools["mcpp"] = (lambda src: [mcpp, "-N", "-I-"] + mcpp_includes + [src], plain_c)
    if tcc:
        tcc_includes = ["-I" + d for d in dirs]
        tools["tcc -E"] = (lambda src: [tcc, "-E", "-nostdinc"] + tcc_includes + [src], plain_c)
    return tools


def run_once(command, env, cwd):
    """(wall seconds, cpu seconds, peak resident kilobytes, exit status) of one run.

    GNU time starts the tool from its own small process: a child forked
    straight from this interpreter would count the interpreter's pages in its
    peak. Its %M covers the tool's own children too (gcc's cc1)."""
    with tempfile.NamedTemporaryFile("r") as report, open(os.devnull, "wb") as sink:
        start = time.perf_counter()
        status = subprocess.call([TIME, "-f", "%x %M %U %S", "-o", report.name] + command,
                                 stdout=sink, stderr=sink, env=env, cwd=cwd)
        wall = time.perf_counter() - start
        fields = report.read().split()
    if len(fields) >= 4 and fields[-4].lstrip("-").isdigit():
        return wall, float(fields[-2]) + float(fields[-1]), int(fields[-3]), int(fields[-4])
    return wall, 0.0, 0, status


def measure(command, env, cwd, repeat):
    """Median wall and cpu times of REPEAT runs, the largest peak, the last status."""
    walls, cpus, peak, status = [], [], 0, 0
    for attempt in range(repeat):
        wall, cpu, rss, status = run_once(command, env, cwd)
        walls.append(wall)
        cpus.append(cpu)
        peak = max(peak, rss)
        if attempt == 0 and wall > SLOW_RUN:
            break
    return statistics.median(walls), statistics.median(cpus), peak, status


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    morvacpp, workdir = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    repeat = int(sys.argv[3]) if len(sys.argv) == 4 else 3
    gcc, dirs, unit = peer_setup.prepare_system_unit(workdir)
    if gcc is None:
        print("gcc not found: its include directories and macros are needed")
        return 1
    inputs = {"system headers": unit}
    inputs["GNU headers"] = peer_setup.prepare_gnu_unit(workdir)[2]
    generated = make_inputs.make_all(workdir)
    inputs["macro-heavy"] = generated["macro_heavy.c"]
    inputs["declarations"] = generated["declarations.c"]
    tools = tool_commands(morvacpp, dirs)
    wanted = os.environ.get("BENCH_PEERS")  # e.g. "gcc -E,tcc -E" to leave slow peers out
    if wanted:
        tools = {name: tool for name, tool in tools.items()
                 if name == "morvacpp" or name in wanted.split(",")}
    results = {}
    print("%-16s %-9s %8s %9s %9s %8s %s" % ("input", "tool", "in MB", "wall s", "cpu s", "peak MB", "status"))
    for input_name, path in inputs.items():
        size = os.path.getsize(path) / 1e6
        for tool_name, (command, env) in tools.items():
            wall, cpu, peak, status = measure(command(path), env, workdir, repeat)
            results[(input_name, tool_name)] = (wall, cpu, peak)
            print("%-16s %-9s %8.2f %9.3f %9.2f %8.1f %s" % (input_name, tool_name, size, wall, cpu, peak / 1024.0,
                                                         "ok" if status == 0 else "exit %d" % status))
            sys.stdout.flush()
    print("\nratios morvacpp / peer (wall time / cpu time / peak memory):")
    for input_name in inputs:
        mine = results[(input_name, "morvacpp")]
        cells = []
        for tool_name in tools:
            if tool_name == "morvacpp":
                continue
            wall, cpu, peak = results[(input_name, tool_name)]
            cells.append("%s %.2f / %.2f / %.2f" % (tool_name, mine[0] / wall, mine[1] / max(cpu, 0.01),
                                                    mine[2] / max(peak, 1)))
        print("  %-16s %s" % (input_name, "   ".join(cells)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
