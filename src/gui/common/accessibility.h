// SPDX-License-Identifier: MIT
// What a screen reader needs beyond what the controls already tell it: spoken notices of
// changes that a sighted user only sees (a board line gaining "急げ!!", a refused field,
// a finished search), and what each thing on the screen is. Every window of the program
// is told to assistive technology as a window (not as a pane), a menu entry by its caption
// without the access key marks ("ﾌｧｲﾙ(Fﾊ)", not "ﾌｧｲﾙ(F&ﾊ)"), and a caption-only button
// (caption_only) as the heading or text it is.
#pragma once

#include <QString>

class QLabel;
class QObject;
class QPushButton;
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

// The label that names a field says its whole name to a screen reader: it becomes the
// field's buddy (its access key moves there) and is named as the field is ("新幹線 利用
// している駅" for the label "利用している駅"). Orca says a field's labels in place of its
// name, so a unit beside a box ("分", "時") must never be its buddy. Call it once the field
// has its name.
void name_by_label(QLabel* label, QWidget* field);

// Tells assistive technology what the program's windows, menu entries and captions are
// (above). Every window calls it as it is built (ui::help_on_f1 does); once is enough.
void expose_program_interfaces();

// A button that only carries a caption (a heading over a list or a text, a title strip):
// a screen reader is told it is a heading (or, for a title strip, a static text) and Tab
// passes it by; it still looks as it did.
enum class CaptionKind { kHeading, kText };
void caption_only(QPushButton* button, CaptionKind kind = CaptionKind::kHeading);

// A text as a screen reader should say it: prices are written with U+005C, which the
// Japanese fonts draw as a yen sign but a screen reader calls a backslash; they are said
// with the yen sign. What is shown, printed and stored keeps the program's own sign.
QString spoken_text(const QString& shown);
// The object name of a window's notice object (kept hidden between notices).
inline constexpr char kNoticeObjectName[] = "ravolin_notice";

}  // namespace ravolin::ui
