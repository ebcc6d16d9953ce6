// Runs an installed command of the tool in a child process with a controlled
// environment and working directory, and captures its streams and status.
// The commands come from the staged installation (MORVA_STAGE, set by CMake).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct tool_result {
    int status = -1;   // exit status, or -1 when the child did not exit normally
    std::string out;   // standard output
    std::string err;   // standard error
};

// The exit status and standard error of a run, to compare both at once.
using outcome = std::pair<int, std::string>;
inline outcome outcome_of(const tool_result& r)
{
    return {r.status, r.err};
}

// The staged installation directory (the value TOLVEXDIR takes by default).
std::string stage_dir();

// Environment changes for one run: a value sets the variable, nullopt unsets it.
using env_changes = std::map<std::string, std::optional<std::string>>;

// Runs stage_dir()/bin/<command> with the arguments, standard input on
// /dev/null. The child starts from the test's environment with TOLVEXDIR set
// to the stage, MORVA_SUPPRESS_COPYRIGHT unset, LANG=C, then the changes
// applied; in_child runs in it just before the command starts (resource
// limits, signals, descriptors). workdir empty: the current one.
tool_result run_tool(const std::string& command, const std::vector<std::string>& args,
                     const env_changes& changes = {}, const std::string& workdir = {},
                     const std::function<void()>& in_child = {});

// Child actions for run_tool. A file-size limit of bytes with SIGXFSZ
// ignored, so that writes past it fail as on a full disk.
void limit_file_size(unsigned long bytes);
// Runs the command as user and group 65534 when root; exits 125 if that fails.
void drop_privileges();

// Starts the command in the background, all three streams on /dev/null;
// returns its process id for wait_tool (or a kill).
int start_tool(const std::string& command, const std::vector<std::string>& args, const std::string& workdir);

// The exit status of a started command, or -1 when it did not exit normally.
int wait_tool(int pid);

// A fresh empty directory under the build tree, removed and recreated each call.
std::string scratch_dir(const std::string& name);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);

// The banner the tool prints first, as English text (without copyright when asked).
std::string banner_lines(bool with_copyright = true);
