// SPDX-License-Identifier: MIT
#include "render/scene_painter.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPolygonF>

#include <algorithm>
#include <memory>
#include <vector>

namespace ravolin::render {

namespace {

QColor color_of(board::Rgb c, double opacity = 1.0) {
  QColor q(c.r, c.g, c.b);
  q.setAlphaF(static_cast<float>(opacity));
  return q;
}

QFont font_of(double size, bool bold) {
  QFont f;
  f.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                 QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
  f.setPixelSize(static_cast<int>(size + 0.5));
  f.setBold(bold);
  return f;
}

void paint_rects(QPainter& p, const board::Scene& sc, const QRectF& plot) {
  for (const auto& r : sc.rects) {
    if (r.clipped) {
      p.setClipRect(plot);
    } else {
      p.setClipping(false);
    }
    p.fillRect(QRectF(r.x, r.y, r.w, r.h), color_of(r.fill, r.opacity));
  }
}

QPen pen_of(const board::SceneLine& l) {
  QPen pen(color_of(l.color, l.opacity));
  // Thin lines (the trains, the grid) go through the painter's fast cosmetic path; their
  // widths up to 2 px are kept by the colour and the dash rather than by the stroke.
  const bool thin = l.width < 2.0;
  const double w = thin ? 1.0 : l.width;
  pen.setWidthF(w);
  pen.setCosmetic(thin);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::FlatCap);
  if (l.dash == board::Dash::Dashed) pen.setDashPattern({6 / w, 3 / w});
  if (l.dash == board::Dash::Dotted) pen.setDashPattern({1.5 / w, 2.5 / w});
  return pen;
}

void paint_lines(QPainter& p, const board::Scene& sc, const QRectF& plot) {
  QPolygonF poly;
  int clip_state = -1;  // changing the clip is not free: only when it changes
  for (const auto& l : sc.lines) {
    if (l.xy.size() < 4) continue;
    if (clip_state != (l.clipped ? 1 : 0)) {
      clip_state = l.clipped ? 1 : 0;
      if (l.clipped) {
        p.setClipRect(plot);
      } else {
        p.setClipping(false);
      }
    }
    p.setPen(pen_of(l));
    poly.resize(static_cast<int>(l.xy.size() / 2));
    for (int k = 0; k < poly.size(); ++k) poly[k] = QPointF(l.xy[2 * k], l.xy[2 * k + 1]);
    p.drawPolyline(poly);
  }
  p.setClipping(false);
}

void paint_texts(QPainter& p, const board::Scene& sc) {
  // Few sizes, many texts: each font is looked up once per paint.
  struct CachedFont {
    double size;
    bool bold;
    QFont font;
    QFontMetricsF metrics;
  };
  std::vector<CachedFont> fonts;
  for (const auto& t : sc.texts) {
    auto it = std::find_if(fonts.begin(), fonts.end(), [&](const CachedFont& c) {
      return c.size == t.size && c.bold == t.bold;
    });
    if (it == fonts.end()) {
      QFont f = font_of(t.size, t.bold);
      fonts.push_back({t.size, t.bold, f, QFontMetricsF(f)});
      it = fonts.end() - 1;
    }
    const QFont& font = it->font;
    p.setFont(font);
    p.setPen(color_of(t.color));
    const QString s = QString::fromStdString(t.text);
    double x = t.x;
    if (t.anchor != board::Anchor::Start) {
      const double w = it->metrics.horizontalAdvance(s);
      x -= t.anchor == board::Anchor::Middle ? w / 2 : w;
    }
    if (t.halo) {
      QPainterPath path;
      path.addText(QPointF(x, t.y), font, s);
      p.strokePath(path,
                   QPen(color_of(sc.background), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    p.drawText(QPointF(x, t.y), s);
  }
}

}  // namespace

void paint_scene(QPainter& p, const board::Scene& sc) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.fillRect(QRectF(0, 0, sc.width, sc.height), color_of(sc.background));
  const QRectF plot(sc.plot_x, sc.plot_y, sc.plot_w, sc.plot_h);
  paint_rects(p, sc, plot);
  paint_lines(p, sc, plot);
  paint_texts(p, sc);
  p.restore();
}

bool write_scene_file(const board::Scene& sc, const std::string& path, bool pdf,
                      std::string& error) {
  std::unique_ptr<QGuiApplication> own_app;
  if (!QGuiApplication::instance()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ravolin-tool";
    static char* argv[] = {name, nullptr};
    own_app = std::make_unique<QGuiApplication>(argc, argv);
  }
  const QString file = QString::fromStdString(path);
  if (!pdf) {
    QImage image(static_cast<int>(sc.width), static_cast<int>(sc.height), QImage::Format_RGB32);
    {
      QPainter p(&image);
      paint_scene(p, sc);
    }
    if (!image.save(file, "PNG")) {
      error = "cannot write " + path;
      return false;
    }
    return true;
  }
  // PDF: check the file can be created first; QPdfWriter reports nothing on failure.
  {
    QFile probe(file);
    if (!probe.open(QIODevice::WriteOnly)) {
      error = "cannot write " + path + ": " + probe.errorString().toStdString();
      return false;
    }
  }
  QPdfWriter writer(file);
  writer.setTitle(QStringLiteral("ダイヤグラム"));
  writer.setCreator(QStringLiteral("Ravolin"));
  writer.setResolution(96);
  const QSizeF points(sc.width * 72.0 / 96.0, sc.height * 72.0 / 96.0);
  writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0)));
  QPainter p;
  if (!p.begin(&writer)) {
    error = "cannot write " + path;
    return false;
  }
  paint_scene(p, sc);
  if (!p.end()) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace ravolin::render
