// The script's own words: keywords, section titles and block comments, each
// in three columns (French without accents, French with accents, English)
// selected by script_language. They are byte strings, not translations: the
// accented column holds single ISO 8859-1 bytes (é is 0xE9) so the script
// gets the same bytes whatever the locale of the run.
#pragma once

#include <string_view>

enum class script_text {
    // keywords and words
    header_keyword,
    begin_keyword,
    end_keyword,
    environment_keyword,
    use_keyword,
    family_keyword,
    define_keyword,
    stub_keyword,
    service_type_keyword,
    extern_word,
    others_word,
    array_keyword,
    expected_value_word,
    // section titles of the script layout, in layout order
    title_tested_includes,
    title_used_headers,
    title_tested_declarations,
    title_inserted_declarations,
    title_integrate_declarations,
    title_stub_declarations,
    title_environments,
    title_integrated_environments,
    title_simulated_environments,
    title_tested_environment,
    title_inserted_environment,
    title_services,
    // block comments of the service blocks
    comment_service_declaration,
    comment_parameters,
    comment_returned_type,
    comment_class_instances,
    count
};

// The text of one row in the column of language (0, 1 or 2; others give 2).
std::string_view script_word(script_text row, int language);

// The same in the column of the run's script_language.
std::string_view script_word(script_text row);

// The comment line of 80 '-' that frames titles.
std::string_view separator_line();
