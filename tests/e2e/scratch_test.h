// The fixture most end-to-end suites share: each test gets a fresh scratch
// folder named after its suite and its name (so suites in parallel never
// meet), writes its sources there, runs the installed morvastart in it,
// reads the script back with its date masked, and has gcc check the
// script's native lines. Suites of one run per source describe each run as a
// script_case row and check it with script_test.
#pragma once

#include <filesystem>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "native_lines.h"
#include "run_tool.h"
#include "script_layout.h"

struct scratch_test : testing::Test {
    std::string dir;

    void SetUp() override
    {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        dir = scratch_dir(name);
    }
    void put(const std::string& name, const std::string& text) const { write_file(dir + "/" + name, text); }
    tool_result run(const std::vector<std::string>& args, const env_changes& env = {}) const
    {
        return run_tool("morvastart", args, env, dir);
    }
    std::string file(const std::string& name) const { return read_file(dir + "/" + name); }
    std::string script(const std::string& name) const { return masked(file(name)); }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir + "/" + name); }
    std::set<std::string> listing() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            names.insert(entry.path().filename().string());
        return names;
    }

    // Writes source as file, runs "morvastart file <base>.ptu options",
    // expects a clean run and returns the script.
    std::string generate(const std::string& file, const std::string& source,
                         const std::vector<std::string>& options = {}, const env_changes& env = {}) const
    {
        put(file, source);
        const std::string name = file.substr(0, file.find('.')) + ".ptu";
        std::filesystem::remove(dir + "/" + name);  // else the run backs it up, with a message
        std::vector<std::string> args = {file, name};
        args.insert(args.end(), options.begin(), options.end());
        const tool_result r = run(args, env);
        EXPECT_EQ(outcome_of(r), outcome(0, banner_lines() + clean_summary));
        return script(name);
    }
    // gcc (g++ for C++) accepts the native lines of the script text.
    void expect_compiles(const std::string& text, bool cplusplus = false, const std::string& options = {}) const
    {
        const compile_result r = compile_native_lines(text, dir, cplusplus, options);
        EXPECT_TRUE(r.ok) << r.messages;
    }
};

// Whether text holds part; the failure shows both.
inline testing::AssertionResult holds(const std::string& text, const std::string& part)
{
    if (text.find(part) != std::string::npos)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "missing:\n" << part << "\n--- in ---\n" << text;
}

// The script's text from the services title on (all of it when the title is missing).
inline std::string services_part(const std::string& text)
{
    const std::size_t at = text.find(joined(title("-- SERVICES DECLARATIONS")));
    return at == std::string::npos ? text : text.substr(at);
}

// One source and what its clean run must give: texts the script holds (and
// absent ones it must not) and, unless told otherwise, its whole services
// section; the native lines compile (with g++ for a C++ file). Other files
// the run reads are written first.
struct script_case {
    const char* name;
    std::string file, source;
    std::vector<std::string> options = {};
    std::vector<std::string> held = {};
    std::vector<service_block> blocks = {};
    bool whole_services = true;  // false: blocks is not checked
    std::string compile_options = "";
    bool compiles = true;
    env_changes env = {};
    std::map<std::string, std::string> others = {};
    std::vector<std::string> absent = {};
};

inline void PrintTo(const script_case& c, std::ostream* out)
{
    *out << c.name;
}

inline std::string script_case_name(const testing::TestParamInfo<script_case>& info)
{
    return info.param.name;
}

struct script_test : scratch_test, testing::WithParamInterface<script_case> {
    void check_case() const
    {
        const script_case& c = GetParam();
        for (const auto& [name, text] : c.others)
            put(name, text);
        const std::string text = generate(c.file, c.source, c.options, c.env);
        for (const std::string& part : c.held)
            EXPECT_TRUE(holds(text, part));
        for (const std::string& part : c.absent)
            EXPECT_FALSE(holds(text, part));
        if (c.whole_services) {
            EXPECT_EQ(services_part(text), joined(services(c.blocks)));
        }
        if (c.compiles)
            expect_compiles(text, c.file.ends_with("pp"), c.compile_options);
    }
};
