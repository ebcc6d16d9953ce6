// A check that the native lines of a generated script compile: the "#" and
// "##" lines become a C (or C++) translation unit, which gcc checks with
// -fsyntax-only.
#pragma once

#include <string>

// The translation unit of a script: "##" lines become directives, "#" lines
// at file level are copied, the "#" lines of each SERVICE form the body of
// one function of their own, and DEFINE STUB blocks (whose prototypes carry
// direction words) are left aside.
std::string native_translation_unit(const std::string& script);

struct compile_result {
    bool ok = false;
    std::string messages;  // the compiler's output, with the unit on failure
};

// Writes the unit into dir and runs gcc -fsyntax-only (g++ when cplusplus),
// with flags (such as -I options) before the unit.
compile_result compile_native_lines(const std::string& script, const std::string& dir, bool cplusplus = false,
                                    const std::string& flags = {});
