#include "form1.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPalette>
#include <string>

#include "application_setup.h"
#include "skin.h"
#include "song_font.h"
#include "twips.h"

namespace zelkor {
namespace {

constexpr const char* kTitle = "ZelkorV1.2版";
constexpr double kFrameFontPoints = 14.25;
constexpr double kBoxFontPoints = 14.25;
constexpr double kButtonFontPoints = 12;
constexpr double kProgressFontPoints = 39.75;
constexpr double kFlashFontPoints = 80.25;
constexpr double kSheetFontPoints = 36;
const QColor kBlack(0, 0, 0);
const QColor kLightBlue(192, 192, 255);

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The window is designed light: black text, light-blue flash labels. A desktop with a
// dark scheme would give it dark backgrounds under that black text, so the window
// keeps a light palette of its own whatever the desktop's scheme.
QPalette designPalette() {
    QPalette palette(QColor(239, 239, 239));  // Fusion's light window grey
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    palette.setColor(QPalette::Text, kBlack);
    palette.setColor(QPalette::WindowText, kBlack);
    palette.setColor(QPalette::ButtonText, kBlack);
    palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, kBlack);
    return palette;
}

// The design's 32 x 32, 256-colour icon first, then larger renderings of the same
// picture for task switchers and high-density screens.
QIcon programIcon() {
    QIcon icon(QStringLiteral(":/zelkor/org.zelkor.Zelkor-32.png"));
    for (int size : {48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/zelkor/org.zelkor.Zelkor-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

QString indexedName(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

}  // namespace

Form1::SkinCall Form1::defaultSkinCall() {
    return [] { return attachSkin(); };
}

Form1::Form1(SkinCall skinCall, QWidget* parent) : QWidget(parent), skinCall_(std::move(skinCall)) {
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(kTitle));
    setWindowIcon(programIcon());
    // The layout is fixed: nothing would move or grow with the window, so the title bar
    // offers no maximise button (a Qt-drawn one on Wayland would toggle to no effect).
    setFixedSize(toPixels(design::kClientArea).size());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The message box, a window of its own, takes the same palette.
    setAttribute(Qt::WA_WindowPropagation);
    setPalette(designPalette());

    buildSettingsFrame();
    buildTypeFrame();
    buildDisplayFrame();
    buildStopwatchFrame();

    timer1_ = std::make_unique<PreciseTimer>([this] { drill_->Timer1_Timer(); });
    timer2_ = std::make_unique<PreciseTimer>([this] { drill_->Timer2_Timer(); });
    messageBox_ = std::make_unique<MessageBoxDialog>(this);
    drill_ = std::make_unique<DrillForm>(controls(), random_);

    connectEvents();
    setFocusOrder();
    command2_->setFocus(Qt::OtherFocusReason);
    Form_Load();
}

Form1::~Form1() {
    // The timers call into the drill; silence them before it goes.
    timer1_->setInterval(0);
    timer2_->setInterval(0);
}

void Form1::Form_Load() {
    if (!skinCall_()) applyOwnLook();
}

QGroupBox* Form1::createFrame(const char* caption, design::TwipRect place, bool blackCaption) {
    auto* frame = new QGroupBox(QString::fromUtf8(caption), this);
    frame->setFont(songFont(kFrameFontPoints, true));
    frame->setGeometry(toPixels(place));
    if (blackCaption) setTextColour(frame, kBlack);
    return frame;
}

LabelWidget* Form1::createLabel(QWidget* frame, const QString& name, const char* caption,
                                design::TwipRect place, const QFont& font) {
    auto* label = new LabelWidget(frame);
    label->setObjectName(name);
    label->setCaption(caption);
    label->setFont(font);
    label->setGeometry(toPixels(place));
    // Labels draw from the top, as designed. Where the font's line is taller than the
    // label (the stopwatch: 36 pt in 41 pixels) the Ming face's larger ascent would push
    // the digits' feet out of it; centring the line keeps the ink inside.
    if (QFontMetrics(font).height() > label->height()) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }
    return label;
}

ButtonWidget* Form1::createButton(QWidget* frame, const char* name, const char* caption,
                                  design::TwipRect place) {
    auto* button = new ButtonWidget(QString::fromUtf8(caption), frame);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(songFont(kButtonFontPoints, true));
    button->setGeometry(toPixels(place));
    return button;
}

TextBoxWidget* Form1::createTextBox(QWidget* frame, const char* name, const char* text,
                                    const char* accessibleName, design::TwipRect place) {
    auto* box = new TextBoxWidget(QString::fromUtf8(text), frame);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(QString::fromUtf8(accessibleName));
    box->setFont(songFont(kBoxFontPoints, false));
    box->setGeometry(toPixels(place));
    return box;
}

void Form1::buildSettingsFrame() {
    frame1_ = createFrame("题数及间隔时间设置：", design::kFrame1, true);
    frame1_->setObjectName("Frame1");
    const QFont regular = songFont(kBoxFontPoints, false);
    createLabel(frame1_, "Label2", "题数", design::kLabel2, regular);
    text1_ = createTextBox(frame1_, "Text1", "5", "题数", design::kText1);
    createLabel(frame1_, "Label3", "题", design::kLabel3, regular);
    createLabel(frame1_, "Label4", "间隔", design::kLabel4, regular);
    text2_ = createTextBox(frame1_, "Text2", "0.01", "间隔", design::kText2);
    createLabel(frame1_, "Label5", "秒", design::kLabel5, regular);
    command1_ = createButton(frame1_, "Command1", "出题", design::kCommand1);
    command3_ = createButton(frame1_, "Command3", "式题", design::kCommand3);
    command2_ = createButton(frame1_, "Command2", "答案", design::kCommand2);
}

void Form1::buildTypeFrame() {
    frame4_ = createFrame("出题类型选择：", design::kFrame4, false);
    frame4_->setObjectName("Frame4");
    for (int index = 0; index < kTypeBoxCount; ++index) {
        const std::string_view caption = kTypeBoxCaptions[index];
        auto* box = new CheckBoxWidget(
            QString::fromUtf8(caption.data(), static_cast<int>(caption.size())), frame4_);
        box->setObjectName(indexedName("Check1", index));
        box->setFont(songFont(kBoxFontPoints, false));
        box->setGeometry(toPixels(design::check1Place(index)));
        check1_[index] = box;
    }
}

void Form1::buildDisplayFrame() {
    frame2_ = createFrame("式题显示窗口：", design::kFrame2, true);
    frame2_->setObjectName("Frame2");
    for (int i = 0; i < 3; ++i) {
        line1_[i] = new LineWidget(frame2_);
        line1_[i]->setObjectName(indexedName("Line1", i));
        line1_[i]->setGeometry(toPixels(design::line1Place(i), design::kLine1WidthPixels));
        line1_[i]->setAccessibleName(
            QStringLiteral("第%1列与第%2列之间的分隔线").arg(i + 1).arg(i + 2));
        line1_[i]->hide();
    }
    const QFont sheetFont = songFont(kSheetFontPoints, true);
    for (int k = 1; k <= kSheetLabelCount; ++k) {
        auto* label =
            createLabel(frame2_, indexedName("Label6", k), "", design::label6Place(k), sheetFont);
        setTextColour(label, kBlack);
        label->setNameWhenEmpty(QStringLiteral("第%1题").arg(k));
        label->hide();
        label6_[k - 1] = label;
    }
    // Created after the sheet so that, when a sheet is shown while a run still
    // flashes its problems, the problem being made stays readable on top.
    label7_ =
        createLabel(frame2_, "Label7", "", design::kLabel7, songFont(kProgressFontPoints, true));
    setBackground(label7_, kLightBlue);
    label7_->setNameWhenEmpty(QStringLiteral("出题进度"));
    label1_ = createLabel(frame2_, "Label1", "", design::kLabel1, songFont(kFlashFontPoints, true));
    setBackground(label1_, kLightBlue);
    label1_->setNameWhenEmpty(QStringLiteral("当前题目"));
}

void Form1::buildStopwatchFrame() {
    frame5_ = createFrame("计时器：（可用“空格键”直接停止）", design::kFrame5, false);
    frame5_->setObjectName("Frame5");
    label8_ = createLabel(frame5_, "Label8", kStopwatchZero, design::kLabel8,
                          songFont(kSheetFontPoints, true));
    setTextColour(label8_, kBlack);
    command4_ = createButton(frame5_, "Command4", "停止", design::kCommand4);
}

FormControls Form1::controls() {
    std::array<Label*, kSheetLabelCount> sheet{};
    for (int k = 0; k < kSheetLabelCount; ++k) sheet[k] = label6_[k];
    std::array<CheckBox*, kTypeBoxCount> boxes{};
    for (int i = 0; i < kTypeBoxCount; ++i) boxes[i] = check1_[i];
    return FormControls{
        *label1_, *label7_,    *label8_, sheet,      {line1_[0], line1_[1], line1_[2]},
        boxes,    *text1_,     *text2_,  *command4_, *timer1_,
        *timer2_, *messageBox_};
}

void Form1::connectEvents() {
    // toggled fires after every change of the tick, by mouse, keyboard or program.
    for (int index = 0; index < kTypeBoxCount; ++index) {
        connect(check1_[index], &QCheckBox::toggled, this,
                [this, index] { drill_->Check1_Click(index); });
    }
    connect(command1_, &QPushButton::clicked, this, [this] { drill_->Command1_Click(); });
    connect(command2_, &QPushButton::clicked, this, [this] { drill_->Command2_Click(); });
    connect(command3_, &QPushButton::clicked, this, [this] { drill_->Command3_Click(); });
    connect(command4_, &QPushButton::clicked, this, [this] { drill_->Command4_Click(); });
}

void Form1::setFocusOrder() {
    const std::array<QWidget*, 18> order = {
        command2_,  text2_,     text1_,     command1_,   check1_[3],  check1_[6],
        check1_[4], command3_,  check1_[9], check1_[10], check1_[11], check1_[8],
        check1_[0], check1_[2], check1_[7], check1_[1],  check1_[5],  command4_};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

}  // namespace zelkor
