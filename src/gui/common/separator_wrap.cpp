// SPDX-License-Identifier: MIT
#include "gui/common/separator_wrap.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace ravolin::ui {
namespace {

// Lays out every paragraph of a plain-text document line by line: each line takes as many
// whole entries (text up to and including a separator) as fit into the page width.
class SeparatorWrapLayout final : public QAbstractTextDocumentLayout {
 public:
  SeparatorWrapLayout(QTextDocument* document, QString separator)
      : QAbstractTextDocumentLayout(document), separator_(std::move(separator)) {}

  void draw(QPainter* painter, const PaintContext& context) override {
    painter->save();
    painter->setPen(context.palette.color(QPalette::Text));
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      QList<QTextLayout::FormatRange> selections;
      for (const Selection& sel : context.selections) {
        const int from = std::max(sel.cursor.selectionStart(), block.position());
        const int to = std::min(sel.cursor.selectionEnd(), block.position() + block.length() - 1);
        if (from < to) selections.append({from - block.position(), to - from, sel.format});
      }
      block.layout()->draw(painter, QPointF(0, 0), selections);
    }
    painter->restore();
  }

  int hitTest(const QPointF& point, Qt::HitTestAccuracy) const override {
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      const QTextLayout* layout = block.layout();
      for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (point.y() < layout->position().y() + line.rect().bottom())
          return block.position() + line.xToCursor(point.x() - layout->position().x());
      }
    }
    return std::max(0, document()->characterCount() - 1);
  }

  int pageCount() const override { return 1; }
  QSizeF documentSize() const override { return size_; }
  QRectF frameBoundingRect(QTextFrame*) const override { return {QPointF(0, 0), size_}; }
  QRectF blockBoundingRect(const QTextBlock& block) const override {
    const QTextLayout* layout = block.layout();
    qreal height = 0;
    for (int i = 0; i < layout->lineCount(); ++i) height += layout->lineAt(i).height();
    return {layout->position(), QSizeF(size_.width(), height)};
  }

 protected:
  void documentChanged(int, int, int) override { relayout(); }

 private:
  void relayout() {
    const QTextDocument* doc = document();
    const qreal margin = doc->documentMargin();
    const bool bounded = doc->textWidth() > 0;
    const qreal width = bounded ? std::max<qreal>(1, doc->textWidth() - 2 * margin) : 1e9;
    const QFontMetricsF metrics(doc->defaultFont());
    qreal y = margin;
    qreal widest = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
      const QString text = block.text();
      // Where a line may end: right after each separator, and at the end.
      std::vector<int> ends;
      for (int i = text.indexOf(separator_); i >= 0 && !separator_.isEmpty();
           i = text.indexOf(separator_, i + separator_.size()))
        ends.push_back(i + static_cast<int>(separator_.size()));
      ends.push_back(static_cast<int>(text.size()));

      QTextLayout* layout = block.layout();
      layout->beginLayout();
      qreal line_y = 0;
      int start = 0;
      do {
        QTextLine line = layout->createLine();
        if (!line.isValid()) break;
        int end = start;
        for (int e : ends) {
          if (e <= start) continue;
          // Blanks at the end of a line take no room.
          QString piece = text.mid(start, e - start);
          while (piece.endsWith(QLatin1Char(' '))) piece.chop(1);
          if (metrics.horizontalAdvance(piece) > width) break;
          end = e;
        }
        if (end > start) {
          // Exactly these characters, whatever the toolkit's own break rules say.
          line.setNumColumns(end - start);
        } else {
          line.setLineWidth(width);  // one entry wider than the box
        }
        line.setPosition(QPointF(0, line_y));
        line_y += line.height();
        widest = std::max(widest, line.naturalTextWidth());
        start = line.textStart() + line.textLength();
      } while (start < text.size());
      layout->endLayout();
      layout->setPosition(QPointF(margin, y));
      y += line_y;
    }
    const qreal natural = widest + 2 * margin;
    size_ = QSizeF(bounded ? std::min(natural, doc->textWidth()) : natural, y + margin);
    emit documentSizeChanged(size_);
    emit update();
  }

  QString separator_;
  QSizeF size_;
};

}  // namespace

void wrap_only_after(QTextEdit* box, const QString& separator) {
  const QString text = box->toPlainText();
  box->document()->setDocumentLayout(new SeparatorWrapLayout(box->document(), separator));
  box->setPlainText(text);
}

}  // namespace ravolin::ui
