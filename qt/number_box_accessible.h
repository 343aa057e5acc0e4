#pragma once

#include <QAccessibleWidget>
#include <utility>

namespace zelkor {

class NumberBox;

// What a screen reader reads of a number box: an editable text with its name, its
// text, its cursor and selection, and its characters, words, sentences and lines, all
// of it one run of the same attributes; and what assistive tools write into it. Qt
// 6.4's own line-edit interface loops for ever when asked for the word at the end of
// the text (an AT-SPI getTextAtOffset that Orca makes), freezing the program; this one
// finds every unit in bounded steps.
class NumberBoxAccessible final : public QAccessibleWidget,
                                  public QAccessibleTextInterface,
                                  public QAccessibleEditableTextInterface {
  public:
    explicit NumberBoxAccessible(NumberBox* box);

    // For QAccessible::installFactory: this interface for every NumberBox.
    static QAccessibleInterface* factory(const QString& className, QObject* object);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface: as typing would change the text, within the
    // box's length limit; offsets out of range are brought into it.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  private:
    NumberBox* box() const;
    QString answer(std::pair<int, int> unit, int* startOffset, int* endOffset) const;
};

// The unit of boundaryType that holds offset in text, as [first, last): the character
// at offset; the word or sentence around it (at the end of the text, the last one); the
// whole text for a line or paragraph, as a box has one line. {-1, -1} where there is
// none (a character at or past the end, anything in an empty text). Bounded in the
// text's length, whatever offset is asked.
std::pair<int, int> textUnitAt(const QString& text, int offset,
                               QAccessible::TextBoundaryType boundaryType);

}  // namespace zelkor
