// SPDX-License-Identifier: MIT
#include "gui/search/search_window.h"

#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"
#include "search/station_hint.h"
#include "settings/station_picker.h"

#include <QCloseEvent>
#include <QCoreApplication>
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

// The text boxes of the window in the order the fields are checked and filled.
constexpr int kTextBoxes[] = {
    kDepartureStation, kDepartFromHour, kDepartFromMinute, kDepartToHour, kDepartToMinute,
    kArrivalStation,   kArriveFromHour, kArriveFromMinute, kArriveToHour, kArriveToMinute,
    kWaitMinutes,      kTravelYear,     kTravelMonth,      kTravelDay};

bool is_date_field(const std::string& field) {
  return field == "Text13" || field == "Text14" || field == "Text15";
}

QString box_name(int box) { return QStringLiteral("Text%1").arg(box); }

// The accessible names of a station frame's boxes: the station, then "<time> 開始 時",
// "<time> 開始 分", "<time> 終了 時", "<time> 終了 分".
struct StationNames {
  QString station;
  std::array<QString, 4> times;
};

QLabel* caption(const ui::TwipLayout& at, QWidget* parent, const QString& text, int left, int top,
                int width) {
  return at.label(parent, QString(), text, left, top, width, 300);
}

// A station frame with its boxes Text<first>..Text<first + 4>: the station, then the
// time window as hour "時" minute "分" "～" hour "時" minute "分".
SearchWindow::StationBoxes station_frame(const ui::TwipLayout& at, QGroupBox* frame, int first,
                                         const QString& station_caption,
                                         const QString& time_caption, const StationNames& names) {
  QLabel* station_label = caption(at, frame, station_caption, 150, 330, 1080);
  SearchWindow::StationBoxes boxes;
  boxes.station = at.box(frame, box_name(first), 1260, 300, 2700, 330);
  boxes.station->setAccessibleName(names.station);
  ui::name_by_label(station_label, boxes.station);
  QLabel* time_label = caption(at, frame, time_caption, 150, 660, 1080);
  constexpr int kTop = 630;
  QLineEdit* time_boxes[4];
  int left = 1260;
  for (int k = 0; k < 2; ++k) {
    time_boxes[2 * k] = at.number_box(frame, box_name(first + 1 + 2 * k), left, kTop, 480, 330);
    // The units are no buddies: each box's name says its unit.
    caption(at, frame, QCoreApplication::translate("ravolin::search::SearchWindow", "時"),
            left + 510, kTop + 30, 240);
    time_boxes[2 * k + 1] =
        at.number_box(frame, box_name(first + 2 + 2 * k), left + 780, kTop, 480, 330);
    // Wide enough for the English "min" up to the "～".
    caption(at, frame, QCoreApplication::translate("ravolin::search::SearchWindow", "分"),
            left + 1290, kTop + 30, 300);
    if (k == 0)
      caption(at, frame, QCoreApplication::translate("ravolin::search::SearchWindow", "～"),
              left + 1590, kTop + 30, 240);
    left += 1890;
  }
  for (int k = 0; k < 4; ++k) time_boxes[k]->setAccessibleName(names.times[k]);
  ui::name_by_label(time_label, time_boxes[0]);
  boxes.from_hour = time_boxes[0];
  boxes.from_minute = time_boxes[1];
  boxes.to_hour = time_boxes[2];
  boxes.to_minute = time_boxes[3];
  return boxes;
}

QRadioButton* option(const ui::TwipLayout& at, QWidget* frame, int i, const QString& text, int left,
                     int width) {
  return at.option(frame, QStringLiteral("Option%1").arg(i), text, left, 240, width, 300);
}

// The English refusal of a station box names the field and the nearest stations; the
// Japanese window keeps its 入力エラーです.
void show_station_refusal(const app::AppState& state, int box, QLineEdit* station,
                          QLineEdit* message_line) {
  const char* field = box == kDepartureStation ? "Departure station" : "Arrival station";
  message_line->setText(QString::fromStdString(station_refusal(
      state.schedule.sin, field, station->text().toStdString(), state.place_names)));
}

}  // namespace

SearchWindow::SearchWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin25"));
  ui::help_on_f1(this, state, 125);  // 新幹線検索の条件
  setWindowTitle(tr("新幹線の検索"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();
  fill_fields();
}

void SearchWindow::build_controls() {
  const ui::TwipLayout at(this);
  auto* search_frame =
      at.frame(this, QStringLiteral("Frame1"), tr("新幹線の検索"), 120, 60, 7080, 5280);
  search_frame->setAccessibleName(tr("新幹線の検索"));
  build_station_frames(at, search_frame);
  build_option_frames(at, search_frame);
  build_date_frame(at, search_frame);

  // The message line: the checks write to it, the user does not.
  message_line_ = at.box(this, box_name(kMessageLine), 120, 5430, 7080, 330);
  message_line_->setReadOnly(true);
  message_line_->setFocusPolicy(Qt::NoFocus);
  message_line_->setAccessibleName(tr("メッセージ"));

  build_commands(at);
  connect_keys();
  ui::tab_enters_options_at_chosen(this);
  setFixedSize(at.px(7320), at.px(6420));
}

void SearchWindow::build_station_frames(const ui::TwipLayout& at, QGroupBox* search_frame) {
  auto* departure_frame =
      at.frame(search_frame, QStringLiteral("Frame2"), tr("乗車条件"), 120, 300, 6840, 1020);
  departure_frame->setAccessibleName(tr("乗車条件"));
  departure_ = station_frame(at, departure_frame, kDepartureStation, tr("乗車駅"), tr("発車時刻"),
                             {tr("乗車駅"),
                              {tr("発車時刻 開始 時"), tr("発車時刻 開始 分"),
                               tr("発車時刻 終了 時"), tr("発車時刻 終了 分")}});
  auto* arrival_frame =
      at.frame(search_frame, QStringLiteral("Frame3"), tr("下車条件"), 120, 1380, 6840, 1020);
  arrival_frame->setAccessibleName(tr("下車条件"));
  arrival_ = station_frame(at, arrival_frame, kArrivalStation, tr("下車駅"), tr("到着時刻"),
                           {tr("下車駅"),
                            {tr("到着時刻 開始 時"), tr("到着時刻 開始 分"), tr("到着時刻 終了 時"),
                             tr("到着時刻 終了 分")}});
}

void SearchWindow::build_option_frames(const ui::TwipLayout& at, QGroupBox* search_frame) {
  auto* sort_frame = at.frame(search_frame, QStringLiteral("Frame4"), tr("検索結果の表示条件"), 120,
                              2460, 6840, 600);
  sort_frame->setAccessibleName(tr("検索結果の表示条件"));
  sort_by_departure_ = option(at, sort_frame, 1, tr("発車時刻順"), 150, 2000);
  sort_by_arrival_ = option(at, sort_frame, 2, tr("到着時刻順"), 2400, 2000);
  sort_by_ride_ = option(at, sort_frame, 3, tr("乗車時間順"), 4650, 2000);

  auto* transfer_wait_frame = at.frame(search_frame, QStringLiteral("Frame5"),
                                       tr("乗り換え時の条件"), 120, 3120, 3360, 600);
  transfer_wait_frame->setAccessibleName(tr("乗り換え時の条件"));
  QLabel* wait_label = caption(at, transfer_wait_frame, tr("待ち合わせ時間"), 150, 250, 1560);
  wait_minutes_ = at.number_box(transfer_wait_frame, box_name(kWaitMinutes), 1740, 220, 600, 330);
  wait_minutes_->setAccessibleName(tr("待ち合わせ時間"));
  ui::name_by_label(wait_label, wait_minutes_);
  caption(at, transfer_wait_frame, tr("分"), 2400, 250, 360);

  auto* transfer_count_frame =
      at.frame(search_frame, QStringLiteral("Frame6"), tr("乗り換え回数"), 3600, 3120, 3360, 600);
  transfer_count_frame->setAccessibleName(tr("乗り換え回数"));
  one_transfer_ = option(at, transfer_count_frame, 4, tr("１回"), 150, 1400);
  two_transfers_ = option(at, transfer_count_frame, 5, tr("２回"), 1650, 1400);
  one_transfer_->setAccessibleName(tr("乗り換え １回"));
  two_transfers_->setAccessibleName(tr("乗り換え ２回"));

  auto* combination_frame =
      at.frame(search_frame, QStringLiteral("Frame7"), tr("組み合わせ条件"), 120, 3780, 6840, 600);
  combination_frame->setAccessibleName(tr("組み合わせ条件"));
  one_per_train_ = option(at, combination_frame, 6, tr("１列車あたり１件"), 150, 3000);
  all_per_train_ = option(at, combination_frame, 7, tr("１列車あたり全件"), 3450, 3000);
}

void SearchWindow::build_date_frame(const ui::TwipLayout& at, QGroupBox* search_frame) {
  // The date row with its ｶﾚﾝﾀﾞｰ button lies wholly below the frame's caption and border.
  auto* travel_date_frame =
      at.frame(search_frame, QStringLiteral("Frame8"), tr("乗車予定日"), 120, 4440, 6840, 720);
  travel_date_frame->setAccessibleName(tr("乗車予定日"));
  constexpr int kTop = 300;
  QLabel* date_label = caption(at, travel_date_frame, tr("乗車予定日"), 150, kTop + 30, 1080);
  travel_year_ = at.number_box(travel_date_frame, box_name(kTravelYear), 1260, kTop, 720, 330);
  caption(at, travel_date_frame, tr("年"), 2010, kTop + 30, 240);
  travel_month_ = at.number_box(travel_date_frame, box_name(kTravelMonth), 2280, kTop, 480, 330);
  caption(at, travel_date_frame, tr("月"), 2790, kTop + 30, 240);
  travel_day_ = at.number_box(travel_date_frame, box_name(kTravelDay), 3060, kTop, 480, 330);
  caption(at, travel_date_frame, tr("日"), 3570, kTop + 30, 240);
  travel_year_->setAccessibleName(tr("乗車予定日 年"));
  travel_month_->setAccessibleName(tr("乗車予定日 月"));
  travel_day_->setAccessibleName(tr("乗車予定日 日"));
  ui::name_by_label(date_label, travel_year_);
  weekday_ =
      at.label(travel_date_frame, QStringLiteral("Label21"), QString(), 3870, kTop + 30, 900, 300);
  // The weekday goes with the date the boxes show, whoever writes them.
  for (QLineEdit* box : {travel_year_, travel_month_, travel_day_})
    connect(box, &QLineEdit::textChanged, this, [this] { show_weekday(); });
  calendar_button_ =
      at.button(travel_date_frame, QStringLiteral("Command3"), tr("ｶﾚﾝﾀﾞｰ"), 5100, kTop, 1560, 330);
  connect(calendar_button_, &QPushButton::clicked, this, &SearchWindow::open_calendar);
}

void SearchWindow::build_commands(const ui::TwipLayout& at) {
  // Enter on a button presses it (the Enter chain ends on 検索開始).
  search_button_ =
      at.button(this, QStringLiteral("Command1"), tr("検索開始"), 120, 5880, 2000, 420);
  exit_button_ = at.button(this, QStringLiteral("Command2"), tr("終了"), 5200, 5880, 2000, 420);
  connect(search_button_, &QPushButton::clicked, this, &SearchWindow::search_start);
  connect(exit_button_, &QPushButton::clicked, this, &SearchWindow::exit_button);
}

void SearchWindow::connect_keys() {
  const std::array<QLineEdit*, 16> boxes = form_boxes();
  auto* keys = new ui::KeyConventions(this);
  const auto close_on_escape = [&](QWidget* w) { keys->escape_closes(w, [this] { end_proc(); }); };
  for (int i : kTextBoxes) {
    close_on_escape(boxes[i]);
    keys->select_all_on_focus(boxes[i]);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{
           sort_by_departure_, sort_by_arrival_, sort_by_ride_, one_transfer_, two_transfers_,
           one_per_train_, all_per_train_, search_button_, exit_button_, calendar_button_})
    close_on_escape(w);
  // Enter: Text1 → … → Text11 → 検索開始, and Text13 → Text14 → Text15 → Text1.
  for (int i = kDepartureStation; i <= kWaitMinutes; ++i) {
    QWidget* next = i < kWaitMinutes ? static_cast<QWidget*>(boxes[i + 1]) : search_button_;
    keys->enter_checks(
        boxes[i], [this, i] { return enter_check(i); }, next);
  }
  keys->enter_checks(
      travel_year_, [this] { return enter_check(kTravelYear); }, travel_month_);
  keys->enter_checks(
      travel_month_, [this] { return enter_check(kTravelMonth); }, travel_day_);
  keys->enter_checks(
      travel_day_, [this] { return enter_check(kTravelDay); }, departure_.station);
  for (const auto& [box, mode] : {std::pair{departure_.station, kPickerBoarding},
                                  std::pair{arrival_.station, kPickerAlighting}}) {
    keys->double_click_runs(box, [this, mode = mode] { open_station_picker(mode); });
    keys->picker_keys(box, [this, mode = mode] { open_station_picker(mode); });
    box->setAccessibleDescription(tr("F4、Alt+↓ またはダブルクリックで駅の一覧から選べます"));
  }
  keys->options_in_a_row({sort_by_departure_, sort_by_arrival_, sort_by_ride_});
  keys->options_in_a_row({one_transfer_, two_transfers_});
  keys->options_in_a_row({one_per_train_, all_per_train_});
}

std::array<QLineEdit*, 16> SearchWindow::form_boxes() const {
  return {nullptr,
          departure_.station,
          departure_.from_hour,
          departure_.from_minute,
          departure_.to_hour,
          departure_.to_minute,
          arrival_.station,
          arrival_.from_hour,
          arrival_.from_minute,
          arrival_.to_hour,
          arrival_.to_minute,
          wait_minutes_,
          message_line_,
          travel_year_,
          travel_month_,
          travel_day_};
}

void SearchWindow::fill_fields() {
  ui::place_window(this, state_.settings.pos(settings::kSearchWindowId));
  sort_by_ride_->setChecked(true);
  one_transfer_->setChecked(true);
  const FormFill fill = fill_conditions_form(state_.settings, state_.search_conditions.sort_order,
                                             state_.search_date, state_.clock().now());
  write_form(fill.form);
  message_line_->clear();
  weekday_->setText(QString::fromStdString(fill.weekday));
  if (state_.english()) show_weekday();
  departure_.station->setFocus();
}

ConditionForm SearchWindow::read_form() const {
  ConditionForm f;
  const std::array<QLineEdit*, 16> boxes = form_boxes();
  for (int i = 1; i <= kTravelDay; ++i) f.text[i] = boxes[i]->text().toStdString();
  // A station may be typed in English as well as in Japanese.
  for (int i : {kDepartureStation, kArrivalStation})
    f.text[i] = state_.place_names.japanese_of(f.text[i]);
  f.sort_option = sort_by_departure_->isChecked() ? 1 : sort_by_arrival_->isChecked() ? 2 : 3;
  f.two_transfers = two_transfers_->isChecked();
  f.one_per_train = one_per_train_->isChecked();
  return f;
}

void SearchWindow::write_form(const ConditionForm& f) {
  const std::array<QLineEdit*, 16> boxes = form_boxes();
  for (int i = 1; i <= kTravelDay; ++i) {
    const bool station = i == kDepartureStation || i == kArrivalStation;
    ui::show_text(boxes[i],
                  station ? state_.place_names.shown(f.text[i], state_.language) : f.text[i]);
  }
  (f.sort_option == 1   ? sort_by_departure_
   : f.sort_option == 2 ? sort_by_arrival_
                        : sort_by_ride_)
      ->setChecked(true);
  (f.two_transfers ? two_transfers_ : one_transfer_)->setChecked(true);
  (f.one_per_train ? one_per_train_ : all_per_train_)->setChecked(true);
}

void SearchWindow::show_message(const std::string& message) {
  message_line_->setText(QString::fromStdString(check_message(message, state_.language)));
}

void SearchWindow::announce_refusal(QWidget* field, const std::optional<std::string>& message) {
  // The refusal's own message; without one (the message line may still show an older
  // one) it is spoken as an input error.
  const std::string own = message && !message->empty() ? *message : kMsgInputError;
  ui::announce_refusal(field, QString::fromStdString(check_message(own, state_.language)));
}

void SearchWindow::show_weekday() {
  weekday_->setText(QString::fromStdString(
      weekday_label(travel_year_->text().toStdString(), travel_month_->text().toStdString(),
                    travel_day_->text().toStdString(), state_.language)));
}

bool SearchWindow::enter_check(int box) {
  ConditionForm f = read_form();
  // The date checks work on a copy: the search date changes only when a search starts.
  calendar::SearchDate date = state_.search_date;
  const auto check = [&](int b) {
    return check_form_box(state_.schedule.sin, state_.clock().now().year, b, f, date);
  };
  if (box == kTravelDay) {
    // The length of the month needs the year and the month: a refused one of those
    // takes the focus instead.
    for (int earlier : {kTravelYear, kTravelMonth}) {
      const FieldCheck refused = check(earlier);
      if (refused.err_flg != 0) {
        form_boxes()[earlier]->setFocus(Qt::OtherFocusReason);
        announce_refusal(form_boxes()[earlier], refused.message);
        return false;
      }
    }
  }
  const FieldCheck c = check(box);
  write_form(f);
  if (c.message) show_message(*c.message);
  if (c.err_flg == 0) return true;
  if (state_.english() && (box == kDepartureStation || box == kArrivalStation) &&
      c.message == kMsgInputError)
    show_station_refusal(state_, box, form_boxes()[box], message_line_);
  announce_refusal(form_boxes()[box], c.message);
  if (box == kDepartureStation) open_station_picker(kPickerBoarding);
  if (box == kArrivalStation) open_station_picker(kPickerAlighting);
  return false;
}

void SearchWindow::search_start() {
  ConditionForm form = read_form();
  // The checks start from the stored conditions and date: what they reach is replaced.
  SearchRequest request{state_.search_conditions, state_.search_date, {}};
  const StartResult r =
      search::search_start(state_.schedule.sin, state_.edition_code(), state_.clock().now().year,
                           state_.settings.holidays, form, request);
  write_form(form);
  show_message(form.text[kMessageLine]);

  // The sort order and the date's year, month and day are stored as their steps run,
  // even when a later field is refused.
  if (r.err_flg == 0 || is_date_field(r.field))
    state_.search_conditions.sort_order = request.cond.sort_order;
  state_.search_date.year = request.date.year;
  state_.search_date.month = request.date.month;
  state_.search_date.day = request.date.day;
  if (r.err_flg != 0) {
    if (auto* field = findChild<QLineEdit*>(QString::fromStdString(r.field))) {
      for (int box : {kDepartureStation, kArrivalStation})
        if (state_.english() && field == form_boxes()[box] &&
            form.text[kMessageLine] == kMsgInputError)
          show_station_refusal(state_, box, field, message_line_);
      field->setFocus(Qt::OtherFocusReason);
      announce_refusal(field, r.message);
    }
    return;
  }
  if (!store_conditions(form, request, r.confirm_two_transfers)) return;

  ui::store_position(this, state_.settings.pos(settings::kSearchWindowId));
  // Out of the way while the results window searches; closed once it has.
  hide();
  QPointer<SearchWindow> self(this);
  if (ways_.start_search) ways_.start_search();
  if (self) close();
}

bool SearchWindow::store_conditions(const ConditionForm& form, SearchRequest request, bool ask) {
  // Stored up to the question about two transfers; the combination only once it is
  // answered, in the conditions and in the settings alike.
  state_.search_date = request.date;
  state_.search_day_flags = request.flags;
  state_.search_conditions = request.cond;
  SearchConditions kept = request.cond;
  kept.combination_number = saved_conditions(state_.settings).combination_number;
  save_conditions(kept, state_.settings);

  if (ask && state_.messages().confirm(this, check_message(kMsgTwoTransfers, state_.language),
                                       kHelpTwoTransfers) == ui::MessageAnswer::Cancel)
    return false;

  store_combination(form, request.cond);
  state_.search_conditions = request.cond;
  save_conditions(request.cond, state_.settings);
  return true;
}

void SearchWindow::exit_button() {
  ui::store_position(this, state_.settings.pos(settings::kSearchWindowId));
  if (ways_.back_to_board) ways_.back_to_board();
  close();
}

void SearchWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kSearchWindowId));
  close();
}

void SearchWindow::open_station_picker(int mode) {
  QLineEdit* target = mode == kPickerBoarding ? departure_.station : arrival_.station;
  // One picker at a time: a new one replaces one still open for the other box.
  if (picker_) picker_->close();
  if (!ways_.open_station_picker) return;
  picker_ =
      ways_.open_station_picker(mode, target, [target] { target->setFocus(Qt::OtherFocusReason); });
}

void SearchWindow::open_calendar() {
  if (calendar_) {  // one calendar: bring it forward
    ui::bring_forward(calendar_);
    return;
  }
  if (!ways_.open_calendar) return;
  calendar_ = ways_.open_calendar({.year = travel_year_,
                                   .month = travel_month_,
                                   .day = travel_day_,
                                   // English: the boxes' own weekday, in English.
                                   .weekday = state_.english() ? nullptr : weekday_,
                                   .focus_after_pick = departure_.station,
                                   .focus_after_close = departure_.from_minute});
}

void SearchWindow::closeEvent(QCloseEvent* event) {
  if (picker_) picker_->close();
  if (calendar_) calendar_->close();
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::search
