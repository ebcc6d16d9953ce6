// The SERVICE blocks of the member functions of the tested file's classes,
// structures, unions and namespaces.
#pragma once

#include <string_view>

struct generation;
struct analysis_context;
struct service_names;
struct type_node;

// The blocks of the member functions of type (a TK_STRUCT or TK_UNION),
// nested classes included. declared_in_tested_file tells whether the type's
// declaration is in the tested file, which makes every defined member of a
// template instance count as tested.
void write_member_services(generation& run, service_names& names, analysis_context& context,
                           std::string_view tested_file, type_node* type, bool declared_in_tested_file);
