// The installed morvadecl: every entry of the tag, symbol and enumerator
// buckets of one analysed file, in walk order, one tab-separated line each.
// Buckets are worked out by hand: (length mod 10) + 10 x (byte sum mod 10).
#include <gtest/gtest.h>

#include <sstream>

#include "run_tool.h"

namespace {

// The pieces of text between separators (a last empty piece is dropped).
std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string piece; std::getline(in, piece, separator);)
        out.push_back(piece);
    return out;
}

TEST(morvadecl, EntriesInWalkOrder)
{
    const std::string dir = scratch_dir("morvadecl_walk");
    write_file(dir + "/d.c", "int counter;\nstatic int add(int a, int b) { return a + b; }\n"
                             "enum e { one };\nstruct s { int x; };\n");
    tool_result r = run_tool("morvadecl", {"d.c"}, {}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> out = split(r.out, '\n');
    ASSERT_EQ(out.size(), 6u) << r.out;
    // e (bucket 11) and s (51) are tags; x (1), add (73), counter (87)
    // symbols; one (23) an enumerator. The first two symbols entered are
    // counter and add, numbered 1 and 2.
    EXPECT_EQ(out[4], "symbol\t87\tcounter\tintegral\td.c\t0\t1\t-\tint counter;");
    EXPECT_EQ(out[3], "symbol\t73\tadd\tfunction\td.c\t0\t2\tstatic\tint add(int a, int b);");
    const std::vector<std::vector<std::string>> expected = {
        {"tag", "11", "e", "enum", "d.c"},         {"tag", "51", "s", "struct", "d.c"},
        {"symbol", "1", "x", "integral", "d.c"},   {"symbol", "73", "add", "function", "d.c"},
        {"symbol", "87", "counter", "integral", "d.c"}, {"enumerator", "23", "one", "enum", "d.c"}};
    for (std::size_t i = 0; i < out.size(); ++i) {
        std::vector<std::string> f = split(out[i], '\t');
        ASSERT_EQ(f.size(), 9u) << out[i];
        EXPECT_EQ(std::vector<std::string>(f.begin(), f.begin() + 5), expected[i]) << out[i];
    }
    EXPECT_EQ(split(out[0], '\t')[8], "enum e;");
    EXPECT_EQ(split(out[5], '\t')[8], "enum e one;");
}

TEST(morvadecl, MissingFileIsFatal)
{
    const std::string dir = scratch_dir("morvadecl_missing");
    tool_result r = run_tool("morvadecl", {"absent.c"}, {}, dir);
    EXPECT_EQ(r.status, 7);
    EXPECT_NE(r.err.find("Cannot open the file absent.c"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

} // namespace
