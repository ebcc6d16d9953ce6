// Command lines typed to the installed morvastart: wrong ones must print the
// banner, the analyser's error line with the usage and the CMDFATALE line,
// end with status 7 and write nothing; right ones go on to the summary.
#include <filesystem>

#include "scratch_test.h"

namespace fs = std::filesystem;

namespace {

// A usage text: its title line, then each item on a line of its own after a tab.
std::string usage_text(const std::string& title, const std::vector<std::string>& items)
{
    std::string text = title;
    for (const std::string& item : items)
        text += "\t" + item + "\n";
    return text;
}

const std::string restrictions =
    "<NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP>[=NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP]]";

const std::string usage = usage_text(
    "\nUsage morvastart:\n",
    {"<tested_file>", "<generated_file>", "[-LANGUAGE=<language_name>]",
     "[-INTEGRATE=<integrated_file>[,integrated_file]]", "[-SIMULATE=<simulated_file>[,simulated_file]]", "[-INSERT]",
     "[-USE=<used_file>[,used_file]]", "[-INCL=<directory>[,directory]]", "[-DEFINE=<identifier>[,identifier]]",
     "[-STD_DEFINE=<define_file>]", "[-ADALINK=<ada_link_file>]", "[-NOPATH]", "[-SYMBTAB=<symbtab_file>]",
     "[-PREPRO_ONLY]", "[-RESTRICTION=" + restrictions, "[-STANDARD=<ada_standard_file>]", "[-CLASS=<class_name>]",
     "[-SERVICE=<service_name>]"});

const std::string fatal_line = "Tolvex-F-CMDFATALE,  Wrong command line \n";

// The whole standard error of a wrong command line.
std::string wrong_command(const std::string& word, const std::string& argument)
{
    return banner_lines() + "Kelvane Command analysis : " + word + " " + argument + usage + "\n" + fatal_line;
}

struct CommandLine : scratch_test {
    std::set<std::string> inputs;

    void SetUp() override
    {
        scratch_test::SetUp();
        input("calc.c", "int add(int a, int b)\n{\n    return a + b;\n}\n");
    }
    void input(const std::string& name, const std::string& text)
    {
        put(name, text);
        inputs.insert(name);
    }
    // Removes what an accepted command wrote, so that every run starts clean.
    void remove_outputs() const
    {
        for (const std::string& name : listing())
            if (!inputs.count(name))
                fs::remove_all(dir + "/" + name);
    }
    tool_result run(const std::vector<std::string>& args, const env_changes& env = {})
    {
        remove_outputs();
        return scratch_test::run(args, env);
    }
    // Runs "morvastart calc.c calc.ptu" with the options and checks the failure.
    void expect_wrong(const std::vector<std::string>& options, const std::string& word, const std::string& argument)
    {
        std::vector<std::string> args = {"calc.c", "calc.ptu"};
        args.insert(args.end(), options.begin(), options.end());
        expect_wrong_command(args, word, argument);
    }
    void expect_wrong_command(const std::vector<std::string>& args, const std::string& word,
                              const std::string& argument)
    {
        SCOPED_TRACE(args.empty() ? "(none)" : args.back().substr(0, 40));
        const tool_result r = run(args);
        EXPECT_EQ(outcome_of(r), outcome(7, wrong_command(word, argument)));
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(listing(), inputs);
    }
};

// One wrong command of each kind: the analyser's own unit tests cover every
// rule; here each kind must reach the user whole and end the run.
TEST_F(CommandLine, EachKindOfErrorEndsTheRun)
{
    expect_wrong_command({}, "Argument missing,", "tested_file");
    expect_wrong_command({"calc.c", "-INSERT"}, "Argument missing,", "generated_file");
    expect_wrong_command({"a,b.c", "calc.ptu"}, "List forbidden invalid argument,", "a,b.c");
    expect_wrong({"other.c"}, "Too many arguments invalid argument,", "other.c");
    expect_wrong({"-s=x.c"}, "Ambiguous option,", "s=x.c");
    expect_wrong({"--INSERT"}, "Unknown option,", "-INSERT");
    expect_wrong({"-INSERE", "-INS"}, "An option can't be used twice,", "INS");
    expect_wrong({"-PREPRO_SEUL=yes"}, "No argument for this option,", "PREPRO_SEUL=yes");
    expect_wrong({"-restriction="}, "Mandatory argument for this option,",
                 "restriction=NOEXCEP|NOIMAGE|NOPOS|KR|ANSI|NOSQLSAV|SEPAR|NOALLOC");
    expect_wrong({"-CLASSE=A,B"}, "List forbidden invalid option,", "CLASSE=A,B");
    expect_wrong({"-RESTRICTION=ansi,strict"}, "Unknown value of option,", "strict");
    expect_wrong({"-XT=1,-3"}, "Arg value too small,", "-3");
    const std::string long_value(256, 'v');
    expect_wrong({"-CLASS=" + long_value}, "Arg length too large,", long_value);
    // Only the first error is shown.
    expect_wrong({"-XT=300", "-S", "extra.c"}, "Arg value too large,", "300");
}

TEST_F(CommandLine, OptionFiles)
{
    expect_wrong({"@missing.opt"}, "File not found", "missing.opt");
    expect_wrong({"-OPTION=none.opt"}, "File not found", "none.opt");
    input("bad.opt", "  # the usual options\n-INSERT\n-SIM=\"my file.c\"\n-INSERT\n");
    expect_wrong({"-option=bad.opt"}, "An option can't be used twice,", "INSERT");
    // Option files do not nest: the inner reference is a third positional.
    input("outer.opt", "@bad.opt\n");
    expect_wrong({"@outer.opt"}, "Too many arguments invalid argument,", "@bad.opt");
}

TEST_F(CommandLine, EnvironmentReferencesAreExpanded)
{
    tool_result r = run({"calc.c", "calc.ptu", "-CLASS=$MORVA_E2E_LONG"}, {{"MORVA_E2E_LONG", std::string(300, 'x')}});
    EXPECT_EQ(outcome_of(r), outcome(7, wrong_command("Arg length too large,", std::string(300, 'x'))));
}

TEST_F(CommandLine, AcceptedCommandsReachTheSummary)
{
    input("good.opt", "# options\n-ONE_LEVEL_METRICS -XT=3\n-METRICS=m \\\n -NOPATH\n");
    std::vector<std::string> many = {"calc.c", "calc.ptu"};
    for (int i = 0; i < 10000; ++i)
        many.push_back("-DEFINE=M" + std::to_string(i));
    const std::pair<std::vector<std::string>, env_changes> cases[] = {
        {{"calc.c", "calc.ptu", "@good.opt", "-RESTRICTION=noe,ANSI", "-LANGAGE=C"}, {}},
        // An unset name stays as written; an inserted value is not expanded again.
        {{"calc.c", "calc.ptu", "-CLASS=$MORVA_E2E_X", "-XT=$MORVA_E2E_UNSET"},
         {{"MORVA_E2E_X", "$MORVA_E2E_LONG"}, {"MORVA_E2E_LONG", std::string(300, 'x')}}},
        {many, {}}};
    for (const auto& [args, env] : cases) {
        const tool_result r = run(args, env);
        EXPECT_EQ(r.err, banner_lines() + clean_summary) << args[2];
        EXPECT_EQ(r.status, 0);
    }
}

// The script header holds the command image: English names, kept values.
TEST_F(CommandLine, CommandImageOfMixedNames)
{
    input("more.opt", "-UTILISE=calc.c -DEFINIR=\"A=1\",B\n");
    input("std.def", "");
    tool_result r = run({"calc.c", "calc.ptu", "-insere", "-INCL=(.,nowhere)", "@more.opt", "-SIM=calc.c",
                         "-TABSYMB=t.smb", "-restriction=noe,Ansi", "-PREPRO_SEUL", "-CLASSE=Klass", "-XT=2",
                         "-ADALIEN=l.ali", "-STANDARD=x.ads", "-DEFINE_STD=std.def", "-INTEGRE=calc.c"});
    EXPECT_EQ(r.err.substr(0, banner_lines().size()), banner_lines());
    const std::string script = file("calc.ptu");
    const std::string image =
        "morvastart \"calc.c\" \"calc.ptu\" -INTEGRATE=\"calc.c\" -SIMULATE=\"calc.c\" -USE=\"calc.c\" -INSERT"
        " -INCL=\".,nowhere\" -DEFINE=\"A=1,B\" -STD_DEFINE=\"std.def\" -SYMBTAB=t.smb -ADALINK=l.ali"
        " -STANDARD=x.ads -SERVICE= -PREPRO_ONLY -CLASS=Klass -RESTRICTION=\"NOEXCEP,ANSI\"";
    EXPECT_TRUE(holds(script, "\n--%c " + image + "\n"));
}

TEST_F(CommandLine, WarnedOptions)
{
    const std::pair<std::string, std::string> cases[] = {
        {"-SERVICE=add", "Tolvex-W-CMDERREUR,  Bad command: improper -SERVICE option\n"},
        {"-RESTRICTION=kr,ansi", "Tolvex-W-CMDERREUR,  Bad command: improper RESTR=KR option\n"},
        {"-INCL=.,nowhere", "Tolvex-W-INCLTYPER,  nowhere is not a directory \n"}};
    for (const auto& [option, warning] : cases) {
        const tool_result r = run({"calc.c", "calc.ptu", option});
        EXPECT_EQ(outcome_of(r),
                  outcome(3, banner_lines() + warning + "Tolvex-I-ENDNOEWAR,  End of execution with 1 warning(s)\n"));
    }
}

TEST_F(CommandLine, TenThousandRepeatedOptions)
{
    std::vector<std::string> args(10000, "-INSERT");
    args.insert(args.begin(), {"calc.c", "calc.ptu"});
    expect_wrong_command(args, "An option can't be used twice,", "INSERT");
}

// French messages: the error word, the parameter name and the usage are
// translated; the translated usage loses its -XT line.
const std::string french_usage = usage_text(
    "\nUtilisation de morvastart :\n",
    {"<fichier_teste>", "<fichier_genere>", "[-LANGAGE=<nom_langage>]",
     "[-INTEGRE=<fichier_integre>[,fichier_integre]]", "[-SIMULE=<fichier_simule>[,fichier_simule]]", "[-INSERE]",
     "[-UTILISE=<fichier_utilise>[,fichier_utilise]]",
     "[-INCL=<repertoire>[,repertoire]]", "[-DEFINIR=<identificateur>[,identificateur]]",
     "[-DEFINE_STD=<fichier_define>]", "[-ADALIEN=<fichier_lien_ada>]", "[-NOPATH]", "[-TABSYMB=<fichier_tabsymb>]",
     "[-PREPRO_SEUL]", "[-RESTRICTION=" + restrictions, "[-STANDARD=<fichier_standard_ada>]",
     "[-CLASSE=<nom_classe>]", "[-SERVICE=<nom_service>]"});

TEST_F(CommandLine, FrenchMessages)
{
    const env_changes french = {{"LANG", "fr_FR.UTF-8"}};
    const std::string french_fatal = "\nTolvex-F-CMDFATALE,  Ligne de commande incorrecte \n";
    tool_result r = run({"calc.c"}, french);
    EXPECT_EQ(outcome_of(r), outcome(7, french_banner + "Kelvane Analyse de la commande : Argument manquant, "
                                        "fichier_genere" + french_usage + french_fatal));
    r = run({"calc.c", "calc.ptu", "-INSERTX"}, french);
    EXPECT_EQ(outcome_of(r), outcome(7, french_banner + "Kelvane Analyse de la commande : Option inconnue, INSERTX" +
                                        french_usage + french_fatal));
    EXPECT_EQ(listing(), inputs);
}

} // namespace
