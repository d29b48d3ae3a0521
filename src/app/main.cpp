// Wispen: options, the choice of backend, the six forms, the message loop.
#include <SDL.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Options.h"
#include "assets/BuiltinPictures.h"
#include "headless/HeadlessPlatform.h"
#include "paths/GameDirs.h"
#include "platform/Game.h"
#include "platform/Language.h"
#include "platform/Recorder.h"
#include "platform/Script.h"
#include "platform/ScriptRunner.h"
#include "replays/ReplayStore.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"
#include "sdl/SdlTextEngine.h"
#include "settings/Settings.h"

namespace {

using namespace wispen;

std::string ExecutableDir() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return exe.parent_path().string() + "/";
}

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "wispen: %s\n", message.c_str());
  return status;
}

// The script is read and checked in full before the game starts: a bad line stops the run at once.
std::optional<std::vector<ScriptCommand>> LoadScript(const std::string& file,
                                                     std::optional<RecordingHeader>& header, int& status) {
  std::ifstream in(file);
  // A directory opens as a stream that reads nothing: it would pass for an empty script.
  std::error_code ec;
  if (!in || std::filesystem::is_directory(file, ec)) {
    status = Fail(kExitBadInput, "cannot read the script " + file + (ec ? "" : ": it is a directory"));
    return std::nullopt;
  }
  try {
    header = ReadRecordingHeader(in, file);
    in.clear();
    in.seekg(0);
    return ParseScript(in, file);
  } catch (const ScriptError& e) {
    status = Fail(kExitBadInput, e.what());
    return std::nullopt;
  }
}

int RunGame(PlatformBase& platform, const Options& options, const std::function<int(Application&)>& run) {
  if (options.Log && !platform.Log().Open(*options.Log))
    return Fail(kExitBadInput, "cannot write the log " + *options.Log);
  Application app(platform);
  platform.Attach(app);
  const std::unique_ptr<Game> game = CreateGame(platform, app);
  // A game in the real window is written down and kept, unless it is a script's or a replay's.
  const bool keep = !options.Headless && !options.Script && !options.Replay;
  int status = kExitOk;
  if (!options.Record && !keep) {
    status = run(app);
  } else {
    Recorder recorder(platform.GetClock());
    recorder.Watch(app);
    StateList before, after;
    app.AppendState(before);
    platform.SetRecorder(&recorder);
    status = run(app);
    platform.SetRecorder(nullptr);
    app.AppendState(after);
    SaveRecording(recorder, before, after, platform, options.Record ? &*options.Record : nullptr,
                  ReplayDirectory(SystemEnvironment()));
  }
  // The log has said so on standard error when it failed; the run that fed it did not go as asked.
  if (platform.Log().Failed() && status == kExitOk) return kExitBadInput;
  return status;
}

const char* Env(const char* name) {
  return std::getenv(name);
}

// The settings file, each line that cannot be used said on standard error; the game starts all the same.
GameSettings ReadSettings(const std::string& path) {
  std::vector<std::string> warnings;
  GameSettings s = LoadSettings(path, warnings);
  for (const std::string& w : warnings) std::fprintf(stderr, "wispen: %s\n", w.c_str());
  return s;
}

// Alt+Enter and F11 keep the choice for the next run.
void RememberFullscreen(const std::string& path, bool fullscreen) {
  if (path.empty()) return;
  std::string error;
  if (!SaveSetting(path, "fullscreen", fullscreen ? "true" : "false", error))
    std::fprintf(stderr, "wispen: the settings file was not written: %s\n", error.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  try {
    options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "wispen: %s (see wispen --help)\n", e.what());
    return kExitBadInput;
  }
  if (options.Help) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (options.Version) {
    std::puts("Wispen Version 1");
    return kExitOk;
  }

  int status = kExitOk;
  std::optional<std::vector<ScriptCommand>> script;
  std::optional<RecordingHeader> header;
  if (const auto& file = options.Replay ? options.Replay : options.Script) {
    script = LoadScript(*file, header, status);
    if (!script) return status;
  }

  // A headless run is a repeatable test: the player's settings file has no say in it.
  const std::string settingsPath = options.Headless ? "" : SettingsPath(Env);
  const GameSettings chosen = options.Headless ? GameSettings{} : ReadSettings(settingsPath);

  // Missing data is told before any window opens: the game could show nothing but a box for every file.
  PlatformBase::Settings settings;
  try {
    settings.GameDir = FindGameDir(options.GameDir, ExecutableDir());
  } catch (const GameDataMissing& e) {
    return Fail(1, e.what());
  }
  const ProgressPlace progress = ChooseProgressPlace(settings.GameDir, options.SaveDir, SystemEnvironment());
  settings.ProgressFile = progress.File;
  settings.ProgressSource = progress.Source;
  settings.ProgressInUserDir = progress.InUserDir;
  settings.LanguageId = DetectLanguage(options.Lang ? options.Lang : chosen.Language, Env);
  settings.SkipOpening = chosen.SkipOpening;
  // A recording plays in the language, at the speed and with the opening it was made with, unless told
  // otherwise.
  if (header) {
    if (!options.Lang) settings.LanguageId = DetectLanguage(header->Lang, Env);
    settings.SpeedFactor = header->SpeedFactor;
    settings.SkipOpening = header->SkipOpening;
    settings.Replay = true;
  }

  try {
    SdlTextEngine text;
    SdlImageCodec images;
    if (options.Headless) {
      HeadlessPlatform platform(settings, text, images);
      return RunGame(platform, options, [&](Application& app) { return platform.Run(app, *script); });
    }
    SdlPlatform::Options window;
    window.Scale = options.Scale.value_or(chosen.Scale);
    window.Fullscreen = options.Fullscreen.value_or(chosen.Fullscreen);
    window.ConfineMouse = chosen.ConfineMouse;
    window.SoundFont = chosen.SoundFont;
    window.MusicVolume = chosen.MusicVolume;
    window.EffectsVolume = chosen.EffectsVolume;
    window.FullscreenChanged = [&settingsPath](bool on) { RememberFullscreen(settingsPath, on); };
    SdlPlatform platform(settings, window, text, images);
    platform.SetWindowIcon(BuiltinPicture(Builtin::Icon));
    return RunGame(platform, options,
                   [&](Application& app) { return platform.Run(app, script ? &*script : nullptr); });
  } catch (const NoDisplayError& e) {
    return Fail(1, e.what());
  } catch (const std::exception& e) {
    return Fail(1, e.what());
  }
}
