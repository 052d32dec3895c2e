// SPDX-License-Identifier: MIT
// Colours that read whatever the desktop's palette: the selected line of a list reads at
// 4.5:1 (its text on its highlight), and the marks of state and focus (the current line's
// outline, the ring of an option, the box of a check box) at 3:1 against what they are
// drawn on. Qt's Fusion style draws the current line's outline and, in dark palettes, the
// ring of an unchosen option in colours that barely differ from the ground.
#pragma once

#include <QColor>
#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace ravolin::ui {

inline constexpr double kTextContrast = 4.5;
inline constexpr double kMarkContrast = 3.0;

// The contrast ratio of two colours (1 to 21).
double contrast(const QColor& a, const QColor& b);
// `colour`, darkened on a light ground or lightened on a dark one just as far as it takes
// to reach `ratio` against `ground` (black or white at the most).
QColor readable_against(const QColor& colour, const QColor& ground, double ratio);

// Draws a list's lines with a readable selection and, on the current line that is not
// selected, a solid outline in the text's colour in place of the style's faint one.
class ReadableLinesDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

// The application's style with rings of options and boxes of check boxes that read.
class ReadableMarksStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

// Puts ReadableMarksStyle over the application's style (the program does it at start).
void use_readable_marks();

}  // namespace ravolin::ui
