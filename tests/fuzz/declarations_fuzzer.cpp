// libFuzzer target: one input is one preprocessed text given to
// analyse_declarations.
//
// Every input gets a fresh table and session, so nothing leaks from one
// input into the next and a failure replays from its input alone. The text
// is analysed twice into the same table (the second time as a class
// context, which also exercises redeclaration), then its first line is
// tried as a type text. Messages are dropped.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analyser/analyse_declarations.h"

namespace {

void drop_report(int, const char*, const report_argument&, std::string_view, int) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    analyser_session session;
    scope_table table;
    table.session = &session;
    table.store.report = drop_report;
    analyse_declarations(text, table, "", "fuzz.c", 1, drop_report);
    analyse_declarations(text, table, "Fuzz", "fuzz.c", 1, drop_report);
    type_from_text(text.substr(0, text.find('\n')), table, "fuzz.c", 1);
    return 0;
}
