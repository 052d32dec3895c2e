#include "ui/qt_platform.h"

#include "ui/help_window.h"
#include "ui/window_conventions.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>

namespace ravolin::ui {

const char* message_title(MessageKind kind) {
  return kind == MessageKind::Error ? "エラーメッセージ" : "確認メッセージ";
}

// ---- help viewer -------------------------------------------------------------

QtHelpViewer::QtHelpViewer() = default;
QtHelpViewer::~QtHelpViewer() { delete window_.data(); }

HelpWindow* QtHelpViewer::window() const { return window_.data(); }

HelpWindow* QtHelpViewer::ensure_window() {
  if (!window_) window_ = new HelpWindow();
  return window_.data();
}

void QtHelpViewer::show_contents(const std::string& help_path) {
  HelpWindow* w = ensure_window();
  w->load(help_path);
  w->show_contents();
  w->show();
  w->raise();
  w->activateWindow();
}

void QtHelpViewer::show_topic(const std::string& help_path, int topic) {
  HelpWindow* w = ensure_window();
  w->load(help_path);
  w->show_topic(topic);
  w->show();
  w->raise();
  w->activateWindow();
}

void QtHelpViewer::close() {
  if (window_) window_->hide();
}

// ---- message boxes -----------------------------------------------------------

MessageAnswer QtMessageBoxes::show(QWidget* parent, const MessageRequest& request) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(message_title(request.kind)),
                  QString::fromStdString(request.text),
                  request.buttons == MessageButtons::OkCancel
                      ? QMessageBox::Ok | QMessageBox::Cancel
                      : QMessageBox::StandardButtons(QMessageBox::Ok),
                  parent);
  box.setObjectName(QStringLiteral("message_box"));
  if (request.help_topic > 0) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &box);
    const int topic = request.help_topic;
    QObject::connect(f1, &QShortcut::activated, &box,
                     [this, topic] { help_.show_topic(help_path_, topic); });
  }
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

// ---- printer -----------------------------------------------------------------

QtPrinter::QtPrinter() = default;
QtPrinter::~QtPrinter() {
  if (painter_) painter_->end();
}

bool QtPrinter::choose(QWidget* parent) {
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer_.get(), parent);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  if (dialog.exec() != QDialog::Accepted) {
    printer_.reset();
    return false;
  }
  painter_.reset();
  y_ = 0;
  failed_ = false;
  return true;
}

void QtPrinter::set_font(const std::string& face, int point_size) {
  face_ = face;
  point_size_ = point_size;
  if (painter_) {
    QFont f = gothic_font();
    f.setFamilies({QString::fromStdString(face_), QStringLiteral("IPAGothic")});
    f.setPointSize(point_size_);
    painter_->setFont(f);
  }
}

bool QtPrinter::begin() {
  if (painter_) return true;
  if (!printer_ || failed_) return false;
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer_.get())) {
    painter_.reset();
    failed_ = true;
    return false;
  }
  set_font(face_, point_size_);
  y_ = 0;
  return true;
}

void QtPrinter::print_line(const std::string& line) {
  if (!begin()) return;
  const int height = painter_->fontMetrics().lineSpacing();
  const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
  if (y_ + height > page.height()) {
    printer_->newPage();
    y_ = 0;
  }
  y_ += height;
  painter_->drawText(0, y_ - painter_->fontMetrics().descent(), QString::fromStdString(line));
}

bool QtPrinter::end_doc(std::string& error) {
  if (failed_ || !printer_) {
    error = "プリンタを開けません";
    printer_.reset();
    return false;
  }
  if (painter_) painter_->end();
  painter_.reset();
  printer_.reset();
  return true;
}

}  // namespace ravolin::ui
