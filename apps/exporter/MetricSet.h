#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace linkwatch::exporter {

// The two text formats /metrics speaks: OpenMetrics 1.0 (what Prometheus asks for)
// and Prometheus' older text format 0.0.4 (for tools that ask for nothing else,
// such as promtool). They differ in how counters and info metrics are declared,
// in timestamp units and in the closing "# EOF".
enum class ExpositionFormat { OpenMetrics, PrometheusText };

using Labels = std::vector<std::pair<std::string, std::string>>;

// Metric families and their samples, gathered from every device and written in
// one of the exposition formats. Families keep the order they were first added
// in, so the output is stable from scrape to scrape.
class MetricSet {
 public:
  enum class Type { Counter, Gauge, Info };

  // Adds a sample to the family `name` (without the _total or _info suffix),
  // declaring the family on first use. value is the number's text (see Number).
  // timestampMs, when given, is when the value was read (ms since 1970).
  void Add(const std::string& name, Type type, const std::string& help, Labels labels,
           std::string value, std::optional<int64_t> timestampMs = std::nullopt);

  std::string Render(ExpositionFormat format) const { return Render({this}, format); }
  // Several sets as one: families merge by name (first declaration wins), in the
  // order they first appear; nothing is copied.
  static std::string Render(const std::vector<const MetricSet*>& sets, ExpositionFormat format);
  bool Empty() const { return families_.empty(); }

  // A number as the formats write it; none for NaN and infinities.
  static std::optional<std::string> Number(double value);
  // A text made fit to be a label name: lower case, words joined by "_".
  static std::string LabelName(const std::string& text);

 private:
  // Written out when added (a device's cycle is added once and served many times):
  // the sample's name, labels and value; the time is written per format.
  struct Sample {
    std::string Line;
    std::optional<int64_t> TimestampMs;
  };
  struct Family {
    std::string Name;
    Type FamilyType = Type::Gauge;
    std::string Help;
    std::vector<Sample> Samples;
  };
  Family& FamilyNamed(const std::string& name, Type type, const std::string& help);

  std::vector<Family> families_;
  std::map<std::string, size_t> index_;  // name -> position in families_
};

}  // namespace linkwatch::exporter
