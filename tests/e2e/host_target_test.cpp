// The host target staged under targets/host: its knus_c.def describes the C
// compiler of the build, and with ZRLTGT naming it the installed morvastart
// reads the system headers without a message, alone, all together and under
// _GNU_SOURCE. The sizes expected are those of this test's own compiler,
// which builds for the same machine; the messages of a clean run and the
// script of the bundled example are written out by hand.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "native_lines.h"
#include "run_tool.h"
#include "script_layout.h"

namespace fs = std::filesystem;

namespace {

std::string target_dir()
{
    return stage_dir() + "/targets/host";
}

std::string definitions()
{
    return read_file(target_dir() + "/ana/knus_c.def");
}

// True when the text holds a line "#define NAME", alone or followed by a
// blank or "(".
bool defines(const std::string& text, const std::string& name)
{
    for (const char* after : {" ", "(", "\n"})
        if (text.find("\n#define " + name + after) != std::string::npos)
            return true;
    return false;
}

// The C headers of glibc, POSIX and Linux that a tested file commonly
// includes; every one is read by the target alone and with all the others.
const std::vector<std::string> system_headers = {
    // ISO C
    "assert.h", "complex.h", "ctype.h", "errno.h", "fenv.h", "float.h", "inttypes.h", "iso646.h", "limits.h",
    "locale.h", "math.h", "setjmp.h", "signal.h", "stdalign.h", "stdarg.h", "stdbool.h", "stddef.h", "stdint.h",
    "stdio.h", "stdlib.h", "stdnoreturn.h", "string.h", "tgmath.h", "threads.h", "time.h", "uchar.h", "wchar.h",
    "wctype.h",
    // POSIX
    "aio.h", "arpa/inet.h", "cpio.h", "dirent.h", "dlfcn.h", "fcntl.h", "fmtmsg.h", "fnmatch.h", "ftw.h", "glob.h",
    "grp.h", "iconv.h", "langinfo.h", "libgen.h", "monetary.h", "mqueue.h", "net/if.h", "netdb.h", "netinet/in.h",
    "netinet/tcp.h", "nl_types.h", "poll.h", "pthread.h", "pwd.h", "regex.h", "sched.h", "search.h", "semaphore.h",
    "spawn.h", "strings.h", "sys/ipc.h", "sys/mman.h", "sys/msg.h", "sys/resource.h", "sys/select.h", "sys/sem.h",
    "sys/shm.h", "sys/socket.h", "sys/stat.h", "sys/statvfs.h", "sys/time.h", "sys/times.h", "sys/types.h",
    "sys/uio.h", "sys/un.h", "sys/utsname.h", "sys/wait.h", "syslog.h", "tar.h", "termios.h", "ulimit.h",
    "unistd.h", "utime.h", "utmpx.h", "wordexp.h",
    // glibc and Linux
    "alloca.h", "byteswap.h", "endian.h", "err.h", "error.h", "execinfo.h", "features.h", "getopt.h", "ifaddrs.h",
    "malloc.h", "memory.h", "mntent.h", "netinet/ip.h", "netinet/udp.h", "paths.h", "pty.h", "sys/epoll.h",
    "sys/eventfd.h", "sys/file.h", "sys/ioctl.h", "sys/param.h", "sys/prctl.h", "sys/queue.h", "sys/sendfile.h",
    "sys/signalfd.h", "sys/sysinfo.h", "sys/timerfd.h", "sys/inotify.h", "sys/syscall.h", "sys/random.h",
    "sys/auxv.h", "sys/xattr.h", "shadow.h", "utmp.h", "sysexits.h", "link.h", "elf.h", "ucontext.h",
    "sys/statfs.h", "sys/vfs.h", "sys/mount.h", "sys/personality.h", "sys/ptrace.h", "sys/reboot.h",
    "sys/sysmacros.h", "sys/user.h", "sys/procfs.h", "netinet/if_ether.h", "net/ethernet.h", "arpa/nameser.h",
    "resolv.h"};

// A tested file that includes the headers, with one global and one function.
std::string tested_source(const std::vector<std::string>& headers, bool gnu)
{
    std::string text = gnu ? "#define _GNU_SOURCE\n" : "";
    for (const std::string& h : headers)
        text += "#include <" + h + ">\n";
    return text + "int probe_global;\nint probe(int value) { return value + probe_global; }\n";
}

class HostTarget : public testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        std::string name = std::string("host_") + testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        dir = scratch_dir(name);
    }
    tool_result run(const std::vector<std::string>& args)
    {
        return run_tool("morvastart", args, {{"ZRLTGT", target_dir()}}, dir);
    }
    std::string script(const std::string& name) { return masked(read_file(dir + "/" + name)); }
    void expect_compiles(const std::string& name)
    {
        const compile_result r = compile_native_lines(read_file(dir + "/" + name), dir);
        EXPECT_TRUE(r.ok) << r.messages;
    }
    // Runs morvastart on t.c holding the headers; expects a clean run.
    void expect_clean(const std::vector<std::string>& headers, bool gnu)
    {
        write_file(dir + "/t.c", tested_source(headers, gnu));
        const tool_result r = run({"t.c", "t.ptu"});
        EXPECT_EQ(r.err, banner_lines() + clean_summary);
        EXPECT_EQ(r.status, 0);
        const std::string text = script("t.ptu");
        for (const std::string& h : headers)
            EXPECT_NE(text.find("\n##include <" + h + ">\n"), std::string::npos) << h;
        EXPECT_NE(text.find("\n    #extern int probe_global;\n    #extern int probe(int value);\n"),
                  std::string::npos);
        EXPECT_NE(text.find("\nSERVICE probe\n"), std::string::npos);
    }
};

// ---- The generated description ----

TEST(HostTargetFile, SizesAreThoseOfTheBuildMachine)
{
    const std::string text = definitions();
    auto bits = [](std::size_t bytes) { return std::to_string(bytes * CHAR_BIT); };
    EXPECT_NE(text.find("\n#pragma morva sizeof char = " + std::to_string(CHAR_BIT) + "\n"), std::string::npos);
    EXPECT_NE(text.find("\n#pragma morva sizeof short = " + bits(sizeof(short)) + "\n"), std::string::npos);
    EXPECT_NE(text.find("\n#pragma morva sizeof int = " + bits(sizeof(int)) + "\n"), std::string::npos);
    EXPECT_NE(text.find("\n#pragma morva sizeof long = " + bits(sizeof(long)) + "\n"), std::string::npos);
    EXPECT_NE(text.find("\n#pragma morva sizeof longlong = " + bits(sizeof(long long)) + "\n"), std::string::npos);
    const std::string sign = static_cast<char>(-1) < 0 ? "signed" : "unsigned";
    EXPECT_NE(text.find("\n#pragma morva signof char = " + sign + "\n"), std::string::npos);
}

TEST(HostTargetFile, SearchListFindsTheCHeaders)
{
    const std::string text = definitions();
    const std::string pragma = "\n#pragma morva incl_std ";
    const std::size_t at = text.find(pragma);
    ASSERT_NE(at, std::string::npos);
    const std::string list = text.substr(at + pragma.size(), text.find('\n', at + 1) - at - pragma.size());
    // Quoted folders separated by ", ".
    bool stdio_found = false;
    std::size_t from = 0;
    while ((from = list.find('"', from)) != std::string::npos) {
        const std::size_t end = list.find('"', from + 1);
        ASSERT_NE(end, std::string::npos) << list;
        const std::string folder = list.substr(from + 1, end - from - 1);
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
        stdio_found = stdio_found || fs::exists(folder + "/stdio.h");
        from = end + 1;
    }
    EXPECT_TRUE(stdio_found) << list;
}

TEST(HostTargetFile, MachineMacrosWithoutGnuC)
{
    const std::string text = definitions();
    EXPECT_TRUE(defines(text, "__CHAR_BIT__"));
    EXPECT_TRUE(defines(text, "__INT_MAX__"));
    EXPECT_TRUE(defines(text, "__LONG_MAX__"));
    EXPECT_TRUE(defines(text, "__SIZEOF_LONG__"));
    EXPECT_TRUE(defines(text, "__STDC_VERSION__"));
    EXPECT_TRUE(defines(text, "__STDC_HOSTED__"));
    EXPECT_TRUE(defines(text, "__INT64_C"));
#ifdef __x86_64__
    EXPECT_TRUE(defines(text, "__x86_64__"));
#endif
#ifdef __linux__
    EXPECT_TRUE(defines(text, "__linux__"));
    EXPECT_TRUE(defines(text, "__unix__"));
#endif
#ifdef __LP64__
    EXPECT_TRUE(defines(text, "__LP64__"));
#endif
#ifdef __BYTE_ORDER__
    EXPECT_TRUE(defines(text, "__BYTE_ORDER__"));
    EXPECT_TRUE(defines(text, "__ORDER_LITTLE_ENDIAN__"));
#endif
    for (const char* gnu : {"__GNUC__", "__GNUC_MINOR__", "__GNUC_PATCHLEVEL__", "__GNUG__", "__clang__",
                            "__VERSION__", "__OPTIMIZE__", "__SSE2__", "__SIZEOF_INT128__", "__STDC__"})
        EXPECT_FALSE(defines(text, gnu)) << gnu;
    // The words left on the strict paths.
    EXPECT_TRUE(defines(text, "__builtin_va_list"));
    // restrict is a qualifier of the analyser, kept in the printed copies.
    EXPECT_FALSE(defines(text, "restrict"));
}

TEST(HostTargetFile, ReplacementHeadersAreInstalled)
{
    EXPECT_TRUE(fs::exists(target_dir() + "/lib/stddef.h"));
    EXPECT_TRUE(fs::exists(target_dir() + "/lib/tgmath.h"));
}

// ---- System headers ----

struct header_case {
    std::string header;
    bool gnu;
};

class SystemHeader : public HostTarget, public testing::WithParamInterface<header_case> {};

TEST_P(SystemHeader, AloneIsReadWithoutMessage)
{
    expect_clean({GetParam().header}, GetParam().gnu);
}

std::vector<header_case> header_cases()
{
    std::vector<header_case> cases;
    for (bool gnu : {false, true})
        for (const std::string& h : system_headers)
            cases.push_back({h, gnu});
    return cases;
}

std::string case_name(const testing::TestParamInfo<header_case>& info)
{
    std::string name = info.param.header;
    for (char& c : name)
        if (c == '/' || c == '.')
            c = '_';
    return (info.param.gnu ? "gnu_" : "") + name;
}

INSTANTIATE_TEST_SUITE_P(Headers, SystemHeader, testing::ValuesIn(header_cases()), case_name);

TEST_F(HostTarget, AllHeadersTogetherAndTheirNativeLines)
{
    expect_clean(system_headers, false);
    expect_compiles("t.ptu");
}

TEST_F(HostTarget, AllHeadersTogetherUnderGnuSource)
{
    expect_clean(system_headers, true);
    expect_compiles("t.ptu");
}

// Regression: <search.h> declares "struct entry" and <sys/ptrace.h> a union
// member "struct {...} entry", which was a CONSTRUCT warning.
TEST_F(HostTarget, SearchThenPtrace)
{
    expect_clean({"search.h", "sys/ptrace.h"}, false);
}

// ---- The bundled example ----

lines service_heading(const std::string& name)
{
    return {"", separator, "-- Declaration of the service " + name, separator, "SERVICE " + name,
            "SERVICE_TYPE extern", ""};
}

lines test_lines(const std::string& call, const std::string& name)
{
    return {"    TEST 1",        "    FAMILY nominal", "",  "        ELEMENT", "        #" + call,
            "        END ELEMENT", "",                 "    END TEST -- TEST 1", "", "END SERVICE -- " + name, ""};
}

std::string var(const std::string& indent, const std::string& name, const std::string& value)
{
    return indent + "VAR " + name + ",\t\tinit = " + value + ",\t\tev = init";
}

// The README's first command: morvastart on examples/calc.c with the host
// target. Only journal gets an extern line: the script's own include of
// calc.h declares the others. Environment and services in bucket order (row: sum of the name's
// codes modulo 10, column: length modulo 10): journal 3/7, last_op 4/7,
// counter 8/7; describe 3/8, add 7/3, reset 7/5.
TEST_F(HostTarget, BundledExample)
{
    const std::string examples = std::string(MORVA_TEST_DATA) + "/../../examples";
    fs::copy_file(examples + "/calc.c", dir + "/calc.c");
    fs::copy_file(examples + "/calc.h", dir + "/calc.h");
    const tool_result r = run({"calc.c", "calc.ptu"});
    EXPECT_EQ(r.err, banner_lines() + clean_summary);
    EXPECT_EQ(r.status, 0);

    const std::string image =
        "morvastart \"calc.c\" \"calc.ptu\" -STD_DEFINE=\"" + target_dir() + "/ana/knus_c.def\"";
    const lines expected =
        header(image, "./calc.ptu", "\"./calc.c\" ") + lines{"HEADER calc, , ", ""} +
        title("-- TESTED FILE INCLUDE DIRECTIVES ") +
        lines{"", "", "#/* The tested file of the example: morvastart calc.c calc.ptu */", "##include <stdio.h>",
              "##include <string.h>", "##include \"calc.h\""} +
        title("-- TESTED FILE DECLARATIONS ") + tested_globals +
        lines{"    #extern FILE *journal;"} +
        lines{separator, "", "BEGIN", ""} + title("-- ENVIRONMENTS DECLARATIONS") + lines{""} +
        short_title("-- TESTED FILE ENVIRONNEMENT") +
        lines{"", "-- Environment of the file ./calc.c", "ENVIRONMENT ENV_calc_c", var("  ", "journal", "NIL"),
              var("  ", "last_op", "\"\""), var("  ", "counter", "0"), "END ENVIRONMENT -- ENV_calc_c",
              "USE ENV_calc_c", ""} +
        title("-- SERVICES DECLARATIONS") +
        service_heading("describe") +
        lines{"    -- Tested service parameters declarations", "    #char text[200];", "    #size_t size;",
              "    #int value;", "    -- By function returned type declaration", "    #int ret_describe;", "",
              "    ENVIRONMENT ENV_describe", var("    ", "text", "\"\""), var("    ", "size", "0"),
              var("    ", "value", "0"), var("    ", "ret_describe", "0"), "    END ENVIRONMENT -- ENV_describe",
              "    USE ENV_describe", ""} +
        test_lines("ret_describe = describe(text, size, value);", "describe") + service_heading("add") +
        lines{"    -- Tested service parameters declarations", "    #int a;", "    #int b;",
              "    -- By function returned type declaration", "    #int ret_add;", "", "    ENVIRONMENT ENV_add",
              var("    ", "a", "0"), var("    ", "b", "0"), var("    ", "ret_add", "0"),
              "    END ENVIRONMENT -- ENV_add", "    USE ENV_add", ""} +
        test_lines("ret_add = add(a, b);", "add") + service_heading("reset") + lines{""} +
        test_lines("reset();", "reset");
    EXPECT_EQ(script("calc.ptu"), joined(expected));
    expect_compiles("calc.ptu");
}

// Without a target, <stdio.h> is nowhere on the search list: the run ends
// with the fatal message the README warns about, when the include scan
// feeds the directive (a text of its own, without position) to the script's
// model.
TEST_F(HostTarget, WithoutTargetTheSystemHeaderIsMissing)
{
    write_file(dir + "/t.c", tested_source({"stdio.h"}, false));
    const tool_result r = run_tool("morvastart", {"t.c", "t.ptu"}, {{"ZRLTGT", std::nullopt}}, dir);
    EXPECT_EQ(r.status, 7);
    EXPECT_EQ(last_line(r.err), "Tolvex-F-IMPOUVFIC,  Cannot open the file stdio.h\n");
}

} // namespace
