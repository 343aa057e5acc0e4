#include "number_box_accessible.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QTextBoundaryFinder>
#include <algorithm>

#include "number_box.h"

namespace zelkor {
namespace {

constexpr std::pair<int, int> kNone{-1, -1};

std::pair<int, int> finderUnit(const QString& text, int offset,
                               QTextBoundaryFinder::BoundaryType type) {
    const int length = static_cast<int>(text.size());
    QTextBoundaryFinder finder(type, text);
    // At the end of the text the unit is the last one, which ends there.
    const int inside = offset >= length ? length - 1 : offset;
    finder.setPosition(inside);
    int first = finder.isAtBoundary() ? inside : static_cast<int>(finder.toPreviousBoundary());
    finder.setPosition(inside);
    int last = static_cast<int>(finder.toNextBoundary());
    if (first < 0) first = 0;
    if (last < 0 || last > length) last = length;
    return {first, last};
}

}  // namespace

std::pair<int, int> textUnitAt(const QString& text, int offset,
                               QAccessible::TextBoundaryType boundaryType) {
    const int length = static_cast<int>(text.size());
    if (length == 0 || offset < 0) return kNone;
    switch (boundaryType) {
        case QAccessible::CharBoundary:
            return offset < length ? std::pair{offset, offset + 1} : kNone;
        case QAccessible::WordBoundary:
            return finderUnit(text, std::min(offset, length), QTextBoundaryFinder::Word);
        case QAccessible::SentenceBoundary:
            return finderUnit(text, std::min(offset, length), QTextBoundaryFinder::Sentence);
        default:  // a line, a paragraph, no boundary: a box holds one line
            return {0, length};
    }
}

NumberBoxAccessible::NumberBoxAccessible(NumberBox* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

QAccessibleInterface* NumberBoxAccessible::factory(const QString&, QObject* object) {
    if (auto* box = dynamic_cast<NumberBox*>(object)) return new NumberBoxAccessible(box);
    return nullptr;
}

NumberBox* NumberBoxAccessible::box() const { return static_cast<NumberBox*>(widget()); }

void* NumberBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString NumberBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return box()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State NumberBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.selectableText = true;
    return state;
}

void NumberBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !box()->hasSelectedText()) return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

int NumberBoxAccessible::selectionCount() const { return box()->hasSelectedText() ? 1 : 0; }

void NumberBoxAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void NumberBoxAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) box()->deselect();
}

void NumberBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) return;
    const int length = characterCount();
    const int start = std::clamp(startOffset, 0, length);
    box()->setSelection(start, std::clamp(endOffset, 0, length) - start);
}

int NumberBoxAccessible::cursorPosition() const { return box()->cursorPosition(); }

void NumberBoxAccessible::setCursorPosition(int position) { box()->setCursorPosition(position); }

QString NumberBoxAccessible::text(int startOffset, int endOffset) const {
    const QString all = box()->text();
    const int length = static_cast<int>(all.size());
    if (endOffset < 0 || endOffset > length) endOffset = length;
    startOffset = std::clamp(startOffset, 0, endOffset);
    return all.mid(startOffset, endOffset - startOffset);
}

QString NumberBoxAccessible::answer(std::pair<int, int> unit, int* startOffset,
                                    int* endOffset) const {
    *startOffset = unit.first;
    *endOffset = unit.second;
    if (unit.first < 0) return {};
    return box()->text().mid(unit.first, unit.second - unit.first);
}

QString NumberBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const {
    return answer(textUnitAt(box()->text(), offset, boundaryType), startOffset, endOffset);
}

QString NumberBoxAccessible::textBeforeOffset(int offset,
                                              QAccessible::TextBoundaryType boundaryType,
                                              int* startOffset, int* endOffset) const {
    const QString all = box()->text();
    const auto here = textUnitAt(all, offset, boundaryType);
    const int before =
        (here.first < 0 ? std::min<int>(offset, static_cast<int>(all.size())) : here.first) - 1;
    const auto unit = before < 0 ? kNone : textUnitAt(all, before, boundaryType);
    return answer(unit, startOffset, endOffset);
}

QString NumberBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    const QString all = box()->text();
    const auto here = textUnitAt(all, offset, boundaryType);
    const int after = here.first < 0 ? -1 : here.second;
    const auto unit =
        after < 0 || after >= all.size() ? kNone : textUnitAt(all, after, boundaryType);
    return answer(unit, startOffset, endOffset);
}

int NumberBoxAccessible::characterCount() const { return static_cast<int>(box()->text().size()); }

QRect NumberBoxAccessible::characterRect(int offset) const {
    const QString all = box()->text();
    if (offset < 0 || offset >= all.size()) return {};
    // The box scrolls its text so that the cursor shows: measure from the cursor.
    const QFontMetrics metrics(box()->font());
    const QRect cursor = box()->caretRect();
    const int cursorX = cursor.center().x();
    const int x = cursorX + metrics.horizontalAdvance(all.left(offset)) -
                  metrics.horizontalAdvance(all.left(box()->cursorPosition()));
    const QRect local(x, cursor.top(), metrics.horizontalAdvance(all.at(offset)), cursor.height());
    return QRect(box()->mapToGlobal(local.topLeft()), local.size());
}

int NumberBoxAccessible::offsetAtPoint(const QPoint& point) const {
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void NumberBoxAccessible::scrollToSubstring(int startIndex, int) {
    box()->setCursorPosition(startIndex);
}

// The whole text is one run: a screen reader that builds the line from the runs then
// reads it once and whole. An empty run would have it read the text a second time.
QString NumberBoxAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void NumberBoxAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void NumberBoxAccessible::insertText(int offset, const QString& text) {
    const int at = std::clamp(offset, 0, characterCount());
    replaceText(at, at, text);
}

void NumberBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    NumberBox* const edited = box();
    if (edited->isReadOnly()) return;
    const QString all = edited->text();
    const int length = static_cast<int>(all.size());
    const int first = std::clamp(startOffset, 0, length);
    const int last = std::clamp(endOffset < 0 ? length : endOffset, first, length);
    const QString changed = (all.left(first) + text + all.mid(last)).left(edited->maxLength());
    edited->setText(changed);
    edited->setCursorPosition(std::min<int>(first + static_cast<int>(text.size()),
                                            static_cast<int>(changed.size())));
}

}  // namespace zelkor
