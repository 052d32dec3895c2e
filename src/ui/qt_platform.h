// The real platform services: Qt message boxes, the program's own help window and
// a Qt printer.
#pragma once

#include "ui/platform.h"

#include <QPointer>

#include <memory>
#include <string>

class QPainter;
class QPrinter;

namespace ravolin::ui {

class HelpWindow;

// Shows help files in a small window of the program's own (ui/help_window.h).
class QtHelpViewer final : public HelpViewer {
 public:
  QtHelpViewer();
  ~QtHelpViewer() override;
  void show_contents(const std::string& help_path) override;
  void show_topic(const std::string& help_path, int topic) override;
  void close() override;
  HelpWindow* window() const;

 private:
  HelpWindow* ensure_window();
  QPointer<HelpWindow> window_;
};

// QMessageBox with the program's titles and warning icon; F1 opens the help topic.
class QtMessageBoxes final : public MessageBoxes {
 public:
  QtMessageBoxes(HelpViewer& help, std::string help_path)
      : help_(help), help_path_(std::move(help_path)) {}
  MessageAnswer show(QWidget* parent, const MessageRequest& request) override;

 private:
  HelpViewer& help_;
  std::string help_path_;
};

class QtPrinter final : public Printer {
 public:
  QtPrinter();
  ~QtPrinter() override;
  bool choose(QWidget* parent) override;
  // Instead of choose(): print the next document into a PDF file, without a dialog.
  void choose_pdf_file(const std::string& path);
  void set_font(const std::string& face, int point_size) override;
  // A line holding line breaks (CR LF or LF) prints as one line per part.
  void print_line(const std::string& line) override;
  bool end_doc(std::string& error) override;

 private:
  bool begin();
  void draw_line(const QString& text);
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  std::string face_ = "IPAGothic";
  int point_size_ = 10;
  int y_ = 0;
  bool failed_ = false;
};

}  // namespace ravolin::ui
