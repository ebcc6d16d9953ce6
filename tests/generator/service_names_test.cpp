// Service names made unique within a run, and the heading written for each.
#include <gtest/gtest.h>

#include <cstdio>

#include "driver/option_values.h"
#include "generator/generation.h"
#include "generator/service_blocks.h"

namespace {

std::string contents(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string text;
    int c;
    while ((c = std::fgetc(file)) != EOF)
        text.push_back(static_cast<char>(c));
    return text;
}

TEST(service_names, CollisionsGetNumberedSuffixes)
{
    option_values values;
    values.generated_file = "names.ptu";
    generation run(values);
    run.script = std::tmpfile();
    ASSERT_NE(run.script, nullptr);
    service_names names;
    std::vector<std::string> given;
    for (const char* name : {"f", "A_f", "f", "A_f", "f", "f_2"}) {
        std::string unique = name;
        unique_service_name(run, names, unique);
        given.push_back(unique);
    }
    // f_2 was already taken by the second f: it becomes f_2_2.
    EXPECT_EQ(given, (std::vector<std::string>{"f", "A_f", "f_2", "A_f_2", "f_3", "f_2_2"}));
    const std::string separator(80, '-');
    const std::string text = contents(run.script);
    EXPECT_EQ(text.substr(0, text.find("SERVICE A_f\n")),
              "\n" + separator + "\n-- Declaration of the service f\n" + separator +
                  "\nSERVICE f\nSERVICE_TYPE extern\n\n\n" + separator + "\n-- Declaration of the service A_f\n" +
                  separator + "\n");
    std::fclose(run.script);
    run.script = nullptr;
}

} // namespace
