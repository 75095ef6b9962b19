#include "ProfileFile.h"

#include <cmath>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSaveFile>

namespace linkwatch::desktop {
namespace {

// Readers of one optional field: a missing field leaves the value alone, a field
// of the wrong kind or out of range is an error naming it.
bool ReadText(const QJsonObject& object, const char* key, QString& value, QString& error) {
  const QJsonValue field = object.value(QLatin1String(key));
  if (field.isUndefined()) return true;
  if (!field.isString()) {
    error = QStringLiteral("\"%1\" must be a text").arg(QLatin1String(key));
    return false;
  }
  value = field.toString();
  return true;
}

bool ReadWhole(const QJsonObject& object, const char* key, int low, int high, int& value,
               QString& error) {
  const QJsonValue field = object.value(QLatin1String(key));
  if (field.isUndefined()) return true;
  // The range is checked before anything is converted: casting a double outside
  // the integer range (1e300, say) is undefined behaviour.
  const double number = field.toDouble(-1e300);
  if (!field.isDouble() || !(number >= low && number <= high) || number != std::trunc(number)) {
    error = QStringLiteral("\"%1\" must be a whole number from %2 to %3")
                .arg(QLatin1String(key))
                .arg(low)
                .arg(high);
    return false;
  }
  value = static_cast<int>(number);
  return true;
}

bool ReadFlag(const QJsonObject& object, const char* key, bool& value, QString& error) {
  const QJsonValue field = object.value(QLatin1String(key));
  if (field.isUndefined()) return true;
  if (!field.isBool()) {
    error = QStringLiteral("\"%1\" must be true or false").arg(QLatin1String(key));
    return false;
  }
  value = field.toBool();
  return true;
}

bool ReadStatistics(const QJsonObject& object, QString& list, QString& error) {
  const QJsonValue field = object.value(QLatin1String("statistics"));
  if (field.isUndefined()) return true;
  if (!field.isArray()) {
    error = QStringLiteral("\"statistics\" must be a list of statistic names");
    return false;
  }
  QStringList names;
  for (const QJsonValue& name : field.toArray()) {
    if (!name.isString() || name.toString().contains(QLatin1Char(','))) {
      error = QStringLiteral("\"statistics\" must hold statistic names without commas");
      return false;
    }
    names << name.toString();
  }
  list = names.join(QLatin1Char(','));
  return true;
}

}  // namespace

QByteArray ProfileFile::ToJson(const Profile& profile, bool includePasswords) {
  const ConnectionSettings& connection = profile.Connection;
  QJsonObject v3{
      {"user", connection.User},
      {"context", connection.Context},
      {"authType", connection.AuthType},
      {"privType", connection.PrivType},
  };
  QJsonObject root{
      {"format", QLatin1String(kFormat)},
      {"formatVersion", kFormatVersion},
      {"target", connection.Target},
      {"port", connection.Port},
      {"snmpVersion", connection.Version},
      {"refreshInterval", profile.RefreshInterval},
      {"autoUpdate", profile.AutoUpdate},
      {"parallelWalks", profile.ParallelWalks},
      {"includesPasswords", includePasswords},
  };
  if (includePasswords) {
    root.insert("community", connection.Community);
    v3.insert("authPassword", connection.AuthPass);
    v3.insert("privPassword", connection.PrivPass);
  }
  root.insert("v3", v3);
  QJsonArray statistics;
  for (const QString& name : profile.StatisticsList.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    statistics.append(name);
  }
  root.insert("statistics", statistics);
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool ProfileFile::FromJson(const QByteArray& json, Profile& profile, QString& error) {
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    error = QStringLiteral("not a JSON file (%1 at character %2)")
                .arg(parseError.errorString())
                .arg(parseError.offset);
    return false;
  }
  if (!document.isObject() ||
      document.object().value(QLatin1String("format")).toString() != QLatin1String(kFormat)) {
    error = QStringLiteral("not a Linkwatch Desktop profile");
    return false;
  }
  const QJsonObject root = document.object();
  int formatVersion = kFormatVersion;
  if (!ReadWhole(root, "formatVersion", 1, kFormatVersion, formatVersion, error)) {
    error = QStringLiteral("it needs a newer Linkwatch Desktop (%1)").arg(error);
    return false;
  }

  Profile read = profile;
  ConnectionSettings& connection = read.Connection;
  const QJsonValue v3Field = root.value(QLatin1String("v3"));
  if (!v3Field.isUndefined() && !v3Field.isObject()) {
    error = QStringLiteral("\"v3\" must be an object");
    return false;
  }
  const QJsonObject v3 = v3Field.toObject();
  const bool ok = ReadText(root, "target", connection.Target, error) &&
                  ReadWhole(root, "port", 1, 65535, connection.Port, error) &&
                  ReadWhole(root, "snmpVersion", 0, 3, connection.Version, error) &&
                  ReadText(root, "community", connection.Community, error) &&
                  ReadText(v3, "user", connection.User, error) &&
                  ReadText(v3, "context", connection.Context, error) &&
                  ReadWhole(v3, "authType", 0, 6, connection.AuthType, error) &&
                  ReadText(v3, "authPassword", connection.AuthPass, error) &&
                  ReadWhole(v3, "privType", 0, 4, connection.PrivType, error) &&
                  ReadText(v3, "privPassword", connection.PrivPass, error) &&
                  ReadStatistics(root, read.StatisticsList, error) &&
                  ReadWhole(root, "refreshInterval", 5, 300, read.RefreshInterval, error) &&
                  ReadFlag(root, "autoUpdate", read.AutoUpdate, error) &&
                  ReadFlag(root, "parallelWalks", read.ParallelWalks, error);
  if (!ok) return false;
  profile = read;
  return true;
}

QString ProfileFile::Save(const QString& path, const Profile& profile, bool includePasswords) {
  // Written to a temporary file and renamed over the old one, so a failed save
  // never leaves half a profile behind.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
  }
  if (includePasswords) {
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
  file.write(ToJson(profile, includePasswords));
  if (!file.commit()) {
    return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
  }
  return {};
}

QString ProfileFile::Load(const QString& path, Profile& profile) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return QStringLiteral("Cannot open %1: %2").arg(path, file.errorString());
  }
  if (file.size() > kMaxFileSize) {
    return QStringLiteral("Cannot read the profile %1: it is too large.").arg(path);
  }
  QString error;
  if (!FromJson(file.read(kMaxFileSize + 1), profile, error)) {
    return QStringLiteral("Cannot read the profile %1: %2.").arg(path, error);
  }
  return {};
}

}  // namespace linkwatch::desktop
