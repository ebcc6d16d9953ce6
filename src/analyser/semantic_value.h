// The value a token or a reduced construct carries on the parser's stack.
//
// Five plain words, so that the parser can copy cells freely: a text (owned
// by the analysis's text_arena, never by the cell), a type, an entity (the
// symbol, table entry, owner or list the construct stands for) and a small
// integer. Texts grow in place in the arena, so an expression of a million
// operators is built in linear time rather than copied at every reduction.
#pragma once

#include <deque>
#include <string>
#include <string_view>

struct type_node;

// Every text of one analysis; released all at once when the analysis ends.
class text_arena {
public:
    std::string* make(std::string_view text)
    {
        texts_.emplace_back(text);
        return &texts_.back();
    }
    std::size_t size() const { return texts_.size(); }

private:
    std::deque<std::string> texts_;
};

struct semantic_value {
    std::string* text = nullptr;
    type_node* type = nullptr;
    void* entity = nullptr;
    void* extra = nullptr; // a second entity: an initialiser beside a declarator
    long number = 0;
};
