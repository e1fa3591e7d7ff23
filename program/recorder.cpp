// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "recorder.h"

#include "app/timeline.h"
#include "display/screen.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace program {
namespace {

constexpr uint32_t msPerTick = 50;  // ticks are milliseconds times 0.02
// The whole show: the first whole tick at or after its end.
constexpr uint32_t showLengthTicks = uint32_t(showLength) + (float(uint32_t(showLength)) < showLength ? 1 : 0);
constexpr int frameWidth = screenWidth;
constexpr int frameHeight = screenHeight;

struct Codecs {
    const char* video;
    const char* audio;
};

bool endsWith(const std::string& text, const char* suffix)
{
    size_t n = std::strlen(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

Codecs codecsFor(const std::string& path)
{
    if (endsWith(path, ".webm"))
        return {"libvpx-vp9", "libopus"};
    return {"libx264", "aac"};
}

bool programOnPath(const char* name)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        std::string folder = folders.substr(start, end == std::string::npos ? end : end - start);
        std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

// Starts ffmpeg in a process group of its own, so that Ctrl+C in the terminal stops
// the show (which then finishes the file) rather than ffmpeg itself.
pid_t spawnFfmpeg(const std::vector<std::string>& arguments, int inputFd)
{
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (inputFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, inputFd, STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = -1;
    if (posix_spawnp(&child, "ffmpeg", &actions, &attributes, argv.data(), environ) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return child;
}

bool waitSucceeded(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string clockText(double seconds)
{
    int whole = int(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
    return text;
}

}  // namespace

bool recordingFormatKnown(const std::string& path)
{
    return endsWith(path, ".mp4") || endsWith(path, ".mkv") || endsWith(path, ".webm");
}

bool Recorder::start(const RecordOptions& wanted, host::headless::HeadlessHost& headless, std::string& error)
{
    options = wanted;
    host = &headless;
    if (!recordingFormatKnown(options.path)) {
        error = "cannot record " + options.path + ": the name must end in .mp4, .mkv or .webm";
        return false;
    }
    if (!programOnPath("ffmpeg")) {
        error = "recording needs the ffmpeg program (Debian package ffmpeg)";
        return false;
    }
    picturePath = options.path + ".part.mkv";
    std::signal(SIGPIPE, SIG_IGN);

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        return false;
    }
    Codecs codecs = codecsFor(options.path);
    std::vector<std::string> arguments = {"ffmpeg",
                                          "-hide_banner",
                                          "-loglevel",
                                          "error",
                                          "-y",
                                          "-f",
                                          "rawvideo",
                                          "-pixel_format",
                                          "rgb565le",
                                          "-video_size",
                                          std::to_string(frameWidth) + "x" + std::to_string(frameHeight),
                                          "-framerate",
                                          std::to_string(options.framesPerSecond),
                                          "-i",
                                          "-",
                                          "-c:v",
                                          codecs.video,
                                          "-pix_fmt",
                                          "yuv420p"};
    if (std::strcmp(codecs.video, "libx264") == 0)
        arguments.insert(arguments.end(), {"-preset", "veryfast", "-crf", "18"});
    else
        arguments.insert(arguments.end(), {"-deadline", "realtime", "-cpu-used", "8", "-b:v", "3M"});
    arguments.push_back(picturePath);
    encoder = spawnFfmpeg(arguments, fds[0]);
    close(fds[0]);
    if (encoder < 0) {
        close(fds[1]);
        error = "cannot start ffmpeg";
        return false;
    }
    pipe = fdopen(fds[1], "wb");

    uint32_t endTicks = options.toTicks ? options.toTicks : showLengthTicks;
    framesExpected =
        int64_t(endTicks - std::min(options.fromTicks, endTicks)) * msPerTick * options.framesPerSecond / 1000;
    progressOnTerminal = isatty(STDERR_FILENO) != 0;
    startedAt = std::chrono::steady_clock::now();
    headless.onPresent = [this](const host::Frame& frame, uint32_t tick) { takeFrame(frame, tick); };
    return true;
}

void Recorder::takeFrame(const host::Frame& frame, uint32_t tick)
{
    if (!firstTickKnown) {
        firstTick = tick;
        firstTickKnown = true;
    }
    int64_t showMs = int64_t(uint32_t(tick - firstTick));
    if (options.toTicks && showMs >= int64_t(options.toTicks) * msPerTick) {
        host->postEvent(host::Event{host::EventKind::keyDown, 27});  // Escape ends the show
        return;
    }
    if (showMs < int64_t(options.fromTicks) * msPerTick || pipeBroken)
        return;
    if (firstWrittenMs < 0)
        firstWrittenMs = showMs;

    // The encoder takes 5-6-5 pixels; a 5-5-5 frame is widened on the way.
    static std::vector<uint16_t> row(frameWidth);
    for (int y = 0; y < frame.height && y < frameHeight; ++y) {
        auto* pixels = reinterpret_cast<const uint16_t*>(frame.pixels + size_t(y) * frame.pitch);
        for (int x = 0; x < frameWidth; ++x) {
            uint16_t p = x < frame.width ? pixels[x] : 0;
            if (frame.format == soft::PixelFormat::rgb555)
                p = uint16_t((p & 0x7FE0) << 1 | (p & 0x0200) >> 4 | (p & 0x001F));
            row[size_t(x)] = p;
        }
        if (std::fwrite(row.data(), 2, row.size(), pipe) != row.size()) {
            pipeBroken = true;
            return;
        }
    }
    ++framesWritten;
    showProgress(false);
}

void Recorder::showProgress(bool last)
{
    double done = framesExpected > 0 ? double(framesWritten) / double(framesExpected) : 1.0;
    int percent = int(std::min(done, 1.0) * 100.0);
    if (!progressOnTerminal && !last && percent / 10 == lastPercentShown / 10)
        return;
    if (progressOnTerminal && !last && framesWritten % 10 != 0)
        return;
    lastPercentShown = percent;
    double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt).count();
    double left = done > 0.0 ? spent * (1.0 - std::min(done, 1.0)) / done : 0.0;
    double showSeconds = double(framesWritten) / options.framesPerSecond;
    std::fprintf(stderr, "%smornakle: recording %lld frames, %.1f s of show, %d%%, %s left%s",
                 progressOnTerminal ? "\r" : "", static_cast<long long>(framesWritten), showSeconds, percent,
                 clockText(left).c_str(), progressOnTerminal && !last ? "   " : "\n");
    std::fflush(stderr);
}

bool Recorder::closeEncoder()
{
    if (!pipe)
        return encoder < 0;
    std::fclose(pipe);
    pipe = nullptr;
    bool ok = waitSucceeded(encoder) && !pipeBroken;
    encoder = -1;
    return ok;
}

bool Recorder::finish(std::string& error)
{
    if (finished)
        return true;
    host->finish();  // the sound file is complete
    if (progressOnTerminal || lastPercentShown != 100)
        showProgress(true);  // ends the progress line, unless its last line said it all
    bool pictureOk = closeEncoder() && framesWritten > 0;
    if (!pictureOk) {
        error = "ffmpeg could not encode the picture";
        abandon();
        return false;
    }
    Codecs codecs = codecsFor(options.path);
    char offset[32];
    std::snprintf(offset, sizeof offset, "%.3f", double(firstWrittenMs) / 1000.0);
    std::vector<std::string> arguments = {"ffmpeg",     "-hide_banner", "-loglevel", "error",    "-y",        "-i",
                                          picturePath,  "-ss",          offset,      "-i",       soundPath(), "-map",
                                          "0:v",        "-map",         "1:a",       "-c:v",     "copy",      "-c:a",
                                          codecs.audio, "-b:a",         "192k",      "-shortest"};
    if (endsWith(options.path, ".mp4"))
        arguments.insert(arguments.end(), {"-movflags", "+faststart"});
    arguments.push_back(options.path);
    pid_t muxer = spawnFfmpeg(arguments, -1);
    bool ok = muxer >= 0 && waitSucceeded(muxer);
    std::remove(picturePath.c_str());
    std::remove(soundPath().c_str());
    finished = true;
    if (!ok) {
        std::remove(options.path.c_str());
        error = "ffmpeg could not lay the sound under the picture";
        return false;
    }
    std::fprintf(stderr, "mornakle: recorded %s\n", options.path.c_str());
    return true;
}

void Recorder::abandon()
{
    if (finished)
        return;
    finished = true;
    if (pipe || encoder >= 0) {
        if (encoder >= 0)
            kill(encoder, SIGTERM);
        closeEncoder();
    }
    if (!picturePath.empty()) {
        std::remove(picturePath.c_str());
        std::remove(soundPath().c_str());
    }
}

}  // namespace program
