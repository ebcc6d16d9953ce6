// The option handling of morvastart: analyses the command line with the
// tool's table, fills options() and builds the command image.
#pragma once

#include <string>
#include <string_view>

#include "driver/command_analyser.h"
#include "driver/option_values.h"

// Runs once after the banner. A wrong command line ends the run with the
// fatal CMDFATALE (status 7) after the analyser's error line and usage.
void handle_options(int argc, char** argv, std::string& command_image);

// The common treatment of a list option: its values (a leading "(" of the
// first and a trailing ")" of each removed, upper-cased on request) go into
// list, all of them (keep_all) or only the existing directories; image
// receives ' -NAME="v1,v2"' with every value, or stays empty when the option
// was not given.
void add_list_option(const command_table& table, std::string_view english_name, file_list& list,
                     std::string& image, bool keep_all, bool upper);

// The image of the analysed command: the English option names and the kept
// values. Every piece is bounded; the result never exceeds
// command_image_limit - 1 characters (longer images are cut).
struct list_images {
    std::string integrate, simulate, use, incl, define, restriction;
};
std::string build_command_image(const option_values& values, const list_images& parts);
