// Profiles as files: what is written, what is kept back, and what a damaged or
// foreign file does (a clear error, and the profile in hand stays as it was).
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <string>

#include "ProfileFile.h"
#include "support/Files.h"

namespace linkwatch::desktop {
namespace {

// Every field set, none to its default: target, port, version, community, user,
// context, auth type and pass, priv type and pass; statistics, refresh interval,
// auto update, parallel walks.
Profile FullProfile() {
  return {{"switch-7.example.net", 1161, 3, "c0mmunity", "monitor", "bridge1", 4, "auth-secret", 2,
           "priv-secret"},
          "Interface Name,In Traffic,Out Errors", 45, false, true};
}

class ProfileFileTest : public ::testing::Test {
 protected:
  QString PathOf(const char* name) const {
    return QString::fromStdString(scratch.Path()) + "/" + name;
  }
  void Write(const QString& path, const QByteArray& text) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  support::TemporaryDirectory scratch{"linkwatch-profiles"};
};

// Without passwords everything but the secrets comes back; with them, everything,
// in a file only its owner may read.
TEST_F(ProfileFileTest, RoundTripsWithAndWithoutPasswords) {
  for (const bool withPasswords : {false, true}) {
    SCOPED_TRACE(withPasswords ? "with passwords" : "without passwords");
    const QString path = PathOf(withPasswords ? "secret.json" : "plain.json");
    ASSERT_EQ(ProfileFile::Save(path, FullProfile(), withPasswords), "");
    const std::string text = support::ReadFile(path.toStdString());
    for (const char* secret : {"c0mmunity", "auth-secret", "priv-secret"}) {
      EXPECT_EQ(text.find(secret) != std::string::npos, withPasswords) << secret << ":\n" << text;
    }
    Profile read;
    ASSERT_EQ(ProfileFile::Load(path, read), "");
    Profile expected = FullProfile();
    if (!withPasswords) {
      expected.Connection.Community.clear();
      expected.Connection.AuthPass.clear();
      expected.Connection.PrivPass.clear();
    }
    EXPECT_EQ(read, expected);
    const QFileDevice::Permissions permissions = QFileInfo(path).permissions();
    EXPECT_TRUE(permissions.testFlag(QFileDevice::ReadOwner));
    if (withPasswords) {
      EXPECT_FALSE(permissions & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                  QFileDevice::ReadOther | QFileDevice::WriteOther))
          << "others may touch the file";
    }
  }
}

TEST_F(ProfileFileTest, FieldsAFileLeavesOutKeepTheirDefaults) {
  const QString path = PathOf("short.json");
  Write(path, R"({"format": "linkwatch-desktop-profile", "target": "10.0.0.1"})");
  Profile read;
  ASSERT_EQ(ProfileFile::Load(path, read), "");
  Profile expected;
  expected.Connection.Target = "10.0.0.1";
  EXPECT_EQ(read, expected);
}

struct BadProfile {
  const char* Name;
  std::string Json;
  const char* ErrorPart;  // a part of the error the user reads
};

class ProfileFileRejects : public ProfileFileTest,
                          public ::testing::WithParamInterface<BadProfile> {};

TEST_P(ProfileFileRejects, WithAClearErrorAndLeavesTheProfileAlone) {
  const QString path = PathOf("bad.json");
  Write(path, QByteArray::fromStdString(GetParam().Json));
  Profile read = FullProfile();
  const QString error = ProfileFile::Load(path, read);
  EXPECT_TRUE(error.startsWith("Cannot read the profile " + path + ": ")) << error.toStdString();
  EXPECT_TRUE(error.contains(GetParam().ErrorPart)) << error.toStdString();
  EXPECT_EQ(read, FullProfile());
}

// A profile file with these fields after its format.
std::string Fields(const std::string& fields) {
  return R"({"format": "linkwatch-desktop-profile", )" + fields + "}";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileFileRejects,
    ::testing::Values(
        BadProfile{"NotJson", "target = 10.0.0.1", "not a JSON file"},
        BadProfile{"OtherFormat", R"({"format": "something-else", "target": "x"})",
                   "not a Linkwatch Desktop profile"},
        BadProfile{"NewerFormat", Fields(R"("formatVersion": 2)"), "newer Linkwatch Desktop"},
        BadProfile{"PortHuge", Fields(R"("port": 1e300)"), "\"port\" must be a whole number from 1 to 65535"},
        BadProfile{"StatisticWithComma", Fields(R"("statistics": ["In,Out"])"), "without commas"},
        BadProfile{"RefreshTooShort", Fields(R"("refreshInterval": 4)"),
                   "\"refreshInterval\" must be a whole number from 5 to 300"},
        BadProfile{"AutoUpdateText", Fields(R"("autoUpdate": "yes")"), "\"autoUpdate\" must be true or false"}),
    [](const ::testing::TestParamInfo<BadProfile>& info) { return info.param.Name; });

TEST_F(ProfileFileTest, AMissingOrHugeFileIsRefused) {
  Profile read = FullProfile();
  EXPECT_TRUE(ProfileFile::Load(PathOf("missing.json"), read).startsWith("Cannot open "));
  const QString huge = PathOf("huge.json");
  Write(huge, QByteArray::fromStdString(
                  Fields("\"pad\": \"" + std::string(ProfileFile::kMaxFileSize, 'x') + "\"")));
  EXPECT_TRUE(ProfileFile::Load(huge, read).contains("too large"));
  EXPECT_EQ(read, FullProfile());
}

TEST_F(ProfileFileTest, SavingWhereNoFileCanBeMadeSaysSo) {
  const QString error = ProfileFile::Save(PathOf("no-such-folder/p.json"), FullProfile(), false);
  EXPECT_TRUE(error.startsWith("Cannot write ")) << error.toStdString();
}

}  // namespace
}  // namespace linkwatch::desktop
