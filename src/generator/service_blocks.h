// The SERVICE blocks of the tested file: one per function defined there,
// each with its parameter and return declarations, its environment and a
// first test calling the function.
#pragma once

#include <set>
#include <string>
#include <string_view>

struct generation;
struct analysis_context;
struct symbol;

// The service names written so far in this run.
struct service_names {
    std::set<std::string> names;
};

// Makes name unique among names (name, name_2, name_3...), records it and
// writes the service heading. name is updated in place.
void unique_service_name(generation& run, service_names& names, std::string& name);

// The block of one function of the tested file.
void write_service(generation& run, service_names& names, const symbol* function);

// The services of the tested file analysed in context: its functions in
// bucket order, then (with the classes) the member functions of its types.
void write_tested_services(generation& run, std::string_view tested_file, analysis_context& context);
