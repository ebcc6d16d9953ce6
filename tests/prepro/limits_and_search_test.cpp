// Limits and searches that ordinary sources seldom reach: the size limit of
// joined variable arguments, the #include_next search order, the target
// hooks of the sizeof and signof pragmas with what #if sizeof sees, the
// include list taken from the environment, include recursion down to the
// last input level, and the end of a file inside a comment, a constant or a
// macro call. The fatal ends are run twice: once with a capturing report
// function, to see code, kind, argument and position, and once as a death
// test through the real reporting, to see the exact line and status.
#include "prepro_fixture.h"

#include <algorithm>
#include <set>

#include "diag/message_catalogue.h"
#include "diag/report.h"

namespace {

// Escapes a text for the extended regular expressions of death tests.
std::string literal(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos)
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

// Runs text through the real reporting: the one fatal line, then status 7.
void expect_fatal_run(preprocessor& pp, name_table& table, const std::string& text, const std::string& line)
{
    register_all_messages();
    reset_reporting();
    EXPECT_EXIT(
        {
            std::string out;
            pp.preprocess_text(text, false, "", 0, out, table, report_with_position);
        },
        testing::ExitedWithCode(7), "^" + literal(line) + "$");
}

} // namespace

// ---- TOMANYARG: the count warning and the size limit of joined arguments ----

class variable_argument_limit : public prepro_ready {
protected:
    void SetUp() override
    {
        prepro_ready::SetUp();
        run("#define M(a,b) a b\n#define V(f, ...) f(__VA_ARGS__)\n#define W(f, rest...) f(rest)\n");
        captured_reports.clear();
    }
};

// Too many arguments is a warning only without variable parameters. The
// joined text may hold 9999 characters, the commas between arguments and a
// named parameter's leading comma counted.
TEST_F(variable_argument_limit, too_many_arguments_and_joined_text_up_to_9999_characters)
{
    EXPECT_EQ(flat(run("M(1,2,3)\n")), "1 2");
    EXPECT_EQ(report_lines(), texts{"W TOMANYARG M [:0]"});
    captured_reports.clear();
    EXPECT_EQ(flat(run("V(g,1,2,3,4)\nW(g,1,2,3,4)\n")), "g(1,2,3,4) g(1,2,3,4)");
    EXPECT_TRUE(codes().empty());
    struct { std::string arguments; const char* macro; bool fatal; } cases[] = {
        {"g," + std::string(4999, 'a') + "," + std::string(4999, 'b'), "V", false},
        {"g," + std::string(4999, 'a') + "," + std::string(5000, 'b'), "V", true},
        {"g," + std::string(9999, 'x'), "V", false},
        {"g," + std::string(10000, 'x'), "V", true},
        {"g,1," + std::string(9998, 'c'), "W", false}, // rest takes "1", the extra text "," + 9998
        {"g,1," + std::string(9999, 'c'), "W", true},
    };
    for (const auto& c : cases) {
        captured_reports.clear();
        const std::string out = run(c.macro + ("(" + c.arguments + ")\n"));
        const std::string expected =
            c.fatal ? "F TOMANYARG " + std::string(c.macro) + " [:0]" : "g(" + c.arguments.substr(2) + ")";
        EXPECT_EQ(captured_reports.empty() ? texts{flat(out)} : report_lines(), texts{expected});
    }
}

TEST_F(variable_argument_limit, oversized_join_ends_the_run_with_status_7)
{
    write("v.h", "\n\nV(g," + std::string(10000, 'a') + ")\n");
    expect_fatal_run(pp, table, "#include \"v.h\"\n", "Tolvex-F-TOMANYARG,  [v.h:3] Too many args to macro V\n");
}

// ---- #include_next -----------------------------------------------------------

// Each case runs in a directory of its own with a fresh preprocessor: the
// files, the include list, the text, then the flat output or, when a file is
// missing, the one fatal IMPOUVFIC that ends the search.
TEST_F(prepro_test, include_next_search_order)
{
    struct search_case {
        std::vector<std::pair<std::string, std::string>> files;
        texts dirs;
        const char *text, *expected;
    };
    const search_case cases[] = {
        // Angle form walks the list one directory further each time
        {{{"a/x.h", "first\n#include_next <x.h>\n"}, {"b/x.h", "second\n#include_next <x.h>\n"}, {"c/x.h", "third\n"}},
         {"a", "b", "c"}, "#include <x.h>\n", "first second third"},
        // Quoted form starts again at the head of the list
        {{{"a/x.h", "#include_next \"y.h\"\n#include_next <y.h>\n"}, {"a/y.h", "y_of_a\n"}, {"b/y.h", "y_of_b\n"}},
         {"a", "b"}, "#include <x.h>\n", "y_of_a y_of_b"},
        // Quoted form appends the includer's directory
        {{{"a/x.h", "#include_next \"only.h\"\n"}, {"a/only.h", "found_beside\n"}, {"b/placeholder", ""}},
         {"b"}, "#include \"a/x.h\"\n", "found_beside"},
        // Angle form does not append it
        {{{"a/z.h", "#include_next <only.h>\n"}, {"a/only.h", "found_beside\n"}, {"b/placeholder", ""}},
         {"b"}, "#include \"a/z.h\"\n", "F IMPOUVFIC only.h [a/z.h:1]"},
        // Angle form in a file found as written starts at the head
        {{{"top.h", "#include_next <q.h>\n"}, {"a/q.h", "q_of_a\n"}, {"b/q.h", "q_of_b\n"}},
         {"a", "b"}, "#include \"top.h\"\n", "q_of_a"},
        // The name as written is tried first
        {{{"a/x.h", "#include_next <w.h>\n"}, {"b/w.h", "w_of_b\n"}, {"w.h", "w_of_cwd\n"}},
         {"a", "b"}, "#include <x.h>\n", "w_of_cwd"},
        // A file found beside its includer continues after that node
        {{{"p/m.h", "#include \"n.h\"\n"}, {"p/n.h", "#include_next <k.h>\n"}, {"b/k.h", "k_of_b\n"}},
         {"b"}, "#include \"p/m.h\"\n", "F IMPOUVFIC k.h [p/n.h:1]"},
        // The last directory has nothing after it
        {{{"a/x.h", "#include_next <x.h>\nnot_reached\n"}},
         {"a"}, "#include <x.h>\n", "F IMPOUVFIC x.h [a/x.h:1]"},
    };
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const search_case& c = cases[k];
        SCOPED_TRACE("case " + std::to_string(k));
        const std::string here = "case" + std::to_string(k) + "/";
        for (const auto& [name, text] : c.files)
            write(here + name, text);
        std::filesystem::current_path(dir / here);
        captured_reports.clear();
        name_table names;
        preprocessor fresh;
        fresh.initialise(true, false, 2, {}, c.dirs, names, true, capture);
        std::string out;
        fresh.preprocess_text(c.text, false, "", 0, out, names, capture);
        EXPECT_EQ(captured_reports.empty() ? texts{flat(out)} : report_lines(), texts{c.expected});
        if (k == 2) { // the node appended for the includer is gone again
            EXPECT_EQ(fresh.include_list(), (std::vector<std::string>{"b"}));
        }
    }
}

// ---- sizeof / signof pragmas: target hooks and what #if sizeof sees ---------

namespace {

// The analyser's side of the hooks: its sizes, the typedefs it knows as
// integral, and a log of the calls it accepted.
struct fake_analyser {
    std::set<std::string> integral_typedefs{"my_t"};
    texts calls;
    target_bits sizes;

    bool accept(std::string_view name, const std::string& call)
    {
        if (!integral_typedefs.count(std::string(name)))
            return false;
        calls.push_back(std::string(name) + " " + call);
        return true;
    }
};

bool set_size(void* context, std::string_view name, int bits)
{
    return static_cast<fake_analyser*>(context)->accept(name, std::to_string(bits));
}

bool set_sign(void* context, std::string_view name, bool is_signed)
{
    return static_cast<fake_analyser*>(context)->accept(name, is_signed ? "signed" : "unsigned");
}

} // namespace

class target_pragmas : public prepro_ready {
protected:
    void SetUp() override
    {
        prepro_ready::SetUp();
        pp.hooks = target_size_hooks{&analyser.sizes, &analyser, set_size, set_sign};
    }
    // True when the #if group of condition is processed.
    bool holds(const std::string& condition) { return flat(run("#if " + condition + "\nyes\n#endif\n")) == "yes"; }
    // The sizeof list, newest first, as "name bytes" items.
    texts listed() const
    {
        texts out;
        for (const sizeof_entry& e : pp.sizes)
            out.push_back(e.type_name + " " + std::to_string(e.size));
        return out;
    }

    fake_analyser analyser;
};

TEST_F(target_pragmas, sizeof_sets_basic_sizes_heads_the_list_and_hands_typedefs_to_the_hook)
{
    for (const char* text : {"char = 16", "short 32", "(int)=64", "long == 64", "longlong 128"})
        pp.sizeof_pragma(text);
    const target_bits& bits = analyser.sizes;
    EXPECT_EQ(std::vector({bits.char_bits, bits.short_bits, bits.int_bits, bits.long_bits, bits.long_long_bits}),
              std::vector({16, 32, 64, 64, 128}));
    EXPECT_EQ(pp.own_bits.int_bits, 32); // the analyser's copy is the one in use
    EXPECT_TRUE(analyser.calls.empty()); // basic names never reach the typedef hook
    EXPECT_EQ(listed(), (texts{"longlong 16", "long 8", "int 8", "short 4", "char 2"}));
    pp.sizeof_pragma("(my_t) = 16");
    pp.sizeof_pragma("other 24"); // not a typedef: listed, nothing else
    pp.sizeof_pragma("my_t");     // without a value: nothing at all
    pp.sizeof_pragma("  =  16");
    EXPECT_EQ(analyser.calls, texts{"my_t 16"});
    EXPECT_EQ(bits.int_bits, 64);
    EXPECT_EQ(listed(), (texts{"other 3", "my_t 2", "longlong 16", "long 8", "int 8", "short 4", "char 2"}));
}

TEST_F(target_pragmas, signof_changes_plain_char_and_typedefs_only)
{
    pp.signof_pragma("char unsigned");
    EXPECT_TRUE(analyser.sizes.char_unsigned);
    pp.signof_pragma("(char) = signed");
    EXPECT_FALSE(analyser.sizes.char_unsigned);
    for (const char* text : {"int unsigned", "short unsigned", "long unsigned", "unknown_t unsigned"})
        pp.signof_pragma(text);
    EXPECT_TRUE(analyser.calls.empty());
    pp.signof_pragma("my_t signed");
    pp.signof_pragma("(my_t)=unsigned");
    EXPECT_EQ(analyser.calls, (texts{"my_t signed", "my_t unsigned"}));
    EXPECT_TRUE(pp.sizes.empty()); // signof never fills the sizeof list
}

TEST_F(target_pragmas, if_sizeof_uses_target_sizes_then_the_newest_list_entry)
{
    EXPECT_TRUE(holds("sizeof(char) == 1 && sizeof(short) == 2 && sizeof(int) == 4 && sizeof(long) == 4"));
    EXPECT_TRUE(holds("sizeof(longlong) == 0 && sizeof(my_t) == 0")); // found nowhere
    pp.sizeof_pragma("int 16");
    pp.sizeof_pragma("longlong 64");
    pp.sizeof_pragma("(my_t) = 16");
    EXPECT_TRUE(holds("sizeof(int) == 2 && sizeof(longlong) == 8 && sizeof(my_t) == 2"));
    pp.sizeof_pragma("my_t 64");
    EXPECT_TRUE(holds("sizeof(my_t) == 8"));
    pp.sizeof_pragma("odd_t 12");
    EXPECT_TRUE(holds("sizeof(odd_t) == 1")); // bits / 8
    // A later change of the target sizes wins over an older list entry.
    pp.sizeof_pragma("long 64");
    analyser.sizes.long_bits = 32;
    EXPECT_TRUE(holds("sizeof(long) == 4"));
}

// ---- include list from the options and the environment ----------------------

// KNUTGT, set even empty, wins over ZRLTGT; MVX_ADD_USR_INCLUDE, whatever
// its value, appends the two usr directories after the target's.
TEST_F(prepro_test, include_list_from_options_and_environment)
{
    struct { const char *knutgt, *zrltgt, *usr; texts options, list; } cases[] = {
        {"/knu", "/zrl", nullptr, {"/a", "/b"}, {"/a", "/b", "/knu/lib"}},
        {"", "/zrl", nullptr, {}, {"/lib"}},
        {nullptr, "/tgt", "", {"/a"}, {"/a", "/tgt/lib", "/usr/include", "/usr/local/include"}},
        {"/knu", nullptr, "0", {"/a"}, {"/a", "/knu/lib", "/usr/include", "/usr/local/include"}},
        {nullptr, nullptr, "", {}, {"/usr/include", "/usr/local/include"}},
    };
    for (const auto& c : cases) {
        clear_target_environment();
        const std::pair<const char*, const char*> variables[] = {
            {"KNUTGT", c.knutgt}, {"ZRLTGT", c.zrltgt}, {"MVX_ADD_USR_INCLUDE", c.usr}};
        for (auto [name, value] : variables)
            if (value)
                ::setenv(name, value, 1);
        preprocessor fresh;
        fresh.initialise(true, false, 2, {}, c.options, table, true, capture);
        EXPECT_EQ(fresh.include_list(), c.list);
        fresh.finish(table, true);
        EXPECT_TRUE(fresh.include_list().empty());
    }
    // The list is built only when asked.
    clear_target_environment();
    ::setenv("KNUTGT", "/knu", 1);
    init({}, {"/a"});
    pp.initialise(true, false, 2, {}, {"/other"}, table, false, capture);
    EXPECT_EQ(pp.include_list(), (std::vector<std::string>{"/a", "/knu/lib"}));
}

TEST_F(prepro_test, include_search_tries_the_target_lib_after_the_options_and_skips_zrltgt)
{
    ::setenv("KNUTGT", (dir / "knu").c_str(), 1);
    ::setenv("ZRLTGT", (dir / "zrl").c_str(), 1);
    write({{"opt/t.h", "t_of_option\n"}, {"knu/lib/t.h", "t_of_knu\n"}, {"knu/lib/u.h", "u_of_knu\n"},
           {"zrl/lib/z.h", "z_of_zrl\n"}});
    init({}, {"opt"});
    EXPECT_EQ(flat(run("#include <t.h>\n#include <u.h>\n")), "t_of_option u_of_knu");
    run("#include <z.h>\n");
    EXPECT_EQ(report_lines(), texts{"F IMPOUVFIC z.h [:0]"});
}

// ---- include recursion down to the last input level --------------------------

class include_recursion : public prepro_test {
protected:
    void SetUp() override
    {
        prepro_test::SetUp();
        // The include stands on line 3; each level writes one "x" first.
        write("r.h", "x\n// guardless\n#include \"r.h\"\n");
        init();
    }
};

// The catalogue files NBRECURSI under the internal-error heading, but the
// scanner raises it as a fatal error: the letter is F and the status 7.
TEST_F(include_recursion, the_2000th_level_is_refused_with_nbrecursi)
{
    expect_fatal_run(pp, table, "#include \"r.h\"\n",
                     "Tolvex-F-NBRECURSI,  [r.h:3] There are too many macro or include recursions \n");
    std::string out = run("#include \"r.h\"\n");
    EXPECT_EQ(report_lines(), texts{"F NBRECURSI  [r.h:3]"});
    // Level 0 is the caller's text; r.h fills levels 1 to 1999.
    std::string tokens_out = tokens(out);
    EXPECT_EQ(std::count(tokens_out.begin(), tokens_out.end(), 'x'), 1999);
    EXPECT_TRUE(pp.include_list().empty()); // every appended directory went away
}

// ---- the end of a file inside a comment, a constant or a macro call ----------

// One warning each, at the line where the comment or literal began; the
// scanning goes on. An empty file name runs the caller's text itself.
TEST_F(prepro_ready, unterminated_comments_and_literals_at_the_end)
{
    struct { const char *file, *text, *output, *code; int line; } cases[] = {
        {"", "x /* y", "x", "UNTERCOMM", 0},
        {"c.h", "a\n/* open\nb\nc\n", "a", "UNTERCOMM", 2},
        {"s.h", "one\n\"abc\n#define T two\nT\n", "one \"abc two", "UNTERSTRI", 2},
        {"t.h", "\n\nx 'q", "x 'q", "UNTERSTRI", 3},
        {"u.h", "\n\"ab\\\ncd\n__LINE__\n", "\"abcd 4", "UNTERSTRI", 2}, // later lines keep their numbers
        {"", "y \"abc", "y \"abc", "UNTERSTRI", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        captured_reports.clear();
        std::string out = *c.file ? run_file(c.file, c.text) : run(c.text);
        EXPECT_EQ(flat(out), c.output);
        const std::string position = " [" + std::string(c.file) + ":" + std::to_string(c.line) + "]";
        EXPECT_EQ(report_lines(), texts{"W " + std::string(c.code) + " " + position});
    }
    captured_reports.clear();
    EXPECT_EQ(flat(run_file("d.h", "x // tail")), "x"); // a line comment needs no line feed
    EXPECT_TRUE(codes().empty());
}

TEST_F(prepro_ready, unterminated_macro_call_reports_errinline_and_keeps_its_text)
{
    std::string out = run_file("m.h", "#define F(a) [a]\nF(1,\n2\n");
    // At the line reached: both line feeds of the call are counted.
    EXPECT_EQ(report_lines(), texts{"W ERRINLINE unterminated macro call [m.h:4]"});
    EXPECT_EQ(tokens(out), "F ( 1 , 2");
    EXPECT_EQ(errors, 0); // a warning, not an error
    // Nor does the call run on into the includer.
    captured_reports.clear();
    write("n.h", "#define G(a) <a>\nG(\n");
    EXPECT_EQ(tokens(run("#include \"n.h\"\nafter)\n")), "G ( after )");
    EXPECT_EQ(codes(), texts{"ERRINLINE"});
}

// Nested calls pre-expand each argument on a level of its own, so 2000
// nested calls reach the same limit through macro expansion.
TEST_F(include_recursion, nested_macro_calls_reach_the_limit_at_the_call_line)
{
    std::string call;
    for (int k = 0; k < 2000; ++k)
        call += "F(";
    call += "1" + std::string(2000, ')');
    write("f.h", "#define F(x) x\n\n" + call + "\n");
    run("#include \"f.h\"\n");
    EXPECT_EQ(report_lines(), texts{"F NBRECURSI  [f.h:3]"});
}
