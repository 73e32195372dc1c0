#include "filelib/FileKnCh.h"

#include <stdexcept>

namespace OvGraphFileLib {

FileKnCh::FileKnCh(const char16_t* model)
{
    m_model = model;
    m_scaleExpr = u"\n\n\n\n";
}

void FileKnCh::SaveImpl(std::ostream&) const { throw std::logic_error("not impremented"); }
void FileKnCh::LoadImpl(std::istream&) { throw std::logic_error("not impremented"); }

}  // namespace OvGraphFileLib
