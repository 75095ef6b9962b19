#pragma once
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>

#include "platform/qt/QtEventLoop.h"
#include "support/EventLoop.h"

namespace linkwatch::testing_widgets {

// Widgets need a QApplication on Qt's offscreen platform (no display needed).
inline QApplication& Application() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Lives until the process ends: destroyed among the static objects at exit, it
  // would outlive Qt's own per-thread storage.
  static QApplication* const app = QtEventLoop::EnsureApplication().release();
  (void)app;
  return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

inline bool RunUntil(const std::function<bool()>& condition,
                     std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
  return support::RunEventLoopUntil(condition, deadline);
}

// A user's click at a point of a widget.
inline void Click(QWidget* target, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::mouseClick(target, button, modifiers, at);
}

inline void DoubleClick(QWidget* target, QPoint at) {
  Click(target, at);
  QMouseEvent twice(QEvent::MouseButtonDblClick, at, target->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &twice);
  QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, at);
}

// A drag of a header section onto another one, as the user does it.
inline void DragHeaderSection(QHeaderView* header, int from, int to) {
  QWidget* target = header->viewport();
  const int y = header->height() / 2;
  const QPoint start(header->sectionViewportPosition(from) + header->sectionSize(from) / 2, y);
  const QPoint end(header->sectionViewportPosition(to) + 4, y);
  QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, start);
  for (int step = 1; step <= 8; ++step) {
    const QPoint at = start + (end - start) * step / 8;
    QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
  }
  QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, end);
}

}  // namespace linkwatch::testing_widgets
