// The installed morvastart writing scripts: header, layout and titles in the
// three languages, suffix overrides, the backup of an earlier script, the
// VESTRA_LOG record, and the faults that end a run (missing inputs, an
// unusable output directory; a full disk is in the script safety tests).
//
// The input files hold no declarations, so the blocks drawn from declarations
// hold only their comment lines and each expected script below is complete. The
// date line is masked after its layout has been checked.
#include <filesystem>
#include <regex>

#include <sys/stat.h>

#include "scratch_test.h"

namespace fs = std::filesystem;

namespace {

const lines plain = plain_header();

struct Generator : scratch_test {
    void SetUp() override
    {
        scratch_test::SetUp();
        put("calc.c", "/* Nothing is declared here. */\n#define LIMIT 10\n");
    }
};

lines french_layout(const std::string& header_keyword, const std::string& begin_keyword, bool accents)
{
    const lines integrated = accents ? lines{"", "-- D\xE9" "clarations du fichier int\xE9" "gr\xE9 io", "", ""}
                                     : lines{"", "-- Declarations du fichier integre io", "", ""};
    const lines simulated = accents ? lines{"", "-- D\xE9" "clarations du fichier simul\xE9 stub.c", ""}
                                    : lines{"", "-- Declarations du fichier simule stub.c", ""};
    return lines{header_keyword + " calc, , ", ""} + title("-- DECLARATIONS LIEES AU FICHIER TESTE ") +
           (accents ? tested_globals_fa : tested_globals_fr) +
           title("-- DECLARATIONS NECESSAIRES AU TEST (OPTION -INTEGRE)") + integrated +
           lines{separator, "", begin_keyword, ""} + title("-- DECLARATIONS DES MUETS DES FICHIERS SIMULES ") +
           simulated +
           title("-- DECLARATIONS DES ENVIRONNEMENTS") + lines{""} +
           short_title("-- ENVIRONNEMENTS DES FICHIERS INTEGRES") +
           short_title("-- ENVIRONNEMENTS DES FICHIERS SIMULES") + short_title("-- ENVIRONNEMENT DU FICHIER TESTE") +
           title("-- DECLARATIONS DES SERVICES");
}

// The image of the command line in the header, after "morvastart \"calc.c\" ".
lines calc_header(const std::string& image, const std::string& script, const std::string& files = "\"./calc.c\" ")
{
    return header("morvastart \"calc.c\" " + image, "./" + script, files);
}

struct layout_case {
    const char* name;
    std::vector<std::string> args;
    env_changes env;
    std::string script;  // the name of the script written
    lines expected;
};

// The image always names options in English; -INSERT leaves the file list empty.
const std::string integrate_simulate = "\"calc.ptu\" -INTEGRATE=\"io.c\" -SIMULATE=\"stub.c\"";
const layout_case layouts[] = {
    {"NoOptions", {"calc.c", "calc.ptu"}, {}, "calc.ptu", plain + plain_body()},
    {"Insert", {"calc.c", "calc.ptu", "-INSERT"}, {{"MORVALAN", "GB"}}, "calc.ptu",
     calc_header("\"calc.ptu\" -INSERT", "calc.ptu", "") + insert_body()},
    {"FrenchInsert", {"calc.c", "calc.ptu", "-INSERE"}, {{"MORVALAN", "FR"}}, "calc.ptu",
     calc_header("\"calc.ptu\" -INSERT", "calc.ptu", "") + lines{"ENTETE calc, , ", ""} +
         title("-- DECLARATIONS DU FICHIER EN INCLUSION (OPTION -INSERE)") + lines{"", "##include \"./calc.c\"", ""} +
         lines{separator, "", "DEBUT", ""} + title("-- DECLARATIONS DES ENVIRONNEMENTS") + lines{""} +
         short_title("-- ENVIRONNEMENT DU FICHIER INSERE") + title("-- DECLARATIONS DES SERVICES")},
    {"IntegrateSimulateAndUse",
     {"calc.c", "calc.ptu", "-INTEGRATE=io.c,util", "-SIMULATE=stub.c", "-USE=defs"},
     {{"MORVACPP", "c"}, {"MORVALAN", "GB"}},
     "calc.ptu",
     calc_header("\"calc.ptu\" -INTEGRATE=\"io.c,util\" -SIMULATE=\"stub.c\" -USE=\"defs\"", "calc.ptu",
                 "\"./calc.c\" \"io.c\" \"util\" ") +
         lines{"HEADER calc, , ", ""} + title("-- INCLUDED HEADERS DECLARATIONS (-USE OPTION)") +
         lines{"", "##include \"./defs.h\"", ""} + title("-- TESTED FILE DECLARATIONS ") + tested_globals +
         title("-- TO THE TEST NECESSARY DECLARATIONS (-INTEGRATE OPTION)") +
         lines{"", "-- Integrated file declarations io", "", "-- Integrated file declarations util", "", ""} +
         lines{separator, "", "BEGIN", ""} + title("-- STUB DECLARATIONS OF THE SIMULATED FILES") +
         lines{"", "-- Simulated file declarations stub.c", ""} + title("-- ENVIRONMENTS DECLARATIONS") + lines{""} +
         short_title("-- INTEGRATED FILES ENVIRONNEMENTS") + short_title("-- SIMULATED FILES ENVIRONNEMENTS") +
         short_title("-- TESTED FILE ENVIRONNEMENT") + title("-- SERVICES DECLARATIONS")},
    {"FrenchColumns", {"calc.c", "calc.ptu", "-INTEGRE=io.c", "-SIMULE=stub.c"}, {{"MORVALAN", "FR"}}, "calc.ptu",
     calc_header(integrate_simulate, "calc.ptu", "\"./calc.c\" \"io.c\" ") + french_layout("ENTETE", "DEBUT", false)},
    {"AccentedFrenchColumns", {"calc.c", "calc.ptu", "-INTEGRE=io.c", "-SIMULE=stub.c"}, {{"MORVALAN", "fa"}},
     "calc.ptu",
     calc_header(integrate_simulate, "calc.ptu", "\"./calc.c\" \"io.c\" ") + french_layout("ENTETE", "DEBUT", true)},
    // A tested file named without suffix is read as calc.cc; the HEADER
    // statement still uses the bare base name.
    {"TestedFileWithoutSuffix", {"calc", "calc"}, {}, "calc.ptu",
     header("morvastart \"calc\" \"calc\"", "./calc.ptu", "\"./calc.cc\" ") + plain_body()},
    // MORVAPTU replaces the default suffix; an empty value: no suffix and no
    // dot; a name that has a suffix keeps it.
    {"MorvaptuSuffix", {"calc.c", "calc"}, {{"MORVAPTU", "tst"}}, "calc.tst",
     calc_header("\"calc\"", "calc.tst") + plain_body()},
    {"EmptyMorvaptu", {"calc.c", "calc"}, {{"MORVAPTU", ""}}, "calc", calc_header("\"calc\"", "calc") + plain_body()},
    {"ScriptNameWithSuffix", {"calc.c", "calc.out"}, {{"MORVAPTU", "tst"}}, "calc.out",
     calc_header("\"calc.out\"", "calc.out") + plain_body()},
};

TEST_F(Generator, Layouts)
{
    put("io.c", "/* integrated */\n");
    put("util.c", "\n");
    put("stub.c", "/* simulated */\n");
    put("defs.h", "#define DEFS 1\n");
    put("calc.cc", file("calc.c"));
    for (const layout_case& c : layouts) {
        SCOPED_TRACE(c.name);
        fs::remove(dir + "/" + c.script);
        const tool_result r = run(c.args, c.env);
        EXPECT_EQ(r.err, banner_lines() + clean_summary);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(script(c.script), joined(c.expected));
        EXPECT_FALSE(exists(c.script + "_bck"));
    }
}

TEST_F(Generator, NameMadeTooLongBySuffixIsRefused)
{
    const std::string suffix(1100, 's');
    tool_result r = run({"calc.c", "calc"}, {{"MORVAPTU", suffix}});
    EXPECT_EQ(outcome_of(r), outcome(7, banner_lines() + "Tolvex-F-CMDERREUR,  Bad command: file name longer than "
                                        "1023 characters: ./calc." + suffix + "\n"));
    // Nothing was created beside the tested file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(Generator, RepeatedRunsKeepOneBackup)
{
    // Even an unreadable earlier script is backed up.
    put("calc.ptu", "old script\n");
    chmod((dir + "/calc.ptu").c_str(), 0);
    const outcome renaming(0, banner_lines() + renamed("./calc.ptu") + clean_summary);
    EXPECT_EQ(outcome_of(run({"calc.c", "calc.ptu", "-INSERT"})), renaming);
    chmod((dir + "/calc.ptu_bck").c_str(), 0644);
    EXPECT_EQ(file("calc.ptu_bck"), "old script\n");
    const std::string second = file("calc.ptu");
    EXPECT_TRUE(holds(second, "-INSERT"));

    // The next run replaces the backup with the script before it.
    EXPECT_EQ(outcome_of(run({"calc.c", "calc.ptu"})), renaming);
    EXPECT_EQ(file("calc.ptu_bck"), second);
    EXPECT_EQ(script("calc.ptu"), joined(plain + plain_body()));
}

TEST_F(Generator, FailedBackupIsFatalAndLosesNothing)
{
    // A backup name held by a non-empty directory cannot be replaced.
    put("calc.ptu", "old script\n");
    fs::create_directory(dir + "/calc.ptu_bck");
    put("calc.ptu_bck/keep", "kept\n");
    EXPECT_EQ(outcome_of(run({"calc.c", "calc.ptu"})), outcome(7, banner_lines() +
                                        "Tolvex-F-IMPFICREN,  Unable to rename the file 'generated_file' in "
                                        "'generated_file'_bck: ./calc.ptu\n"));
    EXPECT_EQ(file("calc.ptu"), "old script\n");
    EXPECT_EQ(file("calc.ptu_bck/keep"), "kept\n");
}

TEST_F(Generator, VestraLogRecordsPtuFilesOnly)
{
    // The symbol table is created empty; named as a script, it is logged too.
    put("tab.smb", "stale\n");
    EXPECT_EQ(outcome_of(run({"calc.c", "calc.ptu", "-SYMBTAB=tab", "-VESTRA_LOG=vestra.log"})),
              outcome(0, banner_lines() + clean_summary));
    EXPECT_EQ(file("tab.smb"), "");
    EXPECT_EQ(file("vestra.log"), "PTU ./calc.ptu\n");
    EXPECT_EQ(script("calc.ptu"),
              joined(header("morvastart \"calc.c\" \"calc.ptu\" -SYMBTAB=tab", "./calc.ptu", "\"./calc.c\" ") +
                     plain_body()));
    run({"calc.c", "calc.ptu", "-SYMBTAB=tab.ptu", "-VESTRA_LOG=vestra.log"});
    const std::string logged = "PTU ./calc.ptu\nPTU ./calc.ptu\nPTU ./tab.ptu\n";
    EXPECT_EQ(file("vestra.log"), logged);

    // Another suffix: the log is opened for appending, or created, but gets no line.
    EXPECT_EQ(run({"calc.c", "calc.txt", "-VESTRA_LOG=vestra.log"}).status, 0);
    EXPECT_TRUE(exists("calc.txt"));
    EXPECT_EQ(file("vestra.log"), logged);
    run({"calc.c", "other.txt", "-VESTRA_LOG=fresh.log"});
    EXPECT_TRUE(exists("fresh.log"));
    EXPECT_EQ(file("fresh.log"), "");
}

// The fatal line of a missing input, which may carry the position of the directive.
testing::AssertionResult cannot_open(const tool_result& r, const std::string& name)
{
    const std::regex line("Tolvex-F-IMPOUVFIC,  (\\[[^]]*\\] )?Cannot open the file " +
                          std::regex_replace(name, std::regex("\\."), "\\.") + "\n");
    if (r.status == 7 && std::regex_match(last_line(r.err), line))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "status " << r.status << ", messages:\n" << r.err;
}

TEST_F(Generator, MissingTestedFileIsFatal)
{
    put("calc.ptu", "old script\n");
    EXPECT_TRUE(cannot_open(run({"gone.c", "calc.ptu"}), "./gone.c"));
    // The earlier script stays; the new one is kept as far as it got.
    EXPECT_EQ(file("calc.ptu"), "old script\n");
    EXPECT_FALSE(exists("calc.ptu_bck"));
    EXPECT_EQ(script("calc.ptu_partial"),
              joined(header("morvastart \"gone.c\" \"calc.ptu\"", "./calc.ptu", "\"./gone.c\" ") +
                     lines{"HEADER gone, , ", ""} + title("-- TESTED FILE DECLARATIONS ")));
}

TEST_F(Generator, MissingIntegratedSimulatedOrUsedFileIsFatal)
{
    EXPECT_TRUE(cannot_open(run({"calc.c", "calc.ptu", "-INTEGRATE=absent.c"}), "./absent.c"));
    EXPECT_EQ(script("calc.ptu_partial"),
              joined(header("morvastart \"calc.c\" \"calc.ptu\" -INTEGRATE=\"absent.c\"", "./calc.ptu",
                            "\"./calc.c\" \"absent.c\" ") +
                     lines{"HEADER calc, , ", ""} + title("-- TESTED FILE DECLARATIONS ") + tested_globals +
                     title("-- TO THE TEST NECESSARY DECLARATIONS (-INTEGRATE OPTION)") +
                     lines{"", "-- Integrated file declarations absent", ""}));
    EXPECT_FALSE(exists("calc.ptu"));
    EXPECT_TRUE(cannot_open(run({"calc.c", "calc.ptu", "-SIMULATE=nostub.c"}), "./nostub.c"));
    EXPECT_TRUE(cannot_open(run({"calc.c", "calc.ptu", "-USE=nohead"}), "./nohead.h"));
}

TEST_F(Generator, ScriptInMissingDirectoryIsFatal)
{
    tool_result r = run({"calc.c", "nodir/calc.ptu"});
    EXPECT_EQ(outcome_of(r), outcome(7, banner_lines() + "Tolvex-F-IMPOUVFIC,  Cannot open the file nodir/calc.ptu\n"));
    EXPECT_FALSE(exists("nodir"));
}

TEST_F(Generator, UnwritableDirectoryKeepsScriptAndBackup)
{
    put("calc.ptu_bck", "first\n");
    // The new script cannot even be begun beside the old one, nor without one.
    for (bool earlier : {true, false}) {
        SCOPED_TRACE(earlier ? "with an earlier script" : "without");
        if (earlier)
            put("calc.ptu", "second\n");
        else
            fs::remove(dir + "/calc.ptu");
        for (const char* name : {"calc.c", "calc.ptu", "calc.ptu_bck"})
            chmod((dir + "/" + name).c_str(), 0644);
        chmod(dir.c_str(), 0555);
        const tool_result r = run_tool("morvastart", {"calc.c", "calc.ptu"}, {}, dir, drop_privileges);
        chmod(dir.c_str(), 0755);
        if (r.status == 125)
            GTEST_SKIP() << "cannot run as an unprivileged user";
        EXPECT_EQ(outcome_of(r), outcome(7, banner_lines() + "Tolvex-F-IMPOUVFIC,  Cannot open the file ./calc.ptu\n"));
        EXPECT_EQ(exists("calc.ptu") ? file("calc.ptu") : "", earlier ? "second\n" : "");
        EXPECT_EQ(file("calc.ptu_bck"), "first\n");
    }
}

} // namespace
