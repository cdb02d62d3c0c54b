#pragma once

#include <QWidget>

class clImage;

// The splash window: the interface image's 400 x 300 start picture with the
// version written on it, centred on the screen and above other windows.
class clSplashWindow : public QWidget {
public:
    // False (nothing shown) when the picture is missing.
    static clSplashWindow* Show(const clImage& picture);

private:
    explicit clSplashWindow(const QPixmap& picture);
};

// The About window: the About picture with the name, version and release
// date, and an OK button, centred over the game's window. One at a time.
class clAboutWindow : public QWidget {
public:
    // Shows the window, or does nothing while one is open.
    static void Open(const clImage& picture, QWidget* parent);
    static clAboutWindow* Current();

private:
    clAboutWindow(const QPixmap& picture, QWidget* parent);
};
