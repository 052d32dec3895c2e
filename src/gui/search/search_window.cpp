#include "gui/search/search_window.h"

#include "gui/calendar/calendar_window.h"
#include "settings/station_picker.h"
#include "gui/settings/station_picker_window.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace ravolin::search {

namespace {

constexpr int kHelpTwoTransfers = 258;
constexpr int kPickerBoarding = settings::kPickBoardingStation;
constexpr int kPickerAlighting = settings::kPickAlightingStation;

// Text boxes of the window in the order the fields are checked and filled.
constexpr int kTextBoxes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15};

bool is_date_field(const std::string& field) {
  return field == "Text13" || field == "Text14" || field == "Text15";
}

}  // namespace

SearchWindow::SearchWindow(app::AppState& state, Routes routes, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), routes_(std::move(routes)) {
  setObjectName(QStringLiteral("ravolin25"));
  setWindowTitle(QStringLiteral("新幹線の検索"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();
  set_form1();
}

void SearchWindow::build_controls() {
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  const auto label = [&](QWidget* parent, const QString& caption, int left, int top, int width,
                         const char* name = nullptr) {
    auto* l = new QLabel(caption, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(px(left), px(top), px(width), px(300));
    return l;
  };
  const auto box = [&](QWidget* parent, int i, int left, int top, int width) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(QStringLiteral("Text%1").arg(i));
    t->setGeometry(px(left), px(top), px(width), px(330));
    text_[i] = t;
    return t;
  };
  const auto frame = [&](QWidget* parent, const char* name, const QString& caption, int left,
                         int top, int width, int height) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(px(left), px(top), px(width), px(height));
    return f;
  };
  const auto option = [&](QWidget* parent, int i, const QString& caption, int left, int width) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(QStringLiteral("Option%1").arg(i));
    o->setGeometry(px(left), px(240), px(width), px(300));
    option_[i] = o;
    return o;
  };
  // Number boxes take keys directly, with the input method off (digits typed in
  // full width would not be numbers to the checks).
  const auto number_box = [&](QWidget* parent, int i, int left, int top, int width) {
    QLineEdit* t = box(parent, i, left, top, width);
    t->setAttribute(Qt::WA_InputMethodEnabled, false);
    t->setInputMethodHints(Qt::ImhDigitsOnly);
    return t;
  };
  // One row of a time window: hour "時" minute "分" "～" hour "時" minute "分".
  const auto time_row = [&](QWidget* parent, int first, int top) {
    int left = 1260;
    for (int k = 0; k < 2; ++k) {
      number_box(parent, first + 2 * k, left, top, 480);
      label(parent, QStringLiteral("時"), left + 510, top + 30, 240);
      number_box(parent, first + 2 * k + 1, left + 780, top, 480);
      label(parent, QStringLiteral("分"), left + 1290, top + 30, 240);
      if (k == 0) label(parent, QStringLiteral("～"), left + 1590, top + 30, 240);
      left += 1890;
    }
  };

  auto* frame1 = frame(this, "Frame1", QStringLiteral("新幹線の検索"), 120, 60, 7080, 5280);

  auto* frame2 = frame(frame1, "Frame2", QStringLiteral("乗車条件"), 120, 300, 6840, 1020);
  label(frame2, QStringLiteral("乗車駅"), 150, 330, 1080);
  box(frame2, 1, 1260, 300, 2700);
  label(frame2, QStringLiteral("発車時刻"), 150, 660, 1080);
  time_row(frame2, 2, 630);

  auto* frame3 = frame(frame1, "Frame3", QStringLiteral("下車条件"), 120, 1380, 6840, 1020);
  label(frame3, QStringLiteral("下車駅"), 150, 330, 1080);
  box(frame3, 6, 1260, 300, 2700);
  label(frame3, QStringLiteral("到着時刻"), 150, 660, 1080);
  time_row(frame3, 7, 630);

  auto* frame4 = frame(frame1, "Frame4", QStringLiteral("検索結果の表示条件"), 120, 2460, 6840, 600);
  option(frame4, 1, QStringLiteral("発車時刻順"), 150, 2000);
  option(frame4, 2, QStringLiteral("到着時刻順"), 2400, 2000);
  option(frame4, 3, QStringLiteral("乗車時間順"), 4650, 2000);

  auto* frame5 = frame(frame1, "Frame5", QStringLiteral("乗り換え時の条件"), 120, 3120, 3360, 600);
  label(frame5, QStringLiteral("待ち合わせ時間"), 150, 250, 1560);
  number_box(frame5, 11, 1740, 220, 600);
  label(frame5, QStringLiteral("分"), 2400, 250, 240);

  auto* frame6 = frame(frame1, "Frame6", QStringLiteral("乗り換え回数"), 3600, 3120, 3360, 600);
  option(frame6, 4, QStringLiteral("１回"), 150, 1400);
  option(frame6, 5, QStringLiteral("２回"), 1650, 1400);

  auto* frame7 = frame(frame1, "Frame7", QStringLiteral("組み合わせ条件"), 120, 3780, 6840, 600);
  option(frame7, 6, QStringLiteral("１列車あたり１件"), 150, 3000);
  option(frame7, 7, QStringLiteral("１列車あたり全件"), 3450, 3000);

  // The date row with its ｶﾚﾝﾀﾞｰ button lies wholly below the frame's caption and border.
  auto* frame8 = frame(frame1, "Frame8", QStringLiteral("乗車予定日"), 120, 4440, 6840, 720);
  constexpr int kDateRowTop = 300;
  label(frame8, QStringLiteral("乗車予定日"), 150, kDateRowTop + 30, 1080);
  number_box(frame8, 13, 1260, kDateRowTop, 720);
  label(frame8, QStringLiteral("年"), 2010, kDateRowTop + 30, 240);
  number_box(frame8, 14, 2280, kDateRowTop, 480);
  label(frame8, QStringLiteral("月"), 2790, kDateRowTop + 30, 240);
  number_box(frame8, 15, 3060, kDateRowTop, 480);
  label(frame8, QStringLiteral("日"), 3570, kDateRowTop + 30, 240);
  label21_ = label(frame8, QString(), 3870, kDateRowTop + 30, 900, "Label21");
  // The weekday goes with the date the boxes show, whoever writes them.
  for (int i : {13, 14, 15})
    connect(text_[i], &QLineEdit::textChanged, this, [this] { show_weekday(); });
  command3_ = new QPushButton(QStringLiteral("ｶﾚﾝﾀﾞｰ"), frame8);
  command3_->setObjectName(QStringLiteral("Command3"));
  command3_->setGeometry(px(5100), px(kDateRowTop), px(1560), px(330));

  // The message line: the checks write to it, the user does not.
  auto* text12 = new QLineEdit(this);
  text12->setObjectName(QStringLiteral("Text12"));
  text12->setGeometry(px(120), px(5430), px(7080), px(330));
  text12->setReadOnly(true);
  text12->setFocusPolicy(Qt::NoFocus);
  text_[12] = text12;

  command1_ = new QPushButton(QStringLiteral("検索開始"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(px(120), px(5880), px(2000), px(420));
  command2_ = new QPushButton(QStringLiteral("終了"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setGeometry(px(5200), px(5880), px(2000), px(420));
  connect(command1_, &QPushButton::clicked, this, &SearchWindow::search_start);
  connect(command2_, &QPushButton::clicked, this, &SearchWindow::exit_button);
  connect(command3_, &QPushButton::clicked, this, &SearchWindow::open_calendar);

  // Enter on a button presses it (the Enter chain ends on 検索開始).
  for (QPushButton* b : {command1_, command2_, command3_}) b->setAutoDefault(true);

  auto* keys = new ui::KeyConventions(this);
  for (int i : kTextBoxes) {
    keys->escape_closes(text_[i], [this] { end_proc(); });
    keys->select_all_on_focus(text_[i]);
  }
  for (int i = 1; i <= 7; ++i) keys->escape_closes(option_[i], [this] { end_proc(); });
  for (QPushButton* b : {command1_, command2_, command3_})
    keys->escape_closes(b, [this] { end_proc(); });
  // Enter: Text1 → … → Text11 → 検索開始, and Text13 → Text14 → Text15 → Text1.
  for (int i = 1; i <= 11; ++i) {
    QWidget* next = i < 11 ? static_cast<QWidget*>(text_[i + 1]) : command1_;
    keys->enter_checks(text_[i], [this, i] { return enter_check(i); }, next);
  }
  keys->enter_checks(text_[13], [this] { return enter_check(13); }, text_[14]);
  keys->enter_checks(text_[14], [this] { return enter_check(14); }, text_[15]);
  keys->enter_checks(text_[15], [this] { return enter_check(15); }, text_[1]);
  keys->double_click_runs(text_[1], [this] { open_station_picker(kPickerBoarding); });
  keys->double_click_runs(text_[6], [this] { open_station_picker(kPickerAlighting); });

  setFixedSize(px(7320), px(6420));
}

void SearchWindow::set_form1() {
  ui::place_window(this, state_.settings.pos(settings::kSearchWindowId));
  option_[3]->setChecked(true);
  option_[4]->setChecked(true);
  const FormFill fill = search::set_form1(state_.settings, state_.search_conditions.sort_order,
                                          state_.search_date, state_.clock().now());
  write_form(fill.form);
  text_[12]->clear();
  label21_->setText(QString::fromStdString(fill.label21));
  text_[1]->setFocus();
}

ConditionForm SearchWindow::read_form() const {
  ConditionForm f;
  for (int i = 1; i <= 15; ++i) f.text[i] = text_[i]->text().toStdString();
  f.sort_option = option_[1]->isChecked() ? 1 : option_[2]->isChecked() ? 2 : 3;
  f.two_transfers = option_[5]->isChecked();
  f.one_per_train = option_[6]->isChecked();
  return f;
}

void SearchWindow::write_form(const ConditionForm& f) {
  for (int i = 1; i <= 15; ++i) ui::show_text(text_[i], f.text[i]);
  option_[f.sort_option == 1 ? 1 : f.sort_option == 2 ? 2 : 3]->setChecked(true);
  option_[f.two_transfers ? 5 : 4]->setChecked(true);
  option_[f.one_per_train ? 6 : 7]->setChecked(true);
}

void SearchWindow::show_weekday() {
  label21_->setText(QString::fromStdString(weekday_label(
      text_[13]->text().toStdString(), text_[14]->text().toStdString(),
      text_[15]->text().toStdString())));
}

bool SearchWindow::enter_check(int i) {
  ConditionForm f = read_form();
  auto& t = f.text;
  const auto& sin = state_.schedule.sin;
  // The date checks work on a copy: the search date changes only when a search starts.
  calendar::SearchDate date = state_.search_date;
  const int system_year = state_.clock().now().year;
  CheckResult c;
  switch (i) {
    case 1: c = chk_text1(sin, t[1]); break;
    case 2: c = chk_text2(t[2]); break;
    case 3: c = chk_text3(t[3]); break;
    case 4: c = chk_text4(t[4]); break;
    case 5: c = chk_text5(t[2], t[3], t[4], t[5]); break;
    case 6: c = chk_text6(sin, t[1], t[6]); break;
    case 7: c = chk_text7(t[7]); break;
    case 8: c = chk_text8(t[8]); break;
    case 9: c = chk_text9(t[9]); break;
    case 10: c = chk_text10(t[7], t[8], t[9], t[10]); break;
    case 11: c = chk_text11(t[11]); break;
    case 13: c = chk_text13(t[13], system_year, date); break;
    case 14: c = chk_text14(t[14], date); break;
    case 15: {
      // The length of the month needs the year and the month: a refused one of those
      // takes the focus instead.
      for (int k : {13, 14}) {
        const CheckResult earlier = k == 13 ? chk_text13(t[13], system_year, date)
                                            : chk_text14(t[14], date);
        if (earlier.err_flg != 0) {
          text_[k]->setFocus(Qt::OtherFocusReason);
          return false;
        }
      }
      c = chk_text15(t[15], date);
      break;
    }
    default: return true;
  }
  write_form(f);
  if (c.message) text_[12]->setText(QString::fromStdString(*c.message));
  if (c.err_flg == 0) return true;
  if (i == 1) open_station_picker(kPickerBoarding);
  if (i == 6) open_station_picker(kPickerAlighting);
  return false;
}

void SearchWindow::search_start() {
  ConditionForm form = read_form();
  StoredConditions stored;
  stored.date = state_.search_date;
  const StartResult r = search::search_start(state_.schedule.sin, state_.edition_code(),
                                             state_.clock().now().year, state_.settings.holidays,
                                             form, stored);
  write_form(form);
  text_[12]->setText(QString::fromStdString(form.text[12]));

  auto& cond = state_.search_conditions;
  // The sort order and the date's year, month and day are stored as their steps run,
  // even when a later field is refused.
  if (r.err_flg == 0 || is_date_field(r.field)) cond.sort_order = stored.sort_order;
  state_.search_date.year = stored.date.year;
  state_.search_date.month = stored.date.month;
  state_.search_date.day = stored.date.day;
  if (r.err_flg != 0) {
    if (auto* field = findChild<QLineEdit*>(QString::fromStdString(r.field)))
      field->setFocus(Qt::OtherFocusReason);
    return;
  }

  state_.search_date = stored.date;
  state_.search_day_flags = stored.flags;
  store_journey(stored, cond);
  auto& s = state_.settings;
  s.st_station = stored.st_station;
  s.ed_station = stored.ed_station;
  s.st_time1 = static_cast<std::int16_t>(stored.st_time1);
  s.st_time2 = static_cast<std::int16_t>(stored.st_time2);
  s.ed_time1 = static_cast<std::int16_t>(stored.ed_time1);
  s.ed_time2 = static_cast<std::int16_t>(stored.ed_time2);
  s.wait_time = static_cast<std::int16_t>(stored.wait_time);
  s.wait_count = static_cast<std::int16_t>(stored.wait_count);

  if (r.confirm_two_transfers &&
      state_.messages().confirm(this, kMsgTwoTransfers, kHelpTwoTransfers) ==
          ui::MessageAnswer::Cancel)
    return;

  store_combination(form, stored);
  cond.combination_number = stored.combination_number;
  s.combination_number = static_cast<std::int16_t>(stored.combination_number);

  ui::store_position(this, state_.settings.pos(settings::kSearchWindowId));
  // Out of the way while the results window searches; closed once it has.
  hide();
  QPointer<SearchWindow> self(this);
  if (routes_.open_results) routes_.open_results();
  if (self) close();
}

void SearchWindow::exit_button() {
  ui::store_position(this, state_.settings.pos(settings::kSearchWindowId));
  if (routes_.show_main) routes_.show_main();
  close();
}

void SearchWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kSearchWindowId));
  close();
}

void SearchWindow::open_station_picker(int mode) {
  QLineEdit* target = mode == kPickerBoarding ? text_[1] : text_[6];
  // One picker at a time: a new one replaces one still open for the other box.
  if (picker_) picker_->close();
  auto* picker = new settings::StationPickerWindow(state_, mode, target, this);
  connect(picker, &settings::StationPickerWindow::picked, this,
          [target] { target->setFocus(Qt::OtherFocusReason); });
  picker_ = picker;
  ui::bring_forward(picker);
}

void SearchWindow::open_calendar() {
  if (calendar_) {  // one calendar: bring it forward
    ui::bring_forward(calendar_);
    return;
  }
  calendar::CalendarWindow::Targets t;
  t.year = text_[13];
  t.month = text_[14];
  t.day = text_[15];
  t.weekday = label21_;
  t.focus_after_pick = text_[1];
  t.focus_after_close = text_[3];
  auto* w = new calendar::CalendarWindow(state_, t, this);
  calendar_ = w;
  ui::bring_forward(w);
}

void SearchWindow::closeEvent(QCloseEvent* event) {
  if (picker_) picker_->close();
  if (calendar_) calendar_->close();
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::search
