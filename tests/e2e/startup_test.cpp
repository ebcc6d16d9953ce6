// Start-up of the installed morvastart: the TOLVEXDIR rules, the banner and
// the translations (the plain banner and summary are checked with the
// generator's runs). Each run gets a valid small C file so
// that the expectations hold whatever the later stages of a run do.
#include <filesystem>

#include "scratch_test.h"

namespace fs = std::filesystem;

namespace {

struct Startup : scratch_test {
    tool_result start(const env_changes& env)
    {
        // A script left by an earlier run would be backed up with a message.
        put("calc.c", "int add(int a, int b)\n{\n    return a + b;\n}\n");
        fs::remove(dir + "/calc.ptu");
        return run({"calc.c", "calc.ptu"}, env);
    }
};

const std::string french_summary =
    "Tolvex-I-ENDNOENWR,  Fin d'ex\xc3\xa9" "cution avec 0 erreur et 0 avertissement\n";

TEST_F(Startup, EnvironmentOfTheRun)
{
    const std::string no_home = "Fatal Error: please setup TOLVEXDIR environment variable.\n";
    const std::pair<env_changes, outcome> cases[] = {
        {{{"TOLVEXDIR", std::nullopt}}, {7, no_home}},
        {{{"TOLVEXDIR", ""}}, {7, no_home}},
        // The copyright is suppressed even by an empty value.
        {{{"MORVA_SUPPRESS_COPYRIGHT", ""}}, {0, banner_lines(false) + clean_summary}},
        // The locale name is shortened down to its language: fr_CA finds the fr files too.
        {{{"LANG", "fr_FR.UTF-8"}}, {0, french_banner + french_summary}},
        {{{"LANG", "fr_CA.UTF-8"}}, {0, french_banner + french_summary}},
        {{{"LANG", "de_DE.UTF-8"}}, {0, banner_lines() + clean_summary}}};
    for (const auto& [env, expected] : cases) {
        SCOPED_TRACE(env.begin()->first + "=" + env.begin()->second.value_or("(unset)"));
        const tool_result r = start(env);
        EXPECT_EQ(outcome_of(r), expected);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(exists("calc.ptu"), expected.first == 0);
    }
}

TEST_F(Startup, TolvexdirNamingAPlainFileRunsUntranslated)
{
    const std::string file = dir + "/plain";
    put("plain", "x");
    tool_result r = start({{"TOLVEXDIR", file}, {"LANG", "fr_FR.UTF-8"}});
    EXPECT_EQ(outcome_of(r), outcome(0, "Warning: directory doesn't exist '" + file + "/lib/locale'\n" +
                                        banner_lines() + clean_summary));
}

TEST_F(Startup, CorruptOrMissingTranslationFilesAreSkipped)
{
    std::string home = dir + "/home";
    fs::create_directories(home + "/lib/locale");
    for (const auto& entry : fs::directory_iterator(stage_dir() + "/lib/locale"))
        fs::copy_file(entry.path(), home + "/lib/locale/" + entry.path().filename().string());
    // A corrupt banner catalogue and a missing summary catalogue: both fall back to English.
    write_file(home + "/lib/locale/plovident_fr.qm", std::string(300, '\x5a'));
    fs::remove(home + "/lib/locale/modbas_fr.qm");
    tool_result r = start({{"TOLVEXDIR", home}, {"LANG", "fr_FR.UTF-8"}});
    EXPECT_EQ(outcome_of(r), outcome(0, banner_lines() + clean_summary));
}

} // namespace
