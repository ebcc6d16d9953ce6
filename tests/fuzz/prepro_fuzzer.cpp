// libFuzzer target: one input is one text given to cpp_preprocess_text.
//
// Every input gets a fresh preprocessor and name table, so nothing (macros,
// the pragma map, a stop_analyse, open conditionals) leaks from one input
// into the next and any failure replays from its input alone. The include
// list holds the small headers of tests/fuzz/include (a guarded one, a
// self-including one, one left open), so that #include paths are reached.
// Messages are dropped; a fatal report returns to the preprocessor, which
// unwinds, instead of ending the process.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "prepro/preprocessor_state.h"

namespace {

void drop_report(int, const char*, const report_argument&, std::string_view, int) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    name_table table;
    preprocessor prepro;
    prepro.initialise(true, false, 2, {"FUZZ_DEFINED", "FUZZ_VALUE=3"}, {MORVA_FUZZ_INCLUDE}, table, true,
                      drop_report);
    std::string result;
    prepro.preprocess_text(text, false, "", 0, result, table, drop_report);
    prepro.preprocess_text("#define AFTER 1\nAFTER\n", false, "", 0, result, table, drop_report);
    prepro.finish(table, true);
    return 0;
}
