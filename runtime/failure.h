#pragma once
// The runtime's failure: a std::exception that carries only a fixed text and,
// when the system said why, its error code, so that throwing one brings no
// string class, allocation or locale into the programs (std::runtime_error
// copies its text into a reference-counted string of its own). Every catch of
// std::exception catches it.
#include <exception>

namespace rt {

class Failure : public std::exception {
public:
    // `what` must outlive the failure: a literal. `code` 0: the system said nothing.
    explicit Failure(const char* what, unsigned long code = 0) noexcept : what_(what), code_(code) {}
    const char* what() const noexcept override { return what_; }
    unsigned long code() const noexcept { return code_; }

private:
    const char* what_;
    unsigned long code_;
};

}  // namespace rt
