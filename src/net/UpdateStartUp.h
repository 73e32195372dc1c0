#pragma once

#include <cstdint>
#include <functional>

namespace ovgNet {

class AppRecvUpdateInfo;
class RequestUpdateInfo;
struct UpdateServerConfig;

// The first-run question: shown with the check box "check at start-up" preset to
// defaultChecked; returns the check box's state when the user is done.
using FirstRunQuestion = std::function<bool(bool defaultChecked)>;

// What the start-up step did.
enum class StartUpOutcome {
    kStarted,       // the check runs; the listener hears of it from the event loop
    kAutoRecvOff,   // the user does not want automatic checks
    kCheckedToday,  // a check already completed on this local calendar day
};

// The start-up step of the update check, after the window is shown and its files are open:
// loads info's settings; asks the first-run question once per user (then stores the answer
// with ConfirmedAutoRecv 1); stops when AutoRecv is 0 or a check already completed today
// (local calendar day of nowSec, seconds since 1970 UTC); else starts request on config with
// info as its listener. info and request must outlive the check.
StartUpOutcome RunStartUpSequence(AppRecvUpdateInfo& info, RequestUpdateInfo& request,
                                  const UpdateServerConfig& config, const FirstRunQuestion& ask,
                                  int64_t nowSec);

}  // namespace ovgNet
