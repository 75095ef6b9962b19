// linkwatch-desktop as a user meets it: the built program in a real X server
// (Xvfb), opened with a profile for a local snmpd. The test presses Start, waits
// for the grid to fill and reads back what the window shows: the rows and rates
// through Select All and Copy (the X clipboard), the title, and the header on a
// screenshot, which it keeps under the build's test artifacts for people to look
// at. (Sorting by a header click is the grid view's, tested there.)
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DesktopSession.h"
#include "support/AgentProcess.h"
#include "support/BackgroundProcess.h"
#include "support/Files.h"
#include "support/SnmpdAgent.h"

namespace linkwatch::desktop_program {
namespace {

using namespace std::chrono_literals;

constexpr QRgb kHeaderSectionColour = 0xf2f4f7;  // the grid view's style

// The grid as copied: rows of cells.
using Table = std::vector<QStringList>;

Table Parse(const QString& copied) {
  Table table;
  for (const QString& line : copied.split(QStringLiteral("\r\n"))) table.push_back(line.split(u'\t'));
  return table;
}

// A rate as the grid shows one: "0 bps", "9.6 Kbps", "10 Mbps" (any decimal separator).
bool IsRate(const QString& text) {
  static const QRegularExpression rate(QStringLiteral(R"(^-?\d+(\D\d+)? [KMGT]?bps$)"));
  return rate.match(text).hasMatch();
}

// Whether the copied table has its header and at least one interface row whose
// In Traffic and Speed cells show rates.
bool FilledWithRates(const Table& table) {
  if (table.size() < 2 || table[0] != QStringList{"Interface", "In", "Speed"}) return false;
  return std::any_of(table.begin() + 1, table.end(), [](const QStringList& row) {
    return row.size() == 3 && IsRate(row[1]) && IsRate(row[2]);
  });
}

TEST(DesktopProgram, StartsFillsAndShowsItsDeviceInARealXServer) {
  support::TemporaryDirectory home("linkwatch-desktop-user");
  ASSERT_TRUE(home.Error().empty()) << home.Error();
  // A real X server: Xvfb takes the first free display number and writes it, a
  // line of digits, once it accepts clients.
  support::BackgroundProcess xvfb;
  ASSERT_TRUE(xvfb.Start({support::AgentProcess::FindProgram("Xvfb", {}, {}), "-displayfd", "1",
                          "-screen", "0", "1280x800x24", "-nolisten", "tcp"},
                         home.Path() + "/xvfb.log"))
      << "Xvfb could not be started (Debian package xvfb)";
  QString display;
  const QRegularExpression number(QStringLiteral(R"((?m)^(\d+)$)"));
  ASSERT_TRUE(support::PollUntil(
      [&] {
        const QRegularExpressionMatch match = number.match(QString::fromStdString(xvfb.Output()));
        if (match.hasMatch()) display = QStringLiteral(":") + match.captured(1);
        return match.hasMatch() || !xvfb.Running();
      },
      15s, 50ms) && !display.isEmpty())
      << "Xvfb gave no display number: " << xvfb.Output();
  support::SnmpdAgent agent;
  ASSERT_TRUE(agent.Start()) << agent.Error();
  const QString profile = QString::fromStdString(home.Path()) + QStringLiteral("/device.json");
  {
    QFile file(profile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"format": "linkwatch-desktop-profile", "formatVersion": 1,
      "target": "127.0.0.1", "port": %1, "snmpVersion": 0, "community": "public",
      "statistics": ["Interface Name", "In Traffic", "Speed"],
      "refreshInterval": 5, "autoUpdate": true, "includesPasswords": true})")
                   .arg(agent.Port())
                   .toUtf8());
  }

  // The program, as a user starts it with a profile.
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), display);
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  environment.insert(QStringLiteral("HOME"), QString::fromStdString(home.Path()));
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(home.Path()));
  program.setProcessEnvironment(environment);
  program.setProcessChannelMode(QProcess::MergedChannels);
  program.start(QStringLiteral(LINKWATCH_DESKTOP_PROGRAM), {profile});
  ASSERT_TRUE(program.waitForStarted(10000)) << program.errorString().toStdString();
  struct StopProgram {
    QProcess& process;
    ~StopProgram() {
      if (process.state() == QProcess::NotRunning) return;
      process.kill();
      process.waitForFinished(5000);
    }
  } stopProgram{program};
  auto output = [&] { return QString::fromLocal8Bit(program.readAll()).toStdString(); };

  // This test is an X client of the same server, for the clipboard and the screen.
  qputenv("DISPLAY", display.toLocal8Bit());
  int argc = 3;
  char name[] = "apps_desktop_program_tests", platformOption[] = "-platform", xcb[] = "xcb";
  char* argv[] = {name, platformOption, xcb, nullptr};
  QGuiApplication application(argc, argv);
  XUser user(display);

  const QString window = user.Xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                                       QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                       QStringLiteral("^Linkwatch Desktop")},
                                      20s)
                             .section(u'\n', 0, 0);
  ASSERT_FALSE(window.trimmed().isEmpty()) << user.LastError().toStdString() << output();
  auto title = [&] { return user.Xdotool({QStringLiteral("getwindowname"), window}); };

  // Start, through the Monitor menu, with the keyboard.
  user.Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
  auto visibleWindows = [&] {
    return user.Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                         QString::number(program.processId()), QStringLiteral("")})
        .split(u'\n')
        .size();
  };
  const qsizetype windowsBefore = visibleWindows();
  user.Keys(QStringLiteral("alt+m"));
  ASSERT_TRUE(support::PollUntil([&] { return visibleWindows() > windowsBefore; }, 10s, 100ms))
      << "the Monitor menu did not open";
  user.Keys(QStringLiteral("s"));
  ASSERT_TRUE(support::PollUntil([&] { return title().contains(QStringLiteral("127.0.0.1")); }, 20s, 100ms))
      << "title: " << title().toStdString() << "\n" << output();

  // The grid's header is on the screen; a click in its first cell gives it the focus.
  const HeaderOnScreen header = FindHeader(user.Screen(), kHeaderSectionColour, 30);
  ASSERT_EQ(header.Sections.size(), 3u) << "three columns in the grid's header";
  user.Click(QPoint(header.Sections[0].first + 20, header.Bottom + 12));

  // What the grid shows, through Select All and Copy. It fills: every poll brings
  // rates (the first sample of a counter only starts it, so rates show from the
  // second poll, five seconds later).
  ASSERT_TRUE(support::PollUntil(
      [&] {
        user.Keys(QStringLiteral("ctrl+a"));
        user.Keys(QStringLiteral("ctrl+c"));
        return FilledWithRates(Parse(user.ClipboardText()));
      },
      40s, 100ms))
      << "copied: " << user.ClipboardText().toStdString() << "\n" << output();

  // A screenshot for people to look at (what it shows of the grid is read above).
  const QString artifacts = QStringLiteral(LINKWATCH_ARTIFACTS_DIR);
  QDir().mkpath(artifacts);
  const QString shot = artifacts + QStringLiteral("/linkwatch-desktop-x11.png");
  ASSERT_TRUE(user.Screen().save(shot)) << shot.toStdString();

  // Quit as a user does; the program ends by itself.
  user.Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
  user.Keys(QStringLiteral("ctrl+q"));
  ASSERT_TRUE(program.waitForFinished(15000)) << "the program did not quit";
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0) << output();
}

}  // namespace
}  // namespace linkwatch::desktop_program
