// The cost of the symbol table: 100,000 file-scope variables are declared in
// a scope_table (symbol and entry made in its store, then declare with the
// redeclaration rules) and each is then found again with find_symbol. The
// same names go into a plain std::unordered_map<std::string, symbol*> and are
// found again, as the baseline. A third measure finds a hundredth of the
// names by scanning their bucket list, as a table without its index would
// (once: it is slow enough to be stable).
//
// Each measure is run several times on fresh tables and the fastest run is
// kept; a checksum of what was found is printed so no work can be dropped.
#include <chrono>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "analyser/scope_table.h"

namespace {

constexpr int symbol_count = 100000;
constexpr int runs = 5;

using bench_clock = std::chrono::steady_clock;

double seconds_since(bench_clock::time_point start)
{
    return std::chrono::duration<double>(bench_clock::now() - start).count();
}

std::vector<std::string> make_names()
{
    std::vector<std::string> names;
    names.reserve(symbol_count);
    for (int i = 0; i < symbol_count; ++i)
        names.push_back("symbol_" + std::to_string(i * 7919 % 1000003));
    return names;
}

std::uint64_t checksum = 0;

struct timing {
    double declare = 1e9;
    double find = 1e9;
};

void silent(int, const char*, const report_argument&, std::string_view, int) {}

timing time_table(const std::vector<std::string>& names, double& scan)
{
    timing best;
    for (int run = 0; run < runs; ++run) {
        scope_table table;
        analyser_session session;
        table.session = &session;
        table.store.report = silent;
        type_node* int_type = create_specifier_type(table.store, "int", file_scope, nullptr);

        auto start = bench_clock::now();
        for (const std::string& name : names) {
            symbol* s = make_symbol(table.store, name, int_type, file_scope, nullptr, 0, "bench.c", nullptr);
            declare(make_entry(table, s), table, "bench.c", 1, false);
        }
        best.declare = std::min(best.declare, seconds_since(start));

        start = bench_clock::now();
        for (const std::string& name : names)
            checksum += find_symbol(name, table, {})->defined_seq;
        best.find = std::min(best.find, seconds_since(start));

        if (run > 0)
            continue;
        start = bench_clock::now();
        for (std::size_t i = 0; i < names.size(); i += 100) {
            const std::string& name = names[i];
            for (symbol_entry* e = table.symbols[name_bucket(name)].head; e; e = e->next)
                if (e->sym->name == name) {
                    checksum += e->defined_seq;
                    break;
                }
        }
        scan = seconds_since(start) * 100;
    }
    return best;
}

timing time_baseline(const std::vector<std::string>& names)
{
    timing best;
    for (int run = 0; run < runs; ++run) {
        std::unordered_map<std::string, symbol*> map;
        std::vector<symbol> symbols(names.size());
        auto start = bench_clock::now();
        for (std::size_t i = 0; i < names.size(); ++i) {
            symbols[i].name = names[i];
            map.emplace(names[i], &symbols[i]);
        }
        best.declare = std::min(best.declare, seconds_since(start));

        start = bench_clock::now();
        for (const std::string& name : names)
            checksum += map.find(name)->second->name.size();
        best.find = std::min(best.find, seconds_since(start));
    }
    return best;
}

} // namespace

int main()
{
    std::vector<std::string> names = make_names();
    double scan = 1e9;
    timing table = time_table(names, scan);
    timing baseline = time_baseline(names);
    std::printf("%d symbols, best of %d runs\n", symbol_count, runs);
    std::printf("  declare: scope_table %8.2f ms, unordered_map %8.2f ms, ratio %.1f\n", table.declare * 1e3,
                baseline.declare * 1e3, table.declare / baseline.declare);
    std::printf("  find:    scope_table %8.2f ms, unordered_map %8.2f ms, ratio %.1f\n", table.find * 1e3,
                baseline.find * 1e3, table.find / baseline.find);
    std::printf("  find by bucket scan (no index, projected from a hundredth): %8.2f ms, %.0f times find_symbol\n",
                scan * 1e3, scan / table.find);
    std::printf("checksum %llu\n", static_cast<unsigned long long>(checksum));
    return 0;
}
