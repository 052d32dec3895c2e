// SPDX-License-Identifier: MIT
#include "gui/hotels/hotel_list_window.h"

#include "board/about_text.h"
#include "data/hotel_reader.h"
#include "gui/common/accessibility.h"
#include "gui/common/twip_layout.h"
#include "gui/common/window_conventions.h"
#include "hotels/hotel_list.h"
#include "hotels/user_hotels.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableWidget>

#include <algorithm>

namespace ravolin::hotels {

namespace {

QString to_qt(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

RaisedHeader::RaisedHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void RaisedHeader::paintSection(QPainter* painter, const QRect& rect, int logical_index) const {
  // The section's bevel as the style draws it, then the heading as raised text: a light
  // copy one pixel down and right under the label.
  QStyleOptionHeader opt;
  initStyleOption(&opt);
  opt.rect = rect;
  opt.section = logical_index;
  opt.text = model()->headerData(logical_index, orientation()).toString();
  opt.textAlignment = Qt::AlignCenter;
  style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
  QStyleOptionHeader light = opt;
  light.rect = rect.translated(1, 1);
  light.palette.setColor(QPalette::ButtonText, opt.palette.color(QPalette::Light));
  light.palette.setColor(QPalette::WindowText, opt.palette.color(QPalette::Light));
  style()->drawControl(QStyle::CE_HeaderLabel, &light, painter, this);
  style()->drawControl(QStyle::CE_HeaderLabel, &opt, painter, this);
}

HotelListWindow::HotelListWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint),
      state_(state),
      ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin6"));
  ui::help_on_f1(this, state, 106);  // ホテル一覧
  setWindowTitle(tr("ラボリン&ホテル情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const ui::TwipLayout layout(this);

  // The title strip: a caption-only button, a static text to a screen reader.
  title_strip_ =
      layout.place(new QPushButton(this), QStringLiteral("Command1"), 120, 120, 9600, 360);
  ui::caption_only(title_strip_, ui::CaptionKind::kText);
  build_grid();
  rating_note_ =
      layout.label(this, QStringLiteral("Label1"),
                   tr("備考(評価)は作者の個人的な評価です。公的機関の評価ではありません。"
                      "ご留意下さい。"),
                   120, 5400, 9600, 300);
  districts_button_ =
      layout.button(this, QStringLiteral("Command3"), tr("地区の絞り込み"), 6000, 5760, 1800, 420);
  connect(districts_button_, &QPushButton::clicked, this, &HotelListWindow::narrow_districts);
  end_button_ = layout.button(this, QStringLiteral("Command2"), tr("終了"), 7920, 5760, 1800, 420);
  connect(end_button_, &QPushButton::clicked, this, &HotelListWindow::end_list);

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : {static_cast<QWidget*>(title_strip_), static_cast<QWidget*>(end_button_),
                     static_cast<QWidget*>(districts_button_), static_cast<QWidget*>(grid_)})
    keys->escape_closes(w, [this] { end_list(); });

  lay_out(layout.px(9600));
  ui::place_window(this, state.settings.pos(settings::kHotelListWindowId));
}

void HotelListWindow::build_grid() {
  const ui::TwipLayout layout(this);
  grid_ = layout.place(new QTableWidget(this), QStringLiteral("MSFlexGrid1"), 120, 540, 9600, 4800);
  grid_->setHorizontalHeader(new RaisedHeader(grid_));
  grid_->setColumnCount(kGridColumns);
  grid_->setAccessibleName(tr("ホテル一覧"));
  // Tab leaves the grid for the buttons; the arrow keys move inside it.
  grid_->setTabKeyNavigation(false);
  grid_->verticalHeader()->hide();  // no fixed columns
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->setDefaultSectionSize(layout.px(270));
  grid_->horizontalHeader()->setFixedHeight(layout.px(300));
  grid_->horizontalHeader()->setHighlightSections(false);
  // The headings also name the columns for a screen reader.
  QStringList headings;
  for (const std::string& heading : grid_heading(state_.language)) headings << to_qt(heading);
  grid_->setHorizontalHeaderLabels(headings);
  for (int c = 0; c < kGridColumns; ++c) grid_->setColumnWidth(c, layout.px(kGridColumnTwips[c]));
}

void HotelListWindow::lay_out(int grid_width) {
  const ui::TwipLayout layout(this);
  const auto px = [&layout](int twips) { return layout.px(twips); };
  title_strip_->setGeometry(px(120), px(120), grid_width, px(360));
  grid_->setGeometry(px(120), px(540), grid_width, px(4800));
  rating_note_->setGeometry(px(120), px(5400), grid_width, px(300));
  const int right = px(120) + grid_width;
  end_button_->setGeometry(right - px(1800), px(5760), px(1800), px(420));
  districts_button_->setGeometry(right - px(3720), px(5760), px(1800), px(420));
  setFixedSize(grid_width + px(240), px(6300));
}

void HotelListWindow::fit_columns() {
  // The columns are at least as wide as designed and wide enough for their longest text,
  // and the window grows with them as far as the screen allows (the grid scrolls beyond).
  const ui::TwipLayout layout(this);
  grid_->resizeColumnsToContents();
  int total = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < kGridColumns; ++c) {
    const int w = std::max(grid_->columnWidth(c), layout.px(kGridColumnTwips[c]));
    grid_->setColumnWidth(c, w);
    total += w;
  }
  int width = std::max(layout.px(9600), total);
  if (const QScreen* s = screen())
    width = std::min(width, s->availableGeometry().width() - layout.px(240));
  lay_out(std::max(width, layout.px(6000)));
  // The window was placed at its narrower size: a wider one moves left as far as needed
  // to stay whole on the screen.
  settings::WindowPos here;
  ui::store_position(this, here);
  ui::place_window(this, here);
}

bool HotelListWindow::start() {
  HotelSelection& selection = state_.hotel_selection;
  const std::string title =
      title_strip(selection.caption_from, selection.hotel_area, state_.service_date.day_number,
                  state_.language, state_.place_names);
  title_strip_->setText(ui::caption_text(title));
  title_strip_->setAccessibleDescription(to_qt(title));
  if (!state_.hotels_loaded) load_hotels();
  std::string error;
  if (!select_hotels(state_.hotels, selection, error, state_.language)) {
    state_.messages().error(this, error);
    close();
    return false;
  }
  if (selection.hit_list.empty()) {
    state_.messages().error(this, no_hotel_message(state_.language), kNoHotelHelpTopic);
    close();
    return false;
  }
  if (state_.settings.control3_flg == 1) sort_hotel(state_.hotels, selection.hit_list);
  fill_grid();
  districts_button_->setEnabled(selection.district_list.size() > 5);
  grid_->setFocus();
  return true;
}

void HotelListWindow::load_hotels() {
  HotelTable& table = state_.hotels;
  data::DataError error;
  bool read = false;
  const auto read_files = [&] {
    table.user_hotel_count = 0;
    table.file_hotel_count = 0;
    const UserHotelReport report = load_user_hotels(state_.user_hotels_path(), table);
    if (report.skipped_lines > 0 || report.truncated) {
      QString text = tr("利用者ホテルファイル %1 の").arg(to_qt(state_.user_hotels_path()));
      if (report.skipped_lines > 0)
        text += tr(" %1 行（最初は %2 行目）を読めませんでした。")
                    .arg(report.skipped_lines)
                    .arg(report.first_skipped_line);
      if (report.truncated) text += tr(" ホテル数が上限を超えたため、残りを読みませんでした。");
      state_.messages().error(this, text.toStdString());
    }
    match_user_place_names(table, state_.place_names);
    read = hotels::load_hotels(state_.data_path(), state_.schedule.directory, state_.schedule.areas,
                               state_.districts, table, error, state_.process_events);
  };
  if (ways_.while_loading)
    ways_.while_loading(read_files);
  else
    read_files();
  if (!read) {
    // The user's hotels are still listed; the next opening tries the data file again.
    state_.messages().error(this, error.message(state_.language));
    return;
  }
  state_.hotels_loaded = true;
}

void HotelListWindow::fill_grid() {
  const std::vector<GridRow> rows =
      grid_rows(state_.hotels, state_.hotel_selection.hit_list, state_.language, state_.place_names,
                state_.hotel_words);
  grid_->clearContents();
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < kGridColumns; ++c) {
      auto* item = new QTableWidgetItem(to_qt(rows[r][c]));
      // Numbers (rooms, price) to the right, texts to the left.
      item->setTextAlignment(c == 3 || c == 5 ? (Qt::AlignRight | Qt::AlignVCenter)
                                              : (Qt::AlignLeft | Qt::AlignVCenter));
      // The columns are narrow: the whole text is shown when the pointer rests on a cell.
      item->setToolTip(ui::plain_tooltip(rows[r][c]));
      item->setData(Qt::AccessibleTextRole, ui::spoken_text(item->text()));
      grid_->setItem(r, c, item);
    }
  }
  if (!rows.empty()) grid_->setCurrentCell(0, 0);
  fit_columns();
}

void HotelListWindow::end_list() {
  ui::store_position(this, state_.settings.pos(settings::kHotelListWindowId));
  if (ways_.back_to_search) ways_.back_to_search();
  close();
}

void HotelListWindow::narrow_districts() {
  ui::store_position(this, state_.settings.pos(settings::kHotelListWindowId));
  if (ways_.open_districts) ways_.open_districts();
  close();
}

void HotelListWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  QWidget::closeEvent(event);
}

}  // namespace ravolin::hotels
