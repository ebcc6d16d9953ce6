#!/usr/bin/env python3
"""Writes a large C translation unit for the analysis benchmark: typedefs,
structs, unions, enums, globals with initialisers, prototypes and function
definitions with bodies, about SIZE_MB megabytes (default 10).
   make_input.py OUTPUT [SIZE_MB]"""
import sys

def block(i):
    return f"""typedef unsigned long count_{i}_t;
typedef struct rec_{i} {{ int id; char name[32]; struct rec_{i} *next; double w[4]; }} rec_{i}_t;
union val_{i} {{ int i; float f; const char *s; }};
enum state_{i} {{ S{i}_IDLE, S{i}_RUN = 4, S{i}_STOP }};
static const int table_{i}[] = {{ 1, 2, 3, {i} * 2, sizeof(rec_{i}_t) }};
extern int (*hook_{i})(rec_{i}_t *, count_{i}_t);
count_{i}_t counter_{i} = {i}UL;
int process_{i}(rec_{i}_t *r, count_{i}_t n);
int process_{i}(rec_{i}_t *r, count_{i}_t n)
{{
    int total = 0;
    while (r && n--) {{
        if (r->id > {i}) {{ total += r->id; }} else {{ total -= (int) r->w[0]; }}
        r = r->next;
    }}
    switch (total) {{ case 0: return -1; default: break; }}
    return total + table_{i}[2];
}}
"""

def main():
    out = sys.argv[1]
    size = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    limit = int(size * 1024 * 1024)
    written = 0
    i = 0
    with open(out, "w") as f:
        while written < limit:
            text = block(i)
            f.write(text)
            written += len(text)
            i += 1

if __name__ == "__main__":
    main()
