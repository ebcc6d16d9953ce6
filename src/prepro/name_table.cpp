// The name table; see name_table.h.
#include "prepro/name_table.h"

#include "prepro/macro_definition.h"

name_entry::name_entry() = default;
name_entry::~name_entry() = default;

name_table::name_table() = default;

name_table::~name_table()
{
    for (name_entry*& head : buckets_)
        while (head) {
            name_entry* e = head;
            head = e->next;
            delete e;
        }
}

std::uint32_t name_table::hash(std::string_view name)
{
    std::uint32_t h = 0;
    for (unsigned char c : name)
        h = 4 * h + c;
    return h;
}

name_entry* name_table::find(std::string_view name, std::uint32_t hash) const
{
    for (name_entry* e = buckets_[bucket_of(hash)]; e; e = e->next)
        if (e->hash == hash && e->name == name)
            return e;
    return nullptr;
}

name_entry* name_table::add(std::string_view name, int kind)
{
    const std::uint32_t h = hash(name);
    name_entry*& head = buckets_[bucket_of(h)];
    auto* e = new name_entry;
    e->hash = h;
    e->name = std::string(name);
    e->kind = kind;
    e->bucket = &head;
    e->next = head;
    if (head)
        head->previous = e;
    head = e;
    ++size_;
    return e;
}

void name_table::remove(name_entry* entry)
{
    if (entry->previous)
        entry->previous->next = entry->next;
    else
        *entry->bucket = entry->next;
    if (entry->next)
        entry->next->previous = entry->previous;
    --size_;
    delete entry;
}
