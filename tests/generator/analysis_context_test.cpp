// Analysis contexts on the real preprocessor: the include text of a file
// name (plain or a macro naming a header), the standard-definitions file,
// and contexts that keep their macros apart.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>


#include "diag/message_catalogue.h"
#include "diag/report.h"
#include "driver/option_values.h"
#include "generator/analysis_context.h"
#include "test_support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class AnalysisContext : public testing::Test {
protected:
    temp_folder dir{"morva_context"};
    option_values values;
    void SetUp() override
    {
        register_all_messages();
        reset_reporting();
    }
    std::string path(const std::string& name) const { return dir / name; }
};

TEST_F(AnalysisContext, FileNameThatIsAMacroForAHeader)
{
    analysis_context context;
    start_context(context, values, true);
    EXPECT_EQ(include_text_for("./calc.c", context), "#include \"./calc.c\"");
    analyse_text("#define CALC_HEADER \"calc.h\"\n#define SYS_HEADER <sys.h>\n", context, "", "");
    std::string text = include_text_for("CALC_HEADER", context);
    EXPECT_EQ(text.substr(0, 17), "#include \"calc.h\"") << text;
    text = include_text_for("SYS_HEADER", context);
    EXPECT_EQ(text.substr(0, 16), "#include <sys.h>") << text;
    // A macro that expands to something else is taken as a file name.
    analyse_text("#define NOT_A_HEADER 42\n", context, "", "");
    EXPECT_EQ(include_text_for("NOT_A_HEADER", context), "#include \"NOT_A_HEADER\"");
    end_context(context, true);
}

TEST_F(AnalysisContext, StandardDefinitionsReachEveryContext)
{
    std::ofstream(path("std.def")) << "#define FROM_STD 7\n";
    values.std_define_file = path("std.def");
    analysis_context first, second;
    start_context(first, values, true);
    start_context(second, values, false);
    EXPECT_EQ(cpp_macro_text(first.names, "FROM_STD"), "7");
    EXPECT_EQ(cpp_macro_text(second.names, "FROM_STD"), "7");
    // A definition made in one context stays there.
    analyse_text("#define ONLY_FIRST 1\n", first, "", "");
    EXPECT_EQ(cpp_macro_text(first.names, "ONLY_FIRST"), "1");
    EXPECT_EQ(cpp_macro_text(second.names, "ONLY_FIRST"), "");
    end_context(second, false);
    end_context(first, true);
    EXPECT_EQ(current_counts().warnings, 0);
}

TEST_F(AnalysisContext, DefineOptionsAndTestClass)
{
    static const char* macro = "LEVEL=3";
    values.defined_macros.push_back({macro, 0});
    values.class_name = "TESTER";
    analysis_context context;
    start_context(context, values, true);
    EXPECT_EQ(cpp_macro_text(context.names, "LEVEL"), "3");
    EXPECT_EQ(context.scopes.session->friend_class_name, "TESTER");
    end_context(context, true);
    EXPECT_EQ(cpp_macro_text(context.names, "LEVEL"), "");
}

} // namespace
