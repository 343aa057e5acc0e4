// The start-up baseline: a plain Qt Widgets window of the drill's size that draws the
// same texts in the same font faces and sizes with plain labels, and nothing else. The
// difference to the drill is then what the drill itself costs, not the glyphs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "problem_type.h"
#include "song_font.h"

namespace {

struct Text {
    double points;
    bool bold;
    QString text;
};

QList<Text> textsOfTheDrill() {
    QList<Text> texts = {
        {14.25, true, "题数及间隔时间设置："},
        {14.25, true, "出题类型选择："},
        {14.25, true, "式题显示窗口："},
        {14.25, true, "计时器：（可用“空格键”直接停止）"},
        {14.25, false, "题数 题 间隔 秒 5 0.01"},
        {12, true, "出题 式题 答案 停止"},
        {36, true, "0:0:0"},
    };
    for (const std::string_view caption : zelkor::kTypeBoxCaptions) {
        texts.append({14.25, false, QString::fromUtf8(caption.data(), caption.size())});
    }
    return texts;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zelkor::installSongSubstitution();
    QWidget window;
    window.setWindowTitle("bare window");
    window.setFixedSize(1016, 702);
    int row = 0;
    for (const Text& t : textsOfTheDrill()) {
        auto* label = new QLabel(t.text, &window);
        label->setFont(zelkor::songFont(t.points, t.bold));
        label->setGeometry(10 + 500 * (row % 2), 10 + 50 * (row / 2), 490, 50);
        ++row;
    }
    window.show();
    return QApplication::exec();
}
