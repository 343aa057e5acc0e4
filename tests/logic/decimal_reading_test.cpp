#include "decimal_reading.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zelkor {
namespace {

// The strtod path must read exactly what from_chars reads: the same prefix, the same
// double, the same range verdict, so that a browser build reads typed numbers as the
// desktop builds do.
void expectSameReading(const std::string& text) {
    SCOPED_TRACE("text: \"" + text + "\"");
    const DecimalReading expected = readDecimal(text);
    const DecimalReading got = readDecimalWithStrtod(text);
    EXPECT_EQ(got.length, expected.length);
    EXPECT_EQ(got.outOfRange, expected.outOfRange);
    if (!expected.outOfRange) {
        EXPECT_EQ(got.value, expected.value);
    }
}

TEST(DecimalReading, StrtodPathReadsWhatFromCharsReads) {
    for (const char* text : {"0",
                             "5",
                             "0.01",
                             "20.3",
                             ".5",
                             "5.",
                             "2e1",
                             "2e",
                             "2e+",
                             "2E-3x",
                             "1.5e+2.5",
                             "abc",
                             "",
                             ".",
                             ".e1",
                             "0x10",
                             "inf",
                             "nan",
                             "-1",
                             "+1",
                             "1,5",
                             "0.0005",
                             "0.0015",
                             "9007199254740993",
                             "1e308",
                             "1e309",
                             "1e-400",
                             "0.1e-320",
                             "4.9406564584124654e-324",
                             "123456789012345678901234567890e-10",
                             "00012.500",
                             "1e0000000000000000000001"}) {
        expectSameReading(text);
    }
}

TEST(DecimalReading, StrtodPathAgreesOnRandomDecimals) {
    std::mt19937_64 random(2026);
    const std::string alphabet = "0123456789.eE+-x ";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 24);
        for (int k = 0; k < length; ++k) {
            // Mostly digits, so that most texts are numbers.
            const std::size_t pick = random() % 4 == 0 ? random() % alphabet.size() : random() % 10;
            text += alphabet[pick];
        }
        expectSameReading(text);
        if (testing::Test::HasFailure()) return;
    }
}

TEST(DecimalReading, ReadsThePrefixThatIsANumber) {
    struct Row {
        const char* text;
        double value;
        std::size_t length;
    };
    for (const Row& row : {Row{"5abc", 5, 1}, Row{"2.5.1", 2.5, 3}, Row{"2e1x", 20, 3},
                           Row{"2ex", 2, 1}, Row{"x5", 0, 0}, Row{" 5", 0, 0}}) {
        SCOPED_TRACE(row.text);
        for (const DecimalReading r : {readDecimal(row.text), readDecimalWithStrtod(row.text)}) {
            EXPECT_EQ(r.length, row.length);
            if (r.length > 0) {
                EXPECT_EQ(r.value, row.value);
            }
        }
    }
}

}  // namespace
}  // namespace zelkor
