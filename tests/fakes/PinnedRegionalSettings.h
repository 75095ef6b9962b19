#pragma once
#include <string>

#include "components/RegionalSettings.h"

namespace linkwatch::fakes {

// Fixed regional settings, so texts in tests do not depend on the machine.
//   UnitedStates: short date "M/d/yyyy", medium time "h:mm AM" / "h:mm PM",
//                 short time "HH:mm", decimal separator "."
//   Germany:      short date "dd.MM.yyyy", medium and short time "HH:mm",
//                 decimal separator ","
class PinnedRegionalSettings : public RegionalSettings {
 public:
  enum class Locale { UnitedStates, Germany };

  explicit PinnedRegionalSettings(Locale locale = Locale::UnitedStates) : locale_(locale) {}

  std::string ShortDate(SerialDate when) const override;
  std::string MediumTime(SerialDate when) const override;
  std::string ShortTime(SerialDate when) const override;
  std::string DecimalSeparator() const override;

 private:
  const Locale locale_;
};

}  // namespace linkwatch::fakes
