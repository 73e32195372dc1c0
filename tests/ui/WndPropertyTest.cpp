// The property pane driven offscreen: each kind of editor commits one command, an unchanged value
// records nothing, a refused value goes back, and Refresh shows undone values without recording.
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "Common/Library/Cmd.h"
#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/Colour.h"
#include "graph/GdiDrawRect.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/shapes/ShapeBase.h"
#include "ui/WndProperty.h"

using ovgGraph::PropertyTarget;

namespace {

// A graph with a time axis, a value axis and a channel, and a pane whose commands are executed and
// kept as a history would.
struct Pane {
    ovgGraph::Graph graph;
    std::shared_ptr<ovgGraph::Axis> time, value;
    std::vector<std::shared_ptr<orvel::Cmd>> history;
    int records = 0;
    std::function<void()> afterRecord;  // what the window does next (refreshing panes)
    std::unique_ptr<ovgUi::WndProperty> pane;

    Pane()
    {
        graph.Initialize(nullptr);
        ovgGraph::GraphFactory factory;
        time = factory.CreateTimeAxis(&graph);
        value = factory.CreateLeftAxis(&graph);
        graph.GetAxes().Insert(time);
        graph.GetAxes().Insert(value);
        time->SetRange(0, 86400);
        value->SetRange(0, 100);
        auto channel = std::make_shared<orvel::fixtures::SeriesChannel>(
            &graph, std::vector<orvel::fixtures::SeriesChannel::Sample>{{0, 0}, {86400, 100}});
        graph.AddChannel(channel, time, value, QStringLiteral("ch"));
        pane = std::make_unique<ovgUi::WndProperty>(graph, [this](std::shared_ptr<orvel::Cmd> cmd) {
            ++records;
            orvel::ExecuteCmd(*cmd);
            if (cmd->IsValid()) history.push_back(cmd);
            if (afterRecord) afterRecord();
        });
    }
    template <class W>
    W* Editor(const char* key)
    {
        W* editor = pane->findChild<W*>(QString::fromLatin1(key));
        if (!editor) qWarning("no editor %s", key);
        return editor;
    }
    void UndoAll()
    {
        while (!history.empty()) {
            orvel::UndoCmd(*history.back());
            history.pop_back();
        }
    }
};

}  // namespace

class WndPropertyTest : public QObject {
    Q_OBJECT
private slots:
    void legendEditorsRecordOneCommandEachAndRefreshShowsUndo()
    {
        Pane p;
        p.pane->ShowObject({PropertyTarget::kLegend, nullptr, nullptr, nullptr});
        QCOMPARE(p.pane->objectName(), QStringLiteral("WndProperty"));
        auto* grid = p.pane->findChild<QTreeWidget*>(QStringLiteral("PropertyGrid"));
        QVERIFY(grid);
        QCOMPARE(grid->topLevelItemCount(), 3);
        QCOMPARE(grid->topLevelItem(0)->text(0), QStringLiteral("全般"));
        QVERIFY(grid->topLevelItem(1)->isExpanded());
        ovgGraph::GraphLegend& legend = p.graph.GetLegend();

        auto* width = p.Editor<QSpinBox>("GDV/Legend/View/FrameWidth");
        QVERIFY(width);
        width->setValue(3);
        QCOMPARE(legend.GetDrawRect().GetFrameWidth(), 3);
        QCOMPARE(p.records, 1);

        auto* visible = p.Editor<QCheckBox>("GDV/Legend/Overall/Visible");
        QVERIFY(visible && visible->isChecked());
        visible->click();
        QVERIFY(!legend.IsVisible());

        auto* style = p.Editor<QComboBox>("GDV/Legend/Font/Style");
        QVERIFY(style);
        QCOMPARE(style->count(), 4);
        emit style->activated(2);  // 太字
        QCOMPARE(legend.GetFont().GetFontStyle(), 2);
        emit style->activated(2);  // unchanged: nothing
        QCOMPARE(p.records, 3);

        auto* font = p.Editor<QFontComboBox>("GDV/Legend/Font/Name");
        QVERIFY(font);
        emit font->textActivated(QStringLiteral("Serif"));
        QCOMPARE(legend.GetFont().GetLogFont().faceName, QStringLiteral("Serif"));

        p.pane->SetColourChooser([](const QColor&, const QString&) { return QColor(255, 0, 0); });
        auto* colour = p.Editor<QToolButton>("GDV/Legend/Font/Color");
        QVERIFY(colour);
        colour->click();
        QCOMPARE(legend.GetFont().GetTextColor(), 0x0000FFu);  // red as 0x00BBGGRR
        QCOMPARE(colour->text(), QStringLiteral("#FF0000"));

        auto* frame = p.Editor<QToolButton>("GDV/Legend/View/FrameColor");
        QVERIFY(frame && frame->menu());
        frame->menu()->actions().front()->trigger();  // なし
        QCOMPARE(legend.GetDrawRect().GetFrameColor(), ovgGraph::kNoColour);
        QCOMPARE(frame->text(), QStringLiteral("なし"));

        auto* padding = p.pane->findChild<QWidget*>(QStringLiteral("GDV/Legend/View/Padding"));
        QVERIFY(padding);
        padding->findChild<QSpinBox*>(QStringLiteral("right"))->setValue(legend.paddingRight + 5);
        const int32_t paddedRight = legend.paddingRight;
        QCOMPARE(p.records, 7);
        QCOMPARE(int(p.history.size()), 7);

        // Undo everything; Refresh shows the old values and records nothing.
        p.UndoAll();
        p.pane->Refresh();
        QCOMPARE(p.records, 7);
        QCOMPARE(width->value(), 1);
        QVERIFY(visible->isChecked());
        QCOMPARE(style->currentIndex(), 0);
        QVERIFY(frame->text() != QStringLiteral("なし"));
        QCOMPARE(padding->findChild<QSpinBox*>(QStringLiteral("right"))->value(), paddedRight - 5);
    }

    void axisEditorsRefuseValuesTheAxisCannotTake()
    {
        Pane p;
        p.pane->ShowObject({PropertyTarget::kAxis, p.value, nullptr, nullptr});
        auto* min = p.Editor<QLineEdit>("Axis/Overall/DisplayMin");
        QVERIFY(min);
        QCOMPARE(min->text(), QStringLiteral("0"));
        min->setText(QStringLiteral("12.5"));
        emit min->editingFinished();
        QCOMPARE(p.value->GetDisplayMin(), 12.5);
        min->setText(QStringLiteral("200"));  // beyond the displayed maximum
        emit min->editingFinished();
        QCOMPARE(p.records, 1);
        QCOMPARE(min->text(), QStringLiteral("12.5"));
        emit min->editingFinished();  // untouched
        QCOMPARE(p.records, 1);

        auto* title = p.Editor<QLineEdit>("Axis/Overall/Title");
        QVERIFY(title);
        title->setText(QStringLiteral("温度"));
        emit title->editingFinished();
        QCOMPARE(p.value->GetTitle().GetText(), QStringLiteral("温度"));
        QCOMPARE(p.records, 2);

        // The time axis edits its range as dates (UTC on the graph's clock).
        p.pane->ShowObject({PropertyTarget::kAxis, p.time, nullptr, nullptr});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the value axis's editors
        QVERIFY(!p.pane->findChild<QWidget*>(QStringLiteral("Axis/Overall/DecimalPlaces")));
        auto* from = p.Editor<QDateTimeEdit>("Axis/Overall/DisplayMin");
        QVERIFY(from);
        QCOMPARE(from->dateTime(), QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC));
        emit from->editingFinished();  // untouched
        QCOMPARE(p.records, 2);
        from->setDateTime(QDateTime(QDate(1970, 1, 1), QTime(6, 0), Qt::UTC));
        emit from->editingFinished();
        QCOMPARE(p.time->GetDisplayMin(), 6 * 3600.0);
        QCOMPARE(p.records, 3);
    }

    // The window may show the object again from inside the edit that recorded the command: the
    // editor whose signal is running must survive until it returns.
    void rebuildingWhileAnEditorCommitsIsSafe()
    {
        Pane p;
        const PropertyTarget channel{PropertyTarget::kChannel, nullptr, p.graph.GetChannels().List().front(),
                                     nullptr};
        p.afterRecord = [&] { p.pane->ShowObject(channel); };
        p.pane->ShowObject(channel);
        auto* width = p.Editor<QSpinBox>("Ch/Overall/Width");
        QVERIFY(width);
        width->setValue(4);
        auto* symbol = p.Editor<QComboBox>("Ch/Overall/Symbol");
        emit symbol->activated(1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(p.records, 2);
        QCOMPARE(p.pane->findChildren<QSpinBox*>(QStringLiteral("Ch/Overall/Width")).size(), 1);
        QCOMPARE(p.Editor<QSpinBox>("Ch/Overall/Width")->value(), 4);
        QCOMPARE(p.Editor<QComboBox>("Ch/Overall/Symbol")->currentText(), QStringLiteral("丸"));
    }

    void refreshClearsWhenTheShapeLeavesTheGraph()
    {
        Pane p;
        auto shape = ovgGraph::CreateShape(ovgGraph::ShapeBase::Kind::kBallon, &p.graph);
        p.graph.GetShapes().Append(shape);
        p.pane->ShowObject({PropertyTarget::kShape, nullptr, nullptr, shape});
        auto* axis = p.Editor<QComboBox>("GDV/ShapeBallon/Overall/AssAxisY");
        QVERIFY(axis);
        QCOMPARE(axis->count(), 2);  // なし and the left axis
        QCOMPARE(axis->currentIndex(), 0);
        emit axis->activated(1);
        QCOMPARE(shape->GetAxisY(), p.value);
        p.graph.GetShapes().Remove(shape.get());
        p.pane->Refresh();
        QVERIFY(!p.pane->Target());
        QCOMPARE(p.pane->Grid()->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(WndPropertyTest)
#include "WndPropertyTest.moc"
