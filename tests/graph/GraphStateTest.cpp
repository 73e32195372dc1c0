#include <gtest/gtest.h>

#include <QImage>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "Common/Library/SeriousError.h"
#include "filelib/XmlElement.h"
#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphBack.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphFrame.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/state/GraphState.h"
#include "graph/state/Theme.h"

using namespace ovgGraph;
using OvGraphFileLib::ReadXmlDocument;
using OvGraphFileLib::WriteXmlDocument;
using orvel::fixtures::SeriesChannel;

namespace {

uint64_t Bits(double d)
{
    uint64_t u;
    std::memcpy(&u, &d, 8);
    return u;
}

// A graph with a time axis, a left and a right value axis and a channel on each value axis; the
// look depends on `styled`, so a styled graph's state applied to a plain one must restyle it.
struct StateGraph {
    Graph graph;
    std::shared_ptr<SeriesChannel> a, b;

    explicit StateGraph(bool styled)
    {
        graph.Initialize(nullptr);
        GraphFactory factory;
        auto time = factory.CreateTimeAxis(&graph), left = factory.CreateLeftAxis(&graph);
        graph.GetAxes().Insert(time);
        graph.GetAxes().Insert(left);
        const double start = 1780272000;
        time->SetRange(start, start + 86400);
        left->SetRange(0, 40);
        std::vector<SeriesChannel::Sample> s1, s2;
        for (int i = 0; i <= 144; ++i) {
            s1.push_back({start + i * 600, 20 + 10 * std::sin(i / 20.0)});
            s2.push_back({start + i * 600, 50 + 30 * std::cos(i / 30.0)});
        }
        a = std::make_shared<SeriesChannel>(&graph, s1);
        b = std::make_shared<SeriesChannel>(&graph, s2);
        graph.AddChannel(a, time, left, QStringLiteral("A"));
        graph.AddChannel(b, time, left, QStringLiteral("B"));
        if (!styled) return;
        auto right = factory.CreateRightAxis(&graph);
        graph.GetAxes().Insert(right);
        right->SetRange(0, 100);
        right->SetDisplayRange(20, 80);
        right->GetUnit().SetText(QStringLiteral("%"));
        right->GetTitle().SetText(QStringLiteral("湿度"));
        b->SetAxes(time, right);
        time->SetDisplayRange(start + 3600, start + 43200);
        left->GetCursor().SetStateBits(kVisible);
        left->GetCursor().SetCursor1(12.5);
        left->GetCursor().SetCursor2(30.25);
        SetAxisDecimalPlaces(*left, 2);
        left->GetLabelFont().SetTextColor(0x0000C0);
        left->GetDrawer().SetScaleDrawType(AxisDrawer::kCross);
        a->GetDrawer().SetColor(0x00A000);
        a->GetDrawer().SetWidth(3);
        a->GetDrawer().SetStyle(1);
        b->GetDrawer().SetSymbol(2);
        b->GetDrawer().SetSymbolDist(20);
        graph.GetLegend().SetPosition(3);
        graph.GetLegend().GetDrawRect().SetBackColor1(0xE0FFFF);
        graph.GetLegend().GetDrawRect().SetFrameWidth(2);
        graph.GetTitle().SetText(QStringLiteral("冷蔵庫 3"));
        graph.GetTitle().SetStateBits(kVisible);
        graph.GetBack().GetDrawRect().SetBackColor1(0xF0F0F0);
        graph.GetFrame().GetBackRect().SetBackColor1(0xFFF8F0);
        graph.GetFrame().GetBorderRect().SetFrameColor(0x404040);
        b->ClearStateBits(kVisible);
    }
};

std::string StateText(Graph& graph) { return WriteXmlDocument(*WriteGraphState(*CreateMemento(graph))); }

}  // namespace

TEST(GraphState, ValueEncodingsBothWays)
{
    const struct {
        PropertyValue value;
        Encoding encoding;
        std::string text;
    } cases[] = {
        {int32_t(-42), Encoding::kInt, "-42"},
        {uint32_t(0x00123456), Encoding::kColor, "0x00123456"},
        {uint32_t(0xFFFFFFFF), Encoding::kColor, "0xFFFFFFFF"},
        {uint32_t(0x00ABCDEF), Encoding::kTextColor, "0xABCDEF"},
        {int32_t(0xAB), Encoding::kByteUpper, "0xAB"},
        {int32_t(0xAB), Encoding::kByteLower, "0xab"},
        {Point{-3, 7}, Encoding::kPoint, "-3,7"},
        {Rect{1, -2, 300, 4000}, Encoding::kRect, "1,-2,300,4000"},
        {1.0, Encoding::kReal, "AAAAAAAA8D8=\r\n"},
        {QStringLiteral("ＭＳ ゴシック"), Encoding::kText, "ＭＳ ゴシック"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeValue(c.value, c.encoding), c.text);
        EXPECT_EQ(EncodeValue(DecodeValue(c.text, c.encoding), c.encoding), c.text);
    }
    // Real numbers keep their bits; any decoded length but 8 reads as 0.0.
    for (double d : {0.1, -0.0, DBL_MAX, -DBL_MAX, 1e-310, 1780272000.125})
        EXPECT_EQ(Bits(std::get<double>(DecodeValue(EncodeValue(d, Encoding::kReal), Encoding::kReal))), Bits(d)) << d;
    for (const char* text : {"", "AAAA", "AAAAAAAAAAAA8D8=", "not base64!"})
        EXPECT_EQ(Bits(std::get<double>(DecodeValue(text, Encoding::kReal))), Bits(0.0)) << text;
    EXPECT_EQ(std::get<double>(DecodeValue(" AAAAAA\r\nAA8D8= ", Encoding::kReal)), 1.0);
}

TEST(GraphState, RoundTripThroughXmlRendersTheSamePicture)
{
    StateGraph styled(true), plain(false);
    const QImage expected = styled.graph.Render(640, 400);
    const std::string text = StateText(styled.graph);
    ASSERT_NE(text.find("<GlyGraph>"), std::string::npos);
    // The document goes through the XML reader; the real numbers keep their CR LF.
    const auto memento = ReadGraphState(*ReadXmlDocument(text));
    SetMemento(plain.graph, *memento);
    EXPECT_EQ(StateText(plain.graph), text);
    EXPECT_EQ(plain.graph.GetAxes().ValueAxisCount(), 2u);
    EXPECT_EQ(plain.b->GetValueAxis(), plain.graph.GetAxes().List(Axis::kRight).front());
    EXPECT_FALSE(plain.b->IsVisible());
    EXPECT_EQ(plain.graph.GetTitle().GetText(), QStringLiteral("冷蔵庫 3"));
    EXPECT_EQ(plain.graph.Render(640, 400), expected);
    // Applying the plain state back rebinds the channel and removes the axis nobody uses any more.
    StateGraph fresh(false);
    SetMemento(plain.graph, *CreateMemento(fresh.graph));
    EXPECT_EQ(plain.graph.GetAxes().ValueAxisCount(), 1u);
    EXPECT_EQ(plain.graph.Render(640, 400), fresh.graph.Render(640, 400));
}

TEST(GraphState, AbsentValuesAreNeitherWrittenNorApplied)
{
    StateGraph g(true);
    const std::string before = StateText(g.graph);
    GraphMemento empty(GraphSchema(), "GlyGraph");
    XmlElement holder;
    empty.Write(holder);
    ASSERT_EQ(holder.Children().size(), 1u);
    EXPECT_TRUE(holder.Children().front()->Children().empty());
    SetMemento(g.graph, empty);
    EXPECT_EQ(StateText(g.graph), before);

    // Unknown children are ignored; an unknown list member is an internal error.
    auto root = ReadXmlDocument("<GlyGraph><Whatever>1</Whatever><GraphLegend><position>0</position></GraphLegend></GlyGraph>");
    SetMemento(g.graph, *ReadGraphState(*root));
    EXPECT_EQ(g.graph.GetLegend().GetPosition(), 0);
    EXPECT_THROW(ReadGraphState(*ReadXmlDocument("<GlyGraph><GraphAxes><Bogus/></GraphAxes></GlyGraph>")), orvel::SeriousError);
    // Identifiers from a file are not trusted.
    SetMemento(g.graph, *ReadGraphState(*ReadXmlDocument(
                            "<GlyGraph><GraphChannels><GlyCh><axis_y>37</axis_y></GlyCh><GlyCh><axis_x>20</axis_x></GlyCh>"
                            "</GraphChannels></GlyGraph>")));
    EXPECT_TRUE(g.a->GetValueAxis() && g.b->GetTimeAxis());
}

// Shapes this graph does not draw yet are kept as read, so saving a document again keeps them.
TEST(GraphState, ShapesReadAreWrittenBack)
{
    StateGraph g(false);
    const char* shapes = "<GraphShapes><ShpRect><ShapeBase><origin_x>AAAAAAAA8D8=&#13;\n</origin_x></ShapeBase></ShpRect>"
                         "<ShpLine><end_point_x>AAAAAAAA8D8=&#13;\n</end_point_x></ShpLine></GraphShapes>";
    SetMemento(g.graph, *ReadGraphState(*ReadXmlDocument(std::string("<GlyGraph>") + shapes + "</GlyGraph>")));
    const auto written = ReadXmlDocument(StateText(g.graph));
    const XmlElement* list = written->Find("GraphShapes");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Children().size(), 2u);
    EXPECT_EQ(list->Children()[0]->Name(), "ShpRect");
    const XmlElement* end = list->Children()[1]->Find("end_point_x");
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->Text(), "AAAAAAAA8D8=\r\n");
}

TEST(GraphState, LegendWritesDirectionWithoutReadingIt)
{
    StateGraph g(false);
    g.graph.GetLegend().SetPosition(1);
    const std::string text = StateText(g.graph);
    EXPECT_NE(text.find("<direction>1</direction>"), std::string::npos);
    EXPECT_NE(text.find("<text_color>0x000000</text_color>"), std::string::npos);
    EXPECT_NE(text.find("<frame_color>0x00808080</frame_color>"), std::string::npos);
    auto memento = std::make_shared<ObjectMemento<GraphLegend>>(GraphLegendSchema());
    memento->Read(*ReadXmlDocument("<GraphLegend><direction>0</direction><position>2</position></GraphLegend>"));
    EXPECT_FALSE(memento->Value("direction")->has_value());
    EXPECT_TRUE(memento->Value("position")->has_value());
}

TEST(Theme, StoredFormsAndApplying)
{
    const auto& themes = BuiltInThemes();
    ASSERT_GE(themes.size(), 2u);
    const ThemeMemento& dark = *themes[1];
    const std::string text = WriteXmlDocument(*WriteTheme(dark));
    for (const char* expected : {"<theme>", "<default_graph_back>", "<GlyGraphBack>", "<default_axis_x>", "<GlyAxis>",
                                 "<default_axis_y>", "<Axis>", "<name>ダーク</name>"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // Looks only: no places, ranges or texts.
    for (const char* absent : {"GlyphInt", "range_min", "<Text>", "<position>"}) EXPECT_EQ(text.find(absent), std::string::npos) << absent;

    // Read back, applied: colours change, ranges and texts stay.
    StateGraph g(true);
    const auto left = g.graph.GetAxes().List(Axis::kLeft).front();
    const double displayMin = left->GetDisplayMin();
    ReadTheme(*ReadXmlDocument(text))->Apply(g.graph);
    EXPECT_EQ(g.graph.GetBack().GetDrawRect().GetBackColor1(), 0x202020u);
    EXPECT_EQ(left->GetLabelFont().GetTextColor(), 0xE0E0E0u);
    EXPECT_EQ(left->GetDisplayMin(), displayMin);
    EXPECT_EQ(g.graph.GetTitle().GetText(), QStringLiteral("冷蔵庫 3"));
    // New axes take the graph's theme.
    g.graph.SetTheme(themes[1]);
    EXPECT_EQ(GraphFactory().CreateRightAxis(&g.graph)->GetUnit().GetDrawStr().GetTextColor(), 0xE0E0E0u);
    // The light theme gives the engine's own look back.
    themes[0]->Apply(g.graph);
    EXPECT_EQ(g.graph.GetBack().GetDrawRect().GetBackColor1(), 0xFFFFFFu);

    // The rectangle default is also read from the older element; the axes by kind.
    // The older element reads as the current one.
    const auto older = ReadTheme(*ReadXmlDocument("<theme><name>t</name><default_shape_rect><ShapeTextBox><x>1</x></ShapeTextBox>"
                                                   "</default_shape_rect></theme>"));
    const auto current = ReadTheme(*ReadXmlDocument("<theme><name>t</name><default_shape_rect><ShpRect><x>1</x></ShpRect>"
                                                     "</default_shape_rect></theme>"));
    EXPECT_EQ(WriteXmlDocument(*WriteTheme(*older)), WriteXmlDocument(*WriteTheme(*current)));
    // A theme file gives looks only, whatever else it holds.
    const auto read = ReadTheme(*ReadXmlDocument(
        "<theme><name>t</name><default_shape_rect><ShapeTextBox><x>1</x></ShapeTextBox></default_shape_rect>"
        "<default_axis_x><GlyAxis><GdiDrawStr><text_color>0x0000FF</text_color></GdiDrawStr></GlyAxis></default_axis_x>"
        "<default_axis_y><Axis><AxisType><type>2</type></AxisType><GdiDrawStr><text_color>0x00FF00</text_color></GdiDrawStr>"
        "</Axis></default_axis_y></theme>"));
    EXPECT_NE(read->GetDefault("default_shape_rect"), nullptr);
    EXPECT_EQ(WriteXmlDocument(*WriteTheme(*read)).find("<ShapeTextBox>"), std::string::npos);
    read->Apply(g.graph);
    EXPECT_EQ(left->GetLabelFont().GetTextColor(), 0x00FF00u);
    EXPECT_EQ(left->GetType(), Axis::kLeft);
    EXPECT_EQ(g.graph.GetAxes().List(Axis::kBelow).front()->GetLabelFont().GetTextColor(), 0x0000FFu);
    EXPECT_EQ(ReadTheme(*ReadXmlDocument("<notatheme/>")), nullptr);
}
