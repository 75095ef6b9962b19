// The view of the in-memory grid: what it shows of the grid, and how the user's
// actions in it reach the grid's events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPixmap>
#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QTest>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "WidgetTestSupport.h"
#include "platform/grid/GridTestSupport.h"
#include "components/GridEvents.h"
#include "platform/grid/MemoryGrid.h"
#include "platform/qt/QtPicture.h"
#include "platform/widgets/GridModel.h"
#include "platform/widgets/GridView.h"

namespace linkwatch {
namespace {

using testing_widgets::Application;
using testing_widgets::Click;
using testing_widgets::RunUntil;

std::shared_ptr<const Picture> SolidPicture(QColor color, const std::string& name) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(color);
  return std::make_shared<QtPicture>(image, name);
}

// A table like the control lays out: a bold header row, three interface rows
// with a name, a number with sort values, and a check box.
class GridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    grid.SetRows(4);
    grid.SetCols(3);
    grid.SetFixedRows(1);
    const char* headers[] = {"Interface", "Speed", "Enabled"};
    for (int col = 0; col < 3; ++col) {
      grid.SetColKey(col, headers[col]);
      grid.SetCell(kCellText, 0, col, std::string(headers[col]));
      grid.SetCell(kCellFontBold, 0, col, true);
    }
    const char* names[] = {"eth0", "eth1", "lo"};
    const int64_t speeds[] = {100, 1000, 10};
    for (int row = 1; row <= 3; ++row) {
      grid.SetRowData(row, "I:" + std::to_string(row));
      grid.SetCell(kCellText, row, 0, std::string(names[row - 1]));
      grid.SetCell(kCellText, row, 1, std::to_string(speeds[row - 1]) + " Mbps");
      grid.SetCell(kCellSort, row, 1, speeds[row - 1]);
      grid.SetCell(kCellChecked, row, 2, int64_t{row == 3 ? kGridUnchecked : kGridChecked});
      grid.SetCell(kCellPictureAlignment, row, 2, int64_t{4});
    }
    // The grid's owner sorts column 1 through Compare on the sort values,
    // largest on top.
    owner.OnBeforeSort = [](int column, int& order) {
      if (column == 1) order = kGridSortCustom;
    };
    owner.OnCompare = [this](int row1, int row2) {
      const auto first = std::get<int64_t>(grid.Cell(kCellSort, row1, 1));
      const auto second = std::get<int64_t>(grid.Cell(kCellSort, row2, 1));
      return first > second ? -1 : (first < second ? 1 : 0);
    };
    view = std::make_unique<GridView>(grid);
    view->resize(480, 240);
    view->show();
    view->Refresh();
    owner.Calls.clear();
  }

  QModelIndex IndexOf(int gridRow, int col) const {
    return view->Model().index(GridModel::ModelRow(gridRow), col);
  }
  // Lets a selection change made outside a user action reach the grid.
  void Settle() { QCoreApplication::processEvents(); }

  QString Shown(int gridRow, int col, int role = Qt::DisplayRole) const {
    return view->Model().index(GridModel::ModelRow(gridRow), col).data(role).toString();
  }
  QVariant Data(int gridRow, int col, int role) const {
    return view->Model().index(GridModel::ModelRow(gridRow), col).data(role);
  }
  QPoint CentreOf(int gridRow, int col) const { return view->CellRect(gridRow, col).center(); }

  MemoryGrid grid;
  gridtest::RecordingEvents owner{grid};
  std::unique_ptr<GridView> view;
};

TEST_F(GridViewTest, ShowsRowZeroAsTheBoldHeaderAndTheRestAsRows) {
  EXPECT_EQ(view->Model().rowCount(), 3);
  EXPECT_EQ(view->Model().columnCount(), 3);
  EXPECT_EQ(view->Model().headerData(1, Qt::Horizontal).toString(), "Speed");
  EXPECT_EQ(view->Model().headerData(0, Qt::Vertical).toInt(), 1);  // rows count from 1
  EXPECT_EQ(Shown(1, 0), "eth0");
  EXPECT_EQ(Shown(3, 1), "10 Mbps");
}

TEST_F(GridViewTest, ShowsColoursPicturesCheckBoxesAndSeveralLines) {
  grid.SetCell(kCellForeColor, 1, 1, int64_t{0xFF0000});  // blue (0x00BBGGRR)
  grid.SetCell(kCellBackColor, 1, 1, int64_t{0xF0F0F0});
  grid.SetCell(kCellPicture, 2, 0, SolidPicture(Qt::green, "up"));
  grid.SetCell(kCellText, 3, 0, std::string("lo\nloopback"));
  view->Refresh();

  EXPECT_EQ(Data(1, 1, Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
  EXPECT_EQ(Data(1, 1, Qt::BackgroundRole).value<QColor>(), QColor(240, 240, 240));
  const QPixmap picture = Data(2, 0, Qt::DecorationRole).value<QPixmap>();
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.toImage().pixelColor(8, 8), QColor(Qt::green));
  EXPECT_EQ(Data(1, 2, Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_EQ(Data(3, 2, Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_FALSE(Data(1, 1, Qt::CheckStateRole).isValid());
  EXPECT_EQ(Data(3, 2, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
  EXPECT_EQ(Shown(3, 0), "lo\nloopback");
}

TEST_F(GridViewTest, HidesHiddenRowsAndCollapsedChildRows) {
  // Two child rows under eth1 (grid row 2), as the control adds them.
  grid.SetIsSubtotal(1, true);
  grid.SetIsSubtotal(2, true);
  grid.SetIsSubtotal(3, true);
  const int first = grid.AddChild(2, kGridRelationChild, "", "C:2.1");
  const int second = grid.AddChild(2, kGridRelationChild, "", "C:2.2");
  grid.SetCell(kCellText, first, 0, std::string("client a"));
  grid.SetCell(kCellText, second, 0, std::string("client b"));
  grid.SetRowHidden(1, true);
  view->Refresh();

  ASSERT_EQ(view->Model().rowCount(), 5);
  EXPECT_TRUE(Data(2, 0, GridModel::HasChildRowsRole).toBool());
  EXPECT_TRUE(view->isRowHidden(GridModel::ModelRow(1)));
  EXPECT_FALSE(view->isRowHidden(GridModel::ModelRow(first)));

  // A click on the group head's mark collapses it: the view hides its child
  // rows, the grid's own hidden flags stay as the control set them.
  const QRect head = view->CellRect(2, 0);
  Click(view->viewport(), QPoint(head.left() + 8, head.center().y()));
  EXPECT_FALSE(view->IsExpanded(2));
  EXPECT_TRUE(view->isRowHidden(GridModel::ModelRow(first)));
  EXPECT_TRUE(view->isRowHidden(GridModel::ModelRow(second)));
  EXPECT_FALSE(grid.RowHidden(first));

  // The group stays collapsed when the control refreshes, and opens again.
  view->Refresh();
  EXPECT_TRUE(view->isRowHidden(GridModel::ModelRow(second)));
  view->SetExpanded(2, true);
  EXPECT_FALSE(view->isRowHidden(GridModel::ModelRow(second)));
  EXPECT_TRUE(view->isRowHidden(GridModel::ModelRow(1)));
}

TEST_F(GridViewTest, ClickingACheckBoxTogglesItThroughTheOwner) {
  Click(view->viewport(), CentreOf(3, 2));
  EXPECT_EQ(owner.Count("BeforeEdit 3,2,"), 1);
  EXPECT_EQ(owner.Count("AfterEdit 3,2"), 1);
  EXPECT_EQ(std::get<int64_t>(grid.Cell(kCellChecked, 3, 2)), kGridChecked);
  ASSERT_TRUE(RunUntil([&] { return Data(3, 2, Qt::CheckStateRole).toInt() == Qt::Checked; }));
}

TEST_F(GridViewTest, HoldsItsPictureWhileRepaintIsSuspended) {
  grid.SetRedraw(kGridRedrawSuspend);
  grid.SetCell(kCellText, 1, 0, std::string("eth9"));
  grid.SetRows(5);  // a row the view must not announce while suspended
  view->Refresh();
  EXPECT_FALSE(view->updatesEnabled());
  EXPECT_EQ(view->Model().rowCount(), 3);
  grid.SetRedraw(kGridRedrawResume);
  ASSERT_TRUE(RunUntil([&] { return view->updatesEnabled(); }));
  EXPECT_EQ(view->Model().rowCount(), 4);
  EXPECT_EQ(Shown(1, 0), "eth9");
}

// Every change, the control's and the user's, keeps Qt's model contract and the
// user's place; the user's header clicks and drags reach the grid through its owner.
TEST_F(GridViewTest, KeepsQtsModelContractAndPersistentIndexesThroughEveryChange) {
  QAbstractItemModelTester tester(&view->Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  std::vector<std::pair<int, int>> inserted, removed;
  QObject::connect(&view->Model(), &QAbstractItemModel::rowsInserted,
                   [&](const QModelIndex&, int first, int last) { inserted.emplace_back(first, last); });
  QObject::connect(&view->Model(), &QAbstractItemModel::rowsRemoved,
                   [&](const QModelIndex&, int first, int last) { removed.emplace_back(first, last); });
  // What the user works on: eth1's speed cell (grid row 2, column 1).
  const QPersistentModelIndex eth1Speed(IndexOf(2, 1));
  QHeaderView* header = view->horizontalHeader();
  auto clickHeader = [&](int col) { Click(header->viewport(), view->CellRect(0, col).center()); };

  using Rows = std::vector<std::pair<int, int>>;
  using Texts = std::vector<std::string>;
  struct Step {
    const char* what;
    std::function<void()> change;
    Rows inserted;  // model rows, as Qt heard of them
    Rows removed;
    Texts rowKeys;  // top to bottom
    Texts calls;    // the owner's column events and mouse releases
  };
  const Step steps[] = {
      {"a child row under eth0, above eth1",
       [&] {
         grid.SetIsSubtotal(1, true);
         grid.AddChild(1, kGridRelationChild, "client", "C:1.1");
         view->Refresh();
       },
       {{1, 1}}, {}, {"I:1", "C:1.1", "I:2", "I:3"}, {}},
      {"a sort by the owner's compare, fastest first", [&] { clickHeader(1); }, {}, {},
       {"I:2", "I:1", "C:1.1", "I:3"}, {"BeforeSort 1,1", "MouseUp 1,0 at 0,1"}},
      {"a column dragged to the front: a drag is no click",
       [&] { testing_widgets::DragHeaderSection(header, 2, 0); }, {}, {},
       {"I:2", "I:1", "C:1.1", "I:3"}, {"ColumnMoved 2,0", "MouseUp 1,0 at 0,0"}},
      {"the last row dropped", [&] {
         grid.SetRows(grid.Rows() - 1);
         view->Refresh();
       },
       {}, {{3, 3}}, {"I:2", "I:1", "C:1.1"}, {}},
      {"two rows appended",
       [&] {
         grid.SetRows(grid.Rows() + 2);
         grid.SetRowData(grid.Rows() - 2, "I:8");
         grid.SetRowData(grid.Rows() - 1, "I:9");
         view->Refresh();
       },
       {{3, 4}}, {}, {"I:2", "I:1", "C:1.1", "I:8", "I:9"}, {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    inserted.clear();
    removed.clear();
    owner.Calls.clear();
    step.change();
    EXPECT_EQ(inserted, step.inserted);
    EXPECT_EQ(removed, step.removed);
    EXPECT_EQ(gridtest::BodyKeys(grid), step.rowKeys);
    Texts calls;
    for (const std::string& call : owner.Calls) {
      if (call.rfind("SelectionChanged", 0) != 0) calls.push_back(call);
    }
    EXPECT_EQ(calls, step.calls);
    // The persistent index still names eth1's speed cell wherever it went.
    ASSERT_TRUE(eth1Speed.isValid());
    EXPECT_EQ(eth1Speed.data().toString(), "1000 Mbps");
    EXPECT_EQ(GridModel::GridRow(eth1Speed.row()), grid.FindRow("I:2"));
    EXPECT_EQ(grid.ColKey(eth1Speed.column()), "Speed");
    EXPECT_EQ(view->Model().rowCount(), grid.Rows() - 1);
  }
  // The header keeps showing the grid's order (section n is grid column n), with
  // the last sort's indicator on the sorted column where the drag put it.
  EXPECT_EQ(header->logicalIndex(0), 0);
  EXPECT_EQ(view->Model().headerData(0, Qt::Horizontal).toString(), "Enabled");
  EXPECT_EQ(view->Model().headerData(2, Qt::Horizontal).toString(), "Speed");
  EXPECT_EQ(header->sortIndicatorSection(), 2);
}

TEST_F(GridViewTest, EditsGoThroughBeginAndCommitAndARefreshMeanwhileLeavesTheTypingAlone) {
  // The user double-clicks lo's speed (grid row 3) and has typed half a value.
  const QModelIndex loSpeed = IndexOf(3, 1);
  testing_widgets::DoubleClick(view->viewport(), CentreOf(3, 1));
  ASSERT_TRUE(grid.Editing());
  EXPECT_EQ(owner.Count("BeforeEdit 3,1,"), 1);
  auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(loSpeed));
  ASSERT_NE(editor, nullptr);
  editor->setText("25");
  owner.Calls.clear();

  // A poll cycle finds a new wireless client under eth0 and changes lo's speed.
  grid.SetIsSubtotal(1, true);
  grid.AddChild(1, kGridRelationChild, "client", "C:1.1");
  grid.SetCell(kCellText, 4, 1, std::string("11 Mbps"));
  view->Refresh();
  Settle();

  EXPECT_TRUE(grid.Editing());
  EXPECT_EQ(owner.Count("AfterEdit"), 0) << "nothing was written";
  EXPECT_EQ(view->indexWidget(IndexOf(4, 1)), editor) << "the editor moved with its row";
  EXPECT_EQ(editor->text(), "25");
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(owner.Count("SelectionChanged"), 0);

  editor->setText("2500 Mbps");
  QTest::keyClick(editor, Qt::Key_Return);
  ASSERT_TRUE(RunUntil([&] { return owner.Count("AfterEdit 4,1") == 1; }));
  EXPECT_EQ(grid.CellText(4, 1), "2500 Mbps");
  ASSERT_TRUE(RunUntil([&] { return Shown(4, 1) == "2500 Mbps"; }));

  // An editor closed with Escape ends the grid's edit without a commit.
  view->edit(IndexOf(4, 1));
  ASSERT_TRUE(grid.Editing());
  editor = qobject_cast<QLineEdit*>(view->indexWidget(IndexOf(4, 1)));
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Escape);
  ASSERT_TRUE(RunUntil([&] { return !grid.Editing(); }));
  EXPECT_EQ(owner.Count("AfterEdit"), 1);
}

// A user action raises SelectionChanged once, with the cursor's and the selection
// end's cells, and MouseUp with the button, the keys held and the cell under the
// mouse; a right click leaves the selection to the owner.
TEST_F(GridViewTest, OneUserActionRaisesSelectionChangedOnceWithTheNewSelection) {
  view->setFocus();
  struct Step {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> calls;  // the owner's, sorts aside
  };
  const Step steps[] = {
      {"a click", [&] { Click(view->viewport(), CentreOf(2, 1)); },
       {"SelectionChanged 2,1,2,1", "MouseUp 1,0 at 2,1"}},
      {"a right click", [&] { Click(view->viewport(), CentreOf(3, 2), Qt::RightButton); },
       {"MouseUp 2,0 at 3,2"}},
      {"a shift-click",
       [&] { Click(view->viewport(), CentreOf(3, 0), Qt::LeftButton, Qt::ShiftModifier); },
       {"SelectionChanged 2,1,3,0", "MouseUp 1,1 at 3,0"}},
      {"the up key", [&] { QTest::keyClick(view.get(), Qt::Key_Up); },
       {"SelectionChanged 2,0,2,0"}},
      {"a header click",
       [&] { Click(view->horizontalHeader()->viewport(), view->CellRect(0, 2).center()); },
       {"MouseUp 1,0 at 0,2"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    owner.Calls.clear();
    step.act();
    Settle();
    std::vector<std::string> calls;
    for (const std::string& call : owner.Calls) {
      if (call.rfind("BeforeSort", 0) != 0) calls.push_back(call);
    }
    EXPECT_EQ(calls, step.calls);
  }
  // The header click sorted without selecting its column: one cell stays selected.
  EXPECT_EQ(owner.Count("BeforeSort 2,"), 1);
  EXPECT_EQ(view->selectionModel()->selectedIndexes().size(), 1);
  EXPECT_EQ(grid.RowData(grid.Row()), "I:2") << "the cursor stayed on eth1";
}

}  // namespace
}  // namespace linkwatch
