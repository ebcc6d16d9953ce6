// Checked calls: allocation failure (C and C++) ends the run as internal
// error ERRINTFCT with status 9; a failing close prints the cstsyst text
// and ends with status 7; the small helpers keep their edge rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <unistd.h>

#include "diag/message_catalogue.h"
#include "support/checked_calls.h"

namespace {

// Not anchored at the start: a sanitizer's allocator may warn first.
const char* const overflow_line = "Tolvex-S-ERRINTFCT,  Internal error in the function memory overflow\n$";

TEST(CheckedCallsDeathTest, AllocationFailureIsInternalError)
{
    register_all_messages();
    EXPECT_EXIT(checked_malloc(SIZE_MAX / 2), testing::ExitedWithCode(9), overflow_line);
    EXPECT_EXIT(checked_calloc(SIZE_MAX / 4, 8), testing::ExitedWithCode(9), overflow_line);
    EXPECT_EXIT(checked_realloc(nullptr, SIZE_MAX / 2), testing::ExitedWithCode(9), overflow_line);
}

TEST(CheckedCallsDeathTest, FailingNewIsInternalError)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's operator new does not call the new handler";
#endif
    register_all_messages();
    EXPECT_EXIT(
        {
            install_new_handler();
            volatile std::size_t huge = SIZE_MAX / 4;
            char* p = new char[huge];
            p[0] = 1;
        },
        testing::ExitedWithCode(9), overflow_line);
}

TEST(CheckedCallsDeathTest, FailingCloseIsCstsystFatal)
{
    EXPECT_EXIT(
        {
            std::FILE* f = std::tmpfile();
            close(fileno(f));
            checked_fclose(f);
        },
        testing::ExitedWithCode(7), "^FATAL ERROR on 'fclose',\n Please contact your administrative.$");
}

TEST(CheckedCalls, SmallHelpers)
{
    checked_free(nullptr);
    char* copy = heap_copy("");
    EXPECT_EQ(copy[0], '\0');
    checked_free(copy);
    copy = heap_copy("abc");
    EXPECT_STREQ(copy, "abc");
    zero_fill(copy, 0);
    EXPECT_STREQ(copy, "abc");
    zero_fill(copy, 2);
    EXPECT_EQ(copy[1], '\0');
    EXPECT_EQ(copy[2], 'c');
    checked_free(copy);
}

TEST(CheckedCallsDeathTest, ExitFlushesBothStreams)
{
    EXPECT_EXIT(
        {
            std::fputs("pending-error", stderr);
            exit_process(3);
        },
        testing::ExitedWithCode(3), "pending-error$");
}

} // namespace
