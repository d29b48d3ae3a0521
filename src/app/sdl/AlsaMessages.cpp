#include "AlsaMessages.h"

#include <dlfcn.h>

namespace wispen {

namespace {

// snd_lib_error_handler_t
using ErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* fmt,
                              ...);
using SetErrorHandler = int (*)(ErrorHandler handler);

void DropMessage(const char*, int, const char*, int, const char*, ...) {}

// SDL loads the library at run time, by this name: the same copy of it, so the same handler, serves both.
constexpr const char* kLibrary = "libasound.so.2";

SetErrorHandler Setter(void* library) {
  return library == nullptr ? nullptr
                            : reinterpret_cast<SetErrorHandler>(dlsym(library, "snd_lib_error_set_handler"));
}

}  // namespace

AlsaMessagesSilenced::AlsaMessagesSilenced() : library_(dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL)) {
  if (SetErrorHandler set = Setter(library_)) set(DropMessage);
}

AlsaMessagesSilenced::~AlsaMessagesSilenced() {
  if (SetErrorHandler set = Setter(library_)) set(nullptr);
  if (library_ != nullptr) dlclose(library_);
}

}  // namespace wispen
