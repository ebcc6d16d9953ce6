// Appending to a fixed caller-owned character array without ever passing
// its end: images of numbers are written this way so that no operation
// allocates. Characters beyond the capacity (less the terminator) are dropped.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

template <std::size_t N>
class text_writer {
public:
    explicit text_writer(std::array<char, N>& text) : text_(text) {}
    void put(char c)
    {
        if (length_ + 1 < N)
            text_[length_++] = c;
    }
    void put(std::string_view s)
    {
        for (char c : s)
            put(c);
    }
    void put_int(std::int32_t i)
    {
        std::int64_t v = i;
        if (v < 0) {
            put('-');
            v = -v;
        }
        char digits[12];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        while (count > 0)
            put(digits[--count]);
    }
    // Terminates the text and returns it.
    std::string_view finish()
    {
        text_[length_] = '\0';
        return std::string_view(text_.data(), length_);
    }

private:
    std::array<char, N>& text_;
    std::size_t length_ = 0;
};
