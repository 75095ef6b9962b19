#pragma once
#include <QChartView>
#include <QDateTime>
#include <QPointF>
#include <deque>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace linkwatch::desktop {

// The live chart of one statistic of one interface: its value over time, one
// point per poll cycle. The title names the interface and the statistic; the
// value axis carries the units, with k, M or G in front once the values grow
// past a thousand (1000 per step, as the grid shows rates). It keeps the last
// kMaxPoints points.
class TrafficChart : public QChartView {
  Q_OBJECT

 public:
  static constexpr int kMaxPoints = 360;

  explicit TrafficChart(QWidget* parent = nullptr);

  // Starts a fresh line for a statistic.
  void Follow(const QString& title, const QString& units);
  // No statistic to follow: an empty chart with a hint instead of a title.
  void Unfollow(const QString& hint);
  bool Following() const { return following_; }

  void AddPoint(const QDateTime& at, double value);

  int PointCount() const { return static_cast<int>(points_.size()); }
  QString Title() const;
  QString ValueAxisTitle() const;
  // The points as sampled (times in milliseconds since the epoch, raw values).
  std::deque<QPointF> Points() const { return points_; }

 private:
  void Redraw();

  QLineSeries* series_;
  QDateTimeAxis* timeAxis_;
  QValueAxis* valueAxis_;
  std::deque<QPointF> points_;
  QString units_;
  bool following_ = false;
};

}  // namespace linkwatch::desktop
