// SPDX-License-Identifier: MIT
#include "gui/diagram/diagram_window.h"

#include "board/board.h"
#include "board/passing_stations.h"
#include "gui/common/accessibility.h"
#include "gui/common/window_conventions.h"
#include "render/scene_painter.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace ravolin::board {

// The drawing area: paints the window's scene and turns the mouse and keys into zoom,
// pan, hover and double-click.
class DiagramCanvas final : public QWidget {
 public:
  explicit DiagramCanvas(DiagramWindow* window) : QWidget(window), window_(window) {
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(480, 320);
  }

  // The text of the train selected with the keys: shown at the start of its line as the
  // mouse's hover text is, and spoken by a screen reader.
  void show_selection(const QString& text, int train_index) {
    QPoint at(width() / 2, height() / 2);
    for (const auto& l : window_->scene().lines)
      if (l.train == train_index && l.xy.size() >= 2) {
        at = QPointF(l.xy[0], l.xy[1]).toPoint();
        break;
      }
    QToolTip::showText(mapToGlobal(at), ui::plain_tooltip(text), this);
    ui::announce(this, text);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    render::paint_scene(p, window_->scene());
  }
  void resizeEvent(QResizeEvent*) override {
    DiagramView v = window_->view();
    v.width = width();
    v.height = height();
    window_->set_view(v);
  }
  void wheelEvent(QWheelEvent* e) override {
    const double steps = e->angleDelta().y() / 120.0;
    if (steps == 0) return;
    const double around = axes().minute_at(e->position().x());
    window_->set_view(zoom_view(window_->view(), std::pow(0.8, steps), around));
    e->accept();
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) {
      drag_x_ = e->position().x();
      dragging_ = true;
      setCursor(Qt::ClosedHandCursor);
    }
  }
  void mouseReleaseEvent(QMouseEvent*) override {
    dragging_ = false;
    unsetCursor();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const double x = e->position().x();
    if (dragging_) {
      const DiagramView& v = window_->view();
      const double per_pixel = (v.to_minute - v.from_minute) / std::max(1.0, axes().plot_w);
      window_->set_view(pan_view(v, (drag_x_ - x) * per_pixel));
      drag_x_ = x;
      return;
    }
    const std::string text = window_->hover_at(x, e->position().y());
    if (text.empty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(e->globalPosition().toPoint(), ui::plain_tooltip(text), this);
    }
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    window_->open_stops_at(e->position().x(), e->position().y());
  }
  void keyPressEvent(QKeyEvent* e) override {
    const DiagramView& v = window_->view();
    const double span = v.to_minute - v.from_minute;
    const double middle = (v.from_minute + v.to_minute) / 2;
    switch (e->key()) {
      case Qt::Key_Plus:
      case Qt::Key_Equal:
        window_->set_view(zoom_view(v, 0.8, middle));
        break;
      case Qt::Key_Minus:
      case Qt::Key_Underscore:
        window_->set_view(zoom_view(v, 1.25, middle));
        break;
      case Qt::Key_Left:
        window_->set_view(pan_view(v, -span / 8));
        break;
      case Qt::Key_Right:
        window_->set_view(pan_view(v, span / 8));
        break;
      case Qt::Key_Up:
        window_->set_view(zoom_view(v, 0.8, middle));
        break;
      case Qt::Key_Down:
        window_->set_view(zoom_view(v, 1.25, middle));
        break;
      case Qt::Key_PageDown:
      case Qt::Key_N:
        window_->select_next(1);
        break;
      case Qt::Key_PageUp:
      case Qt::Key_P:
        window_->select_next(-1);
        break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (!window_->open_selected_stops()) QWidget::keyPressEvent(e);
        break;
      default:
        QWidget::keyPressEvent(e);
    }
  }

 private:
  DiagramAxes axes() const { return window_->axes(); }

  DiagramWindow* window_;
  bool dragging_ = false;
  double drag_x_ = 0;
};

namespace {

const DiagramRoute kNoRoute{};
// The help topic of the diagram in the help file.
constexpr int kHelpTopic = 130;
// Room left on the screen around the window for its frame and title bar.
constexpr QSize kFrameAllowance(16, 48);

bool ends_with(const std::string& s, const char* tail) {
  const std::string t(tail);
  return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

}  // namespace

DiagramWindow::DiagramWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin30"));
  ui::help_on_f1(this, state, kHelpTopic);
  setWindowTitle(tr("ダイヤグラム"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));

  routes_ = diagram_routes(state.schedule.sin, state.fares);
  route_index_ = std::max(0, preferred_route(routes_, state.settings.sinkansen_station));
  build_controls();
  fit_to_screen();
  rebuild_trains();
  view_ = whole_day_view(trains_, view_.width, view_.height);
  relayout();
  ui::place_window(this, state.settings.pos(settings::kDiagramWindowId));
  canvas_->setFocus();
}

void DiagramWindow::build_controls() {
  auto* bar = new QHBoxLayout;
  route_box_ = new QComboBox(this);
  route_box_->setObjectName(QStringLiteral("Combo1"));
  for (const auto& r : routes_)
    route_box_->addItem(
        QString::fromStdString(route_caption(r, state_.language, state_.place_names)));
  route_box_->setCurrentIndex(route_index_);
  route_box_->setVisible(routes_.size() > 1);
  direction_box_ = new QComboBox(this);
  direction_box_->setObjectName(QStringLiteral("Combo2"));
  direction_box_->addItems({tr("上下"), tr("下り"), tr("上り")});
  auto* whole_day_button = new QPushButton(tr("全日表示"), this);
  whole_day_button->setObjectName(QStringLiteral("Command1"));
  auto* export_button = new QPushButton(tr("書き出し..."), this);
  export_button->setObjectName(QStringLiteral("Command2"));
  auto* export_menu = new QMenu(export_button);
  export_menu->addAction(tr("表示範囲を書き出す..."), this, [this] { export_dialog(false); });
  export_menu->addAction(tr("一日全体を書き出す..."), this, [this] { export_dialog(true); });
  export_button->setMenu(export_menu);
  auto* close_button = new QPushButton(tr("閉じる"), this);
  close_button->setObjectName(QStringLiteral("Command3"));
  // Over AT-SPI a combo box is named by its value: the labels say what each one chooses.
  auto* route_label = new QLabel(tr("路線(&R)"), this);
  route_label->setObjectName(QStringLiteral("Label1"));
  route_box_->setAccessibleName(tr("路線"));
  ui::name_by_label(route_label, route_box_);
  route_label->setVisible(route_box_->isVisibleTo(this));
  auto* direction_label = new QLabel(tr("方向(&W)"), this);
  direction_label->setObjectName(QStringLiteral("Label2"));
  direction_box_->setAccessibleName(tr("方向"));
  ui::name_by_label(direction_label, direction_box_);
  bar->addWidget(route_label);
  bar->addWidget(route_box_);
  bar->addWidget(direction_label);
  bar->addWidget(direction_box_);
  bar->addStretch(1);
  bar->addWidget(whole_day_button);
  bar->addWidget(export_button);
  bar->addWidget(close_button);

  canvas_ = new DiagramCanvas(this);
  name_controls(whole_day_button, export_button, close_button);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(bar);
  layout->addWidget(canvas_, 1);

  connect(route_box_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i < 0 || i >= static_cast<int>(routes_.size())) return;
    route_index_ = i;
    rebuild_trains();
  });
  connect(direction_box_, &QComboBox::currentIndexChanged, this, [this](int i) {
    direction_ = std::clamp(i, 0, 2);
    rebuild_trains();
  });
  connect(whole_day_button, &QPushButton::clicked, this, [this] {
    journey_ = {};
    set_view(whole_day_view(trains_, view_.width, view_.height));
  });
  connect(close_button, &QPushButton::clicked, this, &DiagramWindow::close_step);

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{route_box_, direction_box_, whole_day_button,
                                                    export_button, close_button, canvas_})
    keys->escape_closes(w, [this] { close_step(); });
}

void DiagramWindow::name_controls(QPushButton* whole_day, QPushButton* export_button,
                                  QPushButton* close_button) {
  whole_day->setAccessibleName(tr("全日表示"));
  export_button->setAccessibleName(tr("書き出し"));
  close_button->setAccessibleName(tr("閉じる"));
  canvas_->setAccessibleName(tr("ダイヤグラム"));
  canvas_->setAccessibleDescription(tr("横に時刻、縦に駅をとった列車の線図"));
  canvas_->setToolTip(keys_text());
}

QString DiagramWindow::keys_text() {
  return tr(
      "＋ または ↑: 拡大\n－ または ↓: 縮小\n← →: 時刻を前後に移動\n"
      "ホイール: 拡大・縮小　ドラッグ: 移動\n"
      "PageDown / PageUp（N / P）: 次・前の列車を選択\n"
      "Enter または ダブルクリック: 列車の停車駅\nF1: ヘルプ　Esc: 閉じる");
}

bool DiagramWindow::dark_palette() const {
  // A dark desktop: the window's ground darker than its text.
  return palette().color(QPalette::Window).lightness() <
         palette().color(QPalette::WindowText).lightness();
}

void DiagramWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) relayout();
}

DiagramMarks DiagramWindow::marks() const {
  DiagramMarks m;
  m.user_station = state_.settings.sinkansen_station;
  m.journey = journey_.empty() ? nullptr : &journey_;
  m.language = state_.language;
  m.place_names = &state_.place_names;
  return m;
}

void DiagramWindow::fit_to_screen() {
  // 1100 x 720 where the screen has room; on a smaller screen as large as it allows
  // (leaving room for the window frame), so the buttons at the top right stay in reach.
  int width = 1100, height = 720;
  if (const QScreen* s = screen()) {
    const QRect avail = s->availableGeometry();
    width = std::max(minimumWidth(), std::min(width, avail.width() - kFrameAllowance.width()));
    height = std::max(minimumHeight(), std::min(height, avail.height() - kFrameAllowance.height()));
  }
  resize(width, height);
  view_.width = width - 12;
  view_.height = height - 50;
}

const DiagramRoute& DiagramWindow::route() const {
  if (route_index_ < 0 || route_index_ >= static_cast<int>(routes_.size())) return kNoRoute;
  return routes_[route_index_];
}

int DiagramWindow::now_minute() const {
  int hour = 0, minute = 0;
  clock_hour_minute(state_.program_clock.program_time, hour, minute);
  int m = hour * 60 + minute;
  // Past midnight the board keeps the service date: the line goes on past 24:00.
  if (m < 4 * 60) m += 24 * 60;
  return m;
}

void DiagramWindow::rebuild_trains() {
  trains_ = diagram_trains(state_.schedule.sin, route(), state_.day_flags, direction_);
  relayout();
}

void DiagramWindow::set_view(const DiagramView& v) {
  view_ = v;
  relayout();
}

void DiagramWindow::relayout() {
  DiagramMarks m = marks();
  m.now_minute = now_minute();
  m.title = route_caption(route(), state_.language, state_.place_names);
  m.dark = dark_palette();
  m.selected_train = selected_train();
  scene_ = layout_diagram(route(), trains_, view_, m);
  if (canvas_) canvas_->update();
}

void DiagramWindow::refresh() { rebuild_trains(); }

void DiagramWindow::show_journey(const DiagramJourney& journey) {
  journey_ = journey;
  if (const int r = route_of_journey(routes_, journey); r >= 0 && r != route_index_) {
    route_index_ = r;
    route_box_->setCurrentIndex(r);  // rebuilds the trains
  }
  if (direction_box_->currentIndex() != 0) direction_box_->setCurrentIndex(0);
  rebuild_trains();
  if (!journey.empty()) {
    // The journey's hours with some room on both sides.
    const double span = std::max(60, journey.last_minute() - journey.first_minute());
    DiagramView v = view_;
    v.from_minute = journey.first_minute() - span * 0.25;
    v.to_minute = journey.last_minute() + span * 0.25;
    set_view(pan_view(v, 0));
  }
}

std::string DiagramWindow::hover_at(double x, double y) const {
  const int i = hit_train(scene_, x, y, 5.0);
  if (i < 0) return {};
  const DiagramAxes ax = diagram_axes(route(), view_, marks());
  return hover_text(trains_[i], route(), ax.minute_at(x), state_.language, &state_.place_names);
}

bool DiagramWindow::open_stops_at(double x, double y) {
  return open_stops(hit_train(scene_, x, y, 5.0));
}

bool DiagramWindow::open_stops(int train_index) {
  if (train_index < 0 || train_index >= static_cast<int>(trains_.size())) return false;
  const DiagramTrain& train = trains_[train_index];
  if (ways_.show_stops)
    ways_.show_stops(
        passing_stations_of_train(state_.schedule.sin, train.direction, train.train, 1));
  return true;
}

int DiagramWindow::selected_train() const {
  for (std::size_t i = 0; i < trains_.size(); ++i)
    if (trains_[i].direction == selected_direction_ && trains_[i].train == selected_number_)
      return static_cast<int>(i);
  return -1;
}

void DiagramWindow::select_next(int step) {
  if (trains_.empty()) return;
  // The trains in the order of departure; the down train first at the same minute.
  std::vector<int> order(trains_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  const auto departure = [this](int i) { return trains_[i].points.front().minute; };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return std::tuple(departure(a), trains_[a].direction, trains_[a].train) <
           std::tuple(departure(b), trains_[b].direction, trains_[b].train);
  });
  int at =
      static_cast<int>(std::find(order.begin(), order.end(), selected_train()) - order.begin());
  if (at < static_cast<int>(order.size())) {
    at = std::clamp(at + step, 0, static_cast<int>(order.size()) - 1);
  } else {
    // Nothing selected yet: the train on the screen leaving nearest the clock line, or
    // nearest the start of the hours shown when the line is outside them.
    const double now = now_minute();
    const double anchor =
        now >= view_.from_minute && now <= view_.to_minute ? now : view_.from_minute;
    std::vector<bool> shown(trains_.size(), false);
    for (const auto& l : scene_.lines)
      if (l.train >= 0 && l.train < static_cast<int>(shown.size())) shown[l.train] = true;
    const bool any_shown = std::find(shown.begin(), shown.end(), true) != shown.end();
    double best = 0;
    at = -1;
    for (std::size_t k = 0; k < order.size(); ++k) {
      if (any_shown && !shown[order[k]]) continue;
      const double d = std::abs(departure(order[k]) - anchor);
      if (at < 0 || d < best) {
        best = d;
        at = static_cast<int>(k);
      }
    }
  }
  const int index = order[at];
  const DiagramTrain& train = trains_[index];
  selected_direction_ = train.direction;
  selected_number_ = train.train;
  const double leaves = departure(index);
  if (leaves < view_.from_minute || leaves > view_.to_minute) {
    // Its departure a quarter into the hours shown, with room for the trains after it.
    const double span = view_.to_minute - view_.from_minute;
    view_ = pan_view(view_, leaves - (view_.from_minute + span / 4));
  }
  relayout();
  const std::string text = hover_text(train, route(), leaves, state_.language, &state_.place_names);
  canvas_->show_selection(QString::fromStdString(text), index);
}

bool DiagramWindow::open_selected_stops() { return open_stops(selected_train()); }

bool DiagramWindow::export_to(const std::string& path, bool whole_day, std::string& error) const {
  DiagramView v = view_;
  if (whole_day) {
    v = whole_day_view(trains_, 1600, 1000);
  }
  // Files keep the light colours whatever the desktop: they go to paper and other programs.
  DiagramMarks m = marks();
  m.now_minute = whole_day ? -1 : now_minute();
  m.title = route_caption(route(), state_.language, state_.place_names) + "  " +
            calendar::date_text_ascii(state_.service_date.day_number);
  const Scene exported = layout_diagram(route(), trains_, v, m);
  if (ends_with(path, ".svg")) {
    QFile f(QString::fromStdString(path));
    const std::string svg = scene_to_svg(exported);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(svg.data(), static_cast<qint64>(svg.size())) != static_cast<qint64>(svg.size()) ||
        !f.flush()) {
      error = tr("書き出せません: ").toStdString() + path;
      return false;
    }
    return true;
  }
  if (ends_with(path, ".png") || ends_with(path, ".pdf")) {
    if (!render::write_scene_file(exported, path, ends_with(path, ".pdf"), error)) {
      error = tr("書き出せません: ").toStdString() + path;
      return false;
    }
    return true;
  }
  error = tr("ファイル名は .png, .svg または .pdf で終えてください: ").toStdString() + path;
  return false;
}

void DiagramWindow::export_dialog(bool whole_day) {
  const QString suggested = QStringLiteral("diagram.png");
  std::string path;
  if (choose_file) {
    path = choose_file(suggested);
  } else {
    path = QFileDialog::getSaveFileName(this, tr("ダイヤグラムの書き出し"), suggested,
                                        QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)"))
               .toStdString();
  }
  if (path.empty()) return;
  std::string error;
  if (!export_to(path, whole_day, error)) state_.messages().error(this, error);
}

void DiagramWindow::close_step() {
  ui::store_position(this, state_.settings.pos(settings::kDiagramWindowId));
  close();
}

void DiagramWindow::closeEvent(QCloseEvent* event) {
  ui::store_position(this, state_.settings.pos(settings::kDiagramWindowId));
  event->accept();
}

}  // namespace ravolin::board
