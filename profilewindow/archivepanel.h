// The archive panel (side panel 99, opened by "Archive"): the three lists of
// archived runs and the "Load" button of the open-file dialog. It reports
// clicks; the window chooses and loads the file.
#pragma once

#include <functional>

#include "panels/panel.h"
#include "profilewindow/archive.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace ondrik {

class ArchivePanel : public SidePanel {
 public:
  ArchivePanel(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;

  // Shows the lists' captions and the entries of one list (hidden while it
  // fills).
  void Fill(const ArchiveLists& lists, ArchiveList which);

  std::function<void(ArchiveList list, int row)> onListClick;
  std::function<void()> onLoadClick;

 private:
  QFrame* picFiles_;
  QLabel* lblModelSite_;
  QLabel* lblModel_;
  QLabel* lblAll_;
  QListWidget* lstModelSite_;
  QListWidget* lstModel_;
  QListWidget* lstAll_;
  QPushButton* btnArchive_;
};

}  // namespace ondrik
