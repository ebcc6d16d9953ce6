// String utilities: see text_utils.h. The cut of xstrcpy/xstrcat is applied
// while appending, so later sources are dropped once the limit is reached.
#include "support/text_utils.h"

#include "diag/report.h"

namespace {

bool aliases(const std::string* destination, std::string_view source)
{
    if (source.data() == nullptr || destination->data() == nullptr)
        return false;
    const char* begin = destination->data();
    const char* end = begin + destination->capacity() + 1;
    return source.data() >= begin && source.data() < end;
}

void refuse_aliases(const std::string* destination,
                    std::initializer_list<std::string_view> sources, const char* who)
{
    for (std::string_view source : sources)
        if (aliases(destination, source))
            report_internal("ERRINTFCT", who);
}

void append_bounded(std::string* destination, std::initializer_list<std::string_view> sources)
{
    for (std::string_view source : sources) {
        if (destination->size() >= xstr_limit)
            break;
        std::size_t room = xstr_limit - destination->size();
        destination->append(source.substr(0, room));
    }
}

} // namespace

void xstrcpy_list(std::string* destination, std::initializer_list<std::string_view> sources)
{
    if (destination == nullptr)
        report_internal("ERRINTFCT", "xstrcpy (2)");
    refuse_aliases(destination, sources, "xstrcpy");
    std::string result;
    append_bounded(&result, sources);
    *destination = std::move(result);
}

void xstrcat_list(std::string* destination, std::initializer_list<std::string_view> sources)
{
    if (destination == nullptr)
        report_internal("ERRINTFCT", "xstrcat (2)");
    refuse_aliases(destination, sources, "xstrcat");
    append_bounded(destination, sources);
}

void copy_text(const char* source, std::string& destination)
{
    destination = source ? source : "";
}

int compare_text(const char* a, const char* b)
{
    if (a == nullptr || b == nullptr)
        return -1;
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return static_cast<signed char>(*a) - static_cast<signed char>(*b);
}

trimmed_bounds trim_bounds(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    std::size_t end = text.size();
    while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return {start, start, end - start};
}

void trim_copy(std::string_view source, std::string& destination)
{
    trimmed_bounds b = trim_bounds(source);
    std::string result(source.substr(b.start, b.length));
    destination = std::move(result);
}

std::string pad_text(std::string_view source, char fill, int width)
{
    if (width < 1)
        return {};
    std::string result(source.substr(0, static_cast<std::size_t>(width)));
    result.resize(static_cast<std::size_t>(width), fill);
    return result;
}

void upper_case(std::string& text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

void upper_case(char* text)
{
    for (; text && *text; ++text)
        if (*text >= 'a' && *text <= 'z')
            *text = static_cast<char>(*text - 'a' + 'A');
}
