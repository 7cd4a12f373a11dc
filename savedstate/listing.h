// The names in a folder, listed once and used again while the folder stays
// as it was: start-up looks up many names in the program folder (the
// converter, the sites, the downloader's lists, the saves' leftovers), and
// that folder may hold thousands of other files.
//
// A listing is used again only while the folder's modification time is the
// one it had when it was listed (a file made, removed or renamed there
// changes it), so that a file that came later (the downloader's) is found.
// A listing taken within a clock step of the file system after the folder's
// last change is used once only: a second change within that step would
// leave the time as it was.
//
// Qt-free.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ondrik::saved {

struct FolderEntry {
  std::string name;
  bool file = false;  // a regular file, or a link to one
};

// The entries of one listing, shared with the listings kept (it may be
// walked as it is returned: `for (const FolderEntry& e : ListFolder(f))`).
class FolderEntries {
 public:
  explicit FolderEntries(std::shared_ptr<const std::vector<FolderEntry>> entries) : entries_(std::move(entries)) {}
  std::vector<FolderEntry>::const_iterator begin() const { return entries_->begin(); }
  std::vector<FolderEntry>::const_iterator end() const { return entries_->end(); }
  bool empty() const { return entries_->empty(); }

 private:
  std::shared_ptr<const std::vector<FolderEntry>> entries_;
};

// The entries of folder ("" for the current folder) in the order the file
// system gives them; none when it cannot be listed.
FolderEntries ListFolder(const std::string& folder);

// Tests: how many times ListFolder has listed the folder in this process.
long FolderListings(const std::string& folder);

}  // namespace ondrik::saved
