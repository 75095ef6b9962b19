#include "ConfigFile.h"

#include <sys/stat.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "JsonLineLocator.h"
#include "components/SnmpSecurity.h"

namespace linkwatch::exporter {
namespace {

// A mistake at one place of the document; caught once and turned into the result.
struct FieldError : std::runtime_error {
  FieldError(const std::string& path, const std::string& what)
      : std::runtime_error(path + ": " + what), Path(path), Message(what) {}
  std::string Path;
  std::string Message;
};

// Line and column (both from 1) of a byte offset into text.
std::pair<int, int> LineAndColumn(const std::string& text, int offset) {
  int line = 1;
  int column = 1;
  for (int i = 0; i < offset && i < static_cast<int>(text.size()); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return {line, column};
}

void RefuseUnknownKeys(const QJsonObject& object, const std::string& path,
                       const std::set<std::string>& known) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    const std::string key = it.key().toStdString();
    if (known.count(key) == 0) {
      throw FieldError(path.empty() ? key : path + "." + key, "unknown field");
    }
  }
}

std::string Text(const QJsonObject& object, const char* key, const std::string& path,
                 const std::string& fallback) {
  const QJsonValue value = object.value(key);
  if (value.isUndefined()) return fallback;
  if (!value.isString()) throw FieldError(path + "." + key, "must be a text in quotes");
  return value.toString().toStdString();
}

int WholeNumber(const QJsonObject& object, const char* key, const std::string& path, int fallback,
                int low, int high) {
  const QJsonValue value = object.value(key);
  if (value.isUndefined()) return fallback;
  const double number = value.toDouble(std::nan(""));
  if (!value.isDouble() || number != std::floor(number) || number < low || number > high) {
    throw FieldError(path + "." + key,
                     "must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high));
  }
  return static_cast<int>(number);
}

bool Flag(const QJsonObject& object, const char* key, const std::string& path) {
  const QJsonValue value = object.value(key);
  if (value.isUndefined()) return false;
  if (!value.isBool()) throw FieldError(path + "." + key, "must be true or false");
  return value.toBool();
}

// A secret given at most one way: KEY itself, KEY_env (an environment variable) or
// KEY_file (a file only its owner may read or write; one trailing line end dropped).
std::string Secret(const QJsonObject& object, const std::string& key, const std::string& path,
                   const std::string& fallback) {
  const std::string envKey = key + "_env";
  const std::string fileKey = key + "_file";
  const int given = object.contains(QString::fromStdString(key)) +
                    object.contains(QString::fromStdString(envKey)) +
                    object.contains(QString::fromStdString(fileKey));
  if (given > 1) {
    throw FieldError(path + "." + key, "give only one of " + key + ", " + envKey + " and " + fileKey);
  }
  if (object.contains(QString::fromStdString(envKey))) {
    const std::string name = Text(object, envKey.c_str(), path, "");
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    if (value == nullptr) throw FieldError(path + "." + envKey, "names an environment variable that is not set");
    return value;
  }
  if (object.contains(QString::fromStdString(fileKey))) {
    const std::string file = Text(object, fileKey.c_str(), path, "");
    struct stat info {};
    if (file.empty() || stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
      throw FieldError(path + "." + fileKey, "names no readable file");
    }
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
      throw FieldError(path + "." + fileKey,
                       "the file may be read by others than its owner (chmod 600 it)");
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    if (!in) throw FieldError(path + "." + fileKey, "names no readable file");
    std::string secret = content.str();
    if (!secret.empty() && secret.back() == '\n') secret.pop_back();
    if (!secret.empty() && secret.back() == '\r') secret.pop_back();
    return secret;
  }
  return Text(object, key.c_str(), path, fallback);
}

int16_t Version(const QJsonObject& object, const std::string& path, bool hasUser) {
  const QJsonValue value = object.value("version");
  if (value.isUndefined()) return hasUser ? 3 : 0;
  const std::string text = value.isString() ? value.toString().toStdString()
                           : value.isDouble() ? std::to_string(value.toInt(-1))
                                              : std::string();
  if (text == "auto" || text == "1" || text == "2" || text == "2c") return 0;
  if (text == "3") return 3;
  throw FieldError(path + ".version", "must be \"auto\", \"1\", \"2c\" or \"3\"");
}

int16_t AuthType(const std::string& text, const std::string& path) {
  static const std::pair<const char*, int16_t> kTypes[] = {
      {"none", kAuthNone},     {"md5", kAuthMd5},       {"sha", kAuthSha1},
      {"sha224", kAuthSha224}, {"sha256", kAuthSha256}, {"sha384", kAuthSha384},
      {"sha512", kAuthSha512}};
  for (const auto& [name, code] : kTypes) {
    if (text == name) return code;
  }
  throw FieldError(path, "must be none, md5, sha, sha224, sha256, sha384 or sha512");
}

int16_t PrivType(const std::string& text, const std::string& path) {
  static const std::pair<const char*, int16_t> kTypes[] = {
      {"none", kPrivNone}, {"des", kPrivDes}, {"aes", kPrivAes128}, {"aes192", kPrivAes192},
      {"aes256", kPrivAes256}};
  for (const auto& [name, code] : kTypes) {
    if (text == name) return code;
  }
  throw FieldError(path, "must be none, des, aes, aes192 or aes256");
}

std::string StatisticsList(const QJsonObject& object, const std::string& path) {
  const QJsonValue value = object.value("statistics");
  if (value.isUndefined()) return kDefaultStatistics;
  if (!value.isArray() || value.toArray().isEmpty()) {
    throw FieldError(path + ".statistics", "must be a list of statistic names");
  }
  std::string list;
  const QJsonArray names = value.toArray();
  for (qsizetype i = 0; i < names.size(); ++i) {
    const std::string name = names[i].toString().trimmed().toStdString();
    if (!names[i].isString() || name.empty() || name.find(',') != std::string::npos) {
      throw FieldError(path + ".statistics[" + std::to_string(i) + "]",
                       "must be the name of a statistic");
    }
    if (!list.empty()) list += ',';
    list += name;
  }
  return list;
}

DeviceConfig Device(const QJsonValue& value, const std::string& path) {
  if (!value.isObject()) throw FieldError(path, "must be an object { ... }");
  const QJsonObject object = value.toObject();
  RefuseUnknownKeys(object, path,
                    {"name", "target", "port", "version", "community", "community_env",
                     "community_file", "user", "context", "auth_type", "auth_pass",
                     "auth_pass_env", "auth_pass_file", "priv_type", "priv_pass", "priv_pass_env",
                     "priv_pass_file", "statistics", "interval", "timeout_ms", "retries",
                     "synchronous"});
  DeviceConfig device;
  device.Target = Text(object, "target", path, "");
  if (device.Target.empty()) throw FieldError(path + ".target", "is missing");
  device.Name = Text(object, "name", path, device.Target);
  if (device.Name.empty()) throw FieldError(path + ".name", "must not be empty");
  device.Port = WholeNumber(object, "port", path, 161, 1, 65535);
  device.User = Text(object, "user", path, "");
  device.SNMPVersion = Version(object, path, !device.User.empty());
  device.Community = Secret(object, "community", path, "public");
  device.Context = Text(object, "context", path, "");
  device.AuthType = AuthType(Text(object, "auth_type", path, "none"), path + ".auth_type");
  device.AuthPass = Secret(object, "auth_pass", path, "");
  device.PrivType = PrivType(Text(object, "priv_type", path, "none"), path + ".priv_type");
  device.PrivPass = Secret(object, "priv_pass", path, "");
  device.Statistics = StatisticsList(object, path);
  device.IntervalSeconds = WholeNumber(object, "interval", path, 30, 5, 300);
  device.TimeoutMs = WholeNumber(object, "timeout_ms", path, 1000, 10, 60000);
  device.Retries = WholeNumber(object, "retries", path, 1, 0, 10);
  device.Synchronous = Flag(object, "synchronous", path);

  if (device.SNMPVersion == 3) {
    if (device.User.empty()) throw FieldError(path + ".user", "SNMPv3 needs a user");
    if (device.PrivType != kPrivNone && device.AuthType == kAuthNone) {
      throw FieldError(path + ".priv_type", "privacy needs authentication (auth_type)");
    }
    if (device.AuthType != kAuthNone && device.AuthPass.empty()) {
      throw FieldError(path + ".auth_pass", "authentication needs a password");
    }
    if (device.PrivType != kPrivNone && device.PrivPass.empty()) {
      throw FieldError(path + ".priv_pass", "privacy needs a password");
    }
  } else {
    for (const char* key : {"user", "context", "auth_type", "priv_type"}) {
      if (object.contains(key)) throw FieldError(path + "." + key, "is for SNMPv3 only");
    }
  }
  return device;
}

void Listen(const QJsonObject& object, ExporterConfig& config) {
  const std::string text = Text(object, "listen", "", config.ListenAddress + ":" +
                                                          std::to_string(config.ListenPort));
  const size_t colon = text.rfind(':');
  const std::string port = colon == std::string::npos ? std::string() : text.substr(colon + 1);
  char* end = nullptr;
  const long number = port.empty() ? -1 : std::strtol(port.c_str(), &end, 10);
  if (colon == 0 || colon == std::string::npos || *end != '\0' || number < 0 || number > 65535) {
    throw FieldError("listen", "must be ADDRESS:PORT, for example 127.0.0.1:9717");
  }
  config.ListenAddress = text.substr(0, colon);
  config.ListenPort = static_cast<uint16_t>(number);
}

}  // namespace

ConfigFile::Result ConfigFile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Result unreadable;
    unreadable.File = path;
    unreadable.Error = path + ": cannot be read";
    return unreadable;
  }
  std::stringstream text;
  text << in.rdbuf();
  return Parse(path, text.str());
}

std::string ConfigFile::Result::ErrorAt(const std::string& path, const std::string& what) const {
  return File + ":" + std::to_string(JsonLineLocator(Text).LineOf(path)) + ": " + path + ": " +
         what;
}

ConfigFile::Result ConfigFile::Parse(const std::string& path, const std::string& text) {
  Result result;
  result.File = path;
  result.Text = text;
  QJsonParseError parseError{};
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray::fromStdString(text), &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    const auto [line, column] = LineAndColumn(text, parseError.offset);
    result.Error = path + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                   parseError.errorString().toStdString();
    return result;
  }
  try {
    if (!document.isObject()) throw FieldError("(top)", "must be an object { ... }");
    const QJsonObject top = document.object();
    RefuseUnknownKeys(top, "", {"listen", "devices"});
    Listen(top, result.Config);
    const QJsonValue devices = top.value("devices");
    if (!devices.isArray() || devices.toArray().isEmpty()) {
      throw FieldError("devices", "must be a list of at least one device");
    }
    std::set<std::string> names;
    const QJsonArray list = devices.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
      const std::string where = "devices[" + std::to_string(i) + "]";
      DeviceConfig device = Device(list[i], where);
      if (!names.insert(device.Name).second) {
        throw FieldError(where + ".name", "another device has the same name");
      }
      result.Config.Devices.push_back(std::move(device));
    }
  } catch (const FieldError& error) {
    result.Config = {};
    result.Error = result.ErrorAt(error.Path, error.Message);
  }
  return result;
}

}  // namespace linkwatch::exporter
