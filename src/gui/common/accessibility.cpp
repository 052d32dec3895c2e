// SPDX-License-Identifier: MIT
#include "gui/common/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace ravolin::ui {

namespace {

// How long a notice stays the description of a control that does not have the focus.
constexpr int kNoticeMilliseconds = 5000;
// How long a notice object waits before it appears: after the burst of events of the
// change that caused it (a focus move, a window closing), which Orca, when it is behind,
// clears from its queue with every waiting notification.
constexpr int kNoticeDelayMilliseconds = 500;
constexpr char kKeeperName[] = "ravolin_notice_keeper";

// Sets a control's description with the change event a screen reader listens to, also
// when the text is the same as before (a second notice of the same text is spoken too).
void change_description(QWidget* control, const QString& text) {
  if (control->accessibleDescription() != text) {
    control->setAccessibleDescription(text);  // sends the change itself
    return;
  }
  QAccessibleEvent changed(control, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

// Holds a control's own description while a notice stands in its place, and puts it back
// when the focus leaves the control, the control is hidden or the time is up.
class DescriptionKeeper final : public QObject {
 public:
  DescriptionKeeper(QWidget* control, QString own, QString notice)
      : QObject(control), control_(control), own_(std::move(own)), notice_(std::move(notice)) {
    setObjectName(QString::fromLatin1(kKeeperName));
    control->installEventFilter(this);
    if (!control->hasFocus()) QTimer::singleShot(kNoticeMilliseconds, this, [this] { restore(); });
  }
  const QString& own() const { return own_; }
  // Puts the own description back, unless the window has set another one meanwhile.
  void restore() {
    if (!finish()) return;
    if (control_->accessibleDescription() == notice_) control_->setAccessibleDescription(own_);
  }
  // A newer notice takes over: this one ends without touching the description.
  void give_way() { finish(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == control_ && (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide))
      restore();
    return false;
  }

 private:
  bool finish() {
    if (done_) return false;
    done_ = true;
    control_->removeEventFilter(this);
    setObjectName(QString());
    deleteLater();
    return true;
  }

  QWidget* control_;
  QString own_;
  QString notice_;
  bool done_ = false;
};

// A window's notice object: a notification to assistive technology, hidden between
// notices; shown, it is spoken with its name. It appears a moment after the notice
// (kNoticeDelayMilliseconds; a newer notice meanwhile takes its place) and stays out of
// sight (one pixel under the other controls, no focus, no mouse); it is hidden with its
// window, so that showing the window again does not repeat an old notice.
class NoticeObject final : public QWidget {
 public:
  explicit NoticeObject(QWidget* window) : QWidget(window) {
    setObjectName(QString::fromLatin1(kNoticeObjectName));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
    QWidget::setVisible(false);
    show_timer_.setSingleShot(true);
    show_timer_.setInterval(kNoticeDelayMilliseconds);
    connect(&show_timer_, &QTimer::timeout, this, [this] { appear(); });
    hide_timer_.setSingleShot(true);
    hide_timer_.setInterval(kNoticeMilliseconds);
    connect(&hide_timer_, &QTimer::timeout, this, [this] { hide(); });
    window->installEventFilter(this);
  }
  void say(const QString& text) {
    pending_ = text;
    show_timer_.start();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::Hide) {
      show_timer_.stop();
      hide();
    }
    return false;
  }

 private:
  void appear() {
    hide();  // a notice still shown appears again: the new one is spoken too
    setAccessibleName(pending_);
    lower();
    show();
    hide_timer_.start();
  }

  QString pending_;
  QTimer show_timer_;
  QTimer hide_timer_;
};

QAccessibleInterface* notice_interface(const QString&, QObject* object) {
  if (object && object->isWidgetType() &&
      object->objectName() == QLatin1String(kNoticeObjectName) && object->parent())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
  return nullptr;
}

// Shows `text` as the notice of the window of `where`. Nothing while that window is not
// shown: the focus says the text with `where` when it appears.
void show_notice(QWidget* where, const QString& text) {
  QWidget* window = where->window();
  if (!window->isVisible()) return;
  static const bool installed = [] {
    QAccessible::installFactory(&notice_interface);
    return true;
  }();
  (void)installed;
  auto* notice = dynamic_cast<NoticeObject*>(window->findChild<QWidget*>(
      QString::fromLatin1(kNoticeObjectName), Qt::FindDirectChildrenOnly));
  if (!notice) notice = new NoticeObject(window);
  notice->say(text);
}

}  // namespace

void announce(QWidget* where, const QString& text) {
  if (!where || text.isEmpty()) return;
  QString own = where->accessibleDescription();
  // A notice still standing: the control's own description is the one it holds.
  QObject* standing =
      where->findChild<QObject*>(QString::fromLatin1(kKeeperName), Qt::FindDirectChildrenOnly);
  if (auto* keeper = dynamic_cast<DescriptionKeeper*>(standing)) {
    own = keeper->own();
    keeper->give_way();
  }
  change_description(where, text);
  QAccessibleEvent alert(where, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
  new DescriptionKeeper(where, own, text);
  show_notice(where, text);
}

void announce_refusal(QWidget* field, const QString& message) {
  if (!field) return;
  const QString name = field->accessibleName();
  announce(field, name.isEmpty() ? message : name + QStringLiteral(": ") + message);
}

}  // namespace ravolin::ui
