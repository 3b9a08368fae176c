#include "foundation/stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace tavo {

bool TStream::ReadExact(void* buffer, std::size_t count) {
    return Read(buffer, count) == count;
}

bool TStream::WriteAll(const void* data, std::size_t count) {
    return Write(data, count) == count;
}

bool TStream::Clear() {
    return SetSize(0) && Seek(0);
}

// --- memory stream ---

TMemoryStream::TMemoryStream(std::string_view bytes)
    : data_(reinterpret_cast<const std::uint8_t*>(bytes.data()),
            reinterpret_cast<const std::uint8_t*>(bytes.data()) + bytes.size()) {}

bool TMemoryStream::Seek(std::int64_t position) {
    if (position < 0) return false;
    position_ = position;
    return true;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (position_ >= Size()) return 0;
    const auto available = static_cast<std::size_t>(Size() - position_);
    const std::size_t n = std::min(count, available);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

void TMemoryStream::ExpectSize(std::int64_t size) {
    // Only a hint: a size that cannot be had is simply not taken in advance.
    if (size <= 0) return;
    try {
        data_.reserve(static_cast<std::size_t>(size));
    } catch (const std::exception&) {
    }
}

std::size_t TMemoryStream::Write(const void* data, std::size_t count) {
    if (count == 0) return 0;
    const auto end = static_cast<std::uint64_t>(position_) + count;
    if (end > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return 0;
    try {
        if (end > data_.size()) data_.resize(static_cast<std::size_t>(end));
    } catch (const std::bad_alloc&) {
        return 0;
    } catch (const std::length_error&) {
        return 0;
    }
    std::memcpy(data_.data() + position_, data, count);
    position_ = static_cast<std::int64_t>(end);
    return count;
}

bool TMemoryStream::SetSize(std::int64_t size) {
    if (size < 0) return false;
    try {
        data_.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    position_ = std::min(position_, size);
    return true;
}

void TMemoryStream::Assign(std::vector<std::uint8_t> bytes) {
    data_ = std::move(bytes);
    position_ = 0;
}

std::vector<std::uint8_t> TMemoryStream::TakeBytes() {
    position_ = 0;
    return std::exchange(data_, {});
}

// --- file stream ---

TFileStream::TFileStream(Key, platform::UniqueFd fd, bool writable, std::int64_t base,
                         std::int64_t limit)
    : fd_(std::move(fd)), writable_(writable), base_(base), limit_(limit) {}

std::unique_ptr<TFileStream> TFileStream::Open(const std::string& path, Mode mode) {
    int flags = O_RDONLY;
    if (mode == Mode::Create) flags = O_RDWR | O_CREAT | O_TRUNC;
    if (mode == Mode::CreateNew) flags = O_RDWR | O_CREAT | O_EXCL;
    if (mode == Mode::ReadWrite) flags = O_RDWR;
    platform::UniqueFd fd(::open(path.c_str(), flags | O_CLOEXEC, 0644));
    if (!fd.valid()) return nullptr;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return nullptr;
    return std::make_unique<TFileStream>(Key{}, std::move(fd), mode != Mode::Read, 0, -1);
}

std::unique_ptr<TFileStream> TFileStream::OpenRegion(const std::string& path, std::int64_t offset,
                                                     std::int64_t length) {
    if (offset < 0 || length < 0) return nullptr;
    auto whole = Open(path, Mode::Read);
    if (!whole) return nullptr;
    return std::make_unique<TFileStream>(Key{}, std::move(whole->fd_), false, offset, length);
}

std::int64_t TFileStream::Size() const {
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0) return 0;
    const std::int64_t rest = std::max<std::int64_t>(st.st_size - base_, 0);
    return limit_ < 0 ? rest : std::min(rest, limit_);
}

bool TFileStream::Seek(std::int64_t position) {
    if (position < 0) return false;
    position_ = position;
    return true;
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    const std::int64_t size = Size();
    if (position_ >= size) return 0;
    std::size_t wanted = std::min(count, static_cast<std::size_t>(size - position_));
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < wanted) {
        const ssize_t n = ::pread(fd_.get(), out + done, wanted - done,
                                  base_ + position_ + static_cast<std::int64_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    position_ += static_cast<std::int64_t>(done);
    return done;
}

std::size_t TFileStream::Write(const void* data, std::size_t count) {
    if (!writable_) return 0;
    const auto* in = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(fd_.get(), in + done, count - done,
                                   position_ + static_cast<std::int64_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    position_ += static_cast<std::int64_t>(done);
    return done;
}

bool TFileStream::SetSize(std::int64_t size) {
    if (!writable_ || size < 0) return false;
    if (::ftruncate(fd_.get(), size) != 0) return false;
    position_ = std::min(position_, size);
    return true;
}

bool TFileStream::Sync() {
    return writable_ && ::fsync(fd_.get()) == 0;
}

}  // namespace tavo
