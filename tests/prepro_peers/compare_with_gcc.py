#!/usr/bin/env python3
"""Token-level comparison of morvacpp with gcc -E on the common system headers.

usage: compare_with_gcc.py MORVACPP WORKDIR [system|gnu|generated]

"system" (the default): both run on the same translation unit (predefined.h,
then the fifteen headers) with gcc's include directories in gcc's order and
the same macro set (see peer_setup.py). "gnu": the same with _GNU_SOURCE and
97 common C library and POSIX headers, each included twice. "generated": small versions of the
benchmark's generated inputs (nested function-like macros, stringising,
pasting, variadics, long bodies and arguments; plain declarations). Line markers, pragmas and white space are ignored;
the outputs must give the same token sequence once the known differences
below are applied to gcc's side. Each known difference says why it exists.
Exit status 0 when equal, 1 when not, 77 (skipped) without gcc.
"""
import difflib
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "bench", "prepro"))
import c_tokens  # noqa: E402
import make_inputs  # noqa: E402
import peer_setup  # noqa: E402

# (pattern, replacement, why): rewrites of gcc's tokens into morvacpp's form.
# Each is a deliberate difference of morvacpp's, explained beside it.
KNOWN_DIFFERENCES = [
    # CALL(F2, 0) with CALL(f, x) f(x) hands F2 the argument " 0" with its
    # leading blank: arguments are substituted as written, blanks included,
    # and a later stringising (XSTR) keeps an inner blank as one blank. gcc
    # drops white space that leads an argument, so its string has none.
    (re.compile(r'^"\(\(\(\((\d+)\) \+ 1\)\) \+ 1\)"$'), r'"(((( \1) + 1)) + 1)"',
     "an argument keeps its leading blank into a later stringising"),
]


def apply_known_differences(tokens):
    out = []
    for token in tokens:
        for pattern, replacement, _ in KNOWN_DIFFERENCES:
            token = pattern.sub(replacement, token)
        out.append(token)
    return out


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


def compare(morvacpp, gcc, dirs, source, workdir):
    """0 when morvacpp gives gcc's token sequence for source, else 1."""
    gcc_run = subprocess.run(peer_setup.gcc_command(gcc, dirs, source), cwd=workdir,
                             capture_output=True, text=True, errors="replace")
    if gcc_run.returncode != 0:
        print("gcc -E failed:\n" + gcc_run.stderr)
        return 1
    morva_run = subprocess.run(peer_setup.morvacpp_command(morvacpp, dirs, source), cwd=workdir,
                               capture_output=True, text=True, errors="replace",
                               env=peer_setup.morvacpp_environment())
    stem = os.path.splitext(os.path.basename(source))[0]
    with open(os.path.join(workdir, stem + ".gcc.i"), "w") as out:
        out.write(gcc_run.stdout)
    with open(os.path.join(workdir, stem + ".morvacpp.i"), "w") as out:
        out.write(morva_run.stdout)
    if morva_run.returncode not in (0, 3):  # clean, or warnings only
        print("morvacpp ended with status %d:\n%s" % (morva_run.returncode, morva_run.stderr[-4000:]))
        return 1
    if morva_run.stderr.strip():
        print("morvacpp messages:\n" + morva_run.stderr[-4000:])
    gcc_tokens = apply_known_differences(c_tokens.tokens(gcc_run.stdout))
    morva_tokens = c_tokens.tokens(morva_run.stdout)
    print("%s: gcc %d tokens, morvacpp %d tokens" % (os.path.basename(source), len(gcc_tokens), len(morva_tokens)))
    if gcc_tokens == morva_tokens:
        print("same token sequence")
        return 0
    show_differences(gcc_tokens, morva_tokens)
    return 1


def main():
    if len(sys.argv) not in (3, 4) or (len(sys.argv) == 4 and sys.argv[3] not in ("system", "gnu", "generated")):
        print(__doc__)
        return 2
    morvacpp, workdir = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    which = sys.argv[3] if len(sys.argv) == 4 else "system"
    gcc, dirs, unit = peer_setup.prepare_system_unit(workdir)
    if gcc is None:
        print("gcc not found: comparison skipped")
        return 77
    if which == "system":
        return compare(morvacpp, gcc, dirs, unit, workdir)
    if which == "gnu":
        _, _, gnu_unit = peer_setup.prepare_gnu_unit(workdir)
        return compare(morvacpp, gcc, dirs, gnu_unit, workdir)
    macro_heavy = os.path.join(workdir, "macro_heavy_small.c")
    make_inputs.write_macro_heavy(macro_heavy, groups=300)
    declarations = os.path.join(workdir, "declarations_small.c")
    make_inputs.write_declarations(declarations, target_bytes=200 * 1024)
    return max(compare(morvacpp, gcc, dirs, macro_heavy, workdir),
               compare(morvacpp, gcc, dirs, declarations, workdir))


if __name__ == "__main__":
    sys.exit(main())
