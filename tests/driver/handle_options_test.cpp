// The option handling: option values, list options, the tool's warnings and
// the command image, for commands mixing French and English option names.
// The values are compared through one text of all their fields.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "diag/message_catalogue.h"
#include "diag/report.h"
#include "driver/handle_options.h"
#include "driver/option_table.h"
#include "support/unique_strings.h"

namespace {

const std::string data_dir = MORVA_TEST_DATA;
const std::string head = "morvastart \"a.c\" \"b.ptu\"";

// The entries joined by ",", each marked one followed by "*".
std::string joined(const file_list& list)
{
    std::string text;
    for (const file_entry& entry : list)
        text.append(text.empty() ? "" : ",").append(entry.text).append(entry.mark ? "*" : "");
    return text;
}

std::string summary(const option_values& o)
{
    std::ostringstream s;
    s << o.tested_file << ' ' << o.generated_file << " I=" << joined(o.integrated_files)
      << " S=" << joined(o.simulated_files) << " U=" << joined(o.used_files)
      << " INCL=" << joined(o.include_dirs)
      << " D=" << joined(o.defined_macros) << " insert=" << o.insert_flag << " prepro=" << o.prepro_only_flag
      << " std=" << o.std_define_file << " symb=" << o.symbtab_file << " ali=" << o.adalink_file
      << " ads=" << o.ada_standard_file << " class=" << o.class_name << '/' << o.class_given
      << " log=" << o.vestra_log_name << " kr=" << o.restriction_kr << " ansi=" << o.restriction_ansi;
    return s.str();
}

class Options : public testing::Test {
protected:
    std::string image;

    void SetUp() override
    {
        register_all_messages();
        reset_reporting();
        options() = option_values{};
        unsetenv("ZRLTGT");
    }
    void TearDown() override { unsetenv("ZRLTGT"); }

    // Runs the option handling on "morvastart a.c b.ptu" plus the options,
    // on fresh values, and returns what it wrote on the standard error stream.
    std::string handle(std::vector<std::string> arguments)
    {
        options() = option_values{};
        arguments.insert(arguments.begin(), {"morvastart", "a.c", "b.ptu"});
        std::vector<char*> argv;
        for (std::string& a : arguments)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        testing::internal::CaptureStderr();
        handle_options(static_cast<int>(arguments.size()), argv.data(), image);
        return testing::internal::GetCapturedStderr();
    }
};

TEST_F(Options, MixedFrenchAndEnglishNames)
{
    const std::string err =
        handle({"-INTEGRE=i1.c,i2.c", "-SIMULATE=(s1.c,s2.c)", "-insere", "-UTILISE=u.h", "-INCL=" + data_dir,
                "-DEFINIR=A,B=2", "-DEFINE_STD=std.def", "-TABSYMB=t.smb", "-ADALIEN=l.ali", "-STANDARD=x.ads",
                "-PREPRO_SEUL", "-CLASSE=Klass", "-restriction=noe,ansi", "-VESTRA_LOG=v.log", "-XT=3",
                "-METRIQUES=m", "-NOPATH", "-LANGAGE=C", "-ONE_LEVEL", "-RESTRICT_DIR=r"});
    EXPECT_EQ(err, "");
    // The image of such a command is checked end to end.
    EXPECT_EQ(summary(options()), "a.c b.ptu I=i1.c,i2.c S=s1.c,s2.c U=u.h INCL=" + data_dir +
                                      " D=A,B=2 insert=1 prepro=1 std=std.def symb=t.smb ali=l.ali ads=x.ads"
                                      " class=Klass/1 log=v.log kr=0 ansi=1");
    // List entries are the shared texts.
    EXPECT_EQ(options().integrated_files[0].text, unique_string("i1.c"));
    EXPECT_EQ(current_counts().warnings, 0);
}

TEST_F(Options, NothingGiven)
{
    EXPECT_EQ(handle({}), "");
    EXPECT_EQ(image, head);
    EXPECT_EQ(summary(options()),
              "a.c b.ptu I= S= U= INCL= D= insert=0 prepro=0 std= symb= ali= ads= class=MORVA/0"
              " log= kr=0 ansi=1");
}

TEST_F(Options, IncludeDirectoriesAreChecked)
{
    const std::string missing = data_dir + "/nonexistent";
    const std::string plain = data_dir + "/handle_options_test.cpp";
    // The second warning repeats the code at the same position: counted, not shown.
    EXPECT_EQ(handle({"-INCL=(" + data_dir + "," + missing + ")", "-INCL=" + plain}),
              "Tolvex-W-INCLTYPER,  " + missing + " is not a directory \n");
    EXPECT_EQ(joined(options().include_dirs), data_dir);
    EXPECT_EQ(image, head + " -INCL=\"" + data_dir + "," + missing + "," + plain + "\"");
    EXPECT_EQ(current_counts().warnings, 2);
}

TEST_F(Options, ParenthesesAndEmptyValues)
{
    EXPECT_EQ(handle({"-INTEGRATE=(a,b)", "-INTEGRATE=(c)", "-USE=()"}), "");
    // Only the first value loses an opening parenthesis; every value loses a closing one.
    EXPECT_EQ(joined(options().integrated_files), "a,b,(c");
    EXPECT_TRUE(options().used_files.empty());
    EXPECT_EQ(image, head + " -INTEGRATE=\"a,b,(c\" -USE=\"\"");
}

// The warnings' texts are checked end to end; here what they leave behind.
TEST_F(Options, KrAndServiceAreOnlyWarned)
{
    handle({"-RESTRICTION=kr,ansi", "-SERVICE=f"});
    EXPECT_EQ(options().restriction_kr, 0);
    EXPECT_EQ(options().restriction_ansi, 1);
    EXPECT_EQ(image, head + " -RESTRICTION=\"KR,ANSI\"");
    EXPECT_EQ(current_counts().warnings, 2);
}

TEST_F(Options, StandardDefinitionsDefault)
{
    setenv("ZRLTGT", "/opt/zrl", 1);
    EXPECT_EQ(handle({}), "");
    EXPECT_EQ(options().std_define_file, "/opt/zrl/ana/knus_c.def");
    EXPECT_EQ(image, head + " -STD_DEFINE=\"/opt/zrl/ana/knus_c.def\"");
    EXPECT_EQ(handle({"-STD_DEF=mine.def"}), "");
    EXPECT_EQ(options().std_define_file, "mine.def");
    // "/ana/knus_c.def" adds 15 characters; the field holds 1,023.
    setenv("ZRLTGT", std::string(1008, 'z').c_str(), 1);
    EXPECT_EQ(handle({}), "");
    EXPECT_EQ(options().std_define_file.size(), 1023u);
    setenv("ZRLTGT", std::string(1009, 'z').c_str(), 1);
    EXPECT_EQ(handle({}),
              "Tolvex-W-CMDERREUR,  Bad command: ZRLTGT value too long for the default -STD_DEFINE file\n");
    EXPECT_EQ(options().std_define_file, "");
    EXPECT_EQ(image, head);
}

// The image bounds.
TEST_F(Options, ListImagePartIsBounded)
{
    std::vector<std::string> arguments;
    for (int i = 0; i < 10000; ++i)
        arguments.push_back("-DEFINE=MACRO_" + std::to_string(10000 + i));
    handle(arguments);
    EXPECT_EQ(options().defined_macros.size(), 10000u);
    EXPECT_STREQ(options().defined_macros.back().text, "MACRO_19999");
    // ' -DEFINE="' then 11 characters per value: the part stops at 61,440.
    ASSERT_EQ(image.size(), head.size() + 61440);
    EXPECT_EQ(image.substr(0, head.size() + 25), head + " -DEFINE=\"MACRO_10000,MAC");
}

TEST(CommandImage, WholePartsAreCutAtTheBufferSize)
{
    option_values values;
    values.tested_file = "a.c";
    values.generated_file = "b.ptu";
    values.insert_flag = 1;
    values.class_given = 1;
    values.class_name = "K";
    list_images parts;
    parts.integrate = " -INTEGRATE=\"" + std::string(61440 - 14, 'i') + "\"";
    ASSERT_EQ(parts.integrate.size(), 61440u);
    parts.incl = " -INCL=\"" + std::string(100, 'd') + "\"";
    // Once the image holds 61,440 characters the other pieces are dropped,
    // but list parts are still appended whole.
    EXPECT_EQ(build_command_image(values, parts), head + parts.integrate + parts.incl);
    parts.simulate = parts.use = parts.define = parts.restriction = parts.integrate;
    const std::string image = build_command_image(values, parts);
    EXPECT_EQ(image.size(), command_image_limit - 1);
    EXPECT_EQ(image.substr(0, head.size() + 61440), head + parts.integrate);
}

TEST(ListOption, NotGivenLeavesTheListAloneAndUpperCaseOnRequest)
{
    command_table table = make_morvastart_table();
    ASSERT_EQ(analyse_command(table, {"morvastart", "a.c", "b.ptu", "-DEFINE=abc,Mixed"}), 0);
    file_list list = {{unique_string("kept"), 1}};
    std::string image = "old";
    add_list_option(table, "USE", list, image, true, false);
    EXPECT_EQ(image, "");
    EXPECT_EQ(joined(list), "kept*");
    list.clear();
    add_list_option(table, "DEFINE", list, image, true, true);
    EXPECT_EQ(joined(list), "ABC,MIXED");
    EXPECT_EQ(image, " -DEFINE=\"ABC,MIXED\"");
}

} // namespace
