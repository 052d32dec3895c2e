// SPDX-License-Identifier: MIT
#include "gui/board/version_window.h"

#include "board/about_text.h"
#include "gui/common/picture.h"
#include "gui/common/window_conventions.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ravolin::board {

VersionWindow::VersionWindow(app::AppState& state, QWidget* main_window)
    : QWidget(main_window, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      main_window_(main_window) {
  setObjectName(QStringLiteral("ravolin9"));
  ui::help_on_f1(this, state, 109);  // バージョン情報
  setWindowTitle(tr("ラボリン&ホテル情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setGeometry(px(120), px(180), px(1500), px(1200));
  picture->setPixmap(ui::program_picture(px(1500), px(1200)));

  auto* about_frame = new QGroupBox(this);
  about_frame->setObjectName(QStringLiteral("Frame1"));
  about_frame->setGeometry(px(1740), px(60), px(5760), px(1560));
  auto* about_box = new QPlainTextEdit(about_frame);
  about_box->setObjectName(QStringLiteral("Text1"));
  about_box->setGeometry(px(120), px(180), px(5520), px(1260));
  about_box->setReadOnly(true);
  about_box->setAccessibleName(tr("製品情報"));
  about_box->setPlainText(ui::text_box_text(
      about_text(corridor_caption(state.schedule.edition, state.language), state.language)));

  auto* confirm_button = new QPushButton(tr("確認"), this);
  confirm_button->setObjectName(QStringLiteral("Command2"));
  confirm_button->setGeometry(px(6180), px(1740), px(1320), px(420));
  confirm_button->setDefault(true);
  connect(confirm_button, &QPushButton::clicked, this, &VersionWindow::confirm);

  // Escape closes from the text as from the button; the focus starts on 確認, so Enter
  // and Space close the window too.
  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{about_box, confirm_button})
    keys->escape_closes(w, [this] { confirm(); });

  setFixedSize(px(7620), px(2280));
  ui::place_window(this, state.settings.pos(settings::kVersionWindowId));
  confirm_button->setFocus();
}

void VersionWindow::confirm() {
  ui::store_position(this, state_.settings.pos(settings::kVersionWindowId));
  if (main_window_) {
    main_window_->raise();
    main_window_->activateWindow();
  }
  close();
}

}  // namespace ravolin::board
