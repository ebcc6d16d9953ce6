// The three-column tables: column choice, ISO 8859-1 accents, title texts.
#include <gtest/gtest.h>

#include "driver/option_values.h"
#include "generator/script_texts.h"

namespace {

TEST(ScriptTexts, KeywordColumns)
{
    EXPECT_EQ(script_word(script_text::header_keyword, 0), "ENTETE");
    EXPECT_EQ(script_word(script_text::header_keyword, 1), "ENTETE");
    EXPECT_EQ(script_word(script_text::header_keyword, 2), "HEADER");
    EXPECT_EQ(script_word(script_text::begin_keyword, 0), "DEBUT");
    EXPECT_EQ(script_word(script_text::expected_value_word, 0), "va");
    EXPECT_EQ(script_word(script_text::expected_value_word, 2), "ev");
    EXPECT_EQ(script_word(script_text::service_type_keyword, 1), "TYPE_SERVICE");
    EXPECT_EQ(script_word(script_text::extern_word, 0), "externe");
    // Out-of-range languages take the English column, like an unknown MORVALAN.
    EXPECT_EQ(script_word(script_text::end_keyword, 7), "END");
    EXPECT_EQ(script_word(script_text::end_keyword, -1), "END");
}

TEST(ScriptTexts, FollowsTheRunLanguage)
{
    int saved = script_language;
    script_language = 0;
    EXPECT_EQ(script_word(script_text::environment_keyword), "ENVIRONNEMENT");
    script_language = 2;
    EXPECT_EQ(script_word(script_text::environment_keyword), "ENVIRONMENT");
    script_language = saved;
}

TEST(ScriptTexts, TitlesKeepTheirTrailingBlanks)
{
    EXPECT_EQ(script_word(script_text::title_tested_includes, 2), "-- TESTED FILE INCLUDE DIRECTIVES ");
    EXPECT_EQ(script_word(script_text::title_tested_declarations, 2), "-- TESTED FILE DECLARATIONS ");
    EXPECT_EQ(script_word(script_text::title_tested_declarations, 0), "-- DECLARATIONS LIEES AU FICHIER TESTE ");
    EXPECT_EQ(script_word(script_text::title_stub_declarations, 0),
              "-- DECLARATIONS DES MUETS DES FICHIERS SIMULES ");
    EXPECT_EQ(script_word(script_text::title_stub_declarations, 2), "-- STUB DECLARATIONS OF THE SIMULATED FILES");
    EXPECT_EQ(script_word(script_text::title_inserted_declarations, 2),
              "-- INCLUDED FILE DECLARATIONS (-INCLUDED OPTION)");
}

TEST(ScriptTexts, SectionTitlesAreTheSameInBothFrenchColumns)
{
    for (int row = static_cast<int>(script_text::title_tested_includes);
         row <= static_cast<int>(script_text::title_services); ++row) {
        auto r = static_cast<script_text>(row);
        EXPECT_EQ(script_word(r, 0), script_word(r, 1)) << row;
        EXPECT_NE(script_word(r, 0), script_word(r, 2)) << row;
        EXPECT_EQ(script_word(r, 2).substr(0, 3), "-- ") << row;
    }
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

TEST(ScriptTexts, SeparatorIsEightyDashes)
{
    EXPECT_EQ(separator_line(), std::string(80, '-'));
}

} // namespace
