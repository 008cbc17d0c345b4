// Screenshots: a composed window or the whole desktop written as a PNG file,
// or as a 32-bit BMP file when the path ends in ".bmp".
//
// With WAVOREL_SCREENSHOT=<file> in the environment, the program's main
// window (the first top-level window it showed, while it lives) is written
// to that file whenever the message loop runs out of work after a paint, so
// the file always shows the window as last painted before the loop waited.
#pragma once

#include <string>

#include "platform/present/WindowImage.h"

namespace wavorel::present {

// `hwnd` null: the desktop. False when the window is invalid or the file
// cannot be written.
bool saveScreenshot(HWND hwnd, const std::string& path);
bool writeImage(const WindowImage& image, const std::string& path);

}  // namespace wavorel::present
