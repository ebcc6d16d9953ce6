// libFuzzer entry for the command analyser (built with -DMORVA_FUZZ=ON and clang).
#include <unistd.h>

#include "command_line_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string option_file = "/tmp/morva_cmdline_fuzz_" + std::to_string(getpid());
    analyse_fuzzed_command(data, size, option_file);
    return 0;
}
