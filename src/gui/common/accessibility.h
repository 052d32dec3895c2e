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

// Sends the accessibility events a screen reader speaks for `text` on `where` (the control
// that changed, or the one the focus went to). Over AT-SPI, Orca speaks a change of the
// focused control's description, so the notice becomes the description of `where` for a
// while: until the focus leaves the control, or a few seconds when it has no focus. Then
// the control's own description (a box's hint) comes back. An alert goes with it for the
// platforms whose bridge passes alerts on (Qt's AT-SPI bridge drops them).
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

}  // namespace ravolin::ui
