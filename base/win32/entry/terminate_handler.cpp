// The shipped programs' answer to an exception nobody caught: end at once, as the runtime's own
// handler does after it has printed the exception's type to standard error. A windowed program
// has no standard error to print to, and that printing links the runtime's name demangler,
// about 45 KB of each program. Linked into each program itself (not a library), so that the
// linker takes it before the runtime's own definition.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
