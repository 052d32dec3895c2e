// SPDX-License-Identifier: MIT
// What a screen reader needs beyond what the controls already tell it: spoken notices of
// changes that a sighted user only sees (a board line gaining "急げ!!", a refused field,
// a finished search).
#pragma once

#include <QString>

class QObject;
class QWidget;

namespace ravolin::ui {

// Sends the accessibility events a screen reader speaks for `text` on `where` (the control
// that changed, or the window): an alert with the text as the object's description.
void announce(QWidget* where, const QString& text);

// A refused field: announces `message` on `field` (the box the focus went to), naming it.
void announce_refusal(QWidget* field, const QString& message);

}  // namespace ravolin::ui
