#include "Cmd/McrLoadFiles.h"

#include "Cmd/CmdAppAddCh.h"

namespace ovgApp {

McrLoadFiles::McrLoadFiles(AppContext context, std::vector<std::vector<std::shared_ptr<AppCh>>> files)
    : Mcr(u"McrLoadFiles"), m_context(context), m_files(std::move(files))
{
}

OvGraphFileLib::Result McrLoadFiles::GetResult() const
{
    return m_add ? m_add->GetResult() : OvGraphFileLib::Result{};
}

void McrLoadFiles::Prepare()
{
    std::vector<std::shared_ptr<AppCh>> channels;
    for (const auto& file : m_files) channels.insert(channels.end(), file.begin(), file.end());
    if (channels.empty()) return;  // no step: the group is not valid and is not recorded
    m_add = std::make_shared<CmdAppAddCh>(m_context, std::move(channels));
    AddChild(m_add);
}

}  // namespace ovgApp
