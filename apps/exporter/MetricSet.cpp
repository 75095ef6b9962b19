#include "MetricSet.h"

#include <QString>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace linkwatch::exporter {
namespace {

// Valid UTF-8 (a device may send any bytes; each bad one becomes U+FFFD).
std::string WellFormed(const std::string& text) {
  const bool ascii = std::all_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return text;
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

std::string EscapeLabelValue(const std::string& text) {
  std::string out;
  for (const char c : WellFormed(text)) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string EscapeHelp(const std::string& text) {
  std::string out;
  for (const char c : WellFormed(text)) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n' || c == '\r') {
      out += ' ';
    } else if (c == '"') {
      out += '\'';  // OpenMetrics escapes quotes in HELP, the older format does not
    } else {
      out += c;
    }
  }
  return out;
}

std::string LabelText(const Labels& labels) {
  if (labels.empty()) return {};
  std::string out = "{";
  for (size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) out += ',';
    out += labels[i].first + "=\"" + EscapeLabelValue(labels[i].second) + "\"";
  }
  return out + "}";
}

const char* Suffix(MetricSet::Type type) {
  switch (type) {
    case MetricSet::Type::Counter:
      return "_total";
    case MetricSet::Type::Info:
      return "_info";
    case MetricSet::Type::Gauge:
      break;
  }
  return "";
}

}  // namespace

MetricSet::Family& MetricSet::FamilyNamed(const std::string& name, Type type,
                                          const std::string& help) {
  const auto found = index_.find(name);
  if (found != index_.end()) return families_[found->second];
  index_.emplace(name, families_.size());
  families_.push_back(Family{name, type, help, {}});
  return families_.back();
}

void MetricSet::Add(const std::string& name, Type type, const std::string& help, Labels labels,
                    std::string value, std::optional<int64_t> timestampMs) {
  Family& family = FamilyNamed(name, type, help);
  if (family.FamilyType != type) return;  // one name, one type: the first declaration wins
  family.Samples.push_back(
      Sample{name + Suffix(type) + LabelText(labels) + " " + value, timestampMs});
}

std::string MetricSet::Render(const std::vector<const MetricSet*>& sets,
                              ExpositionFormat format) {
  const bool open = format == ExpositionFormat::OpenMetrics;
  // Family names in the order they first appear, with their first declaration.
  std::vector<const Family*> declarations;
  std::map<std::string, bool> seen;
  for (const MetricSet* set : sets) {
    for (const Family& family : set->families_) {
      if (seen.emplace(family.Name, true).second) declarations.push_back(&family);
    }
  }
  std::string out;
  for (const Family* declaration : declarations) {
    const std::string sampleName = declaration->Name + Suffix(declaration->FamilyType);
    std::string samples;
    for (const MetricSet* set : sets) {
      const auto found = set->index_.find(declaration->Name);
      if (found == set->index_.end()) continue;
      const Family& family = set->families_[found->second];
      if (family.FamilyType != declaration->FamilyType) continue;
      for (const Sample& sample : family.Samples) {
        samples += sample.Line;
        if (sample.TimestampMs) {
          char stamp[32];
          if (open) {
            std::snprintf(stamp, sizeof stamp, " %lld.%03lld",
                          static_cast<long long>(*sample.TimestampMs / 1000),
                          static_cast<long long>(*sample.TimestampMs % 1000));
          } else {
            std::snprintf(stamp, sizeof stamp, " %lld",
                          static_cast<long long>(*sample.TimestampMs));
          }
          samples += stamp;
        }
        samples += '\n';
      }
    }
    if (samples.empty()) continue;
    // OpenMetrics declares a family by its base name; the older format by the
    // sample's name, and it knows no info type (an info metric is a gauge of 1).
    const std::string declared = open ? declaration->Name : sampleName;
    const char* type = declaration->FamilyType == Type::Counter ? "counter"
                       : declaration->FamilyType == Type::Info && open ? "info"
                                                                       : "gauge";
    out += "# HELP " + declared + " " + EscapeHelp(declaration->Help) + "\n";
    out += "# TYPE " + declared + " " + type + "\n";
    out += samples;
  }
  if (open) out += "# EOF\n";
  return out;
}

std::optional<std::string> MetricSet::Number(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<long long>(value));
  }
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return std::string(text);
}

std::string MetricSet::LabelName(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
      out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!out.empty() && out.back() != '_') {
      out += '_';
    }
  }
  while (!out.empty() && out.back() == '_') out.pop_back();
  if (out.empty() || std::isdigit(static_cast<unsigned char>(out.front())) != 0) {
    out = "s_" + out;
  }
  return out;
}

}  // namespace linkwatch::exporter
