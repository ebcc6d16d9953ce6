// The host target staged under targets/host: its knus_c.def describes the C
// compiler of the build, and with ZRLTGT naming it the installed morvastart
// reads the system headers without a message, alone, all together and under
// _GNU_SOURCE. The sizes expected are those of this test's own compiler,
// which builds for the same machine; the messages of a clean run and the
// script of the bundled example are written out by hand.
#include <climits>
#include <filesystem>
#include <regex>

#include "scratch_test.h"

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

const env_changes host = {{"ZRLTGT", target_dir()}};

struct HostTarget : scratch_test {
    // Runs morvastart on t.c holding the headers; expects a clean run.
    std::string expect_clean(const std::vector<std::string>& headers, bool gnu)
    {
        const std::string text = generate("t.c", tested_source(headers, gnu), {}, host);
        for (const std::string& h : headers)
            EXPECT_TRUE(holds(text, "\n##include <" + h + ">\n"));
        EXPECT_TRUE(holds(text, "\n    #extern int probe_global;\n    #extern int probe(int value);\n"));
        EXPECT_TRUE(holds(text, "\nSERVICE probe\n"));
        return text;
    }
};

// ---- The generated description ----

TEST(HostTargetFile, SizesAreThoseOfTheBuildMachine)
{
    const std::string text = definitions();
    const std::pair<const char*, std::size_t> sizes[] = {{"char", 1}, {"short", sizeof(short)}, {"int", sizeof(int)},
                                                         {"long", sizeof(long)}, {"longlong", sizeof(long long)}};
    for (const auto& [type, bytes] : sizes)
        EXPECT_TRUE(holds(text, "\n#pragma morva sizeof " + std::string(type) + " = " +
                                    std::to_string(bytes * CHAR_BIT) + "\n"));
    const std::string sign = static_cast<char>(-1) < 0 ? "signed" : "unsigned";
    EXPECT_TRUE(holds(text, "\n#pragma morva signof char = " + sign + "\n"));
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
    const std::regex quoted("\"([^\"]*)\"(, |$)");
    for (std::sregex_iterator at(list.begin(), list.end(), quoted), end; at != end; ++at) {
        const std::string folder = (*at)[1];
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
        stdio_found = stdio_found || fs::exists(folder + "/stdio.h");
    }
    EXPECT_TRUE(stdio_found) << list;
}

TEST(HostTargetFile, MachineMacrosWithoutGnuC)
{
    const std::string text = definitions();
    // The machine's own macros, and the words left on the strict paths.
    std::vector<std::string> kept = {"__CHAR_BIT__",     "__INT_MAX__",       "__LONG_MAX__", "__SIZEOF_LONG__",
                                     "__STDC_VERSION__", "__STDC_HOSTED__",   "__INT64_C",    "__builtin_va_list"};
#ifdef __x86_64__
    kept.push_back("__x86_64__");
#endif
#ifdef __linux__
    kept.insert(kept.end(), {"__linux__", "__unix__"});
#endif
#ifdef __LP64__
    kept.push_back("__LP64__");
#endif
#ifdef __BYTE_ORDER__
    kept.insert(kept.end(), {"__BYTE_ORDER__", "__ORDER_LITTLE_ENDIAN__"});
#endif
    for (const std::string& name : kept)
        EXPECT_TRUE(defines(text, name)) << name;
    // restrict is a qualifier of the analyser, kept in the printed copies.
    for (const char* gnu : {"__GNUC__", "__GNUC_MINOR__", "__GNUC_PATCHLEVEL__", "__GNUG__", "__clang__",
                            "__VERSION__", "__OPTIMIZE__", "__SSE2__", "__SIZEOF_INT128__", "__STDC__", "restrict"})
        EXPECT_FALSE(defines(text, gnu)) << gnu;
}

TEST(HostTargetFile, ReplacementHeadersAreInstalled)
{
    EXPECT_TRUE(fs::exists(target_dir() + "/lib/stddef.h"));
    EXPECT_TRUE(fs::exists(target_dir() + "/lib/tgmath.h"));
}

// ---- System headers ----

// Each header alone, strictly and under _GNU_SOURCE.
struct SystemHeader : HostTarget, testing::WithParamInterface<std::tuple<std::string, bool>> {};

TEST_P(SystemHeader, AloneIsReadWithoutMessage)
{
    expect_clean({std::get<0>(GetParam())}, std::get<1>(GetParam()));
}

std::string case_name(const testing::TestParamInfo<std::tuple<std::string, bool>>& info)
{
    std::string name = (std::get<1>(info.param) ? "gnu_" : "") + std::get<0>(info.param);
    for (char& c : name)
        if (c == '/' || c == '.')
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Headers, SystemHeader,
                         testing::Combine(testing::ValuesIn(system_headers), testing::Bool()), case_name);

TEST_F(HostTarget, AllHeadersTogetherAndTheirNativeLines)
{
    for (bool gnu : {false, true}) {
        SCOPED_TRACE(gnu ? "under _GNU_SOURCE" : "strict");
        expect_compiles(expect_clean(system_headers, gnu));
    }
}

// Regression: <search.h> declares "struct entry" and <sys/ptrace.h> a union
// member "struct {...} entry", which was a CONSTRUCT warning.
TEST_F(HostTarget, SearchThenPtrace)
{
    expect_clean({"search.h", "sys/ptrace.h"}, false);
}

// ---- The bundled example ----

// The README's first command: morvastart on examples/calc.c with the host
// target. Only journal gets an extern line: the script's own include of
// calc.h declares the others. Environment and services in bucket order (row: sum of the name's
// codes modulo 10, column: length modulo 10): journal 3/7, last_op 4/7,
// counter 8/7; describe 3/8, add 7/3, reset 7/5.
TEST_F(HostTarget, BundledExample)
{
    const std::string examples = std::string(MORVA_TEST_DATA) + "/../../examples";
    fs::copy_file(examples + "/calc.h", dir + "/calc.h");
    const std::string text = generate("calc.c", read_file(examples + "/calc.c"), {}, host);
    const std::string image =
        "morvastart \"calc.c\" \"calc.ptu\" -STD_DEFINE=\"" + target_dir() + "/ana/knus_c.def\"";
    const lines expected =
        header(image, "./calc.ptu", "\"./calc.c\" ") + lines{"HEADER calc, , ", ""} +
        title("-- TESTED FILE INCLUDE DIRECTIVES ") +
        lines{"", "", "#/* The tested file of the example: morvastart calc.c calc.ptu */", "##include <stdio.h>",
              "##include <string.h>", "##include \"calc.h\""} +
        tested_sections("calc", {"    #extern FILE *journal;"},
                        {var("VAR", "journal", "NIL"), var("VAR", "last_op", "\"\""), var("VAR", "counter", "0")}) +
        services({{"describe", {"char text[200];", "size_t size;", "int value;"}, "int ret_describe;", "",
                   {var("VAR", "text", "\"\""), var("VAR", "size", "0"), var("VAR", "value", "0"),
                    var("VAR", "ret_describe", "0")},
                   {"ret_describe = describe(text, size, value);"}},
                  {"add", {"int a;", "int b;"}, "int ret_add;", "",
                   {var("VAR", "a", "0"), var("VAR", "b", "0"), var("VAR", "ret_add", "0")}, {"ret_add = add(a, b);"}},
                  {"reset", {}, "", "", {}, {"reset();"}}});
    EXPECT_EQ(text, joined(expected));
    expect_compiles(text);
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
