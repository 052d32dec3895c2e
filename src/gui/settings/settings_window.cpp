#include "gui/settings/settings_window.h"

#include "settings/station_picker.h"
#include "gui/settings/station_picker_window.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ravolin::settings {

namespace {

// Layout in twips.
constexpr int kColumnWidth = 5400;   // the two line frames
constexpr int kRightLeft = 5640;     // the switches, the message line and 了解
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
  setWindowTitle(QStringLiteral("動作環境"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();
  fill(fill_settings_form(state.settings));
  setFixedSize(ui::tw(this, kRightLeft + kRightWidth + 120), ui::tw(this, 5880));
  ui::place_window(this, state.settings.pos(settings::kSettingsWindowId));
  text_[5]->setFocus();
}

void SettingsWindow::build_controls() {
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  const auto frame = [&](QWidget* parent, const char* name, const QString& caption, int left,
                         int top, int width, int height) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(px(left), px(top), px(width), px(height));
    return f;
  };
  const auto option = [&](QWidget* parent, int number, const QString& caption, int top) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(QStringLiteral("Option%1").arg(number));
    o->setGeometry(px(240), px(top), parent->width() - px(360), px(300));
    option_[number] = o;
    return o;
  };
  int label_number = 0;
  const auto label = [&](QWidget* parent, const QString& caption, int left, int top, int width) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QStringLiteral("Label%1").arg(++label_number));
    l->setGeometry(px(left), px(top), px(width), px(kBoxHeight));
    return l;
  };
  const auto box = [&](QWidget* parent, int number, int left, int top, int width) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(QStringLiteral("Text%1").arg(number));
    t->setGeometry(px(left), px(top), px(width), px(kBoxHeight));
    text_[number] = t;
    return t;
  };
  // One line's frame: two direction options and the station frame with its four boxes.
  const auto line_frame = [&](const char* name, const QString& caption, int top,
                              int first_option, const QString& down, const QString& up,
                              const char* station_frame, int first_box) {
    QGroupBox* f = frame(this, name, caption, 120, top, kColumnWidth, kLineFrameHeight);
    option(f, first_option, down, 300);
    option(f, first_option + 1, up, 600);
    QGroupBox* s = frame(f, station_frame, QStringLiteral("利用駅の設定"), 120, 960,
                         kColumnWidth - 240, 300 + 4 * kRowHeight);
    const int row = 300;
    label(s, QStringLiteral("利用している駅"), 120, row, 1680);
    box(s, first_box, 1860, row, 1980);
    label(s, QStringLiteral("駅まで通常"), 120, row + kRowHeight, 1680);
    box(s, first_box + 1, 1860, row + kRowHeight, 600)->setAlignment(Qt::AlignRight);
    label(s, QStringLiteral("分"), 2520, row + kRowHeight, 360);
    label(s, QStringLiteral("駅まで急いで"), 120, row + 2 * kRowHeight, 1680);
    box(s, first_box + 2, 1860, row + 2 * kRowHeight, 600)->setAlignment(Qt::AlignRight);
    label(s, QStringLiteral("分"), 2520, row + 2 * kRowHeight, 360);
    label(s, QStringLiteral("列車案内の表示件数"), 120, row + 3 * kRowHeight, 1680);
    box(s, first_box + 3, 1860, row + 3 * kRowHeight, 600)->setAlignment(Qt::AlignRight);
    label(s, QStringLiteral("（０：２時間後まで表示）"), 2520, row + 3 * kRowHeight, 2280);
  };
  // The Shinkansen first, as on the main window and in the Enter chain.
  line_frame("Frame5", QStringLiteral("新幹線の設定"), 60, 8,
             QStringLiteral("新幹線の下りの時刻表を表示"),
             QStringLiteral("新幹線の上りの時刻表を表示"), "Frame6", 5);
  line_frame("Frame1", QStringLiteral("京葉線の設定"), 60 + kLineFrameHeight + 60, 1,
             QStringLiteral("京葉線下りの時刻表を表示"), QStringLiteral("京葉線上りの時刻表を表示"),
             "Frame4", 1);

  QGroupBox* frame7 =
      frame(this, "Frame7", QStringLiteral("京葉線の表示"), kRightLeft, 60, kRightWidth, 1920);
  option(frame7, 10, QStringLiteral("京葉線の時刻表を表示する"), 300);
  option(frame7, 11, QStringLiteral("京葉線の時刻表を表示しない"), 600);
  auto* label15 = new QLabel(
      QStringLiteral("この設定を変更した場合（表示しない→表示する）、京葉線データ読み込みのために"
                     "再起動が必要です。　変更した場合はプログラムを終了します。"),
      frame7);
  label15->setObjectName(QStringLiteral("Label15"));
  label15->setWordWrap(true);
  label15->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label15->setGeometry(px(240), px(960), px(kRightWidth - 360), px(880));

  QGroupBox* frame3 = frame(this, "Frame3", QStringLiteral("利用者ホテル情報の登録・修正"),
                            kRightLeft, 2040, kRightWidth, 1320);
  option(frame3, 5, QStringLiteral("入力の都度，地域名順，地区名順に並び換えする"), 300);
  option(frame3, 6, QStringLiteral("格納時，地域名順，地区名順に並び換えする"), 600);
  option(frame3, 7, QStringLiteral("並び換えしない"), 900);

  QGroupBox* frame2 = frame(this, "Frame2", QStringLiteral("動作環境の退避"), kRightLeft, 3420,
                            kRightWidth, 1020);
  option(frame2, 3, QStringLiteral("終了時の動作環境を退避する"), 300);
  option(frame2, 4, QStringLiteral("終了時の動作環境を待避しない"), 600);

  // The message line: the checks write to it, the user does not.
  QLineEdit* text9 = box(this, 9, kRightLeft, 4560, kRightWidth);
  text9->setReadOnly(true);
  text9->setFocusPolicy(Qt::NoFocus);
  text9->setGeometry(px(kRightLeft), px(4560), px(kRightWidth), px(330));

  command1_ = new QPushButton(QStringLiteral("了解"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(px(kRightLeft + kRightWidth - 1440), px(5250), px(1440), px(450));
  command1_->setAutoDefault(true);
  connect(command1_, &QPushButton::clicked, this, &SettingsWindow::ok);

  auto* keys = new ui::KeyConventions(this);
  // Enter: Text5 -> Text6 -> Text7 -> Text8 -> Text1 -> Text2 -> Text3 -> Text4 -> 了解.
  const std::array<QWidget*, 9> next = {nullptr,  text_[2], text_[3], text_[4], command1_,
                                        text_[6], text_[7], text_[8], text_[1]};
  for (int k = 1; k <= 8; ++k) {
    keys->enter_checks(text_[k], [this, k] { return check(k); }, next[k]);
    keys->select_all_on_focus(text_[k]);
    keys->escape_closes(text_[k], [this] { end_proc(); });
  }
  for (int k = 1; k <= 11; ++k) keys->escape_closes(option_[k], [this] { end_proc(); });
  keys->escape_closes(command1_, [this] { end_proc(); });
  keys->double_click_runs(text_[1], [this] { open_station_picker(kPickKeiyoStation); });
  keys->double_click_runs(text_[5], [this] { open_station_picker(kPickSinkansenStation); });

  // Tab goes through the window as it reads: the Shinkansen frame, the Keiyo frame, then
  // the switches on the right and 了解.
  QWidget* const order[] = {option_[8], option_[9], text_[5], text_[6],  text_[7],  text_[8],
                            option_[1], option_[2], text_[1], text_[2],  text_[3],  text_[4],
                            option_[10], option_[11], option_[5], option_[6], option_[7],
                            option_[3], option_[4], command1_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    QWidget::setTabOrder(order[i], order[i + 1]);
}

void SettingsWindow::fill(const SettingsForm& form) {
  for (int k = 1; k <= 8; ++k) text_[k]->setText(QString::fromStdString(form.text[k]));
  option_[form.sinkansen_down ? 8 : 9]->setChecked(true);
  option_[form.keiyo_down ? 1 : 2]->setChecked(true);
  option_[form.store_at_exit ? 3 : 4]->setChecked(true);
  option_[form.hotel_sort == 1 ? 5 : form.hotel_sort == 2 ? 6 : 7]->setChecked(true);
  option_[form.keiyo_shown ? 10 : 11]->setChecked(true);
}

SettingsForm SettingsWindow::read_form() const {
  SettingsForm form;
  for (int k = 1; k <= 8; ++k) form.text[k] = text_[k]->text().toStdString();
  form.sinkansen_down = option_[8]->isChecked();
  form.keiyo_down = option_[1]->isChecked();
  form.store_at_exit = option_[3]->isChecked();
  form.hotel_sort = option_[5]->isChecked() ? 1 : option_[6]->isChecked() ? 2 : 0;
  form.keiyo_shown = option_[10]->isChecked();
  return form;
}

void SettingsWindow::show_form_texts(const SettingsForm& form) {
  for (int k = 1; k <= 8; ++k) ui::show_text(text_[k], form.text[k]);
}

void SettingsWindow::show_message(const std::optional<std::string>& message) {
  if (message) text_[9]->setText(QString::fromStdString(*message));
}

bool SettingsWindow::check(int box) {
  SettingsForm form = read_form();
  const FieldCheck c = check_box(state_.schedule, box, form);
  show_form_texts(form);
  show_message(c.message);
  return c.err_flg == 0;
}

void SettingsWindow::ok() {
  SettingsForm form = read_form();
  const OkResult r = apply_settings_form(state_.schedule, form, state_.settings);
  show_form_texts(form);
  show_message(r.message);
  if (r.failed_box != 0) {
    text_[r.failed_box]->setFocus(Qt::OtherFocusReason);
    return;
  }
  ui::store_position(this, state_.settings.pos(settings::kSettingsWindowId));
  if (r.keiyo_switched_on) {
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
  QLineEdit* target = text_[mode == kPickKeiyoStation ? 1 : 5];
  // One picker at a time: a second double-click asks again for the box just clicked.
  if (picker_) picker_->close();
  auto* picker = new StationPickerWindow(state_, mode, target, this);
  picker_ = picker;
  // Back in the box with the picked name, ready for Enter.
  connect(picker, &StationPickerWindow::picked, this, [this, target] {
    activateWindow();
    target->setFocus(Qt::OtherFocusReason);
  });
  ui::bring_forward(picker);
}

StationPickerWindow* SettingsWindow::station_picker() const { return picker_.data(); }

void SettingsWindow::closeEvent(QCloseEvent* event) {
  ui::store_position(this, state_.settings.pos(settings::kSettingsWindowId));
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::settings
