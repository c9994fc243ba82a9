#pragma once
// The runtime's failure: a std::exception that carries only a fixed text, so
// that throwing one brings no string class, allocation or locale into the
// programs (std::runtime_error copies its text into a reference-counted string
// of its own). Every catch of std::exception catches it.
#include <exception>

namespace rt {

class Failure : public std::exception {
public:
    // `what` must outlive the failure: a literal.
    explicit Failure(const char* what) noexcept : what_(what) {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;
};

}  // namespace rt
