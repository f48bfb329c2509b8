#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "settings/Parameters.h"

namespace verdal {

// What the front end lends a mail delivery: Pump() runs while the client waits (the GUI keeps
// painting), the cancel flag breaks off the wait (the info window's cancel button).
struct MailHooks
{
    std::function<void()> Pump;
    const std::atomic<bool>* CancelFlag = nullptr;
    int TimeOut = 60;  // seconds without progress
    // When set, a failed delivery is handed here (the reason in German) instead of being shown
    // through the presenter: the window shows it in its self-closing message window.
    std::function<void(const std::string& reason)> Failed;
};

// Mails the run log `Log.CurrentLogFile` by the profile's e-mail settings: the log as the body,
// or with AsAttachment as an attachment under the line "siehe Anhang". The caller recomputes
// CurrentLogFile first. Every failure gives false and is shown through the presenter ("Fehler
// beim Verschicken...", the recipient, the reason) or handed to `hooks.Failed`; nothing is
// thrown.
bool SendLogByMail(cParameters& params, const MailHooks& hooks = {});

// Sends a short test message by the e-mail settings, so the user knows they work before the
// first unattended run. `answer` receives a German account: the server's last reply on success,
// the reason on failure. Nothing is thrown.
bool SendTestMail(const cLogParameters& log, const MailHooks& hooks, std::string& answer);

// "Verschicke Log an Name <Adresse>...", the text of the window shown while mailing.
std::string SendingLogText(const cLogParameters& log);

}  // namespace verdal
