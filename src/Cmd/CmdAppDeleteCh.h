#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "Cmd/AppContext.h"
#include "Common/Library/Cmd.h"

namespace ovgGraph {
class Axis;
}

namespace ovgApp {

class AppCh;

// Removes channels from the document and from the graph (with their legend items). Undo puts each
// one back at its former position in the document's list and in the graph's channel list, bound
// to the same axes and with the same legend label. Channels that are not in the document are
// ignored; when none is, the command changes nothing and is not valid. An empty channel raises
// SeriousError.
class CmdAppDeleteCh : public orvel::Cmd {
public:
    CmdAppDeleteCh(AppContext context, std::vector<std::shared_ptr<AppCh>> channels);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    struct Place {
        std::shared_ptr<AppCh> channel;
        size_t index;
    };
    struct GraphPlace {
        std::shared_ptr<AppCh> channel;
        size_t index;
        std::shared_ptr<ovgGraph::Axis> timeAxis, valueAxis;
        QString label;
    };

    AppContext m_context;
    std::vector<std::shared_ptr<AppCh>> m_channels;
    // Ascending positions: inserting in this order puts every channel back where it was.
    std::vector<Place> m_documentPlaces;
    std::vector<GraphPlace> m_graphPlaces;
};

}  // namespace ovgApp
