#include "net/UpdateStartUp.h"

#include "net/AppRecvUpdateInfo.h"
#include "net/RequestUpdateInfo.h"

namespace ovgNet {

StartUpOutcome RunStartUpSequence(AppRecvUpdateInfo& info, RequestUpdateInfo& request,
                                  const UpdateServerConfig& config, const FirstRunQuestion& ask,
                                  int64_t nowSec)
{
    info.Load();
    if (!info.IsConfirmedAutoRecv()) {
        const bool autoRecv = ask ? ask(true) : false;
        info.SetConfirmedAutoRecv(true);
        info.SetAutoRecv(autoRecv);
        info.Save();
    }
    if (!info.IsAutoRecv()) return StartUpOutcome::kAutoRecvOff;
    if (!IsCheckDue(info.GetRecvTime(), nowSec)) return StartUpOutcome::kCheckedToday;
    request.Start(config, &info);
    return StartUpOutcome::kStarted;
}

}  // namespace ovgNet
