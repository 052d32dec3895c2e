// SPDX-License-Identifier: MIT
#pragma once
// The desktop's tray icon (QSystemTrayIcon) behind the program's tray interface.

#include "state/tray.h"

#include <memory>

namespace ravolin::ui {

std::unique_ptr<Tray> make_qt_tray();

}  // namespace ravolin::ui
