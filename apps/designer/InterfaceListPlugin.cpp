#include "InterfaceListPlugin.h"

#include <QLabel>
#include <exception>

#include "PluginIcon.h"
#include "platform/widgets/InterfaceListWidget.h"

namespace linkwatch {

InterfaceListPlugin::InterfaceListPlugin(QObject* parent) : QObject(parent) {}

// The class name exactly as the widget's meta-object gives it, so forms and the
// code generated from them name the real class.
QString InterfaceListPlugin::name() const { return QStringLiteral("linkwatch::InterfaceListWidget"); }

QString InterfaceListPlugin::group() const { return QStringLiteral("Linkwatch"); }

QString InterfaceListPlugin::toolTip() const {
  return QStringLiteral("Interface list: monitors a device's network interfaces over SNMP");
}

QString InterfaceListPlugin::whatsThis() const {
  return QStringLiteral(
      "Shows one row per network interface of a device, with the statistics named in "
      "StatisticsList, polled over SNMP. Set Target, Community (or the SNMPv3 settings) "
      "and StatisticsList, then call StartMonitoring() from the program.");
}

QString InterfaceListPlugin::includeFile() const {
  return QStringLiteral("linkwatch/platform/widgets/InterfaceListWidget.h");
}

QIcon InterfaceListPlugin::icon() const { return InterfaceListIcon(); }

bool InterfaceListPlugin::isContainer() const { return false; }

QWidget* InterfaceListPlugin::createWidget(QWidget* parent) {
  try {
    return new InterfaceListWidget(parent);
  } catch (const std::exception& error) {
    // Designer keeps running; the form shows why the control is missing.
    auto* placeholder = new QLabel(parent);
    placeholder->setText(QStringLiteral("Linkwatch interface list unavailable: ") +
                         QString::fromUtf8(error.what()));
    placeholder->setWordWrap(true);
    return placeholder;
  }
}

bool InterfaceListPlugin::isInitialized() const { return initialized_; }

void InterfaceListPlugin::initialize(QDesignerFormEditorInterface*) { initialized_ = true; }

QString InterfaceListPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\">\n"
      " <widget class=\"linkwatch::InterfaceListWidget\" name=\"interfaceList\">\n"
      "  <property name=\"geometry\">\n"
      "   <rect><x>0</x><y>0</y><width>640</width><height>320</height></rect>\n"
      "  </property>\n"
      "  <property name=\"StatisticsList\">\n"
      "   <string>Interface Name,Interface Status Icon,Admin Status,In Traffic,Out Traffic</string>\n"
      "  </property>\n"
      " </widget>\n"
      "</ui>\n");
}

}  // namespace linkwatch
