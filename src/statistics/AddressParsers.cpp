#include "statistics/AddressParsers.h"

#include <optional>
#include <string>

#include "common/ControlForm.h"
#include "common/Globals.h"
#include "model/Interface.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"

namespace linkwatch {
namespace {

// The dotted text of the IPv4 address in the first four octets; none when the
// value is shorter.
std::optional<std::string> DottedAddress(const std::string& value) {
  if (value.size() < 4) return std::nullopt;
  std::string text;
  for (size_t i = 0; i < 4; ++i) {
    if (i > 0) text += '.';
    text += std::to_string(static_cast<unsigned char>(value[i]));
  }
  return text;
}

std::string OctetText(char c) { return std::to_string(static_cast<unsigned char>(c)); }

}  // namespace

void ParseNetworkAddress(ParserContext& context) {
  if (auto dotted = DottedAddress(context.value)) context.statistic.SetParsedValue(*dotted);
}

void ParseAppleTalkAddress(ParserContext& context) {
  const std::string& value = context.value;
  if (value.size() < 5) return;
  context.statistic.SetParsedValue(OctetText(value[1]) + OctetText(value[2]) + "." +
                                   OctetText(value[3]) + OctetText(value[4]));
}

void ParseReverseDns(ParserContext& context) {
  const std::string& value = context.value;
  if (value.compare(0, 4, "DNS:") == 0) {
    context.statistic.SetParsedValue(value.substr(4));
    return;
  }
  const auto dotted = DottedAddress(value);
  if (!dotted || *dotted == "0.0.0.0") return;
  const int32_t ifIndex = context.row ? context.row->Index() : 0;
  const std::shared_ptr<DnsResolver> resolver = Globals::Form()->Resolver();
  resolver->SetEnabled(true);
  resolver->SetTag(std::to_string(ifIndex) + ":" + context.childIndex + ":" +
                   context.statisticTemplate.StatName());
  resolver->Lookup(*dotted);
}

}  // namespace linkwatch
