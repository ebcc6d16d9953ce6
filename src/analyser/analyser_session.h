// What the analyser shares across every table of one run: the friend-class
// name (the generator's test class, against which member lists compute their
// befriends_test_class flag) and the counter that names unnamed namespaces.
// One object holds both; tables point at the process's session by default,
// and tests give a table a session of its own.
#pragma once

#include <string>
#include <string_view>

struct analyser_session {
    std::string friend_class_name;
    int unnamed_namespaces = 0;  // how many have been named so far

    // "morva_unnamed_namespace_1", then _2, ...
    std::string next_unnamed_namespace_name();
};

analyser_session& process_session();
