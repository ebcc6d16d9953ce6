// No run of the installed morvastart loses or damages a file: a tester's
// edited script survives a fatal run, a full disk and a kill, each followed
// by a good run that backs the edit up; concurrent runs on one script leave
// only complete scripts; the script, the symbol table and the log may not
// overwrite an input (nor the latter two the script); closed standard
// streams never receive messages.
//
// Regressions: each of these once cost the edited script or an input.
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "scratch_test.h"

namespace fs = std::filesystem;

namespace {

const std::string plain_script = joined(plain_header() + plain_body());
const std::string edit = "-- the tester's values\n";

struct ScriptSafety : scratch_test {
    void SetUp() override
    {
        scratch_test::SetUp();
        put("calc.c", "/* Nothing is declared here. */\n");
    }
    // A generated script with the tester's edit appended.
    std::string edited_script()
    {
        EXPECT_EQ(run({"calc.c", "calc.ptu"}).status, 0);
        std::string text = file("calc.ptu") + edit;
        put("calc.ptu", text);
        return text;
    }
    // The run after a failure: the edit goes to the backup, a fresh script takes its place.
    void good_run_keeps(const std::string& edited)
    {
        tool_result r = run({"calc.c", "calc.ptu"});
        EXPECT_EQ(outcome_of(r), outcome(0, banner_lines() + renamed("./calc.ptu") + clean_summary));
        EXPECT_EQ(file("calc.ptu_bck"), edited);
        EXPECT_EQ(script("calc.ptu"), plain_script);
    }
};

TEST_F(ScriptSafety, EditSurvivesAFatalRun)
{
    const std::string edited = edited_script();
    tool_result r = run({"calc.c", "calc.ptu", "-INTEGRATE=absent.c"});
    EXPECT_EQ(last_line(r.err), "Tolvex-F-IMPOUVFIC,  Cannot open the file ./absent.c\n");
    EXPECT_EQ(r.status, 7);
    EXPECT_EQ(file("calc.ptu"), edited);
    EXPECT_FALSE(exists("calc.ptu_bck"));
    // The new script as far as it got is kept beside the old one (its text
    // is checked with the generator's missing inputs).
    EXPECT_EQ(listing(), (std::set<std::string>{"calc.c", "calc.ptu", "calc.ptu_partial"}));
    good_run_keeps(edited);
}

TEST_F(ScriptSafety, EditSurvivesAFullDisk)
{
    const std::string edited = edited_script();
    tool_result r = run_tool("morvastart", {"calc.c", "calc.ptu"}, {}, dir, [] { limit_file_size(512); });
    EXPECT_EQ(outcome_of(r), outcome(7, banner_lines() + "Tolvex-F-IMPECRFIC,  Full disk space ./calc.ptu\n"));
    EXPECT_EQ(file("calc.ptu"), edited);
    EXPECT_LE(fs::file_size(dir + "/calc.ptu_partial"), 512u);
    EXPECT_EQ(listing(), (std::set<std::string>{"calc.c", "calc.ptu", "calc.ptu_partial"}));
    good_run_keeps(edited);
}

TEST_F(ScriptSafety, LateFailureLeavesTheScriptAndLogsNothing)
{
    // The symbol table is made after the whole script is written.
    const std::string edited = edited_script();
    tool_result r = run({"calc.c", "calc.ptu", "-SYMBTAB=nodir/tab", "-VESTRA_LOG=v.log"});
    EXPECT_EQ(outcome_of(r), outcome(7, banner_lines() + "Tolvex-F-IMPOUVFIC,  Cannot open the file nodir/tab.smb\n"));
    EXPECT_EQ(file("calc.ptu"), edited);
    EXPECT_FALSE(exists("calc.ptu_bck"));
    EXPECT_EQ(file("v.log"), "");
    good_run_keeps(edited);
}

TEST_F(ScriptSafety, EditSurvivesAKill)
{
    const std::string edited = edited_script();
    // The run blocks opening the named pipe it integrates, its script begun.
    ASSERT_EQ(mkfifo((dir + "/hold.c").c_str(), 0644), 0);
    int pid = start_tool("morvastart", {"calc.c", "calc.ptu", "-INTEGRATE=hold.c"}, dir);
    auto begun = [&] {
        for (const std::string& name : listing())
            if (name.rfind("calc.ptu_", 0) == 0)
                return true;
        return false;
    };
    for (int i = 0; i < 1000 && !begun(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    kill(pid, SIGKILL);
    EXPECT_EQ(wait_tool(pid), -1);
    fs::remove(dir + "/hold.c");
    EXPECT_EQ(file("calc.ptu"), edited);
    // At most one temporary file beside it.
    std::set<std::string> names = listing();
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(names.count("calc.ptu_bck") + names.count("calc.ptu_partial"), 0u);
    good_run_keeps(edited);
}

TEST_F(ScriptSafety, ConcurrentRunsLeaveCompleteScripts)
{
    put("defs.h", "#define DEFS 1\n");
    const std::vector<std::vector<std::string>> commands = {
        {"calc.c", "calc.ptu"}, {"calc.c", "calc.ptu", "-INSERT"}, {"calc.c", "calc.ptu", "-USE=defs"}};
    const std::set<std::string> complete = {
        plain_script,
        joined(header("morvastart \"calc.c\" \"calc.ptu\" -INSERT", "./calc.ptu", "") + insert_body()),
        joined(header("morvastart \"calc.c\" \"calc.ptu\" -USE=\"defs\"", "./calc.ptu", "\"./calc.c\" ") +
               lines{"HEADER calc, , ", ""} + title("-- INCLUDED HEADERS DECLARATIONS (-USE OPTION)") +
               lines{"", "##include \"./defs.h\"", ""} + plain_sections())};
    for (int round = 0; round < 40; ++round) {
        std::vector<int> pids;
        for (const auto& args : commands)
            pids.push_back(start_tool("morvastart", args, dir));
        for (int pid : pids)
            EXPECT_EQ(wait_tool(pid), 0) << "round " << round;
        EXPECT_EQ(complete.count(masked(file("calc.ptu"))), 1u) << "round " << round;
        EXPECT_EQ(complete.count(masked(file("calc.ptu_bck"))), 1u) << "round " << round;
        EXPECT_EQ(listing(), (std::set<std::string>{"calc.c", "defs.h", "calc.ptu", "calc.ptu_bck"}));
        if (testing::Test::HasFailure())
            break;
    }
}

TEST_F(ScriptSafety, ScriptSymbolTableAndLogMayNotBeAnInputOrTheScript)
{
    const std::string edited = edited_script();
    fs::create_directory(dir + "/inc");
    const std::map<std::string, std::string> inputs = {
        {"calc.c", "/* Nothing is declared here. */\n"}, {"io.c", "int io;\n"}, {"stub.c", "int stub;\n"},
        {"defs.h", "#define DEFS 1\n"}, {"std.def", "#define STD 1\n"}, {"inc/found.c", "int found;\n"}};
    for (const auto& [name, text] : inputs)
        put(name, text);
    ASSERT_EQ(link((dir + "/calc.c").c_str(), (dir + "/alias.smb").c_str()), 0);
    const std::string input = "Tolvex-F-CMDERREUR,  Bad command: the generated file is an input file: ";
    const std::string twice = "Tolvex-F-CMDERREUR,  Bad command: the generated file is written twice: ";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        // Regression: a script named like one of the run's sources must not move
        // the source to its backup name and analyse the new script in its place.
        {{"calc.c", "calc.c"}, input + "./calc.c"},
        {{"calc.c", "io.c", "-SIMULATE=io.c"}, input + "./io.c"},
        {{"calc.c", "calc.ptu", "-SYMBTAB=calc.c"}, input + "./calc.c"},
        {{"calc.c", "calc.ptu", "-SYMBTAB=alias"}, input + "./alias.smb"},
        {{"calc.c", "calc.ptu", "-SIMULATE=stub.c", "-SYMBTAB=stub.c"}, input + "./stub.c"},
        {{"calc.c", "calc.ptu", "-STD_DEFINE=std.def", "-SYMBTAB=std.def"}, input + "./std.def"},
        {{"calc.c", "calc.ptu", "-INTEGRATE=io.c", "-VESTRA_LOG=io.c"}, input + "io.c"},
        {{"calc.c", "calc.ptu", "-USE=defs", "-VESTRA_LOG=defs.h"}, input + "defs.h"},
        {{"calc.c", "calc.ptu", "-INCL=inc", "-INTEGRATE=found.c", "-SYMBTAB=inc/found.c"}, input + "inc/found.c"},
        {{"calc.c", "calc.ptu", "-SYMBTAB=calc.ptu"}, twice + "./calc.ptu"},
        {{"calc.c", "calc.ptu", "-VESTRA_LOG=calc.ptu"}, twice + "calc.ptu"},
        {{"calc.c", "new.ptu", "-SYMBTAB=new.ptu"}, twice + "./new.ptu"},
    };
    const std::set<std::string> before = listing();
    for (const auto& [args, message] : cases) {
        EXPECT_EQ(outcome_of(run(args)), outcome(7, banner_lines() + message + "\n"));
        EXPECT_EQ(listing(), before) << message;
    }
    EXPECT_EQ(file("calc.ptu"), edited);
    for (const auto& [name, text] : inputs)
        EXPECT_EQ(file(name), text) << name;
}

TEST_F(ScriptSafety, ClosedStandardStreamsNeverReceiveMessages)
{
    // A warning while the script is open: it must not land in the script.
    put("calc.c", "#ifdef\n#endif\n");
    for (auto closing : {+[] { close(1), close(2); }, +[] { close(0), close(1), close(2); }}) {
        fs::remove(dir + "/calc.ptu");
        tool_result r = run_tool("morvastart", {"calc.c", "calc.ptu"}, {}, dir, closing);
        EXPECT_EQ(r.status, 3);
        EXPECT_EQ(script("calc.ptu"), plain_script);
    }
}

} // namespace
