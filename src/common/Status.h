#pragma once
// The outcome of a core operation that can fail: either fine, or a message for the organiser
// that names the file and line where that applies.
#include <string>
#include <utility>

namespace trakmora {

class Status {
public:
    Status() = default;
    static Status failure(std::string message) {
        Status s;
        s.ok_ = false;
        s.message_ = std::move(message);
        return s;
    }
    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& message() const { return message_; }

private:
    bool ok_ = true;
    std::string message_;
};

} // namespace trakmora
