// The units a screen reader asks a number box for: every offset, in range or not, gets
// an answer inside the text, and the word at the end of the text is the last word.
#include "number_box_accessible.h"

#include <gtest/gtest.h>

#include "number_box.h"

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

// A screen reader builds a box's line from its attribute runs: one run, covering the
// text, wherever it asks, or the text is read twice.
TEST(NumberBoxText, OneAttributeRunCoversTheWholeText) {
    for (const char* text : {"", "5", "0.01", "20.3abc"}) {
        NumberBox box(QString::fromUtf8(text), nullptr);
        NumberBoxAccessible accessible(&box);
        const int length = static_cast<int>(box.text().size());
        for (int offset : {-1, 0, length / 2, length, length + 5}) {
            int first = -2;
            int last = -2;
            accessible.attributes(offset, &first, &last);
            EXPECT_EQ(first, 0) << text << " at " << offset;
            EXPECT_EQ(last, length) << text << " at " << offset;
        }
    }
}

// Assistive tools that fill fields write through the editable text: the box changes as
// if typed into, offsets out of range are brought into it, the length limit holds.
TEST(NumberBoxEditing, WritesAsTypingWould) {
    enum Op { Replace, Insert, Delete };
    struct EditCase {
        const char* before;
        Op op;
        int first;
        int last;  // Insert: unused
        const char* text;
        const char* after;
        int cursor;
    };
    const EditCase cases[] = {
        {"0.01", Replace, 0, 4, "1", "1", 1},     {"0.01", Replace, 0, -1, "2.5", "2.5", 3},
        {"5", Insert, 0, 0, "1", "15", 1},         {"5", Insert, 1, 0, "0", "50", 2},
        {"5", Insert, 99, 0, "0", "50", 2},        {"5", Insert, -4, 0, "2", "25", 1},
        {"0.01", Delete, 1, 3, "", "01", 1},       {"0.01", Delete, 0, 99, "", "", 0},
        {"0.01", Delete, 3, 1, "", "0.01", 3},     {"", Replace, 0, 0, "。5", "。5", 2},
        {"12", Replace, 5, 9, "3", "123", 3},
    };
    for (const EditCase& c : cases) {
        NumberBox box(QString::fromUtf8(c.before), nullptr);
        NumberBoxAccessible accessible(&box);
        auto* editable = static_cast<QAccessibleEditableTextInterface*>(
            accessible.interface_cast(QAccessible::EditableTextInterface));
        ASSERT_NE(editable, nullptr);
        const QString text = QString::fromUtf8(c.text);
        if (c.op == Replace) editable->replaceText(c.first, c.last, text);
        if (c.op == Insert) editable->insertText(c.first, text);
        if (c.op == Delete) editable->deleteText(c.first, c.last);
        EXPECT_EQ(box.text(), QString::fromUtf8(c.after)) << c.before << " op " << c.op;
        EXPECT_EQ(box.cursorPosition(), c.cursor) << c.before << " op " << c.op;
    }

    NumberBox limited("", nullptr);
    limited.setMaxLength(3);
    NumberBoxAccessible accessible(&limited);
    accessible.insertText(0, "12345");
    EXPECT_EQ(limited.text(), "123");
    limited.setReadOnly(true);
    accessible.replaceText(0, 3, "9");
    EXPECT_EQ(limited.text(), "123") << "a read-only box keeps its text";
}

}  // namespace
}  // namespace zelkor
