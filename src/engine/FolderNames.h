#pragma once

namespace verdal {

class cRunContext;

// Gives the folders of directory pair `dirIndex` on the side a copy goes to the names they have
// on the side it comes from, where the two differ in case only (a folder renamed that way on
// one side), as a copied file takes its source's name. Stops at a name that is taken there;
// never undoes a rename the snapshot shows on the receiving side.
// That side's directory table follows, so later copies and the verify find the folders.
// True when a folder was renamed.
bool FollowFolderNames(cRunContext& run, int dirIndex, bool forward);

}  // namespace verdal
