// SPDX-License-Identifier: MIT
// The windows' own texts in the chosen language: Japanese is written in the code and used as
// it stands; English comes from the translation file built beside the executable.
#pragma once

#include "text/language.h"

#include <QString>

class QCoreApplication;

namespace ravolin::ui {

// The translation file of the English windows (built from translations/*.ts).
inline constexpr const char* kEnglishTranslationFile = "ravolin_en.qm";

// Installs the English translation from `folder` on `app` when `language` is English (and
// removes an earlier one otherwise). False when the English file is missing or unreadable;
// the windows then keep their Japanese texts.
bool use_language(QCoreApplication& app, text::Language language, const QString& folder);

// The language the windows show now: English while the English translation is installed.
// For the texts a window words itself without the shared state (the help viewer).
text::Language windows_language();

}  // namespace ravolin::ui
