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
    symbol_entry* next = nullptr;
    symbol_entry* previous = nullptr;
    // The next declarator of the same declaration (declare walks the chain).
    symbol_entry* next_declarator = nullptr;
};
