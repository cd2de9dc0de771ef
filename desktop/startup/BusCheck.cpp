// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/startup/BusCheck.h"

#ifdef __unix__
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include <dbus/dbus.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quartet {

#ifdef __unix__

namespace {

using Clock = std::chrono::steady_clock;
using Message = std::unique_ptr<DBusMessage, decltype(&dbus_message_unref)>;

// A bus on a loaded login can take seconds to answer.
constexpr auto kAnswerTime = std::chrono::seconds(10);
constexpr char kSessionBus[] = "DBUS_SESSION_BUS_ADDRESS";
constexpr char kAccessibilityBus[] = "AT_SPI_BUS_ADDRESS";

// The session bus as libdbus finds it: the variable; without it, the user's
// bus in the runtime folder (a socket of the user's own there). Empty where
// there is neither: libdbus's last resort, a bus launched for the X
// display, is left to it.
std::string sessionBusAddress()
{
    if (const char* named = std::getenv(kSessionBus))
        return named;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr)
        return {};
    const std::string path = std::string(runtime) + "/bus";
    struct stat status = {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode) || status.st_uid != ::getuid())
        return {};
    const std::unique_ptr<char, decltype(&dbus_free)> escaped(dbus_address_escape_value(path.c_str()), &dbus_free);
    return escaped ? "unix:path=" + std::string(escaped.get()) : std::string();
}

// Whether the bus at the address answers its Hello by the deadline. The
// reply's wait ends there; connecting, which may run a program or wait for
// a host, and authenticating may take longer.
bool answersHello(const std::string& address, Clock::time_point deadline)
{
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* bus = dbus_connection_open_private(address.c_str(), &error);
    bool answered = false;
    if (bus != nullptr) {
        // The Hello that dbus_bus_register sends: that function holds a lock
        // of libdbus's own while it waits, and Qt's connections would wait
        // for it after this thread is abandoned.
        const Message hello(
            dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello"),
            &dbus_message_unref);
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (hello && left > 0) {
            const Message reply(
                dbus_connection_send_with_reply_and_block(bus, hello.get(), static_cast<int>(left), &error),
                &dbus_message_unref);
            answered = reply != nullptr;
        }
        dbus_connection_close(bus);
        dbus_connection_unref(bus);
    }
    dbus_error_free(&error);
    return answered;
}

}  // namespace

BusCheck::BusCheck() : m_deadline(Clock::now() + kAnswerTime)
{
    // Harmless since libdbus 1.7, which locks its shared data from the start;
    // Qt's own connections come while the abandoned ones may still wait.
    dbus_threads_init_default();
    const char* accessibility = std::getenv(kAccessibilityBus);
    const std::pair<const char*, std::string> buses[] = {
        {kSessionBus, sessionBusAddress()},
        {kAccessibilityBus, accessibility != nullptr ? accessibility : ""},
    };
    for (const auto& [variable, address] : buses) {
        if (!address.empty())
            m_questions.push_back({variable, AbandonableCall<bool>([address = address, deadline = m_deadline] {
                                       return answersHello(address, deadline);
                                   })});
    }
}

void BusCheck::leaveOutSilentBuses()
{
    for (Question& question : m_questions) {
        if (!question.answer.resultBy(m_deadline).value_or(false))
            ::setenv(question.variable, "disabled:", 1);
    }
}

#else

// Elsewhere Qt joins no session bus.
BusCheck::BusCheck() = default;
void BusCheck::leaveOutSilentBuses() {}

#endif

}  // namespace quartet
