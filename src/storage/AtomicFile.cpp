#include "storage/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define MELDORA_HAVE_FSYNC 1
#endif

namespace meldora {

namespace fs = std::filesystem;

namespace {

std::string SystemReason() { return errno != 0 ? std::strerror(errno) : "unknown error"; }

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncFolder([[maybe_unused]] const fs::path& folder) {
#ifdef MELDORA_HAVE_FSYNC
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

}  // namespace

StdioSink::~StdioSink() {
    if (file_) std::fclose(file_);
}

bool StdioSink::Open(const fs::path& file, std::string& error) {
    errno = 0;
    file_ = std::fopen(file.string().c_str(), "wb");
    if (!file_) error = "cannot create " + file.filename().string() + ": " + SystemReason();
    return file_ != nullptr;
}

bool StdioSink::Write(std::string_view bytes, std::string& error) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size()) return true;
    error = SystemReason();
    return false;
}

bool StdioSink::Close(std::string& error) {
    errno = 0;
    bool ok = std::fflush(file_) == 0;
#ifdef MELDORA_HAVE_FSYNC
    ok = ok && ::fsync(::fileno(file_)) == 0;
#endif
    if (!ok) error = SystemReason();
    errno = 0;
    if (std::fclose(file_) != 0 && ok) {
        error = SystemReason();
        ok = false;
    }
    file_ = nullptr;
    return ok;
}

bool WriteFileAtomically(const fs::path& target, std::string_view contents, std::string& error,
                         ByteSink* sink) {
    StdioSink stdio;
    if (!sink) sink = &stdio;
    fs::path temporary = target;
    temporary += ".tmp";
    if (!sink->Open(temporary, error)) return false;
    bool ok = sink->Write(contents, error);
    std::string closeError;
    if (!sink->Close(closeError) && ok) {
        error = closeError;
        ok = false;
    }
    std::error_code ec;
    if (ok) {
        fs::rename(temporary, target, ec);
        if (!ec) {
            SyncFolder(target.parent_path());
            return true;
        }
        error = ec.message();
    }
    fs::remove(temporary, ec);
    return false;
}

ReadStatus ReadSmallFile(const fs::path& file, std::string& contents, std::string& error,
                         std::size_t maxSize) {
    contents.clear();
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) return ReadStatus::Missing;
    if (ec || status.type() != fs::file_type::regular) {
        error = ec ? ec.message() : "it is not a plain file";
        return ReadStatus::Failed;
    }
    errno = 0;
    std::FILE* f = std::fopen(file.string().c_str(), "rb");
    if (!f) {
        error = SystemReason();
        return ReadStatus::Failed;
    }
    // One byte more than the cap tells a file at the cap from a larger one.
    contents.resize(maxSize + 1);
    errno = 0;
    contents.resize(std::fread(contents.data(), 1, contents.size(), f));
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = SystemReason();
        return ReadStatus::Failed;
    }
    if (contents.size() > maxSize) {
        error = "it is larger than " + std::to_string(maxSize / 1024) + " KiB";
        return ReadStatus::Failed;
    }
    return ReadStatus::Ok;
}

}  // namespace meldora
