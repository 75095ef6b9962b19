#include "CliProgram.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "ExitCodes.h"
#include "MonitorRun.h"
#include "OptionParser.h"
#include "StatisticsListing.h"
#include "common/Globals.h"
#include "server/TypeLibrary.h"
#include "common/TextFunctions.h"
#include "common/Version.h"
#include "platform/host/HostPlatform.h"
#include "platform/qt/QtEventLoop.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::cli {
namespace {

// Releases the thread's shared objects before the Qt application goes away.
struct PlatformScope {
  PlatformScope() { Globals::Install(HostPlatform::Headless()); }
  ~PlatformScope() { Globals::Reset(); }
  PlatformScope(const PlatformScope&) = delete;
  PlatformScope& operator=(const PlatformScope&) = delete;
};

// Qt's notes about its own set-up (no XDG_RUNTIME_DIR for a program started
// without a desktop session, for one) mean nothing to the monitor's users; any
// other message still reaches stderr.
QtMessageHandler previousQtHandler = nullptr;

void QuietQtSetupNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && text.startsWith(QStringLiteral("QStandardPaths:"))) return;
  if (previousQtHandler != nullptr) {
    previousQtHandler(type, context, text);
  } else {
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
  }
}

bool Readable(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream file(path);
  return file.good();
}

}  // namespace

int CliProgram::UsageError(const std::string& message) {
  err_ << "linkwatch: " << message << "\n";
  return kExitUsage;
}

std::string CliProgram::CheckedStatistics(const std::string& list, std::string& error) const {
  const auto templates = Globals::Templates();
  std::string checked;
  // Messages name a wrong entry by its place in the list, not by its text: a
  // mistyped command line may have put a password there.
  int place = 0;
  for (const std::string& part : Split(list, ',')) {
    const std::string name = TrimBlanks(part);
    ++place;
    if (name.empty()) continue;
    const auto definition = templates->Item(name);
    const std::string entry = "--stats: entry " + std::to_string(place) + " of the list";
    if (!definition) {
      error = entry + " is not a defined statistic (see --list-statistics)";
      return {};
    }
    if (!definition->OID()) {
      error = entry + " is a check box of the control's own and reads nothing from the device";
      return {};
    }
    checked += (checked.empty() ? "" : ",") + name;
  }
  if (checked.empty()) error = "--stats: the list of statistics is empty";
  return checked;
}

int CliProgram::Main(const std::vector<std::string>& args, bool stdoutIsTerminal) {
  ParseOutcome parsed = OptionParser::Parse(args, OptionParser::ProcessEnvironment());
  switch (parsed.What) {
    case ParseOutcome::Kind::Help:
      out_ << OptionParser::Usage();
      return kExitSuccess;
    case ParseOutcome::Kind::Version:
      out_ << "linkwatch " << LinkwatchVersion() << "\n";
      return kExitSuccess;
    case ParseOutcome::Kind::UsageError:
      return UsageError(parsed.Error);
    case ParseOutcome::Kind::Run:
      break;
  }
  CliOptions& options = parsed.Options;
  if (options.Describe) {
    out_ << TypeLibrary::Instance().Describe();
    return kExitSuccess;
  }

  if (!options.StatisticsFile.empty()) {
    if (!Readable(options.StatisticsFile)) {
      return UsageError("--statistics-file: cannot read the file it names");
    }
    StatisticTemplates::SetFileOverride(std::filesystem::absolute(options.StatisticsFile).string());
  }

  previousQtHandler = qInstallMessageHandler(QuietQtSetupNotes);
  // The monitor draws nothing: a core application, without the window system,
  // fonts and widget style a QApplication would load.
  const auto application = QtEventLoop::EnsureCoreApplication();
  PlatformScope platform;
  const auto templates = Globals::Templates();
  if (templates->Count() == 0) {
    const std::string why = templates->LoadError().empty()
                                ? std::string()
                                : " (it is not a statistics file: " + templates->LoadError() + ")";
    return UsageError("no statistics are defined in '" + StatisticTemplates::FileLocation() + "'" +
                      why + "; choose a statistics file with --statistics-file");
  }
  if (options.ListStatistics) {
    out_ << StatisticsListing::Format(StatisticsListing::Collect(*templates), options.Format);
    return kExitSuccess;
  }

  std::string error;
  options.Statistics = CheckedStatistics(options.Statistics, error);
  if (!error.empty()) return UsageError(error);

  MonitorRun run(options, out_, err_, stdoutIsTerminal && !options.Cycles);
  return run.Run();
}

}  // namespace linkwatch::cli
