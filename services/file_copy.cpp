#include "services/file_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "foundation/dates.h"
#include "foundation/dialogs.h"
#include "foundation/file_ops.h"
#include "foundation/log.h"
#include "foundation/number_text.h"
#include "foundation/process_messages.h"
#include "foundation/text.h"
#include "foundation/wait.h"
#include "platform/unique_fd.h"

namespace tavo {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int64_t kWindowMs = 301;
constexpr int kLargePacket = 2562143;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::int64_t Rounded(double value) {
    return static_cast<std::int64_t>(std::llround(value));
}

// Reads up to size bytes; -1 on a read error.
ssize_t ReadSome(int fd, char* buffer, size_t size) {
    ssize_t n;
    do {
        n = ::read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::int64_t TFileCopy::LimitWaitMs(std::int64_t windowBytes, std::int64_t speed,
                                    std::int64_t limit) {
    if (limit <= 0 || speed <= limit || speed <= 0) return 0;
    const double wait = static_cast<double>(windowBytes) / static_cast<double>(limit) -
                        static_cast<double>(windowBytes) / static_cast<double>(speed);
    return std::min<std::int64_t>(Rounded(wait), 2000);
}

TFileCopy::SourceCheck TFileCopy::AwaitSource() {
    while (!FileExistsW(FilenameSource)) {
        WriteLog("source does not exist");
        const int answer = AskUser("Die Datei \"%a\" existiert nicht.|" + FilenameSource, 2,
                                   "wiederholen|ignorieren|abbrechen", bi_none);
        if (answer == 1) return SourceCheck::Ignored;
        if (answer != 0) return SourceCheck::Aborted;
    }
    return SourceCheck::Present;
}

void TFileCopy::MeasureWindow(std::int64_t windowBytes, std::int64_t elapsedMs, double readMs,
                              double writeMs) {
    const auto bytes = static_cast<double>(windowBytes);
    speed_ = Rounded(bytes / static_cast<double>(std::max<std::int64_t>(1, elapsedMs)));
    // The read and write speeds divide by ten times their measured time.
    speedRead_ = Rounded(bytes / std::max(1.0, 10.0 * static_cast<double>(Rounded(readMs))));
    speedWrite_ = Rounded(bytes / std::max(1.0, 10.0 * static_cast<double>(Rounded(writeMs))));
}

void TFileCopy::BackOff() {
    if (KBperSecondMin <= 0 || speed_ >= KBperSecondMin) return;
    const std::int64_t fifth = KBperSecondMin / 5;
    if (speedRead_ < fifth || speedWrite_ < fifth) {
        inPause_ = inPauseBig_ = true;
        Status();
        WaitMs(50000, true, true);
    } else {
        inPause_ = true;
        Status();
        WaitMs(speed_ < KBperSecondMin / 2 ? 1000 : 500, true, true);
    }
    inPause_ = inPauseBig_ = false;
    Status();
}

std::uint8_t TFileCopy::CopyPackets(bool resume) {
    std::vector<char> buffer(static_cast<size_t>(std::max(PacketSize, 1)));
    bytesTotal_ = FileSizeOf(FilenameSource);
    WriteLog("fileexists: " + GroupedInt(bytesTotal_, true) + " Byte");
    platform::UniqueFd source(::open(FilenameSource.c_str(), O_RDONLY | O_CLOEXEC));
    if (!source.valid()) {
        Error("except 1");
        return kNotCopied;
    }
    const std::int64_t existing = resume ? FileSizeOf(FilenameDest) : -1;
    const bool append = existing >= 0 && existing < bytesTotal_;
    platform::UniqueFd target(::open(
        FilenameDest.c_str(),
        append ? (O_WRONLY | O_APPEND | O_CLOEXEC) : (O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC),
        0644));
    if (!target.valid() || (append && ::lseek(source.get(), existing, SEEK_SET) != existing)) {
        Error("except 2");
        return kNotCopied;
    }
    ssize_t n = 1;
    std::int64_t windowBytes = 0;
    double readMs = 0, writeMs = 0;
    auto windowStart = Clock::now();
    while (n > 0 && Running) {
        while (Pause) {
            ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));  // no busy spin
        }
        auto t = Clock::now();
        n = ReadSome(source.get(), buffer.data(), buffer.size());
        readMs += MsSince(t);
        if (n < 0) {
            Error("except 2");
            return kNotCopied;
        }
        t = Clock::now();
        if (!WriteAll(target.get(), buffer.data(), static_cast<size_t>(n))) {
            Error("except 2");
            return kNotCopied;
        }
        writeMs += MsSince(t);
        windowBytes += n;
        bytesProcessed_ += n;
        const auto elapsed = static_cast<std::int64_t>(MsSince(windowStart));
        if (elapsed < kWindowMs) continue;
        MeasureWindow(windowBytes, elapsed, readMs, writeMs);
        BackOff();
        if (KBperSecondMax > 0) {
            if (const std::int64_t wait = LimitWaitMs(windowBytes, speed_, KBperSecondMax))
                WaitMs(wait, false, true);
            ProcessMessages();
        }
        Status();
        windowBytes = 0;
        windowStart = Clock::now();
        readMs = writeMs = 0;
    }
    if (::close(target.Release()) != 0) {
        Error("except 2");
        return kNotCopied;
    }
    return Running ? kCopied : kAborted;
}

void TFileCopy::Finish() {
    WriteLog("copied");
    const bool attributes = SetFileAttr(FilenameDest, GetFileAttr(FilenameSource)) == 0;
    WriteLog("attributes:" + YesNoText(attributes));
    const bool time = SetFileDate(FilenameDest, FileTimeOf(FilenameSource, true));
    WriteLog("time:" + YesNoText(time));
}

std::uint8_t TFileCopy::DoCopy(bool resume) {
    Running = true;
    inPause_ = inPauseBig_ = false;
    speed_ = speedRead_ = speedWrite_ = 0;
    bytesTotal_ = -1;
    bytesProcessed_ = 0;
    std::string head = "TFileCopy(resume=" + std::string(resume ? "true" : "false") + ") " +
                       FilenameSource + " -> " + FilenameDest;
    if (KBperSecondMax > 0) head += " KBperSecondMax:" + GroupedInt(KBperSecondMax, true);
    WriteLog(head, 1);
    std::uint8_t result = kNotCopied;
    const SourceCheck source = AwaitSource();
    if (source == SourceCheck::Aborted) {
        result = kAborted;
    } else if (source == SourceCheck::Present &&
               LowerCase(FilenameSource) != LowerCase(FilenameDest)) {
        result = CopyPackets(resume);
        if (result == kCopied) {
            Finish();
        } else if (result == kAborted) {
            WriteLog(std::string("User aborted. File deleted:") +
                     (::unlink(FilenameDest.c_str()) == 0 ? "yes" : "no"));
        }
    }
    WriteLog("TFileCopy", -1);
    return result;
}

bool CopyFileSimple(const std::string& source, const std::string& target, int maxKBperSecond,
                    bool largePackets) {
    TFileCopy copy;
    copy.FilenameSource = source;
    copy.FilenameDest = target;
    copy.KBperSecondMax = maxKBperSecond;
    copy.PacketSize = largePackets ? kLargePacket : 8192;
    return copy.DoCopy(false) == TFileCopy::kCopied;
}

}  // namespace tavo
