// SPDX-License-Identifier: MIT
#include "gui/common/accessibility.h"

#include <QAccessible>
#include <QWidget>

namespace ravolin::ui {

void announce(QWidget* where, const QString& text) {
  if (!where || text.isEmpty()) return;
  where->setAccessibleDescription(text);
  QAccessibleEvent changed(where, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
  QAccessibleEvent alert(where, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

void announce_refusal(QWidget* field, const QString& message) {
  if (!field) return;
  const QString name = field->accessibleName();
  announce(field, name.isEmpty() ? message : name + QStringLiteral(": ") + message);
}

}  // namespace ravolin::ui
