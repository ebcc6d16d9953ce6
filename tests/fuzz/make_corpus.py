#!/usr/bin/env python3
"""Builds the fuzzer's seed corpus: the hand-written seeds of tests/fuzz/corpus
and every string literal of the preprocessor's unit tests (tests/prepro/*.cpp)
that looks like preprocessor input, decoded from C++ escapes, one file each.
Adjacent literals of one expression are joined, as the compiler does.

usage: make_corpus.py OUTPUT_DIR
"""
import hashlib
import os
import re
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TESTS = os.path.join(HERE, "..", "prepro")

LITERAL = re.compile(r'R"([^(\s]*)\((.*?)\)\1"|"((?:[^"\\\n]|\\.)*)"', re.S)
BETWEEN_JOINED = re.compile(r"^\s*$")


def decode(escaped):
    return escaped.encode("latin-1", "backslashreplace").decode("unicode_escape").encode("latin-1", "replace")


def literals(source):
    """Runs of adjacent literals, each run joined into one byte string."""
    runs, current, last_end = [], None, None
    for m in LITERAL.finditer(source):
        text = m.group(2).encode("latin-1", "replace") if m.group(2) is not None else decode(m.group(3))
        if current is not None and BETWEEN_JOINED.match(source[last_end:m.start()]):
            current += text
        else:
            if current is not None:
                runs.append(current)
            current = text
        last_end = m.end()
    if current is not None:
        runs.append(current)
    return runs


def looks_like_input(text):
    return len(text) >= 3 and (b"#" in text or b"(" in text or b"/*" in text or b"\n" in text)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    count = 0
    for name in sorted(os.listdir(os.path.join(HERE, "corpus"))):
        shutil.copy(os.path.join(HERE, "corpus", name), os.path.join(out, name))
        count += 1
    for name in sorted(os.listdir(TESTS)):
        if not name.endswith(".cpp"):
            continue
        with open(os.path.join(TESTS, name), encoding="latin-1") as f:
            source = f.read()
        for text in literals(source):
            if looks_like_input(text):
                digest = hashlib.sha1(text).hexdigest()[:12]
                with open(os.path.join(out, "%s_%s" % (name[:-4], digest)), "wb") as f:
                    f.write(text)
                count += 1
    print("%d seeds in %s" % (count, out))


if __name__ == "__main__":
    main()
