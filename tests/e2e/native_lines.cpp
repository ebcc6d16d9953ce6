// Script lines are classified after their indentation: "##" gives a
// directive, "#" native text; every other line is a script statement that
// only moves the state (inside a service, inside a stub block).
#include "native_lines.h"

#include <cstdlib>
#include <sstream>

#include "run_tool.h"

namespace {

std::string without_indentation(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : line.substr(first);
}

} // namespace

std::string native_translation_unit(const std::string& script)
{
    std::istringstream in(script);
    std::string line;
    std::string unit;
    bool in_stub = false;
    bool in_service = false;
    int services = 0;
    while (std::getline(in, line)) {
        const std::string text = without_indentation(line);
        if (text.starts_with("##")) {
            unit += "#" + text.substr(2) + "\n";
        } else if (text.starts_with("#")) {
            if (!in_stub)
                unit += line.substr(line.find('#') + 1) + "\n";
        } else if (text.starts_with("DEFINE STUB") || text.starts_with("DEFINIR MUET")) {
            in_stub = true;
        } else if (in_stub && (text == "END DEFINE" || text == "FIN DEFINIR")) {
            in_stub = false;
        } else if (text.starts_with("SERVICE ")) {
            unit += "void morva_service_" + std::to_string(++services) + "(void)\n{\n";
            in_service = true;
        } else if (in_service && (text.starts_with("END SERVICE") || text.starts_with("FIN SERVICE"))) {
            unit += "}\n";
            in_service = false;
        }
    }
    if (in_service)
        unit += "}\n";
    return unit;
}

compile_result compile_native_lines(const std::string& script, const std::string& dir, bool cplusplus,
                                    const std::string& options)
{
    const std::string unit = native_translation_unit(script);
    const std::string path = dir + (cplusplus ? "/native_unit.cc" : "/native_unit.c");
    write_file(path, unit);
    const std::string command = std::string(cplusplus ? "g++" : "gcc") +
                                " -fsyntax-only -Werror=implicit-function-declaration " +
                                (cplusplus ? "" : "-Werror=incompatible-pointer-types ") + options + " " + path +
                                " > " + path + ".log 2>&1";
    compile_result result;
    result.ok = std::system(command.c_str()) == 0;
    result.messages = read_file(path + ".log");
    if (!result.ok)
        result.messages += "\n--- unit ---\n" + unit;
    return result;
}
