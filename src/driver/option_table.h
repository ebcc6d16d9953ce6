// The option table of morvastart: its options under their French and
// English names, its two positional parameters and its usage texts.
#pragma once

#include "driver/command_analyser.h"

// A fresh table with every run-time field empty (tests build their own).
command_table make_morvastart_table();

// The table the run analyses (one per process).
command_table& morvastart_table();
