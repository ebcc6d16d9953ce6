// The boxed comment header of a script: eleven lines, three of them carrying
// the literal markers "%c" (command image), "%f" (file list) and "%d" (date)
// by which the tools that read scripts find those fields.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

struct header_fields {
    std::string_view command_image;
    std::string_view generated_file;  // completed
    std::string_view tested_file;     // completed
    std::vector<std::string_view> integrated_files;
    bool insert = false;
    std::string_view date;
};

// The eleven lines, each written with write_line (errors name generated_file).
void write_header(std::FILE* stream, const header_fields& fields);

// The "%f" line: the tested file unless insert, then the integrated files,
// each in double quotes followed by a blank.
std::string file_list_line(const header_fields& fields);
