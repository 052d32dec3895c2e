// SPDX-License-Identifier: MIT
#include "gui/common/tray.h"

#include <QAction>
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace ravolin::ui {

namespace {

// A small Shinkansen nose on a blue disc, drawn here so the tray needs no file.
QIcon tray_icon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(26, 82, 160));
    p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
    QPainterPath nose;
    nose.moveTo(s * 0.16, s * 0.66);
    nose.cubicTo(s * 0.30, s * 0.34, s * 0.62, s * 0.30, s * 0.86, s * 0.52);
    nose.lineTo(s * 0.86, s * 0.66);
    nose.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(nose);
    p.setBrush(QColor(26, 82, 160));
    p.drawRect(QRectF(s * 0.16, s * 0.60, s * 0.70, s * 0.04 + 0.5));
    icon.addPixmap(pm);
  }
  return icon;
}

class QtTray final : public Tray {
 public:
  QtTray() = default;
  bool available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
  void show(const std::vector<TrayEntry>& entries) override {
    if (!icon_) {
      icon_ = std::make_unique<QSystemTrayIcon>(tray_icon());
      menu_ = std::make_unique<QMenu>();
      icon_->setContextMenu(menu_.get());
    }
    menu_->clear();
    for (const auto& e : entries) {
      QAction* a = menu_->addAction(QString::fromStdString(e.caption));
      a->setCheckable(e.checkable);
      a->setChecked(e.checked);
      auto run = e.run;
      QObject::connect(a, &QAction::triggered, a, [run](bool checked) {
        if (run) run(checked);
      });
    }
    icon_->show();
  }
  void hide() override {
    if (icon_) icon_->hide();
  }
  void set_tooltip(const std::string& text) override {
    if (icon_) icon_->setToolTip(QString::fromStdString(text));
  }
  void notify(const std::string& title, const std::string& text) override {
    if (icon_ && QSystemTrayIcon::supportsMessages())
      icon_->showMessage(QString::fromStdString(title), QString::fromStdString(text),
                         QSystemTrayIcon::Information, 15000);
  }

 private:
  std::unique_ptr<QMenu> menu_;
  std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace

std::unique_ptr<Tray> make_qt_tray() { return std::make_unique<QtTray>(); }

}  // namespace ravolin::ui
