#include "platform/WindowList.h"

#include <xcb/xcb.h>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/Process.h"

namespace verdal {
namespace {

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name);
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

XcbReply<xcb_get_property_reply_t> GetProperty(xcb_connection_t* connection, xcb_window_t window,
                                               xcb_atom_t property, xcb_atom_t type)
{
    if (property == XCB_ATOM_NONE) {
        return nullptr;
    }
    // 1 MiB of 32-bit units is more than any title or client list holds.
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, property, type, 0, 1u << 18);
    return XcbReply<xcb_get_property_reply_t>(xcb_get_property_reply(connection, cookie, nullptr));
}

std::string PropertyText(const xcb_get_property_reply_t* reply)
{
    if (!reply || reply->format != 8) {
        return {};
    }
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply));
    return std::string(text, static_cast<size_t>(xcb_get_property_value_length(reply)));
}

}  // namespace

std::vector<std::string> TopLevelWindowTitles()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        return {};
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(display, &screenNumber);
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> guard(connection, &xcb_disconnect);
    if (xcb_connection_has_error(connection)) {
        return {};
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i) {
        xcb_screen_next(&screens);
    }
    if (!screens.rem) {
        return {};
    }
    const xcb_atom_t clientList = InternAtom(connection, "_NET_CLIENT_LIST");
    const xcb_atom_t netName = InternAtom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = InternAtom(connection, "UTF8_STRING");
    const auto list = GetProperty(connection, screens.data->root, clientList, XCB_ATOM_WINDOW);
    if (!list || list->format != 32) {
        return {};
    }
    const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
    const int count = xcb_get_property_value_length(list.get()) / 4;
    std::vector<std::string> titles;
    for (int i = 0; i < count; ++i) {
        std::string title = PropertyText(GetProperty(connection, windows[i], netName, utf8).get());
        if (title.empty()) {
            title = PropertyText(
                GetProperty(connection, windows[i], XCB_ATOM_WM_NAME, XCB_ATOM_STRING).get());
        }
        if (!title.empty()) {
            titles.push_back(std::move(title));
        }
    }
    return titles;
}

std::vector<std::string> ApplicationTexts()
{
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* type = std::getenv("XDG_SESSION_TYPE");
    // Under Wayland the X list holds only the few XWayland windows.
    const bool waylandSession =
        (wayland && *wayland) || (type && std::strcmp(type, "wayland") == 0);
    if (!waylandSession) {
        std::vector<std::string> titles = TopLevelWindowTitles();
        if (!titles.empty()) {
            return titles;
        }
    }
    std::vector<std::string> texts;
    for (ProcessInfo& process : ListProcesses()) {
        texts.push_back(std::move(process.Name));
        texts.push_back(std::move(process.CommandLine));
    }
    return texts;
}

}  // namespace verdal
