// SPDX-License-Identifier: MIT
// A read-only text box whose lines break only after a separator, so that a list such as
// "東京(09:03) → 新横浜(09:23) → …" is never cut inside one of its entries. The
// toolkit's own line breaking may break between any two kanji or kana.
#pragma once

#include <QString>

class QTextEdit;

namespace ravolin::ui {

// From now on the box's lines end only right after `separator` (or where an entry alone
// is wider than the box, which then breaks as usual). The text itself is not changed.
void wrap_only_after(QTextEdit* box, const QString& separator);

}  // namespace ravolin::ui
