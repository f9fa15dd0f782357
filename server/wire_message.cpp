#include "wire_message.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

namespace {

using clock_type = std::chrono::steady_clock;

// Reads exactly `count` bytes into `out`, waiting until `deadline` at most.
bool read_exact(int fd, char* out, std::size_t count, std::optional<clock_type::time_point> deadline)
{
    while (count > 0) {
        if (deadline) {
            // Rounded up, so a wait that times out has reached the deadline.
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - clock_type::now());
            if (left.count() <= 0)
                return false;
            pollfd p{fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, int(left.count()));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                return false;
        }
        const ssize_t got = ::read(fd, out, count);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        out += got;
        count -= std::size_t(got);
    }
    return true;
}

// A decimal number ended by a line end, of at most 19 digits.
bool read_number(int fd, std::size_t& value, std::optional<clock_type::time_point> deadline)
{
    value = 0;
    for (int digits = 0; digits < 20; ++digits) {
        char c = 0;
        if (!read_exact(fd, &c, 1, deadline))
            return false;
        if (c == '\n')
            return digits > 0;
        if (c < '0' || c > '9' || digits == 19)
            return false;
        value = value * 10 + std::size_t(c - '0');
    }
    return false;
}

bool read_fields(int fd, std::vector<std::string>& fields, std::size_t max_bytes,
                 std::optional<clock_type::time_point> deadline)
{
    fields.clear();
    std::size_t count = 0;
    std::size_t total = 0;
    if (!read_number(fd, count, deadline) || count > max_bytes)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t length = 0;
        if (!read_number(fd, length, deadline) || length > max_bytes - total)
            return false;
        total += length;
        std::string field(length, '\0');
        if (!read_exact(fd, field.data(), length, deadline))
            return false;
        fields.push_back(std::move(field));
    }
    return true;
}

}

bool wire_message::write(int fd, const std::vector<std::string>& fields)
{
    std::string text = std::to_string(fields.size()) + "\n";
    for (const std::string& field : fields)
        text += std::to_string(field.size()) + "\n" + field;
    const char* at = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        // A worker that died must not take the server down with SIGPIPE.
        const ssize_t put = ::send(fd, at, left, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        at += put;
        left -= std::size_t(put);
    }
    return true;
}

bool wire_message::read(int fd, std::vector<std::string>& fields, std::size_t max_bytes)
{
    return read_fields(fd, fields, max_bytes, std::nullopt);
}

bool wire_message::read(int fd, std::vector<std::string>& fields, std::size_t max_bytes,
                        clock_type::time_point deadline)
{
    return read_fields(fd, fields, max_bytes, deadline);
}
