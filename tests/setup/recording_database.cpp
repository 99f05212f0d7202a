#include "recording_database.h"

namespace {

// Records come back bound to this wrapper, so that their DBWrite is seen too.
class RecordingFile : public store::File {
  public:
    RecordingFile(std::shared_ptr<store::File> target, std::vector<std::string>& log)
        : target_(std::move(target)), log_(log) {}

    const std::string& Name() const override { return target_->Name(); }
    store::Record Read(const std::string& id) override { return rebind(target_->Read(id)); }
    store::Record ReadForUpdate(const std::string& id) override {
        return rebind(target_->ReadForUpdate(id));
    }
    store::Record NewItem(const std::string& id) override {
        log_.push_back("NEWITEM " + Name() + " " + id);
        return rebind(target_->NewItem(id));
    }
    void Release(const std::string& id) override { target_->Release(id); }
    void Write(const std::string& id, const std::string& text) override {
        log_.push_back("WRITE " + Name() + " " + id);
        target_->Write(id, text);
    }
    void DeleteRecord(const std::string& id) override { target_->DeleteRecord(id); }

  private:
    store::Record rebind(const store::Record& r) {
        return store::Record(shared_from_this(), r.Id(), r.Text());
    }
    std::shared_ptr<store::File> target_;
    std::vector<std::string>& log_;
};

}  // namespace

std::string RecordingDatabase::Readable(std::string text) {
    for (char& c : text) {
        if (c == '\xFE' || c == '\xFD' || c == '\xFC')
            c = '|';
    }
    return text;
}

std::shared_ptr<store::File> RecordingDatabase::OpenFile(const std::string& name) {
    log_.push_back("OPEN " + name);
    return std::make_shared<RecordingFile>(target_->OpenFile(name), log_);
}

store::Record RecordingDatabase::ExecuteRequest(const std::string& request,
                                                const std::string& options, std::string& status) {
    log_.push_back("EXECUTE " + Readable(request));
    if (!refusedPrefix_.empty() && request.rfind(refusedPrefix_, 0) == 0)
        throw store::StoreError(store::ErrorCode::CommandError, refusal_);
    return target_->ExecuteRequest(request, options, status);
}

store::Record RecordingDatabase::SelectRequest(const std::string& request,
                                               const std::string& options, std::string& status) {
    log_.push_back("SELECT " + Readable(request));
    return target_->SelectRequest(request, options, status);
}
