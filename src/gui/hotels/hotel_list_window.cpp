#include "gui/hotels/hotel_list_window.h"

#include "board/about_text.h"
#include "gui/board/loading_window.h"
#include "gui/hotels/district_window.h"
#include "hotels/hotel_list.h"
#include "data/hotel_reader.h"
#include "hotels/user_hotels.h"
#include "gui/common/window_conventions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
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

QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

QWidget* find_hotel_window(const char* object_name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(object_name) && w->isVisible())
      return w;
  return nullptr;
}

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

HotelListWindow::HotelListWindow(app::AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint),
      state_(state) {
  setObjectName(QStringLiteral("ravolin6"));
  setWindowTitle(QStringLiteral("ラボリン&ホテル情報"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  const auto px = [this](int twips) { return ui::tw(this, twips); };

  // The title strip: a caption-only button.
  command1_ = new QPushButton(this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(px(120), px(120), px(9600), px(360));

  grid_ = new QTableWidget(this);
  grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
  grid_->setGeometry(px(120), px(540), px(9600), px(4800));
  grid_->setHorizontalHeader(new RaisedHeader(grid_));
  grid_->setColumnCount(kGridColumns);
  grid_->verticalHeader()->hide();  // no fixed columns
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->setDefaultSectionSize(px(270));
  grid_->horizontalHeader()->setFixedHeight(px(300));
  grid_->horizontalHeader()->setHighlightSections(false);
  for (int c = 0; c < kGridColumns; ++c) {
    grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(q(grid_heading()[c])));
    grid_->setColumnWidth(c, px(kGridColumnTwips[c]));
  }

  label1_ = new QLabel(
      QStringLiteral("備考(評価)は作者の個人的な評価です。公的機関の評価ではありません。"
                     "ご留意下さい。"),
      this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(px(120), px(5400), px(9600), px(300));

  command3_ = new QPushButton(QStringLiteral("地区の絞り込み"), this);
  command3_->setObjectName(QStringLiteral("Command3"));
  command3_->setGeometry(px(6000), px(5760), px(1800), px(420));
  command3_->setAutoDefault(true);
  connect(command3_, &QPushButton::clicked, this, &HotelListWindow::narrow_districts);

  command2_ = new QPushButton(QStringLiteral("終了"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setGeometry(px(7920), px(5760), px(1800), px(420));
  command2_->setAutoDefault(true);
  connect(command2_, &QPushButton::clicked, this, &HotelListWindow::end_proc);

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : {static_cast<QWidget*>(command1_), static_cast<QWidget*>(command2_),
                     static_cast<QWidget*>(command3_), static_cast<QWidget*>(grid_)})
    keys->escape_closes(w, [this] { end_proc(); });

  lay_out(px(9600));
  ui::place_window(this, state.settings.pos(settings::kHotelListWindowId));
}

void HotelListWindow::lay_out(int grid_width) {
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  command1_->setGeometry(px(120), px(120), grid_width, px(360));
  grid_->setGeometry(px(120), px(540), grid_width, px(4800));
  label1_->setGeometry(px(120), px(5400), grid_width, px(300));
  const int right = px(120) + grid_width;
  command2_->setGeometry(right - px(1800), px(5760), px(1800), px(420));
  command3_->setGeometry(right - px(3720), px(5760), px(1800), px(420));
  setFixedSize(grid_width + px(240), px(6300));
}

void HotelListWindow::fit_columns() {
  // The columns are at least as wide as designed and wide enough for their longest text,
  // and the window grows with them as far as the screen allows (the grid scrolls beyond).
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  grid_->resizeColumnsToContents();
  int total = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < kGridColumns; ++c) {
    const int w = std::max(grid_->columnWidth(c), px(kGridColumnTwips[c]));
    grid_->setColumnWidth(c, w);
    total += w;
  }
  int width = std::max(px(9600), total);
  if (const QScreen* s = screen()) width = std::min(width, s->availableGeometry().width() - px(240));
  lay_out(std::max(width, px(6000)));
  // The window was placed at its narrower size: a wider one moves left as far as needed
  // to stay whole on the screen.
  settings::WindowPos here;
  ui::store_position(this, here);
  ui::place_window(this, here);
}

bool HotelListWindow::start() {
  HotelSelection& sel = state_.hotel_selection;
  command1_->setText(
      q(title_strip(sel.caption_from, sel.hotel_area, state_.service_date.day_number)));
  if (!state_.hotels_loaded) load_hotels();
  std::string error;
  if (!sel_data(state_.hotels, sel, error)) {
    state_.messages().error(this, error);
    close();
    return false;
  }
  if (sel.hit_list.empty()) {
    state_.messages().error(this, kNoHotelMessage, kNoHotelHelpTopic);
    close();
    return false;
  }
  if (state_.settings.control3_flg == 1) sort_hotel(state_.hotels, sel.hit_list);
  set_grid();
  command3_->setEnabled(sel.district_list.size() > 5);
  return true;
}

HotelListWindow* HotelListWindow::open(app::AppState& state, QWidget* parent) {
  if (QWidget* old = find_hotel_window("ravolin6")) old->close();
  auto* w = new HotelListWindow(state, parent);
  if (!w->start()) return nullptr;  // closed, and deleted on close
  w->show();
  w->raise();
  w->activateWindow();
  w->grid_->setFocus();
  return w;
}

void HotelListWindow::load_hotels() {
  board::LoadingWindow loading(state_, board::kLoadingHotels, this);
  loading.show();
  state_.process_events();

  HotelTable& table = state_.hotels;
  table.user_hotel_count = 0;
  table.file_hotel_count = 0;
  const UserHotelReport report = get_hotel_user(state_.user_hotels_path(), table);
  if (report.skipped_lines > 0 || report.truncated) {
    std::string text = "利用者ホテルファイル " + state_.user_hotels_path() + " の";
    if (report.skipped_lines > 0)
      text += ' ' + std::to_string(report.skipped_lines) + " 行（最初は " +
              std::to_string(report.first_skipped_line) + " 行目）を読めませんでした。";
    if (report.truncated) text += " ホテル数が上限を超えたため、残りを読みませんでした。";
    state_.messages().error(this, text);
  }
  data::DataError err;
  const bool ok = get_hotel(state_.data_path(), state_.schedule.directory, state_.schedule.areas,
                            state_.districts, table, err, state_.process_events);
  loading.finish();
  if (!ok) {
    // The user's hotels are still listed; the next opening tries the data file again.
    state_.messages().error(this, err.message());
    return;
  }
  state_.hotels_loaded = true;
}

void HotelListWindow::set_grid() {
  const std::vector<GridRow> rows = grid_rows(state_.hotels, state_.hotel_selection.hit_list);
  grid_->clearContents();
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < kGridColumns; ++c) {
      auto* item = new QTableWidgetItem(q(rows[r][c]));
      // Numbers (rooms, price) to the right, texts to the left.
      item->setTextAlignment(c == 3 || c == 5 ? (Qt::AlignRight | Qt::AlignVCenter)
                                              : (Qt::AlignLeft | Qt::AlignVCenter));
      // The columns are narrow: the whole text is shown when the pointer rests on a cell.
      item->setToolTip(ui::plain_tooltip(rows[r][c]));
      grid_->setItem(r, c, item);
    }
  }
  if (!rows.empty()) grid_->setCurrentCell(0, 0);
  fit_columns();
}

void HotelListWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kHotelListWindowId));
  if (QWidget* search = find_hotel_window("ravolin12")) {
    search->activateWindow();
    if (auto* text1 = search->findChild<QLineEdit*>(QStringLiteral("Text1"))) text1->setFocus();
  }
  close();
}

void HotelListWindow::narrow_districts() {
  ui::store_position(this, state_.settings.pos(settings::kHotelListWindowId));
  DistrictWindow::open(state_, parentWidget());
  close();
}

void HotelListWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  QWidget::closeEvent(event);
}

}  // namespace ravolin::hotels
