// SPDX-License-Identifier: MIT
// The version window (ravolin9) from the keyboard: it opens with the focus on 確認, and
// Escape, Enter or Space close it from wherever the focus is, keeping its place.
#include "gui/board/version_window.h"
#include "gui/common/window_conventions.h"
#include "state/app_state.h"
#include "support/fake_platform.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::board {
namespace {

TEST(VersionWindowKeys, EscapeEnterAndSpaceClose) {
  calendar::FixedClock clock{calendar::make_system_time(2000, 3, 13, 9, 0, 0)};
  ui::FakeMessageBoxes messages;
  ui::FakeHelpViewer help;
  ui::FakePrinter printer;
  app::AppState state("/nowhere", app::Platform{clock, messages, help, printer});
  state.schedule.edition = data::find_edition(1);
  QWidget main_window;

  struct Case {
    const char* control;
    Qt::Key key;
  };
  for (const Case& c : {Case{"Text1", Qt::Key_Escape}, Case{"Command2", Qt::Key_Escape},
                        Case{"Command2", Qt::Key_Return}, Case{"Command2", Qt::Key_Space},
                        Case{"", Qt::Key_Escape}}) {
    QPointer<VersionWindow> w = new VersionWindow(state, &main_window);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
    auto* ok = w->findChild<QPushButton*>(QStringLiteral("Command2"));
    EXPECT_EQ(w->focusWidget(), ok);  // not the read-only text
    w->move(ui::tw(w, 2880), ui::tw(w, 1440));
    QWidget* target =
        *c.control ? w->findChild<QWidget*>(QString::fromLatin1(c.control)) : w->focusWidget();
    target->setFocus();
    QTest::keyClick(target, c.key);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull()) << c.control << " " << c.key;
    EXPECT_EQ(state.settings.pos(9).left, 2880);
    EXPECT_EQ(state.settings.pos(9).top, 1440);
    state.settings.pos(9) = {};
  }
}

}  // namespace
}  // namespace ravolin::board
