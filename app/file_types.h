#pragma once

#include <memory>
#include <vector>

#include "platform/core/file_type.h"

// The program's file types: plain text and PNG pictures.
namespace FileTypes {

extern std::shared_ptr<platform::FileType> pText;
extern std::shared_ptr<platform::FileType> pimage;
// Every type of the module, in creation order.
extern std::vector<std::shared_ptr<platform::FileType>> pAllFileTypes;

platform::FileType& Text();
platform::FileType& image();

// Creates both types and registers them.
void Initialize();

}  // namespace FileTypes
