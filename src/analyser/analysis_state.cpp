// push_analysis_state and pop_analysis_state (see analysis_state.h).
#include "analyser/analysis_state.h"

#include <utility>

analysis_state push_analysis_state(scope_table& table)
{
    analysis_state state;
    state.frames = std::move(table.frames);
    table.frames.clear();
    state.discards = std::move(table.store.discards);
    for (auto& list : table.store.discards)
        list.clear();
    state.bindings = std::move(table.bindings);
    table.bindings = template_bindings{};
    state.store_report = table.store.report;
    return state;
}

void pop_analysis_state(scope_table& table, analysis_state& state)
{
    table.frames = std::move(state.frames);
    // What the nested analysis discarded stays discarded: the lists only
    // grow, so the outer lists come back with the nested ones after them.
    for (std::size_t i = 0; i < table.store.discards.size(); ++i) {
        std::vector<type_node*> nested = std::move(table.store.discards[i]);
        table.store.discards[i] = std::move(state.discards[i]);
        table.store.discards[i].insert(table.store.discards[i].end(), nested.begin(), nested.end());
    }
    table.bindings = std::move(state.bindings);
    table.store.report = state.store_report;
}
