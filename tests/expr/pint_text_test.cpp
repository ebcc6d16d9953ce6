// pint images in every form and width, and int_from_text. Known texts first,
// then seeded 128-bit values printed by an independent formatter.
#include <gtest/gtest.h>

#include <cstdio>

#include "expr/pint_text.h"
#include "pint_reference.h"

namespace {

class PintImage : public counted_test {
protected:
    operands random{7031};
};

constexpr auto image = pint_image_text;

// The bytes a width shows, highest first, in hexadecimal or binary digits;
// width 0 shows the fewest bytes that hold v as a two's-complement number.
std::string digits_reference(i128 v, int width, bool binary)
{
    const bits168 b = bits_of(from_i128(v));
    int count = width == 0 ? 1 : (width + 7) / 8;
    while (width == 0 && count < 16 && (v >> (8 * count - 1)) != (v < 0 ? -1 : 0))
        ++count;
    std::string s;
    for (int n = 8 * count - 1; n >= 0; n -= binary ? 1 : 4)
        s += binary ? "01"[b[n]] : "0123456789ABCDEF"[8 * b[n] + 4 * b[n - 1] + 2 * b[n - 2] + b[n - 3]];
    return s;
}

// A few texts by hand, which also pin down the references the sweep uses.
TEST_F(PintImage, KnownTextsAndLimits)
{
    EXPECT_EQ(image(pint_of(255), 8, 9), "0x00FF");
    EXPECT_EQ(image(pint_of(0x1234), 8, 8), "0x34"); // higher bytes are not shown
    EXPECT_EQ(image(pint_of(-1), 8, -32), "0xFFFFFFFF"); // the sign of the width is ignored
    EXPECT_EQ(image(pint_of(1234567), 6, 500), "1234567"); // decimal ignores the width
    EXPECT_EQ(image(pint_of(-2), 7, 4), "0b11111110");
    EXPECT_EQ(image(pint_of(0xA5), 2, 16), "0000000010100101B");
    // Width 0: the fewest bytes that keep the sign.
    EXPECT_EQ(image(pint_of(128), 0, 0), "0080");
    EXPECT_EQ(image(pint_of(-129), 0, 0), "FF7F");
    EXPECT_EQ(image(most_negative_pint(), 0, 0), "80" + std::string(40, '0'));
    EXPECT_EQ(image(largest_pint(), 1, 0), "187072209578355573530071658587684226515959365500927");
    EXPECT_EQ(image(most_negative_pint(), 1, 0), "-187072209578355573530071658587684226515959365500928");
    pint_image_buffer text; // the buffer form is terminated
    text.fill('x');
    EXPECT_EQ(pint_image(pint_of(-1), 7, 168, text).size(), 170u);
    EXPECT_EQ(text[170], '\0');
    EXPECT_EQ(pint_image(pint_of(42), 1, 0, text), "42");
    EXPECT_EQ(text[2], '\0');
}

TEST_F(PintImage, FullAndExcessiveWidths)
{
    // The sweep below covers widths up to 168 for 128-bit values; these need all 168 bits.
    EXPECT_EQ(image(most_negative_pint(), 0, 161), "80" + std::string(40, '0'));
    EXPECT_EQ(image(most_negative_pint(), 0, 160), std::string(40, '0'));
    EXPECT_EQ(image(most_negative_pint(), 7, 168), "0b1" + std::string(167, '0'));
    EXPECT_EQ(current_counts().errors, 0);

    testing::internal::CaptureStderr();
    EXPECT_EQ(image(pint_of(1), 8, 169), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tolvex-E-OVERFLOW,  Integer operation overflow \n");
    EXPECT_EQ(image(pint_of(1), 2, -200), "");
    EXPECT_EQ(image(pint_of(1), 0, INT32_MIN), "");
    EXPECT_EQ(current_counts().errors, 3);
    EXPECT_EQ(image(pint_of(1), 1, 169), "1");
    EXPECT_EQ(current_counts().errors, 3);
}

TEST_F(PintImage, AgreesWith128BitValues)
{
    const int widths[] = {0, 1, 7, 8, 9, 16, 31, 32, 33, 64, 100, 127, 128, 129, 160, 161, 167, 168};
    for (int i = 0; i < 2000; ++i) {
        i128 v = random.signed_value();
        pint p = from_i128(v);
        ASSERT_EQ(image(p, 1, 32), decimal_of(v));
        ASSERT_EQ(image(p, 3, 0), decimal_of(v));
        ASSERT_EQ(image(p, 6, 168), decimal_of(v));
        for (int w : widths) {
            SCOPED_TRACE(decimal_of(v) + " width " + std::to_string(w));
            const std::string hex = digits_reference(v, w, false), binary = digits_reference(v, w, true);
            ASSERT_EQ(image(p, 0, w), hex);
            ASSERT_EQ(image(p, 8, w), "0x" + hex);
            ASSERT_EQ(image(p, 2, w), binary + "B");
            ASSERT_EQ(image(p, 7, w), "0b" + binary);
        }
    }
    EXPECT_EQ(current_counts().errors, 0);
}

TEST_F(PintImage, OtherFormsAreInternalErrors)
{
    for (int form : {4, 5, 9, -1}) {
        EXPECT_EXIT(image(pint_one, form, 8), testing::ExitedWithCode(9),
                    "Tolvex-S-TRFSTRINT,  Cannot convert string gfmath pint_image into an integer value")
            << form;
    }
}

TEST(IntFromText, DecimalAndHexadecimal)
{
    EXPECT_EQ(int_from_text("1fh"), 31);
    EXPECT_EQ(int_from_text("12\t34"), 12);
    EXPECT_EQ(int_from_text("1F h"), 1); // cut at the blank: decimal "1F"
    EXPECT_EQ(int_from_text("0x1Fh"), 0); // hexadecimal digits stop at the x
    EXPECT_EQ(int_from_text(" 12"), 0);
    EXPECT_EQ(int_from_text("-12"), 0);
    EXPECT_EQ(int_from_text("4294967297"), 1); // wraps in 32 bits
    EXPECT_EQ(int_from_text("123456789ABh"), int32_t(0x456789AB));
}

TEST(IntFromText, OnlyTheFirst2999CharactersCount)
{
    std::string zeros(2999, '0');
    EXPECT_EQ(int_from_text(zeros + "1Fh"), 0); // "1Fh" is beyond the buffer
    EXPECT_EQ(int_from_text(std::string(2996, '0') + "1Fh"), 31);
    EXPECT_EQ(int_from_text(std::string(2997, '0') + "1Fh"), 1); // the h is cut: decimal "0...01F"
    EXPECT_EQ(int_from_text(std::string(2998, '0') + "42"), 4);
}

TEST(IntFromText, RoundTrips)
{
    operands random(99);
    for (int i = 0; i < 2000; ++i) {
        std::int32_t v = random.int32();
        for (const char* format : {"%u", "%xh", "%XH tail"}) {
            char text[32];
            std::snprintf(text, sizeof text, format, unsigned(v));
            ASSERT_EQ(int_from_text(text), v) << text;
        }
    }
}

} // namespace
