#include "song_font.h"

#include <QStringList>

namespace zelkor {

void installSongSubstitution() {
    // Simplified-Chinese glyph forms first; the others only as fallbacks.
    QFont::insertSubstitutions(kSongFamily, QStringList{"AR PL UMing CN", "AR PL UMing TW",
                                                        "AR PL SungtiL GB", "Noto Serif CJK SC"});
}

QFont songFont(double points, bool bold) {
    QFont font(kSongFamily);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

}  // namespace zelkor
