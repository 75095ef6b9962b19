#include "statistics/Statistic.h"

#include <exception>
#include <stdexcept>

#include "common/DateFunctions.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "statistics/ParserContext.h"
#include "statistics/ValueParsers.h"

namespace linkwatch {

Statistic::Statistic(StatisticTemplateRef statisticTemplate)
    : template_(std::move(statisticTemplate)) {}

const linkwatch::StatisticTemplate& Statistic::RequireTemplate() const {
  if (!template_) {
    throw std::logic_error("the statistic has no definition in the statistics file");
  }
  return *template_;
}

const std::string& Statistic::StatName() const { return RequireTemplate().StatName(); }
const std::string& Statistic::MIB() const { return RequireTemplate().MIB(); }
std::shared_ptr<const MibObject> Statistic::OID() const { return RequireTemplate().OID(); }
std::string Statistic::Description() const { return RequireTemplate().Description(); }
bool Statistic::IsCheckBox() const { return RequireTemplate().CheckBox(); }

void Statistic::SetValue(const Interface* row, const std::string& childIndex,
                         const std::string& value, const std::string& hexVal) {
  ++updates_;
  const double number = NumericValue(value);
  currentValue_ = number;
  rawText_ = value;
  if (!template_) {
    return;
  }
  if (template_->Counter()) {
    try {
      TakeCounterSample(number);
    } catch (const std::exception&) {
      // No clock or an impossible time span: the sample gives no rate.
    }
  }
  try {
    Parse(row, childIndex, value, hexVal);
  } catch (const std::exception&) {
    // A parser that fails leaves what it would have set as it was.
  }
}

void Statistic::TakeCounterSample(double number) {
  const SerialDate now = TruncateToSecond(Globals::GetPlatform().GetClock().Now());
  if (previousSampleTime_ == 0.0 || number < previousRaw_) {
    // First sample, or the counter wrapped or was reset: start over.
    currentValue_ = kNoValue;
    baselining_ = true;
  } else {
    const int64_t elapsed = WholeSeconds(now) - WholeSeconds(previousSampleTime_);
    if (elapsed > INT32_MAX || elapsed < INT32_MIN) {
      throw std::overflow_error("time between counter samples out of range");
    }
    currentValue_ = elapsed >= 1 ? (number - previousRaw_) / static_cast<double>(elapsed) : 0.0;
    baselining_ = false;
  }
  previousRaw_ = number;
  previousSampleTime_ = now;
}

void Statistic::Parse(const Interface* row, const std::string& childIndex,
                      const std::string& value, const std::string& hexVal) {
  Platform& platform = Globals::GetPlatform();
  // Keep the template alive while its parser runs, even if the parser's work
  // drops the collection's reference to it.
  const StatisticTemplateRef definition = template_;
  ParserContext context{*this,
                        *definition,
                        value,
                        hexVal,
                        row,
                        childIndex,
                        Globals::SharedLastBoot(),
                        platform.GetClock(),
                        platform.GetRegionalSettings()};
  ValueParsers::Run(context);
}

}  // namespace linkwatch
