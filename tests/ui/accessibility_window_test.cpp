// SPDX-License-Identifier: MIT
// What a screen reader hears: the notices of gui/common/accessibility (a refused field
// keeps its hint as its description) and the main window's notice of a board line that
// has just gained "急げ!!", on real widgets with a fake clock.
//
// Qt hands accessibility events to an update handler only while an assistive technology
// is active, which never happens on the offscreen platform; the events still reach the
// platform's accessibility bridges. So the tests listen both ways: as a bridge built into
// this program and, where accessibility is active (under a real AT-SPI bus), as the
// update handler.
#define QT_STATICPLUGIN

#include "gui/common/accessibility.h"
#include "settings/settings_file.h"

#include "board/main_window_fixture.h"
#include "support/started_main_window.h"

#include <QAccessible>
#include <QAccessibleBridge>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QtPlugin>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravolin::ui {
namespace {

// One event as a listener saw it, with the object's texts at that moment.
struct Heard {
  QAccessible::Event type;
  QPointer<QObject> object;
  QString name;
  QString description;
};

std::vector<Heard>* g_heard = nullptr;  // the listener in charge, if any

void hear(QAccessibleEvent* event) {
  if (!g_heard) return;
  QAccessibleInterface* iface = event->accessibleInterface();
  g_heard->push_back({event->type(), event->object(),
                      iface ? iface->text(QAccessible::Name) : QString(),
                      iface ? iface->text(QAccessible::Description) : QString()});
}

class RecordingBridge final : public QAccessibleBridge {
 public:
  void setRootObject(QAccessibleInterface*) override {}
  void notifyAccessibilityUpdate(QAccessibleEvent* event) override { hear(event); }
};

// Qt keeps its bridges for the life of the program and never deletes them.
QAccessibleBridge* recording_bridge() {
  static RecordingBridge bridge;
  return &bridge;
}

}  // namespace
}  // namespace ravolin::ui

// The bridge as a plugin of this program, which Qt loads with its accessibility.
class AccessibilityRecorderPlugin final : public QAccessibleBridgePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QAccessibleBridgeFactoryInterface" FILE
                        "accessibility_recorder.json")
 public:
  QAccessibleBridge* create(const QString&) override { return ravolin::ui::recording_bridge(); }
};

namespace ravolin::ui {
namespace {

// Records the events sent while it lives; the update handler it replaces comes back after.
class Listener {
 public:
  Listener() : previous_(QAccessible::installUpdateHandler(&hear)) { g_heard = &heard; }
  ~Listener() {
    g_heard = nullptr;
    QAccessible::installUpdateHandler(previous_);
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  // The events of `type` sent on `object`.
  std::vector<Heard> on(const QObject* object, QAccessible::Event type) const {
    std::vector<Heard> out;
    for (const Heard& h : heard)
      if (h.type == type && h.object == object) out.push_back(h);
    return out;
  }

  std::vector<Heard> heard;

 private:
  QAccessible::UpdateHandler previous_;
};

// The notices the window's notice object has shown so far (it shows them a moment after
// the announcement): waits until there are `count`.
std::vector<Heard> notices_shown(const Listener& listener, QWidget* window, std::size_t count) {
  std::vector<Heard> shown;
  (void)QTest::qWaitFor(
      [&] {
        auto* notice = window->findChild<QWidget*>(QString::fromLatin1(kNoticeObjectName));
        shown = notice ? listener.on(notice, QAccessible::ObjectShow) : std::vector<Heard>{};
        return shown.size() >= count;
      },
      1500);
  return shown;
}

void activate(QWidget* w) {
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

TEST(Announce, ARefusalIsSpokenOnTheFieldAndItsHintComesBackWhenTheFocusMoves) {
  QWidget window;
  auto* box = new QLineEdit(&window);
  box->setAccessibleName(QStringLiteral("乗車駅"));
  box->setAccessibleDescription(QStringLiteral("乗車する駅名を入力して下さい"));
  auto* other = new QLineEdit(&window);
  other->move(0, 40);
  activate(&window);
  box->setFocus();
  QCoreApplication::processEvents();

  {
    Listener listener;
    announce_refusal(box, QStringLiteral("駅名が違います"));
    const auto changed = listener.on(box, QAccessible::DescriptionChanged);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].description, QStringLiteral("乗車駅: 駅名が違います"));
    EXPECT_EQ(listener.on(box, QAccessible::Alert).size(), 1u);

    // The same refusal again is spoken again.
    announce_refusal(box, QStringLiteral("駅名が違います"));
    EXPECT_EQ(listener.on(box, QAccessible::DescriptionChanged).size(), 2u);
  }
  // While the focus stays, the notice is what "where am I" repeats; then the hint is back.
  EXPECT_EQ(box->accessibleDescription(), QStringLiteral("乗車駅: 駅名が違います"));
  other->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(box->accessibleDescription(), QStringLiteral("乗車する駅名を入力して下さい"));

  // A hint the window sets while the notice stands is kept.
  box->setFocus();
  QCoreApplication::processEvents();
  announce(box, QStringLiteral("notice"));
  box->setAccessibleDescription(QStringLiteral("new hint"));
  other->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(box->accessibleDescription(), QStringLiteral("new hint"));
}

TEST(Announce, ANoticeOnAControlWithoutFocusGoesAfterAWhile) {
  QWidget window;
  auto* list = new QListWidget(&window);
  list->setFocusPolicy(Qt::NoFocus);
  list->setAccessibleDescription(QStringLiteral("own"));
  activate(&window);
  announce(list, QStringLiteral("のぞみ 1  急げ!!"));
  EXPECT_EQ(list->accessibleDescription(), QStringLiteral("のぞみ 1  急げ!!"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return list->accessibleDescription() == "own"; }, 8000));
}

// Orca 43 says nothing for a description change from Qt 6.4 (the event carries no text);
// it speaks a notification object as it appears. Each notice shows the window's notice
// object again, named with the notice; hidden with its window, it does not come back
// with it.
TEST(Announce, ANoticeAppearsAsTheNotificationOfTheWindowEachTime) {
  QWidget window;
  auto* box = new QLineEdit(&window);
  activate(&window);
  box->setFocus();
  Listener listener;
  announce_refusal(box, QStringLiteral("入力エラーです"));
  std::vector<Heard> shown = notices_shown(listener, &window, 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].name, QStringLiteral("入力エラーです"));
  auto* notice = window.findChild<QWidget*>(QString::fromLatin1(kNoticeObjectName));
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(notice);
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), QAccessible::Notification);
  EXPECT_EQ(notice->focusPolicy(), Qt::NoFocus);

  box->setAccessibleName(QStringLiteral("乗車駅"));
  announce_refusal(box, QStringLiteral("入力エラーです"));
  shown = notices_shown(listener, &window, 2);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].name, QStringLiteral("乗車駅: 入力エラーです"));

  // Two notices at once: the newer one is said.
  announce(box, QStringLiteral("first"));
  announce(box, QStringLiteral("second"));
  shown = notices_shown(listener, &window, 3);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2].name, QStringLiteral("second"));

  window.hide();
  window.show();
  EXPECT_TRUE(notice->isHidden());
  EXPECT_EQ(notices_shown(listener, &window, 4).size(), 3u);
}

// A window about to appear has no notice object yet: the notice is the description of
// the control that will have the focus, which the screen reader says with it.
TEST(Announce, AWindowNotShownYetSaysTheNoticeWithItsFocus) {
  QWidget window;
  auto* button = new QLineEdit(&window);
  announce(button, QStringLiteral("11件"));
  EXPECT_EQ(window.findChild<QWidget*>(QString::fromLatin1(kNoticeObjectName)), nullptr);
  button->setFocus();
  activate(&window);
  EXPECT_EQ(button->accessibleDescription(), QStringLiteral("11件"));
}

// The main window on the small program folder (品川 down: N001 06:07), the delivered
// board settings: the hurry mark comes 8 to 15 minutes before a departure.
class HurryAnnouncement : public test_support::StartedMainWindow {
 protected:
  HurryAnnouncement() : StartedMainWindow(calendar::make_system_time(2000, 3, 13, 5, 45, 0)) {}
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(
        settings::put_ini_file(folder.settings_path(), board::testing::default_settings(), error))
        << error;
    start_main();
  }
  QListWidget* list1() const { return main->findChild<QListWidget*>(QStringLiteral("List1")); }
  void at(int hour, int minute) {
    clock.move_to(calendar::make_system_time(2000, 3, 13, hour, minute, 0));
    main->refresh();
  }
  static std::vector<QString> descriptions(const std::vector<Heard>& heard) {
    std::vector<QString> out;
    for (const Heard& h : heard) out.push_back(h.description);
    return out;
  }
};

// Spoken where the keyboard is: the Keiyo list has the focus when a Shinkansen line
// gains the mark.
TEST_F(HurryAnnouncement, ALineThatGainsTheMarkIsSpokenOnceWhereTheKeyboardIs) {
  ASSERT_NE(list1(), nullptr);
  ASSERT_GE(list1()->count(), 1);
  const QString walk = list1()->item(0)->text();
  ASSERT_FALSE(walk.contains(QStringLiteral("急げ!!"))) << walk.toStdString();
  activate(main);
  auto* list2 = main->findChild<QListWidget*>(QStringLiteral("List2"));
  list2->setFocus(Qt::TabFocusReason);

  Listener listener;
  at(5, 50);  // still in reach at a walk
  EXPECT_TRUE(listener.on(list2, QAccessible::DescriptionChanged).empty());

  at(5, 55);  // N001 (06:07) now needs hurrying
  const QString hurry = list1()->item(0)->text();
  ASSERT_TRUE(hurry.contains(QStringLiteral("急げ!!"))) << hurry.toStdString();
  EXPECT_EQ(descriptions(listener.on(list2, QAccessible::DescriptionChanged)),
            std::vector<QString>{hurry.trimmed()});
  EXPECT_TRUE(listener.on(list1(), QAccessible::DescriptionChanged).empty());
  const std::vector<Heard> shown = notices_shown(listener, main, 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].name, hurry.trimmed());

  at(5, 56);  // still hurrying: nothing new to say
  EXPECT_EQ(listener.on(list2, QAccessible::DescriptionChanged).size(), 1u);
  EXPECT_EQ(notices_shown(listener, main, 2).size(), 1u);
}

}  // namespace
}  // namespace ravolin::ui

Q_IMPORT_PLUGIN(AccessibilityRecorderPlugin)

#include "accessibility_window_test.moc"
