// SPDX-License-Identifier: MIT
// The program's own help viewer: a small window listing the topics of the help file
// on the left and showing the chosen topic's text on the right.
#pragma once

#include "gui/common/help_file.h"

#include <QWidget>

#include <string>

class QListWidget;
class QPlainTextEdit;

namespace ravolin::ui {

class HelpWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Loads the file (again, when it is another one or changed); false when it cannot be read,
  // and the window then shows the reason.
  bool load(const std::string& path);
  void show_contents();
  void show_topic(int number);
  // The text now shown (for tests).
  QString shown_text() const;

 private:
  void show_row(int row);
  HelpFile file_;
  std::string path_;
  QListWidget* topics_;
  QPlainTextEdit* text_;
};

}  // namespace ravolin::ui
