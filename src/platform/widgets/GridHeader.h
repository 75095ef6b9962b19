#pragma once
#include <QHeaderView>
#include <QMouseEvent>



namespace linkwatch {

// The grid's header row: clickable (sorting) and movable (column drags). It
// reports every mouse release after handling it, so the view can raise the
// grid's mouse-up event for the header too.
class GridHeader final : public QHeaderView {
  Q_OBJECT

 public:
  explicit GridHeader(QWidget* parent = nullptr);

 signals:
  void MouseReleased(QMouseEvent* event);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace linkwatch
