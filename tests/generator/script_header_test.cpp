// The "%f" file list rules, and printf directives in the header fields (the
// eleven lines themselves are checked whole by the end-to-end tests).
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
