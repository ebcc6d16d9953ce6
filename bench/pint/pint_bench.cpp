// The price of exact arithmetic: add, multiply, divide and the decimal and
// hexadecimal images of pint, each timed over the same seeded operands as
// the corresponding __int128 work, and printed as a ratio.
//
// Each measurement runs a pass over 4096 operand pairs several times and
// keeps the fastest pass, which filters out the noise of a shared machine.
// Results are folded into a checksum that is printed, so the compiler can
// drop none of the work.
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "expr/pint.h"
#include "expr/pint_text.h"

namespace {

__extension__ typedef __int128 i128;
__extension__ typedef unsigned __int128 u128;

constexpr int pairs = 4096;
constexpr int passes = 40;

pint from_i128(i128 v)
{
    pint p;
    for (int k = 0; k < 21; ++k)
        p.byte[k == 20 ? 0 : k + 1] = k < 16 ? std::uint8_t(u128(v) >> (8 * k)) : (v < 0 ? 0xFF : 0x00);
    return p;
}

struct operand_set {
    std::vector<i128> a, b;
    std::vector<pint> pa, pb;
};

// a of a_bits and b of b_bits magnitude bits, random signs, b never 0.
operand_set make_operands(std::mt19937_64& random, int a_bits, int b_bits)
{
    auto value = [&](int bits) {
        u128 u = (u128(random()) << 64) | random();
        u &= (u128(1) << bits) - 1;
        i128 v = i128(u | 1);
        return random() & 1 ? -v : v;
    };
    operand_set s;
    for (int i = 0; i < pairs; ++i) {
        s.a.push_back(value(a_bits));
        s.b.push_back(value(b_bits));
        s.pa.push_back(from_i128(s.a.back()));
        s.pb.push_back(from_i128(s.b.back()));
    }
    return s;
}

std::uint64_t checksum = 0;

void fold(const pint& p) { checksum = checksum * 31 + p.byte[1] + p.byte[0]; }
void fold(i128 v) { checksum = checksum * 31 + std::uint64_t(v) + std::uint64_t(u128(v) >> 120); }

// Nanoseconds per pair of the fastest pass.
template <class Body>
double time_per_pair(Body body)
{
    double best = 1e300;
    for (int pass = 0; pass < passes; ++pass) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < pairs; ++i)
            body(i);
        std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / pairs);
    }
    return best;
}

std::size_t i128_decimal(i128 v, char* text)
{
    char digits[48];
    int count = 0;
    bool negative = v < 0;
    u128 u = negative ? u128(0) - u128(v) : u128(v);
    do {
        digits[count++] = char('0' + int(u % 10));
        u /= 10;
    } while (u != 0);
    std::size_t n = 0;
    if (negative)
        text[n++] = '-';
    while (count > 0)
        text[n++] = digits[--count];
    text[n] = '\0';
    return n;
}

std::size_t i128_hex(i128 v, char* text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::size_t n = 0;
    for (int k = 15; k >= 0; --k) {
        unsigned byte = unsigned(u128(v) >> (8 * k)) & 0xFF;
        text[n++] = hex[byte >> 4];
        text[n++] = hex[byte & 15];
    }
    text[n] = '\0';
    return n;
}

void report(const char* name, double pint_ns, double i128_ns)
{
    std::printf("%-16s %10.1f %12.1f %9.1f\n", name, pint_ns, i128_ns, pint_ns / i128_ns);
}

} // namespace

int main()
{
    std::mt19937_64 random(20240611);
    operand_set sums = make_operands(random, 120, 120);
    operand_set products = make_operands(random, 60, 60);
    operand_set quotients = make_operands(random, 126, 64);

    std::printf("%-16s %10s %12s %9s\n", "operation", "pint ns", "__int128 ns", "ratio");
    pint r, rem;
    pint_image_buffer text;
    char plain[64];

    report("add",
           time_per_pair([&](int i) { pint_add(r, sums.pa[i], sums.pb[i]); fold(r); }),
           time_per_pair([&](int i) { fold(sums.a[i] + sums.b[i]); }));
    report("multiply",
           time_per_pair([&](int i) { pint_mul(r, products.pa[i], products.pb[i]); fold(r); }),
           time_per_pair([&](int i) { fold(products.a[i] * products.b[i]); }));
    report("divide",
           time_per_pair([&](int i) { pint_divide(r, quotients.pa[i], quotients.pb[i], rem); fold(r); fold(rem); }),
           time_per_pair([&](int i) { fold(quotients.a[i] / quotients.b[i]); fold(quotients.a[i] % quotients.b[i]); }));
    report("image decimal",
           time_per_pair([&](int i) { checksum += pint_image(sums.pa[i], form_decimal, 128, text).size(); }),
           time_per_pair([&](int i) { checksum += i128_decimal(sums.a[i], plain); }));
    report("image hex 128",
           time_per_pair([&](int i) { checksum += pint_image(sums.pa[i], form_hex, 128, text).size() + text[3]; }),
           time_per_pair([&](int i) { checksum += i128_hex(sums.a[i], plain) + plain[3]; }));
    std::printf("checksum %llx\n", static_cast<unsigned long long>(checksum));
}
