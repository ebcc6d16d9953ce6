// The macros that the include directive scan knows: name, replacement text
// and a busy mark that stops a macro from being evaluated inside itself.
// A lookup finds the newest entry of a name; an undefined name stays in the
// list but can no longer be matched, so indices held during an evaluation
// stay valid.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct scan_macro {
    std::string name;
    std::string text;
    bool busy = false;
};

class scan_macro_list {
public:
    // The newest matchable entry of that name, or -1.
    int find(std::string_view name) const;
    // Appends an entry and returns its index.
    int add(std::string_view name, std::string_view text);
    // Makes every entry of that name unmatchable.
    void remove(std::string_view name);
    scan_macro& operator[](int index) { return entries_[static_cast<std::size_t>(index)]; }
    void clear();

private:
    std::vector<scan_macro> entries_;              // oldest first
    std::unordered_map<std::string, int> newest_;  // matchable names only
};
