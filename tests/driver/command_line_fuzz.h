// One fuzz step for the command analyser: the bytes become both an option
// file (read through "@file" and "-OPTION=file") and, split at NUL bytes,
// direct arguments, and each command is analysed against a fresh copy of
// morvastart's table. Whatever the bytes, the analysis must end well formed:
// status 0 with no message, both positionals and every value within its
// option's bounds; or status -1 with exactly one message, whose first line
// is the analyser's head and a known error word, and which ends with the
// usage text.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "driver/command_analyser.h"
#include "driver/option_table.h"

namespace command_line_fuzz {

inline const char* const error_words[] = {
    "File not found",          "Unknown value of option,",  "Ambiguous value of option,",
    "Arg length too small,",   "Arg length too large,",     "Arg value too small,",
    "Arg value too large,",    "Argument missing,",         "Too many arguments invalid argument,",
    "List forbidden invalid argument,", "Unknown option,",  "Ambiguous option,",
    "Invalid character following option,", "Mandatory argument for this option,",
    "No argument for this option,", "List forbidden invalid option,", "An option can't be used twice,"};

// "" when the outcome is well formed, else what is wrong with it.
inline std::string check_outcome(const command_table& table, int status, const std::vector<std::string>& messages)
{
    if (status == 0) {
        if (!messages.empty())
            return "status 0 with a message: " + messages.front();
        if (!positional_value(table, 1, 1) || !positional_value(table, 2, 1))
            return "status 0 without both positionals";
        for (const option_record& option : table.options) {
            if (!option.argument)
                continue;
            const argument_type& type = *option.argument;
            for (const value_node& v : type.values) {
                const long measure = type.kind == 'C' ? static_cast<long>(v.text.size()) : v.number;
                if (measure < type.min || measure > type.max)
                    return "value out of bounds for " + option.names[english_column] + ": " + v.text;
            }
        }
        return "";
    }
    if (status != -1)
        return "status " + std::to_string(status);
    if (messages.size() != 1)
        return std::to_string(messages.size()) + " messages instead of one";
    const std::string& text = messages.front();
    const std::string head = "Kelvane Command analysis : ";
    if (text.compare(0, head.size(), head) != 0)
        return "first line without the head: " + text.substr(0, 80);
    bool known = false;
    for (std::string_view word : error_words)
        known = known || std::string_view(text).substr(head.size()).starts_with(std::string(word) + " ");
    if (!known)
        return "unknown error word: " + text.substr(0, 120);
    const std::string tail = usage_text(table) + "\n";
    if (text.size() < tail.size() || text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
        return "message does not end with the usage text";
    return "";
}

// Runs the step on the bytes; "" when every outcome is well formed. Counts
// the commands accepted (status 0) into *accepted when given.
inline std::string analyse(std::string_view bytes, const std::string& option_file, int* accepted = nullptr)
{
    std::ofstream(option_file, std::ios::binary) << bytes;
    std::vector<std::string> words = {"morvastart", ""};
    for (char c : bytes)
        if (c == '\0')
            words.emplace_back();
        else
            words.back() += c;
    const std::vector<std::string> through_file = {"morvastart", "@" + option_file, "-OPTION=" + option_file};
    const std::vector<std::string>* commands[] = {&words, &through_file};
    for (const std::vector<std::string>* args : commands) {
        std::vector<const char*> argv;
        for (const std::string& a : *args)
            argv.push_back(a.c_str());
        command_table table = make_morvastart_table();
        std::vector<std::string> messages;
        table.write_error = [&](std::string_view text) { messages.emplace_back(text); };
        std::vector<std::string> working;
        int status = expand_arguments(table, static_cast<int>(argv.size()), argv.data(), working);
        if (status == 0)
            status = analyse_command(table, working);
        if (accepted && status == 0)
            ++*accepted;
        if (std::string problem = check_outcome(table, status, messages); !problem.empty())
            return problem;
    }
    return "";
}

} // namespace command_line_fuzz
