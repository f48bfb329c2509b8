#include "platform/Network.h"

#include <algorithm>

#include "platform/Process.h"

namespace verdal {
namespace {

constexpr int kToolTimeoutMs = 8000;

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t pos = 0;
    for (;;) {
        const size_t end = text.find(separator, pos);
        parts.push_back(text.substr(pos, end == std::string_view::npos ? end : end - pos));
        if (end == std::string_view::npos) {
            return parts;
        }
        pos = end + 1;
    }
}

void AddUnique(std::vector<std::string>& list, std::string value)
{
    if (!value.empty() && std::find(list.begin(), list.end(), value) == list.end()) {
        list.push_back(std::move(value));
    }
}

}  // namespace

std::vector<std::string> ParseAvahiHosts(std::string_view output)
{
    std::vector<std::string> hosts;
    for (std::string_view line : Split(output, '\n')) {
        // =;interface;protocol;name;type;domain;hostname;address;port;txt
        const std::vector<std::string_view> fields = Split(line, ';');
        if (fields.size() < 8 || fields[0] != "=") {
            continue;
        }
        std::string_view host = fields[6];
        if (host.size() > 6 && host.substr(host.size() - 6) == ".local") {
            host.remove_suffix(6);
        }
        AddUnique(hosts, std::string(host));
    }
    return hosts;
}

std::vector<std::string> ParseSmbShares(std::string_view output)
{
    std::vector<std::string> shares;
    for (std::string_view line : Split(output, '\n')) {
        const std::vector<std::string_view> fields = Split(line, '|');
        if (fields.size() >= 2 && fields[0] == "Disk" && !fields[1].empty() &&
            fields[1].back() != '$') {
            AddUnique(shares, std::string(fields[1]));
        }
    }
    return shares;
}

std::vector<std::string> NetworkHosts()
{
    std::string output;
    if (!RunCommand({"avahi-browse", "-tpr", "_smb._tcp"}, &output, kToolTimeoutMs)) {
        return {};
    }
    return ParseAvahiHosts(output);
}

std::vector<std::string> NetworkShares(const std::string& host)
{
    std::string output;
    if (host.empty() || host[0] == '-' ||
        !RunCommand({"smbclient", "-g", "-N", "-L", "//" + host}, &output, kToolTimeoutMs)) {
        return {};
    }
    std::vector<std::string> drives;
    for (const std::string& share : ParseSmbShares(output)) {
        drives.push_back("\\\\" + host + "\\" + share);
    }
    return drives;
}

}  // namespace verdal
