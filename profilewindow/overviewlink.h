// The profile window's link with the real overview window: creates the
// overview when it is opened, rebuilds it for a new file and passes the
// profile window's requests on while it is open.
#pragma once

#include <memory>

#include "profilewindow/frmprofile.h"

namespace ondrik {

class frmOverView;

class OverviewWindowLink : public OverviewLink {
 public:
  explicit OverviewWindowLink(ProfileLink& profile);
  ~OverviewWindowLink() override;
  OverviewWindowLink(const OverviewWindowLink&) = delete;
  OverviewWindowLink& operator=(const OverviewWindowLink&) = delete;

  bool IsOpen() const override;
  // Creates, loads and shows the overview; an open one comes forward.
  void Open() override;
  // Saves the layout to slot 9, closes the overview (which saves slot 8),
  // opens it anew (which recalls slot 8) and recalls slot 9.
  void Rebuild() override;
  void PlotData() override;
  bool MoveCursor(int fromHour, int toHour) override;
  void MirrorDatasetBar(int max, int value, bool visible) override;
  void MirrorDatasetBox(const std::string& summary, int index, int value) override;
  void SaveLayout() override;
  bool RecallLayout(int slot) override;
  bool Snap(const std::string& suffix) override;
  void ScalePictures(double scale) override;
  void Resize() override;

  // The open overview; nullptr when there is none.
  frmOverView* Window() const;

 private:
  // A window closed by the user is deleted at the next call, out of its own
  // event handling.
  void DropClosed();

  ProfileLink& profile_;
  std::unique_ptr<frmOverView> window_;
  std::unique_ptr<frmOverView> closed_;
};

std::unique_ptr<OverviewLink> MakeOverviewWindowLink(ProfileLink& profile);

}  // namespace ondrik
