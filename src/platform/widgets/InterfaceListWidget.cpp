// The control widget's life: the platform, the control and its view, the
// forwarding of the control's events as Qt signals, and resizing.
#include "platform/widgets/InterfaceListWidget.h"

#include <QResizeEvent>
#include <QtGlobal>
#include <exception>
#include <stdexcept>

#include "common/Globals.h"
#include "platform/grid/MemoryGrid.h"
#include "platform/host/HostPlatform.h"
#include "platform/widgets/GridView.h"

namespace linkwatch {

InterfaceListWidget::InterfaceListWidget(QWidget* parent) : QWidget(parent) {
  EnsurePlatform();
  control_ = std::make_unique<InterfaceList>();
  auto* grid = dynamic_cast<MemoryGrid*>(&control_->TableObject());
  if (grid == nullptr) {
    throw std::logic_error(
        "InterfaceListWidget shows the in-memory grid; the thread's platform makes another kind");
  }
  view_ = new GridView(*grid, this);
  ForwardEvents();
  HandleGridKeys();
  PlaceView();
}

InterfaceListWidget::~InterfaceListWidget() {
  // The view reads the grid the control owns: it goes first.
  delete view_;
  view_ = nullptr;
  control_.reset();
}

void InterfaceListWidget::EnsurePlatform() {
  if (!Globals::Installed()) HostPlatform::InstallForThisThread(HostPlatformOptions{true});
}

MemoryGrid& InterfaceListWidget::Grid() const { return view_->Grid(); }

QSize InterfaceListWidget::sizeHint() const { return QSize(720, 360); }

void InterfaceListWidget::ForwardEvents() {
  // Handlers run while the control raises the event, so a slot that sets a
  // property (AutoUpdate during PollTimer) changes what the control goes on with.
  control_->PollTimer.Subscribe([this](bool& autoUpdate) { emit PollTimer(autoUpdate); });
  control_->Status.Subscribe([this](bool& active) {
    view_->ScheduleRefresh();  // a poll cycle ended with a refreshed table
    emit Status(active);
  });
  control_->SystemMIBComplete.Subscribe([this] { emit SystemMIBComplete(); });
  control_->RearrangedColumns.Subscribe(
      [this](int32_t& col, int32_t& position) { emit RearrangedColumns(col, position); });
  control_->SelectionChanged.Subscribe([this] {
    view_->ScheduleRefresh();  // also raised at the end of every table refresh
    emit SelectionChanged();
  });
  control_->MouseUp.Subscribe([this](int16_t& button, int16_t& shift, float& x, float& y) {
    emit MouseUp(button, shift, x, y);
  });
}

void InterfaceListWidget::HandleGridKeys() {
  // Ctrl+C and Ctrl+A in the grid copy and select through the control, in every
  // host. A failure (the clipboard refused) is reported, never thrown into Qt.
  auto guarded = [this](const char* what, auto&& call) {
    try {
      call();
    } catch (const std::exception& error) {
      qWarning("Linkwatch: %s failed: %s", what, error.what());
      emit view_->ActionFailed(QString::fromUtf8(error.what()));
    }
  };
  connect(view_, &GridView::CopyRequested, this,
          [this, guarded] { guarded("copying the selection", [this] { CopyToClipboard(); }); });
  connect(view_, &GridView::SelectAllRequested, this,
          [this, guarded] { guarded("selecting all", [this] { SelectAll(); }); });
}

void InterfaceListWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceView();
}

void InterfaceListWidget::PlaceView() {
  // The control places its grid in the widget's inner area; the view goes where
  // the grid was put.
  control_->Resize(width(), height());
  const MemoryGrid::Bounds& place = view_->Grid().Placement();
  view_->setGeometry(place.Left, place.Top, place.Width, place.Height);
}

}  // namespace linkwatch
