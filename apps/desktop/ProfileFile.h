#pragma once
#include <QByteArray>
#include <QString>

#include "Profile.h"

namespace linkwatch::desktop {

// Profiles as small JSON files the user chooses.
//
// Secrets (the community and the SNMPv3 authentication and privacy passwords)
// are written only when the caller asks for them; such a file is made readable
// by its owner alone. Reading checks every field and reports the first problem
// in words; fields a file leaves out keep the defaults of Profile.
class ProfileFile {
 public:
  static constexpr const char* kFormat = "linkwatch-desktop-profile";
  static constexpr int kFormatVersion = 1;
  static constexpr qint64 kMaxFileSize = 64 * 1024;

  static QByteArray ToJson(const Profile& profile, bool includePasswords);
  // True when json is a profile; otherwise error says why and profile is untouched.
  static bool FromJson(const QByteArray& json, Profile& profile, QString& error);

  // Each returns an empty text on success, else what went wrong.
  static QString Save(const QString& path, const Profile& profile, bool includePasswords);
  static QString Load(const QString& path, Profile& profile);
};

}  // namespace linkwatch::desktop
