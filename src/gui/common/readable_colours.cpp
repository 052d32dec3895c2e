// SPDX-License-Identifier: MIT
#include "gui/common/readable_colours.h"

#include "diagram/contrast.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace ravolin::ui {

namespace {

board::Rgb rgb(const QColor& c) {
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

// The palette's highlight in each group, made to read under its highlighted text.
void readable_highlight(QPalette& palette) {
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    const QColor text = palette.color(group, QPalette::HighlightedText);
    palette.setColor(
        group, QPalette::Highlight,
        readable_against(palette.color(group, QPalette::Highlight), text, kTextContrast));
  }
}

}  // namespace

double contrast(const QColor& a, const QColor& b) { return board::contrast_ratio(rgb(a), rgb(b)); }

QColor readable_against(const QColor& colour, const QColor& ground, double ratio) {
  const bool dark_ground = board::relative_luminance(rgb(ground)) < 0.18;
  const QColor end = dark_ground ? QColor(Qt::white) : QColor(Qt::black);
  // The least step towards black or white that reads (20 steps of 5%).
  for (int step = 0; step <= 20; ++step) {
    const double t = step / 20.0;
    const QColor c =
        QColor::fromRgbF(static_cast<float>(colour.redF() + (end.redF() - colour.redF()) * t),
                         static_cast<float>(colour.greenF() + (end.greenF() - colour.greenF()) * t),
                         static_cast<float>(colour.blueF() + (end.blueF() - colour.blueF()) * t));
    if (contrast(c, ground) >= ratio) return c;
  }
  return end;
}

void ReadableLinesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  readable_highlight(opt.palette);
  const bool outline =
      (opt.state & QStyle::State_HasFocus) && !(opt.state & QStyle::State_Selected);
  opt.state &= ~QStyle::State_HasFocus;
  QStyledItemDelegate::paint(painter, opt, index);
  if (!outline) return;
  const QColor ground = opt.palette.color(QPalette::Base);
  painter->save();
  painter->setPen(
      QPen(readable_against(opt.palette.color(QPalette::Text), ground, kMarkContrast), 2));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(QRectF(opt.rect).adjusted(1, 1, -1, -1));
  painter->restore();
}

void ReadableMarksStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  if (element != PE_IndicatorRadioButton && element != PE_IndicatorCheckBox) return;
  // The ring or the box once more, over the style's own, in a colour that reads on the
  // window (the mark inside, a dot or a tick, stays the style's).
  const QColor ground = option->palette.color(QPalette::Base);
  const QColor ring = option->palette.color(QPalette::WindowText);
  const QColor over =
      QColor::fromRgbF(static_cast<float>(ring.redF() * 0.5 + ground.redF() * 0.5),
                       static_cast<float>(ring.greenF() * 0.5 + ground.greenF() * 0.5),
                       static_cast<float>(ring.blueF() * 0.5 + ground.blueF() * 0.5));
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, true);
  painter->setPen(QPen(readable_against(over, ground, kMarkContrast), 1));
  painter->setBrush(Qt::NoBrush);
  const QRectF r = QRectF(option->rect).adjusted(1.5, 1.5, -1.5, -1.5);
  if (element == PE_IndicatorRadioButton)
    painter->drawEllipse(r);
  else
    painter->drawRoundedRect(r, 1, 1);
  painter->restore();
}

void use_readable_marks() {
  if (dynamic_cast<ReadableMarksStyle*>(QApplication::style())) return;
  QApplication::setStyle(new ReadableMarksStyle(QApplication::style()->name()));
}

}  // namespace ravolin::ui
