#include "setup_world.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace stdfs = std::filesystem;

namespace {

// Request text with its marks shown as "|".
std::string Readable(std::string text) {
    for (char& c : text)
        c = c == '\xFE' || c == '\xFD' || c == '\xFC' ? '|' : c;
    return text;
}

// Records come back bound to this wrapper, so that their DBWrite is logged too.
class RecordingFile : public store::File {
  public:
    RecordingFile(std::shared_ptr<store::File> target, Log& log)
        : target_(std::move(target)), log_(log) {}
    const std::string& Name() const override { return target_->Name(); }
    store::Record Read(const std::string& id) override { return Rebind(target_->Read(id)); }
    store::Record ReadForUpdate(const std::string& id) override {
        return Rebind(target_->ReadForUpdate(id));
    }
    store::Record NewItem(const std::string& id) override {
        log_.push_back("NEWITEM " + Name() + " " + id);
        return Rebind(target_->NewItem(id));
    }
    void Release(const std::string& id) override { target_->Release(id); }
    void Write(const std::string& id, const std::string& text) override {
        log_.push_back("WRITE " + Name() + " " + id);
        target_->Write(id, text);
    }
    void Create(const std::string& id, const std::string& text) override {
        log_.push_back("CREATE " + Name() + " " + id);
        target_->Create(id, text);
    }
    void DeleteRecord(const std::string& id) override { target_->DeleteRecord(id); }

  private:
    store::Record Rebind(const store::Record& r) { return {shared_from_this(), r.Id(), r.Text()}; }
    std::shared_ptr<store::File> target_;
    Log& log_;
};

}  // namespace

std::shared_ptr<store::File> RecordingDatabase::OpenFile(const std::string& name) {
    log_.push_back("OPEN " + name);
    return std::make_shared<RecordingFile>(target_->OpenFile(name), log_);
}

store::Record RecordingDatabase::ExecuteRequest(const std::string& request,
                                                const std::string& options, std::string& status) {
    log_.push_back("EXECUTE " + Readable(request));
    return target_->ExecuteRequest(request, options, status);
}

store::Record RecordingDatabase::SelectRequest(const std::string& request,
                                               const std::string& options, std::string& status) {
    log_.push_back("SELECT " + Readable(request));
    return target_->SelectRequest(request, options, status);
}

void LoggingFiles::Copy(const std::string& source, const std::string& destination) {
    real_.Copy(source, destination);
    auto local = [this](const std::string& path) {
        return path.rfind(prefix_, 0) == 0 ? path.substr(prefix_.size()) : "?" + path;
    };
    log_.push_back("COPY " + local(source) + " > " + local(destination));
    if (afterCopy)
        afterCopy();
}

SetupWorld::SetupWorld() {
    std::filesystem::create_directories(folder);
    WriteTemplate("Contrat.txt", "Contrat de travail\n");
    WriteTemplate("Avenant.txt", "Avenant au contrat\n");
    WriteTemplate("Defaut.txt", "Convocation\n");
    real->Execute("CREATE.FILE CONVENTIONCOL 3,1");
    real->Execute("CREATE.FILE CIVILAIDANT 3,1");
}

void SetupWorld::AddConventions(std::initializer_list<std::string> keys) {
    auto file = real->OpenFile("CONVENTIONCOL");
    for (const std::string& key : keys)
        store::Record(file, key, "Convention " + key).DBWrite();
}

std::string SetupWorld::Template(const std::string& name) const {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<absent>";
}

void SetupWorld::WriteTemplate(const std::string& name, const std::string& contents) const {
    std::ofstream(folder + "/" + name, std::ios::binary) << contents;
}

size_t SetupWorld::TemplateCount() const {
    auto entries = stdfs::directory_iterator(folder);
    return static_cast<size_t>(std::distance(stdfs::begin(entries), stdfs::end(entries)));
}
