// A generation run inside the test process: the names completed in place
// and the NOGENERAT case (whole scripts are checked end to end).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "diag/message_catalogue.h"
#include "diag/report.h"
#include "driver/option_values.h"
#include "generator/generation.h"
#include "test_support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class Generation : public testing::Test {
protected:
    temp_folder dir{"morva_generation"};
    option_values values;
    void SetUp() override
    {
        register_all_messages();
        reset_reporting();
        for (const char* v : {"MORVAPTU", "MORVACPP", "MORVASMB", "MORVADEF", "MVX_NOBASENAME"})
            unsetenv(v);
        dir.write("calc.c", "/* empty */\n");
        dir.write("std.def", "#define STD 1\n");
    }
    std::string path(const std::string& name) const { return dir / name; }
};

TEST_F(Generation, NothingToGenerateWithoutNames)
{
    generation run(values);
    EXPECT_FALSE(open_script(run, "morvastart \"\" \"\""));
    values.tested_file = path("calc.c");
    EXPECT_FALSE(open_script(run, "image"));
    EXPECT_EQ(values.tested_file, path("calc.c"));
    EXPECT_EQ(run.script, nullptr);
}

TEST_F(Generation, NoGeneratReportedAsInformation)
{
    option_values& global = options();
    global = option_values{};
    testing::internal::CaptureStderr();
    generate_script("morvastart \"\" \"\"");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tolvex-I-NOGENERAT,  tests plan  was not generated\n");
    EXPECT_EQ(current_counts().errors, 0);
    EXPECT_EQ(current_counts().warnings, 0);
}

TEST_F(Generation, NamesCompletedInPlace)
{
    values.tested_file = path("calc.c");
    values.generated_file = path("out");
    values.symbtab_file = path("table");
    values.std_define_file = path("std");
    generation run(values);
    ASSERT_TRUE(open_script(run, "image"));
    EXPECT_EQ(values.tested_file, path("calc.c"));
    EXPECT_EQ(values.generated_file, path("out.ptu"));
    EXPECT_EQ(values.symbtab_file, path("table.smb"));
    EXPECT_EQ(values.std_define_file, path("std.def"));
    finish_script(run, "image");
    EXPECT_EQ(run.script, nullptr);
    EXPECT_TRUE(fs::exists(path("table.smb")));
    std::string text = file_bytes(path("out.ptu"));
    // 82-character frame and box lines around the 54-character tool line.
    EXPECT_EQ(text.find("\n--%c image\n"), 83u + 55u + 82u);
    EXPECT_NE(text.find("\n-- File : " + path("out.ptu") + "\n"), std::string::npos);
}

} // namespace
