#pragma once
#include <QDateTime>
#include <QImage>
#include <QWidget>

class QLabel;

namespace linkwatch::desktop {

// The window's status bar contents: what the device says it is (name, vendor
// with its icon, machine type), how long it has been up, the seconds until the
// next poll, and the last error, exactly as the control reports it.
class StatusPanel : public QWidget {
  Q_OBJECT

 public:
  explicit StatusPanel(QWidget* parent = nullptr);

  void ShowDevice(const QString& sysName, const QString& vendor, const QString& machineType,
                  const QImage& vendorIcon);
  // Up-time from the device's last boot until now; an invalid time shows nothing.
  void ShowUptime(const QDateTime& lastBoot, const QDateTime& now);
  // -1 (no poll due) shows nothing.
  void ShowSecondsTillUpdate(int seconds);
  void ShowError(const QString& error);
  // Back to the look of a window that has not started.
  void Clear();

  // What each field shows (also for tests).
  QString SysName() const;
  QString Vendor() const;
  QString MachineType() const;
  QString Uptime() const;
  QString NextPoll() const;
  QString Error() const;

  // "3 d 04:05:06", "04:05:06" under a day.
  static QString FormatUptime(qint64 seconds);

 private:
  QLabel* AddField(const QString& toolTip);

  QLabel* vendorIcon_;
  QLabel* sysName_;
  QLabel* vendor_;
  QLabel* machineType_;
  QLabel* uptime_;
  QLabel* nextPoll_;
  QLabel* error_;
};

}  // namespace linkwatch::desktop
