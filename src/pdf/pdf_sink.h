#pragma once
// Where the bytes of a PDF document go.

#include <string>
#include <string_view>

namespace lk63 {

// A file or, for tests and in-memory exports, a string.
class TrpPDFSink {
public:
    virtual ~TrpPDFSink() = default;
    // Writes all of `bytes` or throws.
    virtual void Write(std::string_view bytes) = 0;
};

class TrpStringSink : public TrpPDFSink {
public:
    explicit TrpStringSink(std::string& target) : target_(target) {}
    void Write(std::string_view bytes) override { target_.append(bytes); }

private:
    std::string& target_;
};

}  // namespace lk63
