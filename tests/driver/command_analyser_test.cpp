// The command analyser on the tool's table and on small tables of its own:
// matching, values, lists, positionals, defaults and queries. Error lines
// are compared whole against the texts the analyser must print.
#include <gtest/gtest.h>

#include <cstdlib>

#include "driver/command_analyser.h"
#include "driver/option_table.h"

namespace {

// The usage morvastart's errors end with, as the table gives it.
const std::string tool_usage = usage_text(make_morvastart_table());

std::string tool_error(const std::string& word, const std::string& argument)
{
    return "Kelvane Command analysis : " + word + " " + argument + tool_usage + "\n";
}

// Analyses a command line (program name first) on one table, keeping the errors.
class Analysis : public testing::Test {
protected:
    command_table table = make_morvastart_table();
    std::string errors;
    int writes = 0;

    int run(const std::vector<std::string>& words)
    {
        table.write_error = [this](std::string_view text) {
            errors += text;
            ++writes;
        };
        return analyse_command(table, words);
    }
    // The tool's command with both positionals given first.
    int run_tool(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"morvastart", "calc.c", "calc.ptu"});
        return run(options);
    }
    std::vector<std::string> values(std::string_view english_name)
    {
        std::vector<std::string> texts;
        int index = option_index(table, english_name);
        for (int n = 1; const value_node* v = option_value(table, index, n); ++n)
            texts.push_back(v->text);
        return texts;
    }
    void expect_error(const std::vector<std::string>& options, const std::string& word, const std::string& argument)
    {
        errors.clear();
        table = make_morvastart_table();
        EXPECT_EQ(run_tool(options), -1) << options.back();
        EXPECT_EQ(errors, tool_error(word, argument)) << options.back();
    }
};

TEST(PrefixMatch, FoldsLettersAndStopsAtValueCharacter)
{
    EXPECT_EQ(prefix_match_length("sim", "SIMULATE"), 3u);
    EXPECT_EQ(prefix_match_length("SIM=a", "SIMULATE"), 3u);
    EXPECT_EQ(prefix_match_length("SIMX", "SIMULATE"), 0u);
    EXPECT_EQ(prefix_match_length("INSERTX", "INSERT"), 6u);
    EXPECT_EQ(prefix_match_length("", "INSERT"), 0u);
    EXPECT_EQ(prefix_match_length("=x", "INSERT"), 0u);
    // Only ASCII letters fold: "_" and digits compare as they are.
    EXPECT_EQ(prefix_match_length("prepro_o", "PREPRO_ONLY"), 8u);
}

// Matching: abbreviations, columns, exact names and ambiguity.
TEST_F(Analysis, AbbreviationSharedByBothNamesOfOneOption)
{
    ASSERT_EQ(run_tool({"-SIM=s.c"}), 0) << errors;
    EXPECT_EQ(option_index(table, "SIMULATE"), 3);
    EXPECT_EQ(values("SIMULATE"), std::vector<std::string>{"s.c"});
}

TEST_F(Analysis, AbbreviationsCaseAndUnknownNames)
{
    ASSERT_EQ(run_tool({"-insert"}), 0);
    EXPECT_EQ(option_index(table, "INSERT"), 4);
    expect_error({"-S"}, "Ambiguous option,", "S");
    expect_error({"-RESTRICT=KR"}, "Ambiguous option,", "RESTRICT=KR");
    expect_error({"-INSERTX"}, "Unknown option,", "INSERTX");
    expect_error({"-"}, "Unknown option,", "");
    expect_error({"-=x"}, "Unknown option,", "=x");
}

TEST_F(Analysis, FrenchNamesSelectTheSameOptions)
{
    ASSERT_EQ(run_tool({"-INTEGRE=a.c", "-utilise=u.h", "-DEFINE_STD=s.def", "-PREPRO_SEUL", "-CLASSE=K",
                        "-TABSYMB=t", "-INSERE"}),
              0)
        << errors;
    EXPECT_EQ(values("INTEGRATE"), std::vector<std::string>{"a.c"});
    EXPECT_EQ(values("USE"), std::vector<std::string>{"u.h"});
    EXPECT_EQ(values("STD_DEFINE"), std::vector<std::string>{"s.def"});
    EXPECT_EQ(values("CLASS"), std::vector<std::string>{"K"});
    EXPECT_EQ(values("SYMBTAB"), std::vector<std::string>{"t"});
    EXPECT_GT(option_index(table, "PREPRO_ONLY"), 0);
    EXPECT_GT(option_index(table, "INSERT"), 0);
}

TEST_F(Analysis, UnambiguousAbbreviationsOfFrenchAndEnglishNames)
{
    // DEFINE_STD (French) and DEFINE (English) differ: "DEFINE_" only fits
    // the first, "DEFI" is DEFINIR/DEFINE against DEFINE_STD.
    ASSERT_EQ(run_tool({"-DEFINE_=s.def", "-ONE", "-VEST=v.log", "-XT=3"}), 0) << errors;
    EXPECT_EQ(values("STD_DEFINE"), std::vector<std::string>{"s.def"});
    EXPECT_GT(option_index(table, "ONE_LEVEL_METRICS"), 0);
    EXPECT_EQ(values("VESTRA_LOG"), std::vector<std::string>{"v.log"});
    expect_error({"-DEFI=X"}, "Ambiguous option,", "DEFI=X");
    expect_error({"-DEF"}, "Ambiguous option,", "DEF");
}

TEST(Matching, ExactNameWinsOverLongerNames)
{
    command_table table;
    table.options.push_back({.names = {"ABC", "ABC", "ABC"}});
    table.options.push_back({.names = {"AB", "AB", "AB"}});
    std::string errors;
    table.write_error = [&](std::string_view text) { errors += text; };
    ASSERT_EQ(analyse_command(table, {"cmd", "-ab"}), 0) << errors;
    EXPECT_EQ(option_index(table, "AB"), 2);
    EXPECT_EQ(option_index(table, "ABC"), 0);
}

TEST(Matching, NegatableForms)
{
    command_table table;
    table.options.push_back({.names = {"TRACE", "SUIVI", "TRACE"}, .negatable = 1});
    table.options.push_back({.names = {"LIST", "LISTE", "LIST"}, .negatable = 1});
    std::string errors;
    table.write_error = [&](std::string_view text) { errors += text; };
    ASSERT_EQ(analyse_command(table, {"cmd", "-notr", "-noSUIVI"}), -1);
    EXPECT_EQ(errors, "Kelvane Command analysis : An option can't be used twice, noSUIVI\n");
    EXPECT_EQ(option_index(table, "TRACE"), -1);
    // Not given at all: a negatable option ends negated.
    EXPECT_EQ(option_index(table, "LIST"), 0);
    command_table second = table;
    for (option_record& o : second.options)
        o.state = 0;
    ASSERT_EQ(analyse_command(second, {"cmd", "-trace"}), 0);
    EXPECT_EQ(option_index(second, "TRACE"), 1);
    EXPECT_EQ(option_index(second, "LIST"), -2);
}

// Repeats and values.
TEST_F(Analysis, RepeatedOptionsOnlyForLists)
{
    expect_error({"-INSERT", "-insere"}, "An option can't be used twice,", "insere");
    expect_error({"-CLASS=A", "-CLASS=B"}, "An option can't be used twice,", "CLASS=B");
    table = make_morvastart_table();
    ASSERT_EQ(run_tool({"-INCL=a,b", "-INCL=c", "-XT=1", "-XT=2"}), 0);
    EXPECT_EQ(values("INCL"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(option_value(table, option_index(table, "XT"), 2)->number, 2);
}

TEST_F(Analysis, MandatoryAndForbiddenValues)
{
    expect_error({"-INSERT=1"}, "No argument for this option,", "INSERT=1");
    expect_error({"-NOPATH="}, "No argument for this option,", "NOPATH=");
    expect_error({"-CLASS"}, "Mandatory argument for this option,", "CLASS");
    expect_error({"-inc="}, "Mandatory argument for this option,", "inc=");
    const std::string keywords = "NOEXCEP|NOIMAGE|NOPOS|KR|ANSI|NOSQLSAV|SEPAR|NOALLOC";
    expect_error({"-RESTRICTION"}, "Mandatory argument for this option,", "RESTRICTION=" + keywords);
    expect_error({"-restriction="}, "Mandatory argument for this option,", "restriction=" + keywords);
}

TEST_F(Analysis, TextLengthBounds)
{
    const std::string name255(255, 'f');
    ASSERT_EQ(run(std::vector<std::string>{"morvastart", name255, "b.ptu", "-CLASS=" + name255}), 0) << errors;
    table = make_morvastart_table();
    errors.clear();
    EXPECT_EQ(run({"morvastart", name255 + "f", "b.ptu"}), -1);
    EXPECT_EQ(errors, tool_error("Arg length too large,", name255 + "f"));
    expect_error({"-CLASS=" + name255 + "x"}, "Arg length too large,", name255 + "x");
    expect_error({"-INCL=a,,b"}, "Arg length too small,", "");
    expect_error({"-INCL=a,"}, "Arg length too small,", "");
    // RESTRICT_DIR_METRICS takes up to 1,024 characters.
    table = make_morvastart_table();
    ASSERT_EQ(run_tool({"-RESTRICT_DIR_METRICS=" + std::string(1024, 'd')}), 0);
    expect_error({"-RESTRICT_DIR_METRICS=" + std::string(1025, 'd')}, "Arg length too large,",
                 std::string(1025, 'd'));
    // The length counts the escaping backslash.
    expect_error({"-CLASS=" + std::string(254, 'c') + "\\,"}, "Arg length too large,",
                 std::string(254, 'c') + "\\,");
}

TEST_F(Analysis, NumbersReadLikeStrtol)
{
    ASSERT_EQ(run_tool({"-XT=abc", "-XT= +12x", "-XT=255", "-XT=0"}), 0) << errors;
    const int xt = option_index(table, "XT");
    EXPECT_EQ(option_value(table, xt, 1)->number, 0);
    EXPECT_EQ(option_value(table, xt, 2)->number, 12);
    EXPECT_EQ(option_value(table, xt, 3)->number, 255);
    expect_error({"-XT=256"}, "Arg value too large,", "256");
    expect_error({"-XT=-1"}, "Arg value too small,", "-1");
    expect_error({"-XT=4294967296"}, "Arg value too large,", "4294967296");
    expect_error({"-XT=99999999999999999999999"}, "Arg value too large,", "99999999999999999999999");
    expect_error({"-XT=-99999999999999999999999"}, "Arg value too small,", "-99999999999999999999999");
}

TEST_F(Analysis, KeywordValues)
{
    ASSERT_EQ(run_tool({"-RESTRICTION=noe,kr", "-RESTRICTION=Ansi"}), 0) << errors;
    EXPECT_EQ(values("RESTRICTION"), (std::vector<std::string>{"NOEXCEP", "KR", "ANSI"}));
    const std::vector<value_keyword>& keywords = table.options[12].keywords;
    EXPECT_EQ(keywords[0].selected, 1);
    EXPECT_EQ(keywords[1].selected, 0);
    EXPECT_EQ(keywords[3].selected, 1);
    expect_error({"-RESTRICTION=no"}, "Ambiguous value of option,", "no");
    expect_error({"-RESTRICTION=kr,bogus"}, "Unknown value of option,", "bogus");
    expect_error({"-RESTRICTION=ANSI,"}, "Arg length too small,", "");
    // A full keyword is taken whatever follows it.
    table = make_morvastart_table();
    ASSERT_EQ(run_tool({"-RESTRICTION=KRX"}), 0);
    EXPECT_EQ(values("RESTRICTION"), std::vector<std::string>{"KR"});
}

// Lists and escapes.
TEST_F(Analysis, ListSplittingAndEscapedCommas)
{
    ASSERT_EQ(run_tool({"-INCL=a\\,b", "-DEFINE=X=1,Y", "-STD_DEFINE=s\\,t"}), 0) << errors;
    EXPECT_EQ(values("INCL"), std::vector<std::string>{"a,b"});
    EXPECT_EQ(values("DEFINE"), (std::vector<std::string>{"X=1", "Y"}));
    EXPECT_EQ(values("STD_DEFINE"), std::vector<std::string>{"s,t"});
    expect_error({"-STD_DEFINE=a,b"}, "List forbidden invalid option,", "STD_DEFINE=a,b");
    expect_error({"-XT=1,2", "-CLASS=x,"}, "List forbidden invalid option,", "CLASS=x,");
}

// Positionals.
TEST_F(Analysis, PositionalParameters)
{
    ASSERT_EQ(run({"morvastart", "-INSERT", "a\\,b.c", "-XT=1", "b.ptu"}), 0) << errors;
    EXPECT_EQ(positional_value(table, 1, 1)->text, "a,b.c");
    EXPECT_EQ(positional_value(table, 2, 1)->text, "b.ptu");
    EXPECT_EQ(positional_value(table, 2, 2), nullptr);
    EXPECT_EQ(positional_value(table, 3, 1), nullptr);
    expect_error({"third.c"}, "Too many arguments invalid argument,", "third.c");
    table = make_morvastart_table();
    errors.clear();
    EXPECT_EQ(run({"morvastart", "a,b.c", "b.ptu"}), -1);
    EXPECT_EQ(errors, tool_error("List forbidden invalid argument,", "a,b.c"));
}

TEST_F(Analysis, BothPositionalsAreMandatory)
{
    // An empty argument takes a place without giving a value.
    for (const std::vector<std::string>& words : {std::vector<std::string>{"morvastart", "a.c", "-INSERT"},
                                                  std::vector<std::string>{"morvastart", "", "b.ptu"}}) {
        table = make_morvastart_table();
        errors.clear();
        EXPECT_EQ(run(words), -1);
        EXPECT_EQ(errors, tool_error("Argument missing,", words[1].empty() ? "tested_file" : "generated_file"));
    }
}

TEST(Positionals, LastListParameterTakesTheRest)
{
    command_table table;
    table.positionals.push_back({.names = {"f", "f", "file"}, .list_allowed = 'Y', .min = 1, .max = 9});
    ASSERT_EQ(analyse_command(table, {"cmd", "a", "b,c", "", "d"}), 0);
    std::vector<std::string> texts;
    for (int n = 1; const value_node* v = positional_value(table, 1, n); ++n)
        texts.push_back(v->text);
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "b", "c", "d"}));
}

// The analysis stops at the first error and prints only it.
TEST_F(Analysis, StopsAtFirstError)
{
    EXPECT_EQ(run({"morvastart", "-BOGUS", "-S", "x", "y", "z"}), -1);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(errors, tool_error("Unknown option,", "BOGUS"));
    EXPECT_EQ(option_index(table, "SIMULATE"), 0);
}

TEST(Defaults, DefaultOnAndDefaultKeyword)
{
    command_table table;
    table.options.push_back({.names = {"MODE", "MODE", "MODE"},
                             .argument = argument_type{.names = {"m", "m", "m"}, .list_allowed = 'Y', .max = 9},
                             .default_on = 1,
                             .default_keyword = 2,
                             .keywords = {{.names = {"FAST", "FAST", "FAST"}}, {.names = {"LENT", "LENT", "SLOW"}}}});
    ASSERT_EQ(analyse_command(table, {"cmd"}), 0);
    EXPECT_EQ(option_index(table, "MODE"), 1);
    EXPECT_EQ(option_value(table, 1, 1)->text, "SLOW");
    EXPECT_EQ(table.options[0].keywords[1].selected, 1);
    command_table given;
    given.options = {table.options[0]};
    given.options[0].state = 0;
    given.options[0].argument->values.clear();
    given.options[0].keywords[1].selected = 0;
    ASSERT_EQ(analyse_command(given, {"cmd", "-MODE=f"}), 0);
    EXPECT_EQ(option_value(given, 1, 1)->text, "FAST");
    EXPECT_EQ(option_value(given, 1, 2), nullptr);
}

// Queries.
TEST_F(Analysis, QueriesByEnglishName)
{
    ASSERT_EQ(run_tool({"-INCL=a", "-XT=7"}), 0);
    EXPECT_EQ(option_index(table, "INCL"), 6);
    EXPECT_EQ(option_index(table, "INSERT"), 0);
    EXPECT_EQ(option_value(table, 6, 1)->text, "a");
    EXPECT_EQ(option_value(table, -6, 1)->text, "a");
    EXPECT_EQ(option_value(table, 6, 2), nullptr);
    EXPECT_EQ(option_value(table, 0, 1), nullptr);
    EXPECT_EQ(option_value(table, 99, 1), nullptr);
    EXPECT_EQ(errors, "");
    // French names are not query keys; a bad name prints without usage.
    EXPECT_EQ(option_index(table, "INSERE"), 0);
    EXPECT_EQ(errors, "Kelvane Command analysis : Internal error, bad option name INSERE\n");
}

TEST(Usage, ToolUsageListsThePositionalsFirstAndHidesXT)
{
    EXPECT_TRUE(tool_usage.starts_with("\nUsage morvastart:\n\t<tested_file>\n\t<generated_file>\n\t[-LANGUAGE="));
    EXPECT_TRUE(tool_usage.ends_with("\t[-CLASS=<class_name>]\n\t[-SERVICE=<service_name>]\n"));
    EXPECT_EQ(tool_usage.find("-XT"), std::string::npos);
}

TEST(Usage, ExtensionLinesAreFilteredOut)
{
    command_table table;
    table.usage[english_column] = "\nUsage cmd:\n\t[-A]\n\t[-XT=<level>[,level]]\n\t[-B]\n\t[-XT]\n";
    EXPECT_EQ(usage_text(table), "\nUsage cmd:\n\t[-A]\n\t[-B]\n");
    std::string errors;
    table.write_error = [&](std::string_view text) { errors += text; };
    EXPECT_EQ(analyse_command(table, {"cmd", "x"}), -1);
    EXPECT_EQ(errors, "Kelvane Command analysis : Too many arguments invalid argument, x\nUsage cmd:\n\t[-A]\n\t[-B]\n\n");
}

TEST_F(Analysis, ArgumentBytesAreKeptInMessages)
{
    // Latin-1 bytes are not valid UTF-8: the message must still show them.
    const std::string latin1 = "-\xe9t\xe9";
    expect_error({latin1}, "Unknown option,", latin1.substr(1));
}

} // namespace
