// The grid model under Qt's model checker: searching, clearing, new units.
#include "gui/windows/history_grid_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "history_window_support.h"

namespace skyvane {
namespace {

using test::WindowRig;

TEST(HistoryGridModel, StaysConsistentThroughSearchesAndClearing) {
  WindowRig rig;
  rig.Store({rig.now - 7200, rig.now - 1800, rig.now - 60});
  CHistoryGridModel model(rig.text);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

  EXPECT_EQ(model.columnCount(), 34);
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Interval(mi)");
  EXPECT_FALSE(model.headerData(0, Qt::Vertical).isValid());
  EXPECT_FALSE(model.headerData(34, Qt::Horizontal).isValid());

  EXPECT_EQ(model.Search(rig.file, test::LocalStamp(rig.now - 3600), test::LocalStamp(rig.now)), 2);
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);  // a table: no children
  EXPECT_EQ(model.data(model.index(1, 0)).toString(), "2");
  EXPECT_EQ(model.data(model.index(1, 9)).toString(), "2.0");
  EXPECT_FALSE(model.data(model.index(1, 9), Qt::EditRole).isValid());

  HeaderRecord units;
  units[hdr::kUnitWind] = "bft";
  model.SetUnits(units);
  EXPECT_EQ(model.headerData(9, Qt::Horizontal).toString(), "Gust(bft)");
  EXPECT_EQ(model.data(model.index(1, 9)).toString(), "2");

  model.ClearRows();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(model.Search(rig.file, test::LocalStamp(rig.now - 86400), test::LocalStamp(rig.now)), 3);
  EXPECT_EQ(resets.count(), 4);
}

}  // namespace
}  // namespace skyvane
