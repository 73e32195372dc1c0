#pragma once

#include "filelib/CalcCh.h"

namespace OvGraphFileLib {

// A channel of a kn1 or kn2 file. The reader sets its attributes as plain fields, like a
// calculated channel's; the model text and the empty scale expression ("\n\n\n\n") are fixed by
// the format. These channels do not store themselves: the application keeps a GCh copy of every
// loaded channel, and that copy is what a graph document stores.
class FileKnCh : public CalcCh {
public:
    explicit FileKnCh(const char16_t* model);
    // Throw std::logic_error("not impremented").
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
};

class FileKn1Ch : public FileKnCh {
public:
    FileKn1Ch() : FileKnCh(u"QNS-7A") {}
    std::string GetClassName() const override { return "FileKn1Ch"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileKn1Ch>(*this); }
};

class FileKn2Ch : public FileKnCh {
public:
    FileKn2Ch() : FileKnCh(u"QNS-7BK") {}
    std::string GetClassName() const override { return "FileKn2Ch"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<FileKn2Ch>(*this); }
};

}  // namespace OvGraphFileLib
