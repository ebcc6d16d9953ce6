// The eleven header lines and the "%f" file list rules.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "diag/message_catalogue.h"
#include "generator/script_header.h"

namespace {

std::string header_of(const header_fields& fields)
{
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&data, &size);
    write_header(stream, fields);
    std::fclose(stream);
    std::string text(data, size);
    std::free(data);
    return text;
}

const std::string frame = "--********************************************************************************";
const std::string boxed = "--*                                                                              *";

TEST(ScriptHeader, ElevenLines)
{
    header_fields f;
    f.command_image = "morvastart \"calc.c\" \"calc.ptu\"";
    f.generated_file = "./calc.ptu";
    f.tested_file = "./calc.c";
    f.date = "Sun Dec  6 19:40:35 2026";
    std::string expected = frame + "\n"
                           "-- tool : C Source Code Parser VERSION 4.1.0.2.117.006\n" +
                           boxed + "\n"
                           "--%c morvastart \"calc.c\" \"calc.ptu\"\n" +
                           boxed + "\n"
                           "-- File : ./calc.ptu\n"
                           "--%f \"./calc.c\" \n" +
                           boxed + "\n"
                           "--%d DATE : Sun Dec  6 19:40:35 2026\n" +
                           boxed + "\n" + frame + "\n";
    EXPECT_EQ(header_of(f), expected);
    EXPECT_EQ(frame.size(), 82u);
    EXPECT_EQ(boxed.size(), 82u);
}

TEST(ScriptHeader, FileListRules)
{
    header_fields f;
    f.tested_file = "./calc.c";
    EXPECT_EQ(file_list_line(f), "--%f \"./calc.c\" ");
    f.integrated_files = {"io.c", "lib/util"};
    EXPECT_EQ(file_list_line(f), "--%f \"./calc.c\" \"io.c\" \"lib/util\" ");
    f.insert = true;
    EXPECT_EQ(file_list_line(f), "--%f \"io.c\" \"lib/util\" ");
    f.integrated_files.clear();
    EXPECT_EQ(file_list_line(f), "--%f ");
}

TEST(ScriptHeader, MarkersAreLiteral)
{
    // A command image holding printf directives is written as it is.
    header_fields f;
    f.command_image = "morvastart \"%s.c\" \"%d\"";
    f.generated_file = "./%d";
    f.tested_file = "./%s.c";
    f.date = "D";
    std::string text = header_of(f);
    EXPECT_NE(text.find("\n--%c morvastart \"%s.c\" \"%d\"\n"), std::string::npos);
    EXPECT_NE(text.find("\n-- File : ./%d\n"), std::string::npos);
    EXPECT_NE(text.find("\n--%f \"./%s.c\" \n"), std::string::npos);
    EXPECT_NE(text.find("\n--%d DATE : D\n"), std::string::npos);
}

} // namespace
