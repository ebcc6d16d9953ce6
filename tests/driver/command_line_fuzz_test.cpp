// A fixed-seed random sweep through the fuzz step, so every build exercises
// the option-file reader and the matcher with junk, plus inputs that once
// needed care (quotes left open, continuations at the end, "$" at the end).
#include <gtest/gtest.h>

#include <random>
#include <unistd.h>

#include "command_line_fuzz.h"

namespace {

std::string option_file()
{
    return testing::TempDir() + "morva_cmdline_sweep_" + std::to_string(getpid());
}

void run(const std::string& text)
{
    analyse_fuzzed_command(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), option_file());
}

TEST(CommandLineFuzz, EdgeInputsRunToTheirEnd)
{
    for (const char* text : {"", "\"", "\\", "\\\n", "$", "$$HOME$", "@", "-", "-=", "=", ",,,", "-INCL=\\",
                             "-RESTRICTION=", "-RESTRICTION=,", "-XT=99999999999999999999", "-XT=-",
                             "#comment\\\nstill", "a\0b\0c\0d", "-OPTION=", "-noINSERT", "-INCL=(", "-USE=()"})
        run(text);
    run(std::string(300000, ','));
    run("-INCL=" + std::string(100000, '\\'));
}

TEST(CommandLineFuzz, RandomBytesFromOptionAlphabet)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "-=,\\\"#$@ \t\r\nINCLUDESRTXOPVAMKabc0129()\0";
    for (int round = 0; round < 600; ++round) {
        std::string text;
        std::size_t length = random() % 64;
        for (std::size_t i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        run(text);
    }
}

} // namespace
