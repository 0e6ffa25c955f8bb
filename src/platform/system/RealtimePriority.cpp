#include "platform/system/RealtimePriority.h"

#include <dbus/dbus.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace sys {

namespace {

constexpr const char* ServiceName = "org.freedesktop.RealtimeKit1";
constexpr const char* ServicePath = "/org/freedesktop/RealtimeKit1";
// A service that must first be started by the bus takes a moment; one that
// hangs must not hold the caller for long.
constexpr int CallTimeoutMs = 2000;

bool setRealtimeDirectly(pid_t thread, int priority) {
    const sched_param parameters{priority};
    return sched_setscheduler(thread, SCHED_RR | SCHED_RESET_ON_FORK, &parameters) == 0;
}

// The system bus, private to this call, so that nothing of it outlives it.
class SystemBus {
public:
    SystemBus() {
        DBusError error;
        dbus_error_init(&error);
        connection_ = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error);
        dbus_error_free(&error);
        if (connection_) dbus_connection_set_exit_on_disconnect(connection_, FALSE);
    }
    ~SystemBus() {
        if (!connection_) return;
        dbus_connection_close(connection_);
        dbus_connection_unref(connection_);
    }
    SystemBus(const SystemBus&) = delete;
    SystemBus& operator=(const SystemBus&) = delete;

    explicit operator bool() const { return connection_ != nullptr; }

    // The reply, or nullptr on an error reply, a timeout or no service.
    DBusMessage* call(DBusMessage* request) {
        DBusError error;
        dbus_error_init(&error);
        DBusMessage* reply =
            dbus_connection_send_with_reply_and_block(connection_, request, CallTimeoutMs, &error);
        dbus_message_unref(request);
        dbus_error_free(&error);
        return reply;
    }

    // A numeric property of the service, whichever integer width it is sent in.
    std::optional<std::int64_t> integerProperty(const char* name) {
        DBusMessage* request = dbus_message_new_method_call(
            ServiceName, ServicePath, "org.freedesktop.DBus.Properties", "Get");
        if (!request) return std::nullopt;
        const char* interface = ServiceName;
        dbus_message_append_args(request, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name,
                                 DBUS_TYPE_INVALID);
        DBusMessage* reply = call(request);
        if (!reply) return std::nullopt;
        std::optional<std::int64_t> value;
        DBusMessageIter arguments;
        DBusMessageIter variant;
        if (dbus_message_iter_init(reply, &arguments) &&
            dbus_message_iter_get_arg_type(&arguments) == DBUS_TYPE_VARIANT) {
            dbus_message_iter_recurse(&arguments, &variant);
            switch (dbus_message_iter_get_arg_type(&variant)) {
                case DBUS_TYPE_INT32: {
                    dbus_int32_t number = 0;
                    dbus_message_iter_get_basic(&variant, &number);
                    value = number;
                    break;
                }
                case DBUS_TYPE_INT64: {
                    dbus_int64_t number = 0;
                    dbus_message_iter_get_basic(&variant, &number);
                    value = number;
                    break;
                }
                default:
                    break;
            }
        }
        dbus_message_unref(reply);
        return value;
    }

private:
    DBusConnection* connection_ = nullptr;
};

// RealtimeKit grants nothing to a process whose real-time threads may compute
// without end; the limit is lowered to what it accepts and never raised.
bool limitRealtimeCpuTime(std::int64_t microseconds) {
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0) return false;
    const auto wanted = static_cast<rlim_t>(microseconds);
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max <= wanted) return true;
    limit.rlim_cur = wanted;
    limit.rlim_max = wanted;
    return setrlimit(RLIMIT_RTTIME, &limit) == 0;
}

}  // namespace

pid_t currentThreadId() {
    return static_cast<pid_t>(syscall(SYS_gettid));
}

bool askRealtimeKit(pid_t thread, int priority) {
    SystemBus bus;
    if (!bus) return false;
    const auto ceiling = bus.integerProperty("MaxRealtimePriority");
    const auto cpuTime = bus.integerProperty("RTTimeUSecMax");
    if (!ceiling || !cpuTime || *ceiling < 1 || *cpuTime < 1) return false;
    if (!limitRealtimeCpuTime(*cpuTime)) return false;

    DBusMessage* request = dbus_message_new_method_call(ServiceName, ServicePath, ServiceName,
                                                        "MakeThreadRealtimeWithPID");
    if (!request) return false;
    const dbus_uint64_t process = static_cast<dbus_uint64_t>(getpid());
    const dbus_uint64_t threadId = static_cast<dbus_uint64_t>(thread);
    const dbus_uint32_t granted =
        static_cast<dbus_uint32_t>(std::clamp<std::int64_t>(priority, 1, *ceiling));
    dbus_message_append_args(request, DBUS_TYPE_UINT64, &process, DBUS_TYPE_UINT64, &threadId,
                             DBUS_TYPE_UINT32, &granted, DBUS_TYPE_INVALID);
    DBusMessage* reply = bus.call(request);
    if (!reply) return false;
    dbus_message_unref(reply);
    return true;
}

bool makeThreadRealtime(pid_t thread, int priority) {
    return setRealtimeDirectly(thread, priority) || askRealtimeKit(thread, priority);
}

bool threadRunsRealtime(pid_t thread) {
    std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    // The name in parentheses may hold blanks; the fields after it are plain.
    const auto nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) return false;
    std::istringstream fields(line.substr(nameEnd + 1));
    // From the state (the third field) on, the priority is the eighteenth:
    // negative for a real-time priority, lent or its own.
    std::string field;
    for (int index = 3; index <= 18; ++index) {
        if (!(fields >> field)) return false;
    }
    return std::stoll(field) < 0;
}

}  // namespace sys
