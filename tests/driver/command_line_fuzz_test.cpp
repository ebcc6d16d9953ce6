// A fixed-seed random sweep through the fuzz step, so every build exercises
// the option-file reader and the matcher with junk, plus inputs that once
// needed care (quotes left open, continuations at the end, "$" at the end,
// NUL bytes inside arguments and option files). Each outcome must be well
// formed (see command_line_fuzz.h).
#include <gtest/gtest.h>

#include <random>

#include "command_line_fuzz.h"
#include "test_support/temp_folder.h"

namespace {

using namespace std::string_literals;

TEST(CommandLineFuzz, EdgeInputsEndWellFormed)
{
    temp_folder dir;
    const std::string option_file = dir / "options";
    for (const std::string& text :
         {""s, "\""s, "\\"s, "\\\n"s, "$"s, "$$HOME$"s, "@"s, "-"s, "-="s, "="s, ",,,"s, "-INCL=\\"s,
          "-RESTRICTION="s, "-RESTRICTION=,"s, "-XT=99999999999999999999"s, "-XT=-"s, "#comment\\\nstill"s,
          "a\0b\0c\0d"s, "a.c\0b.ptu\0-CLASS=x\0y"s, "\0\0"s, "a.c\0b.ptu"s, "-OPTION="s, "-noINSERT"s,
          "-INCL=("s, "-USE=()"s, std::string(300000, ','), "-INCL=" + std::string(100000, '\\')})
        EXPECT_EQ(command_line_fuzz::analyse(text, option_file), "") << text.substr(0, 60);
}

TEST(CommandLineFuzz, RandomBytesFromOptionAlphabet)
{
    temp_folder dir;
    const std::string option_file = dir / "options";
    std::mt19937 random(20261206);
    const std::string alphabet = "-=,\\\"#$@ \t\r\nINCLUDESRTXOPVAMKabc0129().\0"s;
    ASSERT_EQ(alphabet.back(), '\0');
    int accepted = 0;
    for (int round = 0; round < 600; ++round) {
        std::string text;
        std::size_t length = random() % 64;
        for (std::size_t i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        // Two positionals first let some commands through the whole analysis.
        if (round % 2)
            text = "a.c\0b.ptu\0"s + text;
        EXPECT_EQ(command_line_fuzz::analyse(text, option_file, &accepted), "") << text;
    }
    // The sweep reaches both ends: some commands pass, most fail.
    EXPECT_GT(accepted, 20);
    EXPECT_LT(accepted, 600);
}

} // namespace
