#pragma once
// A flag set for as long as a scope runs and cleared however it is left, a
// failure included: a flag left set would refuse every later call.
namespace rt {

class RaisedFlag {
public:
    explicit RaisedFlag(bool& flag) noexcept : flag_(flag) { flag_ = true; }
    ~RaisedFlag() { flag_ = false; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace rt
