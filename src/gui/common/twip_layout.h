// SPDX-License-Identifier: MIT
// Controls placed in twips, as every window is laid out: the conversion to pixels, the
// objectName (the control's name, which tests and the settings keys know) and the
// geometry in one place, so that a window's build step reads as its layout table.
#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ravolin::ui {

class TwipLayout {
 public:
  // Converts with the screen of `window` (ui::tw).
  explicit TwipLayout(QWidget* window) : window_(window) {}

  int px(int twips) const;
  // Sets the name (when given) and the geometry of any control, and returns it.
  template <typename Control>
  Control* place(Control* control, const QString& name, int left, int top, int width,
                 int height) const {
    if (!name.isEmpty()) control->setObjectName(name);
    set_geometry(control, left, top, width, height);
    return control;
  }

  QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                   int width, int height) const;
  QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                int width, int height) const;
  QLineEdit* box(QWidget* parent, const QString& name, int left, int top, int width,
                 int height) const;
  // A box for digits: keys go in directly, with the input method off.
  QLineEdit* number_box(QWidget* parent, const QString& name, int left, int top, int width,
                        int height) const;
  QRadioButton* option(QWidget* parent, const QString& name, const QString& caption, int left,
                       int top, int width, int height) const;
  // A command button; Enter on it presses it, as Space does.
  QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left,
                      int top, int width, int height) const;

 private:
  void set_geometry(QWidget* control, int left, int top, int width, int height) const;

  QWidget* window_;
};

}  // namespace ravolin::ui
