#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/BoundedCall.h"

namespace verdal {

// Looks the windows take at drives (the mount list, whether a directory exists, a volume
// label) run on a thread of their own and are given up after a bounded wait, so a hung network
// mount cannot freeze a dialog.

int DriveLookTimeout();
void SetDriveLookTimeout(int milliseconds);
// Test seam: runs on the looking thread before every look, with what is looked at ("drives"
// for the mount list, else the drive or native path). An empty function removes it.
void SetDriveLookObserver(std::function<void(const std::string& what)> observer);
void NotifyDriveLook(const std::string& what);
// Handles the window events that are waiting (paint, timers, input to enabled controls).
void ProcessWindowEvents();

// Runs `look` with the bounded wait (`timeoutMs`, or the look timeout when negative); nothing
// when it did not come back in time. `look` must own everything it touches. With
// `keepResponding` the window goes on painting and answering while it waits (for the longer
// waits, when its controls are locked against a second command).
template <class T>
std::optional<T> LookAtDrive(const std::string& what, std::function<T()> look, int timeoutMs = -1,
                             bool keepResponding = false)
{
    return CallBounded<T>(
        [what, look = std::move(look)] {
            NotifyDriveLook(what);
            return look();
        },
        timeoutMs < 0 ? DriveLookTimeout() : timeoutMs,
        keepResponding ? std::function<void()>(&ProcessWindowEvents) : std::function<void()>());
}

// Whether `relativeDir` exists on `drive` (both with macros expanded); false also when the
// drive did not answer in time.
bool DirectoryExistsBounded(const std::string& drive, const std::string& relativeDir);
// The native path of `relativeDir` on `drive` (both with macros expanded); nothing when the
// drive is not ready or did not answer in time.
std::optional<std::string> NativePathBounded(const std::string& drive,
                                             const std::string& relativeDir);
// Whether `drive` is a valid drive whose root is there now; false when it did not answer.
bool DriveReadyBounded(const std::string& drive);

}  // namespace verdal
