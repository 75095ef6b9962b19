#include "statistics/LookupParsers.h"

#include <stdexcept>

#include "common/AddressFunctions.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "components/SnmpBinding.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"

namespace linkwatch {
namespace {

constexpr int32_t kOperational = 0;
constexpr int32_t kAdministrative = 1;
constexpr int32_t kStatusUp = 1;

// The value as a 32-bit number (n) and as a 16-bit status code (c).
int32_t Number(const ParserContext& context) {
  return RoundToInt32(context.statistic.CurrentValue());
}
int16_t StatusCode(const ParserContext& context) {
  return RoundToInt16(context.statistic.CurrentValue());
}

const MibObject& RequireMibObject(const ParserContext& context) {
  const auto object = context.statisticTemplate.OID();
  if (!object) throw std::logic_error("statistic has no MIB object");
  return *object;
}

void ShowStatus(ParserContext& context, int32_t kind) {
  DeviceCatalog& catalog = *Globals::Catalog();
  const int32_t status = catalog.NormalizeStatus(StatusCode(context), kind);
  context.statistic.SetCheckBoxValue(status == kStatusUp ? -1 : 0);
  context.statistic.SetParsedValue(catalog.StatusText(status));
}

}  // namespace

void ParseEnum(ParserContext& context) {
  const int32_t n = Number(context);
  context.statistic.SetParsedValue(RequireMibObject(context).EnumLabel(n, "Unknown"));
}

void ParseEnumString(ParserContext& context) {
  const int32_t n = Number(context);
  context.statistic.SetParsedValue(RequireMibObject(context).EnumText(n));
}

void ParseOid(ParserContext& context) {
  // A free-standing binding of the engine's kind answers the symbolic name of its
  // OID through the MIB database.
  SnmpBinding binding;
  const std::shared_ptr<MibTree> mibs = Globals::GetPlatform().Mibs();
  binding.SetNamer([mibs](const std::string& oid) { return mibs->SymbolicName(oid); });
  binding.OID = context.value;
  context.statistic.SetParsedValue(binding.Name());
}

void ParseMacAddress(ParserContext& context) {
  context.statistic.SetRawText(context.hexVal);
  context.statistic.SetParsedValue(NormalizeMacAddress(context.hexVal));
}

void ParseMacVendor(ParserContext& context) {
  context.statistic.SetRawText(context.hexVal);
  context.statistic.SetParsedValue(Globals::Catalog()->MacVendor(context.hexVal));
}

void ParseOperStatus(ParserContext& context) { ShowStatus(context, kOperational); }

void ParseAdminStatus(ParserContext& context) { ShowStatus(context, kAdministrative); }

void ParseInterfaceType(ParserContext& context) {
  const int32_t n = Number(context);
  context.statistic.SetParsedValue(Globals::Catalog()->InterfaceTypeText(n));
}

void ParseInterfaceTypeDescription(ParserContext& context) {
  const int32_t n = Number(context);
  context.statistic.SetParsedValue(Globals::Catalog()->InterfaceTypeDescription(n));
}

void ParseIcon(ParserContext& context) {
  const std::string units = UpperCase(context.statisticTemplate.Units());
  Statistic& statistic = context.statistic;
  if (units == "OPERSTATUS" || units == "ADMINSTATUS") {
    DeviceCatalog& catalog = *Globals::Catalog();
    const int32_t kind = units == "OPERSTATUS" ? kOperational : kAdministrative;
    // The icon shows the normalised status, the text the number itself.
    PictureRef icon = catalog.StatusIcon(catalog.NormalizeStatus(StatusCode(context), kind));
    std::string text = catalog.StatusText(Number(context));
    statistic.SetIcon(std::move(icon));
    statistic.SetParsedValue(std::move(text));
  } else if (units == "INTERFACETYPE") {
    DeviceCatalog& catalog = *Globals::Catalog();
    const int32_t n = Number(context);
    PictureRef icon = catalog.InterfaceTypeIcon(n);
    std::string text = catalog.InterfaceTypeText(n);
    statistic.SetIcon(std::move(icon));
    statistic.SetParsedValue(std::move(text));
  }
}

}  // namespace linkwatch
