// The installed morvastart on C++ sources: the services of member functions
// (constructors, destructors, operators, overloads, namespace members,
// members of a class that befriends the test class) and the structure
// values of derived classes. Every expected block is written out by hand
// from the rules of the service blocks; the native lines of each script
// must pass g++ -fsyntax-only.
#include "scratch_test.h"

namespace {

// The line of the object pointer of a constructor or destructor.
std::string object_pointer(const std::string& name, const std::string& value)
{
    return "STRUCTURE *" + name + ",\t\tinit == ,\t\tev = " + value;
}

const std::string vault_source = "class Vault {\n    friend class TestClass;\n    int code;\n"
                                 "    int open(int key) { return key == code; }\npublic:\n    int label;\n};\n";
const std::string counter = "{ value => 0 }";

const script_case cases[] = {
    // The class has member functions: it is copied among the types whose
    // parameters are tested, with its labels and member declarations.
    // Members in declaration order; the private one gives no service.
    {"ClassWithConstructorsDestructorOperatorAndPrivateMember", "counter.cpp",
     "class Counter {\npublic:\n    Counter() { value = 0; }\n    Counter(int start) { value = start; }\n"
     "    ~Counter() { }\n    int add(int step) { value += step; return value; }\n"
     "    int operator[](int i) { return value + i; }\n    int value;\nprivate:\n"
     "    int secret() { return 1; }\n    int hidden;\n};\n",
     {},
     {joined(title("-- TESTED FILE DECLARATIONS ") +
            lines{"", "-- Declarations of the types whose parameters are tested", "", "    #class Counter {",
                  "    #\t  public:", "    #\tCounter();", "    #\tCounter(int start);", "    #\t~Counter();",
                  "    #\tint add(int step);", "    #\tint operator [](int i);", "    #\tint value;",
                  "    #\t  private:", "    #\tint secret();", "    #\tint hidden;", "    #};"} +
            tested_globals)},
     {{"Counter_Counter", {}, "Counter *pt_Counter;", "", {object_pointer("pt_Counter", counter)},
       {"pt_Counter = new Counter;"}},
      {"Counter_Counter_2", {"int start;"}, "Counter *pt_Counter;", "",
       {var("VAR", "start", "0"), object_pointer("pt_Counter", counter)}, {"pt_Counter = new Counter(start);"}},
      {"Counter_destructor_Counter", {}, "Counter *pt_destructor_Counter;", "",
       {object_pointer("pt_destructor_Counter", counter)}, {"delete pt_destructor_Counter;"}},
      {"Counter_add", {"int step;"}, "int ret_Counter_add;", "Counter Counter_instance;",
       {var("VAR", "step", "0"), var("VAR", "ret_Counter_add", "0"), var("STRUCTURE", "Counter_instance", counter)},
       {"ret_Counter_add = Counter_instance.add(step);"}},
      {"Counter_operator_subscript", {"int i;"}, "int ret_Counter_operator_subscript;", "Counter Counter_instance;",
       {var("VAR", "i", "0"), var("VAR", "ret_Counter_operator_subscript", "0"),
        var("STRUCTURE", "Counter_instance", counter)},
       {"ret_Counter_operator_subscript = Counter_instance.operator [](i);"}}}},
    // A structure without data members has the value "{  }".
    {"OverloadsGetNumberedServices", "calc.cpp",
     "struct Calc {\n    int twice(int a) { return 2 * a; }\n    double twice(double d) { return 2 * d; }\n};\n",
     {}, {},
     {{"Calc_twice", {"int a;"}, "int ret_Calc_twice;", "Calc Calc_instance;",
       {var("VAR", "a", "0"), var("VAR", "ret_Calc_twice", "0"), var("STRUCTURE", "Calc_instance", "{  }")},
       {"ret_Calc_twice = Calc_instance.twice(a);"}},
      {"Calc_twice_2", {"double d;"}, "double ret_Calc_twice_2;", "Calc Calc_instance;",
       {var("VAR", "d", "0.0"), var("VAR", "ret_Calc_twice_2", "0.0"), var("STRUCTURE", "Calc_instance", "{  }")},
       {"ret_Calc_twice_2 = Calc_instance.twice(d);"}}}},
    // The functions come before the member functions, so the function A_f
    // keeps its name and the member f of A becomes A_f_2. A void member
    // without parameters still declares its object, so it has an environment.
    {"MemberBesideAFunctionOfTheSameIdentifier", "clash.cpp",
     "int A_f(int z) { return z; }\nstruct A { void f(void) { } };\n", {}, {"    #extern int A_f(int z);\n"},
     {{"A_f", {"int z;"}, "int ret_A_f;", "", {var("VAR", "z", "0"), var("VAR", "ret_A_f", "0")},
       {"ret_A_f = A_f(z);"}},
      {"A_f_2", {}, "", "A A_instance;", {var("STRUCTURE", "A_instance", "{  }")}, {"A_instance.f();"}}}},
    {"MemberDefinedOutsideItsClass", "gauge.cpp",
     "class Gauge {\npublic:\n    int level;\n    void set(int v);\n};\nvoid Gauge::set(int v) { level = v; }\n",
     {}, {},
     {{"Gauge_set", {"int v;"}, "", "Gauge Gauge_instance;",
       {var("VAR", "v", "0"), var("STRUCTURE", "Gauge_instance", "{ level => 0 }")}, {"Gauge_instance.set(v);"}}}},
    {"PureAndUndefinedMembersGiveNoService", "shape.cpp",
     "class Shape {\npublic:\n    virtual int area() = 0;\n    int sides();\n};\n", {}, {}, {}},
    // Outer (bucket 75) comes before Inner (bucket 85) in the tags; the
    // nested class is visited from Outer, right after Outer's own members.
    {"NestedClassMembersComeWithTheirClass", "outer.cpp",
     "struct Outer {\n    struct Inner { int get() { return 1; } };\n    int size() { return 2; }\n};\n", {}, {},
     {{"Outer_Inner_get", {}, "int ret_Outer_Inner_get;", "Outer::Inner Outer_Inner_instance;",
       {var("VAR", "ret_Outer_Inner_get", "0"), var("STRUCTURE", "Outer_Inner_instance", "{  }")},
       {"ret_Outer_Inner_get = Outer_Inner_instance.get();"}},
      {"Outer_size", {}, "int ret_Outer_size;", "Outer Outer_instance;",
       {var("VAR", "ret_Outer_size", "0"), var("STRUCTURE", "Outer_instance", "{  }")},
       {"ret_Outer_size = Outer_instance.size();"}}}},
    // The private member gets its service and the private data member is
    // part of the instance's value. The calls run in the test class, which
    // the unit has not: access checks off.
    {"ClassBefriendingTheTestClass", "vault.cpp", vault_source, {"-CLASS=TestClass"}, {},
     {{"Vault_open", {"int key;"}, "int ret_Vault_open;", "Vault Vault_instance;",
       {var("VAR", "key", "0"), var("VAR", "ret_Vault_open", "0"),
        var("STRUCTURE", "Vault_instance", "{ code => 0, label => 0 }")},
       {"ret_Vault_open = Vault_instance.open(key);"}}},
     true, "-fno-access-control"},
    {"ClassBefriendingAnotherClassKeepsItsPrivateMembers", "vault.cpp", vault_source, {}, {}, {}},
    // The namespace is copied as a block (a class N would clash with the
    // using directive), nested namespaces inside it. Tags: M (bucket 71)
    // before N (bucket 81). A namespace member has no object under test.
    {"NamespaceFunctionIsCalledAfterUsingItsNamespace", "geo.cpp",
     "namespace N {\n    int f(int a) { return a; }\n    namespace M { double half(double d) { return d / 2; } }\n}\n",
     {}, {"    #namespace N {\n    #int f(int a);\n    #namespace M {\n    #double half(double d);\n    #}\n    #}\n"},
     {{"N_M_half", {"double d;"}, "double ret_N_M_half;", "",
       {var("VAR", "d", "0.0"), var("VAR", "ret_N_M_half", "0.0")},
       {"using namespace N::M;", "ret_N_M_half = half(d);"}},
      {"N_f", {"int a;"}, "int ret_N_f;", "", {var("VAR", "a", "0"), var("VAR", "ret_N_f", "0")},
       {"using namespace N;", "ret_N_f = f(a);"}}}},
    // The instance Box<int> is named "Box<int> " (with its blank), so its
    // identifier form is Box_int__ and its object Box_int__instance. put has
    // no body in the template: the instance's declarations are analysed
    // again with empty bodies, so it has its service too.
    {"TemplateInstanceOfOneParameter", "box.cpp",
     "template <class T> class Box {\npublic:\n    T item;\n    T get() { return item; }\n    void put(T v);\n};\n"
     "Box<int> b;\n",
     {}, {"    #template <class T> class Box {\n    #public:\n    #    T item;\n"},
     {{"Box_int__get", {}, "int ret_Box_int__get;", "Box<int> Box_int__instance;",
       {var("VAR", "ret_Box_int__get", "0"), var("STRUCTURE", "Box_int__instance", "{ item => 0 }")},
       {"ret_Box_int__get = Box_int__instance.get();"}},
      {"Box_int__put", {"int v;"}, "", "Box<int> Box_int__instance;",
       {var("VAR", "v", "0"), var("STRUCTURE", "Box_int__instance", "{ item => 0 }")}, {"Box_int__instance.put(v);"}}}},
    // V is bound to its default int: value returns an int.
    {"TemplateWithADefaultSecondParameter", "pair.cpp",
     "template <class K, class V = int> struct Pair {\n    K k;\n    V v;\n    V value() { return v; }\n};\n"
     "Pair<char> p;\n",
     {}, {},
     {{"Pair_char__value", {}, "int ret_Pair_char__value;", "Pair<char> Pair_char__instance;",
       {var("VAR", "ret_Pair_char__value", "0"), var("STRUCTURE", "Pair_char__instance", "{ k => 0, v => 0 }")},
       {"ret_Pair_char__value = Pair_char__instance.value();"}}}},
    // The instance is named through the namespace (N_A_instance) and its
    // class is written qualified; a class member needs no using directive.
    {"ClassInsideANamespace", "inner.cpp", "namespace N { struct A { int f(int x) { return x; } }; }\n", {},
     {"    #namespace N {\n    #struct A {\n    #\tint f(int x);\n    #};\n    #}\n"},
     {{"N_A_f", {"int x;"}, "int ret_N_A_f;", "N::A N_A_instance;",
       {var("VAR", "x", "0"), var("VAR", "ret_N_A_f", "0"), var("STRUCTURE", "N_A_instance", "{  }")},
       {"ret_N_A_f = N_A_instance.f(x);"}}}},
    // Buckets: o 11, g 31, h 41. Private inheritance makes every inherited
    // member private, protected inheritance turns pub into a protected
    // member; only public inheritance keeps pub settable.
    {"DerivedClassesValuesFollowTheirBaseAccess", "derived.cpp",
     "class Base { public: int pub; protected: int prot; private: int priv; };\n"
     "class Hidden : private Base { public: int own; };\nclass Guarded : protected Base { public: int mine; };\n"
     "class Open : public Base { public: int extra; };\nHidden h;\nGuarded g;\nOpen o;\n",
     {},
     {joined(environment("./derived.cpp", "ENV_derived_cpp",
                         {var("STRUCTURE", "o", "{ extra => 0, pub => 0 }"), var("STRUCTURE", "g", "{ mine => 0 }"),
                          var("STRUCTURE", "h", "{ own => 0 }")}))},
     {}},
    // Members inherited from a base that befriends the test class are
    // settable, even private ones; the derived class's own private members
    // are not (it does not befriend the test class itself).
    {"InheritedMembersOfABaseBefriendingTheTestClass", "kin.cpp",
     "class Safe { friend class TestClass; int s; };\nclass Heir : public Safe { int own; public: int d; };\n"
     "Heir heir;\n",
     {"-CLASS=TestClass"}, {"  " + var("STRUCTURE", "heir", "{ d => 0, s => 0 }") + "\n"}, {}},
    // Regression: a namespace used to be copied as "class N;", which g++
    // rejects beside "using namespace N;".
    {.name = "RegressionNamespaceWasCopiedAsAClassDeclaration", .file = "space.cpp",
     .source = "namespace N { int count; }\nint read(void) { return 0; }\n",
     .held = {"    #namespace N {\n    #extern int count;\n    #}\n"},
     .whole_services = false, .absent = {"class N"}},
    // The class is copied in mode 4 (a pure member keeps its "\t= 0"); the
    // stub has a prototype per member with a body, in member order, the
    // pointer parameter without its pointer level and marked _inout.
    {.name = "SimulatedClassGetsMemberStubs", .file = "user.cpp",
     .source = "int use(int a) { return a; }\n", .options = {"-SIMUL=device.cpp"},
     .held = {joined({"", "-- Simulated file declarations device.cpp", "", "    #class Device {", "    #\t  public:",
                      "    #\tDevice(int port);", "    #\t~Device();", "    #\tint read(int *buffer, int size);",
                      "    #\tvirtual void reset()\t= 0;", "    #\tint status();", "    #\t  private:",
                      "    #\tint port_;", "    #};", "", "DEFINE STUB device_cpp",
                      "    #Device::Device(int _in port);",
                      "    #Device::~Device();", "    #int Device::read(int _inout buffer, int _in size);",
                      "    #int Device::status();", "END DEFINE", ""})},
     .whole_services = false,
     .others = {{"device.cpp", "class Device {\npublic:\n    Device(int port);\n    ~Device();\n"
                               "    int read(int *buffer, int size);\n    virtual void reset() = 0;\n"
                               "    int status() { return 0; }\nprivate:\n    int port_;\n};\n"
                               "Device::Device(int port) { port_ = port; }\nDevice::~Device() { }\n"
                               "int Device::read(int *buffer, int size) { return size; }\n"}}},
    // Regression: the verbatim body of a copied template used to continue on
    // lines without "    #", which the script would read as statements.
    {.name = "RegressionTemplateBodyLinesLackedTheNativeMark", .file = "stack.cpp",
     .source = "template <class T> struct Stack {\n  T top;\n};\nStack<long> s;\n",
     .held = {"    #template <class T> struct Stack {\n    #  T top;\n    #};\n"},
     .absent = {"\n  T top;"}},
    {.name = "InstanceCommentInTheAccentedFrenchColumn", .file = "lamp.cpp",
     .source = "struct Lamp { void on(void) { } };\n",
     .held = {joined(service({"Lamp_on", {}, "", "Lamp Lamp_instance;",
                              {var("STRUCTURE", "Lamp_instance", "{  }", french_accented)}, {"Lamp_instance.on();"}},
                             french_accented))},
     .whole_services = false, .env = {{"MORVALAN", "FA"}}},
};

struct Members : scratch_test {};
struct MemberServices : script_test {};

TEST_P(MemberServices, Script)
{
    check_case();
}

INSTANTIATE_TEST_SUITE_P(Sources, MemberServices, testing::ValuesIn(cases), script_case_name);

TEST_F(Members, FriendFunctionIsServedOnceAsAFunction)
{
    // A friend function defined in the class is a function of the file,
    // not a member: one service, peek, called without an object.
    const std::string text = generate("meter.cpp", "class Meter {\n    int raw;\npublic:\n"
                                                   "    friend int peek(Meter m) { return m.raw; }\n"
                                                   "    int get() { return raw; }\n};\n");
    std::vector<std::string> headings;
    for (std::size_t at = text.find("\nSERVICE "); at != std::string::npos; at = text.find("\nSERVICE ", at + 1))
        headings.push_back(text.substr(at + 9, text.find('\n', at + 1) - at - 9));
    EXPECT_EQ(headings, (std::vector<std::string>{"peek", "Meter_get"}));
    EXPECT_TRUE(holds(text, "        #ret_peek = peek(m);\n"));
    expect_compiles(text, true);
}

} // namespace
