// The command analyser on the tool's table and on small tables of its own:
// matching, values, lists, positionals, defaults and queries. Accepted
// commands are compared through one text of every option given; refused
// ones by their whole error line against the texts the analyser must print.
#include <gtest/gtest.h>

#include "driver/command_analyser.h"
#include "driver/option_table.h"

namespace {

using words = std::vector<std::string>;

// The usage morvastart's errors end with, as the table gives it (its whole
// text is compared end to end).
const std::string tool_usage = usage_text(make_morvastart_table());

std::string tool_error(const std::string& word, const std::string& argument)
{
    return "Kelvane Command analysis : " + word + " " + argument + tool_usage + "\n";
}

// The options given, in table order, read back through the queries: "NAME",
// "noNAME" when negated, "NAME=v1|v2" with values (numbers as numbers).
std::string given(const command_table& table)
{
    std::string text;
    for (const option_record& option : table.options) {
        const std::string& name = option.names[english_column];
        const int index = option_index(table, name);
        if (index == 0)
            continue;
        text.append(text.empty() ? "" : " ").append(index < 0 ? "no" : "").append(name);
        for (int n = 1; const value_node* v = option_value(table, index, n); ++n)
            text.append(n == 1 ? "=" : "|")
                .append(option.argument->kind == 'C' ? v->text : std::to_string(v->number));
    }
    return text;
}

// A table under analysis (the tool's unless given) and the error texts it wrote.
struct analysis {
    command_table table;
    std::string errors;
    int writes = 0;

    explicit analysis(command_table t = make_morvastart_table()) : table(std::move(t))
    {
        table.write_error = [this](std::string_view text) {
            errors += text;
            ++writes;
        };
    }
    analysis(const analysis&) = delete;
    int run(const words& arguments) { return analyse_command(table, arguments); }
    // The tool's command with both positionals given first.
    int run_tool(const words& options)
    {
        words arguments = {"morvastart", "calc.c", "calc.ptu"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return run(arguments);
    }
};

TEST(Analysis, AcceptedCommands)
{
    const std::string f255(255, 'f'), d1024(1024, 'd');
    const struct {
        words options;
        std::string expected;
    } rows[] = {
        // One abbreviation shared by both names of one option; case folds.
        {{"-SIM=s.c"}, "SIMULATE=s.c"},
        {{"-insert"}, "INSERT"},
        {{"-prepro_o"}, "PREPRO_ONLY"},
        {{"-INTEGRE=a.c", "-utilise=u.h", "-DEFINE_STD=s.def", "-PREPRO_SEUL", "-CLASSE=K", "-TABSYMB=t",
          "-INSERE"},
         "INTEGRATE=a.c INSERT USE=u.h STD_DEFINE=s.def SYMBTAB=t PREPRO_ONLY CLASS=K"},
        // DEFINE_STD (French) and DEFINE (English) differ: "DEFINE_" only fits the first.
        {{"-DEFINE_=s.def", "-ONE", "-VEST=v.log", "-XT=3"},
         "STD_DEFINE=s.def VESTRA_LOG=v.log XT=3 ONE_LEVEL_METRICS"},
        // Only list options repeat; their values gather in command order.
        {{"-INCL=a,b", "-INCL=c", "-XT=1", "-XT=2"}, "INCL=a|b|c XT=1|2"},
        {{"-CLASS=" + f255}, "CLASS=" + f255},
        {{"-RESTRICT_DIR_METRICS=" + d1024}, "RESTRICT_DIR_METRICS=" + d1024},
        // Numbers read like strtol: junk gives 0, a sign and a tail are taken.
        {{"-XT=abc", "-XT= +12x", "-XT=255", "-XT=0"}, "XT=0|12|255|0"},
        {{"-RESTRICTION=noe,kr", "-RESTRICTION=Ansi"}, "RESTRICTION=NOEXCEP|KR|ANSI"},
        // A full keyword is taken whatever follows it.
        {{"-RESTRICTION=KRX"}, "RESTRICTION=KR"},
        {{"-INCL=a\\,b", "-DEFINE=X=1,Y", "-STD_DEFINE=s\\,t"}, "INCL=a,b DEFINE=X=1|Y STD_DEFINE=s,t"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected.substr(0, 80));
        analysis a;
        ASSERT_EQ(a.run_tool(row.options), 0) << a.errors;
        EXPECT_EQ(given(a.table), row.expected);
    }
    // The keywords given are marked selected (table order: NOEXCEP NOIMAGE NOPOS KR ANSI ...).
    analysis a;
    ASSERT_EQ(a.run_tool({"-RESTRICTION=noe,kr", "-RESTRICTION=Ansi"}), 0);
    std::string selected;
    for (const value_keyword& keyword : a.table.options[12].keywords)
        selected += keyword.selected ? '1' : '0';
    EXPECT_EQ(selected, "10011000");
}

// The analysis stops at the first error and prints only it, once.
TEST(Analysis, RefusedCommands)
{
    const std::string f255(255, 'f'), d1025(1025, 'd'), latin1 = "-\xe9t\xe9";
    const std::string keywords = "NOEXCEP|NOIMAGE|NOPOS|KR|ANSI|NOSQLSAV|SEPAR|NOALLOC";
    struct row {
        words options;
        const char* word;
        std::string argument;
    };
    const row options[] = {
        {{"-S"}, "Ambiguous option,", "S"},
        {{"-RESTRICT=KR"}, "Ambiguous option,", "RESTRICT=KR"},
        {{"-DEFI=X"}, "Ambiguous option,", "DEFI=X"},
        {{"-DEF"}, "Ambiguous option,", "DEF"},
        {{"-INSERTX"}, "Unknown option,", "INSERTX"},
        {{"-"}, "Unknown option,", ""},
        {{"-=x"}, "Unknown option,", "=x"},
        // Latin-1 bytes are not valid UTF-8: the message must still show them.
        {{latin1}, "Unknown option,", latin1.substr(1)},
        {{"-BOGUS", "-S", "x", "y"}, "Unknown option,", "BOGUS"},
        {{"-INSERT", "-insere"}, "An option can't be used twice,", "insere"},
        {{"-CLASS=A", "-CLASS=B"}, "An option can't be used twice,", "CLASS=B"},
        {{"-INSERT=1"}, "No argument for this option,", "INSERT=1"},
        {{"-NOPATH="}, "No argument for this option,", "NOPATH="},
        {{"-CLASS"}, "Mandatory argument for this option,", "CLASS"},
        {{"-inc="}, "Mandatory argument for this option,", "inc="},
        {{"-RESTRICTION"}, "Mandatory argument for this option,", "RESTRICTION=" + keywords},
        {{"-restriction="}, "Mandatory argument for this option,", "restriction=" + keywords},
        {{"-CLASS=" + f255 + "x"}, "Arg length too large,", f255 + "x"},
        {{"-RESTRICT_DIR_METRICS=" + d1025}, "Arg length too large,", d1025},
        // The length counts the escaping backslash.
        {{"-CLASS=" + f255.substr(1) + "\\,"}, "Arg length too large,", f255.substr(1) + "\\,"},
        {{"-INCL=a,,b"}, "Arg length too small,", ""},
        {{"-INCL=a,"}, "Arg length too small,", ""},
        {{"-RESTRICTION=ANSI,"}, "Arg length too small,", ""},
        {{"-XT=256"}, "Arg value too large,", "256"},
        {{"-XT=-1"}, "Arg value too small,", "-1"},
        {{"-XT=4294967296"}, "Arg value too large,", "4294967296"},
        {{"-XT=99999999999999999999999"}, "Arg value too large,", "99999999999999999999999"},
        {{"-XT=-99999999999999999999999"}, "Arg value too small,", "-99999999999999999999999"},
        {{"-RESTRICTION=no"}, "Ambiguous value of option,", "no"},
        {{"-RESTRICTION=kr,bogus"}, "Unknown value of option,", "bogus"},
        {{"-STD_DEFINE=a,b"}, "List forbidden invalid option,", "STD_DEFINE=a,b"},
        {{"-XT=1,2", "-CLASS=x,"}, "List forbidden invalid option,", "CLASS=x,"},
        {{"third.c"}, "Too many arguments invalid argument,", "third.c"},
    };
    // Whole commands: the positionals themselves are wrong. An empty
    // argument takes a place without giving a value.
    const row commands[] = {
        {{"morvastart", f255 + "f", "b.ptu"}, "Arg length too large,", f255 + "f"},
        {{"morvastart", "a,b.c", "b.ptu"}, "List forbidden invalid argument,", "a,b.c"},
        {{"morvastart", "a.c", "-INSERT"}, "Argument missing,", "generated_file"},
        {{"morvastart", "", "b.ptu"}, "Argument missing,", "tested_file"},
    };
    for (const row& r : options) {
        SCOPED_TRACE(r.options.back().substr(0, 80));
        analysis a;
        EXPECT_EQ(a.run_tool(r.options), -1);
        EXPECT_EQ(a.errors, tool_error(r.word, r.argument));
        EXPECT_EQ(a.writes, 1);
    }
    for (const row& r : commands) {
        SCOPED_TRACE(r.options[1].substr(0, 80));
        analysis a;
        EXPECT_EQ(a.run(r.options), -1);
        EXPECT_EQ(a.errors, tool_error(r.word, r.argument));
    }
}

TEST(Matching, ExactNameWinsOverLongerNames)
{
    analysis own{command_table{}};
    own.table.options.push_back({.names = {"ABC", "ABC", "ABC"}});
    own.table.options.push_back({.names = {"AB", "AB", "AB"}});
    ASSERT_EQ(own.run({"cmd", "-ab"}), 0) << own.errors;
    EXPECT_EQ(given(own.table), "AB");
}

TEST(Matching, NegatableForms)
{
    analysis own{command_table{}};
    own.table.options.push_back({.names = {"TRACE", "SUIVI", "TRACE"}, .negatable = 1});
    own.table.options.push_back({.names = {"LIST", "LISTE", "LIST"}, .negatable = 1});
    const command_table fresh = own.table;
    ASSERT_EQ(own.run({"cmd", "-notr", "-noSUIVI"}), -1);
    EXPECT_EQ(own.errors, "Kelvane Command analysis : An option can't be used twice, noSUIVI\n");
    EXPECT_EQ(given(own.table), "noTRACE");
    // Not given at all: a negatable option ends negated, once the analysis succeeds.
    own.table = fresh;
    ASSERT_EQ(own.run({"cmd", "-trace"}), 0);
    EXPECT_EQ(given(own.table), "TRACE noLIST");
}

TEST(Analysis, PositionalParameters)
{
    const std::string f255(255, 'f');
    analysis a;
    ASSERT_EQ(a.run({"morvastart", "-INSERT", "a\\,b.c", "-XT=1", f255}), 0) << a.errors;
    EXPECT_EQ(positional_value(a.table, 1, 1)->text, "a,b.c");
    EXPECT_EQ(positional_value(a.table, 2, 1)->text, f255);
    EXPECT_EQ(positional_value(a.table, 2, 2), nullptr);
    EXPECT_EQ(positional_value(a.table, 3, 1), nullptr);
}

TEST(Positionals, LastListParameterTakesTheRest)
{
    analysis own{command_table{}};
    own.table.positionals.push_back({.names = {"f", "f", "file"}, .list_allowed = 'Y', .min = 1, .max = 9});
    ASSERT_EQ(own.run({"cmd", "a", "b,c", "", "d"}), 0);
    std::vector<std::string> texts;
    for (int n = 1; const value_node* v = positional_value(own.table, 1, n); ++n)
        texts.push_back(v->text);
    EXPECT_EQ(texts, (words{"a", "b", "c", "d"}));
}

TEST(Defaults, DefaultOnAndDefaultKeyword)
{
    analysis own{command_table{}};
    own.table.options.push_back(
        {.names = {"MODE", "MODE", "MODE"},
         .argument = argument_type{.names = {"m", "m", "m"}, .list_allowed = 'Y', .max = 9},
         .default_on = 1,
         .default_keyword = 2,
         .keywords = {{.names = {"FAST", "FAST", "FAST"}}, {.names = {"LENT", "LENT", "SLOW"}}}});
    const command_table fresh = own.table;
    ASSERT_EQ(own.run({"cmd"}), 0);
    EXPECT_EQ(given(own.table), "MODE=SLOW");
    EXPECT_EQ(own.table.options[0].keywords[1].selected, 1);
    own.table = fresh;
    ASSERT_EQ(own.run({"cmd", "-MODE=f"}), 0);
    EXPECT_EQ(given(own.table), "MODE=FAST");
}

TEST(Analysis, QueriesByEnglishName)
{
    analysis a;
    ASSERT_EQ(a.run_tool({"-INCL=a", "-XT=7"}), 0);
    EXPECT_EQ(option_index(a.table, "INCL"), 6);
    EXPECT_EQ(option_index(a.table, "INSERT"), 0);
    EXPECT_EQ(option_value(a.table, 6, 1)->text, "a");
    EXPECT_EQ(option_value(a.table, -6, 1)->text, "a");
    EXPECT_EQ(option_value(a.table, 6, 2), nullptr);
    EXPECT_EQ(option_value(a.table, 0, 1), nullptr);
    EXPECT_EQ(option_value(a.table, 99, 1), nullptr);
    EXPECT_EQ(a.errors, "");
    // French names are not query keys; a bad name prints without usage.
    EXPECT_EQ(option_index(a.table, "INSERE"), 0);
    EXPECT_EQ(a.errors, "Kelvane Command analysis : Internal error, bad option name INSERE\n");
}

TEST(Usage, ExtensionLinesAreFilteredOut)
{
    analysis own{command_table{}};
    own.table.usage[english_column] = "\nUsage cmd:\n\t[-A]\n\t[-XT=<level>[,level]]\n\t[-B]\n\t[-XT]\n";
    EXPECT_EQ(usage_text(own.table), "\nUsage cmd:\n\t[-A]\n\t[-B]\n");
    EXPECT_EQ(own.run({"cmd", "x"}), -1);
    EXPECT_EQ(own.errors, "Kelvane Command analysis : Too many arguments invalid argument, x" +
                              usage_text(own.table) + "\n");
}

} // namespace
