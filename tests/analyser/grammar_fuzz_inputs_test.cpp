// Replays the declaration fuzzer's seeds and every input it found failing
// (tests/fuzz/declaration_regressions, named for what they broke) exactly as
// the fuzz target runs them, so that each finding stays fixed under the
// normal and the sanitizer builds.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "analyser/analyse_declarations.h"

namespace {

void drop_report(int, const char*, const report_argument&, std::string_view, int) {}

void run_like_the_fuzzer(const std::string& text)
{
    analyser_session session;
    scope_table table;
    table.session = &session;
    table.store.report = drop_report;
    analyse_declarations(text, table, "", "fuzz.c", 1, drop_report);
    analyse_declarations(text, table, "Fuzz", "fuzz.c", 1, drop_report);
    type_from_text(std::string_view(text).substr(0, text.find('\n')), table, "fuzz.c", 1);
    EXPECT_TRUE(table.frames.empty());
}

void replay_folder(const std::string& folder)
{
    const std::filesystem::path path = std::string(MORVA_TEST_DATA) + "/../fuzz/" + folder;
    int files = 0;
    for (const auto& file : std::filesystem::directory_iterator(path)) {
        SCOPED_TRACE(file.path().filename().string());
        std::ifstream in(file.path(), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        run_like_the_fuzzer(content.str());
        ++files;
    }
    EXPECT_GT(files, 0);
}

} // namespace

TEST(declaration_fuzz_inputs, seeds)
{
    replay_folder("declaration_corpus");
}

TEST(declaration_fuzz_inputs, regressions)
{
    replay_folder("declaration_regressions");
}
