// The unique-string table: one shared, never-moving copy of every distinct
// text, so that identifiers and file names can be compared by address.
//
// Texts live in bump-allocated chunks (the first 100,000 bytes); a text that
// does not fit in the current chunk opens a new one, and a text at least as
// large as the chunk size first raises the chunk size by its own size. Chunks
// are never released, so every returned pointer stays valid until exit.
#pragma once

#include <cstddef>
#include <string_view>

void unique_string_init();

// nullptr for an empty text; otherwise the shared copy.
const char* unique_string(std::string_view text);

// For tests and statistics.
struct unique_string_stats {
    std::size_t entries;
    std::size_t capacity;
    std::size_t chunks;
    std::size_t chunk_size;
};
unique_string_stats unique_string_statistics();
unsigned unique_string_bucket(std::string_view text);
