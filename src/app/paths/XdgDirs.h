#pragma once

#include <functional>
#include <string>

namespace wispen {

// Reads one environment variable; nullptr when it is not set. Tests pass their own.
using EnvLookup = std::function<const char*(const char* name)>;

// The process's own environment.
EnvLookup SystemEnvironment();

// The user's home: $HOME, else the password database's entry; "/" when neither knows.
std::string HomeDir(const EnvLookup& env);

// A base directory of the XDG scheme, without a trailing '/': the variable when it holds an absolute path
// (a relative one is ignored, as the scheme says), else `fallback` under the home directory.
std::string XdgBaseDir(const EnvLookup& env, const char* variable, const char* fallback);

inline std::string XdgDataHome(const EnvLookup& env) {
  return XdgBaseDir(env, "XDG_DATA_HOME", ".local/share");
}
inline std::string XdgConfigHome(const EnvLookup& env) {
  return XdgBaseDir(env, "XDG_CONFIG_HOME", ".config");
}
inline std::string XdgStateHome(const EnvLookup& env) {
  return XdgBaseDir(env, "XDG_STATE_HOME", ".local/state");
}

}  // namespace wispen
