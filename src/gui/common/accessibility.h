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
// that changed, or the one the focus went to). Over AT-SPI, Orca speaks a change of the
// focused control's description, so the notice becomes the description of `where` for a
// while: until the focus leaves the control, or a few seconds when it has no focus. Then
// the control's own description (a box's hint) comes back. An alert goes with it for the
// platforms whose bridge passes alerts on (Qt's AT-SPI bridge drops them).
void announce(QWidget* where, const QString& text);

// A refused field: announces `message` on `field` (the box the focus went to), naming it.
void announce_refusal(QWidget* field, const QString& message);

}  // namespace ravolin::ui
