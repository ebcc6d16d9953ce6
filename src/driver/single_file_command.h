// The command lines of the commands that run one stage of morvastart on one
// file (morvacpp, morvadecl): one positional file and the preprocessor's
// options -INCL, -DEFINE and -STD_DEFINE, read into the option values as
// morvastart reads them, so that each command sees the file as the
// generator does.
#pragma once

#include <string>

#include "driver/command_analyser.h"
#include "driver/option_values.h"

// The command table of the named command; with_prepro_only adds -PREPRO_ONLY.
command_table make_single_file_table(const std::string& command_name, bool with_prepro_only);

// Expands and analyses the command line against the table; a wrong command
// ends the run with CMDFATALE after the analyser's message.
void analyse_single_file_command(command_table& command, int argc, char** argv);

// Reads -INCL, -DEFINE and -STD_DEFINE (by default the file under ZRLTGT)
// into values and returns the file argument, or null.
const value_node* read_single_file_options(command_table& command, option_values& values);
