#pragma once
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace linkwatch {

// Offers InterfaceListWidget to Qt Designer: it appears in the widget box's
// "Linkwatch" group, and forms that use it include its header. In Designer the
// control is laid out and its properties set like any widget; it starts
// monitoring only in the host program.
class InterfaceListPlugin final : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  explicit InterfaceListPlugin(QObject* parent = nullptr);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override;
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override;
  void initialize(QDesignerFormEditorInterface* core) override;
  QString domXml() const override;

 private:
  bool initialized_ = false;
};

}  // namespace linkwatch
