// The name table of one analysis context: macros and special names hashed
// with h = 4h + c over the name (32-bit wrapping). Each entry keeps its hash,
// so a lookup compares names only when the hashes agree. The 16384 buckets
// keep the chains short on inputs with thousands of macros; since the low
// bits of that hash depend only on a name's last characters, the bucket is
// taken from the high bits of the hash times a large odd constant. Each
// bucket is a doubly linked chain so that an entry is unlinked in constant
// time; entries are owned by the table.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct macro_definition;

// Entry kinds.
enum name_kind {
    name_line = 10,
    name_date = 11,
    name_file = 12,
    name_base_file = 13,
    name_include_level = 14,
    name_time = 16,
    name_stdc = 17,
    name_macro = 18,
    name_macro_disabled = 19, // a macro whose expansion is being read
    name_defined = 20,        // the `defined' operator, only while an #if operand is expanded
};

struct name_entry {
    name_entry* next = nullptr;
    name_entry* previous = nullptr;
    name_entry** bucket = nullptr;
    int kind = 0;
    std::uint32_t hash = 0;
    std::string name;
    int value = 0;                            // special names
    std::unique_ptr<macro_definition> macro; // kinds 18 and 19
    name_entry();
    ~name_entry();
};

class name_table {
public:
    static constexpr int bucket_bits = 14;
    static constexpr int bucket_count = 1 << bucket_bits;

    name_table();
    ~name_table();
    name_table(const name_table&) = delete;
    name_table& operator=(const name_table&) = delete;

    static std::uint32_t hash(std::string_view name);
    static int bucket_of(std::uint32_t hash) { return int((hash * 0x9E3779B1u) >> (32 - bucket_bits)); }

    // The first entry of that name, or null.
    name_entry* find(std::string_view name) const { return find(name, hash(name)); }
    name_entry* find(std::string_view name, std::uint32_t hash) const;

    // A new entry at the head of its bucket.
    name_entry* add(std::string_view name, int kind);
    void remove(name_entry* entry);

    // Calls visit(entry) for every entry; visit may remove the entry it is given.
    template <class Visit>
    void for_each(Visit visit)
    {
        for (name_entry*& head : buckets_)
            for (name_entry* e = head; e;) {
                name_entry* next = e->next;
                visit(e);
                e = next;
            }
    }

    std::size_t size() const { return size_; }

private:
    std::array<name_entry*, bucket_count> buckets_{};
    std::size_t size_ = 0;
};
