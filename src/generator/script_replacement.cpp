// The script is written to a temporary file in its own directory and
// renamed into place only once it is complete and closed, so at every
// instant the script's name holds either the previous script or a complete
// new one: a run that stops half-way (fatal error, full disk) leaves the
// script and its backup as they were and its own text as NAME_partial, and
// a killed run leaves at most the temporary file.
//
// Putting in place: the old script is first hard-linked to a fresh name and
// that link renamed over NAME_bck, then the temporary file is renamed over
// the script; the script's name never goes missing. Where hard links are not
// supported, a plain rename to NAME_bck does the backup. Concurrent runs on
// one script each write their own temporary file, and an exclusive flock on
// the directory makes their backup-and-rename steps take turns, so the
// backup is always the script of the run before.
//
// Fatal reports end the process from deep inside, so the pending file is
// registered with the exit cleanup of exit_process.
#include "generator/script_replacement.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "diag/report.h"
#include "generator/file_access.h"
#include "support/checked_calls.h"
#include "support/file_names.h"

namespace {

script_replacement* pending = nullptr;

void keep_pending_partial()
{
    if (pending)
        pending->keep_partial();
}

bool is_directory(const std::string& name)
{
    struct stat info {};
    return lstat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists_as_file(const std::string& name)
{
    struct stat info {};
    return lstat(name.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string directory_of(const std::string& name)
{
    std::string directory, file;
    split_path(name, directory, file);
    return directory;
}

// mkstemp beside the script; a name too long for the file system falls back
// to a short one in the same directory.
int create_temporary(const std::string& script, std::string& temporary)
{
    temporary = script + "_tmpXXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0 && errno == ENAMETOOLONG) {
        temporary = directory_of(script) + "morvastart_tmpXXXXXX";
        fd = mkostemp(temporary.data(), O_CLOEXEC);
    }
    if (fd < 0)
        return fd;
    // mkstemp creates 0600: give the mode a freshly created script would get.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    return fd;
}

// Held from construction to destruction; no lock (and no wait) when the
// directory cannot be opened for reading.
class directory_lock {
public:
    explicit directory_lock(const std::string& directory)
        : fd_(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (fd_ >= 0)
            while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~directory_lock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    directory_lock(const directory_lock&) = delete;
    directory_lock& operator=(const directory_lock&) = delete;

private:
    int fd_;
};

// script -> script_bck, the script's name staying in place meanwhile.
bool back_up(const std::string& script, const std::string& temporary)
{
    const std::string backup = script + "_bck";
    const std::string second_name = temporary + "_bck";
    if (link(script.c_str(), second_name.c_str()) == 0) {
        if (std::rename(second_name.c_str(), backup.c_str()) == 0)
            return true;
        unlink(second_name.c_str());
        return false;
    }
    return backup_file(script) == 0;
}

} // namespace

script_replacement::~script_replacement()
{
    keep_partial();
}

std::FILE* script_replacement::open(const std::string& script_name)
{
    keep_partial();
    script_ = script_name;
    partial_ = script_name + "_partial";
    if (is_directory(script_))
        report_fatal("IMPOUVFIC", script_);
    int fd = create_temporary(script_, temporary_);
    std::FILE* stream = fd < 0 ? nullptr : fdopen(fd, "w");
    if (stream == nullptr) {
        if (fd >= 0) {
            ::close(fd);
            unlink(temporary_.c_str());
        }
        temporary_.clear();
        report_fatal("IMPOUVFIC", script_);
    }
    pending = this;
    set_exit_cleanup(keep_pending_partial);
    return stream;
}

void script_replacement::put_in_place()
{
    if (temporary_.empty())
        return;
    directory_lock lock(directory_of(script_));
    if (exists_as_file(script_)) {
        if (!back_up(script_, temporary_))
            report_fatal("IMPFICREN", script_);
        report_info("FICRENAME", script_);
    }
    if (std::rename(temporary_.c_str(), script_.c_str()) != 0)
        report_fatal("IMPOUVFIC", script_);
    temporary_.clear();
    pending = nullptr;
    set_exit_cleanup(nullptr);
}

void script_replacement::keep_partial()
{
    if (pending == this) {
        pending = nullptr;
        set_exit_cleanup(nullptr);
    }
    if (temporary_.empty())
        return;
    std::rename(temporary_.c_str(), partial_.c_str());
    temporary_.clear();
}
