#include "platform/qt/QtClipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <string>

namespace linkwatch {
namespace {

TEST(QtClipboardTest, PutsPlainTextOnTheDesktopClipboardAndClearEmptiesIt) {
  QtClipboard clipboard;
  for (const std::string text : {"ifDescr\tifSpeed\r\neth0\t1.00 Gbps\r\n",
                                 "Schnittstelle \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x9C\x93"}) {  // UTF-8
    clipboard.SetText(text);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text);
    EXPECT_EQ(QtClipboard::Text(), text);
    clipboard.Clear();
    EXPECT_EQ(QtClipboard::Text(), "");
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
  }
}

}  // namespace
}  // namespace linkwatch
