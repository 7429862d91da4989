#include "platform/core/file_type.h"

#include <algorithm>
#include <memory>

namespace platform {
namespace {

struct Entry {
    const FileType* type;
    FileType::Registration registration;
};

// Never destroyed: file types held in other static storage withdraw from it at exit.
std::vector<Entry>& registry() {
    static auto* entries = new std::vector<Entry>();
    return *entries;
}

}  // namespace

FileType::~FileType() { withdraw(); }

void FileType::change(std::string& field, std::string value) {
    withdraw();
    field = std::move(value);
}

void FileType::Imported(bool v) {
    withdraw();
    imported_ = v;
}

void FileType::withdraw() {
    if (!registered_) return;
    std::erase_if(registry(), [this](const Entry& e) { return e.type == this; });
    registered_ = false;
}

std::string FileType::ToString() {
    if (!registered_) {
        registry().push_back({this, {name_, extensions_, macType_, macCreator_, uti_}});
        registered_ = true;
    }
    return name_;
}

const FileType::Registration* FileType::Lookup(std::string_view name) {
    // The latest registration of a name counts.
    auto& entries = registry();
    auto found = std::find_if(entries.rbegin(), entries.rend(),
                              [&](const Entry& e) { return e.registration.name == name; });
    return found == entries.rend() ? nullptr : &found->registration;
}

}  // namespace platform
