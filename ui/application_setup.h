#pragma once

class QApplication;

namespace zelkor {

// What the program sets up on the application before creating its window: the Song
// font mapping and Qt's own Chinese translation of its standard buttons (so the
// message box's OK button reads "确定"). Returns whether the translation was found.
bool prepareApplication(QApplication& application);

// The look the window gets when no skin library is available: Qt's Fusion style,
// the same on every desktop.
void applyOwnLook();

}  // namespace zelkor
