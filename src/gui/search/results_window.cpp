// SPDX-License-Identifier: MIT
#include "gui/search/results_window.h"

#include "board/about_text.h"
#include "gui/common/accessibility.h"
#include "gui/common/window_conventions.h"
#include "text/print_columns.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace ravolin::search {

namespace {

constexpr int kHelpPrint = 257;
constexpr const char* kPrintFace = "ＭＳ ゴシック";
constexpr int kPrintPoints = 9;

}  // namespace

ResultsWindow::ResultsWindow(app::AppState& state, Ways ways, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), ways_(std::move(ways)) {
  setObjectName(QStringLiteral("ravolin26"));
  ui::help_on_f1(this, state, 126);  // 新幹線検索の結果
  setWindowTitle(tr("新幹線検索結果"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();
}

void ResultsWindow::build_controls() {
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  results_frame_ = new QGroupBox(this);
  results_frame_->setObjectName(QStringLiteral("Frame1"));
  results_frame_->setGeometry(px(120), px(60), px(9240), px(7020));

  // Headings: buttons that only carry a caption.
  const auto heading = [&](const char* name, const QString& caption, int top) {
    auto* b = new QPushButton(caption, results_frame_);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(px(120), px(top), px(9000), px(360));
    ui::caption_only(b);
    return b;
  };
  // The texts show TABs at every 8 half-width columns, as the printed report has them.
  const auto text_box = [&](const char* name, int top, int height) {
    auto* t = new QPlainTextEdit(results_frame_);
    t->setObjectName(QString::fromLatin1(name));
    t->setGeometry(px(120), px(top), px(9000), px(height));
    t->setReadOnly(true);
    t->setTabChangesFocus(true);
    t->setLineWrapMode(QPlainTextEdit::NoWrap);
    t->setFont(ui::gothic_font(12));
    t->setTabStopDistance(text::kTabColumns *
                          QFontMetricsF(t->font()).horizontalAdvance(QLatin1Char(' ')));
    return t;
  };
  heading("Command5", tr("新幹線検索結果"), 300);
  report_ = text_box("Text1", 660, 3300);
  report_->setAccessibleName(tr("検索結果"));
  heading("Command6", tr("新幹線運賃情報"), 4020);
  fare_text_ = text_box("Text2", 4380, 2520);
  fare_text_->setAccessibleName(tr("運賃情報"));

  legend_ = new QLabel(this);
  legend_->setObjectName(QStringLiteral("Label1"));
  legend_->setGeometry(px(120), px(7140), px(9240), px(300));

  const auto button = [&](const char* name, const QString& caption, int left) {
    return ui::command_button(this, name, caption, left, 7530, 2000, 420);
  };
  end_button_ = button("Command1", tr("検索終了"), 120);
  print_button_ = button("Command2", tr("印刷"), 3740);
  again_button_ = button("Command3", tr("再検索"), 7360);
  connect(end_button_, &QPushButton::clicked, this, &ResultsWindow::end_search);
  connect(print_button_, &QPushButton::clicked, this, &ResultsWindow::print);
  connect(again_button_, &QPushButton::clicked, this, &ResultsWindow::search_again);

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{report_, fare_text_, end_button_, print_button_,
                                                    again_button_})
    keys->escape_closes(w, [this] { end_proc(); });

  report_->viewport()->installEventFilter(this);
  report_->installEventFilter(this);  // Enter on a connection's line
  report_->setToolTip(tr("Enter またはダブルクリックでダイヤグラムに表示"));
  report_->setAccessibleDescription(report_->toolTip());

  // Narrow enough to open beside the main window on a 1280-pixel screen.
  setFixedSize(px(9480), px(8100));
}

bool ResultsWindow::load() {
  QPointer<ResultsWindow> self(this);
  // What runs while the search lets events run touches nothing of this window, which a
  // closing main window may delete meanwhile.
  app::AppState& state = state_;
  const auto pending = [&state] {
    if (state.process_events) state.process_events();
  };
  const std::function<void()> close_loading =
      ways_.show_loading ? ways_.show_loading() : std::function<void()>();
  pending();

  const SearchConditions cond = state.search_conditions;
  const calendar::SearchDate date = state.search_date;
  const calendar::DayFlags flags = state.search_day_flags;
  const ResultsInput in{state.schedule.sin,
                        state.fares,
                        state.settings.holidays,
                        state.edition_code(),
                        state.clock().now().year,
                        cond,
                        date,
                        flags,
                        {state.language, &state.place_names}};
  ResultsTexts texts;
  if (self) texts = load_results(in, state.route_search, state.search_result, pending);
  if (close_loading) close_loading();
  if (!self) return false;

  ui::place_window(this, state_.settings.pos(settings::kResultsWindowId));
  cond_ = cond;
  date_ = date;
  texts_ = std::move(texts);
  results_frame_->setTitle(ui::caption_text(texts_.caption));
  if (!texts_.legend.empty()) legend_->setText(QString::fromStdString(texts_.legend));
  report_->setPlainText(ui::text_box_text(texts_.report));
  fare_text_->setPlainText(ui::text_box_text(texts_.fare_text));
  // The texts first, as Tab goes: the user reads the connections before choosing what next.
  report_->setFocus();
  const int found = connection_count(state_.schedule.sin, cond_, state_.search_result);
  // Said where the focus is: with the focused control when the window appears.
  ui::announce(focusWidget() ? focusWidget() : end_button_, tr("%n件", nullptr, found));
  return true;
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == report_ && event->type() == QEvent::KeyPress && ways_.show_journey) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      const int line = report_->textCursor().blockNumber();
      const int entry = entry_at_line(state_.schedule.sin, cond_, state_.search_result, line);
      if (entry > 0) ways_.show_journey(entry);
      return true;
    }
  }
  if (watched == report_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
      ways_.show_journey) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    const int line = report_->cursorForPosition(at).blockNumber();
    const int entry = entry_at_line(state_.schedule.sin, cond_, state_.search_result, line);
    if (entry > 0) {
      ways_.show_journey(entry);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ResultsWindow::print() {
  if (state_.messages().confirm(this, tr("印刷開始します！！").toStdString(), kHelpPrint) ==
      ui::MessageAnswer::Cancel)
    return;
  ui::Printer& printer = state_.printer();
  if (!printer.choose(this)) return;
  printer.set_font(kPrintFace, kPrintPoints);
  PrintPage page;
  page.corridor_caption = state_.schedule.edition ? state_.schedule.edition->caption : "";
  page.program_version = data::kProgramVersion;
  page.edition_code = state_.edition_code();
  page.cond = cond_;
  page.date = date_;
  page.season = texts_.season;
  page.results_text = texts_.report;
  page.fare_text = texts_.fare_text;
  page.wording = {state_.language, &state_.place_names};
  for (const std::string& line : print_lines(page)) printer.print_line(line);
  std::string error;
  if (!printer.end_doc(error))
    state_.messages().error(this, tr("印刷できませんでした。\n").toStdString() + error);
}

void ResultsWindow::end_search() {
  ui::store_position(this, state_.settings.pos(settings::kResultsWindowId));
  if (ways_.back_to_board) ways_.back_to_board();
  close();
}

void ResultsWindow::search_again() {
  ui::store_position(this, state_.settings.pos(settings::kResultsWindowId));
  if (ways_.open_conditions) ways_.open_conditions();
  close();
}

void ResultsWindow::end_proc() {
  ui::store_position(this, state_.settings.pos(settings::kResultsWindowId));
  close();
}

void ResultsWindow::closeEvent(QCloseEvent* event) {
  state_.help().close();
  event->accept();
}

}  // namespace ravolin::search
