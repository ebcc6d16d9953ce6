// The scan's macro list: see scan_macros.h. An undef removes the name
// itself, not just its newest entry, so a name defined twice (by -DEFINE and
// again in the file) is really gone after one #undef.
#include "generator/scan_macros.h"

int scan_macro_list::find(std::string_view name) const
{
    auto found = newest_.find(std::string(name));
    return found == newest_.end() ? -1 : found->second;
}

int scan_macro_list::add(std::string_view name, std::string_view text)
{
    entries_.push_back({std::string(name), std::string(text)});
    int index = static_cast<int>(entries_.size() - 1);
    newest_[std::string(name)] = index;
    return index;
}

void scan_macro_list::remove(std::string_view name)
{
    newest_.erase(std::string(name));
}

void scan_macro_list::clear()
{
    entries_.clear();
    newest_.clear();
}
