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
    return {frame, "-- tool : C Source Code Parser VERSION 4.1.0.2.117.006", boxed, "--%c " + image, boxed,
            "-- File : " + generated, "--%f " + file_list, boxed, masked_date, boxed, frame};
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
    return title("-- TESTED FILE DECLARATIONS ") + tested_globals + lines{separator, "", "BEGIN", ""} +
           title("-- ENVIRONMENTS DECLARATIONS") + lines{""} + short_title("-- TESTED FILE ENVIRONNEMENT") +
           title("-- SERVICES DECLARATIONS");
}

lines plain_body(const std::string& header_keyword)
{
    return lines{header_keyword + " calc, , ", ""} + plain_sections();
}

lines insert_body()
{
    return lines{"HEADER calc, , ", ""} + title("-- INCLUDED FILE DECLARATIONS (-INCLUDED OPTION)") +
           lines{"", "##include \"./calc.c\"", "", separator, "", "BEGIN", ""} + title("-- ENVIRONMENTS DECLARATIONS") +
           lines{""} + short_title("-- INCLUDED FILE ENVIRONNEMENT") + title("-- SERVICES DECLARATIONS");
}

lines plain_header()
{
    return header("morvastart \"calc.c\" \"calc.ptu\"", "./calc.ptu", "\"./calc.c\" ");
}

std::string var(const std::string& keyword, const std::string& name, const std::string& value, const words& w)
{
    return keyword + " " + name + ",\t\tinit = " + value + ",\t\t" + w.ev + " = init";
}

lines service(const service_block& b, const words& w)
{
    lines out = {"", separator, w.service_comment + b.name, separator, "SERVICE " + b.name, w.service_type, ""};
    if (!b.parameters.empty())
        out.push_back("    " + w.parameters);
    for (const std::string& p : b.parameters)
        out.push_back("    #" + p);
    out = out + (b.returned.empty() ? lines{""} : lines{"    " + w.returned, "    #" + b.returned, ""});
    if (!b.instance.empty())
        out = out + lines{"    " + w.instance, "    #" + b.instance, ""};
    if (!b.variables.empty()) {
        out.push_back("    " + w.environment + " ENV_" + b.name);
        for (const std::string& v : b.variables)
            out.push_back("    " + v);
        out = out + lines{"    " + w.end + " " + w.environment + " -- ENV_" + b.name,
                          "    " + w.use + " ENV_" + b.name, ""};
    }
    out = out + lines{"    TEST 1", "    " + w.family + " nominal", "", "        ELEMENT"};
    for (const std::string& c : b.calls)
        out.push_back("        #" + c);
    return out + lines{"        " + w.end + " ELEMENT", "", "    " + w.end + " TEST -- TEST 1", "",
                       w.end + " SERVICE -- " + b.name, ""};
}

lines services(const std::vector<service_block>& blocks)
{
    lines out = title("-- SERVICES DECLARATIONS");
    for (const service_block& b : blocks)
        out = out + service(b);
    return out;
}

lines environment(const std::string& file, const std::string& name, const lines& variables, const words& w)
{
    lines out = {"", w.file_environment + file, w.environment + " " + name};
    for (const std::string& v : variables)
        out.push_back("  " + v);
    return out + lines{w.end + " " + w.environment + " -- " + name, w.use + " " + name, ""};
}

lines tested_sections(const std::string& base, const lines& copied, const lines& variables)
{
    return title("-- TESTED FILE DECLARATIONS ") + tested_globals + copied + lines{separator, "", "BEGIN", ""} +
           title("-- ENVIRONMENTS DECLARATIONS") + lines{""} + short_title("-- TESTED FILE ENVIRONNEMENT") +
           environment("./" + base + ".c", "ENV_" + base + "_c", variables);
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
