// SPDX-License-Identifier: MIT
#include "gui/hotels/user_hotels_window.h"

#include "data/hotel_reader.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QTimer>

#include <memory>

namespace ravolin::hotels {
namespace {

constexpr int kHelpTopic = 113;  // ホテル情報の登録・修正
constexpr int kTabColumns = 8;   // half-width characters per tab stop

// Draws a list line with its TABs expanded to stops of eight half-width characters, so
// the columns stand under their headings.
class TabStopDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : nullptr;
    if (style) style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QTextOption text_option(Qt::AlignLeft | Qt::AlignVCenter);
    text_option.setWrapMode(QTextOption::NoWrap);
    text_option.setTabStopDistance(kTabColumns *
                                   QFontMetricsF(opt.font).horizontalAdvance(QChar(' ')));
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    painter->drawText(QRectF(opt.rect).adjusted(2, 0, 0, 0), text, text_option);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(QFontMetrics(option.font).height() + 4);
    return size;
  }
};

// Room for the user's hotels beside the data file's hotels in the hotel table.
int user_capacity(const app::AppState& state) {
  if (state.hotels_loaded) return kMaxHotels - state.hotels.file_hotel_count;
  auto table = std::make_unique<HotelTable>();
  data::DataError error;
  if (!load_hotels(state.data_path(), state.schedule.directory, state.schedule.areas,
                   state.districts, *table, error))
    return kMaxHotels;
  return kMaxHotels - table->file_hotel_count;
}

}  // namespace

UserHotelsWindow::UserHotelsWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin13"));
  ui::help_on_f1(this, state, kHelpTopic);
  setWindowTitle(tr("ラボリン＆ホテル情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();
  connect_controls();
  const ui::TwipLayout layout(this);
  setFixedSize(layout.px(8640), layout.px(5160));
  ui::place_window(this, state.settings.pos(settings::kUserHotelsWindowId));

  file_as_read_ = load_user_hotels(state.user_hotels_path());
  registry_ = UserRegistry(file_as_read_.entries, user_capacity(state));
  file_as_read_.entries.clear();  // the registry holds them now
  fill_list();
  disable_entry_commands();
  const std::string message = load_message(file_as_read_, state_.language);
  if (!message.empty()) {
    // Once the window is on the screen, so the message stands in front of it.
    QTimer::singleShot(0, this, [this, message] { state_.messages().error(this, message); });
  }
}

void UserHotelsWindow::build_controls() {
  const ui::TwipLayout layout(this);
  const int half = QFontMetrics(font()).horizontalAdvance(QChar(' '));
  auto* frame = layout.frame(this, QStringLiteral("Frame1"), tr("ホテル情報"), 120, 60, 8400, 4440);

  // Headings over the list's tab stops: area 0, district 2, name 4, phone 8 stops.
  const int text_x = layout.px(120) + 2 + 3;  // the list's frame and the line's own margin
  const struct {
    const char* name;
    const char* text;
    int stop;
  } headings[] = {{"Label1", QT_TR_NOOP("地域名"), 0},
                  {"Label2", QT_TR_NOOP("地区名"), 2},
                  {"Label3", QT_TR_NOOP("ホテル名"), 4},
                  {"Label4", QT_TR_NOOP("電話番号"), 8}};
  for (const auto& h : headings) {
    auto* label = new QLabel(tr(h.text), frame);
    label->setObjectName(QString::fromLatin1(h.name));
    label->setGeometry(text_x + h.stop * kTabColumns * half, layout.px(300), 12 * half,
                       layout.px(300));
  }

  hotel_lines_ =
      layout.place(new QListWidget(frame), QStringLiteral("List1"), 120, 620, 8160, 3700);
  hotel_lines_->setSelectionMode(QAbstractItemView::SingleSelection);
  hotel_lines_->setItemDelegate(new TabStopDelegate(hotel_lines_));
  hotel_lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  hotel_lines_->setAccessibleName(tr("登録ホテル一覧"));

  const auto button = [&](const char* name, const QString& caption, int left) {
    return layout.button(this, QLatin1String(name), caption, left, 4620, 1500, 420);
  };
  store_button_ = button("Command1", tr("登録終了"), 120);
  add_button_ = button("Command2", tr("追加"), 1845);
  change_button_ = button("Command3", tr("修正"), 3570);
  delete_button_ = button("Command4", tr("削除"), 5295);
  cancel_button_ = button("Command5", tr("取消"), 7020);
}

void UserHotelsWindow::connect_controls() {
  connect(store_button_, &QPushButton::clicked, this, &UserHotelsWindow::store_and_close);
  connect(add_button_, &QPushButton::clicked, this, &UserHotelsWindow::open_add);
  connect(change_button_, &QPushButton::clicked, this, &UserHotelsWindow::open_update);
  connect(delete_button_, &QPushButton::clicked, this, &UserHotelsWindow::delete_selected);
  connect(cancel_button_, &QPushButton::clicked, this, &UserHotelsWindow::cancel);
  // A line chosen with the mouse or the arrow keys may be changed or deleted.
  connect(hotel_lines_, &QListWidget::itemClicked, this, [this] {
    entry_commands_ = true;
    apply_enabled();
  });
  connect(hotel_lines_, &QListWidget::itemSelectionChanged, this, [this] {
    if (hotel_lines_->selectedItems().isEmpty() || filling_) return;
    entry_commands_ = true;
    apply_enabled();
  });
  connect(hotel_lines_, &QListWidget::itemDoubleClicked, this, &UserHotelsWindow::open_update);
  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{hotel_lines_, store_button_, add_button_,
                                                    change_button_, delete_button_, cancel_button_})
    keys->escape_closes(w, [this] { escape(); });
}

void UserHotelsWindow::fill_list() {
  filling_ = true;
  hotel_lines_->clear();
  for (const HotelEntry& e : registry_.entries())
    hotel_lines_->addItem(
        QString::fromStdString(list_line(e, state_.language, state_.place_names)));
  filling_ = false;
}

int UserHotelsWindow::selected_line() const {
  for (int row = 0; row < hotel_lines_->count(); ++row)
    if (hotel_lines_->item(row)->isSelected()) return row;
  return -1;
}

void UserHotelsWindow::disable_entry_commands() {
  entry_commands_ = false;
  apply_enabled();
}

void UserHotelsWindow::apply_enabled() {
  // While an entry is being edited the list stays as it is, so the entry the edit window
  // works on keeps its place.
  for (QWidget* w :
       std::initializer_list<QWidget*>{hotel_lines_, store_button_, add_button_, cancel_button_})
    w->setEnabled(!editing_);
  change_button_->setEnabled(entry_commands_ && !editing_);
  delete_button_->setEnabled(entry_commands_ && !editing_);
}

void UserHotelsWindow::edit_closed() { set_editing(false); }

void UserHotelsWindow::set_editing(bool editing) {
  editing_ = editing;
  apply_enabled();
}

void UserHotelsWindow::open_editor(int index) {
  if (editing_ || !ways_.open_editor) return;  // one entry at a time
  set_editing(true);
  ways_.open_editor(index);
}

void UserHotelsWindow::open_add() {
  if (registry_.full()) {
    state_.messages().error(this, full_table_message(registry_.capacity(), state_.language));
    return;
  }
  open_editor(-1);
}

void UserHotelsWindow::open_update() {
  const int line = selected_line();
  if (line < 0) return;
  open_editor(line);
}

void UserHotelsWindow::delete_selected() {
  const int line = selected_line();
  if (line < 0) return;
  if (state_.messages().confirm(this, tr("本当に削除しますよ！！").toStdString(), 251) !=
      ui::MessageAnswer::Ok)
    return;
  registry_.remove(line);
  changed_ = true;
  filling_ = true;
  delete hotel_lines_->takeItem(line);
  hotel_lines_->clearSelection();
  filling_ = false;
  disable_entry_commands();
}

bool UserHotelsWindow::add_entry(HotelEntry entry) {
  if (!registry_.add(std::move(entry), state_.settings.control3_flg)) return false;
  changed_ = true;
  fill_list();
  return true;
}

void UserHotelsWindow::update_entry(int index, HotelEntry entry) {
  if (!registry_.update(index, std::move(entry), state_.settings.control3_flg)) return;
  changed_ = true;
  fill_list();
}

void UserHotelsWindow::store_and_close() {
  // Saved meanwhile (by hand or by another program): overwriting it is the user's choice.
  if (changed_since_load(state_.user_hotels_path(), file_as_read_) &&
      state_.messages().confirm(this, changed_file_question(state_.language), kHelpTopic) !=
          ui::MessageAnswer::Ok)
    return;
  registry_.prepare_for_saving(state_.settings.control3_flg);
  fill_list();
  disable_entry_commands();
  const SaveResult result =
      save_user_hotels(state_.user_hotels_path(), registry_.entries(), state_.language);
  if (!result.ok) {
    // The list stays open with every entry, so nothing typed is lost.
    state_.messages().error(this, result.message);
    return;
  }
  changed_ = false;
  state_.hotels_loaded = false;  // the hotel list reads the new file at its next opening
  if (!result.message.empty()) state_.messages().error(this, result.message);
  ui::store_position(this, state_.settings.pos(settings::kUserHotelsWindowId));
  close();
}

void UserHotelsWindow::cancel() { close(); }

void UserHotelsWindow::escape() {
  // Escape drops the changes only when the user says so; 取消 is the button for that.
  if (changed_ && state_.messages().confirm(this, tr("変更を保存せずに閉じますか？").toStdString(),
                                            kHelpTopic) != ui::MessageAnswer::Ok)
    return;
  cancel();
}

void UserHotelsWindow::closeEvent(QCloseEvent* event) {
  if (ways_.close_editor) ways_.close_editor();
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::hotels
