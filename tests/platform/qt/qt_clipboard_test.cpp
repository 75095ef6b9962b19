#include "platform/qt/QtClipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <string>

namespace linkwatch {
namespace {

TEST(QtClipboardTest, PutsPlainTextOnTheDesktopClipboard) {
  QtClipboard clipboard;
  const std::string texts[] = {
      "ifDescr\tifSpeed\r\neth0\t1.00 Gbps\r\n",
      "Schnittstelle \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x9C\x93",  // UTF-8
      "<b>not markup</b>",
  };
  for (const std::string& text : texts) {
    clipboard.Clear();
    clipboard.SetText(text);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text);
    EXPECT_EQ(QtClipboard::Text(), text);
  }
}

TEST(QtClipboardTest, ClearEmptiesIt) {
  QtClipboard clipboard;
  clipboard.SetText("something");
  ASSERT_EQ(QtClipboard::Text(), "something");
  clipboard.Clear();
  EXPECT_EQ(QtClipboard::Text(), "");
  EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

}  // namespace
}  // namespace linkwatch
