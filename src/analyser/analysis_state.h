// What a nested analysis of a template instance must find untouched when it
// returns: the scope stack, the discard lists, the bindings of the instance
// that encloses it and the reporting callback of the store.
//
// push_analysis_state moves them out of the table (the frames' deque keeps
// its elements in place when moved, so the frames' outer links stay valid)
// and leaves the table with no frame and no binding; pop_analysis_state puts
// them back. Parser and lexer state need no saving: each analysis has its
// own parser and lexer objects. The guard pairs push and pop on every path.
#pragma once

#include <array>
#include <deque>
#include <vector>

#include "analyser/scope_table.h"

struct analysis_state {
    std::deque<scope_frame> frames;
    std::array<std::vector<type_node*>, 4> discards;
    template_bindings bindings;
    report_callback store_report = nullptr;
};

analysis_state push_analysis_state(scope_table& table);
void pop_analysis_state(scope_table& table, analysis_state& state);

class analysis_state_guard {
public:
    explicit analysis_state_guard(scope_table& table) : table_(table), saved_(push_analysis_state(table)) {}
    ~analysis_state_guard() { pop_analysis_state(table_, saved_); }
    analysis_state_guard(const analysis_state_guard&) = delete;
    analysis_state_guard& operator=(const analysis_state_guard&) = delete;

private:
    scope_table& table_;
    analysis_state saved_;
};
