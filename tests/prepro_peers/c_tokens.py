"""Splits preprocessed C text into tokens, for comparisons that ignore white
space and line markers. Lines whose first non-blank character is '#' (line
markers of either form, pragmas passed through) are dropped before splitting.

One regular expression does the work; punctuators are listed longest first
so that '>>=' is never read as '>' '>='.
"""
import re

_PUNCTUATORS = ["%:%:", "...", "<<=", ">>=", "->", "++", "--", "<<", ">>", "<=", ">=", "==", "!=",
                "&&", "||", "*=", "/=", "%=", "+=", "-=", "&=", "^=", "|=", "##", "<:", ":>",
                "<%", "%>", "%:"]

_TOKEN = re.compile(r"""
      (?P<string>(?:u8|[uUL])?"(?:[^"\\\n]|\\.)*"?)
    | (?P<char>(?:u8|[uUL])?'(?:[^'\\\n]|\\.)*'?)
    | (?P<number>\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.$])*)
    | (?P<name>[A-Za-z_$][0-9A-Za-z_$]*)
    | (?P<punct>%s)
    | (?P<other>\S)
""" % "|".join(re.escape(p) for p in _PUNCTUATORS), re.VERBOSE)


def code_lines(text):
    return [line for line in text.split("\n") if not line.lstrip().startswith("#")]


def tokens(text):
    result = []
    for line in code_lines(text):
        result.extend(m.group(0) for m in _TOKEN.finditer(line))
    return result
