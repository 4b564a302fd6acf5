#pragma once
// Writing a data file whole or not at all, and reading one back with a size
// cap. The writer puts the new contents into a temporary file beside the
// target, checks every write, the flush, the sync and the close, and only
// then renames the temporary file over the target; on any failure the
// temporary file is removed and the target is left as it was.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace meldora {

// Data files larger than this are not read.
constexpr std::size_t kMaxDataFileSize = 64 * 1024;

// Where the writer sends the bytes of the temporary file. Each step returns
// false with a reason on failure; Close is called once after a successful
// Open, whatever happened in between.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Open(const std::filesystem::path& file, std::string& error) = 0;
    virtual bool Write(std::string_view bytes, std::string& error) = 0;
    // Flushes the bytes to the disk and closes the file.
    virtual bool Close(std::string& error) = 0;
};

// The sink of the program: a stdio file, synced to the disk before it closes.
class StdioSink : public ByteSink {
public:
    ~StdioSink() override;
    bool Open(const std::filesystem::path& file, std::string& error) override;
    bool Write(std::string_view bytes, std::string& error) override;
    bool Close(std::string& error) override;

private:
    std::FILE* file_ = nullptr;
};

// Replaces `target` with `contents`, through the temporary file
// target + ".tmp" written by `sink` (a StdioSink when null). False with a
// reason when the target could not be replaced; it is then unchanged.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view contents,
                         std::string& error, ByteSink* sink = nullptr);

enum class ReadStatus { Ok, Missing, Failed };

// Reads a whole file of at most `maxSize` bytes. Failed comes with a
// reason: not a plain file, unreadable, or too large.
ReadStatus ReadSmallFile(const std::filesystem::path& file, std::string& contents,
                         std::string& error, std::size_t maxSize = kMaxDataFileSize);

}  // namespace meldora
