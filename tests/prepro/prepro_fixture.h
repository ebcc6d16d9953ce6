// A fresh preprocessor and name table per test, run in a folder of its own
// with the target's environment variables cleared, every report captured.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using texts = std::vector<std::string>;

#include "prepro/preprocessor_state.h"

struct captured_report {
    int kind;
    std::string code, argument, file;
    int line;
};

inline std::vector<captured_report> captured_reports;

inline void capture(int kind, const char* code, const report_argument& argument, std::string_view file, int line)
{
    captured_reports.push_back({kind, code, argument.bytes(), std::string(file), line});
}

// The reports, each as kind letter, code, argument and position:
// "W TOMANYARG M [v.h:2]".
inline texts report_lines()
{
    texts lines;
    for (const captured_report& r : captured_reports)
        lines.push_back(std::string(1, "SFEWI"[r.kind]) + " " + r.code + " " + r.argument + " [" + r.file + ":" +
                        std::to_string(r.line) + "]");
    return lines;
}

inline void clear_target_environment()
{
    for (const char* name : {"KNUTGT", "ZRLTGT", "MVX_ADD_USR_INCLUDE"})
        ::unsetenv(name);
}

class prepro_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        captured_reports.clear();
        dir = std::filesystem::temp_directory_path() /
              ("morva_prepro_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        old_cwd = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        clear_target_environment();
    }
    void TearDown() override
    {
        clear_target_environment();
        std::filesystem::current_path(old_cwd);
        std::filesystem::remove_all(dir);
    }
    void init(std::vector<std::string> defs = {}, std::vector<std::string> dirs = {})
    {
        pp.initialise(true, false, 2, defs, dirs, table, true, capture);
    }
    // Preprocesses text as the generator does (empty name, first line 0).
    std::string run(const std::string& text, bool all = false)
    {
        std::string result;
        errors = pp.preprocess_text(text, all, "", 0, result, table, capture);
        return result;
    }
    // The text of a file run through #include "name".
    std::string run_file(const std::string& name, const std::string& contents)
    {
        write(name, contents);
        return run("#include \"" + name + "\"");
    }
    void write(const std::string& name, const std::string& contents)
    {
        std::filesystem::path p = dir / name;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << contents;
    }
    // Files as name and contents.
    void write(std::initializer_list<std::pair<std::string, std::string>> files)
    {
        for (const auto& [name, contents] : files)
            write(name, contents);
    }
    static std::string without_markers(const std::string& out)
    {
        return std::regex_replace(out, std::regex("#line [0-9]+ \"[^\"\n]*\"\n"), "");
    }
    // Output without line markers, runs of white space as one blank.
    static std::string flat(const std::string& out)
    {
        std::string s = std::regex_replace(without_markers(out), std::regex("[ \t\n]+"), " ");
        const std::size_t first = s.find_first_not_of(' ');
        return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') + 1 - first);
    }
    // Space-separated tokens of the output, to compare token sequences.
    static std::string tokens(const std::string& out)
    {
        static const std::regex token(
            R"(L?"(?:\\.|[^"\\\n])*"|L?'(?:\\.|[^'\\\n])*'|\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.])*|[A-Za-z_$][A-Za-z0-9_$]*|\.\.\.|->|\+\+|--|<<|>>|<=|>=|==|!=|&&|\|\||##|[^ \t\n])");
        const std::string s = without_markers(out);
        std::string result;
        for (auto it = std::sregex_iterator(s.begin(), s.end(), token); it != std::sregex_iterator(); ++it) {
            if (!result.empty())
                result.push_back(' ');
            result += it->str();
        }
        return result;
    }
    std::vector<std::string> codes() const
    {
        std::vector<std::string> c;
        for (const captured_report& r : captured_reports)
            c.push_back(r.code);
        return c;
    }
    bool reported(const std::string& code) const { return std::ranges::count(codes(), code) > 0; }

    std::filesystem::path dir, old_cwd;
    preprocessor pp;
    name_table table;
    int errors = 0;
};

// The same, initialised with no definitions and no include directories.
class prepro_ready : public prepro_test {
protected:
    void SetUp() override
    {
        prepro_test::SetUp();
        init();
    }
};
