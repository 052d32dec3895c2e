// SPDX-License-Identifier: MIT
#include "gui/common/qt_platform.h"

#include "gui/common/help_window.h"
#include "gui/common/window_conventions.h"
#include "text/print_columns.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTimer>

#include <chrono>
#include <functional>

namespace ravolin::ui {

namespace {
// The printer's and the clock's messages in the language of the windows.
std::string printer_text(const char* japanese) {
  return QCoreApplication::translate("ravolin::ui::QtPrinter", japanese).toStdString();
}
}  // namespace

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

namespace {
// Brings the help window forward. Opened from a modal window (F1 in a message box), the
// help is modal itself: a window behind the box would get neither the keyboard nor the
// mouse. It takes the keys until it is closed, and the box has them back then. Opened
// from any other window, it is a window beside the others.
void present(HelpWindow* w) {
  QWidget* modal = QApplication::activeModalWidget();
  const Qt::WindowModality wanted = modal && modal != w ? Qt::ApplicationModal : Qt::NonModal;
  if (w->windowModality() != wanted) {
    w->hide();  // the modality of a shown window does not change
    w->setWindowModality(wanted);
  }
  w->show();
  w->raise();
  w->activateWindow();
}
}  // namespace

void QtHelpViewer::show_contents(const std::string& help_path) {
  HelpWindow* w = ensure_window();
  w->load(help_path);
  w->show_contents();
  present(w);
}

void QtHelpViewer::show_topic(const std::string& help_path, int topic) {
  HelpWindow* w = ensure_window();
  w->load(help_path);
  w->show_topic(topic);
  present(w);
}

void QtHelpViewer::close() {
  if (window_) window_->hide();
}

// ---- message boxes -----------------------------------------------------------

namespace {
// F1 anywhere in a message box opens its help topic.
class F1Filter final : public QObject {
 public:
  explicit F1Filter(std::function<void()> on_f1) : on_f1_(std::move(on_f1)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
      on_f1_();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> on_f1_;
};
}  // namespace

MessageAnswer QtMessageBoxes::show(QWidget* parent, const MessageRequest& request) {
  const QString title =
      request.kind == MessageKind::Error
          ? QCoreApplication::translate("ravolin::ui::QtMessageBoxes", "エラーメッセージ")
          : QCoreApplication::translate("ravolin::ui::QtMessageBoxes", "確認メッセージ");
  QMessageBox box(QMessageBox::Warning, title, QString::fromStdString(request.text),
                  request.buttons == MessageButtons::OkCancel
                      ? QMessageBox::Ok | QMessageBox::Cancel
                      : QMessageBox::StandardButtons(QMessageBox::Ok),
                  parent);
  box.setObjectName(QStringLiteral("message_box"));
  // Messages carry file names, file lines and typed texts: shown as they are.
  box.setTextFormat(Qt::PlainText);
  // Without Qt's own translations installed the buttons would read "Cancel" in English.
  if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
    cancel->setText(QCoreApplication::translate("ravolin::ui::QtMessageBoxes", "キャンセル"));
  F1Filter f1([this, topic = request.help_topic] {
    if (topic > 0) help_.show_topic(help_path_, topic);
  });
  box.installEventFilter(&f1);
  for (QAbstractButton* b : box.buttons()) b->installEventFilter(&f1);
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

// ---- printer -----------------------------------------------------------------

QtPrinter::QtPrinter() = default;
QtPrinter::~QtPrinter() {
  if (painter_) painter_->end();
}

void QtPrinter::start_document() {
  printer_->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  painter_.reset();
  y_ = 0;
  failed_ = false;
  error_.clear();
}

bool QtPrinter::choose(QWidget* parent) {
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  start_document();
  bool accepted = false;
  if (dialog_) {
    accepted = dialog_(*printer_, parent);
  } else {
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setWindowTitle(QCoreApplication::translate("ravolin::ui::QtPrinter", "印刷"));
    accepted = dialog.exec() == QDialog::Accepted;
  }
  if (!accepted) printer_.reset();
  return accepted;
}

void QtPrinter::choose_pdf_file(const std::string& path) {
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(QString::fromStdString(path));
  start_document();
}

void QtPrinter::set_font(const std::string& face, int point_size) {
  face_ = face;
  point_size_ = point_size;
  if (painter_) {
    QFont f = gothic_font();
    QStringList families = f.families();
    families.prepend(QString::fromStdString(face_));
    f.setFamilies(families);
    f.setPointSize(point_size_);
    painter_->setFont(f);
  }
}

bool QtPrinter::begin() {
  if (painter_) return true;
  if (failed_) return false;
  if (!printer_) {
    failed_ = true;
    error_ =
        printer_text(QT_TRANSLATE_NOOP("ravolin::ui::QtPrinter", "印刷先が選ばれていません。"));
    return false;
  }
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer_.get())) {
    painter_.reset();
    failed_ = true;
    error_ = printer_text(QT_TRANSLATE_NOOP("ravolin::ui::QtPrinter", "印刷を始められません。"));
    const QString file = printer_->outputFileName();
    if (!file.isEmpty()) {
      error_ += '\n';
      error_ += file.toStdString();
    }
    return false;
  }
  set_font(face_, point_size_);
  y_ = 0;
  return true;
}

void QtPrinter::print_line(const std::string& line) {
  if (!begin()) return;
  // The painter draws one line per call: a text of several lines goes line by line.
  QString text = QString::fromStdString(line);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QFontMetrics metrics = painter_->fontMetrics();
  const int width = printer_->pageLayout().paintRectPixels(printer_->resolution()).width();
  const auto char_width = [&metrics](char32_t c) {
    return metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
  };
  for (const QString& part : text.split(QLatin1Char('\n'))) {
    const std::string expanded = text::expand_tabs(part.toStdString());
    for (const std::string& piece : text::wrap_to_width(expanded, char_width, width))
      draw_line(QString::fromStdString(piece));
  }
}

void QtPrinter::draw_line(const QString& text) {
  if (failed_) return;
  const int height = painter_->fontMetrics().lineSpacing();
  const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
  if (y_ > 0 && y_ + height > page.height()) {
    if (!printer_->newPage()) {
      failed_ = true;
      error_ =
          printer_text(QT_TRANSLATE_NOOP("ravolin::ui::QtPrinter", "次のページに進めません。"));
      return;
    }
    y_ = 0;
  }
  y_ += height;
  painter_->drawText(0, y_ - painter_->fontMetrics().descent(), text);
}

bool QtPrinter::end_doc(std::string& error) {
  begin();  // a document without lines is still one (empty) page
  bool ok = !failed_;
  if (painter_ && !painter_->end()) {
    ok = false;
    if (error_.empty())
      error_ = printer_text(QT_TRANSLATE_NOOP("ravolin::ui::QtPrinter", "印刷を終えられません。"));
  }
  if (printer_ && printer_->printerState() == QPrinter::Error) {
    ok = false;
    if (error_.empty())
      error_ = printer_text(
          QT_TRANSLATE_NOOP("ravolin::ui::QtPrinter", "プリンタがエラーを返しました。"));
  }
  if (!ok) error = error_;
  painter_.reset();
  printer_.reset();
  failed_ = false;
  error_.clear();
  return ok;
}

// ---- system clock ------------------------------------------------------------

using Outcome = calendar::ClockSetResult::Outcome;

QtSystemClock::QtSystemClock(std::string set_time_program, std::chrono::milliseconds time_limit)
    : program_(std::move(set_time_program)), time_limit_(time_limit) {}

QtSystemClock::~QtSystemClock() {
  delete limit_;
  if (process_) {
    process_->disconnect();
    process_->kill();
    process_->waitForFinished(1000);
    delete process_;
  }
}

calendar::SystemTime QtSystemClock::now() const { return calendar::read_system_clock(); }

void QtSystemClock::set(const calendar::SystemTime& t, calendar::ClockSetDone done) {
  if (process_) {
    done({Outcome::Refused,
          QCoreApplication::translate("ravolin::ui::QtSystemClock",
                                      "時刻設定サービスが前の設定をまだ終えていません")
              .toStdString()});
    return;
  }
  if (text::Message why = calendar::unsettable_time_reason(t); !why.empty()) {
    done({Outcome::Refused, why});
    return;
  }
  done_ = std::move(done);
  timed_out_ = false;
  limit_ = new QTimer();
  limit_->setSingleShot(true);
  QObject::connect(limit_, &QTimer::timeout, limit_, [this] {
    timed_out_ = true;
    process_->kill();  // finished() reports the time-out
  });
  process_ = new QProcess();
  process_->setProcessChannelMode(QProcess::MergedChannels);
  process_->setStandardInputFile(QProcess::nullDevice());
  QObject::connect(process_, &QProcess::finished, process_,
                   [this](int exit_code, QProcess::ExitStatus status) {
                     service_finished(exit_code, status == QProcess::NormalExit);
                   });
  QObject::connect(
      process_, &QProcess::errorOccurred, process_, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;  // finished() follows
        finish({Outcome::Refused, calendar::service_start_failure_reason(
                                      program_, process_->errorString().toStdString())});
      });
  limit_->start(time_limit_);
  const QStringList arguments = {QStringLiteral("set-time"),
                                 QString::fromStdString(calendar::set_time_argument(t))};
  process_->start(QString::fromStdString(program_), arguments);
}

void QtSystemClock::service_finished(int exit_code, bool exited_normally) {
  if (timed_out_) {
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(time_limit_).count();
    finish({Outcome::TimedOut, calendar::service_timeout_reason(static_cast<int>(seconds))});
  } else if (exited_normally && exit_code == 0) {
    finish({Outcome::Set, {}});
  } else {
    const std::string said = process_->readAll().left(4096).toStdString();
    finish({Outcome::Refused, calendar::service_refusal_reason(said, exited_normally, exit_code)});
  }
}

void QtSystemClock::finish(const calendar::ClockSetResult& result) {
  // Called from the process's own signals: it goes once they have returned.
  limit_->stop();
  limit_->deleteLater();
  limit_ = nullptr;
  process_->disconnect();
  process_->deleteLater();
  process_ = nullptr;
  calendar::ClockSetDone done = std::move(done_);
  done_ = nullptr;
  if (done) done(result);
}

}  // namespace ravolin::ui
