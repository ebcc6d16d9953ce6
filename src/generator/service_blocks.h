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
struct type_node;

// The service names written so far in this run.
struct service_names {
    std::set<std::string> names;
};

// Makes name unique among names (name, name_2, name_3...), records it and
// writes the service heading. name is updated in place.
void unique_service_name(generation& run, service_names& names, std::string& name);

// What a member function's block adds to a function's: how the function
// is called and on which object.
struct member_role {
    enum kind_t { ordinary, constructor, destructor, namespace_member } kind = ordinary;
    std::string class_text;     // the class qualified with "::" (ordinary members)
    std::string instance_name;  // the object under test (ordinary members)
    std::string namespace_name; // namespace members
    const type_node* owner = nullptr;
};

// The block of one function of the tested file; member, when given, makes
// it the block of a member function.
void write_service(generation& run, service_names& names, const symbol* function,
                   const member_role* member = nullptr);

// The services of the tested file analysed in context: its functions in
// bucket order, then (with the classes) the member functions of its types.
void write_tested_services(generation& run, std::string_view tested_file, analysis_context& context);
