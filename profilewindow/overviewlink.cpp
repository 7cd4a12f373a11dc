#include "profilewindow/overviewlink.h"

#include "core/shared.h"
#include "overviewwindow/frmoverview.h"
#include "savedstate/format.h"

namespace ondrik {

OverviewWindowLink::OverviewWindowLink(ProfileLink& profile) : profile_(profile) {}

OverviewWindowLink::~OverviewWindowLink() = default;

std::unique_ptr<OverviewLink> MakeOverviewWindowLink(ProfileLink& profile) {
  return std::make_unique<OverviewWindowLink>(profile);
}

void OverviewWindowLink::DropClosed() { closed_.reset(); }

bool OverviewWindowLink::IsOpen() const { return window_ != nullptr; }

frmOverView* OverviewWindowLink::Window() const { return window_.get(); }

void OverviewWindowLink::Open() {
  DropClosed();
  if (window_) {
    window_->raise();
    window_->activateWindow();
    return;
  }
  window_ = std::make_unique<frmOverView>(profile_);
  QObject::connect(window_.get(), &frmOverView::Unloaded, [this] {
    if (window_) closed_ = std::move(window_);
  });
  window_->Form_Load();
}

void OverviewWindowLink::Rebuild() {
  DropClosed();
  if (!window_) return;
  // Layout 9 gives back what was saved here, even when its file could not
  // be written or another Ondrik has written its own since.
  window_->btnSave_Click(saved::kScratchSlot);
  window_->Form_Unload();
  DropClosed();
  Open();
  if (window_) window_->btnRecall_Click(saved::kScratchSlot);
  gOverviewOpen = IsOpen() ? 1 : 0;
}

void OverviewWindowLink::PlotData() {
  if (window_) window_->PlotData();
}

bool OverviewWindowLink::MoveCursor(int fromHour, int toHour) {
  return window_ && window_->PlotCursor(fromHour, toHour);
}

void OverviewWindowLink::MirrorDatasetBar(int max, int value, bool visible) {
  if (window_) window_->MirrorDatasetBar(max, value, visible);
}

void OverviewWindowLink::MirrorDatasetBox(const std::string& summary, int index, int value) {
  if (window_) window_->MirrorDatasetBox(summary, index, value);
}

void OverviewWindowLink::SaveLayout() {
  if (!window_) return;
  window_->StorePlace();
  window_->btnSave_Click(8);
}

bool OverviewWindowLink::RecallLayout(int slot) { return window_ && window_->RecallMacro(slot); }

bool OverviewWindowLink::Snap(const std::string& suffix) { return window_ && window_->Snap(suffix); }

void OverviewWindowLink::ScalePictures(double scale) {
  if (window_) window_->ScalePictures(scale);
}

void OverviewWindowLink::Resize() {
  if (window_) window_->Form_Resize();
}

}  // namespace ondrik
