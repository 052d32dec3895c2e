#include "gui/hotels/hotel_edit_window.h"

#include "gui/hotels/area_picker_window.h"
#include "gui/hotels/user_hotels_window.h"
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
  const char* hint;
  const char* example;
  bool japanese;  // the input method stays on (hiragana); off for numbers and phones
};

// In the window's order, top to bottom.
const FieldLook kFields[] = {
    {HotelField::Area, "Text9", "地域名　　：", "地域名を選択して下さい", "入力例：大阪／伊丹", true},
    {HotelField::District, "Text1", "地区名　　：", "地区名を入力して下さい(日本語6文字以内)",
     "入力例：京橋", true},
    {HotelField::Name, "Text2", "ホテル名　：", "ホテル名を入力して下さい(日本語16文字以内)",
     "入力例：ラボリンホテル", true},
    {HotelField::Phone, "Text3", "電話番号　：", "電話番号を入力して下さい(カナ12文字以内)",
     "入力例：012-345-6789", false},
    {HotelField::Rooms, "Text4", "部屋数　　：", "部屋数を入力して下さい(数字4文字以内)",
     "入力例：123", false},
    {HotelField::Access, "Text5", "交通　　　：", "交通を入力して下さい(日本語12文字以内)",
     "入力例：京橋駅徒歩１０分", true},
    {HotelField::Price, "Text6", "部屋代　　：", "部屋代を入力して下さい(\\付きで数字8文字以内)",
     "入力例：\\10,000", false},
    {HotelField::Remarks, "Text7", "備考　　　：", "備考を入力して下さい(日本語8文字以内)",
     "入力例：○", true},
};

const FieldLook& look_of(HotelField f) {
  for (const FieldLook& l : kFields)
    if (l.field == f) return l;
  return kFields[0];
}

}  // namespace

HotelEditWindow::HotelEditWindow(app::AppState& state, UserHotelsWindow& list, int index)
    : QWidget(&list, Qt::Window), state_(state), list_(list), index_(index) {
  setObjectName(QStringLiteral("ravolin14"));
  setWindowTitle(QStringLiteral("ラボリン＆ホテル情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  auto* frame1 = new QGroupBox(QStringLiteral("ホテル情報"), this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setGeometry(px(120), px(60), px(6720), px(4860));

  mode_label_ = new QLabel(frame1);
  mode_label_->setObjectName(QStringLiteral("Label10"));
  mode_label_->setGeometry(px(4920), px(240), px(1560), px(300));
  mode_label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  auto* keys = new ui::KeyConventions(this);
  int row = 0;
  for (const FieldLook& l : kFields) {
    const int y = px(600 + row * 420);
    auto* label = new QLabel(QString::fromUtf8(l.label), frame1);
    label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
    label->setGeometry(px(180), y, px(1320), px(330));
    auto* box = new QLineEdit(frame1);
    box->setObjectName(QString::fromLatin1(l.control));
    box->setGeometry(px(1500), y, px(l.field == HotelField::Area ? 2640 : 3120), px(330));
    if (!l.japanese) {
      box->setAttribute(Qt::WA_InputMethodEnabled, false);
      box->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
    }
    keys->select_all_on_focus(box);
    box->installEventFilter(this);
    boxes_[static_cast<std::size_t>(l.field)] = box;
    ++row;
  }
  const int message_y = px(600 + row * 420);
  auto* label9 = new QLabel(QStringLiteral("メッセージ："), frame1);
  label9->setObjectName(QStringLiteral("Label9"));
  label9->setGeometry(px(180), message_y, px(1320), px(330));
  text8_ = new QPlainTextEdit(frame1);
  text8_->setObjectName(QStringLiteral("Text8"));
  text8_->setGeometry(px(1500), message_y, px(5040), px(720));
  text8_->setReadOnly(true);
  text8_->setFocusPolicy(Qt::NoFocus);
  text8_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  command4_ = new QPushButton(QStringLiteral("?"), frame1);
  command4_->setObjectName(QStringLiteral("Command4"));
  command4_->setGeometry(px(4200), px(600), px(420), px(330));
  command4_->setVisible(false);
  connect(command4_, &QPushButton::clicked, this, &HotelEditWindow::open_picker);
  setTabOrder(box(HotelField::Area), command4_);  // "?" right after the area field
  setTabOrder(command4_, box(HotelField::District));

  const auto button = [&](const char* name, const char* caption, int x) {
    return ui::command_button(this, name, QString::fromUtf8(caption), x, 5040, 1500, 420);
  };
  command1_ = button("Command1", "更新", 1980);
  command3_ = button("Command3", "追加更新", 3660);
  command2_ = button("Command2", "取消", 5340);
  connect(command1_, &QPushButton::clicked, this, &HotelEditWindow::store);
  connect(command3_, &QPushButton::clicked, this, &HotelEditWindow::store_as_new);
  connect(command2_, &QPushButton::clicked, this, &HotelEditWindow::cancel);

  // Enter checks the field and moves on; the remarks lead to 更新.
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    const HotelField f = kFields[i].field;
    QWidget* next = i + 1 < std::size(kFields) ? static_cast<QWidget*>(box(kFields[i + 1].field))
                                                : static_cast<QWidget*>(command1_);
    keys->enter_checks(box(f), [this, f] { return check_on_enter(f); }, next);
    keys->escape_closes(box(f), [this] { escape(); });
  }
  for (QPushButton* b : {command1_, command2_, command3_, command4_}) {
    keys->escape_closes(b, [this] { escape(); });
    b->installEventFilter(this);
  }

  setFixedSize(px(6960), px(5580));
  ui::place_window(this, state.settings.pos(settings::kHotelEditWindowId));

  mode_label_->clear();
  if (add_mode()) {
    mode_label_->setText(QStringLiteral("追加モード"));
    command3_->setEnabled(false);
    const std::string& recent = state.settings.arrival_ground[1];
    box(HotelField::Area)->setText(QString::fromStdString(recent.empty() ? "東京／羽田" : recent));
  } else {
    mode_label_->setText(QStringLiteral("修正モード"));
    show_fields(fields_of(list.registry().entries()[static_cast<std::size_t>(index)]));
  }
  box(HotelField::Area)->setFocus();
  show_hint(HotelField::Area);
}

void HotelEditWindow::show_hint(HotelField f) {
  const FieldLook& l = look_of(f);
  message(std::string(l.hint) + "\r\n" + l.example);
  hint_field_ = static_cast<int>(f);
  // "?" belongs to the area field; it stays while the focus goes to "?" itself.
  command4_->setVisible(f == HotelField::Area);
}

void HotelEditWindow::focus_arrived(QObject* control) {
  for (const FieldLook& l : kFields) {
    if (control != box(l.field)) continue;
    // A field that the focus comes back to with its hint or its refusal still standing
    // (the window was in the background) keeps the message.
    if (hint_field_ != static_cast<int>(l.field)) show_hint(l.field);
    command4_->setVisible(l.field == HotelField::Area);
    return;
  }
  // A button: the next field the focus comes to writes its hint again.
  hint_field_ = -1;
  if (control != command4_) command4_->setVisible(false);
}

HotelFields HotelEditWindow::read_fields() const {
  HotelFields f;
  for (const FieldLook& l : kFields) f[l.field] = box(l.field)->text().toStdString();
  return f;
}

void HotelEditWindow::show_fields(const HotelFields& f) {
  for (const FieldLook& l : kFields) ui::show_text(box(l.field), f[l.field]);
}

void HotelEditWindow::message(const std::string& text) {
  text8_->setPlainText(ui::text_box_text(text));
}

bool HotelEditWindow::check_on_enter(HotelField f) {
  HotelFields fields = read_fields();
  const auto error = check_field(f, fields, state_.schedule.areas);
  show_fields(fields);
  if (error) {
    message(*error);
    return false;
  }
  return true;
}

void HotelEditWindow::store() { store_entry(false); }
void HotelEditWindow::store_as_new() { store_entry(true); }

void HotelEditWindow::store_entry(bool as_new) {
  HotelFields fields = read_fields();
  const auto error = check_fields(fields, state_.schedule.areas);
  show_fields(fields);
  if (error) {
    // The focus goes to the field, with its hint and "?" as any focus brings them (also
    // before the window has the keyboard again); then the refusal stands in the message.
    box(error->field)->setFocus(Qt::OtherFocusReason);
    focus_arrived(box(error->field));
    message(error->message);
    return;
  }
  const bool adding = add_mode() || as_new;
  if (adding && list_.registry().full()) {
    message(full_table_message(list_.registry().capacity()));
    return;
  }
  if (state_.messages().confirm(this, adding ? "追加しますよ！！" : "更新しますよ！！",
                                adding ? 253 : 252) != ui::MessageAnswer::Ok)
    return;
  if (adding)
    list_.add_entry(entry_of(fields));
  else
    list_.update_entry(index_, entry_of(fields));
  list_.disable_entry_commands();
  ui::store_position(this, state_.settings.pos(settings::kHotelEditWindowId));
  close();
}

void HotelEditWindow::cancel() {
  ui::store_position(this, state_.settings.pos(settings::kHotelEditWindowId));
  close();
}

void HotelEditWindow::escape() {
  list_.disable_entry_commands();
  cancel();
}

void HotelEditWindow::open_picker() {
  command4_->setVisible(false);
  if (state_.open_area_picker) {
    state_.open_area_picker(this, kAreaPickerEditMode);
    return;
  }
  // The area picker writes the chosen place into the area field and moves on to the
  // district, as set_area does.
  AreaPickerWindow::open(state_, AreaPickerWindow::kModeHotelRecord, box(HotelField::Area),
                         box(HotelField::District), this);
}

void HotelEditWindow::set_area(const QString& area) {
  box(HotelField::Area)->setText(area);
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
  list_.edit_closed();
  event->accept();
}

}  // namespace ravolin::hotels
