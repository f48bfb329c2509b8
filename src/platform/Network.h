#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdal {

// The network neighbourhood: SMB hosts announced on the local network and their shares, read
// through avahi-browse and smbclient when they are installed; otherwise the network is empty.

// Host names from `avahi-browse -tpr _smb._tcp` output (".local" dropped, no duplicates).
std::vector<std::string> ParseAvahiHosts(std::string_view output);
// Disk share names from `smbclient -g -N -L` output; hidden shares ("name$") left out.
std::vector<std::string> ParseSmbShares(std::string_view output);

std::vector<std::string> NetworkHosts();
// Shares of `host` as drive texts ("\\host\share").
std::vector<std::string> NetworkShares(const std::string& host);

}  // namespace verdal
