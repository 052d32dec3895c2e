// SPDX-License-Identifier: MIT
// The system tray as a seam: an icon with a tooltip, a small menu and desktop notifications.
// The real one (QtTray) exists only where the desktop has a tray; tests use a fake.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ravolin::ui {

struct TrayEntry {
  std::string id;  // for tests: "show", "notify", "exit"
  std::string caption;
  bool checkable = false;
  bool checked = false;
  std::function<void(bool checked)> run;
};

class Tray {
 public:
  virtual ~Tray() = default;
  // False where the desktop has no tray: then nothing else is called.
  virtual bool available() const = 0;
  // Shows the icon with its menu.
  virtual void show(const std::vector<TrayEntry>& entries) = 0;
  virtual void hide() = 0;
  virtual void set_tooltip(const std::string& text) = 0;
  virtual void notify(const std::string& title, const std::string& text) = 0;
};

}  // namespace ravolin::ui
