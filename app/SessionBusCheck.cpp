// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SessionBusCheck.h"

#ifdef __unix__
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace quartet {

#ifdef __unix__

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kAnswerTime = std::chrono::seconds(2);
constexpr char kAddressVariable[] = "DBUS_SESSION_BUS_ADDRESS";

enum class Bus {
    Answers,  // or is not one to ask here: left to libdbus
    Silent,
    Absent,  // nothing listens there: libdbus tries the next address
};

class Socket {
public:
    Socket() : m_fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
    ~Socket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return m_fd; }

private:
    const int m_fd;
};

void appendUint32(std::string& bytes, std::size_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xffU);
}

void padTo8(std::string& bytes)
{
    bytes.resize((bytes.size() + 7) / 8 * 8, '\0');
}

// The bus's Hello, the first call of every client: a little-endian method
// call with its path, destination, interface and member, and no body.
std::string helloCall()
{
    struct Field {
        char code;
        char type;
        std::string_view value;
    };
    std::string fields;
    for (const Field field : {Field{1, 'o', "/org/freedesktop/DBus"}, Field{6, 's', "org.freedesktop.DBus"},
                              Field{2, 's', "org.freedesktop.DBus"}, Field{3, 's', "Hello"}}) {
        padTo8(fields);  // the array starts 8-aligned, at byte 16
        fields += {field.code, '\1', field.type, '\0'};
        appendUint32(fields, field.value.size());
        fields += field.value;
        fields += '\0';
    }
    std::string message{'l', '\1', '\0', '\1'};
    appendUint32(message, 0);  // body length
    appendUint32(message, 1);  // serial
    appendUint32(message, fields.size());
    message += fields;
    padTo8(message);
    return message;
}

// Authentication as the user the socket shows (EXTERNAL), followed at once
// by the Hello, as clients may send them.
std::string helloRequest()
{
    std::string user;
    for (const char digit : std::to_string(::getuid())) {
        constexpr char hex[] = "0123456789abcdef";
        user += hex[static_cast<unsigned char>(digit) >> 4];
        user += hex[static_cast<unsigned char>(digit) & 0xfU];
    }
    return std::string(1, '\0') + "AUTH EXTERNAL " + user + "\r\nBEGIN\r\n" + helloCall();
}

// Whether the bus at `where` answers its Hello before `deadline`. Its first
// line answers the authentication: a refusal, or a hang-up, is an answer
// too; after "OK" any byte is the Hello's.
Bus askForHello(const sockaddr_un& where, socklen_t length, Clock::time_point deadline)
{
    const Socket bus;
    if (bus.fd() < 0)
        return Bus::Answers;
    if (::connect(bus.fd(), reinterpret_cast<const sockaddr*>(&where), length) != 0)
        return errno == EAGAIN ? Bus::Silent : Bus::Absent;  // EAGAIN: a queue of connections never taken
    const std::string request = helloRequest();
    if (::send(bus.fd(), request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
        return Bus::Answers;
    std::string heard;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd readable{bus.fd(), POLLIN, 0};
        const int ready = left > 0 ? ::poll(&readable, 1, static_cast<int>(left)) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return ready == 0 ? Bus::Silent : Bus::Answers;
        char chunk[256];
        const ssize_t count = ::recv(bus.fd(), chunk, sizeof chunk, 0);
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (count <= 0)
            return Bus::Answers;  // it hung up
        heard.append(chunk, static_cast<std::size_t>(count));
        const std::size_t lineEnd = heard.find("\r\n");
        if (lineEnd != std::string::npos && (heard.rfind("OK ", 0) != 0 || heard.size() > lineEnd + 2))
            return Bus::Answers;
    }
}

// A value of a bus address with its %XX escapes undone.
std::string unescaped(std::string_view value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(value[i]);
        if (value[i] == '%' && i + 2 < value.size()) {
            std::from_chars(value.data() + i + 1, value.data() + i + 3, byte, 16);
            i += 2;
        }
        text += static_cast<char>(byte);
    }
    return text;
}

// Asks the bus at a socket path, or at an abstract socket name (a leading NUL).
Bus askAt(const std::string& name, Clock::time_point deadline)
{
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    if (name.size() >= sizeof where.sun_path)
        return Bus::Absent;
    std::memcpy(where.sun_path, name.data(), name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size() + (name[0] != '\0'));
    return askForHello(where, length, deadline);
}

// The addresses of DBUS_SESSION_BUS_ADDRESS are tried in turn, as libdbus
// does, up to the first that connects. Only socket addresses ("unix:" with
// a path or an abstract name) are asked; any other is left to libdbus.
Bus askAddresses(std::string_view addresses, Clock::time_point deadline)
{
    while (!addresses.empty()) {
        const std::string_view entry = addresses.substr(0, addresses.find(';'));
        addresses.remove_prefix(std::min(addresses.size(), entry.size() + 1));
        if (entry.empty())
            continue;
        if (entry.rfind("unix:", 0) != 0)
            return Bus::Answers;
        std::string name;
        for (std::string_view keys = entry.substr(5); !keys.empty();) {
            const std::string_view pair = keys.substr(0, keys.find(','));
            keys.remove_prefix(std::min(keys.size(), pair.size() + 1));
            if (pair.rfind("path=", 0) == 0)
                name = unescaped(pair.substr(5));
            else if (pair.rfind("abstract=", 0) == 0)
                name = '\0' + unescaped(pair.substr(9));
        }
        if (name.empty())
            return Bus::Answers;
        if (const Bus bus = askAt(name, deadline); bus != Bus::Absent)
            return bus;
    }
    return Bus::Answers;
}

// Without the variable (or with it empty), libdbus joins the user's bus in
// the runtime folder: a socket of the user's own there.
Bus askUserBus(Clock::time_point deadline)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0')
        return Bus::Answers;
    const std::string path = std::string(runtime) + "/bus";
    struct stat status = {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode) || status.st_uid != ::getuid())
        return Bus::Answers;
    return askAt(path, deadline);
}

}  // namespace

void disableSilentSessionBus()
{
    const Clock::time_point deadline = Clock::now() + kAnswerTime;
    const char* addresses = std::getenv(kAddressVariable);
    const bool named = addresses != nullptr && *addresses != '\0';
    const Bus bus = named ? askAddresses(addresses, deadline) : askUserBus(deadline);
    if (bus == Bus::Silent)
        ::setenv(kAddressVariable, "disabled:", 1);
}

#else

// Elsewhere Qt joins no session bus.
void disableSilentSessionBus() {}

#endif

}  // namespace quartet
