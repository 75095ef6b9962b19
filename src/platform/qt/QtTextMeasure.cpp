#include "platform/qt/QtTextMeasure.h"

#include <QGuiApplication>
#include <QString>
#include <stdexcept>

namespace linkwatch {

namespace {

// Fonts cannot be measured before the GUI application exists.
void RequireGuiApplication() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw std::logic_error("Text measuring needs a QGuiApplication; create one first.");
  }
}

const QFont& RequireGui(const QFont& font) {
  RequireGuiApplication();
  return font;
}

QFont ApplicationFont() {
  RequireGuiApplication();
  return QGuiApplication::font();
}

}  // namespace

QtTextMeasure::QtTextMeasure() : QtTextMeasure(ApplicationFont()) {}

QtTextMeasure::QtTextMeasure(const QFont& font) : font_(RequireGui(font)), metrics_(font_) {}

double QtTextMeasure::TextWidth(const std::string& text) const {
  return metrics_.size(0, QString::fromStdString(text)).width();
}

double QtTextMeasure::TextHeight(const std::string& text) const {
  return metrics_.size(0, QString::fromStdString(text)).height();
}

}  // namespace linkwatch
