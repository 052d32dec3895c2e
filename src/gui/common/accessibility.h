// SPDX-License-Identifier: MIT
// What a screen reader needs beyond what the controls already tell it: spoken notices of
// changes that a sighted user only sees (a board line gaining "急げ!!", a refused field,
// a finished search).
#pragma once

#include <QString>

class QObject;
class QWidget;

namespace ravolin::ui {

// Tells a screen reader `text` about `where`, the control the user is on (or the one the
// focus goes to). Two ways, because Qt 6.4's AT-SPI bridge sends a description change
// without the new text (Orca 43 says nothing for it):
// - the window of `where` shows its notice object, a notification named `text`, half a
//   second later (after the change that caused it); Orca speaks it when it appears
//   ("通知 …"), also while another window is active. A window that is not shown yet has
//   none: the focus speaks the text with `where` when the window appears;
// - `text` becomes the description of `where` for a while, so that the focus and "where
//   am I" say it: until the focus leaves the control, or a few seconds when it has no
//   focus. Then the control's own description (a box's hint) comes back.
// An alert goes with it for the platforms whose bridge passes alerts on.
void announce(QWidget* where, const QString& text);

// A refused field: announces `message` on `field` (the box the focus went to), naming it.
void announce_refusal(QWidget* field, const QString& message);

// The object name of a window's notice object (kept hidden between notices).
inline constexpr char kNoticeObjectName[] = "ravolin_notice";

}  // namespace ravolin::ui
