// The Designer plugin as Qt Designer loads it: from its file, through the
// custom widget interface.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPluginLoader>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <cstdlib>
#include <memory>

namespace {

QApplication& Application() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "designer-plugin-tests";
  static char* argv[] = {name, nullptr};
  static QApplication* const application = new QApplication(argc, argv);
  return *application;
}

class DesignerPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    loader.setFileName(QStringLiteral(LINKWATCH_DESIGNER_PLUGIN));
    instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
    plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    ASSERT_NE(plugin, nullptr);
  }

  QPluginLoader loader;
  QObject* instance = nullptr;
  QDesignerCustomWidgetInterface* plugin = nullptr;
};

TEST_F(DesignerPluginTest, DescribesTheControlForTheWidgetBox) {
  EXPECT_EQ(plugin->name(), "linkwatch::InterfaceListWidget");
  EXPECT_FALSE(plugin->icon().isNull());
  EXPECT_FALSE(plugin->isInitialized());
  plugin->initialize(nullptr);
  EXPECT_TRUE(plugin->isInitialized());
}

TEST_F(DesignerPluginTest, MakesAWorkingControl) {
  std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
  ASSERT_NE(widget, nullptr);
  // The class Designer writes into forms is the widget's real class.
  EXPECT_EQ(QString::fromLatin1(widget->metaObject()->className()), plugin->name());
}

}  // namespace
