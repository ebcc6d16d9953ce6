// Expected script texts shared by the morvastart end-to-end suites; see
// script_layout.h.
#include "script_layout.h"

#include <regex>

std::string joined(const lines& text)
{
    std::string result;
    for (const std::string& l : text)
        result += l + "\n";
    return result;
}

lines operator+(lines a, const lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

lines header(const std::string& image, const std::string& generated, const std::string& file_list)
{
    return {frame,
            "-- tool : C Source Code Parser VERSION 4.1.0.2.117.006",
            boxed,
            "--%c " + image,
            boxed,
            "-- File : " + generated,
            "--%f " + file_list,
            boxed,
            masked_date,
            boxed,
            frame};
}

lines title(const std::string& text)
{
    return {separator, "--", text, "--", separator};
}

lines short_title(const std::string& text)
{
    return {separator, text, separator};
}

std::string masked(const std::string& script)
{
    static const std::regex date_line("\n--%d DATE : (Sun|Mon|Tue|Wed|Thu|Fri|Sat) "
                                      "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                                      "[ 123][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}\n");
    std::smatch m;
    if (!std::regex_search(script, m, date_line))
        return script;
    return m.prefix().str() + "\n" + masked_date + "\n" + m.suffix().str();
}

lines plain_sections()
{
    return title("-- TESTED FILE DECLARATIONS ") + lines{separator, "", "BEGIN", ""} +
           title("-- ENVIRONMENTS DECLARATIONS") + lines{""} + short_title("-- TESTED FILE ENVIRONNEMENT") +
           title("-- SERVICES DECLARATIONS");
}

lines plain_body(const std::string& header_keyword)
{
    return lines{header_keyword + " calc, , ", ""} + plain_sections();
}

lines plain_header()
{
    return header("morvastart \"calc.c\" \"calc.ptu\"", "./calc.ptu", "\"./calc.c\" ");
}

std::string renamed(const std::string& name)
{
    return "Tolvex-I-FICRENAME,  The file 'generated_file' has been renamed in 'generated_file'_bck: " + name + "\n";
}

std::string last_line(const std::string& err)
{
    std::size_t end = err.size() > 0 ? err.size() - 1 : 0;
    std::size_t start = err.rfind('\n', end > 0 ? end - 1 : 0);
    return start == std::string::npos ? err : err.substr(start + 1);
}
