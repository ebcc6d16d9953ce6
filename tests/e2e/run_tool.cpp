// Child-process runner for the end-to-end tests: fork, set the environment,
// exec the staged command, and read both pipes with poll so neither fills up.
#include "run_tool.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

std::string stage_dir()
{
    return MORVA_STAGE;
}

namespace {

void drain(int out_fd, int err_fd, tool_result& result)
{
    pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    std::string* const sinks[2] = {&result.out, &result.err};
    char buffer[65536];
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;  // poll skips it from now on
            }
        }
    }
}

// The child's side of every run: the controlled environment, the working
// directory, then the command itself.
[[noreturn]] void exec_tool(const std::string& command, const std::vector<std::string>& args,
                            const env_changes& changes, const std::string& workdir)
{
    std::string program = stage_dir() + "/bin/" + command;
    setenv("TOLVEXDIR", stage_dir().c_str(), 1);
    unsetenv("MORVA_SUPPRESS_COPYRIGHT");
    unsetenv("LC_ALL");
    unsetenv("LANGUAGE");
    setenv("LANG", "C", 1);
    for (const auto& [name, value] : changes) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
    if (!workdir.empty() && chdir(workdir.c_str()) != 0)
        _exit(126);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

} // namespace

tool_result run_tool(const std::string& command, const std::vector<std::string>& args, const env_changes& changes,
                     const std::string& workdir, const std::function<void()>& in_child)
{
    int out_pipe[2], err_pipe[2];
    if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, 0);
        dup2(out_pipe[1], 1);
        dup2(err_pipe[1], 2);
        for (int fd : {null, out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]})
            close(fd);
        if (in_child)
            in_child();
        exec_tool(command, args, changes, workdir);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    tool_result result;
    drain(out_pipe[0], err_pipe[0], result);
    result.status = wait_tool(pid);
    return result;
}

void limit_file_size(unsigned long bytes)
{
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit {bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
}

void drop_privileges()
{
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        _exit(125);
}

int start_tool(const std::string& command, const std::vector<std::string>& args, const std::string& workdir)
{
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_RDWR);
        for (int fd : {0, 1, 2})
            dup2(null, fd);
        close(null);
        exec_tool(command, args, {}, workdir);
    }
    return pid;
}

int wait_tool(int pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string scratch_dir(const std::string& name)
{
    std::filesystem::path dir = std::filesystem::path(MORVA_SCRATCH) / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string banner_lines(bool with_copyright)
{
    std::string text =
        "Tolvex-I-STARTEXEC,  Kelvane Deprecated C++ Test Template Generator 4.1.0.2.117.006\n";
    if (with_copyright)
        text += "Tolvex-I-COPYRIGHT,  Copyright (C) 2026 Kelvane Software. All rights reserved.\n";
    return text;
}
