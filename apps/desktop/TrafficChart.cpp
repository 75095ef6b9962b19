#include "TrafficChart.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace linkwatch::desktop {
namespace {

struct Scale {
  double Divisor;
  const char* Prefix;
};

// The largest step of 1000 that keeps the top value at 1 or more.
Scale ScaleFor(double top) {
  static constexpr Scale kScales[] = {{1e9, "G"}, {1e6, "M"}, {1e3, "k"}};
  for (const Scale& scale : kScales) {
    if (std::fabs(top) >= scale.Divisor) return scale;
  }
  return {1.0, ""};
}

}  // namespace

// The view is made with its chart: QChartView's own constructor would make a
// default chart that setChart() later lets go of without deleting it.
TrafficChart::TrafficChart(QWidget* parent) : QChartView(new QChart, parent) {
  QChart* chart = this->chart();  // the view owns the chart
  chart->legend()->hide();
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->setBackgroundRoundness(0);
  series_ = new QLineSeries(chart);
  series_->setPointsVisible(true);
  chart->addSeries(series_);

  timeAxis_ = new QDateTimeAxis(chart);
  timeAxis_->setFormat(QStringLiteral("hh:mm:ss"));
  timeAxis_->setTickCount(6);
  valueAxis_ = new QValueAxis(chart);
  valueAxis_->setLabelFormat(QStringLiteral("%.4g"));
  chart->addAxis(timeAxis_, Qt::AlignBottom);
  chart->addAxis(valueAxis_, Qt::AlignLeft);
  series_->attachAxis(timeAxis_);
  series_->attachAxis(valueAxis_);

  setRenderHint(QPainter::Antialiasing);
  setMinimumHeight(160);
  Unfollow(tr("Select a cell of a chartable statistic (such as In Traffic) to chart it"));
}

void TrafficChart::Follow(const QString& title, const QString& units) {
  following_ = true;
  units_ = units;
  points_.clear();
  chart()->setTitle(title);
  Redraw();
}

void TrafficChart::Unfollow(const QString& hint) {
  following_ = false;
  units_.clear();
  points_.clear();
  chart()->setTitle(hint);
  Redraw();
}

void TrafficChart::AddPoint(const QDateTime& at, double value) {
  if (!following_ || !std::isfinite(value)) return;
  points_.emplace_back(static_cast<double>(at.toMSecsSinceEpoch()), value);
  while (points_.size() > static_cast<size_t>(kMaxPoints)) points_.pop_front();
  Redraw();
}

QString TrafficChart::Title() const { return chart()->title(); }
QString TrafficChart::ValueAxisTitle() const { return valueAxis_->titleText(); }

void TrafficChart::Redraw() {
  // Values below zero (signal levels in dBm, say) widen the axis downwards.
  double top = 0;
  double bottom = 0;
  for (const QPointF& point : points_) {
    top = std::max(top, point.y());
    bottom = std::min(bottom, point.y());
  }
  const Scale scale = ScaleFor(std::max(top, -bottom));

  QList<QPointF> shown;
  shown.reserve(static_cast<qsizetype>(points_.size()));
  for (const QPointF& point : points_) shown.append({point.x(), point.y() / scale.Divisor});
  series_->replace(shown);

  QString axisTitle = units_;
  if (scale.Divisor > 1) {
    axisTitle = units_.isEmpty() ? QStringLiteral("× %1").arg(scale.Divisor, 0, 'g')
                                 : QLatin1String(scale.Prefix) + units_;
  }
  valueAxis_->setTitleText(axisTitle);
  if (top == 0 && bottom == 0) {
    valueAxis_->setRange(0, 1.0);
  } else {
    valueAxis_->setRange(bottom / scale.Divisor * 1.1, top / scale.Divisor * 1.1);
    valueAxis_->applyNiceNumbers();
  }

  // At least a minute of time axis from the first point on, so a new line grows
  // from the left instead of filling the chart edge to edge.
  const QDateTime from = points_.empty()
                             ? QDateTime::currentDateTime()
                             : QDateTime::fromMSecsSinceEpoch(qint64(points_.front().x()));
  QDateTime to = points_.empty() ? from : QDateTime::fromMSecsSinceEpoch(qint64(points_.back().x()));
  if (from.secsTo(to) < 60) to = from.addSecs(60);
  timeAxis_->setRange(from, to);
}

}  // namespace linkwatch::desktop
