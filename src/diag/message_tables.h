// The four static registration tables of the message catalogue.
#pragma once

#include <cstddef>

struct message_entry {
    const char* code;
    const char* heading; // translation context; nullptr: registered untranslated
    const char* text;    // English source text
    const char* comment; // translator comment, or nullptr
};

namespace message_tables {
extern const message_entry squelet[];
extern const std::size_t squelet_count;
extern const message_entry modbas[];
extern const std::size_t modbas_count;
extern const message_entry bibli[];
extern const std::size_t bibli_count;
extern const message_entry anaccpp[];
extern const std::size_t anaccpp_count;
} // namespace message_tables
