#include "profilewindow/archivepanel.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

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
  const int w = 262 - 8;
  lblModelSite_->setGeometry(4, 2, w, 16);
  lstModelSite_->setGeometry(4, 18, w, 66);
  lblModel_->setGeometry(4, 86, w, 16);
  lstModel_->setGeometry(4, 102, w, 66);
  lblAll_->setGeometry(4, 170, w, 16);
  lstAll_->setGeometry(4, 186, w, 48);
  btnArchive_->setGeometry(4, 237, 62, 21);
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
