// SPDX-License-Identifier: MIT
#include "gui/hotels/hotel_edit_window.h"

#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ravolin::hotels {
namespace {

struct FieldLook {
  HotelField field;
  const char* control;
  const char* label;
  const char* name;  // what the box is, for a screen reader
  const char* hint;
  const char* example;
  bool japanese;  // the input method stays on (hiragana); off for numbers and phones
};

// In the window's order, top to bottom.
const FieldLook kFields[] = {
    {HotelField::Area, "Text9",
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "地域名　　："),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "地域名"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "地域名を選択して下さい"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "入力例：大阪／伊丹"), true},
    {HotelField::District, "Text1",
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "地区名　　："),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "地区名"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow",
                       "地区名を入力して下さい(日本語6文字以内)"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "入力例：京橋"), true},
    {HotelField::Name, "Text2",
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "ホテル名　："),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "ホテル名"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow",
                       "ホテル名を入力して下さい(日本語16文字以内)"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "入力例：ラボリンホテル"), true},
    {HotelField::Phone, "Text3",
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "電話番号　："),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "電話番号"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow",
                       "電話番号を入力して下さい(カナ12文字以内)"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "入力例：012-345-6789"), false},
    {HotelField::Rooms, "Text4",
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "部屋数　　："),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "部屋数"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "部屋数を入力して下さい(数字4文字以内)"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "入力例：123"), false},
    {HotelField::Access, "Text5",
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "交通　　　："),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "交通"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow",
                       "交通を入力して下さい(日本語12文字以内)"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "入力例：京橋駅徒歩１０分"), true},
    {HotelField::Price, "Text6",
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "部屋代　　："),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "部屋代"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow",
                       "部屋代を入力して下さい(\\付きで数字8文字以内)"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "入力例：\\10,000"), false},
    {HotelField::Remarks, "Text7",
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "備考　　　："),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "備考"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "備考を入力して下さい(日本語8文字以内)"),
     QT_TRANSLATE_NOOP("ravolin::hotels::HotelEditWindow", "入力例：○"), true},
};

const FieldLook& look_of(HotelField f) {
  for (const FieldLook& l : kFields)
    if (l.field == f) return l;
  return kFields[0];
}

}  // namespace

HotelEditWindow::HotelEditWindow(app::AppState& state, const UserRegistry& registry, int index,
                                 Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      registry_(registry),
      index_(index),
      ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin14"));
  ui::help_on_f1(this, state, 114);  // ホテル情報の入力
  setWindowTitle(tr("ラボリン＆ホテル情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const ui::TwipLayout layout(this);

  auto* frame = layout.frame(this, QStringLiteral("Frame1"), tr("ホテル情報"), 120, 60, 6720, 4860);
  mode_label_ = layout.label(frame, QStringLiteral("Label10"), QString(), 4920, 240, 1560, 300);
  mode_label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  build_fields(frame);
  build_buttons(frame);
  connect_keys();

  setFixedSize(layout.px(6960), layout.px(5580));
  ui::place_window(this, state.settings.pos(settings::kHotelEditWindowId));

  mode_label_->clear();
  if (add_mode()) {
    mode_label_->setText(tr("追加モード"));
    store_as_new_button_->setEnabled(false);
    const std::string& recent = state.settings.arrival_ground[1];
    box(HotelField::Area)
        ->setText(QString::fromStdString(
            state.place_names.shown(recent.empty() ? "東京／羽田" : recent, state.language)));
  } else {
    mode_label_->setText(tr("修正モード"));
    show_fields(fields_of(registry.entries()[static_cast<std::size_t>(index)]));
  }
  box(HotelField::Area)->setFocus();
  show_hint(HotelField::Area);
}

void HotelEditWindow::build_fields(QWidget* frame) {
  const ui::TwipLayout layout(this);
  int row = 0;
  for (const FieldLook& l : kFields) {
    const int top = 600 + row * 420;
    auto* label = layout.label(frame, QStringLiteral("Label%1").arg(row + 1), tr(l.label), 180, top,
                               1320, 330);
    auto* box = layout.box(frame, QLatin1String(l.control), 1500, top,
                           l.field == HotelField::Area ? 2640 : 3120, 330);
    box->setAccessibleName(tr(l.name));
    ui::name_by_label(label, box);
    box->setAccessibleDescription(tr(l.hint) + QLatin1Char('\n') + tr(l.example));
    if (!l.japanese) {
      box->setAttribute(Qt::WA_InputMethodEnabled, false);
      box->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
    }
    box->installEventFilter(this);
    boxes_[static_cast<std::size_t>(l.field)] = box;
    ++row;
  }
  const int message_top = 600 + row * 420;
  auto* message_label = layout.label(frame, QStringLiteral("Label9"), tr("メッセージ："), 180,
                                     message_top, 1320, 330);
  message_box_ = layout.place(new QPlainTextEdit(frame), QStringLiteral("Text8"), 1500, message_top,
                              5040, 720);
  message_box_->setAccessibleName(tr("メッセージ"));
  ui::name_by_label(message_label, message_box_);
  message_box_->setReadOnly(true);
  message_box_->setFocusPolicy(Qt::NoFocus);
  message_box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void HotelEditWindow::build_buttons(QWidget* frame) {
  const ui::TwipLayout layout(this);
  picker_button_ = layout.place(new QPushButton(QStringLiteral("?"), frame),
                                QStringLiteral("Command4"), 4200, 600, 420, 330);
  picker_button_->setVisible(false);
  picker_button_->setAccessibleName(tr("地域名の選択"));
  connect(picker_button_, &QPushButton::clicked, this, &HotelEditWindow::open_picker);
  setTabOrder(box(HotelField::Area), picker_button_);  // "?" right after the area field
  setTabOrder(picker_button_, box(HotelField::District));

  const auto button = [&](const char* name, const QString& caption, int left) {
    return layout.button(this, QLatin1String(name), caption, left, 5040, 1500, 420);
  };
  store_button_ = button("Command1", tr("更新"), 1980);
  store_as_new_button_ = button("Command3", tr("追加更新"), 3660);
  cancel_button_ = button("Command2", tr("取消"), 5340);
  connect(store_button_, &QPushButton::clicked, this, &HotelEditWindow::store);
  connect(store_as_new_button_, &QPushButton::clicked, this, &HotelEditWindow::store_as_new);
  connect(cancel_button_, &QPushButton::clicked, this, &HotelEditWindow::cancel);
}

void HotelEditWindow::connect_keys() {
  auto* keys = new ui::KeyConventions(this);
  // Enter checks the field and moves on; the remarks lead to 更新.
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    const HotelField f = kFields[i].field;
    QWidget* next = i + 1 < std::size(kFields) ? static_cast<QWidget*>(box(kFields[i + 1].field))
                                               : static_cast<QWidget*>(store_button_);
    keys->select_all_on_focus(box(f));
    keys->enter_checks(
        box(f), [this, f] { return check_on_enter(f); }, next);
    keys->escape_closes(box(f), [this] { escape(); });
  }
  for (QPushButton* b : {store_button_, cancel_button_, store_as_new_button_, picker_button_}) {
    keys->escape_closes(b, [this] { escape(); });
    b->installEventFilter(this);
  }
}

void HotelEditWindow::show_hint(HotelField f) {
  const FieldLook& l = look_of(f);
  message((tr(l.hint) + QStringLiteral("\r\n") + tr(l.example)).toStdString());
  hint_field_ = static_cast<int>(f);
  // "?" belongs to the area field; it stays while the focus goes to "?" itself.
  picker_button_->setVisible(f == HotelField::Area);
}

void HotelEditWindow::focus_arrived(QObject* control) {
  for (const FieldLook& l : kFields) {
    if (control != box(l.field)) continue;
    // A field that the focus comes back to with its hint or its refusal still standing
    // (the window was in the background) keeps the message.
    if (hint_field_ != static_cast<int>(l.field)) show_hint(l.field);
    picker_button_->setVisible(l.field == HotelField::Area);
    return;
  }
  // A button: the next field the focus comes to writes its hint again.
  hint_field_ = -1;
  if (control != picker_button_) picker_button_->setVisible(false);
}

HotelFields HotelEditWindow::read_fields() const {
  HotelFields f;
  for (const FieldLook& l : kFields) f[l.field] = box(l.field)->text().toStdString();
  // An area chosen or typed by its English name is stored by the name in the data, and so
  // is a district typed in English by the name of one in the data ("Umeda": 梅田).
  f.area = state_.place_names.japanese_of(f.area);
  if (state_.english()) f.district = state_.place_names.japanese_of(f.district);
  return f;
}

void HotelEditWindow::show_fields(const HotelFields& f) {
  for (const FieldLook& l : kFields) {
    const bool place = l.field == HotelField::Area || l.field == HotelField::District;
    ui::show_text(box(l.field),
                  place ? state_.place_names.shown(f[l.field], state_.language) : f[l.field]);
  }
}

void HotelEditWindow::message(const std::string& text) {
  message_box_->setPlainText(ui::text_box_text(text));
}

bool HotelEditWindow::check_on_enter(HotelField f) {
  HotelFields fields = read_fields();
  const auto error = check_field(f, fields, state_.schedule.areas, state_.language);
  show_fields(fields);
  if (error) {
    message(*error);
    ui::announce_refusal(box(f), QString::fromStdString(*error));
    return false;
  }
  return true;
}

void HotelEditWindow::store() { store_entry(false); }
void HotelEditWindow::store_as_new() { store_entry(true); }

void HotelEditWindow::store_entry(bool as_new) {
  HotelFields fields = read_fields();
  const auto error = check_fields(fields, state_.schedule.areas, state_.language);
  show_fields(fields);
  if (error) {
    // The focus goes to the field, with its hint and "?" as any focus brings them (also
    // before the window has the keyboard again); then the refusal stands in the message.
    box(error->field)->setFocus(Qt::OtherFocusReason);
    focus_arrived(box(error->field));
    message(error->message);
    ui::announce_refusal(box(error->field), QString::fromStdString(error->message));
    return;
  }
  const bool adding = add_mode() || as_new;
  if (adding && registry_.full()) {
    message(full_table_message(registry_.capacity(), state_.language));
    return;
  }
  const QString question = adding ? tr("追加しますよ！！") : tr("更新しますよ！！");
  if (state_.messages().confirm(this, question.toStdString(), adding ? 253 : 252) !=
      ui::MessageAnswer::Ok)
    return;
  if (adding) {
    if (ways_.add_entry) ways_.add_entry(entry_of(fields));
  } else if (ways_.update_entry) {
    ways_.update_entry(index_, entry_of(fields));
  }
  if (ways_.drop_line_choice) ways_.drop_line_choice();
  ui::store_position(this, state_.settings.pos(settings::kHotelEditWindowId));
  close();
}

void HotelEditWindow::cancel() {
  ui::store_position(this, state_.settings.pos(settings::kHotelEditWindowId));
  close();
}

void HotelEditWindow::escape() {
  if (ways_.drop_line_choice) ways_.drop_line_choice();
  cancel();
}

void HotelEditWindow::open_picker() {
  picker_button_->setVisible(false);
  if (ways_.open_area_picker) ways_.open_area_picker();
}

void HotelEditWindow::set_area(const QString& area) {
  box(HotelField::Area)->setText(area);
  activateWindow();
  box(HotelField::District)->setFocus();
}

bool HotelEditWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    focus_arrived(watched);
  } else if (event->type() == QEvent::MouseButtonDblClick && watched == box(HotelField::Area)) {
    open_picker();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void HotelEditWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  if (ways_.closed) ways_.closed();
  event->accept();
}

}  // namespace ravolin::hotels
