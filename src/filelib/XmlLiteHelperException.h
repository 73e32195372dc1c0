#pragma once

#include <stdexcept>
#include <string>

namespace OvGraphFileLib {

// An XML document that is not well-formed. The text holds the parser's description and the byte
// offset where parsing stopped; loaders report it as a general failure.
class XmlLiteHelperException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace OvGraphFileLib
