// The property pane's model: which entries each object shows, and that every editable entry reads
// the object's value and issues the command that changes exactly it, undoably.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "InteractiveGraph.h"
#include "graph/GraphChannels.h"
#include "graph/commands/PropertyItems.h"
#include "graph/commands/PropertyKeys.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/shapes/ShapeBase.h"
#include "graph/state/GraphState.h"

using namespace ovgGraph;
using namespace ovgGraph::test;
using Kind = ShapeBase::Kind;

namespace {

struct PaneGraph : InteractiveGraphBase {
    PaneGraph() : InteractiveGraphBase(0)
    {
        for (const Kind kind : {Kind::kTextBox, Kind::kRect, Kind::kLine, Kind::kArrow, Kind::kBallon}) {
            auto shape = CreateShape(kind, &graph);
            graph.GetShapes().Append(shape);
        }
    }

    struct Named {
        std::string name;
        PropertyTarget target;
    };
    std::vector<Named> Targets()
    {
        std::vector<Named> targets = {
            {"title", {PropertyTarget::kTitle, nullptr, nullptr, nullptr}},
            {"legend", {PropertyTarget::kLegend, nullptr, nullptr, nullptr}},
            {"time axis", {PropertyTarget::kAxis, time, nullptr, nullptr}},
            {"value axis", {PropertyTarget::kAxis, value, nullptr, nullptr}},
            {"channel", {PropertyTarget::kChannel, nullptr, graph.GetChannels().List().front(), nullptr}},
        };
        for (const auto& shape : graph.GetShapes().List())
            targets.push_back({ShapeBase::PropertyObject(shape->GetKind()),
                               {PropertyTarget::kShape, nullptr, nullptr, shape}});
        return targets;
    }
};

std::string Show(const PropertyValue& v)
{
    return std::visit(
        [](const auto& x) -> std::string {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, QString>)
                return '"' + x.toStdString() + '"';
            else if constexpr (std::is_same_v<T, Point>)
                return std::to_string(x.x) + "," + std::to_string(x.y);
            else if constexpr (std::is_same_v<T, Rect>)
                return std::to_string(x.left) + "," + std::to_string(x.top) + "," + std::to_string(x.right) +
                       "," + std::to_string(x.bottom);
            else
                return std::to_string(x);
        },
        v);
}

// Values other than the current one, in the editor's type, most plausible first.
std::vector<PropertyValue> OtherValues(const PropertyItem& item, const PropertyValue& old)
{
    using E = PropertyEditor;
    switch (item.editor) {
        case E::kBool:
            return {int32_t(!std::get<int32_t>(old))};
        case E::kInt: {
            const int32_t n = std::get<int32_t>(old);
            return {n + 1, n - 1};
        }
        case E::kChoice: {
            std::vector<PropertyValue> others;
            for (const auto& choice : item.choices)
                if (PropertyValue(choice.second) != old) others.push_back(choice.second);
            return others;
        }
        case E::kColour: {
            const uint32_t c = std::get<uint32_t>(old);
            return {c == 0xFFFFFFFFu ? 0x123456u : c ^ 0x102030u};
        }
        case E::kFontName:
            return {std::get<QString>(old) == QStringLiteral("Serif") ? QStringLiteral("Sans")
                                                                      : QStringLiteral("Serif")};
        case E::kText:
            return {std::get<QString>(old) + QStringLiteral("温度")};
        case E::kReal:
        case E::kDateTime: {
            const double x = std::get<double>(old);
            return {x + 1, x - 1};
        }
        case E::kRect: {
            const Rect r = std::get<Rect>(old);
            return {Rect{r.left + 1, r.top + 2, r.right + 3, r.bottom + 4}};
        }
        case E::kHeader:
            break;
    }
    return {};
}

}  // namespace

// Every editable entry of every kind of object: its value reads back after the command it issues,
// undo restores the whole graph as it was, and the current value issues a command that is not
// valid (so nothing reaches the history).
TEST(PropertyItems, EveryEntryChangesItsValueAndUndoes)
{
    PaneGraph g;
    int checked = 0;
    for (const auto& [name, target] : g.Targets()) {
        SCOPED_TRACE(name);
        const std::vector<PropertyItem> items = PropertyItemsOf(g.graph, target);
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(items.front().editor, PropertyEditor::kHeader);
        for (const PropertyItem& item : items) {
            SCOPED_TRACE(item.key);
            if (item.editor == PropertyEditor::kHeader) {
                EXPECT_FALSE(ReadProperty(g.graph, target, item.key));
                EXPECT_EQ(MakePropertyCmd(g.graph, target, item.key, int32_t(0)), nullptr);
                continue;
            }
            const std::optional<PropertyValue> old = ReadProperty(g.graph, target, item.key);
            ASSERT_TRUE(old);
            if (item.editor == PropertyEditor::kInt) {
                EXPECT_GE(std::get<int32_t>(*old), item.min);
                EXPECT_LE(std::get<int32_t>(*old), item.max);
            }
            if (item.editor == PropertyEditor::kChoice) {
                EXPECT_TRUE(std::any_of(item.choices.begin(), item.choices.end(),
                                        [&](const auto& c) { return PropertyValue(c.second) == *old; }))
                    << Show(*old) << " is not among the choices";
            }

            const std::string before = WriteXmlDocumentOf(g.graph);
            std::shared_ptr<orvel::Cmd> cmd;
            PropertyValue next;
            for (const PropertyValue& candidate : OtherValues(item, *old)) {
                if ((cmd = MakePropertyCmd(g.graph, target, item.key, candidate))) {
                    next = candidate;
                    break;
                }
            }
            ASSERT_TRUE(cmd) << "no command for another value than " << Show(*old);
            orvel::ExecuteCmd(*cmd);
            EXPECT_TRUE(cmd->IsValid());
            EXPECT_EQ(ReadProperty(g.graph, target, item.key), next) << Show(next);
            EXPECT_NE(WriteXmlDocumentOf(g.graph), before);
            orvel::UndoCmd(*cmd);
            EXPECT_EQ(ReadProperty(g.graph, target, item.key), old) << Show(*old);
            EXPECT_EQ(WriteXmlDocumentOf(g.graph), before);

            std::shared_ptr<orvel::Cmd> same = MakePropertyCmd(g.graph, target, item.key, *old);
            ASSERT_TRUE(same);
            orvel::ExecuteCmd(*same);
            EXPECT_FALSE(same->IsValid());
            EXPECT_EQ(WriteXmlDocumentOf(g.graph), before);
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

// Title, legend and shapes show their default-value property sets in order: every entry the
// object has, headers included, and nothing else. The title, a text glyph, has no lock, no
// automatic sizing and no frame.
TEST(PropertyItems, DefaultValueObjectsShowTheirPropertySets)
{
    PaneGraph g;
    const std::set<std::string> titleLacks = {"GDV/GraphTitle/Overall/Lock",
                                              "GDV/GraphTitle/Overall/AutoSizing",
                                              "GDV/GraphTitle/View",
                                              "GDV/GraphTitle/View/FrameColor",
                                              "GDV/GraphTitle/View/FrameWidth",
                                              "GDV/GraphTitle/View/FrameRound",
                                              "GDV/GraphTitle/View/ShadowDepth"};
    for (const auto& [name, target] : g.Targets()) {
        if (target.kind == PropertyTarget::kAxis || target.kind == PropertyTarget::kChannel) continue;
        SCOPED_TRACE(name);
        const std::string object = target.kind == PropertyTarget::kTitle ? "GDV/GraphTitle"
                                   : target.kind == PropertyTarget::kLegend
                                       ? "GDV/Legend"
                                       : ShapeBase::PropertyObject(target.shape->GetKind());
        std::vector<std::string> expected;
        for (const std::string& key : PropertyKeys(object))
            if (target.kind != PropertyTarget::kTitle || !titleLacks.count(key)) expected.push_back(key);
        std::vector<std::string> shown;
        for (const PropertyItem& item : PropertyItemsOf(g.graph, target)) {
            shown.push_back(item.key);
            EXPECT_FALSE(item.label.isEmpty()) << item.key;
        }
        EXPECT_EQ(shown, expected);
    }
}

// Axes and channels: their own groups; a date-time axis edits its ranges as dates and has no
// decimal places; the labels are the user's language.
TEST(PropertyItems, AxesAndChannelsShowTheirOwnGroups)
{
    PaneGraph g;
    struct Row {
        PropertyTarget target;
        std::vector<std::pair<std::string, PropertyEditor>> entries;  // a selection, in order
        std::vector<std::string> absent;
    };
    const PropertyTarget time{PropertyTarget::kAxis, g.time, nullptr, nullptr};
    const PropertyTarget value{PropertyTarget::kAxis, g.value, nullptr, nullptr};
    const PropertyTarget channel{PropertyTarget::kChannel, nullptr, g.graph.GetChannels().List().front(),
                                 nullptr};
    const std::vector<Row> rows = {
        {time,
         {{"Axis/Overall", PropertyEditor::kHeader},
          {"Axis/Overall/DisplayMin", PropertyEditor::kDateTime},
          {"Axis/Overall/RangeMax", PropertyEditor::kDateTime},
          {"Axis/Overall/ScaleInterval", PropertyEditor::kReal},
          {"Axis/Font", PropertyEditor::kHeader},
          {"Axis/Font/Color", PropertyEditor::kColour}},
         {"Axis/Overall/DecimalPlaces"}},
        {value,
         {{"Axis/Overall", PropertyEditor::kHeader},
          {"Axis/Overall/DisplayMin", PropertyEditor::kReal},
          {"Axis/Overall/DecimalPlaces", PropertyEditor::kInt},
          {"Axis/Overall/Title", PropertyEditor::kText},
          {"Axis/Font/Name", PropertyEditor::kFontName}},
         {}},
        {channel,
         {{"Ch/Overall", PropertyEditor::kHeader},
          {"Ch/Overall/Color", PropertyEditor::kColour},
          {"Ch/Overall/Style", PropertyEditor::kChoice},
          {"Ch/Overall/Symbol", PropertyEditor::kChoice}},
         {"GDV/Ch/Overall/LineGraph"}},
    };
    for (const Row& row : rows) {
        const std::vector<PropertyItem> items = PropertyItemsOf(g.graph, row.target);
        size_t at = 0;
        for (const auto& [key, editor] : row.entries) {
            SCOPED_TRACE(key);
            const auto found = std::find_if(items.begin() + at, items.end(),
                                            [&](const PropertyItem& i) { return i.key == key; });
            ASSERT_NE(found, items.end()) << "missing or out of order";
            EXPECT_EQ(found->editor, editor);
            at = size_t(found - items.begin());
        }
        for (const std::string& key : row.absent) {
            EXPECT_TRUE(std::none_of(items.begin(), items.end(), [&](const PropertyItem& i) {
                return i.key == key;
            })) << key;
            EXPECT_FALSE(ReadProperty(g.graph, row.target, key)) << key;
            EXPECT_EQ(MakePropertyCmd(g.graph, row.target, key, int32_t(2)), nullptr) << key;
        }
    }
    const auto label = [&](const PropertyTarget& t, const std::string& key) {
        for (const PropertyItem& item : PropertyItemsOf(g.graph, t))
            if (item.key == key) return item.label;
        return QString();
    };
    EXPECT_EQ(label(value, "Axis/Overall"), QStringLiteral("全般"));
    EXPECT_EQ(label(value, "Axis/Overall/DisplayMin"), QStringLiteral("表示範囲の最小値"));
    EXPECT_EQ(label(channel, "Ch/Overall/Color"), QStringLiteral("線の色"));
    EXPECT_EQ(label(value, "Axis/Font/Name"), QStringLiteral("フォント名"));
}

// Values an entry does not take make no command: out of range, not a choice, the wrong type, a
// minimum that would pass the maximum, a key of another object.
TEST(PropertyItems, RefusedValuesMakeNoCommand)
{
    PaneGraph g;
    const PropertyTarget legend{PropertyTarget::kLegend, nullptr, nullptr, nullptr};
    const PropertyTarget value{PropertyTarget::kAxis, g.value, nullptr, nullptr};
    const PropertyTarget line{PropertyTarget::kShape, nullptr, nullptr, g.graph.GetShapes().List()[2]};
    struct Refused {
        const PropertyTarget* target;
        std::string key;
        PropertyValue value;
    };
    const std::vector<Refused> table = {
        {&legend, "GDV/Legend/View/FrameWidth", int32_t(101)},
        {&legend, "GDV/Legend/View/FrameWidth", int32_t(-1)},
        {&legend, "GDV/Legend/Font/Style", int32_t(4)},
        {&legend, "GDV/Legend/Font/Name", QString()},
        {&legend, "GDV/Legend/Font/Color", QStringLiteral("red")},
        {&legend, "GDV/Legend/View/Padding", int32_t(3)},
        {&legend, "GDV/GraphTitle/Font/Size", int32_t(12)},
        {&legend, "GDV/Legend/Nothing", int32_t(1)},
        {&value, "Axis/Overall/DisplayMin", 100.0},  // the display maximum
        {&value, "Axis/Overall/DisplayMin", -1.0},   // below the range
        {&value, "Axis/Overall/DisplayMax", 101.0},  // above the range
        {&value, "Axis/Overall/RangeMax", -5.0},
        {&value, "Axis/Overall/RangeMin", std::numeric_limits<double>::quiet_NaN()},
        {&value, "Axis/Overall/ScaleInterval", -1.0},
        {&line, "GDV/ShapeLine/Overall/AssAxisY", int32_t(10)},  // the time axis
        {&line, "GDV/ShapeLine/Overall/AssAxisY", int32_t(21)},  // no such axis
        {&line, "GDV/ShapeTextBox/Font/Size", int32_t(12)},
    };
    for (const Refused& r : table) {
        SCOPED_TRACE(r.key + " = " + Show(r.value));
        EXPECT_EQ(MakePropertyCmd(g.graph, *r.target, r.key, r.value), nullptr);
    }
    // A target that is not set shows nothing.
    EXPECT_TRUE(PropertyItemsOf(g.graph, {PropertyTarget::kShape, nullptr, nullptr, nullptr}).empty());
}

// A shape, axis or channel taken out of the graph is no longer a target.
TEST(PropertyItems, TargetsTakenOutOfTheGraphAreGone)
{
    PaneGraph g;
    auto shape = g.graph.GetShapes().List().front();
    const PropertyTarget target{PropertyTarget::kShape, nullptr, nullptr, shape};
    EXPECT_TRUE(IsInGraph(g.graph, target));
    g.graph.GetShapes().Remove(shape.get());
    EXPECT_FALSE(IsInGraph(g.graph, target));
    EXPECT_TRUE(IsInGraph(g.graph, {PropertyTarget::kAxis, g.value, nullptr, nullptr}));
    EXPECT_TRUE(IsInGraph(
        g.graph, {PropertyTarget::kChannel, nullptr, g.graph.GetChannels().List().front(), nullptr}));
    EXPECT_TRUE(IsInGraph(g.graph, {PropertyTarget::kLegend, nullptr, nullptr, nullptr}));
    EXPECT_FALSE(IsInGraph(g.graph, {PropertyTarget::kAxis, nullptr, nullptr, nullptr}));
}
