// SPDX-License-Identifier: MIT
// A started main window on a small edition-1 program folder (東京 品川 名古屋 新大阪,
// trains N001 06:00, H101 07:00 and K201 21:00 down), with saved search conditions, for
// the conditions and results window tests.
#pragma once

#include "app/navigator.h"
#include "gui/board/main_window.h"
#include "gui/common/window_conventions.h"
#include "gui/search/results_window.h"
#include "gui/search/search_window.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include "board/main_window_fixture.h"
#include "support/data_builder.h"
#include "support/program_folder.h"
#include "support/started_main_window.h"
#include "support/tool_run.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ravolin::search::testing {

inline settings::Settings saved_conditions() {
  settings::Settings s = board::testing::default_settings();
  s.st_station = "東京";
  s.ed_station = "新大阪";
  s.st_time1 = 600;
  s.st_time2 = 2300;
  s.ed_time1 = 600;
  s.ed_time2 = 2359;
  s.wait_time = 120;
  s.wait_count = 1;
  s.combination_number = 0;
  s.pos(25) = {900, 1500};
  s.pos(26) = {300, 600};
  return s;
}

class SearchWindowTest : public test_support::StartedMainWindow {
 protected:
  // Monday 13 March 2000, 09:05.
  SearchWindowTest() : StartedMainWindow(calendar::make_system_time(2000, 3, 13, 9, 5, 0)) {}

  void start(settings::Settings s = saved_conditions()) {
    std::string error;
    ASSERT_TRUE(settings::put_ini_file(folder.settings_path(), s, error)) << error;
    start_main();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  }
  // The conditions window through the main window's 新幹線検索 button.
  SearchWindow* open() {
    QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
    SearchWindow* w = app->search_window();
    EXPECT_NE(w, nullptr);
    if (w) {
      EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
    return w;
  }
  QLineEdit* box(int i) const {
    return app->search_window()->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(i));
  }
  std::string text(int i) const { return box(i)->text().toStdString(); }
  void set(int i, const std::string& value) const {
    box(i)->setText(QString::fromStdString(value));
  }
  QRadioButton* option(int i) const {
    return app->search_window()->findChild<QRadioButton*>(QStringLiteral("Option%1").arg(i));
  }
  template <class T = QPushButton>
  static T* child(QWidget* w, const char* name) {
    return w->findChild<T*>(QString::fromLatin1(name));
  }
  // The control of the conditions window that has (or gets, once it is active) the focus.
  std::string focused() const {
    QWidget* f = app->search_window() ? app->search_window()->focusWidget() : nullptr;
    return f ? f->objectName().toStdString() : "";
  }
  // 検索開始 on the open conditions window; the results window when one opened.
  ResultsWindow* search() {
    QTest::mouseClick(child(app->search_window(), "Command1"), Qt::LeftButton);
    flush_deletes();
    return app->results_window();
  }
  static std::string plain(QWidget* w, const char* name) {
    return child<QPlainTextEdit>(w, name)->toPlainText().toStdString();
  }
  // ravolin-tool search on the same folder, one text of its output as a text box holds it.
  std::string tool_text(const std::vector<std::string>& conditions, const std::string& show) {
    std::vector<std::string> args = {"search",     folder.path(), "--today",
                                     "2000-03-13", "--show",      show};
    args.insert(args.end(), conditions.begin(), conditions.end());
    const test_support::ToolRun r = test_support::run_tool(folder, args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::string out = r.out;
    if (!out.empty() && out.back() == '\n') out.pop_back();
    return ui::text_box_text(out).toStdString();
  }
};

}  // namespace ravolin::search::testing
