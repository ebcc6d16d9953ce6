#!/usr/bin/env python3
"""Token-level comparison of morvacpp with gcc -E on the common system headers.

usage: compare_with_gcc.py MORVACPP WORKDIR

Both run on the same translation unit (predefined.h, then the fifteen
headers) with gcc's include directories in gcc's order and the same macro
set (see peer_setup.py). Line markers, pragmas and white space are ignored;
the outputs must give the same token sequence once the known differences
below are applied to gcc's side. Each known difference says why it exists.
Exit status 0 when equal, 1 when not, 77 (skipped) without gcc.
"""
import difflib
import os
import subprocess
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import c_tokens  # noqa: E402
import peer_setup  # noqa: E402

# (gcc's tokens, morvacpp's tokens, why). Filled from real differences only.
KNOWN_DIFFERENCES = []


def apply_known_differences(tokens):
    for gcc_form, morva_form, _ in KNOWN_DIFFERENCES:
        n = len(gcc_form)
        out, i = [], 0
        while i < len(tokens):
            if tuple(tokens[i:i + n]) == gcc_form:
                out.extend(morva_form)
                i += n
            else:
                out.append(tokens[i])
                i += 1
        tokens = out
    return tokens


def show_differences(gcc_tokens, morva_tokens, limit=15):
    matcher = difflib.SequenceMatcher(None, gcc_tokens, morva_tokens, autojunk=False)
    shown = 0
    for tag, i1, i2, j1, j2 in matcher.get_opcodes():
        if tag == "equal":
            continue
        context = " ".join(gcc_tokens[max(0, i1 - 8):i1])
        print("--- %s at gcc token %d, after: ...%s" % (tag, i1, context))
        print("    gcc:      %s" % " ".join(gcc_tokens[i1:min(i2, i1 + 30)]))
        print("    morvacpp: %s" % " ".join(morva_tokens[j1:min(j2, j1 + 30)]))
        shown += 1
        if shown == limit:
            print("(further differences not shown)")
            break


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    morvacpp, workdir = sys.argv[1], sys.argv[2]
    gcc, dirs, unit = peer_setup.prepare_system_unit(workdir)
    if gcc is None:
        print("gcc not found: comparison skipped")
        return 77
    gcc_run = subprocess.run(peer_setup.gcc_command(gcc, dirs, unit), cwd=workdir,
                             capture_output=True, text=True, errors="replace")
    if gcc_run.returncode != 0:
        print("gcc -E failed:\n" + gcc_run.stderr)
        return 1
    morva_run = subprocess.run(peer_setup.morvacpp_command(morvacpp, dirs, unit), cwd=workdir,
                               capture_output=True, text=True, errors="replace",
                               env=peer_setup.morvacpp_environment())
    with open(os.path.join(workdir, "gcc.i"), "w") as out:
        out.write(gcc_run.stdout)
    with open(os.path.join(workdir, "morvacpp.i"), "w") as out:
        out.write(morva_run.stdout)
    if morva_run.returncode != 0:
        print("morvacpp ended with status %d:\n%s" % (morva_run.returncode, morva_run.stderr[-4000:]))
        return 1
    if morva_run.stderr.strip():
        print("morvacpp messages:\n" + morva_run.stderr[-4000:])
    gcc_tokens = apply_known_differences(c_tokens.tokens(gcc_run.stdout))
    morva_tokens = c_tokens.tokens(morva_run.stdout)
    print("gcc: %d tokens, morvacpp: %d tokens" % (len(gcc_tokens), len(morva_tokens)))
    if gcc_tokens == morva_tokens:
        print("same token sequence")
        return 0
    show_differences(gcc_tokens, morva_tokens)
    return 1


if __name__ == "__main__":
    sys.exit(main())
