#pragma once

#include <QString>

namespace ovgNet {

// Told once when an update check completes, on the thread that started the check.
class OnEventListener {
public:
    virtual ~OnEventListener() = default;
    // success: the server answered status 200 with every member of "result". downloadUrl is the
    // page that tells about the newer version (empty on failure).
    virtual void OnReceived(bool success, bool hasNewerVersion, const QString& downloadUrl) = 0;
};

}  // namespace ovgNet
