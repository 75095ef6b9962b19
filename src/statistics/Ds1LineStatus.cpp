#include "statistics/Ds1LineStatus.h"

#include <utility>

#include "common/TextFunctions.h"
#include "statistics/Statistic.h"

namespace linkwatch {

std::string DescribeDs1LineStatus(int32_t status) {
  static const std::pair<int32_t, const char*> kAlarms[] = {
      {2, "LOF Far end (Yellow Alarm)"},
      {4, "LOF Near end"},
      {8, "Far end sending AIS"},
      {16, "Near end sending AIS"},
      {32, "Near end LOF (Red Alarm)"},
      {64, "Near end Loss Of Signal"},
      {128, "Near end is looped"},
      {256, "E1 TS16 AIS"},
      {512, "Far End Sending TS16 LOMF"},
      {1024, "Near End Sending TS16 LOMF"},
      {2048, "Near End detects a test code"},
      {4096, "Other Failure"},
  };
  std::string text;
  if (status & 1) text = "No Alarm Present";
  for (const auto& [bit, alarm] : kAlarms) {
    if (status & bit) {
      text += "\r\n";
      text += alarm;
    }
  }
  if (text.compare(0, 2, "\r\n") == 0) text.erase(0, 2);
  return text;
}

void ParseDs1LineStatus(ParserContext& context) {
  const int32_t status = RoundToInt32(NumericValue(context.value));
  context.statistic.SetParsedValue(DescribeDs1LineStatus(status));
}

}  // namespace linkwatch
