// SPDX-License-Identifier: MIT
// What a window shows or says in words, for tests of the English windows: its title and, for
// every control that is not hidden, the caption, the box text, the list and grid cells with
// their headings, the menu titles and items, the tooltip and the accessible name and
// description. `japanese_texts` keeps those that still have Japanese in them.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace ravolin::test_support {

struct VisibleText {
  QString where;  // objectName path and kind, e.g. "Frame1/List1 item 2"
  QString text;
};

// Kana (full- and half-width), kanji, Japanese punctuation and full-width forms.
bool has_japanese(const QString& text);

std::vector<VisibleText> visible_texts(const QWidget* window);

// The texts with Japanese in them once every occurrence of a `data` string (station names
// without an English form, hotel names, the user's own entries) is taken out.
std::vector<VisibleText> japanese_texts(const QWidget* window, const QStringList& data = {});

// Failure output: one "where: text" per line.
QString listed(const std::vector<VisibleText>& texts);

// Installs the English translation built into the Tokaido program folder for its lifetime
// (the windows built meanwhile are English); Japanese again afterwards.
class EnglishTranslation {
 public:
  EnglishTranslation();
  ~EnglishTranslation();
  EnglishTranslation(const EnglishTranslation&) = delete;
  EnglishTranslation& operator=(const EnglishTranslation&) = delete;
  // False when the translation file is missing (the build target `translations` makes it).
  bool installed() const { return installed_; }

 private:
  bool installed_ = false;
};

}  // namespace ravolin::test_support
