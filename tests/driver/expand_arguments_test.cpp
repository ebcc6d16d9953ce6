// The working vector: option files ("@file", "-OPTION=file") and the
// expansion of "$NAME" references in every word.
#include <gtest/gtest.h>

#include <cstdlib>

#include "driver/command_analyser.h"
#include "driver/option_table.h"
#include "test_support/temp_folder.h"

namespace {

using words = std::vector<std::string>;

class OptionFiles : public testing::Test {
protected:
    temp_folder dir{"morva_options"};
    command_table table;
    std::string errors;

    void SetUp() override
    {
        table.usage[english_column] = "\nU\n";
        table.write_error = [this](std::string_view text) { errors += text; };
        setenv("MORVA_T_DIR", "/opt/t", 1);
        setenv("MORVA_T_SELF", "$MORVA_T_DIR", 1);
        setenv("MORVA_T_EMPTY", "", 1);
        unsetenv("MORVA_T_UNSET");
    }
    std::string file(const std::string& name, const std::string& bytes) { return dir.write(name, bytes); }
    words file_words(const std::string& bytes)
    {
        words result;
        EXPECT_TRUE(read_option_file(file("opts", bytes), result));
        return result;
    }
    int expand(const words& arguments, words& working)
    {
        std::vector<const char*> argv;
        for (const std::string& a : arguments)
            argv.push_back(a.c_str());
        return expand_arguments(table, static_cast<int>(argv.size()), argv.data(), working);
    }
};

// The bytes of an option file and the words read from them.
TEST_F(OptionFiles, WordsOfAFile)
{
    const struct {
        std::string bytes;
        words expected;
    } cases[] = {
        {"a b\tc\r\nd\n\n  e", {"a", "b", "c", "d", "e"}},
        {"", {}},
        {" \n\t\r\n", {}},
        // Only a "#" that opens its line starts a comment.
        {"  # a comment -INSERT\n-NOPATH\n#x\n\t#y z\nw", {"-NOPATH", "w"}},
        {"a #b\nc#d", {"a", "#b", "c#d"}},
        {"#only", {}},
        // Quotes join and are dropped; a quoted empty text is a word; an
        // unterminated quote runs to the end.
        {"-INCL=\"my dir\" x", {"-INCL=my dir", "x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"line\none\"", {"line\none"}},
        {"\"\" b", {"", "b"}},
        {"a \"b c\n#d", {"a", "b c\n#d"}},
        // A backslash before a line end continues the line; others stay.
        {"-INCL=a,\\\nb", {"-INCL=a,b"}},
        {"-INCL=a,\\\rb", {"-INCL=a,b"}},
        {"-INCL=a,\\\r\nb c", {"-INCL=a,b", "c"}},
        {"-INCL=a\\,b \\x \\\" q", {"-INCL=a\\,b", "\\x", "\\\"", "q"}},
        {"a\\ b", {"a\\ b"}},
        {"end\\", {"end\\"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(file_words(c.bytes), c.expected) << c.bytes;
}

// Option files are replaced by their words in place, once and not nested;
// words that only look like option files stay; every word is expanded.
TEST_F(OptionFiles, WorkingVectors)
{
    const std::string opts = file("opts", "-INSERT\n-INCL=$MORVA_T_DIR\n@nested -option=nested\n");
    const std::string use = file("use", "-USE=$MORVA_T_DIR/u.h \"$MORVA_T_SELF\"");
    const std::pair<words, words> rows[] = {
        {{"morvastart", "a.c", "@" + opts, "b.ptu", "-OPTION=" + opts, "-Option=" + opts},
         {"morvastart", "a.c", "-INSERT", "-INCL=/opt/t", "@nested", "-option=nested", "b.ptu", "-INSERT",
          "-INCL=/opt/t", "@nested", "-option=nested", "-INSERT", "-INCL=/opt/t", "@nested", "-option=nested"}},
        {{"@prog", "-OPTIONS=x", "-OPTION", "-OPTIO=x", "x@y"},
         {"@prog", "-OPTIONS=x", "-OPTION", "-OPTIO=x", "x@y"}},
        {{"$MORVA_T_DIR/morvastart", "$MORVA_T_UNSET", "-INCL=$MORVA_T_DIR", "@" + use},
         {"/opt/t/morvastart", "$MORVA_T_UNSET", "-INCL=/opt/t", "-USE=/opt/t/u.h", "$MORVA_T_DIR"}},
    };
    for (const auto& [arguments, expected] : rows) {
        words working;
        EXPECT_EQ(expand(arguments, working), 0);
        EXPECT_EQ(working, expected);
    }
    EXPECT_EQ(errors, "");
}

// A missing file, none named, or a folder: the first one stops the expansion.
TEST_F(OptionFiles, MissingFileStopsTheExpansion)
{
    const std::string missing = dir / "missing.opt", folder = dir.path().string();
    const std::pair<std::string, std::string> rows[] = {
        {"-option=" + missing, missing}, {"@", ""}, {"@" + folder, folder}};
    for (const auto& [argument, shown] : rows) {
        words working;
        errors.clear();
        EXPECT_EQ(expand({"morvastart", argument, "@also_missing"}, working), -1);
        EXPECT_EQ(errors, "Kelvane Command analysis : File not found " + shown + "\nU\n\n");
    }
}

TEST_F(OptionFiles, HugeOptionFileThroughTheToolTable)
{
    command_table tool = make_morvastart_table();
    std::string errors_seen;
    tool.write_error = [&](std::string_view text) { errors_seen += text; };
    std::string bytes = "a.c b.ptu\n";
    for (int i = 0; i < 100000; ++i)
        bytes += "-INCL=d" + std::to_string(i) + "\n";
    bytes += "-CLASS=" + std::string(2000000, 'k') + "\n";
    const std::string opts = "@" + file("big", bytes);
    std::vector<const char*> argv = {"morvastart", opts.c_str()};
    words working;
    ASSERT_EQ(expand_arguments(tool, 2, argv.data(), working), 0);
    ASSERT_EQ(working.size(), 100004u);
    EXPECT_EQ(analyse_command(tool, working), -1);
    EXPECT_EQ(errors_seen.rfind("Kelvane Command analysis : Arg length too large, kkkk", 0), 0u);
    EXPECT_EQ(option_value(tool, option_index(tool, "INCL"), 100000)->text, "d99999");
}

// Environment expansion.
// Set names are replaced, unset ones stay; a name runs over letters, digits
// and "_" only, and an inserted value is not expanded again.
TEST_F(OptionFiles, EnvironmentReferences)
{
    setenv("MORVA_T_LOOP", "x$MORVA_T_LOOP", 1);
    const std::pair<const char*, const char*> cases[] = {
        {"$MORVA_T_DIR/x", "/opt/t/x"},
        {"a$MORVA_T_DIR$MORVA_T_DIR", "a/opt/t/opt/t"},
        {"[$MORVA_T_EMPTY]", "[]"},
        {"$MORVA_T_UNSET/x", "$MORVA_T_UNSET/x"},
        {"$MORVA_T_UNSET$MORVA_T_DIR", "$MORVA_T_UNSET/opt/t"},
        {"$ $- a$ $$", "$ $- a$ $$"},
        {"$MORVA_T_DIR.c", "/opt/t.c"},
        {"$MORVA_T_DIRX", "$MORVA_T_DIRX"},
        {"$MORVA_T_SELF", "$MORVA_T_DIR"},
        {"$MORVA_T_LOOP$MORVA_T_LOOP", "x$MORVA_T_LOOPx$MORVA_T_LOOP"},
    };
    for (const auto& [text, expanded] : cases)
        EXPECT_EQ(expand_environment(text), expanded) << text;
}

} // namespace
