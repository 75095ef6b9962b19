// linkwatch-desktop: the desktop monitor. Optionally opens a saved profile.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include "GuardedApplication.h"
#include "MainWindow.h"

int main(int argc, char* argv[]) {
  linkwatch::desktop::GuardedApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Linkwatch Desktop"));
  QApplication::setApplicationVersion(QStringLiteral(LINKWATCH_DESKTOP_VERSION));

  QCommandLineParser options;
  options.setApplicationDescription(
      QStringLiteral("Monitors the network interfaces of a device over SNMP."));
  options.addHelpOption();
  options.addVersionOption();
  options.addPositionalArgument(QStringLiteral("profile"),
                                QStringLiteral("A profile saved with File > Save Profile."),
                                QStringLiteral("[profile]"));
  options.process(app);

  linkwatch::desktop::MainWindow window;
  window.show();
  if (!options.positionalArguments().isEmpty()) {
    const QString error = window.OpenProfile(options.positionalArguments().constFirst());
    if (!error.isEmpty()) QMessageBox::warning(&window, QStringLiteral("Open Profile"), error);
  }
  return QApplication::exec();
}
