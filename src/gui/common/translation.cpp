// SPDX-License-Identifier: MIT
#include "gui/common/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace ravolin::ui {
namespace {

const QString kTranslatorName = QStringLiteral("ravolin_translator");
constexpr const char* kInstalled = "installed";

}  // namespace

bool use_language(QCoreApplication& app, text::Language language, const QString& folder) {
  // One translator for the program's life, owned by the application object.
  auto* translator = app.findChild<QTranslator*>(kTranslatorName);
  if (translator) {
    QCoreApplication::removeTranslator(translator);
    translator->setProperty(kInstalled, false);
  }
  if (language != text::Language::kEnglish) return true;
  if (!translator) {
    translator = new QTranslator(&app);
    translator->setObjectName(kTranslatorName);
  }
  if (!translator->load(QDir(folder).filePath(QString::fromLatin1(kEnglishTranslationFile))))
    return false;
  const bool installed = QCoreApplication::installTranslator(translator);
  translator->setProperty(kInstalled, installed);
  return installed;
}

text::Language windows_language() {
  const QCoreApplication* app = QCoreApplication::instance();
  const auto* translator = app ? app->findChild<QTranslator*>(kTranslatorName) : nullptr;
  return translator && translator->property(kInstalled).toBool() ? text::Language::kEnglish
                                                                 : text::Language::kJapanese;
}

}  // namespace ravolin::ui
