#include "record.h"

#include "file.h"
#include "platform/engine/dynarray.h"
#include "store_error.h"

namespace store {

Record::Record(std::shared_ptr<File> file, std::string id, std::string text)
    : file_(std::move(file)), id_(std::move(id)), text_(std::move(text)) {}

std::string Record::Value(int attribute) const {
    return mv::extract(text_, attribute);
}

std::string Record::Value(int attribute, int value) const {
    return mv::extract(text_, attribute, value);
}

void Record::SetValue(int attribute, std::string_view text) {
    mv::replace(text_, attribute, text);
}

void Record::SetValue(int attribute, int value, std::string_view text) {
    mv::replace(text_, attribute, value, text);
}

int Record::DCount() const {
    return mv::attributeCount(text_);
}

int Record::DCount(int attribute) const {
    return mv::valueCount(text_, attribute);
}

void Record::Insert(int attribute, int value, std::string_view text) {
    mv::insertValue(text_, attribute, value, text);
}

void Record::Delete(int attribute) {
    mv::removeAttribute(text_, attribute);
}

void Record::Delete(int attribute, int value) {
    mv::removeValue(text_, attribute, value);
}

namespace {

[[noreturn]] void ThrowNotBound() {
    throw StoreError(ErrorCode::NotBound,
                     "Enregistrement sans fichier : il ne peut pas être écrit.");
}

}  // namespace

void Record::DBWrite() {
    if (!file_)
        ThrowNotBound();
    file_->Write(id_, text_);
}

void Record::DBCreate() {
    if (!file_)
        ThrowNotBound();
    file_->Create(id_, text_);
}

}  // namespace store
