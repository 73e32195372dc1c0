#pragma once

#include <string>
#include <vector>

#include "App/AppDocument.h"

namespace orvel::cli {

// Loads every file into the document as application channels; a file that fails is reported on
// stderr with its message. Returns whether every file loaded.
bool LoadIntoDocument(const std::vector<std::string>& paths, bool webStorage, ovgApp::AppDocument& document);

}  // namespace orvel::cli
