#pragma once

#include <memory>

#include "graph/state/Memento.h"

namespace ovgGraph {

class Axis;
class AutoSizing;
class AxisDrawer;
class GCh;
class GdiDrawLine;
class GdiDrawLineGraphGDIP;
class GdiDrawRect;
class GdiDrawStr;
class Glyph;
class GlyphInt;
class GlyphText;
class Graph;
class GraphBack;
class GraphFrame;
class GraphLegend;
class GraphScaleLine;
class GraphTitle;
class ShapeBallon;
class ShapeBase;
class ShapeLine;
class ShapeTextBox;

// The descriptions of the graph's object kinds: the one list of each kind's persistent
// properties that its memento, its setter commands and its default values read.
const Schema<Glyph>& GlyphSchema();
const Schema<GlyphInt>& GlyphIntSchema();
const Schema<GlyphText>& GlyphTextSchema();
const Schema<AutoSizing>& AutoSizingSchema();
const Schema<GdiDrawRect>& GdiDrawRectSchema();
const Schema<GdiDrawStr>& GdiDrawStrSchema();
const Schema<GdiDrawLine>& GdiDrawLineSchema();
const Schema<GdiDrawLineGraphGDIP>& GdiDrawLineGraphSchema();
// A line graph's symbol ("symbol": its kind), applied through the line graph.
const Schema<GdiDrawLineGraphGDIP>& GdiDrawLineGraphSymbolSchema();
const Schema<GraphBack>& GraphBackSchema();
const Schema<GraphFrame>& GraphFrameSchema();
const Schema<GraphLegend>& GraphLegendSchema();
const Schema<GraphTitle>& GraphTitleSchema();
const Schema<GraphScaleLine>& GraphScaleLineSchema();
const Schema<Axis>& AxisSchema();
// The parts of an axis stored as elements of their own: its scroll bar ("type" = view mode, the
// range and displayed range), its cursor, its label format ("decimal_places") and its drawer.
const Schema<Axis>& AxisScrollBarSchema();
const Schema<Axis>& AxisCursorSchema();
const Schema<Axis>& AxisLabelFormatSchema();
const Schema<AxisDrawer>& AxisDrawerSchema();
const Schema<GCh>& GChSchema();
const Schema<Graph>& GraphSchema();
// Shapes: the common part (place, associated axes, lock) and each kind.
const Schema<ShapeBase>& ShapeBaseSchema();
const Schema<ShapeLine>& ShapeLineSchema();
const Schema<ShapeTextBox>& ShapeTextBoxSchema();
const Schema<ShapeBallon>& ShapeBallonSchema();

// A shape's memento under its kind's tag ("ShpTextBox", "ShpRect", "ShpLine", "ShpBallon"), and
// back: a memento of another kind changes nothing.
std::shared_ptr<Memento> CreateShapeMemento(ShapeBase& shape);
void ApplyShapeMemento(ShapeBase& shape, const Memento& memento);
void RegisterShapeMementos(MementoFactory& factory);

using GraphMemento = ObjectMemento<Graph>;
using AxisMemento = ObjectMemento<Axis>;

// The memento of the whole graph: look, layout, axes with their ranges, channels' lines.
std::shared_ptr<GraphMemento> CreateMemento(Graph& graph);
// Applies a graph memento. The axes lists are made to hold as many axes of each kind as the
// memento has (existing axes reused in order, missing ones created, unused surplus removed); the
// n-th channel entry applies to the n-th channel of the graph, extra entries are ignored.
void SetMemento(Graph& graph, const GraphMemento& memento);

// The graph state as an XML tree (document element "GlyGraph"), and back. Reading raises
// SeriousError for an element name the factory does not know.
std::shared_ptr<XmlElement> WriteGraphState(const GraphMemento& memento);
std::shared_ptr<GraphMemento> ReadGraphState(const XmlElement& root);
// The graph's whole state as XML text: equal texts, equal states.
std::string WriteXmlDocumentOf(Graph& graph);

// Gives a value axis's labels that many decimal places (nothing for date-time labels).
void SetAxisDecimalPlaces(Axis& axis, int32_t places);

// The axis with this identifier (10 + i below, 20 + i left, 30 + i right, 40 + i above), or
// null when there is none: identifiers read from a file are not trusted.
std::shared_ptr<Axis> FindAxis(Graph& graph, int32_t identifier);

}  // namespace ovgGraph
