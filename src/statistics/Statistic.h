#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "components/Clock.h"
#include "components/DeviceCatalog.h"
#include "components/MibObject.h"
#include "statistics/StatisticTemplate.h"

namespace linkwatch {

class Interface;  // model/Interface.h: the interface a row belongs to

using StatisticTemplateRef = std::shared_ptr<const StatisticTemplate>;

// The latest value of one statistic on one row (an interface or a child entry):
// the raw value, a per-second rate for counters, and the display text, icon and
// check-box state its template's parser made of it.
class Statistic {
 public:
  // CurrentValue of a statistic that has no value yet, or of a counter that is
  // still baselining. Compared exactly.
  static constexpr double kNoValue = -10000.0;

  explicit Statistic(StatisticTemplateRef statisticTemplate = nullptr);

  // Read-only properties, in the order the host sees them.
  const std::string& Name() const { return name_; }
  StatisticTemplateRef StatisticTemplate() const { return template_; }
  // The template's properties; these four (and IsCheckBox) throw std::logic_error
  // for a statistic without a template.
  const std::string& StatName() const;
  const std::string& MIB() const;
  std::shared_ptr<const MibObject> OID() const;
  std::string Description() const;
  double CurrentValue() const { return currentValue_; }
  const std::string& ParsedValue() const { return parsedValue_; }
  bool Baselining() const { return baselining_; }
  PictureRef Icon() const { return icon_; }
  bool IsIcon() const { return icon_ != nullptr; }
  bool IsCheckBox() const;
  // 0 clear, -1 set.
  int16_t CheckBoxValue() const { return checkBoxValue_; }

  // Internal to the library.

  // The display name the control gives the statistic it hands out as the
  // selected one.
  void SetName(std::string name) { name_ = std::move(name); }
  void SetStatisticTemplate(StatisticTemplateRef statisticTemplate) {
    template_ = std::move(statisticTemplate);
  }

  // Takes a new raw value: stores it, turns a counter into a rate per second
  // (cutting the platform clock's time to whole seconds) and lets the template's
  // parser make the display text. row is the row's interface (also for a child
  // row; none where no interface is at hand) and childIndex the child's index,
  // empty on an interface's own row. A step that fails is skipped; nothing is
  // reported.
  void SetValue(const Interface* row, const std::string& childIndex, const std::string& value,
                const std::string& hexVal);
  // How many values SetValue has taken (wrapping): a host that remembers it can
  // tell whether a value arrived since it last looked.
  uint32_t Updates() const { return updates_; }

  // What the value parsers read and write.
  const std::string& RawText() const { return rawText_; }
  void SetRawText(std::string text) { rawText_ = std::move(text); }
  void SetCurrentValue(double value) { currentValue_ = value; }
  void SetParsedValue(std::string text) { parsedValue_ = std::move(text); }
  void SetCheckBoxValue(int16_t value) { checkBoxValue_ = value; }
  void SetIcon(PictureRef icon) { icon_ = std::move(icon); }

 private:
  const linkwatch::StatisticTemplate& RequireTemplate() const;
  void TakeCounterSample(double number);
  void Parse(const Interface* row, const std::string& childIndex, const std::string& value,
             const std::string& hexVal);

  std::string name_;
  double previousRaw_ = 0.0;
  SerialDate previousSampleTime_ = 0.0;  // whole seconds; zero before the first sample
  PictureRef icon_;
  double currentValue_ = kNoValue;
  std::string rawText_;
  std::string parsedValue_;
  int16_t checkBoxValue_ = 0;
  bool baselining_ = false;
  uint32_t updates_ = 0;
  StatisticTemplateRef template_;
};

}  // namespace linkwatch
