// libFuzzer entry for the command analyser (built with -DMORVA_FUZZ=ON and
// clang): an outcome that is not well formed aborts with what was wrong.
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "command_line_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string option_file = "/tmp/morva_cmdline_fuzz_" + std::to_string(getpid());
    const std::string problem =
        command_line_fuzz::analyse(std::string_view(reinterpret_cast<const char*>(data), size), option_file);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
