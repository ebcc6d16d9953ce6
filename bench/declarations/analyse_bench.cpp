// Preprocesses and analyses one file the way the generator does (a one-line
// "#include" text in a fresh context) and prints every message, the number
// of symbols and tags recorded and the time of each phase.
//   analyse_bench FILE [INCLUDE_DIR | -DNAME=VALUE ...]
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "analyser/analyse_declarations.h"
#include "prepro/preprocessor.h"

namespace {

int messages = 0;

void print_report(int kind, const char* code, const report_argument& argument, std::string_view file, int line)
{
    ++messages;
    if (messages <= 50)
        std::fprintf(stderr, "%d %s [%.*s:%d] %s\n", kind, code, static_cast<int>(file.size()), file.data(), line,
                     argument.bytes().c_str());
}

double seconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: analyse_bench FILE [INCLUDE_DIR...]\n");
        return 2;
    }
    std::vector<std::string> dirs, definitions;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.starts_with("-D"))
            definitions.push_back(arg.substr(2));
        else
            dirs.push_back(arg);
    }
    name_table names;
    scope_table table;
    table.store.report = print_report;
    cpp_initialise(true, false, 2, definitions, dirs, names, true, print_report);
    const auto start = std::chrono::steady_clock::now();
    std::string text;
    cpp_preprocess_text(std::string("#include \"") + argv[1] + "\"", false, "", 0, text, names, print_report);
    const double prepro = seconds_since(start);
    const auto middle = std::chrono::steady_clock::now();
    analyse_declarations(text, table, "", argv[1], 1, print_report);
    const double analysis = seconds_since(middle);
    std::size_t symbols = 0, tags = 0;
    walk_symbols(table, [&](symbol_entry&) { ++symbols; });
    walk_tags(table, [&](symbol_entry&) { ++tags; });
    std::printf("bytes %zu symbols %zu tags %zu messages %d preprocess %.3f s analyse %.3f s\n", text.size(),
                symbols, tags, messages, prepro, analysis);
    return 0;
}
