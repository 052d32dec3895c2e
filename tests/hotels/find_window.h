// SPDX-License-Identifier: MIT
// The open window of the program with this identifier (ravolin6, ravolin7, ravolin12,
// ravolin15), or nullptr: how the hotel window tests find the windows the navigator opens.
#pragma once

#include <QApplication>
#include <QWidget>

namespace ravolin::hotels {

inline QWidget* find_hotel_window(const char* object_name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(object_name) && w->isVisible()) return w;
  return nullptr;
}

}  // namespace ravolin::hotels
