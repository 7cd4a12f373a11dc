#include "profilewindow/archivepanel.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ondrik {

ArchivePanel::ArchivePanel(PanelHost&, QWidget* parent)
    : picFiles_(new QFrame(parent)),
      lblModelSite_(new QLabel(picFiles_)),
      lblModel_(new QLabel(picFiles_)),
      lblAll_(new QLabel(kAllProfilesCaption, picFiles_)),
      lstModelSite_(new QListWidget(picFiles_)),
      lstModel_(new QListWidget(picFiles_)),
      lstAll_(new QListWidget(picFiles_)),
      btnArchive_(new QPushButton("Load", picFiles_)) {
  picFiles_->setObjectName("picFiles");
  picFiles_->setFrameStyle(QFrame::Box | QFrame::Plain);
  lblModelSite_->setObjectName("lblModelSite");
  lblModel_->setObjectName("lblModel");
  lblAll_->setObjectName("lblAll");
  lstModelSite_->setObjectName("lstModelSite");
  lstModel_->setObjectName("lstModel");
  lstAll_->setObjectName("lstAll");
  btnArchive_->setObjectName("btnArchive");
  btnArchive_->setFocusPolicy(Qt::TabFocus);
  // The three lists share the panel's height; the button stays under them.
  auto* column = new QVBoxLayout(picFiles_);
  column->setContentsMargins(4, 2, 4, 2);
  column->setSpacing(1);
  for (QWidget* c : {static_cast<QWidget*>(lblModelSite_), static_cast<QWidget*>(lstModelSite_),
                     static_cast<QWidget*>(lblModel_), static_cast<QWidget*>(lstModel_),
                     static_cast<QWidget*>(lblAll_), static_cast<QWidget*>(lstAll_)})
    column->addWidget(c, qobject_cast<QListWidget*>(c) != nullptr ? 1 : 0);
  btnArchive_->setFixedSize(62, 21);
  column->addWidget(btnArchive_, 0, Qt::AlignLeft);
  const std::pair<QListWidget*, ArchiveList> lists[3] = {
      {lstModelSite_, ArchiveList::ModelSite}, {lstModel_, ArchiveList::Model}, {lstAll_, ArchiveList::All}};
  for (const auto& [list, which] : lists) {
    QObject::connect(list, &QListWidget::itemClicked, list, [this, list = list, which = which](QListWidgetItem* it) {
      if (onListClick) onListClick(which, list->row(it));
    });
  }
  QObject::connect(btnArchive_, &QPushButton::clicked, btnArchive_, [this] {
    if (onLoadClick) onLoadClick();
  });
}

QWidget* ArchivePanel::Widget() { return picFiles_; }

void ArchivePanel::Fill(const ArchiveLists& a, ArchiveList which) {
  lblModelSite_->setText(QString::fromStdString(a.lblModelSite));
  lblModel_->setText(QString::fromStdString(a.lblModel));
  lblAll_->setText(QString::fromStdString(a.lblAll));
  QListWidget* list = which == ArchiveList::ModelSite ? lstModelSite_ : which == ArchiveList::Model ? lstModel_ : lstAll_;
  const std::vector<ArchiveEntry>& entries = which == ArchiveList::ModelSite ? a.lstModelSite
                                             : which == ArchiveList::Model   ? a.lstModel
                                                                             : a.lstAll;
  list->setVisible(false);
  list->clear();
  for (const ArchiveEntry& e : entries) list->addItem(QString::fromStdString(e.text));
  list->setVisible(true);
}

}  // namespace ondrik
