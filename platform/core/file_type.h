#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A file type for the program's own dialogs. Converting it to text registers it with the
// platform under its name; changing any field withdraws the registration until the next
// conversion.
class FileType {
  public:
    FileType() = default;
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;
    ~FileType();

    const std::string& Name() const { return name_; }
    void Name(std::string v) { change(name_, std::move(v)); }
    // Extensions without dots, separated by semicolons: "png" or "jpg;jpeg".
    const std::string& Extensions() const { return extensions_; }
    void Extensions(std::string v) { change(extensions_, std::move(v)); }
    const std::string& MacType() const { return macType_; }
    void MacType(std::string v) { change(macType_, std::move(v)); }
    const std::string& MacCreator() const { return macCreator_; }
    void MacCreator(std::string v) { change(macCreator_, std::move(v)); }
    const std::string& MimeType() const { return mimeType_; }
    void MimeType(std::string v) { change(mimeType_, std::move(v)); }
    bool Imported() const { return imported_; }
    void Imported(bool v);
    const std::string& ConformsTo() const { return conformsTo_; }
    void ConformsTo(std::string v) { change(conformsTo_, std::move(v)); }
    const std::string& UTI() const { return uti_; }
    void UTI(std::string v) { change(uti_, std::move(v)); }

    // Registers the type if it is not registered yet and gives its name.
    std::string ToString();
    bool IsRegistered() const { return registered_; }

    // What the platform holds of a registered type.
    struct Registration {
        std::string name, extensions, macType, macCreator, uti;
    };
    // The registered type of that name, or nullptr.
    static const Registration* Lookup(std::string_view name);

  private:
    void change(std::string& field, std::string value);
    void withdraw();

    std::string name_, extensions_, macType_, macCreator_, mimeType_, conformsTo_, uti_;
    bool imported_ = false;
    bool registered_ = false;
};

}  // namespace platform
