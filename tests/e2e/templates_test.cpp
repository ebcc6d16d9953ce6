// The installed morvastart on C++ sources with class templates: the template
// is copied with its parameter list, a variable of an instance is declared
// with the instance name ("Box<int> " then the variable), and the native
// lines compile with g++. A use that misses an argument without default
// warns with TEMINSINC at the line of the use. Expected lines are written by
// hand from the printing rules: "template <" the parameters (kind, name,
// " = " default) "> ", the keyword and name, the body; an instance's record
// is named without keyword.
#include "scratch_test.h"

namespace {

const std::string globals = "-- Declarations of the global variables of the tested file\n\n";
const std::string begin = separator + "\n\nBEGIN\n";

const script_case cases[] = {
    // The service's parameter is declared with the instance's type too.
    {.name = "instances_of_one_parameter_and_of_a_default_are_declared", .file = "pair.cpp",
     .source = "template <class K, class V = int> struct Pair { K k; V v; };\n"
               "template <class T> class Box { public: T v; };\nPair<char> pc;\nBox<int> bi;\n"
               "int read(Box<int> *b) { return b->v; }\n",
     .held = {globals + joined({"    #template <class K, class V = int> struct Pair { K k; V v; };",
                                "    #template <class T> class Box { public: T v; };", "    #extern Pair<char> pc;",
                                "    #extern Box<int> bi;", "    #extern int read(Box<int> *b);"}) + begin,
              "    #Box<int> b;\n"},
     .whole_services = false},
    {.name = "value_parameter_and_nested_instances_compile", .file = "arr.cpp",
     .source = "template <int N, class T = char> struct Arr { T items[N]; };\n"
               "template <class T> struct Box { T v; };\nArr<4> a4;\nBox<Box<short> > nested;\n",
     .held = {"    #template <int N, class T = char> struct Arr { T items[N]; };\n", "    #extern Arr< 4> a4;\n",
              "    #extern Box<Box<short> > nested;\n"},
     .whole_services = false},
    // The function template is copied as its declaration, after "template <class T> ".
    {.name = "function_templates_and_members_defined_outside_compile", .file = "ft.cpp",
     .source = "template <class T> T maximum(T a, T b) { return a > b ? a : b; }\n"
               "template <> int maximum<int>(int a, int b) { return a; }\n"
               "template <class T> class Stack { T items[10]; int top; public: void push(T x); };\n"
               "template <class T> void Stack<T>::push(T x) { items[top++] = x; }\n"
               "Stack<double> sd;\nint use(int x) { return maximum(x, 2); }\n",
     .held = {"    #template <class T> T maximum(T a, T b);\n", "    #extern Stack<double> sd;\n"},
     .whole_services = false},
    {.name = "instances_behind_typedefs_pointers_and_arrays", .file = "td.cpp",
     .source = "template <class T, class U = T> struct Pair { T first; U second; Pair<T, U> *link; };\n"
               "typedef Pair<int> IntPair;\nIntPair ip;\nconst Pair<char, long> *cp;\nPair<int> pairs[3];\n"
               "int sum(IntPair p, Pair<short> q) { return p.first + q.second; }\n",
     .held = {globals +
                  joined({"    #template <class T, class U = T> struct Pair { T first; U second; Pair<T, U> *link; };",
                          "    #typedef Pair<int> IntPair;", "    #extern IntPair ip;",
                          "    #extern const Pair<char, long> *cp;", "    #extern Pair<int> pairs[3];",
                          "    #extern int sum(IntPair p, Pair<short> q);"}) +
                  begin,
              "    #Pair<short> q;\n"},
     .whole_services = false},
};

struct template_scripts : script_test {};

TEST_P(template_scripts, script)
{
    check_case();
}

INSTANTIATE_TEST_SUITE_P(sources, template_scripts, testing::ValuesIn(cases), script_case_name);

struct template_runs : scratch_test {};

TEST_F(template_runs, missing_argument_warns_at_the_use)
{
    put("two.cpp", "template <class A, class B> struct Two { A a; B b; };\nTwo<int> t;\nint after;\n");
    const tool_result r = run({"two.cpp", "two.ptu"});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_TRUE(holds(r.err, "Tolvex-W-TEMINSINC,  Incorrect template instantiation: [./two.cpp:2] \n"));
    // The analysis went on after the failed instance.
    EXPECT_TRUE(holds(file("two.ptu"), "    #extern int after;\n"));
}

} // namespace
