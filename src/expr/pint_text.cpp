// pint images and int_from_text.
//
// The hexadecimal and binary forms walk the bytes from the most significant
// shown one down to byte 1 (byte 0 comes first when shown, being the top).
// With width 0 the leading bytes that merely repeat the sign are left out,
// down to the shortest two's-complement form: 255 shows as 00FF, -1 as FF,
// -256 as FF00. The decimal form divides the magnitude by 100 repeatedly
// (the magnitude of the most negative value reads correctly as unsigned).
#include "expr/pint_text.h"
#include "expr/text_writer.h"

#include <algorithm>
#include <cstdlib>

#include "diag/report.h"

namespace {

using pint_writer = text_writer<pint_image_capacity>;

constexpr char hex_digits[] = "0123456789ABCDEF";

// Record indices from the most significant byte down: 0, 20, 19, ..., 1.
constexpr int index_from_top(int position) { return position == 0 ? 0 : pint_bytes - position; }

// The first position (from the top) shown for a width.
int first_shown(const pint& a, int width)
{
    if (width > 0) {
        int shown = (width + 7) / 8;
        return pint_bytes - shown;
    }
    std::uint8_t fill = pint_is_negative(a) ? 0xFF : 0x00;
    int position = 0;
    while (position < pint_bytes - 1 && a.byte[index_from_top(position)] == fill
           && (a.byte[index_from_top(position + 1)] & 0x80) == (fill & 0x80))
        ++position;
    return position;
}

void write_hex(pint_writer& out, const pint& a, int first)
{
    for (int position = first; position < pint_bytes; ++position) {
        std::uint8_t b = a.byte[index_from_top(position)];
        out.put(hex_digits[b >> 4]);
        out.put(hex_digits[b & 15]);
    }
}

void write_binary(pint_writer& out, const pint& a, int first)
{
    for (int position = first; position < pint_bytes; ++position) {
        std::uint8_t b = a.byte[index_from_top(position)];
        for (int bit = 7; bit >= 0; --bit)
            out.put((b >> bit) & 1 ? '1' : '0');
    }
}

void write_decimal(pint_writer& out, const pint& a)
{
    if (pint_is_zero(a)) {
        out.put('0');
        return;
    }
    pint m;
    if (pint_is_negative(a)) {
        out.put('-');
        pint_negate(m, a);
    } else {
        m = a;
    }
    // Two digits per division: the same digits as dividing by 10, in half
    // the steps. A leading 0 of the last pair is dropped below.
    char digits[3 * pint_bytes];
    int count = 0;
    while (!pint_is_zero(m)) {
        int pair;
        div_euclid_pint(m, m, 100, pair);
        digits[count++] = static_cast<char>('0' + pair % 10);
        digits[count++] = static_cast<char>('0' + pair / 10);
    }
    if (digits[count - 1] == '0')
        --count;
    while (count > 0)
        out.put(digits[--count]);
}

} // namespace

std::string_view pint_image(const pint& a, int form, int width, pint_image_buffer& text)
{
    pint_writer out(text);
    bool hex = form == form_hex || form == form_hex_0x;
    bool binary = form == form_binary || form == form_binary_0b;
    if (!hex && !binary) {
        if (form == form_decimal || form == form_decimal_3 || form == form_decimal_6) {
            write_decimal(out, a);
            return out.finish();
        }
        report_internal("TRFSTRINT", "gfmath pint_image");
    }
    long long bits = std::llabs(static_cast<long long>(width));
    if (bits > pint_bits) {
        report_error("OVERFLOW", "");
        return out.finish();
    }
    int first = first_shown(a, static_cast<int>(bits));
    if (form == form_hex_0x)
        out.put("0x");
    if (form == form_binary_0b)
        out.put("0b");
    if (hex)
        write_hex(out, a, first);
    else
        write_binary(out, a, first);
    if (form == form_binary)
        out.put('B');
    return out.finish();
}

std::string pint_image_text(const pint& a, int form, int width)
{
    pint_image_buffer text;
    return std::string(pint_image(a, form, width, text));
}

std::int32_t int_from_text(std::string_view text)
{
    // The text is read through a buffer of 3000 characters: at most 2999 of
    // them count, up to the first blank.
    constexpr std::size_t buffer_limit = 3000 - 1;
    text = text.substr(0, std::min(text.size(), buffer_limit));
    std::size_t blank = text.find_first_of(" \t");
    if (blank != std::string_view::npos)
        text = text.substr(0, blank);
    std::uint32_t value = 0;
    if (!text.empty() && (text.back() == 'h' || text.back() == 'H')) {
        for (char c : text.substr(0, text.size() - 1)) {
            unsigned digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else
                break;
            value = value * 16 + digit;
        }
    } else {
        for (char c : text) {
            if (c < '0' || c > '9')
                break;
            value = value * 10 + unsigned(c - '0');
        }
    }
    return static_cast<std::int32_t>(value);
}
