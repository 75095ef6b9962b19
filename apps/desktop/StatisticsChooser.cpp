#include "StatisticsChooser.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "statistics/StatisticTemplates.h"

namespace linkwatch::desktop {
namespace {

constexpr int kNameRole = Qt::UserRole + 1;  // a statistic item's name (groups have none)

QString Describe(const StatisticTemplate& statistic) {
  QString text = QString::fromStdString(statistic.Description());
  const QString header = QString::fromStdString(statistic.Header());
  const QString units = QString::fromStdString(statistic.Units());
  text += QStringLiteral("\nColumn: %1").arg(header);
  if (!units.isEmpty() && statistic.Parser() != "ICON") {
    text += QStringLiteral(" (%1)").arg(units);
  }
  if (statistic.Graphable()) text += QStringLiteral("\nCan be charted.");
  return text;
}

}  // namespace

StatisticsChooser::StatisticsChooser(const StatisticTemplates& templates, QWidget* parent)
    : QWidget(parent) {
  filter_ = new QLineEdit(this);
  filter_->setPlaceholderText(tr("Filter statistics"));
  filter_->setClearButtonEnabled(true);

  tree_ = new QTreeWidget(this);
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({tr("Statistic"), tr("Column")});
  tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  tree_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  tree_->header()->setStretchLastSection(false);
  tree_->setUniformRowHeights(true);

  chosen_ = new QListWidget(this);
  chosen_->setToolTip(tr("Columns in the order the grid shows them"));
  up_ = new QPushButton(tr("Up"), this);
  down_ = new QPushButton(tr("Down"), this);
  remove_ = new QPushButton(tr("Remove"), this);
  apply_ = new QPushButton(tr("Apply"), this);
  apply_->setToolTip(tr("Show these columns"));

  auto* chosenPane = new QWidget(this);
  auto* chosenLayout = new QVBoxLayout(chosenPane);
  chosenLayout->setContentsMargins(0, 0, 0, 0);
  chosenLayout->addWidget(new QLabel(tr("Columns shown, in order"), chosenPane));
  chosenLayout->addWidget(chosen_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(up_);
  buttons->addWidget(down_);
  buttons->addWidget(remove_);
  buttons->addStretch(1);
  buttons->addWidget(apply_);
  chosenLayout->addLayout(buttons);

  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(tree_);
  split->addWidget(chosenPane);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setChildrenCollapsible(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(filter_);
  layout->addWidget(split, 1);

  Fill(templates);

  connect(tree_, &QTreeWidget::itemChanged, this,
          [this](QTreeWidgetItem* item, int) { OnItemChanged(item); });
  connect(filter_, &QLineEdit::textChanged, this, &StatisticsChooser::FilterTree);
  connect(up_, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
  connect(down_, &QPushButton::clicked, this, [this] { MoveSelected(+1); });
  connect(remove_, &QPushButton::clicked, this, &StatisticsChooser::RemoveSelected);
  connect(apply_, &QPushButton::clicked, this, &StatisticsChooser::Apply);
}

void StatisticsChooser::Fill(const StatisticTemplates& templates) {
  QHash<QString, QTreeWidgetItem*> groups;
  for (const auto& statistic : templates) {
    const QString groupName = QString::fromStdString(statistic->Group());
    QTreeWidgetItem*& group = groups[groupName];
    if (group == nullptr) {
      group = new QTreeWidgetItem(tree_, {groupName.isEmpty() ? tr("Other") : groupName});
      group->setFlags(Qt::ItemIsEnabled);
      QFont bold = group->font(0);
      bold.setBold(true);
      group->setFont(0, bold);
      group->setFirstColumnSpanned(false);
    }
    const QString name = QString::fromStdString(statistic->StatName());
    auto* item = new QTreeWidgetItem(group, {name, QString::fromStdString(statistic->Header())});
    item->setData(0, kNameRole, name);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setToolTip(0, Describe(*statistic));
    item->setToolTip(1, item->toolTip(0));
  }
}

QStringList StatisticsChooser::Groups() const {
  QStringList names;
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) names << tree_->topLevelItem(i)->text(0);
  return names;
}

QStringList StatisticsChooser::StatisticsOf(const QString& group) const {
  QStringList names;
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* head = tree_->topLevelItem(i);
    if (head->text(0) != group) continue;
    for (int j = 0; j < head->childCount(); ++j) names << head->child(j)->data(0, kNameRole).toString();
  }
  return names;
}

QTreeWidgetItem* StatisticsChooser::ItemOf(const QString& statName) const {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* head = tree_->topLevelItem(i);
    for (int j = 0; j < head->childCount(); ++j) {
      // Statistic names are compared ignoring letter case, as the control does.
      if (head->child(j)->data(0, kNameRole).toString().compare(statName, Qt::CaseInsensitive) ==
          0) {
        return head->child(j);
      }
    }
  }
  return nullptr;
}

bool StatisticsChooser::IsChecked(const QString& statName) const {
  const QTreeWidgetItem* item = ItemOf(statName);
  return item != nullptr && item->checkState(0) == Qt::Checked;
}

void StatisticsChooser::SetChecked(const QString& statName, bool checked) {
  if (QTreeWidgetItem* item = ItemOf(statName)) {
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
  }
}

QString StatisticsChooser::ChosenList() const {
  QStringList names;
  for (int i = 0; i < chosen_->count(); ++i) names << chosen_->item(i)->text();
  return names.join(QLatin1Char(','));
}

void StatisticsChooser::SetChosenList(const QString& list) {
  syncing_ = true;
  chosen_->clear();
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* head = tree_->topLevelItem(i);
    for (int j = 0; j < head->childCount(); ++j) head->child(j)->setCheckState(0, Qt::Unchecked);
  }
  for (const QString& raw : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QString name = raw.trimmed();
    if (name.isEmpty()) continue;
    QTreeWidgetItem* item = ItemOf(name);
    if (item != nullptr && item->checkState(0) == Qt::Checked) continue;  // listed twice
    auto* entry = new QListWidgetItem(item != nullptr ? item->data(0, kNameRole).toString() : name,
                                      chosen_);
    if (item != nullptr) {
      item->setCheckState(0, Qt::Checked);
      entry->setToolTip(item->toolTip(0));
    } else {
      entry->setToolTip(tr("Not in the statistics file"));
      QFont italic = entry->font();
      italic.setItalic(true);
      entry->setFont(italic);
    }
  }
  // Open the groups the chosen statistics come from.
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* head = tree_->topLevelItem(i);
    bool used = false;
    for (int j = 0; j < head->childCount() && !used; ++j) {
      used = head->child(j)->checkState(0) == Qt::Checked;
    }
    head->setExpanded(used);
  }
  syncing_ = false;
}

void StatisticsChooser::OnItemChanged(QTreeWidgetItem* item) {
  if (syncing_ || !item->data(0, kNameRole).isValid()) return;
  const QString name = item->data(0, kNameRole).toString();
  const QList<QListWidgetItem*> listed = chosen_->findItems(name, Qt::MatchFixedString);
  if (item->checkState(0) == Qt::Checked) {
    if (listed.isEmpty()) {
      auto* entry = new QListWidgetItem(name, chosen_);
      entry->setToolTip(item->toolTip(0));
      chosen_->scrollToItem(entry);
    }
  } else {
    qDeleteAll(listed);
  }
}

void StatisticsChooser::MoveChosen(int from, int to) {
  if (from < 0 || from >= chosen_->count() || to < 0 || to >= chosen_->count()) return;
  QListWidgetItem* entry = chosen_->takeItem(from);
  chosen_->insertItem(to, entry);
  chosen_->setCurrentItem(entry);
}

void StatisticsChooser::MoveSelected(int step) {
  const int row = chosen_->currentRow();
  if (row >= 0) MoveChosen(row, row + step);
}

void StatisticsChooser::RemoveSelected() {
  QListWidgetItem* entry = chosen_->currentItem();
  if (entry == nullptr) return;
  if (QTreeWidgetItem* item = ItemOf(entry->text())) {
    item->setCheckState(0, Qt::Unchecked);  // removes the entry through OnItemChanged
  } else {
    delete entry;
  }
}

void StatisticsChooser::FilterTree(const QString& text) {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* head = tree_->topLevelItem(i);
    int shown = 0;
    for (int j = 0; j < head->childCount(); ++j) {
      QTreeWidgetItem* item = head->child(j);
      const bool match = text.isEmpty() || item->text(0).contains(text, Qt::CaseInsensitive) ||
                         item->text(1).contains(text, Qt::CaseInsensitive);
      item->setHidden(!match);
      shown += match ? 1 : 0;
    }
    head->setHidden(shown == 0);
    if (!text.isEmpty()) head->setExpanded(shown > 0);
  }
}

void StatisticsChooser::Apply() { emit Applied(ChosenList()); }

}  // namespace linkwatch::desktop
