#pragma once
#include <QWidget>

#include "ConnectionSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace linkwatch::desktop {

// The bar across the top of the window: the device and its credentials, the
// polling settings, and Start and Stop.
//
// The first row holds target, port, SNMP version, community, refresh interval,
// auto update and the buttons; the SNMPv3 row (user, context, authentication and
// privacy type and password) shows only while version 3 is chosen, and the
// community only while it is not. While monitoring runs the connection fields
// are read-only; the polling settings stay live and report every change.
class ConnectionBar : public QWidget {
  Q_OBJECT

 public:
  explicit ConnectionBar(QWidget* parent = nullptr);

  ConnectionSettings Settings() const;
  void SetSettings(const ConnectionSettings& settings);

  int RefreshInterval() const;
  void SetRefreshInterval(int seconds);
  bool AutoUpdate() const;
  void SetAutoUpdate(bool setting);
  bool ParallelWalks() const;
  void SetParallelWalks(bool setting);

  // Start enabled and fields editable when stopped; Stop enabled when running.
  void SetRunning(bool running);

  QPushButton& StartButton() const { return *start_; }
  QPushButton& StopButton() const { return *stop_; }
  bool ShowsV3Settings() const;

 signals:
  void StartRequested();
  void StopRequested();
  void RefreshIntervalChanged(int seconds);
  void AutoUpdateChanged(bool setting);

 private:
  QWidget* BuildMainRow();
  QWidget* BuildV3Row();
  void ShowFieldsOfVersion();
  static void SelectByCode(QComboBox& box, int code);
  static int CodeOf(const QComboBox& box);

  QLineEdit* target_;
  QSpinBox* port_;
  QComboBox* version_;
  QWidget* communityGroup_;
  QLineEdit* community_;
  QSpinBox* refresh_;
  QCheckBox* autoUpdate_;
  QCheckBox* parallelWalks_;
  QPushButton* start_;
  QPushButton* stop_;
  QWidget* v3Row_;
  QLineEdit* user_;
  QLineEdit* context_;
  QComboBox* authType_;
  QLineEdit* authPass_;
  QComboBox* privType_;
  QLineEdit* privPass_;
};

}  // namespace linkwatch::desktop
