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
#include "platform/Language.h"
#include "platform/Recorder.h"
#include "platform/Script.h"
#include "platform/ScriptRunner.h"
#include "play/Forms.h"
#include "play/MainUnit.h"
#include "replays/ReplayStore.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"
#include "sdl/SdlTextEngine.h"

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
  if (!in) {
    status = Fail(kExitBadInput, "cannot read the script " + file);
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
  Forms forms(platform);
  forms.CreateAll(app);
  app.SetMainWindow(forms.MainForm.get());
  // A game in the real window is written down and kept, unless it is a script's or a replay's.
  const bool keep = !options.Headless && !options.Script && !options.Replay;
  if (!options.Record && !keep) return run(app);
  Recorder recorder(platform.GetClock());
  recorder.Watch(app);
  StateList before, after;
  app.AppendState(before);
  platform.SetRecorder(&recorder);
  const int status = run(app);
  platform.SetRecorder(nullptr);
  app.AppendState(after);
  SaveRecording(recorder, before, after, platform.LanguageId(), options.Record ? &*options.Record : nullptr,
                ReplayDirectory([](const char* name) { return std::getenv(name); }));
  return status;
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

  PlatformBase::Settings settings;
  settings.GameDir = options.GameDir ? WithTrailingSlash(*options.GameDir) : ExecutableDir();
  // A recording plays in the language and at the speed it was made in, unless told otherwise.
  const std::optional<std::string> lang = options.Lang || !header ? options.Lang : header->Lang;
  settings.LanguageId = DetectLanguage(lang, [](const char* name) { return std::getenv(name); });
  if (header) settings.SpeedFactor = header->SpeedFactor;
  settings.Replay = header.has_value();

  try {
    SdlTextEngine text;
    SdlImageCodec images;
    if (options.Headless) {
      HeadlessPlatform platform(settings, text, images);
      return RunGame(platform, options, [&](Application& app) { return platform.Run(app, *script); });
    }
    SdlPlatform platform(settings, SdlPlatform::Options{options.Scale}, text, images);
    platform.SetWindowIcon(BuiltinPicture(Builtin::Icon));
    return RunGame(platform, options,
                   [&](Application& app) { return platform.Run(app, script ? &*script : nullptr); });
  } catch (const NoDisplayError& e) {
    return Fail(1, e.what());
  } catch (const std::exception& e) {
    return Fail(1, e.what());
  }
}
