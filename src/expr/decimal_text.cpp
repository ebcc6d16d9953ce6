// Reading and printing decimal numbers.
//
// The reader gathers up to 45 significant digits into one pint (10^45 stays
// far below 2^167) and counts the decimal places separately, then converts
// that integer once and moves the exponent: the value is the sum of the
// digits' values, without the rounding of a sum of many small terms, and a
// constant with a hundred digits cannot overflow. Digits beyond the 45th only
// round the last kept one.
//
// The image takes digits off the mantissa one by one (the integer byte is the
// digit; clear it and multiply by 10) until n digits are written or nothing
// is left. A mantissa holds a binary approximation of its decimal digits, a
// little above or below them (0.1205 may be 1.204999...), so a tiny bias is
// added first and "nothing left" means less than twice that bias, scaled
// with the digits taken: 0.1205 then shows as 0.1205 with 4 digits, and an
// 18-digit integer keeps its last digit. When n digits were written the last
// one decides a rounding: 7 to 9 after a 9 carries the run of 9s up, 0 to 3
// after a 0 drops the run of 0s. Other endings are printed as they are.
#include "expr/decimal_text.h"
#include "expr/text_writer.h"

#include <climits>
#include <cstdint>

namespace {

constexpr int kept_digits = 45;
constexpr std::int64_t exponent_limit = 1000000000; // far beyond any mantissa, far below overflow

// 2^-96 of the mantissa's unit: far above the error of any computed
// mantissa, far below the 19th digit.
pint representation_bias()
{
    pint bias = pint_zero;
    bias.byte[9] = 1; // bit 64 of the 160 fraction bits
    return bias;
}

void divide_by_10(pint& m)
{
    int dropped;
    div_euclid_pint(m, m, 10, dropped);
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::int32_t saturated(std::int64_t e)
{
    return static_cast<std::int32_t>(e > INT32_MAX ? INT32_MAX : e < INT32_MIN ? INT32_MIN : e);
}

struct digit_gatherer {
    pint value = pint_zero;
    int significant = 0;
    std::int64_t scale = 0; // the value is value * 10^scale
    bool dropped_any = false;

    void add(int digit, bool after_period)
    {
        if (significant == 0 && digit == 0) { // a leading zero
            if (after_period)
                --scale;
            return;
        }
        if (significant < kept_digits) {
            pint_mul_small(value, value, 10);
            pint_add_small(value, value, digit);
            ++significant;
            if (after_period)
                --scale;
            return;
        }
        if (!dropped_any && digit >= 5)
            pint_add_small(value, value, 1);
        dropped_any = true;
        if (!after_period)
            ++scale;
    }
};

} // namespace

std::size_t decimal_from_text(decimal_number& r, std::string_view text)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    digit_gatherer digits;
    bool any_digit = false;
    for (; pos < text.size() && is_digit(text[pos]); ++pos, any_digit = true)
        digits.add(text[pos] - '0', false);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        for (; pos < text.size() && is_digit(text[pos]); ++pos, any_digit = true)
            digits.add(text[pos] - '0', true);
    }
    if (!any_digit) {
        r = decimal_number{};
        return 0;
    }
    std::int64_t exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t e = pos + 1;
        bool negative_exponent = false;
        if (e < text.size() && (text[e] == '-' || text[e] == '+'))
            negative_exponent = text[e++] == '-';
        if (e < text.size() && is_digit(text[e])) {
            for (; e < text.size() && is_digit(text[e]); ++e)
                if (exponent < exponent_limit)
                    exponent = exponent * 10 + (text[e] - '0');
            if (negative_exponent)
                exponent = -exponent;
            pos = e;
        }
    }
    decimal_number d;
    decimal_from_pint(d, digits.value);
    if (!decimal_is_zero(d)) {
        d.exponent = saturated(d.exponent + digits.scale + exponent);
        d.sign = negative;
    }
    r = d;
    return pos;
}

std::string_view decimal_image(const decimal_number& d, int digits, decimal_image_buffer& text)
{
    text_writer<decimal_image_capacity> out(text);
    decimal_number x = d;
    decimal_normalise(x);
    if (decimal_is_zero(x)) {
        out.put("0.0");
        return out.finish();
    }
    int n = digits >= 1 && digits <= decimal_image_digits ? digits : decimal_image_digits;
    int shown[decimal_image_digits];
    int count = 0;
    std::int64_t exponent = x.exponent;
    pint m = x.mantissa, slack = pint_zero;
    pint_add(m, m, representation_bias());
    if (m.byte[0] > 9) { // the bias reached the next power of 10
        divide_by_10(m);
        ++exponent;
    }
    pint_add(slack, representation_bias(), representation_bias());
    while (count < n) {
        shown[count++] = m.byte[0];
        m.byte[0] = 0;
        if (pint_compare(m, slack) < 0) // only the representation error is left
            break;
        pint_mul_small(m, m, 10);
        pint_mul_small(slack, slack, 10);
    }
    if (count == n && n >= 2) {
        int last = shown[n - 1], before = shown[n - 2];
        if (last >= 7 && before == 9) {
            count = n - 1;
            while (count > 0 && shown[count - 1] == 9)
                --count;
            if (count == 0) { // carried into the period
                shown[count++] = 1;
                ++exponent;
            } else {
                ++shown[count - 1];
            }
        } else if (last <= 3 && before == 0) {
            count = n - 1;
            while (count > 1 && shown[count - 1] == 0)
                --count;
        }
    }
    out.put(x.sign ? "-0." : "0.");
    for (int k = 0; k < count; ++k)
        out.put(static_cast<char>('0' + shown[k]));
    if (exponent != 0) {
        out.put('E');
        out.put_int(saturated(exponent));
    }
    return out.finish();
}

std::string decimal_image_text(const decimal_number& d, int digits)
{
    decimal_image_buffer text;
    return std::string(decimal_image(d, digits, text));
}
