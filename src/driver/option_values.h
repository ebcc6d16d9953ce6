// The option values of one run, filled once by the option handling and read
// by the generator and the preprocessor. Text fields hold at most 1,023 bytes.
#pragma once

#include <string>
#include <vector>

// One entry of a file list: a shared text (unique_string) and the mark the
// generator sets on entries it has handled.
struct file_entry {
    const char* text;
    int mark;
};
using file_list = std::vector<file_entry>;

struct option_values {
    std::string tested_file;
    std::string generated_file;
    file_list integrated_files;
    file_list simulated_files;
    file_list used_files;
    file_list include_dirs;
    file_list defined_macros;
    int insert_flag = 0;
    int prepro_only_flag = 0;
    std::string std_define_file;
    std::string symbtab_file;
    std::string adalink_file;
    std::string ada_standard_file;
    std::string class_name = "MORVA";
    int class_given = 0;
    std::string vestra_log_name;
    int restriction_kr = 0;
    int restriction_ansi = 1;
    std::string command_image;
};

// The run's option values (one per process).
option_values& options();

// 0 French without accents, 1 French with accents, 2 English (default).
extern int script_language;

// The command image is built in a buffer of this size.
inline constexpr std::size_t command_image_limit = 204800;
