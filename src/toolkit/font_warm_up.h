#pragma once

#include <thread>

// The font configuration is read from many small files on first use (some
// 20 ms). Reading it on another thread while the window is made lets the
// first text drawn find it ready. The thread ends on its own; it is joined
// when the returned object goes.
std::jthread WarmUpFonts();
