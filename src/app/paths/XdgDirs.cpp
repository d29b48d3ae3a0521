#include "XdgDirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace wispen {

EnvLookup SystemEnvironment() {
  return [](const char* name) -> const char* { return std::getenv(name); };
}

std::string HomeDir(const EnvLookup& env) {
  const char* home = env("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* entry = ::getpwuid(::getuid());
  if (entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/') return entry->pw_dir;
  return "/";
}

std::string XdgBaseDir(const EnvLookup& env, const char* variable, const char* fallback) {
  const char* value = env(variable);
  std::string dir = value != nullptr && value[0] == '/' ? std::string(value) : HomeDir(env) + "/" + fallback;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

}  // namespace wispen
