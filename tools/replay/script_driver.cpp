#include "tools/replay/script_driver.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/qz/png_writer.h"

namespace replay {
namespace {

// A program that has not ended this long after its window was closed never will.
constexpr std::uint64_t kCloseGraceFrames = 100000;

}  // namespace

ScriptDriver::ScriptDriver(std::vector<Command> commands, std::string shotsDir)
    : commands_(std::move(commands)), shotsDir_(std::move(shotsDir)) {}

bool ScriptDriver::OpenLog(const std::string& path) {
    log_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    return log_.is_open();
}

void ScriptDriver::Log(const std::string& kind, const std::string& detail) {
    if (!log_.is_open()) return;
    log_ << platform::headless::TicksRun() << ' ' << kind << ' ' << detail << '\n';
    log_.flush();
    CheckLog();
}

void ScriptDriver::CheckLog() {
    if (log_ || logFailed_) return;
    std::fprintf(stderr, "stalkway-replay: cannot write the log\n");
    logFailed_ = true;
    failed_ = true;
}

void ScriptDriver::BeforeTick(std::uint64_t tick) {
    if (closing_) {
        if (tick - closedAtTick_ > kCloseGraceFrames) {
            std::fprintf(stderr, "stalkway-replay: the program did not end after its window was closed\n");
            std::_Exit(3);
        }
        return;
    }
    if (framesLeft_ == 0) framesLeft_ = RunUntilFrames();
    --framesLeft_;
}

void ScriptDriver::AfterTick(std::uint64_t tick) {
    if (observer_) observer_(tick, closing_);
}

std::uint64_t ScriptDriver::RunUntilFrames() {
    while (next_ < commands_.size()) {
        if (const std::uint64_t frames = Run(commands_[next_++]); frames > 0) return frames;
    }
    // The end of the script closes the window, as `close` does.
    Run(Command{Op::Close, 0, 0, {}, 0});
    return 1;
}

std::uint64_t ScriptDriver::Run(const Command& c) {
    namespace headless = platform::headless;
    switch (c.op) {
    case Op::Frames: return static_cast<std::uint64_t>(c.a);
    case Op::Move: headless::MouseMove(c.a, c.b); return 1;
    case Op::Button: headless::MouseButton(c.a, c.b != 0); return 1;
    case Op::Key: headless::Key(c.a, c.b != 0); return 1;
    case Op::Type: headless::TypeCharacter(static_cast<unsigned char>(c.a)); return 1;
    case Op::Activate: headless::SetActive(c.a != 0); return 1;
    case Op::Shot: TakeShot(c.text); return 0;
    case Op::Caption: Log("caption", headless::WindowTitle()); return 0;
    case Op::Close:
        ReportSkipped();
        headless::CloseBox();
        closing_ = true;
        closedAtTick_ = headless::TicksRun();
        return 1;
    }
    return 0;
}

void ScriptDriver::ReportSkipped() {
    if (next_ >= commands_.size()) return;
    const int first = commands_[next_].line;
    const int last = commands_.back().line;
    Log("skipped", (first == last ? "line " + std::to_string(first)
                                  : "lines " + std::to_string(first) + "-" + std::to_string(last)) +
                       ", after close");
}

void ScriptDriver::TakeShot(const std::string& name) {
    if (!platform::headless::HasPicture()) {
        std::fprintf(stderr, "stalkway-replay: shot %s: nothing has been presented yet\n", name.c_str());
        failed_ = true;
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(shotsDir_, ignored);
    std::string error;
    if (!platform::WritePng(shotsDir_ + "/" + name + ".png", platform::headless::LastPicture(), &error)) {
        std::fprintf(stderr, "stalkway-replay: %s\n", error.c_str());
        failed_ = true;
    }
}

void ScriptDriver::OnMessageBox(const char* text, const char* caption) {
    Log("messagebox", std::string(text) + "|" + caption);
}

void ScriptDriver::OnShellExecute(const char* verb, const char* file, const char* params, const char* directory) {
    Log("shell", std::string(verb) + " " + file + " " + params + " " + directory);
}

void ScriptDriver::OnDebugString(const char* text) {
    if (!log_.is_open()) return;
    log_ << platform::headless::TicksRun() << ' ' << text << '\n';
    log_.flush();
    CheckLog();
}

}  // namespace replay
