// The shipped programs' answer to a fault: end at once. Linked into each program itself (not a
// library), so that the linker takes these definitions before the runtime's own.
#include <cstdlib>
#include <functional>
#include <stdexcept>

// An exception nobody caught: the runtime's own handler prints the exception's type to standard
// error first. A windowed program has no standard error to print to, and that printing links
// the runtime's name demangler, about 45 KB of each program.
namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

// What the library's containers, strings and std::function call where they would throw
// (allocation failure, a length past the maximum, at() out of range, an empty function called).
// Nothing in the programs catches an exception, so a throw there ended in the handler above;
// ending here ends the same way, and keeps the runtime's exception classes and the old string
// type they carry (about 54 KB of orvane.exe) out of the programs. Every function of the
// runtime's own file of these is defined, so that the linker never needs that file.
namespace std {

void __throw_bad_exception() {
    std::abort();
}
void __throw_bad_alloc() {
    std::abort();
}
void __throw_bad_array_new_length() {
    std::abort();
}
void __throw_bad_cast() {
    std::abort();
}
void __throw_bad_typeid() {
    std::abort();
}
void __throw_bad_function_call() {
    std::abort();
}
void __throw_logic_error(const char*) {
    std::abort();
}
void __throw_domain_error(const char*) {
    std::abort();
}
void __throw_invalid_argument(const char*) {
    std::abort();
}
void __throw_length_error(const char*) {
    std::abort();
}
void __throw_out_of_range(const char*) {
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
void __throw_runtime_error(const char*) {
    std::abort();
}
void __throw_range_error(const char*) {
    std::abort();
}
void __throw_overflow_error(const char*) {
    std::abort();
}
void __throw_underflow_error(const char*) {
    std::abort();
}

}  // namespace std
