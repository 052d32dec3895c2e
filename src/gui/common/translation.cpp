// SPDX-License-Identifier: MIT
#include "gui/common/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace ravolin::ui {

bool use_language(QCoreApplication& app, text::Language language, const QString& folder) {
  // One translator for the program's life, owned by the application object.
  auto* translator = app.findChild<QTranslator*>(QStringLiteral("ravolin_translator"));
  if (translator) QCoreApplication::removeTranslator(translator);
  if (language != text::Language::kEnglish) return true;
  if (!translator) {
    translator = new QTranslator(&app);
    translator->setObjectName(QStringLiteral("ravolin_translator"));
  }
  if (!translator->load(QDir(folder).filePath(QString::fromLatin1(kEnglishTranslationFile))))
    return false;
  return QCoreApplication::installTranslator(translator);
}

}  // namespace ravolin::ui
