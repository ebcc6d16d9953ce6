// libFuzzer target: one input is one text given to parse_expression.
//
// Each input is parsed twice: without a table (every name an identifier)
// and against a fresh table holding a few declarations, so that casts,
// constructions, qualified names and the type search are reached. The tree
// is then printed, folded and released. Messages are dropped.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analyser/analyse_declarations.h"
#include "expr/constant_value.h"
#include "expr/expression_image.h"
#include "expr/parse_expression.h"

namespace {

void drop_report(int, const char*, const report_argument&, std::string_view, int) {}

void exercise(std::string_view text, scope_table* table)
{
    std::unique_ptr<expression_tree> tree = parse_expression(text, table, "", "fuzz.c", 1, drop_report);
    if (tree && tree->root) {
        std::string image;
        expression_image(tree->root, image);
        constant_value(tree->root, table);
    }
    free_expression(tree);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    exercise(text, nullptr);
    analyser_session session;
    scope_table table;
    table.session = &session;
    table.store.report = drop_report;
    analyse_declarations("typedef int T; struct S { int m; int f(int); } s, *p; enum E { A, B = 4 };"
                         "int a[3]; double d; int g(int); namespace N { int v; }",
                         table, "", "fuzz.c", 1, drop_report);
    exercise(text, &table);
    array_bound_image(text, table, "", "fuzz.c", 1, drop_report);
    return 0;
}
