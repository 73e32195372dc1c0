#pragma once

#include <QString>

#include "filelib/IBlock.h"

namespace ovgApp {

// The memo section of a graph document: "Memo", 12 reserved zero bytes, the memo as a text
// (16-bit byte count, UTF-16LE).
class FileKmbMemo : public OvGraphFileLib::IBlock {
public:
    // Throws Result: code 51 at 5230 (tag), 5231 (reserved), 5232 (text).
    void SaveImpl(std::ostream& out) const override;
    // Throws Result: code 52 at 5270 (tag short), 5271 (tag is not "Memo"), 5272 (reserved),
    // 5273 (text).
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmbMemo"; }

    const QString& GetText() const { return m_text; }
    void SetText(const QString& text) { m_text = text; }

private:
    QString m_text;
};

}  // namespace ovgApp
