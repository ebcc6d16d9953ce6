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

struct template_scripts : scratch_test {};

TEST_F(template_scripts, instances_of_one_parameter_and_of_a_default_are_declared)
{
    const std::string script = generate("pair.cpp", "template <class K, class V = int> struct Pair { K k; V v; };\n"
                                                    "template <class T> class Box { public: T v; };\n"
                                                    "Pair<char> pc;\nBox<int> bi;\n"
                                                    "int read(Box<int> *b) { return b->v; }\n");
    const lines expected = {"-- Declarations of the global variables of the tested file", "",
                            "    #template <class K, class V = int> struct Pair { K k; V v; };",
                            "    #template <class T> class Box { public: T v; };", "    #extern Pair<char> pc;",
                            "    #extern Box<int> bi;", "    #extern int read(Box<int> *b);", separator, ""};
    EXPECT_TRUE(holds(script, joined(expected) + "BEGIN\n"));
    // The service's parameter is declared with the instance's type too.
    EXPECT_TRUE(holds(script, "    #Box<int> b;\n"));
    expect_compiles(script, true);
}

TEST_F(template_scripts, value_parameter_and_nested_instances_compile)
{
    const std::string script = generate("arr.cpp", "template <int N, class T = char> struct Arr { T items[N]; };\n"
                                                   "template <class T> struct Box { T v; };\n"
                                                   "Arr<4> a4;\nBox<Box<short> > nested;\n");
    EXPECT_TRUE(holds(script, "    #template <int N, class T = char> struct Arr { T items[N]; };\n"));
    EXPECT_TRUE(holds(script, "    #extern Arr< 4> a4;\n"));
    EXPECT_TRUE(holds(script, "    #extern Box<Box<short> > nested;\n"));
    expect_compiles(script, true);
}

TEST_F(template_scripts, function_templates_and_members_defined_outside_compile)
{
    const std::string script =
        generate("ft.cpp", "template <class T> T maximum(T a, T b) { return a > b ? a : b; }\n"
                           "template <> int maximum<int>(int a, int b) { return a; }\n"
                           "template <class T> class Stack { T items[10]; int top; public: void push(T x); };\n"
                           "template <class T> void Stack<T>::push(T x) { items[top++] = x; }\n"
                           "Stack<double> sd;\nint use(int x) { return maximum(x, 2); }\n");
    // The function template is copied as its declaration, after "template <class T> ".
    EXPECT_TRUE(holds(script, "    #template <class T> T maximum(T a, T b);\n"));
    EXPECT_TRUE(holds(script, "    #extern Stack<double> sd;\n"));
    expect_compiles(script, true);
}

TEST_F(template_scripts, instances_behind_typedefs_pointers_and_arrays)
{
    const std::string script =
        generate("td.cpp", "template <class T, class U = T> struct Pair { T first; U second; Pair<T, U> *link; };\n"
                           "typedef Pair<int> IntPair;\nIntPair ip;\nconst Pair<char, long> *cp;\nPair<int> pairs[3];\n"
                           "int sum(IntPair p, Pair<short> q) { return p.first + q.second; }\n");
    const lines expected = {
        "-- Declarations of the global variables of the tested file", "",
        "    #template <class T, class U = T> struct Pair { T first; U second; Pair<T, U> *link; };",
        "    #typedef Pair<int> IntPair;", "    #extern IntPair ip;", "    #extern const Pair<char, long> *cp;",
        "    #extern Pair<int> pairs[3];", "    #extern int sum(IntPair p, Pair<short> q);", separator, ""};
    EXPECT_TRUE(holds(script, joined(expected) + "BEGIN\n"));
    EXPECT_TRUE(holds(script, "    #Pair<short> q;\n"));
    expect_compiles(script, true);
}

TEST_F(template_scripts, missing_argument_warns_at_the_use)
{
    put("two.cpp", "template <class A, class B> struct Two { A a; B b; };\nTwo<int> t;\nint after;\n");
    const tool_result r = run({"two.cpp", "two.ptu"});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("Tolvex-W-TEMINSINC,  Incorrect template instantiation: [./two.cpp:2] \n"), std::string::npos)
        << r.err;
    // The analysis went on after the failed instance.
    EXPECT_NE(read_file(dir + "/two.ptu").find("    #extern int after;\n"), std::string::npos);
}

} // namespace
