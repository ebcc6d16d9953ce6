// Checked allocation and system calls: see checked_calls.h.
#include "support/checked_calls.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include <QCoreApplication>

#include "diag/report.h"

void memory_overflow()
{
    // std::set_new_handler(nullptr) first: the report itself allocates, and a
    // second failure must not recurse.
    std::set_new_handler(nullptr);
    report_internal("ERRINTFCT",
                    QCoreApplication::translate("Error Parameter", "memory overflow",
                                                "Used as a parameter for 'ERRINTFCT' error message"));
}

void* checked_malloc(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        memory_overflow();
    return block;
}

void* checked_calloc(std::size_t count, std::size_t size)
{
    void* block = std::calloc(count == 0 ? 1 : count, size == 0 ? 1 : size);
    if (block == nullptr)
        memory_overflow();
    return block;
}

void* checked_realloc(void* block, std::size_t size)
{
    void* grown = std::realloc(block, size == 0 ? 1 : size);
    if (grown == nullptr)
        memory_overflow();
    return grown;
}

char* heap_copy(const char* text)
{
    std::size_t length = text ? std::strlen(text) : 0;
    char* copy = static_cast<char*>(checked_malloc(length + 1));
    if (length)
        std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

void checked_free(void* block)
{
    std::free(block);
}

void zero_fill(void* block, std::size_t count)
{
    if (count)
        std::memset(block, 0, count);
}

void cstsyst_fatal(const char* call_name)
{
    QString text = QCoreApplication::translate("Fatal Error (cstsyst)",
                                               "FATAL ERROR on '%1',\n Please contact your administrative.",
                                               "'%1' is a function name");
    text.replace(QLatin1String("%1"), QString::fromLocal8Bit(call_name));
    std::fputs(text.toLocal8Bit().constData(), stderr);
}

void checked_fclose(std::FILE* stream)
{
    if (std::fclose(stream) != 0) {
        cstsyst_fatal("fclose");
        exit_process(7);
    }
}

namespace {
void (*exit_cleanup)() = nullptr;
} // namespace

void set_exit_cleanup(void (*cleanup)())
{
    exit_cleanup = cleanup;
}

void exit_process(int status)
{
    // Taken before running: a fatal report raised by the cleanup itself
    // must not run it again.
    if (void (*cleanup)() = exit_cleanup) {
        exit_cleanup = nullptr;
        cleanup();
    }
    std::fflush(stderr);
    std::fflush(stdout);
    std::exit(status);
}

namespace {
void on_new_failure()
{
    memory_overflow();
}
} // namespace

void install_new_handler()
{
    std::set_new_handler(on_new_failure);
}
