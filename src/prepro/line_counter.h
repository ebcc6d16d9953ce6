// A line number that stays within 0..largest: counting past the largest
// line stays there instead of overflowing, so __LINE__, the line markers
// and message positions never turn negative. It converts to int wherever a
// plain line number is read.
#pragma once

#include <climits>

class line_counter {
public:
    static constexpr int largest = INT_MAX;

    constexpr line_counter() = default;
    constexpr explicit line_counter(int value) : value_(clamped(value)) {}
    constexpr line_counter& operator=(int value)
    {
        value_ = clamped(value);
        return *this;
    }
    constexpr operator int() const { return value_; }

    constexpr line_counter& operator++() { return *this += 1; }
    constexpr line_counter& operator+=(int count)
    {
        value_ = clamped(static_cast<long long>(value_) + count);
        return *this;
    }
    constexpr line_counter& operator-=(int count)
    {
        value_ = clamped(static_cast<long long>(value_) - count);
        return *this;
    }

private:
    static constexpr int clamped(long long value)
    {
        return value < 0 ? 0 : value > largest ? largest : static_cast<int>(value);
    }
    int value_ = 0;
};
