// Catalogue resolution: later groups replace the texts of codes that earlier
// groups registered too, and registering twice changes nothing.
#include <gtest/gtest.h>

#include "diag/message_catalogue.h"
#include "diag/message_tables.h"

namespace {

QString text_of(const char* code)
{
    QString text;
    EXPECT_TRUE(lookup_message(code, &text)) << code;
    return text;
}

TEST(Catalogue, DuplicatedCodesKeepTheLastGroupsText)
{
    register_all_messages();
    // Both texts differ from the first group's.
    EXPECT_EQ(text_of("IMPOUVFIC"), "%1Cannot open the file %2");
    EXPECT_EQ(text_of("INCLTYPER"), "%1%2 is not a directory ");
    QString none;
    EXPECT_FALSE(lookup_message("WARNERR", &none));
}

TEST(Catalogue, SecondRegistrationChangesNothing)
{
    register_all_messages();
    register_message("IMPOUVFIC", "changed");
    register_all_messages();
    EXPECT_EQ(text_of("IMPOUVFIC"), "changed");
    register_message("IMPOUVFIC", "%1Cannot open the file %2");
}

TEST(Catalogue, CodesAreWellFormedAndCommented)
{
    const struct {
        const message_entry* entries;
        std::size_t count;
        bool modbas;
    } groups[] = {{message_tables::squelet, message_tables::squelet_count, false},
                  {message_tables::modbas, message_tables::modbas_count, true},
                  {message_tables::bibli, message_tables::bibli_count, false},
                  {message_tables::anaccpp, message_tables::anaccpp_count, false}};
    for (const auto& g : groups)
        for (std::size_t i = 0; i < g.count; ++i) {
            std::string code = g.entries[i].code;
            EXPECT_GE(code.size(), 8u) << code;
            EXPECT_LE(code.size(), 12u) << code;
            EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"), std::string::npos);
            if (g.entries[i].heading && !g.modbas) {
                EXPECT_EQ(std::string(g.entries[i].comment), "Error code is \"" + code + "\"");
            }
        }
}

} // namespace
