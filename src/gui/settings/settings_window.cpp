// SPDX-License-Identifier: MIT
#include "gui/settings/settings_window.h"

#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"
#include "settings/station_picker.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ravolin::settings {

namespace {

// Layout in twips.
constexpr int kColumnWidth = 5400;  // the two line frames
constexpr int kRightLeft = 5640;    // the switches, the message line and 了解
constexpr int kRightWidth = 5040;
constexpr int kLineFrameHeight = 2820;
constexpr int kBoxHeight = 255;
constexpr int kRowHeight = 360;

}  // namespace

SettingsWindow::SettingsWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin5"));
  ui::help_on_f1(this, state, 105);  // 動作環境の登録
  setWindowTitle(tr("動作環境"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();
  fill(fill_settings_form(state.settings));
  setFixedSize(ui::tw(this, kRightLeft + kRightWidth + 120), ui::tw(this, 5880));
  ui::place_window(this, state.settings.pos(settings::kSettingsWindowId));
  sinkansen_.station->setFocus();
}

void SettingsWindow::build_controls() {
  const ui::TwipLayout layout(this);
  // The Shinkansen first, as on the main window and in the Enter chain.
  sinkansen_ = build_line_frame(
      layout, {"Frame5", tr("新幹線の設定"), 60, 8, tr("新幹線の下りの時刻表を表示"),
               tr("新幹線の上りの時刻表を表示"), "Frame6", kSinkansenStationBox, 1, tr("新幹線")});
  keiyo_ = build_line_frame(layout, {"Frame1", tr("京葉線の設定"), 60 + kLineFrameHeight + 60, 1,
                                     tr("京葉線下りの時刻表を表示"), tr("京葉線上りの時刻表を表示"),
                                     "Frame4", kKeiyoStationBox, 8, tr("京葉線")});
  form_boxes_ = {nullptr,
                 keiyo_.station,
                 keiyo_.normal_minutes,
                 keiyo_.hurry_minutes,
                 keiyo_.train_count,
                 sinkansen_.station,
                 sinkansen_.normal_minutes,
                 sinkansen_.hurry_minutes,
                 sinkansen_.train_count};
  build_switches(layout);
  build_message_line_and_ok(layout);
  build_language_choice(layout);
  connect_keys();
  set_tab_order();
}

SettingsWindow::LineControls SettingsWindow::build_line_frame(const ui::TwipLayout& layout,
                                                              const LineFrame& f) {
  const auto option = [&](QWidget* parent, int number, const QString& caption, int top) {
    return layout.option(parent, QStringLiteral("Option%1").arg(number), caption, 240, top,
                         kColumnWidth - 360, 300);
  };
  int label_number = f.first_label;
  const auto label = [&](QWidget* parent, const QString& caption, int left, int top, int width) {
    return layout.label(parent, QStringLiteral("Label%1").arg(label_number++), caption, left, top,
                        width, kBoxHeight);
  };
  // Each box is named after its label and its line, so that the two frames' boxes differ.
  const auto name_box = [&](QLineEdit* box, QLabel* label, const QString& name) {
    box->setAccessibleName(f.line + QLatin1Char(' ') + name);
    ui::name_by_label(label, box);
  };
  const auto box = [&](QWidget* parent, int number, int left, int top, int width) {
    return layout.box(parent, QStringLiteral("Text%1").arg(number), left, top, width, kBoxHeight);
  };
  const auto number_box = [&](QWidget* parent, int number, int top) {
    QLineEdit* b = box(parent, number, 1860, top, 600);
    b->setAlignment(Qt::AlignRight);
    return b;
  };
  LineControls c;
  QGroupBox* frame = layout.frame(this, QString::fromLatin1(f.frame), f.caption, 120, f.top,
                                  kColumnWidth, kLineFrameHeight);
  c.down = option(frame, f.first_option, f.down, 300);
  c.up = option(frame, f.first_option + 1, f.up, 600);
  QGroupBox* stations =
      layout.frame(frame, QString::fromLatin1(f.station_frame), tr("利用駅の設定"), 120, 960,
                   kColumnWidth - 240, 300 + 4 * kRowHeight);
  stations->setAccessibleName(f.line + QLatin1Char(' ') + tr("利用駅の設定"));
  const int row = 300;
  QLabel* station_label = label(stations, tr("利用している駅"), 120, row, 1680);
  c.station = box(stations, f.first_box, 1860, row, 1980);
  name_box(c.station, station_label, tr("利用している駅"));
  c.station->setAccessibleDescription(tr("F4、Alt+↓ またはダブルクリックで一覧から選べます"));
  QLabel* normal_label = label(stations, tr("駅まで通常"), 120, row + kRowHeight, 1680);
  c.normal_minutes = number_box(stations, f.first_box + 1, row + kRowHeight);
  name_box(c.normal_minutes, normal_label, tr("駅まで通常（分）"));
  label(stations, tr("分"), 2520, row + kRowHeight, 360);
  QLabel* hurry_label = label(stations, tr("駅まで急いで"), 120, row + 2 * kRowHeight, 1680);
  c.hurry_minutes = number_box(stations, f.first_box + 2, row + 2 * kRowHeight);
  name_box(c.hurry_minutes, hurry_label, tr("駅まで急いで（分）"));
  label(stations, tr("分"), 2520, row + 2 * kRowHeight, 360);
  QLabel* count_label = label(stations, tr("列車案内の表示件数"), 120, row + 3 * kRowHeight, 1680);
  c.train_count = number_box(stations, f.first_box + 3, row + 3 * kRowHeight);
  name_box(c.train_count, count_label, tr("列車案内の表示件数"));
  const QString count_hint = tr("（０：２時間後まで表示）");
  label(stations, count_hint, 2520, row + 3 * kRowHeight, 2280);
  c.train_count->setAccessibleDescription(count_hint);
  return c;
}

void SettingsWindow::build_switches(const ui::TwipLayout& layout) {
  const auto option = [&](QWidget* parent, int number, const QString& caption, int top) {
    return layout.option(parent, QStringLiteral("Option%1").arg(number), caption, 240, top,
                         kRightWidth - 360, 300);
  };
  QGroupBox* display = layout.frame(this, QStringLiteral("Frame7"), tr("京葉線の表示"), kRightLeft,
                                    60, kRightWidth, 1920);
  keiyo_shown_ = option(display, 10, tr("京葉線の時刻表を表示する"), 300);
  keiyo_hidden_ = option(display, 11, tr("京葉線の時刻表を表示しない"), 600);
  QLabel* restart_note =
      layout.label(display, QStringLiteral("Label15"),
                   tr("この設定を変更した場合（表示しない→表示する）、京葉線データ読み込みのために"
                      "再起動が必要です。　変更した場合はプログラムを終了します。"),
                   240, 960, kRightWidth - 360, 880);
  restart_note->setWordWrap(true);
  restart_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  QGroupBox* hotels =
      layout.frame(this, QStringLiteral("Frame3"), tr("利用者ホテル情報の登録・修正"), kRightLeft,
                   2040, kRightWidth, 1320);
  sort_on_entry_ = option(hotels, 5, tr("入力の都度，地域名順，地区名順に並び換えする"), 300);
  sort_on_storing_ = option(hotels, 6, tr("格納時，地域名順，地区名順に並び換えする"), 600);
  no_sorting_ = option(hotels, 7, tr("並び換えしない"), 900);

  QGroupBox* storing = layout.frame(this, QStringLiteral("Frame2"), tr("動作環境の退避"),
                                    kRightLeft, 3420, kRightWidth, 1020);
  store_at_exit_ = option(storing, 3, tr("終了時の動作環境を退避する"), 300);
  no_store_at_exit_ = option(storing, 4, tr("終了時の動作環境を待避しない"), 600);
}

void SettingsWindow::build_language_choice(const ui::TwipLayout& layout) {
  english_ = layout.place(new QCheckBox(tr("英語で表示する (English)"), this),
                          QStringLiteral("Check1"), kRightLeft, 4980, kRightWidth - 1560, 270);
  QLabel* note = layout.label(this, QStringLiteral("Label16"), tr("（次の起動から）"),
                              kRightLeft + 240, 5280, kRightWidth - 1800, kBoxHeight);
  english_->setAccessibleDescription(note->text());
  english_->setChecked(state_.settings.language == "en" ||
                       (state_.settings.language.empty() && state_.english()));
}

void SettingsWindow::store_language() {
  // Stored only when it says something the desktop does not already say, so that a user
  // who never chose keeps following the desktop.
  const text::Language chosen =
      english_->isChecked() ? text::Language::kEnglish : text::Language::kJapanese;
  if (state_.settings.language.empty() && chosen == state_.language) return;
  state_.settings.language = text::language_code(chosen);
}

void SettingsWindow::build_message_line_and_ok(const ui::TwipLayout& layout) {
  // The message line: the checks write to it, the user does not.
  message_line_ = layout.box(this, QStringLiteral("Text9"), kRightLeft, 4560, kRightWidth, 330);
  message_line_->setReadOnly(true);
  message_line_->setFocusPolicy(Qt::NoFocus);

  message_line_->setAccessibleName(tr("メッセージ"));

  ok_button_ = layout.button(this, QStringLiteral("Command1"), tr("了解"),
                             kRightLeft + kRightWidth - 1440, 5250, 1440, 450);
  connect(ok_button_, &QPushButton::clicked, this, &SettingsWindow::ok);
}

void SettingsWindow::connect_keys() {
  auto* keys = new ui::KeyConventions(this);
  const auto escape = [this] { end_proc(); };
  // Enter: the Shinkansen boxes, then the Keiyo boxes, then 了解.
  for (int box = 1; box <= kFormBoxes; ++box) {
    QWidget* next = form_boxes_[box == kSinkansenTrainCountBox ? kKeiyoStationBox : box + 1];
    if (box == kKeiyoTrainCountBox) next = ok_button_;
    keys->enter_checks(
        form_boxes_[box], [this, box] { return check(box); }, next);
    keys->select_all_on_focus(form_boxes_[box]);
    keys->escape_closes(form_boxes_[box], escape);
  }
  for (QWidget* option :
       std::initializer_list<QWidget*>{keiyo_.down, keiyo_.up, store_at_exit_, no_store_at_exit_,
                                       sort_on_entry_, sort_on_storing_, no_sorting_,
                                       sinkansen_.down, sinkansen_.up, keiyo_shown_, keiyo_hidden_})
    keys->escape_closes(option, escape);
  keys->escape_closes(ok_button_, escape);
  keys->escape_closes(english_, escape);
  for (const auto& [box, mode] : {std::pair{keiyo_.station, kPickKeiyoStation},
                                  std::pair{sinkansen_.station, kPickSinkansenStation}}) {
    keys->double_click_runs(box, [this, mode = mode] { open_station_picker(mode); });
    keys->picker_keys(box, [this, mode = mode] { open_station_picker(mode); });
  }
  ui::tab_enters_options_at_chosen(this);
}

void SettingsWindow::set_tab_order() {
  // Tab goes through the window as it reads: the Shinkansen frame, the Keiyo frame, then
  // the switches on the right and 了解.
  QWidget* const order[] = {sinkansen_.down,
                            sinkansen_.up,
                            sinkansen_.station,
                            sinkansen_.normal_minutes,
                            sinkansen_.hurry_minutes,
                            sinkansen_.train_count,
                            keiyo_.down,
                            keiyo_.up,
                            keiyo_.station,
                            keiyo_.normal_minutes,
                            keiyo_.hurry_minutes,
                            keiyo_.train_count,
                            keiyo_shown_,
                            keiyo_hidden_,
                            sort_on_entry_,
                            sort_on_storing_,
                            no_sorting_,
                            store_at_exit_,
                            no_store_at_exit_,
                            english_,
                            ok_button_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    QWidget::setTabOrder(order[i], order[i + 1]);
}

// The station boxes show the station's English name in English windows; the form holds
// the name as the data has it.
bool SettingsWindow::station_box(int box) {
  return box == kKeiyoStationBox || box == kSinkansenStationBox;
}

std::string SettingsWindow::shown_text(int box, const std::string& text) const {
  return station_box(box) ? state_.place_names.shown(text, state_.language) : text;
}

void SettingsWindow::fill(const SettingsForm& form) {
  for (int box = 1; box <= kFormBoxes; ++box)
    form_boxes_[box]->setText(QString::fromStdString(shown_text(box, form.text[box])));
  (form.sinkansen_down ? sinkansen_.down : sinkansen_.up)->setChecked(true);
  (form.keiyo_down ? keiyo_.down : keiyo_.up)->setChecked(true);
  (form.store_at_exit ? store_at_exit_ : no_store_at_exit_)->setChecked(true);
  (form.hotel_sort == 1   ? sort_on_entry_
   : form.hotel_sort == 2 ? sort_on_storing_
                          : no_sorting_)
      ->setChecked(true);
  (form.keiyo_shown ? keiyo_shown_ : keiyo_hidden_)->setChecked(true);
}

SettingsForm SettingsWindow::read_form() const {
  SettingsForm form;
  for (int box = 1; box <= kFormBoxes; ++box) {
    form.text[box] = form_boxes_[box]->text().toStdString();
    if (station_box(box) && state_.english())
      form.text[box] = state_.place_names.japanese_of(form.text[box]);
  }
  form.sinkansen_down = sinkansen_.down->isChecked();
  form.keiyo_down = keiyo_.down->isChecked();
  form.store_at_exit = store_at_exit_->isChecked();
  form.hotel_sort = sort_on_entry_->isChecked() ? 1 : sort_on_storing_->isChecked() ? 2 : 0;
  form.keiyo_shown = keiyo_shown_->isChecked();
  return form;
}

void SettingsWindow::show_form_texts(const SettingsForm& form) {
  for (int box = 1; box <= kFormBoxes; ++box)
    ui::show_text(form_boxes_[box], shown_text(box, form.text[box]));
}

void SettingsWindow::show_message(const std::optional<std::string>& message) {
  if (!message) return;
  message_line_->setText(message_text(*message));
}

QString SettingsWindow::message_text(const std::string& message) const {
  // The checks' two refusals in the language of the window.
  if (message == kTerminusMessage) return tr("終着駅は指定できません");
  if (message == kOriginMessage) return tr("始発駅は指定できません");
  return QString::fromStdString(message);
}

void SettingsWindow::announce_refusal(int box, const std::optional<std::string>& message) {
  // The refusal's own message: the message line may still show an older one, and most
  // refusals write none.
  ui::announce_refusal(form_boxes_[box], message && !message->empty() ? message_text(*message)
                                                                      : tr("入力エラーです"));
}

bool SettingsWindow::check(int box) {
  SettingsForm form = read_form();
  const FieldCheck result = check_box(state_.schedule, box, form);
  show_form_texts(form);
  show_message(result.message);
  if (result.err_flg != 0) announce_refusal(box, result.message);
  return result.err_flg == 0;
}

void SettingsWindow::ok() {
  SettingsForm form = read_form();
  const OkResult result = apply_settings_form(state_.schedule, form, state_.settings);
  show_form_texts(form);
  show_message(result.message);
  if (result.failed_box != 0) {
    form_boxes_[result.failed_box]->setFocus(Qt::OtherFocusReason);
    announce_refusal(result.failed_box, result.failed_message);
    return;
  }
  ui::store_position(this, state_.settings.pos(settings::kSettingsWindowId));
  store_language();
  if (result.keiyo_switched_on) {
    // The Keiyo data are read only at start-up: end the program; the next start loads them.
    ways_.end_for_keiyo_data();
    close();
    return;
  }
  ways_.rebuild_board();
  front_main_window();
  close();
}

void SettingsWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kSettingsWindowId));
  front_main_window();
  close();
}

void SettingsWindow::front_main_window() { ways_.front_main_window(); }

void SettingsWindow::open_station_picker(int mode) {
  if (!ways_.open_station_picker) return;
  QLineEdit* target = mode == kPickKeiyoStation ? keiyo_.station : sinkansen_.station;
  // Back in the box with the picked name, ready for Enter.
  ways_.open_station_picker(mode, target, [this, target] {
    activateWindow();
    target->setFocus(Qt::OtherFocusReason);
  });
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
  ui::store_position(this, state_.settings.pos(settings::kSettingsWindowId));
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::settings
