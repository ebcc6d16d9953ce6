// Bad input for the preprocessor: huge and binary texts, and every input the
// fuzzer ever found failing
// (tests/fuzz/regressions, one named test per file). Each case runs in a
// fresh preprocessor exactly as the fuzz target does, so a fuzzer finding
// replays here under the normal build and under the sanitizer build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "prepro/preprocessor_state.h"

namespace {

// Each report as "kind code argument line".
std::vector<std::string> messages;

void record(int kind, const char* code, const report_argument& argument, std::string_view, int line)
{
    messages.push_back(std::to_string(kind) + " " + code + " " + argument.bytes() + " " + std::to_string(line));
}

struct run_result {
    std::string output;
    std::vector<std::string> messages; // of the text, then of the end of the context
};

run_result preprocess(std::string_view text)
{
    messages.clear();
    name_table table;
    preprocessor prepro;
    prepro.initialise(true, false, 2, {}, {MORVA_FUZZ_INCLUDE}, table, true, record);
    run_result r;
    prepro.preprocess_text(text, false, "bad.c", 1, r.output, table, record);
    prepro.finish(table, true);
    r.messages = messages;
    return r;
}

bool has_marker_bytes(std::string_view text)
{
    return text.find('\x01') != std::string_view::npos || text.find('\x02') != std::string_view::npos;
}

// Found by the fuzzer as a slow unit. The call of f begun in x's expansion is
// completed by the ')' after it, which pops x's level and so enables x
// again; each pre-expansion of f's argument then meets x anew. The levels
// pile up until the stack limit ends the run with NBRECURSI (gcc keeps x
// disabled and stops at once).
// Once recursed until the input stack was full: a name met while its macro
// is disabled stays unexpanded for good, also inside the argument of a call
// completed after the end of the expansion that began it (gcc gives the same).
TEST(BadInput, CallCompletedAfterItsExpansionKeepsDisabledNames)
{
    const run_result r = preprocess("#define g x\n#define f(a)a\n#define x f(((g))\nx)");
    std::string tokens = r.output;
    std::erase_if(tokens, [](unsigned char c) { return std::isspace(c); });
    EXPECT_EQ(tokens, "((((g)))");
    EXPECT_TRUE(r.messages.empty());
}

TEST(BadInput, MegabyteLinesPassThrough)
{
    const std::string name(1 << 20, 'a');
    run_result r = preprocess("int " + name + ";\n");
    EXPECT_NE(r.output.find("int " + name + ";"), std::string::npos);
    EXPECT_TRUE(r.messages.empty());

    std::string sum;
    for (int i = 0; i < 150000; ++i)
        sum += "x + ";
    r = preprocess("#define ID(a) a\nint v = ID(" + sum + "1);\n");
    EXPECT_NE(r.output.find(sum + "1"), std::string::npos);
    EXPECT_TRUE(r.messages.empty());
}

TEST(BadInput, BinaryJunkEndsAtItsFirstNul)
{
    // Every byte but NUL and the two bytes the expansion uses as markers,
    // so that any marker in the output is one that leaked.
    std::string junk;
    for (int round = 0; round < 64; ++round)
        for (int c = 0; c < 253; ++c)
            junk += static_cast<char>((c * 37 + round) % 253 + 3);
    run_result r = preprocess(junk + '\0' + "int after_nul;\n");
    EXPECT_EQ(r.output.find("after_nul"), std::string::npos);
    EXPECT_FALSE(has_marker_bytes(r.output));
    r = preprocess("\x01\x02 #define \x01 A\x02\n\x02\x01(\x01)\n"); // the marker bytes themselves
    EXPECT_FALSE(r.output.empty());
}

TEST(BadInput, DeepIfExpressionIsABadExpression)
{
    const run_result r = preprocess("#if " + std::string(200, '(') + "1" + std::string(200, ')') +
                                    "\nint skipped;\n#endif\nint kept;\n");
    EXPECT_TRUE(std::any_of(r.messages.begin(), r.messages.end(),
                            [](const std::string& m) { return m.find(" EXPERRONE ") != std::string::npos; }));
    EXPECT_EQ(r.output.find("skipped"), std::string::npos);
    EXPECT_NE(r.output.find("int kept;"), std::string::npos);
}

// ---- inputs the fuzzer found ------------------------------------------------

std::vector<std::string> regression_files()
{
    std::vector<std::string> names;
    const std::filesystem::path dir = std::filesystem::path(MORVA_TEST_DATA) / "regressions";
    if (std::filesystem::is_directory(dir))
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.is_regular_file())
                names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FuzzRegression : public testing::TestWithParam<std::string> {};

TEST_P(FuzzRegression, RunsToItsEndTwiceAlike)
{
    std::ifstream in(std::filesystem::path(MORVA_TEST_DATA) / "regressions" / GetParam(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    const run_result first = preprocess(text);
    const run_result second = preprocess(text);
    EXPECT_EQ(first.output, second.output);
    EXPECT_EQ(first.messages, second.messages);
    if (!has_marker_bytes(text)) {
        EXPECT_FALSE(has_marker_bytes(first.output));
    }
}

std::string test_name(const testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FuzzRegression);
INSTANTIATE_TEST_SUITE_P(Inputs, FuzzRegression, testing::ValuesIn(regression_files()), test_name);

} // namespace
