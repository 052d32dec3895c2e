// The system tray as a seam: an icon with a tooltip, a small menu and desktop notifications.
// The real one (QtTray) exists only where the desktop has a tray; tests use FakeTray.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ravolin::ui {

struct TrayEntry {
  std::string id;       // for tests: "show", "notify", "exit"
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

// The desktop's tray (QSystemTrayIcon), or nullptr-like behaviour where there is none.
std::unique_ptr<Tray> make_qt_tray();

class FakeTray final : public Tray {
 public:
  explicit FakeTray(bool available = true) : available_(available) {}
  bool available() const override { return available_; }
  void show(const std::vector<TrayEntry>& entries) override {
    entries_ = entries;
    shown_ = true;
  }
  void hide() override { shown_ = false; }
  void set_tooltip(const std::string& text) override { tooltip_ = text; }
  void notify(const std::string& title, const std::string& text) override {
    notifications_.push_back(title + "\n" + text);
  }
  // Runs a menu entry as a click would (a checkable one toggles).
  bool trigger(const std::string& id) {
    for (auto& e : entries_)
      if (e.id == id) {
        if (e.checkable) e.checked = !e.checked;
        if (e.run) e.run(e.checked);
        return true;
      }
    return false;
  }
  const std::vector<TrayEntry>& entries() const { return entries_; }
  bool shown() const { return shown_; }
  const std::string& tooltip() const { return tooltip_; }
  const std::vector<std::string>& notifications() const { return notifications_; }

 private:
  bool available_;
  bool shown_ = false;
  std::vector<TrayEntry> entries_;
  std::string tooltip_;
  std::vector<std::string> notifications_;
};

}  // namespace ravolin::ui
