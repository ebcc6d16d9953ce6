// Child-process runner for the end-to-end tests: fork, set the environment,
// exec the staged command, and read both pipes with poll so neither fills up.
#include "run_tool.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

void drain(int out_fd, int err_fd, int in_fd, const std::string& input, tool_result& result)
{
    std::size_t written = 0;
    if (input.empty() && in_fd >= 0) {
        close(in_fd);
        in_fd = -1;
    }
    char buffer[65536];
    while (out_fd >= 0 || err_fd >= 0) {
        pollfd fds[3];
        int n = 0;
        int out_i = -1, err_i = -1, in_i = -1;
        if (out_fd >= 0) { fds[n] = {out_fd, POLLIN, 0}; out_i = n++; }
        if (err_fd >= 0) { fds[n] = {err_fd, POLLIN, 0}; err_i = n++; }
        if (in_fd >= 0) { fds[n] = {in_fd, POLLOUT, 0}; in_i = n++; }
        if (poll(fds, n, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        auto take = [&](int index, int& fd, std::string& sink) {
            if (index < 0 || !(fds[index].revents & (POLLIN | POLLHUP | POLLERR)))
                return;
            ssize_t got = read(fd, buffer, sizeof buffer);
            if (got <= 0) {
                close(fd);
                fd = -1;
            } else {
                sink.append(buffer, static_cast<std::size_t>(got));
            }
        };
        take(out_i, out_fd, result.out);
        take(err_i, err_fd, result.err);
        if (in_i >= 0 && (fds[in_i].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t put = write(in_fd, input.data() + written, input.size() - written);
            if (put <= 0 || (written += static_cast<std::size_t>(put)) == input.size()) {
                close(in_fd);
                in_fd = -1;
            }
        }
    }
    if (in_fd >= 0)
        close(in_fd);
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

tool_result run_tool(const std::string& command, const std::vector<std::string>& args,
                     const env_changes& changes, const std::string& workdir, const std::string& stdin_text)
{
    int out_pipe[2], err_pipe[2], in_pipe[2];
    if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0 || pipe(in_pipe) != 0)
        return {};
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in_pipe[0], 0);
        dup2(out_pipe[1], 1);
        dup2(err_pipe[1], 2);
        for (int fd : {out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1], in_pipe[0], in_pipe[1]})
            close(fd);
        exec_tool(command, args, changes, workdir);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    close(in_pipe[0]);
    tool_result result;
    drain(out_pipe[0], err_pipe[0], in_pipe[1], stdin_text, result);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

tool_result run_tool_with(const std::string& command, const std::vector<std::string>& args,
                          const std::string& workdir, const std::function<void()>& in_child,
                          const env_changes& changes)
{
    int err_pipe[2];
    if (pipe(err_pipe) != 0)
        return {};
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(err_pipe[1], 2);
        for (int fd : {null, err_pipe[0], err_pipe[1]})
            close(fd);
        in_child();
        exec_tool(command, args, changes, workdir);
    }
    close(err_pipe[1]);
    tool_result result;
    char buffer[4096];
    ssize_t got;
    while ((got = read(err_pipe[0], buffer, sizeof buffer)) > 0)
        result.err.append(buffer, static_cast<std::size_t>(got));
    close(err_pipe[0]);
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
