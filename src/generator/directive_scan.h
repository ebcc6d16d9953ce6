// The include directive scan of the tested file: the script must see the
// same headers as the tested file, in the same order and under the same
// macros. A small scanner of the generator's own reads the tested file,
// follows its conditionals to know which include directives are active, and
// reproduces each one as a "##include " line, preceded by the define and
// undef lines ("##define ", "##undef ") and the plain source lines ("#"
// lines) met since the previous one. Everything reproduced is fed to the
// test_context too, so that later conditions see the macros of the headers
// already included. Lines after the last include are not reproduced, and
// includes of -USE and -INTEGRATE files (written as completed) are left to
// their own sections.
#pragma once

struct generation;

// The scan sequence: the -DEFINE values and the standard-definitions file
// are learnt without output, the tested file's directory joins the include
// list, then the tested file is scanned with output.
void scan_tested_includes(generation& run);
