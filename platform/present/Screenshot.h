// Screenshots: a composed window or the whole desktop written as a PNG file,
// or as a 32-bit BMP file when the path ends in ".bmp" (see Presenter.h for
// WAVOREL_SCREENSHOT).
#pragma once

#include <string>

#include "platform/present/WindowImage.h"

namespace wavorel::present {

// `hwnd` null: the desktop. False when the window is invalid or the file
// cannot be written.
bool saveScreenshot(HWND hwnd, const std::string& path);
bool writeImage(const WindowImage& image, const std::string& path);

}  // namespace wavorel::present
