// The host platform's choice between interactive and headless parts. It is the
// only part of the host platform that needs Qt Widgets (the modal message box);
// programs that never draw call HostPlatform::Headless() and leave it out.
#include <QGuiApplication>
#include <memory>

#include "common/Globals.h"
#include "platform/host/CharacterTextMeasure.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/StderrMessageBox.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtTextMeasure.h"

namespace linkwatch {

namespace {

// Fonts need a GUI application; a headless host counts characters instead.
bool ShowsWindows(const HostPlatformOptions& options) {
  return options.Interactive &&
         qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

std::unique_ptr<TextMeasure> MeasureFor(const HostPlatformOptions& options) {
  if (ShowsWindows(options)) return std::make_unique<QtTextMeasure>();
  return std::make_unique<CharacterTextMeasure>();
}

std::unique_ptr<MessageBox> MessageBoxFor(const HostPlatformOptions& options) {
  if (ShowsWindows(options)) return std::make_unique<QtMessageBox>();
  return std::make_unique<StderrMessageBox>();
}

}  // namespace

HostPlatform::HostPlatform(HostPlatformOptions options)
    : HostPlatform(MeasureFor(options), MessageBoxFor(options)) {}

std::shared_ptr<HostPlatform> HostPlatform::InstallForThisThread(HostPlatformOptions options) {
  auto platform = std::make_shared<HostPlatform>(options);
  Globals::Install(platform);
  return platform;
}

}  // namespace linkwatch
