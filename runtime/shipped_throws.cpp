// The C++ library's throw helpers and terminate handler, for the shipped
// programs only (the test programs keep the library's own). The library's helpers build every
// exception around a copy-on-write string, which brings two string classes,
// their unwind tables and a small printf into each program: a third of its
// size, for failures that no handler tells apart. Running out of memory is
// still std::bad_alloc; any other misuse of a library container ends in the
// runtime's failure path as an rt::Failure with the library's text.
#include <bits/functexcept.h>

#include <new>

#include "failure.h"
#include "window.h"

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_logic_error(const char* what) { throw rt::Failure(what); }
void __throw_length_error(const char* what) { throw rt::Failure(what); }
// The pattern stands unformatted: the failure path only passes it on.
void __throw_out_of_range_fmt(const char* format, ...) { throw rt::Failure(format); }
void __throw_bad_function_call() { throw rt::Failure("an empty function was called"); }

}  // namespace std

// The end of a program whose exception nobody caught, in place of the C++
// library's verbose handler, which would bring its name demangler and printf
// (some 60 KB) into both programs to print to a console they do not have.
namespace __gnu_cxx {
void __verbose_terminate_handler() { rt::UnhandledFailure("unhandled exception"); }
}  // namespace __gnu_cxx
