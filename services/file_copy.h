#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tavo {

// Copies one file in packets: resumes a shorter target, holds the speed below a limit,
// backs off below a minimum, can be paused and stopped by its owner, and after a complete
// copy gives the target the source's attributes and modification time. Speeds are bytes
// per millisecond (the names say KB per second, 1 KB = 1,000 bytes).
class TFileCopy {
  public:
    static constexpr std::uint8_t kNotCopied = 0;
    static constexpr std::uint8_t kCopied = 1;
    static constexpr std::uint8_t kAborted = 2;

    std::string FilenameSource;
    std::string FilenameDest;
    std::int64_t KBperSecondMin = 0;
    std::int64_t KBperSecondMax = 0;
    int PacketSize = 8192;
    std::function<void(TFileCopy&)> OnStatus;
    std::function<void(TFileCopy&, const std::string&)> OnError;
    bool Pause = false;
    // Cleared by the owner during a copy: the copy stops, deletes the target, reports abort.
    bool Running = true;

    std::int64_t currentSpeedKBs() const { return speed_; }
    std::int64_t currentSpeedReadKBs() const { return speedRead_; }
    std::int64_t currentSpeedWriteKBs() const { return speedWrite_; }
    std::int64_t BytesTotal() const { return bytesTotal_; }
    std::int64_t BytesProcessed() const { return bytesProcessed_; }
    bool InPause() const { return inPause_; }
    bool InPauseBig() const { return inPauseBig_; }

    // 1 copied, 0 not copied (source missing and ignored, same file, failure), 2 aborted.
    std::uint8_t DoCopy(bool resume);

    // The wait that holds a window at the limit: the time its bytes should take at the
    // limit minus the time they took, at most 2 s; 0 while the speed is within the limit.
    static std::int64_t LimitWaitMs(std::int64_t windowBytes, std::int64_t speed,
                                    std::int64_t limit);

  private:
    enum class SourceCheck { Present, Ignored, Aborted };
    SourceCheck AwaitSource();
    std::uint8_t CopyPackets(bool resume);
    void MeasureWindow(std::int64_t windowBytes, std::int64_t elapsedMs, double readMs,
                       double writeMs);
    void BackOff();
    void Finish();
    void Status() {
        if (OnStatus) OnStatus(*this);
    }
    void Error(const std::string& text) {
        if (OnError) OnError(*this, text);
    }

    std::int64_t speed_ = 0;
    std::int64_t speedRead_ = 0;
    std::int64_t speedWrite_ = 0;
    std::int64_t bytesTotal_ = 0;
    std::int64_t bytesProcessed_ = 0;
    bool inPause_ = false;
    bool inPauseBig_ = false;
};

// The one file copy of the setup: whole files in large packets (2,562,143 bytes), or
// 8,192-byte packets; true when the file was copied.
bool CopyFileSimple(const std::string& source, const std::string& target, int maxKBperSecond,
                    bool largePackets);

}  // namespace tavo
