// The option handling: option values, list options, the tool's warnings and
// the command image, for commands mixing French and English option names.
// The values are compared through one text of the fields a command changed.
#include <gtest/gtest.h>

#include <cstdlib>

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

// Every field as "name=value", in field order.
std::vector<std::string> fields(const option_values& o)
{
    using std::to_string;
    return {"tested=" + o.tested_file, "generated=" + o.generated_file, "I=" + joined(o.integrated_files),
            "S=" + joined(o.simulated_files), "U=" + joined(o.used_files), "INCL=" + joined(o.include_dirs),
            "D=" + joined(o.defined_macros), "insert=" + to_string(o.insert_flag),
            "prepro=" + to_string(o.prepro_only_flag), "std=" + o.std_define_file, "symb=" + o.symbtab_file,
            "ali=" + o.adalink_file, "ads=" + o.ada_standard_file, "class=" + o.class_name,
            "given=" + to_string(o.class_given), "log=" + o.vestra_log_name,
            "kr=" + to_string(o.restriction_kr), "ansi=" + to_string(o.restriction_ansi)};
}

// The fields that differ from fresh values.
std::string summary(const option_values& o)
{
    const std::vector<std::string> now = fields(o), fresh = fields(option_values{});
    std::string text;
    for (std::size_t i = 0; i < now.size(); ++i)
        if (now[i] != fresh[i])
            text.append(text.empty() ? "" : " ").append(now[i]);
    return text;
}

class Options : public testing::Test {
protected:
    std::string image;

    void SetUp() override
    {
        register_all_messages();
        reset_reporting();
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

// Each command: its messages, the image after "morvastart "a.c" "b.ptu"",
// the values that changed besides both positionals, and the warnings counted.
TEST_F(Options, CommandsGiveTheirValuesImageAndWarnings)
{
    const std::string missing = data_dir + "/nonexistent", plain = data_dir + "/handle_options_test.cpp";
    const std::string z1008(1008, 'z'), z1009(1009, 'z');
    const std::string cmd_warning = "Tolvex-W-CMDERREUR,  Bad command: ";
    const struct {
        std::vector<std::string> options;
        std::string zrltgt; // "": unset
        std::string err, image, values;
        int warnings;
    } rows[] = {
        {{}, "", "", "", "", 0},
        {{"-INTEGRE=i1.c,i2.c", "-SIMULATE=(s1.c,s2.c)", "-insere", "-UTILISE=u.h", "-INCL=" + data_dir,
          "-DEFINIR=A,B=2", "-DEFINE_STD=std.def", "-TABSYMB=t.smb", "-ADALIEN=l.ali", "-STANDARD=x.ads",
          "-PREPRO_SEUL", "-CLASSE=Klass", "-restriction=noe,ansi", "-VESTRA_LOG=v.log", "-XT=3",
          "-METRIQUES=m", "-NOPATH", "-LANGAGE=C", "-ONE_LEVEL", "-RESTRICT_DIR=r"},
         "",
         "",
         " -INTEGRATE=\"i1.c,i2.c\" -SIMULATE=\"s1.c,s2.c\" -USE=\"u.h\" -INSERT -INCL=\"" + data_dir +
             "\" -DEFINE=\"A,B=2\" -STD_DEFINE=\"std.def\" -SYMBTAB=t.smb -ADALINK=l.ali -STANDARD=x.ads"
             " -SERVICE= -PREPRO_ONLY -CLASS=Klass -RESTRICTION=\"NOEXCEP,ANSI\"",
         "I=i1.c,i2.c S=s1.c,s2.c U=u.h INCL=" + data_dir +
             " D=A,B=2 insert=1 prepro=1 std=std.def symb=t.smb ali=l.ali ads=x.ads class=Klass given=1"
             " log=v.log",
         0},
        // The second warning repeats the code at the same position: counted, not shown.
        {{"-INCL=(" + data_dir + "," + missing + ")", "-INCL=" + plain},
         "",
         "Tolvex-W-INCLTYPER,  " + missing + " is not a directory \n",
         " -INCL=\"" + data_dir + "," + missing + "," + plain + "\"",
         "INCL=" + data_dir,
         2},
        // Only the first value loses an opening parenthesis; every value loses a closing one.
        {{"-INTEGRATE=(a,b)", "-INTEGRATE=(c)", "-USE=()"}, "", "", " -INTEGRATE=\"a,b,(c\" -USE=\"\"",
         "I=a,b,(c", 0},
        // SERVICE and KR are only warned about (one code, one position: one line shown).
        {{"-RESTRICTION=kr,ansi", "-SERVICE=f"}, "", cmd_warning + "improper -SERVICE option\n",
         " -RESTRICTION=\"KR,ANSI\"", "", 2},
        // The standard definitions default from ZRLTGT, within the field's 1,023 characters.
        {{}, "/opt/zrl", "", " -STD_DEFINE=\"/opt/zrl/ana/knus_c.def\"", "std=/opt/zrl/ana/knus_c.def", 0},
        {{"-STD_DEF=mine.def"}, "/opt/zrl", "", " -STD_DEFINE=\"mine.def\"", "std=mine.def", 0},
        {{}, z1008, "", " -STD_DEFINE=\"" + z1008 + "/ana/knus_c.def\"", "std=" + z1008 + "/ana/knus_c.def",
         0},
        {{}, z1009, cmd_warning + "ZRLTGT value too long for the default -STD_DEFINE file\n", "", "", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.values.substr(0, 80));
        reset_reporting();
        if (row.zrltgt.empty())
            unsetenv("ZRLTGT");
        else
            setenv("ZRLTGT", row.zrltgt.c_str(), 1);
        EXPECT_EQ(handle(row.options), row.err);
        EXPECT_EQ(image, head + row.image);
        const std::string positionals = "tested=a.c generated=b.ptu";
        EXPECT_EQ(summary(options()), row.values.empty() ? positionals : positionals + " " + row.values);
        EXPECT_EQ(current_counts().warnings, row.warnings);
    }
    // List entries are the shared texts.
    handle({"-INTEGRE=i1.c"});
    EXPECT_EQ(options().integrated_files[0].text, unique_string("i1.c"));
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
