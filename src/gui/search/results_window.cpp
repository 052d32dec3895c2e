#include "gui/search/results_window.h"

#include "board/about_text.h"
#include "gui/board/loading_window.h"
#include "text/print_columns.h"
#include "gui/common/window_conventions.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace ravolin::search {

namespace {

constexpr int kHelpPrint = 257;
constexpr const char* kMsgPrintStart = "印刷開始します！！";
constexpr const char* kPrintFace = "ＭＳ ゴシック";
constexpr int kPrintPoints = 9;

}  // namespace

ResultsWindow::ResultsWindow(app::AppState& state, Routes routes, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), routes_(std::move(routes)) {
  setObjectName(QStringLiteral("ravolin26"));
  setWindowTitle(QStringLiteral("新幹線検索結果"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ui::gothic_font(12));
  build_controls();
}

void ResultsWindow::build_controls() {
  const auto px = [this](int twips) { return ui::tw(this, twips); };
  frame1_ = new QGroupBox(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setGeometry(px(120), px(60), px(9240), px(7020));

  // Headings: buttons that only carry a caption.
  const auto heading = [&](const char* name, const QString& caption, int top) {
    auto* b = new QPushButton(caption, frame1_);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(px(120), px(top), px(9000), px(360));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  // The texts show TABs at every 8 half-width columns, as the printed report has them.
  const auto text_box = [&](const char* name, int top, int height) {
    auto* t = new QPlainTextEdit(frame1_);
    t->setObjectName(QString::fromLatin1(name));
    t->setGeometry(px(120), px(top), px(9000), px(height));
    t->setReadOnly(true);
    t->setTabChangesFocus(true);
    t->setLineWrapMode(QPlainTextEdit::NoWrap);
    t->setFont(ui::gothic_font(12));
    t->setTabStopDistance(text::kTabColumns * QFontMetricsF(t->font()).horizontalAdvance(QLatin1Char(' ')));
    return t;
  };
  heading("Command5", QStringLiteral("新幹線検索結果"), 300);
  text1_ = text_box("Text1", 660, 3300);
  heading("Command6", QStringLiteral("新幹線運賃情報"), 4020);
  text2_ = text_box("Text2", 4380, 2520);

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(px(120), px(7140), px(9240), px(300));

  const auto button = [&](const char* name, const QString& caption, int left) {
    return ui::command_button(this, name, caption, left, 7530, 2000, 420);
  };
  command1_ = button("Command1", QStringLiteral("検索終了"), 120);
  command2_ = button("Command2", QStringLiteral("印刷"), 3740);
  command3_ = button("Command3", QStringLiteral("再検索"), 7360);
  connect(command1_, &QPushButton::clicked, this, &ResultsWindow::end_search);
  connect(command2_, &QPushButton::clicked, this, &ResultsWindow::print);
  connect(command3_, &QPushButton::clicked, this, &ResultsWindow::search_again);

  auto* keys = new ui::KeyConventions(this);
  for (QWidget* w : std::initializer_list<QWidget*>{text1_, text2_, command1_, command2_, command3_})
    keys->escape_closes(w, [this] { end_proc(); });

  text1_->viewport()->installEventFilter(this);
  text1_->setToolTip(QStringLiteral("ダブルクリックでダイヤグラムに表示"));

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
  QPointer<board::LoadingWindow> loading = new board::LoadingWindow(state, board::kLoadingSearch);
  loading->show();
  pending();

  const SearchConditions cond = state.search_conditions;
  const calendar::SearchDate date = state.search_date;
  const calendar::DayFlags flags = state.search_day_flags;
  const ResultsInput in{state.schedule.sin, state.fares, state.settings.holidays,
                        state.edition_code(), state.clock().now().year, cond, date, flags};
  ResultsTexts texts;
  if (self) texts = load_results(in, state.route_search, state.search_result, pending);
  if (loading) {
    loading->finish();
    delete loading.data();
  }
  if (!self) return false;

  ui::place_window(this, state_.settings.pos(settings::kResultsWindowId));
  cond_ = cond;
  date_ = date;
  texts_ = std::move(texts);
  frame1_->setTitle(QString::fromStdString(texts_.caption));
  if (!texts_.legend.empty()) label1_->setText(QString::fromStdString(texts_.legend));
  text1_->setPlainText(ui::text_box_text(texts_.report));
  text2_->setPlainText(ui::text_box_text(texts_.fare_text));
  command1_->setFocus();
  return true;
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
      routes_.show_journey) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    const int line = text1_->cursorForPosition(at).blockNumber();
    const int entry = entry_at_line(state_.schedule.sin, cond_, state_.search_result, line);
    if (entry > 0) {
      routes_.show_journey(entry);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ResultsWindow::print() {
  if (state_.messages().confirm(this, kMsgPrintStart, kHelpPrint) == ui::MessageAnswer::Cancel)
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
  for (const std::string& line : print_lines(page)) printer.print_line(line);
  std::string error;
  if (!printer.end_doc(error)) state_.messages().error(this, "印刷できませんでした。\n" + error);
}

void ResultsWindow::end_search() {
  ui::store_position(this, state_.settings.pos(settings::kResultsWindowId));
  if (routes_.show_main) routes_.show_main();
  close();
}

void ResultsWindow::search_again() {
  ui::store_position(this, state_.settings.pos(settings::kResultsWindowId));
  if (routes_.open_conditions) routes_.open_conditions();
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
