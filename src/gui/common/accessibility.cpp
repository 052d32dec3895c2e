// SPDX-License-Identifier: MIT
#include "gui/common/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
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

// ---- what each thing is ------------------------------------------------------

constexpr char kCaptionKind[] = "ravolin_caption_kind";

// A caption without its access key marks: "ﾌｧｲﾙ(&F&ﾊ)" is "ﾌｧｲﾙ(Fﾊ)", "&&" one "&".
QString without_access_keys(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  return out;
}

// The first access key of a caption as the key a user presses ("Alt+F"), or nothing.
QString access_key(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return QKeySequence(Qt::ALT).toString(QKeySequence::NativeText) + caption[i + 1].toUpper();
  }
  return {};
}

// A caption-only button: a heading or a static text that Tab passes by.
class CaptionInterface final : public QAccessibleWidget {
 public:
  CaptionInterface(QWidget* button, QAccessible::Role role) : QAccessibleWidget(button, role) {}
  QString text(QAccessible::Text t) const override {
    QString s = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && s.isEmpty())
      if (auto* b = qobject_cast<const QPushButton*>(widget())) s = without_access_keys(b->text());
    return s;
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.focusable = false;
    return s;
  }
  QStringList actionNames() const override { return {}; }
};

// An entry of a menu or of the menu bar, named by its caption without the access key
// marks (Qt's own entry keeps all but the first "&" of a caption with two access keys).
class MenuEntry final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  MenuEntry(QWidget* owner, QAction* action) : owner_(owner), action_(action) {}

  bool isValid() const override { return owner_ && action_; }
  QObject* object() const override { return action_; }
  QWindow* window() const override {
    QAccessibleInterface* p = parent();
    return p ? p->window() : nullptr;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return owner_ ? QAccessible::queryAccessibleInterface(owner_.data()) : nullptr;
  }
  int childCount() const override { return submenu() ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && submenu() ? QAccessible::queryAccessibleInterface(submenu()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && submenu() && child->object() == submenu() ? 0 : -1;
  }
  QString text(QAccessible::Text t) const override {
    if (!action_) return {};
    if (t == QAccessible::Name) return without_access_keys(action_->text());
    if (t == QAccessible::Accelerator)
      return action_->shortcut().isEmpty() ? access_key(action_->text())
                                           : action_->shortcut().toString(QKeySequence::NativeText);
    if (t == QAccessible::Description)
      return action_->toolTip() == without_access_keys(action_->text()) ? QString()
                                                                        : action_->toolTip();
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    QRect r;
    if (auto* menu = qobject_cast<QMenu*>(owner_.data())) r = menu->actionGeometry(action_);
    if (auto* bar = qobject_cast<QMenuBar*>(owner_.data())) r = bar->actionGeometry(action_);
    return QRect(owner_->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override {
    return action_ && action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.invisible = !owner_->isVisible() || !action_->isVisible();
    s.disabled = !action_->isEnabled();
    s.focusable = !action_->isSeparator();
    s.checkable = action_->isCheckable();
    s.checked = action_->isChecked();
    s.hasPopup = submenu() != nullptr;
    QAction* active = nullptr;
    if (auto* menu = qobject_cast<QMenu*>(owner_.data())) active = menu->activeAction();
    if (auto* bar = qobject_cast<QMenuBar*>(owner_.data())) active = bar->activeAction();
    s.focused = s.active = active == action_;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override {
    if (!isValid() || action_->isSeparator() || !action_->isEnabled()) return {};
    return {submenu() ? showMenuAction() : pressAction()};
  }
  void doAction(const QString& name) override {
    if (!actionNames().contains(name)) return;
    if (name == pressAction()) {
      action_->trigger();
    } else if (submenu()->isVisible()) {
      submenu()->hide();
    } else if (auto* bar = qobject_cast<QMenuBar*>(owner_.data())) {
      bar->setActiveAction(action_);
    } else if (auto* menu = qobject_cast<QMenu*>(owner_.data())) {
      menu->setActiveAction(action_);
    }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QMenu* submenu() const { return action_ ? action_->menu() : nullptr; }

  QPointer<QWidget> owner_;
  QPointer<QAction> action_;
};

// The menu or menu bar that holds an action, if any.
QWidget* menu_of(QAction* action) {
  for (QObject* o : action->associatedObjects())
    if (qobject_cast<QMenu*>(o) || qobject_cast<QMenuBar*>(o)) return static_cast<QWidget*>(o);
  return nullptr;
}

QAccessibleInterface* program_interfaces(const QString& class_name, QObject* object) {
  // Asked once per class of the object, most derived first: answered for that one only.
  if (!object || class_name != QLatin1String(object->metaObject()->className())) return nullptr;
  if (auto* w = qobject_cast<QWidget*>(object)) {
    const QVariant kind = w->property(kCaptionKind);
    if (kind.isValid())
      return new CaptionInterface(w, kind.toInt() == static_cast<int>(CaptionKind::kHeading)
                                         ? QAccessible::Heading
                                         : QAccessible::StaticText);
    // A window of the program made from a plain widget: Qt would call it a pane ("filler").
    if (w->isWindow() && w->metaObject()->superClass() == &QWidget::staticMetaObject &&
        class_name.startsWith(QLatin1String("ravolin::")))
      return new QAccessibleWidget(w, QAccessible::Window);
    return nullptr;
  }
  if (auto* action = qobject_cast<QAction*>(object))
    if (QWidget* menu = menu_of(action)) return new MenuEntry(menu, action);
  return nullptr;
}

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

void expose_program_interfaces() {
  // Qt asks the factory installed last first: after the one of Qt's widgets, which would
  // answer for the caption-only buttons as buttons.
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::removeFactory(&program_interfaces);
  QAccessible::installFactory(&program_interfaces);
}

void name_by_label(QLabel* label, QWidget* field) {
  label->setBuddy(field);
  label->setAccessibleName(field->accessibleName());
}

void caption_only(QPushButton* button, CaptionKind kind) {
  expose_program_interfaces();
  button->setFocusPolicy(Qt::NoFocus);
  button->setProperty(kCaptionKind, static_cast<int>(kind));
  // An interface made for the button before it became a caption is made again.
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(button);
  if (made && made->role() == QAccessible::Button)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

QString spoken_text(const QString& shown) {
  static const QRegularExpression price(QStringLiteral("\\\\(?=[0-9])"));
  QString out = shown;
  out.replace(price, QString(QChar(0x00A5)));
  return out;
}

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
