// Runs an installed command of the tool in a child process with a controlled
// environment and working directory, and captures its streams and status.
// The commands come from the staged installation (MORVA_STAGE, set by CMake).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct tool_result {
    int status = -1;   // exit status, or -1 when the child did not exit normally
    std::string out;   // standard output
    std::string err;   // standard error
};

// The staged installation directory (the value TOLVEXDIR takes by default).
std::string stage_dir();

// Environment changes for one run: a value sets the variable, nullopt unsets it.
using env_changes = std::map<std::string, std::optional<std::string>>;

// Runs stage_dir()/bin/<command> with the arguments. The child starts from the
// test's environment with TOLVEXDIR set to the stage, MORVA_SUPPRESS_COPYRIGHT
// unset, LANG=C, then the changes applied. workdir empty: the current one.
tool_result run_tool(const std::string& command, const std::vector<std::string>& args,
                     const env_changes& changes = {}, const std::string& workdir = {},
                     const std::string& stdin_text = {});

// A fresh empty directory under the build tree, removed and recreated each call.
std::string scratch_dir(const std::string& name);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);

// The banner the tool prints first, as English text (without copyright when asked).
std::string banner_lines(bool with_copyright = true);
