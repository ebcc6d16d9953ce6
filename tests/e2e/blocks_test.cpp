// The installed morvastart writing the blocks drawn from analysed C sources:
// copied declarations, environments, stubs and services. Every expected
// script is written out by hand from the rules of each block; the native
// lines of every generated script must also pass gcc -fsyntax-only.
#include <gtest/gtest.h>

#include "native_lines.h"
#include "run_tool.h"
#include "script_layout.h"

namespace {

// The words of one script language.
struct words {
    std::string end = "END", environment = "ENVIRONMENT", use = "USE", family = "FAMILY", ev = "ev";
    std::string service_comment = "-- Declaration of the service ";
    std::string service_type = "SERVICE_TYPE extern";
    std::string parameters = "-- Tested service parameters declarations";
    std::string returned = "-- By function returned type declaration";
};

const words english;

words french()
{
    words w;
    w.end = "FIN";
    w.environment = "ENVIRONNEMENT";
    w.use = "UTILISE";
    w.family = "FAMILLE";
    w.ev = "va";
    w.service_comment = "-- Declaration du service ";
    w.service_type = "TYPE_SERVICE externe";
    w.parameters = "-- Declarations des parametres du service teste";
    w.returned = "-- Declaration du type retourne par la fonction";
    return w;
}

words french_accented()
{
    words w = french();
    w.service_comment = "-- D\xE9" "claration du service ";
    w.parameters = "-- D\xE9" "clarations des param\xE8" "tres du service test\xE9";
    w.returned = "-- D\xE9" "claration du type retourn\xE9 par la fonction";
    return w;
}

std::string var(const std::string& indent, const std::string& keyword, const std::string& name,
                const std::string& value, const words& w = english)
{
    return indent + keyword + " " + name + ",\t\tinit = " + value + ",\t\t" + w.ev + " = init";
}

// A service: heading, declarations (each already prefixed), environment
// lines (without indentation), the call.
lines service(const std::string& name, const lines& parameters, const std::string& returned,
              const lines& variables, const std::string& call, const words& w = english)
{
    lines out = {"", separator, w.service_comment + name, separator, "SERVICE " + name, w.service_type, ""};
    if (!parameters.empty()) {
        out.push_back("    " + w.parameters);
        for (const std::string& p : parameters)
            out.push_back("    #" + p);
    }
    if (!returned.empty())
        out = out + lines{"    " + w.returned, "    #" + returned, ""};
    else
        out.push_back("");
    if (!variables.empty()) {
        out.push_back("    " + w.environment + " ENV_" + name);
        for (const std::string& v : variables)
            out.push_back("    " + v);
        out = out + lines{"    " + w.end + " " + w.environment + " -- ENV_" + name, "    " + w.use + " ENV_" + name, ""};
    }
    return out + lines{"    TEST 1", "    " + w.family + " nominal", "", "        ELEMENT", "        #" + call,
                       "        " + w.end + " ELEMENT", "", "    " + w.end + " TEST -- TEST 1", "",
                       w.end + " SERVICE -- " + name, ""};
}

lines environment(const std::string& file, const std::string& name, const lines& variables, const words& w = english,
                  const std::string& comment = "-- Environment of the file ")
{
    lines out = {"", comment + file, w.environment + " " + name};
    for (const std::string& v : variables)
        out.push_back("  " + v);
    return out + lines{w.end + " " + w.environment + " -- " + name, w.use + " " + name, ""};
}

const std::string globals_comment = "-- Declarations of the global variables of the tested file";

lines begin_lines()
{
    return {separator, "", "BEGIN", ""};
}

struct Blocks : testing::Test {
    std::string dir;
    void SetUp() override
    {
        dir = scratch_dir(std::string("blocks_") + testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    tool_result run(const std::vector<std::string>& args, const env_changes& env = {})
    {
        return run_tool("morvastart", args, env, dir);
    }
    std::string script(const std::string& name) { return masked(read_file(dir + "/" + name)); }
    // The script's text from the services title on.
    std::string services(const std::string& name)
    {
        const std::string text = script(name);
        const std::size_t at = text.find(joined(title("-- SERVICES DECLARATIONS")));
        return at == std::string::npos ? text : text.substr(at);
    }
    void expect_compiles(const std::string& name)
    {
        const compile_result r = compile_native_lines(read_file(dir + "/" + name), dir);
        EXPECT_TRUE(r.ok) << r.messages;
    }
};

const std::string calc_source = "int counter;\n"
                                "int add(int a, int b) { return a + b; }\n"
                                "void reset(void) { counter = 0; }\n";

// The layout of calc.c in one language; add comes before reset in the
// buckets (both names sum to 7 modulo 10, lengths 3 and 5).
lines calc_body(const words& w, const std::string& header_keyword, const std::string& begin_keyword,
                const lines& titles, const std::string& globals, const std::string& environment_comment)
{
    return lines{header_keyword + " calc, , ", ""} + title(titles[0]) +
           lines{"", globals, "", "    #extern int counter;", "    #extern int add(int a, int b);",
                 "    #extern void reset(void);"} +
           lines{separator, "", begin_keyword, ""} + title(titles[1]) + lines{""} + short_title(titles[2]) +
           environment("./calc.c", "ENV_calc_c", {var("", "VAR", "counter", "0", w)}, w, environment_comment) +
           title(titles[3]) +
           service("add", {"int a;", "int b;"}, "int ret_add;",
                   {var("", "VAR", "a", "0", w), var("", "VAR", "b", "0", w), var("", "VAR", "ret_add", "0", w)},
                   "ret_add = add(a, b);", w) +
           service("reset", {}, "", {}, "reset();", w);
}

TEST_F(Blocks, CalcWithAGlobalAndTwoFunctions)
{
    write_file(dir + "/calc.c", calc_source);
    tool_result r = run({"calc.c", "calc.ptu"});
    EXPECT_EQ(r.err, banner_lines() + clean_summary);
    EXPECT_EQ(r.status, 0);
    const lines titles = {"-- TESTED FILE DECLARATIONS ", "-- ENVIRONMENTS DECLARATIONS",
                          "-- TESTED FILE ENVIRONNEMENT", "-- SERVICES DECLARATIONS"};
    EXPECT_EQ(script("calc.ptu"),
              joined(header("morvastart \"calc.c\" \"calc.ptu\"", "./calc.ptu", "\"./calc.c\" ") +
                     calc_body(english, "HEADER", "BEGIN", titles, globals_comment, "-- Environment of the file ")));
    expect_compiles("calc.ptu");
}

TEST_F(Blocks, FrenchColumns)
{
    write_file(dir + "/calc.c", calc_source);
    const lines titles = {"-- DECLARATIONS LIEES AU FICHIER TESTE ", "-- DECLARATIONS DES ENVIRONNEMENTS",
                          "-- ENVIRONNEMENT DU FICHIER TESTE", "-- DECLARATIONS DES SERVICES"};
    const lines head = header("morvastart \"calc.c\" \"calc.ptu\"", "./calc.ptu", "\"./calc.c\" ");
    tool_result r = run({"calc.c", "calc.ptu"}, {{"MORVALAN", "FR"}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(script("calc.ptu"),
              joined(head + calc_body(french(), "ENTETE", "DEBUT", titles,
                                      "-- Declarations des variables globales du fichier teste",
                                      "-- Environnement du fichier ")));
    r = run({"calc.c", "calc.ptu"}, {{"MORVALAN", "FA"}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(script("calc.ptu"),
              joined(head + calc_body(french_accented(), "ENTETE", "DEBUT", titles,
                                      "-- D\xE9" "clarations des variables globales du fichier test\xE9",
                                      "-- Environnement du fichier ")));
    expect_compiles("calc.ptu");
}

TEST_F(Blocks, PointerParametersHoldWhatTheyPointTo)
{
    write_file(dir + "/text.c", "char *label(int *p, char *s, unsigned char *u, void *v, int **pp) { return s; }\n");
    tool_result r = run({"text.c", "text.ptu"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(script("text.ptu").find("    #extern char *label(int *p, char *s, unsigned char *u, void *v, int **pp);\n"),
              std::string::npos);
    EXPECT_EQ(services("text.ptu"),
              joined(title("-- SERVICES DECLARATIONS") +
                     service("label", {"int p;", "char s[200];", "unsigned char u;", "void *v;", "int *pp;"},
                             "char *ret_label;",
                             {var("", "VAR", "p", "0"), var("", "VAR", "s", "\"\""), var("", "VAR", "u", "0"),
                              var("", "VAR", "v", "0"), var("", "VAR", "pp", "NIL"),
                              var("", "VAR", "ret_label", "\"\"")},
                             "ret_label = label(&p, s, &u, v, &pp);")));
    expect_compiles("text.ptu");
}

TEST_F(Blocks, UnnamedParameterIsNamedAfterItsPosition)
{
    // pick (bucket 34) comes before stop (bucket 44).
    write_file(dir + "/pick.c", "int pick(int, int b) { return b; }\nvoid stop(void) { }\n");
    tool_result r = run({"pick.c", "pick.ptu"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(services("pick.ptu"),
              joined(title("-- SERVICES DECLARATIONS") +
                     service("pick", {"int param_1;", "int b;"}, "int ret_pick;",
                             {var("", "VAR", "param_1", "0"), var("", "VAR", "b", "0"), var("", "VAR", "ret_pick", "0")},
                             "ret_pick = pick(param_1, b);") +
                     service("stop", {}, "", {}, "stop();")));
    expect_compiles("pick.ptu");
}

TEST_F(Blocks, StaticsOnlyWithInsert)
{
    // hidden is in bucket 6, shown in bucket 95.
    write_file(dir + "/keep.c", "static int hidden;\nint shown;\nstatic int helper(int v) { return v; }\n");
    tool_result r = run({"keep.c", "keep.ptu"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(script("keep.ptu"),
              joined(header("morvastart \"keep.c\" \"keep.ptu\"", "./keep.ptu", "\"./keep.c\" ") +
                     lines{"HEADER keep, , ", ""} + title("-- TESTED FILE DECLARATIONS ") +
                     lines{"", globals_comment, "", "    #extern int shown;"} + begin_lines() +
                     title("-- ENVIRONMENTS DECLARATIONS") + lines{""} + short_title("-- TESTED FILE ENVIRONNEMENT") +
                     environment("./keep.c", "ENV_keep_c", {var("", "VAR", "shown", "0")}) +
                     title("-- SERVICES DECLARATIONS")));
    expect_compiles("keep.ptu");

    r = run({"keep.c", "inserted.ptu", "-INSERT"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(script("inserted.ptu"),
              joined(header("morvastart \"keep.c\" \"inserted.ptu\" -INSERT", "./inserted.ptu", "") +
                     lines{"HEADER keep, , ", ""} + title("-- INCLUDED FILE DECLARATIONS (-INCLUDED OPTION)") +
                     lines{"", "##include \"./keep.c\"", ""} + begin_lines() + title("-- ENVIRONMENTS DECLARATIONS") +
                     lines{""} + short_title("-- INCLUDED FILE ENVIRONNEMENT") +
                     environment("./keep.c", "ENV_keep_c", {var("", "VAR", "hidden", "0"), var("", "VAR", "shown", "0")}) +
                     title("-- SERVICES DECLARATIONS") +
                     service("helper", {"int v;"}, "int ret_helper;",
                             {var("", "VAR", "v", "0"), var("", "VAR", "ret_helper", "0")}, "ret_helper = helper(v);")));
    expect_compiles("inserted.ptu");
}

TEST_F(Blocks, GlobalsOfEachKind)
{
    // Buckets: grid 24, limit 35 (const: no line), shade 75, origin 86.
    write_file(dir + "/kinds.c", "struct point { int x; const int y; };\nstruct point origin;\n"
                                 "const int limit = 3;\nint grid[2][3];\nenum colour { red, green };\n"
                                 "enum colour shade;\n");
    tool_result r = run({"kinds.c", "kinds.ptu"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(script("kinds.ptu"),
              joined(header("morvastart \"kinds.c\" \"kinds.ptu\"", "./kinds.ptu", "\"./kinds.c\" ") +
                     lines{"HEADER kinds, , ", ""} + title("-- TESTED FILE DECLARATIONS ") +
                     lines{"", globals_comment, "", "    #struct point {", "    #\tint x;", "    #\tconst int y;",
                           "    #};", "    #enum colour{", "    #\tred,", "    #\tgreen", "    #};",
                           "    #extern struct point origin;", "    #extern const int limit;",
                           "    #extern int grid[2][3];", "    #extern enum colour shade;"} +
                     begin_lines() + title("-- ENVIRONMENTS DECLARATIONS") + lines{""} +
                     short_title("-- TESTED FILE ENVIRONNEMENT") +
                     environment("./kinds.c", "ENV_kinds_c",
                                 {var("", "ARRAY", "grid", "{ others => { others => 0 } }"),
                                  var("", "VAR", "shade", "red"), var("", "STRUCTURE", "origin", "{ x => 0 }")}) +
                     title("-- SERVICES DECLARATIONS")));
    expect_compiles("kinds.ptu");
}

TEST_F(Blocks, ConstGlobalKeepsAnEmptyEnvironment)
{
    write_file(dir + "/fixed.c", "const double rate = 1.5;\n");
    tool_result r = run({"fixed.c", "fixed.ptu"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string text = script("fixed.ptu");
    EXPECT_NE(text.find(joined(environment("./fixed.c", "ENV_fixed_c", {}))), std::string::npos) << text;
}

TEST_F(Blocks, SimulatedFiles)
{
    write_file(dir + "/main.c", "int total;\n");
    write_file(dir + "/calc.c", "int get(int *p) { return *p; }\nint level;\n");
    write_file(dir + "/types.c", "struct only { int a; };\n");
    write_file(dir + "/my-lib.c", "int lib_level;\n");
    tool_result r = run({"main.c", "main.ptu", "-SIMULATE=calc.c,types.c,my-lib.c"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(script("main.ptu"),
              joined(header("morvastart \"main.c\" \"main.ptu\" -SIMULATE=\"calc.c,types.c,my-lib.c\"", "./main.ptu",
                            "\"./main.c\" ") +
                     lines{"HEADER main, , ", ""} + title("-- TESTED FILE DECLARATIONS ") +
                     lines{"", globals_comment, "", "    #extern int total;"} + begin_lines() +
                     title("-- STUB DECLARATIONS OF THE SIMULATED FILES") +
                     lines{"", "-- Simulated file declarations calc.c", "", "", "DEFINE STUB calc_c",
                           "    #int get(int _inout p);", "    #int level;", "END DEFINE", ""} +
                     lines{"", "-- Simulated file declarations types.c", "", "    #struct only {", "    #\tint a;",
                           "    #};"} +
                     lines{"", "-- Simulated file declarations my-lib.c", "", "", "DEFINE STUB my_lib_c",
                           "    #int lib_level;", "END DEFINE", ""} +
                     title("-- ENVIRONMENTS DECLARATIONS") + lines{""} +
                     short_title("-- SIMULATED FILES ENVIRONNEMENTS") +
                     environment("./calc.c", "ENV_calc_c", {var("", "VAR", "level", "0")}) +
                     environment("./my-lib.c", "ENV_my_lib_c", {var("", "VAR", "lib_level", "0")}) +
                     short_title("-- TESTED FILE ENVIRONNEMENT") +
                     environment("./main.c", "ENV_main_c", {var("", "VAR", "total", "0")}) +
                     title("-- SERVICES DECLARATIONS")));
    expect_compiles("main.ptu");
}

TEST_F(Blocks, StubOfUnnamedParametersWarnsOnce)
{
    // Each unnamed parameter of a function with several is reported; the
    // repeat at the same place is counted without being shown again.
    write_file(dir + "/main.c", "int total;\n");
    write_file(dir + "/sim.c", "int two(int, int) { return 0; }\nint one(int) { return 1; }\n");
    tool_result r = run({"main.c", "main.ptu", "-SIMULATE=sim.c"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("\nTolvex-W-NOMPARINC,  Bad parameter name two\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("End of execution with 2 warning(s)"), std::string::npos) << r.err;
    // Stub prototypes follow the order of the source.
    EXPECT_NE(script("main.ptu").find(joined({"", "DEFINE STUB sim_c", "    #int two(int, int);", "    #int one(int);",
                                              "END DEFINE", ""})),
              std::string::npos);
}

TEST_F(Blocks, ParametersOfOtherKindsCompile)
{
    write_file(dir + "/misc.c",
               "struct pair { int a; int b; };\ntypedef int *int_ptr;\n"
               "int sum(int n, ...) { return n; }\n"
               "int apply(int (*cb)(int), struct pair p, const struct pair *q, int **pp, int_ptr ip, double m[][4])"
               " { return 0; }\n"
               "int (*chooser(int k))(int) { return 0; }\n");
    tool_result r = run({"misc.c", "misc.ptu"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string text = script("misc.ptu");
    for (const char* line : {"    #extern int sum(int n, ...);\n", "        #ret_sum = sum(n);\n",
                             "    #int ( *cb)(int);\n", "    #struct pair p;\n", "    #int *pp;\n",
                             "    #int_ptr ip;\n", "    #double m[100][4];\n",
                             "        #ret_apply = apply(cb, p, &q, &pp, ip, m);\n",
                             "    #int ( *ret_chooser)(int);\n",
                             "    STRUCTURE p,\t\tinit = { a => 0, b => 0 },\t\tev = init\n",
                             "    VAR ip,\t\tinit = NIL,\t\tev = init\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    expect_compiles("misc.ptu");
}

TEST_F(Blocks, AnonymousRecordsAreWrittenWithTheirBodies)
{
    write_file(dir + "/anon.c", "struct { int a; } settings;\ntypedef enum { low, high } level_t;\n"
                                "level_t level;\nint set(struct { int b; } *s) { return 0; }\n");
    tool_result r = run({"anon.c", "anon.ptu"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string text = script("anon.ptu");
    EXPECT_NE(text.find(joined({"    #typedef enum {", "    #\tlow,", "    #\thigh", "    #} level_t;",
                                "    #extern struct {", "    #\tint a;", "    #} settings;", "    #extern level_t level;"})),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  STRUCTURE settings,\t\tinit = { a => 0 },\t\tev = init\n"), std::string::npos);
    EXPECT_NE(text.find("  VAR level,\t\tinit = low,\t\tev = init\n"), std::string::npos);
}

TEST_F(Blocks, IntegratedFileAndTypesKnownFromAUsedHeader)
{
    write_file(dir + "/calc.c", "int total;\n");
    write_file(dir + "/io.c", "struct conf { int level; };\nstruct conf config;\n"
                              "int read_conf(struct conf *c) { return 0; }\n");
    write_file(dir + "/conf.h", "struct conf { int level; };\n");
    const lines io_environment =
        short_title("-- INTEGRATED FILES ENVIRONNEMENTS") +
        environment("./io.c", "ENV_io_c", {var("", "STRUCTURE", "config", "{ level => 0 }")});
    const lines externs = {"    #extern struct conf config;", "    #extern int read_conf(struct conf *c);"};
    tool_result r = run({"calc.c", "calc.ptu", "-INTEGRATE=io.c"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string text = script("calc.ptu");
    EXPECT_NE(text.find(joined(title("-- TO THE TEST NECESSARY DECLARATIONS (-INTEGRATE OPTION)") +
                               lines{"", "-- Integrated file declarations io", "", "    #struct conf {",
                                     "    #\tint level;", "    #};"} +
                               externs + lines{""} + begin_lines())),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(joined(io_environment)), std::string::npos) << text;
    expect_compiles("calc.ptu");

    // A type the -USE header declares is not copied again.
    r = run({"calc.c", "calc.ptu", "-INTEGRATE=io.c", "-USE=conf"});
    EXPECT_EQ(r.status, 0) << r.err;
    text = script("calc.ptu");
    EXPECT_NE(text.find(joined(lines{"", "-- Integrated file declarations io", ""} + externs + lines{""} +
                               begin_lines())),
              std::string::npos)
        << text;
    expect_compiles("calc.ptu");
}

TEST_F(Blocks, FrenchStubAndEnvironmentWords)
{
    write_file(dir + "/main.c", "int total;\n");
    write_file(dir + "/calc.c", "int get(int *p) { return *p; }\nint level;\n");
    tool_result r = run({"main.c", "main.ptu", "-SIMULE=calc.c"}, {{"MORVALAN", "FA"}});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string text = script("main.ptu");
    EXPECT_NE(text.find(joined({"", "-- D\xE9" "clarations du fichier simul\xE9 calc.c", "", "", "DEFINIR MUET calc_c",
                                "    #int get(int _inout p);", "    #int level;", "FIN DEFINIR", ""})),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(joined(environment("./calc.c", "ENV_calc_c", {var("", "VAR", "level", "0", french())},
                                           french(), "-- Environnement du fichier "))),
              std::string::npos)
        << text;
}

TEST_F(Blocks, RegressionNestedRecordDefinedInItsMember)
{
    // The inner record was once written by name only, an incomplete type.
    write_file(dir + "/nest.c", "struct outer { struct inner { int a; } in; int b; };\nstruct outer o;\n");
    tool_result r = run({"nest.c", "nest.ptu"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(script("nest.ptu").find(joined({"    #struct outer {", "    #\tstruct inner {", "    #\t\tint a;",
                                              "    #\t} in;", "    #\tint b;", "    #};", "    #extern struct outer o;"})),
              std::string::npos);
    EXPECT_NE(script("nest.ptu").find("  STRUCTURE o,\t\tinit = { in => { a => 0 }, b => 0 },\t\tev = init\n"),
              std::string::npos);
    expect_compiles("nest.ptu");
}

TEST(native_lines, ServicesBecomeFunctionsAndStubsStayAside)
{
    const std::string script = "##include <stdio.h>\n    #int x;\nDEFINE STUB s_c\n    #int f(int _in a);\nEND DEFINE\n"
                               "SERVICE f\n    #int a;\n        #ret_f = f(a);\nEND SERVICE -- f\n";
    EXPECT_EQ(native_translation_unit(script),
              "#include <stdio.h>\nint x;\nvoid morva_service_1(void)\n{\nint a;\nret_f = f(a);\n}\n");
}

} // namespace
