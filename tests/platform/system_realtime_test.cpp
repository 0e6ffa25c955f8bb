// Real-time priority: the request to RealtimeKit, answered by a stand-in for
// the service on a private bus, and the priority lent to the playback steps.

#include <dbus/dbus.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "platform/system/PriorityLender.h"
#include "platform/system/RealtimePriority.h"
#include "support/RaisePermission.h"
#include "support/TempFolder.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* Service = "org.freedesktop.RealtimeKit1";
constexpr const char* ObjectPath = "/org/freedesktop/RealtimeKit1";

struct Request {
    std::uint64_t process = 0;
    std::uint64_t thread = 0;
    std::uint32_t priority = 0;
};

// A bus of the test's own, standing in for the system bus.
class PrivateBus {
public:
    explicit PrivateBus(const testsupport::TempFolder& folder)
        : address_("unix:path=" + folder.file("bus")) {
        const std::string config = folder.file("bus.conf");
        std::ofstream(config) << "<busconfig><type>system</type><listen>" << address_
                              << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                                 "<allow user=\"*\"/><allow own=\"*\"/>"
                                 "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                                 "</policy></busconfig>";
        daemon_ = fork();
        if (daemon_ == 0) {
            execlp("dbus-daemon", "dbus-daemon", "--nofork", "--nopidfile",
                   ("--config-file=" + config).c_str(), nullptr);
            _exit(127);
        }
        // Ready once its socket takes connections.
        for (int tries = 0; tries < 500 && !connection_; ++tries) {
            DBusError error;
            dbus_error_init(&error);
            connection_ = dbus_connection_open_private(address_.c_str(), &error);
            dbus_error_free(&error);
            if (!connection_) std::this_thread::sleep_for(10ms);
        }
    }
    ~PrivateBus() {
        if (connection_) {
            dbus_connection_close(connection_);
            dbus_connection_unref(connection_);
        }
        if (daemon_ > 0) {
            kill(daemon_, SIGTERM);
            waitpid(daemon_, nullptr, 0);
        }
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    const std::string& address() const { return address_; }
    DBusConnection* connection() const { return connection_; }

private:
    std::string address_;
    pid_t daemon_ = -1;
    DBusConnection* connection_ = nullptr;
};

// Answers as the service does: its limits as properties, and each request
// granted or refused.
class FakeRealtimeKit {
public:
    FakeRealtimeKit(DBusConnection* connection, std::int32_t ceiling, std::int64_t cpuLimit,
                    bool grants)
        : connection_(connection), ceiling_(ceiling), cpuLimit_(cpuLimit), grants_(grants) {
        DBusError error;
        dbus_error_init(&error);
        registered_ = dbus_bus_register(connection_, &error) &&
                      dbus_bus_request_name(connection_, Service, 0, &error) ==
                          DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER;
        dbus_error_free(&error);
        if (registered_) server_ = std::thread([this] { serve(); });
    }
    ~FakeRealtimeKit() {
        stop_ = true;
        if (server_.joinable()) server_.join();
        if (registered_) dbus_bus_release_name(connection_, Service, nullptr);
        dbus_connection_flush(connection_);
    }

    bool registered() const { return registered_; }
    int requests() {
        const std::lock_guard lock(mutex_);
        return requests_;
    }
    Request last() {
        const std::lock_guard lock(mutex_);
        return last_;
    }

private:
    void serve() {
        while (!stop_) {
            dbus_connection_read_write(connection_, 20);
            while (DBusMessage* message = dbus_connection_pop_message(connection_)) {
                answer(message);
                dbus_message_unref(message);
            }
        }
    }

    void answer(DBusMessage* message) {
        DBusMessage* reply = nullptr;
        if (dbus_message_is_method_call(message, "org.freedesktop.DBus.Properties", "Get")) {
            const char* interface = nullptr;
            const char* name = nullptr;
            dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING,
                                  &name, DBUS_TYPE_INVALID);
            reply = dbus_message_new_method_return(message);
            DBusMessageIter arguments;
            DBusMessageIter variant;
            dbus_message_iter_init_append(reply, &arguments);
            if (std::string(name) == "RTTimeUSecMax") {
                dbus_message_iter_open_container(&arguments, DBUS_TYPE_VARIANT, "x", &variant);
                dbus_message_iter_append_basic(&variant, DBUS_TYPE_INT64, &cpuLimit_);
            } else {
                dbus_message_iter_open_container(&arguments, DBUS_TYPE_VARIANT, "i", &variant);
                dbus_message_iter_append_basic(&variant, DBUS_TYPE_INT32, &ceiling_);
            }
            dbus_message_iter_close_container(&arguments, &variant);
        } else if (dbus_message_is_method_call(message, Service, "MakeThreadRealtimeWithPID")) {
            Request request;
            dbus_message_get_args(message, nullptr, DBUS_TYPE_UINT64, &request.process,
                                  DBUS_TYPE_UINT64, &request.thread, DBUS_TYPE_UINT32,
                                  &request.priority, DBUS_TYPE_INVALID);
            {
                const std::lock_guard lock(mutex_);
                last_ = request;
                ++requests_;
            }
            reply = grants_
                        ? dbus_message_new_method_return(message)
                        : dbus_message_new_error(message, "org.freedesktop.DBus.Error.AccessDenied",
                                                 "not for you");
        } else if (dbus_message_get_type(message) == DBUS_MESSAGE_TYPE_METHOD_CALL) {
            reply = dbus_message_new_error(message, DBUS_ERROR_UNKNOWN_METHOD, "unknown");
        }
        if (reply) {
            dbus_connection_send(connection_, reply, nullptr);
            dbus_connection_flush(connection_);
            dbus_message_unref(reply);
        }
    }

    DBusConnection* connection_;
    std::int32_t ceiling_;
    std::int64_t cpuLimit_;
    bool grants_;
    bool registered_ = false;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    int requests_ = 0;
    Request last_;
    std::thread server_;
};

rlim_t realtimeCpuLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_RTTIME, &limit);
    return limit.rlim_max;
}

// One bus for the whole program: the client library reads the system bus's
// address once per process.
class RealtimeKitRequest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new testsupport::TempFolder;
        bus = new PrivateBus(*folder);
        setenv("DBUS_SYSTEM_BUS_ADDRESS", bus->address().c_str(), 1);
    }
    static void TearDownTestSuite() {
        delete bus;
        delete folder;
    }
    void SetUp() override { ASSERT_NE(bus->connection(), nullptr) << "dbus-daemon did not start"; }

    static inline testsupport::TempFolder* folder = nullptr;
    static inline PrivateBus* bus = nullptr;
};

TEST_F(RealtimeKitRequest, NamesThisProcessAndThreadAtThePriorityWithinTheServiceCeiling) {
    FakeRealtimeKit service(bus->connection(), 2, 200000, true);
    ASSERT_TRUE(service.registered());
    const pid_t thread = sys::currentThreadId();
    EXPECT_TRUE(sys::askRealtimeKit(thread, sys::SynthPriority));
    ASSERT_EQ(service.requests(), 1);
    EXPECT_EQ(service.last().process, static_cast<std::uint64_t>(getpid()));
    EXPECT_EQ(service.last().thread, static_cast<std::uint64_t>(thread));
    EXPECT_EQ(service.last().priority, 2u);  // asked 3, the service allows 2
    // The service grants only to a process whose real-time threads cannot
    // compute without end.
    EXPECT_EQ(realtimeCpuLimit(), 200000u);

    EXPECT_TRUE(sys::askRealtimeKit(thread, 1));
    EXPECT_EQ(service.last().priority, 1u);
}

TEST_F(RealtimeKitRequest, ARefusalOrAMissingServiceIsQuiet) {
    {
        FakeRealtimeKit service(bus->connection(), 20, 200000, false);
        ASSERT_TRUE(service.registered());
        testing::internal::CaptureStderr();
        EXPECT_FALSE(sys::askRealtimeKit(sys::currentThreadId(), 1));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(service.requests(), 1);
    }
    // The bus without the service.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sys::askRealtimeKit(sys::currentThreadId(), 1));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(PriorityLender, TheBorrowerRunsRealtimeFromBorrowUntilItGivesBack) {
    if (!testsupport::mayRaiseThreadsTo(sys::StepPriority))
        GTEST_SKIP() << "this user may not raise a thread's priority";
    sys::PriorityLender lender(sys::StepPriority);
    while (!lender.settled()) std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(lender.lends());
    const pid_t self = sys::currentThreadId();
    ASSERT_FALSE(sys::threadRunsRealtime(self));
    // Lent again and again without asking anyone: each loan holds at once.
    for (int loan = 0; loan < 50; ++loan) {
        lender.borrow();
        ASSERT_TRUE(sys::threadRunsRealtime(self)) << "loan " << loan;
        lender.giveBack();
        // The kernel takes a loan back as the lock is let go.
        ASSERT_FALSE(sys::threadRunsRealtime(self)) << "loan " << loan;
    }
    lender.borrow();  // the lender's end gives a loan back
}

}  // namespace
