// SPDX-License-Identifier: MIT
#include "gui/common/help_window.h"

#include "gui/common/translation.h"
#include "gui/common/window_conventions.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>

namespace ravolin::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("help_window"));
  setWindowTitle(tr("ラボリン&ホテル情報 ヘルプ"));
  topics_ = new QListWidget(this);
  topics_->setObjectName(QStringLiteral("TopicList"));
  topics_->setFont(gothic_font(12));
  topics_->setAccessibleName(tr("トピック"));
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("TopicText"));
  text_->setReadOnly(true);
  text_->setAccessibleName(tr("説明"));
  text_->setFont(gothic_font(14));
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(topics_, 2);
  layout->addWidget(text_, 5);
  resize(720, 420);
  connect(topics_, &QListWidget::currentRowChanged, this, &HelpWindow::show_row);
  // Escape closes the help, as it closes every other window of the program.
  auto* keys = new KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{topics_, text_})
    keys->escape_closes(w, [this] { close(); });
}

bool HelpWindow::load(const std::string& path) {
  text::Message error;
  HelpFile file;
  const bool ok = read_help_file(path, file, error);
  path_ = path;
  topics_->blockSignals(true);
  topics_->clear();
  if (!ok) {
    file_ = HelpFile{};
    topics_->blockSignals(false);
    text_->setPlainText(tr("ヘルプファイルを読めません。\n") +
                        QString::fromStdString(error.in(windows_language())));
    return false;
  }
  file_ = std::move(file);
  for (const auto& t : file_.topics) topics_->addItem(QString::fromStdString(t.title));
  topics_->blockSignals(false);
  return true;
}

void HelpWindow::show_contents() {
  if (file_.topics.empty()) return;  // the load error stays in view
  topics_->blockSignals(true);
  topics_->setCurrentRow(-1);
  topics_->blockSignals(false);
  QString text = QString::fromStdString(flowing_text(file_.preface));
  if (!text.isEmpty()) text += QStringLiteral("\n\n");
  text += tr("【目次】\n");
  for (const auto& t : file_.topics)
    text += QStringLiteral("  ") + QString::fromStdString(t.title) + QStringLiteral("\n");
  text_->setPlainText(text);
}

void HelpWindow::show_topic(int number) {
  for (int row = 0; row < static_cast<int>(file_.topics.size()); ++row) {
    if (file_.topics[static_cast<std::size_t>(row)].number == number) {
      topics_->setCurrentRow(row);
      show_row(row);
      return;
    }
  }
  if (!file_.topics.empty() || path_.empty())
    text_->setPlainText(tr("このトピック（%1）はヘルプファイルにありません。").arg(number));
}

void HelpWindow::show_row(int row) {
  if (row < 0 || row >= static_cast<int>(file_.topics.size())) return;
  const auto& t = file_.topics[static_cast<std::size_t>(row)];
  text_->setPlainText(QString::fromStdString(t.title) + QStringLiteral("\n\n") +
                      QString::fromStdString(flowing_text(t.text)));
}

QString HelpWindow::shown_text() const { return text_->toPlainText(); }

}  // namespace ravolin::ui
