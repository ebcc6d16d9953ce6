// A symbol_entry places one symbol in a bucket of a scope_table. The bucket
// is an intrusive list in insertion order (next/previous), which keeps the
// walk order and lets an entry be unlinked in constant time.
#pragma once

#include <cstdint>

struct symbol;

struct symbol_entry {
    symbol* sym = nullptr;
    std::uint64_t declared_seq = 0;  // counter when entered as a declaration
    std::uint64_t defined_seq = 0;   // counter when entered or completed as a definition
    std::uint64_t order = 0;         // rank of its entry into the table's indexes
    symbol_entry* next = nullptr;
    symbol_entry* previous = nullptr;
    // The next declarator of the same declaration (declare walks the chain).
    symbol_entry* next_declarator = nullptr;
    // Where the table keeps the entry (bucket -1 while not in a table).
    std::int16_t bucket = -1;
    std::uint8_t list = 0;  // 0 symbols, 1 tags, 2 enumerators
};
