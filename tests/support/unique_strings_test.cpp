// The unique-string table: one reference per distinct text, the hash's
// bucket for known inputs, and the chunk growth for large texts.
#include <gtest/gtest.h>

#include <string>

#include "support/unique_strings.h"

namespace {

TEST(UniqueString, EmptyGivesNone)
{
    EXPECT_EQ(unique_string(""), nullptr);
    EXPECT_EQ(unique_string(std::string_view()), nullptr);
}

TEST(UniqueString, EqualTextsShareOneReference)
{
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

TEST(UniqueString, HashOfKnownTexts)
{
    // h = 128; "a": h1 = 128 + 97 + P[128] (727) = 952; h = 952 + P[952 mod 256 = 184] (1103)
    EXPECT_EQ(unique_string_bucket("a"), 2055u);
    EXPECT_EQ(unique_string_bucket(""), 128u);
    // Signed bytes: 0xFF counts as -1, so h1 = 128 - 1 + 727 = 854; h = 854 + P[86] (449).
    EXPECT_EQ(unique_string_bucket("\xff"), 1303u);
}

TEST(UniqueString, LargeTextRaisesTheChunkSize)
{
    std::string big(100000, 'q');
    const char* stored = unique_string(big);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(std::string(stored), big);
    unique_string_stats s = unique_string_statistics();
    EXPECT_EQ(s.chunk_size, 200001u);
    std::string big2(150000, 'r');
    EXPECT_EQ(std::string(unique_string(big2)), big2);
    EXPECT_EQ(unique_string_statistics().chunk_size, 200001u);
}

} // namespace
