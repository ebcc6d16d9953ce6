// The unique-string table: one reference per distinct text, stable while the
// table grows, for texts of any size.
#include <gtest/gtest.h>

#include <string>

#include "support/unique_strings.h"

namespace {

TEST(UniqueString, EqualTextsShareOneReferenceAndEmptyGivesNone)
{
    EXPECT_EQ(unique_string(""), nullptr);
    EXPECT_EQ(unique_string(std::string_view()), nullptr);
    std::string a = "identifier";
    std::string b = std::string("identi") + "fier";
    const char* ra = unique_string(a);
    EXPECT_EQ(ra, unique_string(b));
    EXPECT_STREQ(ra, "identifier");
    EXPECT_NE(ra, a.c_str());
    EXPECT_NE(unique_string("identifieR"), ra);
    // A prefix is a different text.
    EXPECT_NE(unique_string("ident"), ra);
}

TEST(UniqueString, TextsNeverMoveAsTheTableGrows)
{
    const char* first = unique_string("stable-text");
    for (int i = 0; i < 50000; ++i)
        unique_string("name_" + std::to_string(i));
    EXPECT_EQ(unique_string("stable-text"), first);
    EXPECT_STREQ(first, "stable-text");
    EXPECT_STREQ(unique_string("name_123"), "name_123");
    EXPECT_GE(unique_string_statistics().capacity, 50000u);
}

TEST(UniqueString, TextsLargerThanAChunk)
{
    std::string big(100000, 'q'), bigger(250000, 'r');
    EXPECT_EQ(std::string(unique_string(big)), big);
    EXPECT_EQ(std::string(unique_string(bigger)), bigger);
    EXPECT_EQ(unique_string(big), unique_string(std::string(100000, 'q')));
}

} // namespace
