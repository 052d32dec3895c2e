// SPDX-License-Identifier: MIT
#include "gui/common/picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ravolin::ui {

// A white high-speed train with a blue stripe running under a sky, over a rail.
QPixmap program_picture(int width, int height) {
  QPixmap pix(width, height);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor(120, 170, 230));
  sky.setColorAt(1, QColor(225, 240, 255));
  p.fillRect(0, 0, width, height, sky);
  const double w = width, h = height;
  // Rail.
  p.setPen(QPen(QColor(90, 90, 90), h * 0.03));
  p.drawLine(QPointF(0, h * 0.82), QPointF(w, h * 0.82));
  // Body with a long nose to the right.
  QPainterPath body;
  body.moveTo(w * 0.05, h * 0.45);
  body.lineTo(w * 0.55, h * 0.45);
  body.cubicTo(w * 0.80, h * 0.45, w * 0.92, h * 0.62, w * 0.95, h * 0.76);
  body.lineTo(w * 0.05, h * 0.76);
  body.closeSubpath();
  p.setPen(QPen(QColor(60, 60, 80), 1));
  p.setBrush(QColor(250, 250, 250));
  p.drawPath(body);
  // Stripe and windows.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 60, 160));
  p.drawRect(QRectF(w * 0.05, h * 0.66, w * 0.80, h * 0.04));
  p.setBrush(QColor(40, 50, 70));
  for (int i = 0; i < 5; ++i)
    p.drawRect(QRectF(w * (0.09 + i * 0.09), h * 0.52, w * 0.05, h * 0.07));
  QPainterPath cab;
  cab.moveTo(w * 0.58, h * 0.50);
  cab.cubicTo(w * 0.68, h * 0.50, w * 0.74, h * 0.54, w * 0.78, h * 0.59);
  cab.lineTo(w * 0.58, h * 0.59);
  cab.closeSubpath();
  p.drawPath(cab);
  p.end();
  return pix;
}

}  // namespace ravolin::ui
