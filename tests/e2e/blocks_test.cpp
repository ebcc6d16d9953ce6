// The installed morvastart writing the blocks drawn from analysed C sources:
// copied declarations, environments, stubs and services. Every expected
// script is written out by hand from the rules of each block; the native
// lines of every generated script must also pass gcc -fsyntax-only.
#include "scratch_test.h"

namespace {

const std::string globals_comment = "-- Declarations of the global variables of the tested file";
const lines begin_lines = {separator, "", "BEGIN", ""};

// The header of "morvastart <base>.c <base>.ptu" with the options' image.
lines header_of(const std::string& base, const std::string& options = "", const std::string& files = "")
{
    return header("morvastart \"" + base + ".c\" \"" + base + ".ptu\"" + options, "./" + base + ".ptu",
                  files.empty() ? "\"./" + base + ".c\" " : files);
}

struct Blocks : scratch_test {};

const std::string calc_source = "int counter;\n"
                                "int add(int a, int b) { return a + b; }\n"
                                "void reset(void) { counter = 0; }\n";

// The layout of calc.c in one language; add comes before reset in the
// buckets (both names sum to 7 modulo 10, lengths 3 and 5).
lines calc_body(const words& w, const std::string& header_keyword, const std::string& begin_keyword,
                const lines& titles, const std::string& globals)
{
    return lines{header_keyword + " calc, , ", ""} + title(titles[0]) +
           lines{"", globals, "", "    #extern int counter;", "    #extern int add(int a, int b);",
                 "    #extern void reset(void);"} +
           lines{separator, "", begin_keyword, ""} + title(titles[1]) + lines{""} + short_title(titles[2]) +
           environment("./calc.c", "ENV_calc_c", {var("VAR", "counter", "0", w)}, w) + title(titles[3]) +
           service({"add", {"int a;", "int b;"}, "int ret_add;", "",
                    {var("VAR", "a", "0", w), var("VAR", "b", "0", w), var("VAR", "ret_add", "0", w)},
                    {"ret_add = add(a, b);"}},
                   w) +
           service({"reset", {}, "", "", {}, {"reset();"}}, w);
}

TEST_F(Blocks, CalcWithAGlobalAndTwoFunctionsInEachLanguage)
{
    const lines english_titles = {"-- TESTED FILE DECLARATIONS ", "-- ENVIRONMENTS DECLARATIONS",
                                  "-- TESTED FILE ENVIRONNEMENT", "-- SERVICES DECLARATIONS"};
    const lines french_titles = {"-- DECLARATIONS LIEES AU FICHIER TESTE ", "-- DECLARATIONS DES ENVIRONNEMENTS",
                                 "-- ENVIRONNEMENT DU FICHIER TESTE", "-- DECLARATIONS DES SERVICES"};
    const struct {
        const char* language;
        const words& w;
        const char *header, *begin;
        const lines& titles;
        std::string globals;
    } languages[] = {
        {"GB", english, "HEADER", "BEGIN", english_titles, globals_comment},
        {"FR", french, "ENTETE", "DEBUT", french_titles, "-- Declarations des variables globales du fichier teste"},
        {"FA", french_accented, "ENTETE", "DEBUT", french_titles,
         "-- D\xE9" "clarations des variables globales du fichier test\xE9"}};
    for (const auto& l : languages) {
        SCOPED_TRACE(l.language);
        const std::string text = generate("calc.c", calc_source, {}, {{"MORVALAN", l.language}});
        EXPECT_EQ(text, joined(header_of("calc") + calc_body(l.w, l.header, l.begin, l.titles, l.globals)));
        expect_compiles(text);
    }
}

TEST_F(Blocks, StaticsOnlyWithInsert)
{
    // hidden is in bucket 6, shown in bucket 95.
    std::string text = generate("keep.c", "static int hidden;\nint shown;\nstatic int helper(int v) { return v; }\n");
    EXPECT_EQ(text, joined(header_of("keep") + lines{"HEADER keep, , ", ""} +
                           tested_sections("keep", {"    #extern int shown;"}, {var("VAR", "shown", "0")}) +
                           services({})));
    expect_compiles(text);

    const tool_result r = run({"keep.c", "inserted.ptu", "-INSERT"});
    EXPECT_EQ(r.status, 0) << r.err;
    text = script("inserted.ptu");
    EXPECT_EQ(text, joined(header("morvastart \"keep.c\" \"inserted.ptu\" -INSERT", "./inserted.ptu", "") +
                           lines{"HEADER keep, , ", ""} + title("-- INCLUDED FILE DECLARATIONS (-INCLUDED OPTION)") +
                           lines{"", "##include \"./keep.c\"", ""} + begin_lines +
                           title("-- ENVIRONMENTS DECLARATIONS") + lines{""} +
                           short_title("-- INCLUDED FILE ENVIRONNEMENT") +
                           environment("./keep.c", "ENV_keep_c",
                                       {var("VAR", "hidden", "0"), var("VAR", "shown", "0")}) +
                           services({{"helper", {"int v;"}, "int ret_helper;", "",
                                      {var("VAR", "v", "0"), var("VAR", "ret_helper", "0")},
                                      {"ret_helper = helper(v);"}}})));
    expect_compiles(text);
}

TEST_F(Blocks, GlobalsOfEachKind)
{
    // Buckets: grid 24, limit 35 (const: no line), shade 75, origin 86.
    const std::string text = generate("kinds.c", "struct point { int x; const int y; };\nstruct point origin;\n"
                                                 "const int limit = 3;\nint grid[2][3];\nenum colour { red, green };\n"
                                                 "enum colour shade;\n");
    EXPECT_EQ(text,
              joined(header_of("kinds") + lines{"HEADER kinds, , ", ""} +
                     tested_sections("kinds",
                                     {"    #struct point {", "    #\tint x;", "    #\tconst int y;", "    #};",
                                      "    #enum colour{", "    #\tred,", "    #\tgreen", "    #};",
                                      "    #extern struct point origin;", "    #extern const int limit;",
                                      "    #extern int grid[2][3];", "    #extern enum colour shade;"},
                                     {var("ARRAY", "grid", "{ others => { others => 0 } }"), var("VAR", "shade", "red"),
                                      var("STRUCTURE", "origin", "{ x => 0 }")}) +
                     services({})));
    expect_compiles(text);
}

TEST_F(Blocks, SimulatedFiles)
{
    put("calc.c", "int get(int *p) { return *p; }\nint level;\n");
    put("types.c", "struct only { int a; };\n");
    put("my-lib.c", "int lib_level;\n");
    const std::string text = generate("main.c", "int total;\n", {"-SIMULATE=calc.c,types.c,my-lib.c"});
    EXPECT_EQ(text,
              joined(header_of("main", " -SIMULATE=\"calc.c,types.c,my-lib.c\"") + lines{"HEADER main, , ", ""} +
                     title("-- TESTED FILE DECLARATIONS ") +
                     lines{"", globals_comment, "", "    #extern int total;"} + begin_lines +
                     title("-- STUB DECLARATIONS OF THE SIMULATED FILES") +
                     lines{"", "-- Simulated file declarations calc.c", "", "", "DEFINE STUB calc_c",
                           "    #int get(int _inout p);", "    #int level;", "END DEFINE", ""} +
                     lines{"", "-- Simulated file declarations types.c", "", "    #struct only {", "    #\tint a;",
                           "    #};"} +
                     lines{"", "-- Simulated file declarations my-lib.c", "", "", "DEFINE STUB my_lib_c",
                           "    #int lib_level;", "END DEFINE", ""} +
                     title("-- ENVIRONMENTS DECLARATIONS") + lines{""} +
                     short_title("-- SIMULATED FILES ENVIRONNEMENTS") +
                     environment("./calc.c", "ENV_calc_c", {var("VAR", "level", "0")}) +
                     environment("./my-lib.c", "ENV_my_lib_c", {var("VAR", "lib_level", "0")}) +
                     short_title("-- TESTED FILE ENVIRONNEMENT") +
                     environment("./main.c", "ENV_main_c", {var("VAR", "total", "0")}) +
                     title("-- SERVICES DECLARATIONS")));
    expect_compiles(text);
}

TEST_F(Blocks, StubOfUnnamedParametersWarnsOnce)
{
    // Each unnamed parameter of a function with several is reported; the
    // repeat at the same place is counted without being shown again.
    put("main.c", "int total;\n");
    put("sim.c", "int two(int, int) { return 0; }\nint one(int) { return 1; }\n");
    const tool_result r = run({"main.c", "main.ptu", "-SIMULATE=sim.c"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("\nTolvex-W-NOMPARINC,  Bad parameter name two\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("End of execution with 2 warning(s)"), std::string::npos) << r.err;
    // Stub prototypes follow the order of the source.
    EXPECT_NE(script("main.ptu").find(joined({"", "DEFINE STUB sim_c", "    #int two(int, int);", "    #int one(int);",
                                              "END DEFINE", ""})),
              std::string::npos);
}

// Each case: a source, then lines (or runs of lines) its script must hold
// and, for the first ones, its services.
const script_case cases[] = {
    {"PointerParametersHoldWhatTheyPointTo", "text.c",
     "char *label(int *p, char *s, unsigned char *u, void *v, int **pp) { return s; }\n", {},
     {"    #extern char *label(int *p, char *s, unsigned char *u, void *v, int **pp);\n"},
     {{"label", {"int p;", "char s[200];", "unsigned char u;", "void *v;", "int *pp;"}, "char *ret_label;", "",
       {var("VAR", "p", "0"), var("VAR", "s", "\"\""), var("VAR", "u", "0"), var("VAR", "v", "0"),
        var("VAR", "pp", "NIL"), var("VAR", "ret_label", "\"\"")},
       {"ret_label = label(&p, s, &u, v, &pp);"}}}},
    // pick (bucket 34) comes before stop (bucket 44).
    {"UnnamedParameterIsNamedAfterItsPosition", "pick.c", "int pick(int, int b) { return b; }\nvoid stop(void) { }\n",
     {}, {},
     {{"pick", {"int param_1;", "int b;"}, "int ret_pick;", "",
       {var("VAR", "param_1", "0"), var("VAR", "b", "0"), var("VAR", "ret_pick", "0")},
       {"ret_pick = pick(param_1, b);"}},
      {"stop", {}, "", "", {}, {"stop();"}}}},
    {"ConstGlobalKeepsAnEmptyEnvironment", "fixed.c", "const double rate = 1.5;\n", {},
     {joined(environment("./fixed.c", "ENV_fixed_c", {}))}},
    {"ParametersOfOtherKinds", "misc.c",
     "struct pair { int a; int b; };\ntypedef int *int_ptr;\nint sum(int n, ...) { return n; }\n"
     "int apply(int (*cb)(int), struct pair p, const struct pair *q, int **pp, int_ptr ip, double m[][4])"
     " { return 0; }\nint (*chooser(int k))(int) { return 0; }\n",
     {},
     {"    #extern int sum(int n, ...);\n", "        #ret_sum = sum(n);\n", "    #int ( *cb)(int);\n",
      "    #struct pair p;\n", "    #int *pp;\n", "    #int_ptr ip;\n", "    #double m[100][4];\n",
      "        #ret_apply = apply(cb, p, &q, &pp, ip, m);\n", "    #int ( *ret_chooser)(int);\n",
      "    STRUCTURE p,\t\tinit = { a => 0, b => 0 },\t\tev = init\n", "    VAR ip,\t\tinit = NIL,\t\tev = init\n"},
     {},
     false},
    {"AnonymousRecordsAreWrittenWithTheirBodies", "anon.c",
     "struct { int a; } settings;\ntypedef enum { low, high } level_t;\n"
     "level_t level;\nint set(struct { int b; } *s) { return 0; }\n",
     {},
     {joined({"    #typedef enum {", "    #\tlow,", "    #\thigh", "    #} level_t;", "    #extern struct {",
              "    #\tint a;", "    #} settings;", "    #extern level_t level;"}),
      "  STRUCTURE settings,\t\tinit = { a => 0 },\t\tev = init\n", "  VAR level,\t\tinit = low,\t\tev = init\n"},
     {},
     false,
     "",
     false},  // the service's unnamed struct is not the parameter's: gcc refuses the call
    {.name = "FrenchStubAndEnvironmentWords", .file = "main.c",
     .source = "int total;\n", .options = {"-SIMULE=calc.c"},
     .held = {joined({"", "-- D\xE9" "clarations du fichier simul\xE9 calc.c", "", "", "DEFINIR MUET calc_c",
                      "    #int get(int _inout p);", "    #int level;", "FIN DEFINIR", ""}),
              joined(environment("./calc.c", "ENV_calc_c", {var("VAR", "level", "0", french)}, french))},
     .whole_services = false, .env = {{"MORVALAN", "FA"}},
     .others = {{"calc.c", "int get(int *p) { return *p; }\nint level;\n"}}},
    // Regression: the inner record was once written by name only, an incomplete type.
    {"RegressionNestedRecordDefinedInItsMember", "nest.c",
     "struct outer { struct inner { int a; } in; int b; };\nstruct outer o;\n",
     {},
     {joined({"    #struct outer {", "    #\tstruct inner {", "    #\t\tint a;", "    #\t} in;", "    #\tint b;",
              "    #};", "    #extern struct outer o;"}),
      "  STRUCTURE o,\t\tinit = { in => { a => 0 }, b => 0 },\t\tev = init\n"}},
};

struct BlockScripts : script_test {};

TEST_P(BlockScripts, Script)
{
    check_case();
}

INSTANTIATE_TEST_SUITE_P(Sources, BlockScripts, testing::ValuesIn(cases), script_case_name);

TEST_F(Blocks, IntegratedFileAndTypesKnownFromAUsedHeader)
{
    put("io.c", "struct conf { int level; };\nstruct conf config;\nint read_conf(struct conf *c) { return 0; }\n");
    put("conf.h", "struct conf { int level; };\n");
    const lines externs = {"    #extern struct conf config;", "    #extern int read_conf(struct conf *c);"};
    std::string text = generate("calc.c", "int total;\n", {"-INTEGRATE=io.c"});
    EXPECT_TRUE(holds(text, joined(title("-- TO THE TEST NECESSARY DECLARATIONS (-INTEGRATE OPTION)") +
                                   lines{"", "-- Integrated file declarations io", "", "    #struct conf {",
                                         "    #\tint level;", "    #};"} +
                                   externs + lines{""} + begin_lines)));
    EXPECT_TRUE(holds(text, joined(short_title("-- INTEGRATED FILES ENVIRONNEMENTS") +
                                   environment("./io.c", "ENV_io_c", {var("STRUCTURE", "config", "{ level => 0 }")}))));
    expect_compiles(text);

    // A type the -USE header declares is not copied again.
    text = generate("calc.c", "int total;\n", {"-INTEGRATE=io.c", "-USE=conf"});
    EXPECT_TRUE(
        holds(text, joined(lines{"", "-- Integrated file declarations io", ""} + externs + lines{""} + begin_lines)));
    expect_compiles(text);
}

TEST(native_lines, ServicesBecomeFunctionsAndStubsStayAside)
{
    const std::string script = "##include <stdio.h>\n    #int x;\nDEFINE STUB s_c\n    #int f(int _in a);\nEND DEFINE\n"
                               "SERVICE f\n    #int a;\n        #ret_f = f(a);\nEND SERVICE -- f\n";
    EXPECT_EQ(native_translation_unit(script),
              "#include <stdio.h>\nint x;\nvoid morva_service_1(void)\n{\nint a;\nret_f = f(a);\n}\n");
}

} // namespace
