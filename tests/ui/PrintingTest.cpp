// Printing the graph and the data table, through PDF printers: page counts, repeated headers, and
// the graph drawn as lines and texts at the printer's resolution rather than as a picture.
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/FileLoader.h"
#include "graph/Graph.h"
#include "ui/DataTableModel.h"
#include "ui/Printing.h"

namespace {

// The samples as the window loads them: four channels in the data table, 1152 rows.
void LoadSamples(ovgApp::AppDocument& document)
{
    ovgApp::FileLoader::Prm prm;
    prm.paths = {QStringLiteral(ORVEL_SAMPLES_DIR "/warehouse-week.kmv"), QStringLiteral(ORVEL_SAMPLES_DIR "/lab-two-days.kmq")};
    prm.document = &document;
    ovgApp::FileLoader::Load(prm);
    for (const auto& channels : prm.ChannelsByFile())
        for (const auto& channel : channels) document.AddChannel(channel);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int PdfPages(const QByteArray& pdf) { return int(pdf.count("/Type /Page\n")) + int(pdf.count("/Type /Page ")); }

// Whether a page paints the text, as a picture records it: strings in UTF-16, split where the
// script changes (so look for one word at a time).
bool Paints(const QPicture& picture, const QString& text)
{
    QByteArray utf16;
    for (const QChar c : text) utf16.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    return QByteArray(picture.data(), int(picture.size())).contains(utf16);
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private slots:
    void tablePagesCoverEveryCellOnceWithTheHeadersOnEachPage();
    void printedTableHasItsPagesInThePdf();
    void printedGraphIsVectorsOnOnePage();
};

void PrintingTest::tablePagesCoverEveryCellOnceWithTheHeadersOnEachPage()
{
    ovgApp::AppDocument document;
    LoadSamples(document);
    ovgUi::DataTableModel model(document.GetDateInfo());
    model.SetChannels(document.GetChannels());
    QVERIFY(model.rowCount() > 1000);
    const struct {
        const char* paper;
        QRectF page;
        int dpi;
    } rows[] = {
        {"A4 portrait at 300 dpi", QRectF(0, 0, 2480, 3508), 300},
        {"a narrow strip", QRectF(0, 0, 600, 3508), 300},  // the columns go on further pages
    };
    std::vector<int> columnGroups;
    for (const auto& row : rows) {
        const ovgUi::TablePages pages(model, row.page, row.dpi);
        std::vector<int> seen(size_t(model.rowCount()) * size_t(model.columnCount()));
        int groups = 0;
        for (int page = 0; page < pages.PageCount(); ++page) {
            const auto range = pages.RangeOf(page);
            groups += range.firstRow == 0;
            for (int r = range.firstRow; r < range.endRow; ++r)
                for (int c = range.firstColumn; c < range.endColumn; ++c) ++seen[size_t(r) * size_t(model.columnCount()) + size_t(c)];
            QPicture picture;
            QPainter painter(&picture);
            pages.Paint(painter, page);
            painter.end();
            for (const QString& word : model.headerData(range.firstColumn, Qt::Horizontal).toString().split(QLatin1Char(' ')))
                QVERIFY2(Paints(picture, word), row.paper);
            QVERIFY2(Paints(picture, model.data(model.index(range.firstRow, range.firstColumn)).toString()), row.paper);
            QVERIFY2(Paints(picture, QStringLiteral("%1 / %2").arg(page + 1).arg(pages.PageCount())), row.paper);
        }
        QVERIFY2(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }), row.paper);
        columnGroups.push_back(groups);
    }
    QVERIFY(columnGroups[1] > columnGroups[0]);
}

void PrintingTest::printedTableHasItsPagesInThePdf()
{
    ovgApp::AppDocument document;
    LoadSamples(document);
    ovgUi::DataTableModel model(document.GetDateInfo());
    model.SetChannels(document.GetChannels());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const int expected = ovgUi::TablePages(model, page, printer.resolution()).PageCount();
    QVERIFY(expected > 10);
    QCOMPARE(ovgUi::PrintTable(model, printer), expected);
    QCOMPARE(PdfPages(ReadAll(path)), expected);

    // A chosen page range prints those pages only.
    printer.setOutputFileName(dir.filePath(QStringLiteral("range.pdf")));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 4);
    QCOMPARE(ovgUi::PrintTable(model, printer), 3);
    QCOMPARE(PdfPages(ReadAll(dir.filePath(QStringLiteral("range.pdf")))), 3);
}

void PrintingTest::printedGraphIsVectorsOnOnePage()
{
    ovgApp::AppDocument document;
    LoadSamples(document);
    ovgGraph::Graph graph;
    graph.Initialize(nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graph.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ovgUi::PrintGraph(graph, printer);
    const QByteArray pdf = ReadAll(path);
    QCOMPARE(PdfPages(pdf), 1);
    QVERIFY(pdf.contains("/Font"));              // texts are text
    QVERIFY(!pdf.contains("/Subtype /Image"));  // and nothing is a screenshot
}

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
