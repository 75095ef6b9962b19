#pragma once
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace linkwatch {
class StatisticTemplates;
}

namespace linkwatch::desktop {

// Chooses the statistics the grid shows.
//
// Above, every statistic of the statistics file under its group (groups in the
// order the file first names them), each with a check box; a filter narrows the
// tree. Below, the chosen statistics in column order: checking one adds it at the
// end, clearing it removes it, Up and Down move the selected one. Apply hands
// the list, joined by ",", to whoever listens (the window sets the control's
// StatisticsList). Names the file does not know are kept in the list as they are.
class StatisticsChooser : public QWidget {
  Q_OBJECT

 public:
  explicit StatisticsChooser(const StatisticTemplates& templates, QWidget* parent = nullptr);

  // The chosen statistics, in order, as the control's list text.
  QString ChosenList() const;
  void SetChosenList(const QString& list);

  QStringList Groups() const;
  QStringList StatisticsOf(const QString& group) const;
  bool IsChecked(const QString& statName) const;
  void SetChecked(const QString& statName, bool checked);
  void MoveChosen(int from, int to);

  QTreeWidget& Tree() const { return *tree_; }
  QListWidget& ChosenView() const { return *chosen_; }

 public slots:
  void Apply();

 signals:
  void Applied(const QString& list);

 private:
  void Fill(const StatisticTemplates& templates);
  QTreeWidgetItem* ItemOf(const QString& statName) const;
  void OnItemChanged(QTreeWidgetItem* item);
  void FilterTree(const QString& text);
  void MoveSelected(int step);
  void RemoveSelected();

  QLineEdit* filter_;
  QTreeWidget* tree_;
  QListWidget* chosen_;
  QPushButton* up_;
  QPushButton* down_;
  QPushButton* remove_;
  QPushButton* apply_;
  bool syncing_ = false;  // the tree's check boxes are being set from the list
};

}  // namespace linkwatch::desktop
