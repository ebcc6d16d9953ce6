// String utilities at their limits: the 61,440-character cut, aliasing
// refused as an internal error, and the small copy/compare/trim/pad rules.
#include <gtest/gtest.h>

#include "diag/message_catalogue.h"
#include "support/text_utils.h"

namespace {

TEST(Xstr, ConcatenatesAndCutsAtLimit)
{
    std::string out;
    xstrcpy(&out, std::string_view("ab"), std::string("cd"), "ef");
    EXPECT_EQ(out, "abcdef");
    std::string big(xstr_limit - 2, 'x');
    xstrcpy(&out, big, std::string_view("123"), std::string_view("456"));
    EXPECT_EQ(out.size(), xstr_limit);
    EXPECT_EQ(out.substr(out.size() - 2), "12");
    // A full destination stays unchanged.
    const std::string full = out;
    xstrcat(&out, std::string_view("more"));
    EXPECT_EQ(out, full);
    std::string shorter = "abc";
    xstrcat(&shorter, std::string_view("def"), std::string_view("g"));
    EXPECT_EQ(shorter, "abcdefg");
}

TEST(XstrDeathTest, SourceEqualToDestinationIsInternalError)
{
    register_all_messages();
    std::string out = "abc";
    EXPECT_EXIT(xstrcat(&out, std::string_view(out)), testing::ExitedWithCode(9),
                "Tolvex-S-ERRINTFCT,  Internal error in the function xstrcat\n");
    EXPECT_EXIT(xstrcpy(&out, std::string_view("x"), std::string_view(out.data() + 1, 1)),
                testing::ExitedWithCode(9), "Tolvex-S-ERRINTFCT,  Internal error in the function xstrcpy\n");
    EXPECT_EXIT(xstrcpy_list(nullptr, {"a"}), testing::ExitedWithCode(9),
                "Internal error in the function xstrcpy \\(2\\)");
}

TEST(TextUtils, CompareFollowsSignedBytes)
{
    EXPECT_LT(compare_text("abc", "abd"), 0);
    EXPECT_EQ(compare_text("abc", "abc"), 0);
    EXPECT_EQ(compare_text(nullptr, "abc"), -1);
    EXPECT_EQ(compare_text("abc", nullptr), -1);
    // 0xE9 is negative as a signed character, so it sorts before 'a'.
    EXPECT_LT(compare_text("\xE9", "a"), 0);
    EXPECT_GT(compare_text("abc", "ab"), 0);
}

TEST(TextUtils, TrimAndPad)
{
    trimmed_bounds b = trim_bounds(" \t ab c \t");
    EXPECT_EQ(b.start, 3u);
    EXPECT_EQ(b.leading, 3u);
    EXPECT_EQ(b.length, 4u);
    std::string s = "  x y  ";
    trim_copy(s, s);
    EXPECT_EQ(s, "x y");
    trim_copy(" \t ", s);
    EXPECT_EQ(s, "");
    EXPECT_EQ(pad_text("ab", '*', 5), "ab***");
    EXPECT_EQ(pad_text("ab", '*', 1), "a");
    EXPECT_EQ(pad_text("ab", '*', 0), "");
    EXPECT_EQ(pad_text("ab", '*', -3), "");
}

TEST(TextUtils, UpperCaseOnlyAsciiLetters)
{
    std::string s = "aZ_9\xe9z";
    upper_case(s);
    EXPECT_EQ(s, "AZ_9\xe9Z");
    std::string copied;
    copy_text(nullptr, copied);
    EXPECT_EQ(copied, "");
    copy_text("t", copied);
    EXPECT_EQ(copied, "t");
}

} // namespace
