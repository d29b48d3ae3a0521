#include "ScriptRunner.h"

#include <strings.h>

#include <cstdio>
#include <exception>
#include <fstream>

namespace wispen {

namespace {

// The parser takes the extension in any case, so ".Bmp" is a BMP file as well.
bool IsBmp(const std::string& file) {
  return file.size() >= 4 && strncasecmp(file.c_str() + file.size() - 4, ".bmp", 4) == 0;
}

}  // namespace

int ScriptRunner::Run(const std::vector<ScriptCommand>& commands) {
  using K = ScriptCommand::Kind;
  int status = kExitOk;
  for (const ScriptCommand& c : commands) {
    if (app_.Closed()) {
      if (hooks_.Replay) status = ClosedEarly(commands, c);
      break;
    }
    switch (c.kind) {
      case K::Wait:
        hooks_.Wait(c.ms);
        break;
      case K::Move:
        hooks_.MovePointer({c.x, c.y});
        if (hooks_.Record) hooks_.Record->Move(c.x, c.y);
        app_.MouseMove(0, c.x, c.y);
        break;
      case K::Press: {
        const TPoint at = hooks_.Pointer();
        if (at.X != c.x || at.Y != c.y) {
          hooks_.MovePointer({c.x, c.y});
          app_.MouseMove(0, c.x, c.y);
        }
        if (hooks_.Record) hooks_.Record->Press(c.button, c.shift, c.x, c.y);
        if (!app_.Closed()) app_.MouseDown(c.button, c.shift, c.x, c.y);
        break;
      }
      case K::UpDown:
        hooks_.SetUpDown(c.number);
        break;
      case K::Shot:
        Shot(c);
        break;
      case K::State:
        WriteState(c);
        break;
      case K::Expect:
        if (!Expect(c)) status = kExitExpectFailed;
        break;
      case K::Key:
        if (hooks_.Record) hooks_.Record->Key(c.key);
        app_.KeyDown(c.key);
        break;
      case K::Until:
        if (!Until(c)) status = kExitExpectFailed;
        break;
      case K::Close:
        if (hooks_.Record) hooks_.Record->End(app_);
        if (!app_.CloseBox() && hooks_.Record) hooks_.Record->Close();
        break;
    }
    if (status != kExitOk) break;
  }
  if (!app_.Closed() && hooks_.Record) hooks_.Record->End(app_);
  if (!app_.Closed() && !app_.CloseBox() && status == kExitOk) {
    std::fprintf(stderr, "wispen: the window could not be closed when the script ended\n");
    status = kExitCloseFailed;
  }
  return status;
}

int ScriptRunner::ClosedEarly(const std::vector<ScriptCommand>& commands, const ScriptCommand& next) const {
  if (hooks_.StoppedByPlayer && hooks_.StoppedByPlayer()) {
    std::fprintf(stderr, "wispen: the replay was stopped before its end (line %d)\n", next.line);
    return kExitOk;
  }
  for (const ScriptCommand& c : commands) {
    if (c.line < next.line || c.kind != ScriptCommand::Kind::Expect) continue;
    std::fprintf(stderr, "wispen: script line %d: expect %s: the window closed before it\n", c.line,
                 c.name.c_str());
    return kExitExpectFailed;
  }
  return kExitOk;
}

bool ScriptRunner::Expect(const ScriptCommand& c) {
  StateList state;
  app_.AppendState(state);
  for (const auto& [name, value] : state) {
    if (name != c.name) continue;
    if (value == c.value) return true;
    std::fprintf(stderr, "wispen: script line %d: expect %s: expected '%s', got '%s'\n", c.line,
                 c.name.c_str(), c.value.c_str(), value.c_str());
    return false;
  }
  std::fprintf(stderr, "wispen: script line %d: expect %s: expected '%s', but there is no such state value\n",
               c.line, c.name.c_str(), c.value.c_str());
  return false;
}

std::optional<std::string> ScriptRunner::StateValue(const std::string& name) const {
  StateList state;
  app_.AppendState(state, name == "ScreenDigest");
  for (const auto& [n, value] : state) {
    if (n == name) return value;
  }
  return std::nullopt;
}

bool ScriptRunner::Until(const ScriptCommand& c) {
  // A name that is not there would only run out the clock.
  if (!StateValue(c.name)) {
    std::fprintf(stderr, "wispen: script line %d: until %s: there is no such state value\n", c.line,
                 c.name.c_str());
    return false;
  }
  if (hooks_.WaitUntil(c.ms, [&] { return StateValue(c.name) == c.value; })) return true;
  const std::optional<std::string> now = StateValue(c.name);
  std::fprintf(
      stderr, "wispen: script line %d: until %s %s: %s, and it is '%s'\n", c.line, c.name.c_str(),
      c.value.c_str(),
      app_.Closed() ? "the window closed first" : (std::to_string(c.ms) + " ms passed first").c_str(),
      now ? now->c_str() : "");
  return false;
}

void ScriptRunner::WriteState(const ScriptCommand& c) {
  StateList state;
  app_.AppendState(state);
  std::ofstream out(c.file, std::ios::app);
  for (const auto& [name, value] : state) out << name << '=' << value << '\n';
  out << '\n';
  if (!out)
    std::fprintf(stderr, "wispen: script line %d: cannot write the state to %s\n", c.line, c.file.c_str());
}

void ScriptRunner::Shot(const ScriptCommand& c) {
  const MainWindowEvents* window = app_.MainWindow();
  if (window == nullptr) return;
  try {
    if (IsBmp(c.file)) {
      images_.SaveBmp(window->ScreenPicture(), c.file);
    } else {
      images_.SavePng(window->ScreenPicture(), c.file);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wispen: script line %d: %s\n", c.line, e.what());
  }
}

}  // namespace wispen
