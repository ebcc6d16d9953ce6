// The installed morvastart reproducing the tested file's include directives:
// which includes are active under the conditionals, what is written before
// each of them (pending define/undef lines, plain source lines behind '#'),
// what is left out (lines after the last include, includes of -USE headers
// as completed, commented-out directives), and the fatal recursive macro.
//
// The headers are small stand-ins in the run's directory, which the scan
// adds to the include list. They declare nothing, so every section after the
// include directives is the plain layout, with the tested file's own globals
// where it has any.
#include "scratch_test.h"

namespace {

struct scan_case {
    const char* name;
    std::string source;               // calc.c
    std::vector<std::string> options; // after calc.c calc.ptu, each "-NAME=value"
    lines includes;                   // under the include title; none: no title
    lines tail = plain_sections();    // what follows the include directives
};

// The sections of a calc.c whose globals are vars; externs are the
// declarations copied because the include section did not reproduce them.
lines sections_with_globals(const lines& externs, const lines& vars)
{
    return tested_sections("calc", externs, vars) + services({});
}

// A source that includes x.h only when X is defined, and calc.h always.
const std::string under_x = "#ifdef X\n#include \"x.h\"\n#endif\n#include \"calc.h\"\n";
const lines x_and_calc = {"##include \"x.h\"", "##include \"calc.h\""};
const lines calc_only = {"##include \"calc.h\""};
const std::string long_comment = "/*" + std::string(100000, 'x') + "*/";

const std::vector<scan_case> cases = {
    {"StdioFirstAndLinesAfterTheLastIncludeLeftOut", "#include <stdio.h>\nint counter;\n#define LATE 1\n", {},
     {"##include <stdio.h>"}, sections_with_globals({"    #extern int counter;"}, {var("VAR", "counter", "0")})},
    {"TypedefBeforeInclude", "typedef int count_t;\n#include \"calc.h\"\n", {},
     {"", "#typedef int count_t;", "##include \"calc.h\""}},
    {"IfdefWithoutDefinition", under_x, {}, calc_only},
    {"IfdefDefinedByOption", under_x, {"-DEFINE=X"}, x_and_calc},
    {"IfdefDefinedByStandardDefinitions", under_x, {"-STD_DEFINE=std.def"}, x_and_calc},
    {"IfdefDefinedEarlierInTheFile", "#define X\n" + under_x, {}, lines{"##define X"} + x_and_calc},
    {"IfdefUndefinedEarlierInTheFile", "#undef X\n" + under_x, {"-DEFINE=X"}, {"##undef X", "##include \"calc.h\""}},
    {"IfdefDefinedByAnIncludedHeader",
     "#include <stdio.h>\n#ifndef EOF\n#include \"x.h\"\n#endif\n#ifdef EOF\n#include \"calc.h\"\n#endif\n", {},
     {"##include <stdio.h>", "##include \"calc.h\""}},
    {"DefineInFalseIfNeitherRecordedNorReproduced",
     "#if 0\n#define Y 1\n#endif\n#ifdef Y\n#include \"x.h\"\n#endif\n#include \"calc.h\"\n", {}, calc_only},
    {"DirectiveInMultiLineComment", "/* old:\n#include \"gone.h\"\n*/\n#include \"calc.h\"\n", {},
     {"", "#/* old:", "# include \"gone.h\"", "#*/", "##include \"calc.h\""}},
    {"ContinuationLinesKeepTheirHash", "#define ADD(a, \\\n  b) a+b\n#include \"calc.h\"\n", {},
     {"##define ADD(a, \\", "#  b) a+b", "##include \"calc.h\""}},
    {"RedefinitionAfterUndefReplayedWithoutWarning",
     "#define X 1\n#undef X\n#define X 2\n#if X == 2\n#include \"calc.h\"\n#endif\n", {},
     {"##define X 1", "##undef X", "##define X 2", "##include \"calc.h\""}},
    // A leading 0 is octal, as every C compiler reads it.
    {"OctalCondition",
     "#define VERSION 010\n#if VERSION == 8\n#include \"calc.h\"\n#endif\n#if 010 == 16\n#include \"x.h\"\n#endif\n",
     {}, {"##define VERSION 010", "##include \"calc.h\""}},
    {"HexadecimalAndDefinedInCondition",
     "#if 0x1F == 31 && !defined(X) && (defined Y || -1 < 0)\n#include \"calc.h\"\n#endif\n", {}, calc_only},
    // Only the first true branch of a chain is taken.
    {"IfChainTakesOneBranch",
     "#if 1\n#include \"calc.h\"\n#elif 1\n#include \"x.h\"\n#else\n#include \"y.h\"\n#endif\n"
     "#if 0\n#include \"x.h\"\n#elif 1\n#include \"calc.h\"\n#else\n#include \"y.h\"\n#endif\n",
     {}, {"##include \"calc.h\"", "##include \"calc.h\""}},
    // -DEFINE=X gives X the value 1, as the preprocessor does.
    {"BareOptionDefinitionIsOne", "#if X\n#include \"x.h\"\n#endif\n", {"-DEFINE=X"}, {"##include \"x.h\""}},
    // A macro of a header counts as defined even with an empty replacement.
    {"EmptyMacroOfAHeaderIsDefined", "#include <stdio.h>\n#ifdef STDIO_STAND_IN\n#include \"calc.h\"\n#endif\n", {},
     {"##include <stdio.h>", "##include \"calc.h\""}},
    // "/*" inside quotes opens no comment.
    {"CommentOpenerInStringIgnored", "const char *opener = \"/*\";\n#include \"calc.h\"\n", {},
     {"", "#const char *opener = \"/*\";", "##include \"calc.h\""},
     sections_with_globals({}, {var("VAR", "opener", "\"\"")})},
    // A continuation on the last line ends there and loses its backslash.
    {"ContinuationOnLastLine", "#include \"calc.h\" \\\n", {}, calc_only},
    {"ContinuationOnLastLineWithoutLineFeed", "#include \"calc.h\"\\", {}, calc_only},
    {"CarriageReturnLineFeedContinuation",
     "#if 1 && \\\r\n  0\r\n#include \"x.h\"\r\n#endif\r\n#include \"calc.h\"\r\n", {}, calc_only},
    // An include of a -USE header written as completed is left to the -USE
    // section, and the lines before it wait for the next include; written
    // otherwise it is reproduced.
    {"UsedHeaderLeftToItsSectionOnlyWhenWrittenAsCompleted", "#include \"./defs.h\"\nint a;\n#include \"defs.h\"\n",
     {"-USE=defs"}, {"", "#int a;", "##include \"defs.h\""},
     title("-- INCLUDED HEADERS DECLARATIONS (-USE OPTION)") + lines{"", "##include \"./defs.h\"", ""} +
         sections_with_globals({}, {var("VAR", "a", "0")})},
    // The declaration analyser sets the open-brace flag: the brace that the
    // copied extern "C" { line leaves open is closed after the includes.
    {"ExternCBraceClosedAfterTheIncludes", "extern \"C\" {\n#include \"calc.h\"\n}\nint counter;\n", {},
     {"", "#extern \"C\" {", "##include \"calc.h\"", "#}"},
     sections_with_globals({"    #extern int counter;"}, {var("VAR", "counter", "0")})},
    // Lines of any length are read whole.
    {"VeryLongLine", long_comment + "\n#include \"calc.h\"\n", {}, {"", "#" + long_comment, "##include \"calc.h\""}},
};

void PrintTo(const scan_case& c, std::ostream* out)
{
    *out << c.name;
}

struct IncludeScan : scratch_test, testing::WithParamInterface<scan_case> {
    void SetUp() override
    {
        scratch_test::SetUp();
        put("stdio.h", "/* stand-in */\n#define EOF (-1)\n#define STDIO_STAND_IN\n");
        for (const char* name : {"calc.h", "x.h", "y.h", "defs.h"})
            put(name, "/* nothing declared */\n");
        put("std.def", "#define X\n");
    }
};

TEST_P(IncludeScan, Script)
{
    const scan_case& c = GetParam();
    const std::string text = generate("calc.c", c.source, c.options);
    lines body = {"HEADER calc, , ", ""};
    if (!c.includes.empty())
        body = body + title("-- TESTED FILE INCLUDE DIRECTIVES ") + lines{""} + c.includes;
    // The header's image quotes the value of each option.
    std::string image = "morvastart \"calc.c\" \"calc.ptu\"";
    for (const std::string& option : c.options)
        image += " " + option.substr(0, option.find('=') + 1) + "\"" + option.substr(option.find('=') + 1) + "\"";
    EXPECT_EQ(text, joined(header(image, "./calc.ptu", "\"./calc.c\" ") + body + c.tail));
}

INSTANTIATE_TEST_SUITE_P(Sources, IncludeScan, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<scan_case>& info) { return info.param.name; });

struct IncludeScanSections : scratch_test {};

// A macro met again while its own value is worked out ends the run; so does
// a condition nested deeper than 256 levels, rather than overflow the stack.
TEST_F(IncludeScanSections, RecursiveMacroInConditionIsFatal)
{
    const std::pair<std::string, std::string> sources[] = {
        {"#define LOOP (LOOP + 1)\n#if LOOP\n#include \"calc.h\"\n#endif\n", "LOOP"},
        {"#define A B\n#define B A\n#ifndef A\n#elif A\n#endif\n", "A"},
        {"#if " + std::string(257, '(') + "1" + std::string(257, ')') + "\n#endif\n", "("},
    };
    for (const auto& [source, name] : sources) {
        put("calc.c", source);
        const tool_result r = run({"calc.c", "calc.ptu"});
        EXPECT_EQ(outcome_of(r), outcome(7, banner_lines() + "Tolvex-F-NBRECURSI,  There are too many macro or "
                                            "include recursions " + name + "\n"));
    }
}

} // namespace
