// Checked allocation and system calls: their failure is never survived.
// A failed allocation ends the run as internal error ERRINTFCT "memory
// overflow" (status 9); a failed close prints the cstsyst fatal text and
// ends the run with status 7. Callers never test results.
#pragma once

#include <cstddef>
#include <cstdio>

void* checked_malloc(std::size_t size);
void* checked_calloc(std::size_t count, std::size_t size);
void* checked_realloc(void* block, std::size_t size);
char* heap_copy(const char* text);
void checked_free(void* block);
void zero_fill(void* block, std::size_t count);

void checked_fclose(std::FILE* stream);
void cstsyst_fatal(const char* call_name);

// Runs the exit cleanup (once), flushes standard error, then standard
// output, then exits with the status.
[[noreturn]] void exit_process(int status);

// The one action exit_process runs first, wherever the process ends from
// (summary, fatal or internal report); nullptr for none. Fatal reports end
// the process from deep inside, so a file left half-done needs this hook.
void set_exit_cleanup(void (*cleanup)());

[[noreturn]] void memory_overflow();

// Makes a failing C++ allocation end the run like a failing checked_malloc.
void install_new_handler();
