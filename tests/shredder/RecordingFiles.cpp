#include "RecordingFiles.h"

#include <cerrno>

namespace orvane::test {
namespace {

class RecordingHandle : public FileHandle {
public:
    RecordingHandle(std::unique_ptr<FileHandle> real, RecordingFiles& owner, std::string path)
        : real_(std::move(real)), owner_(owner), path_(std::move(path))
    {
    }
    uint64_t size() const override { return owner_.fakeSize ? *owner_.fakeSize : real_->size(); }
    Status seek(uint64_t offset) override
    {
        freshPass_ = offset == 0;
        if (freshPass_)
            owner_.passes.push_back({path_, {}, 0});
        return real_->seek(offset);
    }
    Status write(const void* data, size_t length) override
    {
        if (owner_.shouldFail("write"))
            return Status::failure(ENOSPC, "Cannot write " + path_ + ": No space left on device");
        freshPass_ = false;
        if (!owner_.passes.empty()) {
            auto& pass = owner_.passes.back();
            const size_t keep = std::min(length, owner_.keepBytes - std::min(owner_.keepBytes, pass.bytes.size()));
            pass.bytes.append(static_cast<const char*>(data), keep);
            pass.length += length;
        }
        return owner_.fakeSize ? Status{} : real_->write(data, length);
    }
    Status read(void* data, size_t length, size_t& got) override { return real_->read(data, length, got); }
    Status truncate(uint64_t length) override
    {
        if (freshPass_) // the seek before a truncation starts no pass
            owner_.passes.pop_back();
        freshPass_ = false;
        owner_.events.push_back("truncate " + path_ + " " + std::to_string(length));
        return real_->truncate(length);
    }
    Status flush() override
    {
        if (owner_.shouldFail("flush"))
            return Status::failure(EIO, "Cannot flush " + path_ + ": Input/output error");
        return real_->flush();
    }

private:
    std::unique_ptr<FileHandle> real_;
    RecordingFiles& owner_;
    std::string path_;
    bool freshPass_ = false; // the last call was seek(0)
};

} // namespace

bool RecordingFiles::shouldFail(const std::string& operation)
{
    const int n = ++calls_[operation];
    return operation == failOperation && n == failOn;
}

Status RecordingFiles::deleteFile(std::string_view path)
{
    events.push_back("delete " + std::string(path));
    if (shouldFail("deleteFile"))
        return Status::failure(EBUSY, "Cannot delete " + std::string(path) + ": Device or resource busy");
    return real_.deleteFile(path);
}

Status RecordingFiles::removeFolder(std::string_view path)
{
    events.push_back("rmdir " + std::string(path));
    if (shouldFail("removeFolder"))
        return Status::failure(EBUSY, "Cannot remove " + std::string(path) + ": Device or resource busy");
    return real_.removeFolder(path);
}

Status RecordingFiles::move(std::string_view from, std::string_view to)
{
    events.push_back("move " + std::string(from) + " " + std::string(to));
    return real_.move(from, to);
}

std::unique_ptr<FileHandle> RecordingFiles::openExclusive(std::string_view path, bool writeThrough, Status& status)
{
    events.push_back("open " + std::string(path));
    auto real = real_.openExclusive(path, writeThrough, status);
    if (!real)
        return nullptr;
    return std::make_unique<RecordingHandle>(std::move(real), *this, std::string(path));
}

} // namespace orvane::test
