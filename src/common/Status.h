#pragma once
// The outcome of a core operation that can fail: either fine, or a message for the organiser
// that names the file and line where that applies. A failure also carries a kind, for the callers
// that must act on one failure differently from the rest: they test the kind, never the text.
#include <string>
#include <utility>

namespace trakmora {

enum class StatusKind {
    Ok,
    Failed,               // any failure without a kind of its own
    NoControlsLoaded,     // the day has no control file, or one without controls: every
                          // competitor of the day fails alike
    NoRecordsForRallyDate // a download holds no fix of the day being imported
};

class Status {
public:
    Status() = default;
    static Status failure(std::string message) { return failure(StatusKind::Failed, std::move(message)); }
    static Status failure(StatusKind kind, std::string message) {
        Status s;
        s.kind_ = kind == StatusKind::Ok ? StatusKind::Failed : kind;
        s.message_ = std::move(message);
        return s;
    }
    bool ok() const { return kind_ == StatusKind::Ok; }
    explicit operator bool() const { return ok(); }
    StatusKind kind() const { return kind_; }
    const std::string& message() const { return message_; }

private:
    StatusKind kind_ = StatusKind::Ok;
    std::string message_;
};

} // namespace trakmora
