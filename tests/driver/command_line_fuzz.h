// One fuzz step for the command analyser: the bytes become both an option
// file (read through "@file") and, split at NUL bytes, direct arguments, and
// are analysed against a fresh copy of the tool's own table. Errors are
// swallowed; only crashes, hangs and sanitizer reports matter.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/command_analyser.h"
#include "driver/option_table.h"

inline void analyse_fuzzed_command(const std::uint8_t* data, std::size_t size, const std::string& option_file)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (std::FILE* f = std::fopen(option_file.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    std::vector<std::string> words = {"morvastart"};
    std::string word;
    for (char c : bytes) {
        if (c == '\0') {
            words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    words.push_back(word);
    for (int with_file = 0; with_file < 2; ++with_file) {
        std::vector<std::string> args = words;
        if (with_file)
            args = {"morvastart", "@" + option_file, "-OPTION=" + option_file};
        std::vector<const char*> argv;
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        command_table table = make_morvastart_table();
        table.write_error = [](std::string_view) {};
        std::vector<std::string> working;
        if (expand_arguments(table, static_cast<int>(argv.size()), argv.data(), working) == 0 &&
            analyse_command(table, working) == 0) {
            for (int i = 1; i <= static_cast<int>(table.options.size()); ++i)
                for (int n = 1; option_value(table, i, n); ++n) {
                }
        }
    }
}
