#pragma once
// A sound server of one test's own, on a socket in a folder of its own, that
// the test stops and starts again as a desktop restarts its server. Its null
// sink is its default output and that sink's monitor its default input.
// use() points every connection the process makes afterwards (and the tools it
// runs) at it, so the suite's shared server is untouched.

#include <sys/types.h>

#include <optional>
#include <string>

#include "support/TempFolder.h"

namespace testsupport {

class PrivateSoundServer {
public:
    static constexpr const char* Sink = "private_out";

    PrivateSoundServer();
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // Starts the server and waits until it answers; false if it does not.
    bool start();
    // Ends the server as a restart does, and waits until it is gone.
    void stop();
    // Stops and continues the server's process: a server that hangs, answering
    // nothing without going away, and then comes back.
    void pause();
    void resume();
    bool running() const { return pid_ > 0; }
    // This process and its children talk to this server from now on.
    void use() const;
    const std::string& address() const { return address_; }

private:
    TempFolder folder_;
    std::string address_;
    pid_t pid_ = -1;
};

// While it lives, the server is in use (see PrivateSoundServer::use); after it,
// the process talks to the servers it talked to before, so tests run after it
// in the same process find the suite's server and sink again.
class SoundServerInUse {
public:
    explicit SoundServerInUse(const PrivateSoundServer& server);
    ~SoundServerInUse();
    SoundServerInUse(const SoundServerInUse&) = delete;
    SoundServerInUse& operator=(const SoundServerInUse&) = delete;

private:
    std::optional<std::string> server_, sink_, source_;
};

}  // namespace testsupport
