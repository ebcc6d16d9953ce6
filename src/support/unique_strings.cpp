// Unique-string table: 19,997 buckets of chains of entry indices over a
// growable entry array (index 0 reserved), texts bump-allocated in chunks.
// The hash mixes each signed byte with a table of the first 256 primes.
#include "support/unique_strings.h"

#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr unsigned bucket_count = 19997;

constexpr std::array<int, 256> first_primes()
{
    std::array<int, 256> primes{};
    int found = 0;
    for (int n = 2; found < 256; ++n) {
        bool prime = true;
        for (int d = 2; d * d <= n; ++d)
            if (n % d == 0) {
                prime = false;
                break;
            }
        if (prime)
            primes[found++] = n;
    }
    return primes;
}

constexpr std::array<int, 256> primes = first_primes();
static_assert(primes[0] == 2 && primes[255] == 1619);

struct entry {
    const char* text;
    std::size_t length;
    unsigned next;
};

struct table {
    std::vector<unsigned> buckets = std::vector<unsigned>(bucket_count, 0);
    std::vector<entry> entries;
    std::size_t capacity = 9999;
    std::vector<std::unique_ptr<char[]>> chunks;
    std::size_t chunk_size = 100000;
    std::size_t fill = 0;

    table()
    {
        entries.reserve(10000);
        entries.push_back({nullptr, 0, 0});
    }

    const char* store(std::string_view text)
    {
        std::size_t size = text.size() + 1;
        if (chunks.empty() || fill + size >= chunk_size) {
            if (size >= chunk_size)
                chunk_size += size;
            chunks.push_back(std::make_unique<char[]>(chunk_size));
            fill = 0;
        }
        char* copy = chunks.back().get() + fill;
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
        fill += size;
        return copy;
    }
};

table& the_table()
{
    static table t;
    return t;
}

int mod256(long h)
{
    long r = h % 256;
    return static_cast<int>(r < 0 ? r + 256 : r);
}

} // namespace

void unique_string_init()
{
    the_table();
}

unsigned unique_string_bucket(std::string_view text)
{
    long h = 128;
    for (char ch : text) {
        long c = static_cast<signed char>(ch);
        long h1 = h + c + primes[mod256(h)];
        h = h1 + primes[mod256(h1)];
    }
    long r = h % bucket_count;
    return static_cast<unsigned>(r < 0 ? r + bucket_count : r);
}

const char* unique_string(std::string_view text)
{
    if (text.empty())
        return nullptr;
    table& t = the_table();
    unsigned bucket = unique_string_bucket(text);
    for (unsigned i = t.buckets[bucket]; i != 0; i = t.entries[i].next) {
        const entry& e = t.entries[i];
        if (e.length == text.size() && std::memcmp(e.text, text.data(), text.size()) == 0)
            return e.text;
    }
    if (t.entries.size() >= t.capacity - 1) {
        t.capacity += 20000;
        t.entries.reserve(t.capacity + 1);
    }
    const char* copy = t.store(text);
    t.entries.push_back({copy, text.size(), t.buckets[bucket]});
    t.buckets[bucket] = static_cast<unsigned>(t.entries.size() - 1);
    return copy;
}

unique_string_stats unique_string_statistics()
{
    table& t = the_table();
    return {t.entries.size() - 1, t.capacity, t.chunks.size(), t.chunk_size};
}
