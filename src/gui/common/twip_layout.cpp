// SPDX-License-Identifier: MIT
#include "gui/common/twip_layout.h"

#include "gui/common/window_conventions.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ravolin::ui {

int TwipLayout::px(int twips) const { return tw(window_, twips); }

void TwipLayout::set_geometry(QWidget* control, int left, int top, int width, int height) const {
  control->setGeometry(px(left), px(top), px(width), px(height));
}

QGroupBox* TwipLayout::frame(QWidget* parent, const QString& name, const QString& caption, int left,
                             int top, int width, int height) const {
  return place(new QGroupBox(caption, parent), name, left, top, width, height);
}

QLabel* TwipLayout::label(QWidget* parent, const QString& name, const QString& caption, int left,
                          int top, int width, int height) const {
  return place(new QLabel(caption, parent), name, left, top, width, height);
}

QLineEdit* TwipLayout::box(QWidget* parent, const QString& name, int left, int top, int width,
                           int height) const {
  return place(new QLineEdit(parent), name, left, top, width, height);
}

QLineEdit* TwipLayout::number_box(QWidget* parent, const QString& name, int left, int top,
                                  int width, int height) const {
  QLineEdit* box = this->box(parent, name, left, top, width, height);
  box->setAttribute(Qt::WA_InputMethodEnabled, false);
  box->setInputMethodHints(Qt::ImhDigitsOnly);
  return box;
}

QRadioButton* TwipLayout::option(QWidget* parent, const QString& name, const QString& caption,
                                 int left, int top, int width, int height) const {
  return place(new QRadioButton(caption, parent), name, left, top, width, height);
}

QPushButton* TwipLayout::button(QWidget* parent, const QString& name, const QString& caption,
                                int left, int top, int width, int height) const {
  QPushButton* b = place(new QPushButton(caption, parent), name, left, top, width, height);
  b->setAutoDefault(true);
  return b;
}

}  // namespace ravolin::ui
