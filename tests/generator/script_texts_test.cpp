// The three-column tables: the column of an unknown language and the
// ISO 8859-1 accents of the second French column.
#include <gtest/gtest.h>

#include "driver/option_values.h"
#include "generator/script_texts.h"

namespace {

// The titles and keywords themselves are checked in whole scripts by the
// end-to-end tests; here only what those cannot reach.
TEST(ScriptTexts, OutOfRangeLanguagesTakeTheEnglishColumn)
{
    EXPECT_EQ(script_word(script_text::end_keyword, 7), "END");
    EXPECT_EQ(script_word(script_text::end_keyword, -1), "END");
}

TEST(ScriptTexts, AccentsAreSingleLatin1Bytes)
{
    EXPECT_EQ(script_word(script_text::comment_service_declaration, 1), "-- D\xE9" "claration du service ");
    EXPECT_EQ(script_word(script_text::comment_service_declaration, 0), "-- Declaration du service ");
    EXPECT_EQ(script_word(script_text::comment_parameters, 1),
              "-- D\xE9" "clarations des param\xE8" "tres du service test\xE9");
    // Only the accented column leaves ASCII.
    for (int row = 0; row < static_cast<int>(script_text::count); ++row)
        for (int language : {0, 2})
            for (unsigned char c : script_word(static_cast<script_text>(row), language))
                EXPECT_LT(c, 0x80) << row << " " << language;
}

} // namespace
