// The units a screen reader asks a number box for: every offset, in range or not, gets
// an answer inside the text, and the word at the end of the text is the last word.
#include "number_box_accessible.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

struct UnitCase {
    const char* text;
    int offset;
    QAccessible::TextBoundaryType boundary;
    std::pair<int, int> unit;
};

TEST(NumberBoxText, UnitsAroundAnOffset) {
    using QA = QAccessible;
    const UnitCase cases[] = {
        {"5", 0, QA::CharBoundary, {0, 1}},          {"5", 1, QA::CharBoundary, {-1, -1}},
        {"5", 1, QA::WordBoundary, {0, 1}},          {"0.01", 4, QA::WordBoundary, {0, 4}},
        {"12 34", 1, QA::WordBoundary, {0, 2}},      {"12 34", 4, QA::WordBoundary, {3, 5}},
        {"12 34", 5, QA::WordBoundary, {3, 5}},      {"12 34", 2, QA::WordBoundary, {2, 3}},
        {"12 34", 5, QA::SentenceBoundary, {0, 5}},  {"12 34", 3, QA::LineBoundary, {0, 5}},
        {"12 34", 9, QA::ParagraphBoundary, {0, 5}}, {"", 0, QA::WordBoundary, {-1, -1}},
        {"", 0, QA::LineBoundary, {-1, -1}},         {"5", -3, QA::WordBoundary, {-1, -1}},
        {"5", 1000000, QA::WordBoundary, {0, 1}},    {"5", 1000000, QA::CharBoundary, {-1, -1}},
    };
    for (const UnitCase& c : cases) {
        EXPECT_EQ(textUnitAt(QString::fromUtf8(c.text), c.offset, c.boundary), c.unit)
            << "'" << c.text << "' at " << c.offset << ", boundary " << c.boundary;
    }
}

TEST(NumberBoxText, EveryOffsetOfEveryBoundaryLiesInsideTheText) {
    const QString texts[] = {"5", "0.01", " 1 2 ", "20.3abc", "1e400", "。5", QString(500, '9')};
    for (const QString& text : texts) {
        const int length = static_cast<int>(text.size());
        for (auto boundary :
             {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
              QAccessible::LineBoundary, QAccessible::ParagraphBoundary, QAccessible::NoBoundary}) {
            for (int offset = -1; offset <= length + 1; ++offset) {
                const auto [first, last] = textUnitAt(text, offset, boundary);
                if (first == -1) {
                    EXPECT_EQ(last, -1);
                    continue;
                }
                EXPECT_TRUE(0 <= first && first < last && last <= length)
                    << text.toStdString() << " at " << offset << ": [" << first << ", " << last
                    << ")";
                if (offset >= 0 && offset < length) {
                    EXPECT_TRUE(first <= offset && offset < last) << "the unit holds its offset";
                }
            }
        }
    }
}

}  // namespace
}  // namespace zelkor
