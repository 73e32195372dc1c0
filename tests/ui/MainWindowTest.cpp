// The main window, driven offscreen: loading, undo and redo, the panes' models, the screenshot mode.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QApplication>
#include <QTimer>
#include <QSettings>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QSpinBox>
#include <QDir>
#include <QDockWidget>
#include <QMessageBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <functional>
#include <string>

#include "App/AppCh.h"
#include "App/DewPointMaker.h"
#include "App/MktCalculator.h"
#include "App/PrmFile.h"
#include "App/PrmScaleExpr.h"
#include "Cmd/McrGraphCmds.h"
#include "Cmd/McrSettings.h"
#include "ext/AppMacroManager.h"
#include "ui/DataTableOptions.h"
#include "ui/DlgScaleExprSetup.h"
#include "ui/UpdateCheckStartUp.h"
#include "Cmd/AppContext.h"
#include "ui/DewPointMakerDlg.h"
#include "ui/DlgDebug.h"
#include "ui/DlgAxisCursorPosition.h"
#include "ui/DlgDeleteChData.h"
#include "ui/DlgMktCalculator.h"
#include "ui/DlgThinData.h"
#include "ui/OffsetTimeSetupDlg.h"
#include "filelib/GCh.h"
#include "fixtures/KmqBuilder.h"
#include "filelib/RawDataValidInterval.h"
#include "graph/Axis.h"
#include "graph/GraphAxes.h"
#include "graph/commands/GraphRangeCmds.h"
#include "graph/state/Theme.h"
#include "ui/GraphView.h"
#include "ui/WndProperty.h"
#include "ui/LCDataTable.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/interaction/ValuePopupEffect.h"
#include "graph/GraphTitle.h"
#include "graph/shapes/ShapeBallon.h"
#include "graph/GraphChannels.h"
#include "graph/GraphLegend.h"
#include "graph/AxisCursor.h"
#include "ui/DataTableModel.h"
#include "ui/DlgLoadFiles.h"
#include "ui/DlgLoadFilesError.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/Reporter.h"
#include "ui/WindowCommands.h"
#include "ui/StartUp.h"

using ovgUi::MainWindow;

namespace {

QString Sample(const char* name) { return QStringLiteral(ORVEL_SAMPLES_DIR "/") + QString::fromLatin1(name); }

std::vector<double> XsOf(const ovgApp::AppCh& channel)
{
    std::vector<double> xs;
    for (size_t i = 0; i < channel.GetPoints().Size(); ++i) xs.push_back(channel.GetPoints().X(i));
    return xs;
}

QString BrokenFile()
{
    const QString path = QDir::temp().filePath(QStringLiteral("orvel-ui-test-broken.kmv"));
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write("0123456789");
    return path;
}

// Kmq files of one channel each in `folder`, the i-th in the unit "unit-i" (its scale expression's).
QStringList OneUnitPerFile(const QString& folder, int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        orvel::fixtures::KmqSpec spec;
        spec.channels.push_back({{{"type", "13"},
                                  {"unix_time", "1700000000"},
                                  {"interval", "60"},
                                  {"count", "3"},
                                  {"scale_expr", "2\n0\n1\nunit-" + std::to_string(i) + "\n"}},
                                 orvel::fixtures::Codes16({250, 260, 270})});
        paths << QDir(folder).filePath(QStringLiteral("unit-%1.kmq").arg(i));
        QFile file(paths.back());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(QByteArray::fromStdString(orvel::fixtures::BuildKmq(spec)));
    }
    return paths;
}

// Keeps what the window reports, and whether a progress dialog was still showing at that moment.
class RecordingReporter : public ovgUi::Reporter {
public:
    explicit RecordingReporter(MainWindow& window) : m_window(window) {}

    void LoadFailures(QWidget*, const std::vector<ovgUi::DlgLoadFilesError::Failure>& reported) override
    {
        failures = reported;
        progressShownWhenReported = ProgressShown();
    }
    void Warning(QWidget*, const QString& text) override
    {
        warnings << text;
        progressShownWhenReported = ProgressShown();
    }
    // Answers the questions in turn, then no.
    int Question(QWidget*, const QString& text, bool) override
    {
        questions << text;
        if (answers.isEmpty()) return QMessageBox::No;
        return answers.takeFirst();
    }
    bool ProgressShown() const
    {
        for (auto* dialog : m_window.findChildren<ovgUi::DlgLoadFiles*>())
            if (dialog->isVisible()) return true;
        return false;
    }

    std::vector<ovgUi::DlgLoadFilesError::Failure> failures;
    QStringList warnings;
    QStringList questions;
    QList<int> answers;
    bool progressShownWhenReported = false;

private:
    MainWindow& m_window;
};

// The window of 1000 x 700 on the screen with a week of warehouse data.
bool OpenShown(MainWindow& window)
{
    window.resize(1000, 700);
    window.show();
    window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
    return QTest::qWaitForWindowExposed(&window);
}

// Opens a menu, picks the item (if any) and tells which menu it was.
QString PickFromMenu(QWidget& window, const std::function<void()>& open, const QString& pick, QStringList* items = nullptr)
{
    QString name;
    QTimer::singleShot(0, &window, [&name, pick, items] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        name = menu->objectName();
        for (QAction* action : menu->actions()) {
            if (items && !action->isSeparator()) *items << action->text();
            if (action->text() == pick) action->trigger();
            if (action->menu())  // a submenu's items can be picked too
                for (QAction* inner : action->menu()->actions())
                    if (inner->text() == pick) inner->trigger();
        }
        menu->close();
    });
    open();
    return name;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();  // no choice of an earlier run
        QVERIFY(ovgUi::InstallTranslations(QStringLiteral("ja")));
    }

    // Closing the window at any moment of a load cancels it: the document holds the files read
    // whole, as one step, and the question to save covers them; destroying the window at any
    // moment of a load is safe (the sanitizers watch).
    void closingOrDestroyingTheWindowDuringALoadKeepsWholeFiles()
    {
        QStringList paths;
        for (int i = 0; i < 12; ++i) paths << Sample(i % 2 ? "lab-two-days.kmq" : "warehouse-week.kmv");
        for (int moment = 0; moment < 40; moment += 3) {
            MainWindow window;
            auto reporter = std::make_shared<RecordingReporter>(window);
            window.SetReporter(reporter);
            window.OpenFiles(paths);
            for (int i = 0; i < moment; ++i) QCoreApplication::processEvents();
            window.close();
            const size_t channels = window.Document().GetChannels().size();
            QVERIFY2(channels % 2 == 0, qPrintable(QString::number(moment)));  // two per file
            QCOMPARE(window.History().DoneCount(), channels ? 1u : 0u);
            QCOMPARE(reporter->questions.size(), channels ? 1 : 0);
            QTest::qWait(100);  // no load goes on behind the closed window
            QCOMPARE(window.Document().GetChannels().size(), channels);
        }
        for (int moment = 0; moment < 40; moment += 3) {
            auto* window = new MainWindow;
            window->OpenFiles(paths);
            for (int i = 0; i < moment; ++i) QCoreApplication::processEvents();
            delete window;
        }
        QCoreApplication::processEvents();  // nothing queued for a window that is gone
    }

    // Files opened while a load runs are loaded after it, as a step of their own: the same file
    // twice at once gives its channels twice.
    void openingFilesDuringALoadLoadsThemNext()
    {
        MainWindow window;
        window.OpenFiles({Sample("lab-two-days.kmq")});
        window.OpenFiles({Sample("lab-two-days.kmq")});
        QTRY_COMPARE_WITH_TIMEOUT(window.History().DoneCount(), 2u, 30000);
        const auto& channels = window.Document().GetChannels();
        QCOMPARE(int(channels.size()), 4);
        QCOMPARE(channels[2]->GetDisplayName(), channels[0]->GetDisplayName());
        QVERIFY(channels[2] != channels[0]);
    }

    void loadsTheGoodFilesAndListsTheBrokenOne()
    {
        MainWindow window;
        window.OpenFilesAndWait({Sample("warehouse-week.kmv"), BrokenFile(), Sample("lab-two-days.kmq")});
        const auto& channels = window.Document().GetChannels();
        QCOMPARE(int(channels.size()), 4);
        QCOMPARE(channels[0]->GetDisplayName(), QStringLiteral("Warehouse temp"));
        QCOMPARE(channels[2]->GetDisplayName(), QStringLiteral("Lab 2 Ch.1"));
        QVERIFY(!window.Document().IsFresh());
        auto* errors = window.findChild<ovgUi::DlgLoadFilesError*>();
        QVERIFY(errors);
        auto* table = errors->findChild<QTableWidget*>(QStringLiteral("Failures"));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("orvel-ui-test-broken.kmv"));
        QCOMPARE(table->item(0, 0)->text(), QDir::temp().absolutePath());
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("読み込みに失敗しました。(2110)"));
    }

    void filesBeyondTheValueAxisLimitAreListedAndTheOthersLoad()
    {
        QTemporaryDir folder;
        const QStringList paths = OneUnitPerFile(folder.path(), 12);
        MainWindow window;
        auto reporter = std::make_shared<RecordingReporter>(window);
        window.SetReporter(reporter);
        window.OpenFiles(paths);
        window.findChild<ovgUi::DlgLoadFiles*>()->show();  // as after a long load
        QTRY_VERIFY_WITH_TIMEOUT(!reporter->failures.empty(), 60000);

        QVERIFY(!reporter->progressShownWhenReported);
        QVERIFY(reporter->warnings.isEmpty());
        QCOMPARE(int(reporter->failures.size()), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(reporter->failures[size_t(i)].path, paths[9 + i]);
            QCOMPARE(reporter->failures[size_t(i)].code, 57);
            QCOMPARE(reporter->failures[size_t(i)].message, QStringLiteral("Y軸の数を減らして下さい。(0)"));
        }
        const auto& channels = window.Document().GetChannels();
        QCOMPARE(int(channels.size()), 9);
        for (int i = 0; i < 9; ++i) QCOMPARE(channels[size_t(i)]->GetUnitText(), QStringLiteral("unit-%1").arg(i));
        QCOMPARE(int(window.Graph().GetAxes().ValueAxisCount()), 9);

        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QVERIFY(window.Document().GetChannels().empty());
        QVERIFY(window.Graph().GetAxes().All().empty());
    }

    void opensEveryBinaryFormat()
    {
        const struct {
            const char* file;
            int channels;
        } rows[] = {{"pump-station.ke8", 3}, {"greenhouse-bench.kmw", 3}, {"delivery-van.ks2", 2},
                    {"tank-levels.ks3", 2},  {"inspection-rounds.cra", 2}, {"climate-chamber.kn1", 3},
                    {"boiler-room.kn2", 3}};
        for (const auto& row : rows) {
            MainWindow window;
            window.OpenFilesAndWait({Sample(row.file)});
            QVERIFY2(!window.findChild<ovgUi::DlgLoadFilesError*>(), row.file);
            QCOMPARE(int(window.Document().GetChannels().size()), row.channels);
            QCOMPARE(int(window.Graph().GetChannels().List().size()), row.channels);
        }
    }

    void undoRemovesTheChannelsAndRedoBringsTheSameBack()
    {
        MainWindow window;
        window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
        const auto loaded = window.Document().GetChannels();
        QCOMPARE(int(loaded.size()), 2);
        QVERIFY(window.FindAction(QStringLiteral("元に戻す(&U)"))->isEnabled());
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QVERIFY(window.Document().GetChannels().empty());
        QVERIFY(window.Document().IsFresh());
        QVERIFY(window.Graph().GetChannels().List().empty());
        window.FindAction(QStringLiteral("やり直し(&R)"))->trigger();
        QCOMPARE(window.Document().GetChannels(), loaded);
        QCOMPARE(int(window.Graph().GetChannels().List().size()), 2);
    }

    // "チャンネルを追加時にデータ一覧表示する": the loaded channels go to the data table, and the
    // choice is there at the next start.
    void addedChannelsGoToTheDataTableWhenAskedAndTheChoiceIsKept()
    {
        {
            MainWindow window;
            QAction* option = window.FindAction(QStringLiteral("チャンネルを追加時にデータ一覧表示する(&L)"));
            QVERIFY(!option->isChecked());
            option->trigger();
            window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
            QCOMPARE(window.TableModel().columnCount(), 4);  // time and value of both channels
        }
        MainWindow again;
        QAction* option = again.FindAction(QStringLiteral("チャンネルを追加時にデータ一覧表示する(&L)"));
        QVERIFY(option->isChecked());
        option->trigger();
        again.OpenFilesAndWait({Sample("warehouse-week.kmv")});
        QCOMPARE(again.TableModel().columnCount(), 0);
    }

    void switchingToTheUnitShownRecordsNothing()
    {
        MainWindow window;
        window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
        const uint32_t before = window.History().DoneCount();
        window.FindAction(QStringLiteral("摂氏(&C)"))->trigger();
        QCOMPARE(window.History().DoneCount(), before);
        window.FindAction(QStringLiteral("華氏(F)"))->trigger();
        QCOMPARE(window.History().DoneCount(), before + 1);
        QCOMPARE(window.Document().GetChannels()[0]->GetUnitText(), QStringLiteral("°F"));
    }

    void dataTableAnswersAnyRowWithoutCopying()
    {
        MainWindow window;
        auto file = std::make_shared<OvGraphFileLib::GCh>();
        file->SetChType(13);
        file->SetTimeDiff(0);
        std::vector<double> values(10'000'000);
        for (size_t i = 0; i < values.size(); ++i) values[i] = double(i % 1000) / 10;
        file->AddRawData(OvGraphFileLib::RawDataValidInterval::Create(13, 1'780'272'000'000, 1000, values));
        file->SetDataCount(int32_t(values.size()));
        auto channel = std::make_shared<ovgApp::AppCh>(&window.Document(), file);
        ovgUi::DataTableModel& model = window.TableModel();
        model.SetChannels({channel});
        QCOMPARE(model.rowCount(), 10'000'000);
        const auto start = std::chrono::steady_clock::now();
        QCOMPARE(model.data(model.index(9'999'999, 1)).toString(), QStringLiteral("99.9"));
        QCOMPARE(model.data(model.index(3'600, 0)).toString(), QStringLiteral("2026-06-01 01:00:00"));
        QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(1));

        // Finding a time jumps to its row, finding a value to the next row that shows it; pages
        // move by the rows in view, and the rows in view go to the graph as a time span.
        ovgUi::LCDataTable table(model);
        table.resize(400, 20 * 12 + table.horizontalHeader()->height() + 4);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QVERIFY(table.Find(QStringLiteral("2026/06/01 01:00")));
        QCOMPARE(table.currentIndex().row(), 3'600);
        QVERIFY(table.Find(QStringLiteral("99.9")));
        QCOMPARE(table.currentIndex().row(), 3'999);
        QVERIFY(!table.Find(QStringLiteral("2031-01-01")));
        QCOMPARE(table.currentIndex().row(), 3'999);
        table.GoTo(ovgUi::LCDataTable::Page::kFirst);
        const auto [first, last] = table.VisibleRows();
        QCOMPARE(first, 0);
        QVERIFY(last >= 5);
        table.GoTo(ovgUi::LCDataTable::Page::kNext);
        QCOMPARE(table.VisibleRows().first, last - first + 1);
        table.GoTo(ovgUi::LCDataTable::Page::kLast);
        QCOMPARE(table.VisibleRows().second, 9'999'999);
        double from = 0, to = 0;
        QObject::connect(&table, &ovgUi::LCDataTable::showRowsInGraph, [&](double a, double b) { from = a, to = b; });
        QStringList items;
        QCOMPARE(PickFromMenu(table, [&] {
                     QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), table.viewport()->mapToGlobal(QPoint(5, 5)));
                     QApplication::sendEvent(table.viewport(), &event);
                 }, QStringLiteral("表示中のページをグラフに表示(&G)"), &items),
                 QStringLiteral("LCDataTable"));
        QCOMPARE(items.size(), 9);
        QCOMPARE(to - from, double(table.VisibleRows().second - table.VisibleRows().first));
    }

    void memoTypingIsOneStepPerPause()
    {
        MainWindow window;
        auto* memo = window.findChild<QPlainTextEdit*>();
        QVERIFY(memo);
        memo->insertPlainText(QStringLiteral("Door "));
        memo->insertPlainText(QStringLiteral("opened "));
        memo->insertPlainText(QStringLiteral("twice"));
        QTRY_COMPARE_WITH_TIMEOUT(window.Document().GetMemo(), QStringLiteral("Door opened twice"), 5000);
        QCOMPARE(window.History().DoneCount(), 1u);
        memo->insertPlainText(QStringLiteral("!"));
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();  // records the pending edit, then undoes it
        QCOMPARE(window.Document().GetMemo(), QStringLiteral("Door opened twice"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Door opened twice"));
    }

    void longPathsAreShortenedInTheProgressDialog()
    {
        const QString sixty(60, QLatin1Char('a'));
        QCOMPARE(ovgUi::DlgLoadFiles::ShortPath(sixty), sixty);
        const QString longer = QStringLiteral("/home/") + QString(50, QLatin1Char('b')) + QStringLiteral("/x.kmv");
        const QString shown = ovgUi::DlgLoadFiles::ShortPath(longer);
        QCOMPARE(shown, longer.left(3) + QStringLiteral("...") + longer.right(50));
        QCOMPARE(shown.size(), 56);
    }

    void menusCarryTheirTextsAndDisableWhatIsNotThereYet()
    {
        MainWindow window;
        const struct {
            const char* text;
            bool enabled;
        } rows[] = {{"開く(&O)...", true}, {"CSV形式で保存(&C)...", true}, {"上書き保存(&S)", true},
                    {"グラフをコピー(&C)", true}, {"露点温度作成(&D)...", true}, {"データ抽出(&F)...", true},
                    {"チャンネルを追加時にデータ一覧表示する(&L)", true},
                    {"表示範囲外のデータを削除する(&D)", true}, {"グラフを印刷(&G)...", true},
                    {"データ一覧を印刷(&D)...", true}, {"グラフを画像として保存(&I)...", true},
                    {"条件を指定して開く(&E)", false}, {"元に戻す(&U)", false}};
        for (const auto& row : rows) {
            QAction* action = window.FindAction(QString::fromUtf8(row.text));
            QVERIFY2(action, row.text);
            QCOMPARE(action->isEnabled(), row.enabled);
        }
        QCOMPARE(window.FindAction(QStringLiteral("開く(&O)..."))->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(window.FindAction(QStringLiteral("上書き保存(&S)"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(window.FindAction(QStringLiteral("グラフを印刷(&G)..."))->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        QCOMPARE(window.FindAction(QStringLiteral("データ一覧を印刷(&D)..."))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    }

    // Each tool's dialog refuses bad input in place and records nothing; a good run is one step
    // whose result the channel list, the data table and the graph show, and undo takes it back.
    void toolsRecordOneStepEachAndUndo()
    {
        MainWindow window;
        window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
        ovgApp::AppContext context{window.Document(), window.Graph(), window.History()};
        const ovgUi::Recorder record = [&window](std::shared_ptr<orvel::Cmd> cmd) { window.Record(std::move(cmd)); };
        const auto channels = window.Document().GetChannels();
        const auto temperature = channels[0];
        const std::vector<double> xs = XsOf(*temperature);
        auto* list = window.findChild<QTableWidget*>();

        // Cursor positions: outside the axis's range, or not a number, is refused in place.
        {
            const auto value = window.Graph().GetAxes().List(ovgGraph::Axis::kLeft).front();
            const uint32_t steps = window.History().DoneCount();
            ovgUi::DlgAxisCursorPosition dialog(context, record, value, &window);
            const double lo = value->GetRangeMin(), hi = value->GetRangeMax();
            for (const QString& bad : {QString::number(hi + 1), QStringLiteral("abc")}) {
                dialog.ValueField(1)->setText(bad);
                dialog.Run();
                QVERIFY(!dialog.ErrorText().isEmpty());
                QCOMPARE(window.History().DoneCount(), steps);
            }
            dialog.ValueField(1)->setText(QString::number(lo + (hi - lo) / 4, 'g', 17));
            dialog.ValueField(2)->setText(QString::number(hi, 'g', 17));
            dialog.Run();
            QCOMPARE(window.History().DoneCount(), steps + 1);
            QCOMPARE(value->GetCursor().GetCursor1(), lo + (hi - lo) / 4);
            QCOMPARE(value->GetCursor().GetCursor2(), hi);
            window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        }
        const uint32_t loaded = window.History().DoneCount();
        const auto undo = [&] { window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger(); };
        const auto expectOnlyTheLoad = [&] {
            QCOMPARE(window.Document().GetChannels(), channels);
            QCOMPARE(XsOf(*temperature).size(), xs.size());
            QCOMPARE(XsOf(*temperature), xs);
            QCOMPARE(window.History().DoneCount(), loaded);
        };

        ovgUi::DewPointMakerDlg dewPoint(context, record, &window);
        QCOMPARE(dewPoint.Temperature()->currentIndex(), 0);
        QCOMPARE(dewPoint.Humidity()->currentIndex(), 1);
        dewPoint.Run();
        QCOMPARE(int(window.Document().GetChannels().size()), 3);
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(int(window.Graph().GetChannels().List().size()), 3);
        QCOMPARE(window.TableModel().columnCount(), 2);  // date-time and the new channel
        // The temperature and humidity chosen, not the other way round.
        QCOMPARE(window.Document().GetChannels().back()->GetPoints().Y(0),
                 ovgApp::DewPoint::Of(temperature->GetPoints().Y(0), channels[1]->GetPoints().Y(0)));
        undo();
        expectOnlyTheLoad();

        ovgUi::DlgThinData thin(context, record, {temperature}, &window);
        thin.Length()->setValue(0);
        thin.Run();
        QVERIFY(!thin.ErrorText().isEmpty());
        QCOMPARE(window.History().DoneCount(), loaded);
        thin.Length()->setValue(1);
        thin.Method()->setCurrentIndex(2);
        thin.Run();
        QCOMPARE(thin.ErrorText(), QString());
        const auto hourly = window.Document().GetChannels().back();
        QCOMPARE(hourly->GetDisplayName(), temperature->GetDisplayName() + QStringLiteral(" (最大値)"));
        QCOMPARE(hourly->GetDataCount(), 8 * 24);
        undo();
        expectOnlyTheLoad();

        ovgUi::OffsetTimeSetupDlg offset(context, record, {temperature}, &window);
        offset.Run();
        QVERIFY(!offset.ErrorText().isEmpty());
        offset.SetOffsetOfSelected(86'400'000);
        QCOMPARE(offset.Table()->item(0, 2)->text(), QStringLiteral("1day(s) 00:00:00.000"));
        offset.Run();
        QCOMPARE(temperature->GetFirstTime(), xs.front() + 86400);
        undo();
        expectOnlyTheLoad();
        // An earlier time, entered in the fields: "- 戻す" and one hour.
        ovgUi::OffsetTimeSetupDlg earlier(context, record, {temperature}, &window);
        earlier.findChild<QComboBox*>()->setCurrentIndex(1);
        earlier.findChildren<QSpinBox*>()[1]->setValue(1);
        for (QPushButton* button : earlier.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("設定")) button->click();
        QCOMPARE(earlier.Table()->item(0, 2)->text(), QStringLiteral("-0day(s) 01:00:00.000"));
        earlier.Run();
        QCOMPARE(temperature->GetFirstTime(), xs.front() - 3600);
        undo();
        expectOnlyTheLoad();

        ovgUi::DlgDeleteChData erase(context, record, {temperature}, &window);
        erase.Run();
        QCOMPARE(erase.ErrorText(), QStringLiteral("削除する範囲を指定して下さい。"));
        erase.DeleteBefore()->setChecked(true);
        erase.From()->setDateTime(erase.From()->dateTime().addDays(30));  // after the last sample
        erase.Run();
        QCOMPARE(erase.ErrorText(), QStringLiteral("No.1: 残す範囲にデータがありません。"));
        QCOMPARE(window.History().DoneCount(), loaded);
        erase.From()->setDateTime(erase.From()->dateTime().addDays(-30));
        erase.DeleteBefore()->setChecked(true);
        erase.From()->setDateTime(erase.From()->dateTime().addDays(1));
        erase.Run();
        QCOMPARE(temperature->GetDataCount(), 1152 - 144);
        undo();
        expectOnlyTheLoad();

        // The selection stays with its channel when the rows change.
        list->selectRow(1);
        window.Record(ovgApp::MakeDeleteChannelsCmd(context, {temperature}));
        QCOMPARE(window.SelectedChannels(), ovgApp::AppChList{channels[1]});
        undo();
        QCOMPARE(window.SelectedChannels(), ovgApp::AppChList{channels[1]});
        list->clearSelection();
        expectOnlyTheLoad();

        // Outside the view: the selected channel keeps what the time axis shows.
        const auto time = temperature->GetTimeAxis();
        time->SetDisplayRange(xs[100], xs[199]);
        list->selectRow(0);
        window.FindAction(QStringLiteral("表示範囲外のデータを削除する(&D)"))->trigger();
        QCOMPARE(temperature->GetDataCount(), 100);
        QCOMPARE(channels[1]->GetDataCount(), 1152);
        undo();
        expectOnlyTheLoad();

        ovgUi::DlgMktCalculator mkt(context, &window);
        // The toolkit's own buttons speak the program's language.
        QCOMPARE(mkt.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->text(), QStringLiteral("閉じる"));
        mkt.Run();
        const auto mktOf = [&](ovgApp::Mkt::Unit unit) { return ovgApp::Mkt::Format(ovgApp::Mkt::OfChannel(*temperature, 83.14472), unit); };
        QCOMPARE(mkt.Table()->item(0, 2)->text(), mktOf(ovgApp::Mkt::Unit::kCelsius));
        mkt.SetUnit(1);
        mkt.Run();
        QCOMPARE(mkt.Table()->item(0, 2)->text(), mktOf(ovgApp::Mkt::Unit::kFahrenheit));
        mkt.SetUnit(2);
        mkt.Run();
        QCOMPARE(mkt.Table()->item(0, 2)->text(), mktOf(ovgApp::Mkt::Unit::kKelvin));
        mkt.ActivationEnergy()->setText(QStringLiteral("0"));
        mkt.Run();
        QVERIFY(!mkt.ErrorText().isEmpty());
    }

    // Each tool's menu item opens that tool's dialog.
    void toolMenuItemsOpenTheirDialogs()
    {
        MainWindow window;
        window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
        const struct {
            const char* item;
            const char* title;
        } rows[] = {{"露点温度作成(&D)...", "露点温度作成"},         {"MKT Calculator(&M)...", "MKT Calculator"},
                    {"データ抽出(&F)...", "データ抽出"},             {"データの時刻を補正する(&T)...", "データの時刻を補正する"},
                    {"データを削除する(&D)...", "データを削除する"}, {"グラフ操作の設定(&G)...", "グラフ操作の設定"},
                    {"スケール変換式の設定(&S)...", "スケール変換式の設定"}, {"データ一覧の設定(&D)...", "データ一覧の設定"},
                    {"日付書式の設定(&F)...", "日付書式の設定"},     {"プロキシサーバの設定(&X)...", "プロキシサーバの設定"},
                    {"オプション(&O)...", "オプション"},             {"バージョン情報(&V)...", "バージョン情報"}};
        for (const auto& row : rows) {
            QString seen;
            QTimer::singleShot(0, &window, [&seen] {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    seen = dialog->windowTitle();
                    dialog->reject();
                }
            });
            window.FindAction(QString::fromUtf8(row.item))->trigger();
            QCOMPARE(seen, QString::fromUtf8(row.title));
        }
    }

    // The Settings menu's dialogs record what they change as steps, the views follow at once and
    // the choice is kept; macros run from the Tools menu as one step; Help keeps its toggle.
    void settingsAndMacrosGoThroughTheHistory()
    {
        QSettings().clear();
        MainWindow window;
        auto reporter = std::make_shared<RecordingReporter>(window);
        window.SetReporter(reporter);
        QVERIFY(OpenShown(window));
        ovgApp::AppContext context{window.Document(), window.Graph(), window.History()};
        const auto channels = window.Document().GetChannels();
        window.Record(std::make_shared<ovgApp::McrChSetVisibleDataTable>(context, channels, true));
        const auto accept = [&window](const std::function<void(QDialog&)>& fill) {
            QTimer::singleShot(0, &window, [fill] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                fill(*dialog);
                dialog->accept();
            });
        };
        const auto tableTime = [&window] { return window.TableModel().data(window.TableModel().index(0, 0)).toString(); };
        const double firstTime = channels.front()->GetPoints().X(0);
        const QString before = tableTime();

        // Date format: month-day-year with names and milliseconds, one step, everywhere, kept.
        uint32_t steps = window.History().DoneCount();
        accept([](QDialog& dialog) {
            dialog.findChild<QRadioButton*>(QStringLiteral("orderMonthDayYear"))->setChecked(true);
            dialog.findChild<QCheckBox*>(QStringLiteral("monthNames"))->setChecked(true);
            dialog.findChild<QCheckBox*>(QStringLiteral("milliseconds"))->setChecked(true);
        });
        window.FindAction(QStringLiteral("日付書式の設定(&F)..."))->trigger();
        QCOMPARE(window.History().DoneCount(), steps + 1);
        QCOMPARE(window.Document().GetDateInfo().GetDateTimeFormat(), 4);
        QVERIFY(tableTime() != before);
        QVERIFY(tableTime().endsWith(QStringLiteral(".000")));
        QCOMPARE(window.Graph().GetTimeTextFormatter()(firstTime), tableTime());
        QCOMPARE(QSettings().value(QStringLiteral("Settings/DateInfo/DateTimeFormat")).toInt(), 4);
        QCOMPARE(QSettings().value(QStringLiteral("Settings/DateInfo/EnableMsec")).toInt(), 1);
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(tableTime(), before);
        QCOMPARE(QSettings().value(QStringLiteral("Settings/DateInfo/DateTimeFormat")).toInt(), 0);
        // Daylight alone is its own command.
        accept([](QDialog& dialog) { dialog.findChild<QCheckBox*>(QStringLiteral("daylight"))->setChecked(true); });
        window.FindAction(QStringLiteral("日付書式の設定(&F)..."))->trigger();
        QVERIFY(window.Document().GetDateInfo().GetDaylight());
        QVERIFY(window.History().Undo()->GetName() == u"McrDaylightSaving");

        // Scale expressions: the dialog's new order is a step and the parameter file follows it;
        // the channel list applies one.
        ovgApp::ScaleExprList list;
        for (const char* name : {"a", "b"}) {
            auto expr = std::make_shared<ovgApp::PrmScaleExpr>();
            expr->SetName(QString::fromLatin1(name));
            expr->SetUnit(QStringLiteral("kPa"));
            expr->SetInputSlope(QStringLiteral("2"));
            expr->SetInputIntercept(QStringLiteral("1"));
            QCOMPARE(expr->ComputeCoefficients(), int(ovgApp::PrmScaleExpr::kOk));
            list.push_back(expr);
        }
        window.Record(std::make_shared<ovgApp::McrSetupScaleExpr>(context, list));
        steps = window.History().DoneCount();
        accept([](QDialog& dialog) {
            auto& setup = static_cast<ovgUi::DlgScaleExprSetup&>(dialog);
            setup.findChild<QTreeWidget*>(QStringLiteral("expressions"))->setCurrentItem(
                setup.findChild<QTreeWidget*>(QStringLiteral("expressions"))->topLevelItem(0));
            setup.Move(1);
        });
        window.FindAction(QStringLiteral("スケール変換式の設定(&S)..."))->trigger();
        QCOMPARE(window.History().DoneCount(), steps + 1);
        QCOMPARE(window.Document().GetScaleExprs(), (ovgApp::ScaleExprList{list[1], list[0]}));
        ovgApp::PrmFile::ScaleExprList saved;
        QCOMPARE(ovgApp::PrmFile::Load(ovgApp::PrmFile::UserPath(), saved), int(ovgApp::PrmFile::kOk));
        QCOMPARE(int(saved.size()), 2);
        QCOMPARE(saved[0]->GetName(), QStringLiteral("b"));
        auto* channelList = qobject_cast<QTableWidget*>(window.findChild<QDockWidget*>(QStringLiteral("ChannelList"))->widget());
        channelList->selectRow(0);
        const double rawFirst = channels.front()->GetPoints().Y(0);
        PickFromMenu(window, [&] {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), channelList->viewport()->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(channelList->viewport(), &event);
        }, QStringLiteral("a [kPa]"));
        QCOMPARE(channels.front()->GetScaleExpr()->GetName(), QStringLiteral("a"));  // the one picked, not the first
        QCOMPARE(channels.front()->GetUnitText(), QStringLiteral("kPa"));
        QCOMPARE(channels.front()->GetPoints().Y(0), rawFirst * 2 + 1);
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(channels.front()->GetPoints().Y(0), rawFirst);

        // Data table options: the unit leaves the header and the choice is kept.
        const QString header = window.TableModel().headerData(1, Qt::Horizontal).toString();
        accept([](QDialog& dialog) { dialog.findChild<QCheckBox*>(QStringLiteral("unitInHeader"))->setChecked(false); });
        window.FindAction(QStringLiteral("データ一覧の設定(&D)..."))->trigger();
        QVERIFY(window.TableModel().headerData(1, Qt::Horizontal).toString() != header);
        QCOMPARE(ovgUi::DataTableOptions::Load().unitInHeader, false);

        // Macros: the folder's scripts and the samples are listed; a run is one step, a failure
        // keeps what ran before it and reports the script's line.
        QTemporaryDir folder;
        window.SetMacroFolder(folder.path());
        QVERIFY(window.Macros().InstallSamples());
        QFile script(folder.filePath(QStringLiteral("drop-first.js")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("app.remove(app.channel(0));\nif (app.channelCount() < 5) nothing();\n");
        script.close();
        QStringList items;
        auto* macroMenu = window.findChild<QMenu*>(QStringLiteral("MacroMenu"));
        QVERIFY(macroMenu);
        emit macroMenu->aboutToShow();
        for (QAction* action : macroMenu->actions()) items << action->text();
        QCOMPARE(items, (QStringList{QStringLiteral("サンプル"), QStringLiteral("drop-first.js"), QString(), QStringLiteral("フォルダを開く(&O)")}));
        QCOMPARE(macroMenu->actions().front()->menu()->actions().size(), 2);
        steps = window.History().DoneCount();
        macroMenu->actions()[1]->trigger();
        QCOMPARE(window.History().DoneCount(), steps + 1);
        QCOMPARE(int(window.Document().GetChannels().size()), int(channels.size()) - 1);
        QCOMPARE(reporter->warnings.size(), 1);
        QVERIFY(reporter->warnings.front().startsWith(QStringLiteral("マクロ実行中にエラーが発生しました。\nReferenceError")));
        QVERIFY(reporter->warnings.front().contains(QStringLiteral("File:drop-first.js\nLine 2:")));
        QCOMPARE(window.FindAction(QStringLiteral("元に戻す(&U)"))->isEnabled(), true);
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(int(window.Document().GetChannels().size()), int(channels.size()));

        // Help: the automatic update check's toggle is the stored choice.
        QAction* autoCheck = window.FindAction(QStringLiteral("起動時にアップデート情報を確認する(&U)"));
        QVERIFY(autoCheck->isCheckable());
        for (const bool stored : {true, false}) {  // as the first-run question may have left it
            ovgUi::SetUpdateCheckAtStartUp(stored);
            emit qobject_cast<QMenu*>(autoCheck->parent())->aboutToShow();
            QCOMPARE(autoCheck->isChecked(), stored);
        }
        autoCheck->trigger();
        QCOMPARE(QSettings().value(QStringLiteral("Settings/UpdateInfo/AutoRecv")).toInt(), autoCheck->isChecked() ? 1 : 0);
        QVERIFY(QFileInfo::exists(MainWindow::HelpFile()));
    }

    // A right click opens the menu of what lies under the pointer; its items issue their commands.
    void contextMenusFollowWhatIsUnderThePointer()
    {
        MainWindow window;
        window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
        window.Graph().Render(1000, 700);
        const auto value = window.Graph().GetAxes().List(ovgGraph::Axis::kLeft).front();
        const ovgGraph::Rect plot = window.Graph().GetPlotArea();
        const ovgGraph::Point onAxis{value->GetOriginX() - 10, (plot.top + plot.bottom) / 2};
        const ovgGraph::Point onPlot{(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
        const auto pickFrom = [&window](const std::function<void()>& open, const QString& pick) { return PickFromMenu(window, open, pick); };
        const auto menuAt = [&](ovgGraph::Point point, const QString& pick) {
            return pickFrom([&] { window.Graph().OnRButtonUp(point); }, pick);
        };
        QCOMPARE(menuAt(onPlot, QString()), QStringLiteral("Graph"));
        // The legend's menu places it beside the plot; undo puts it back.
        ovgGraph::GraphLegend& legend = window.Graph().GetLegend();
        const int32_t place = legend.GetPosition();
        const ovgGraph::Point onLegend{legend.GetOriginX() + legend.GetArea().left + 3, legend.GetOriginY() + legend.GetArea().top + 3};
        QCOMPARE(menuAt(onLegend, QStringLiteral("グラフの下に配置(&B)")), QStringLiteral("Legend"));
        QCOMPARE(legend.GetPosition(), 3);
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(legend.GetPosition(), place);
        // The value popup switch is a step of its own.
        QAction* popup = window.FindAction(QStringLiteral("データをポップアップ表示する(&P)"));
        QVERIFY(popup->isChecked());
        popup->trigger();
        QVERIFY(!window.Graph().IsValuePopupEnabled());
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QVERIFY(window.Graph().IsValuePopupEnabled() && popup->isChecked());
        const uint32_t steps = window.History().DoneCount();
        QCOMPARE(menuAt(onAxis, QStringLiteral("軸カーソルを表示する(&C)")), QStringLiteral("AxisY"));
        QVERIFY(value->GetCursor().IsVisible());
        QCOMPARE(window.History().DoneCount(), steps + 1);
        // On the shown cursor strip: its own menu; cursor A to the pointer, then swapped with B.
        window.Graph().Render(1000, 700);
        const ovgGraph::AxisCursor& cursor = value->GetCursor();
        const ovgGraph::Point onStrip{value->GetOriginX() + cursor.GetOriginX() + cursor.GetArea().left + 2, (plot.top + plot.bottom) / 2};
        const double b = cursor.GetCursor2();
        QCOMPARE(menuAt(onStrip, QStringLiteral("カーソルAをここに移動(&A)")), QStringLiteral("AxisCursorY"));
        QCOMPARE(cursor.GetCursor1(), value->PixelToValue((plot.bottom - 1) - onStrip.y));
        const double a = cursor.GetCursor1();
        menuAt(onStrip, QStringLiteral("カーソルAとBを入れ替える(&S)"));
        QCOMPARE(cursor.GetCursor1(), b);
        QCOMPARE(cursor.GetCursor2(), a);
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(window.History().DoneCount(), steps + 1);
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QVERIFY(!value->GetCursor().IsVisible());

        // The channel list's menu works on the selected channels.
        auto* list = window.findChild<QTableWidget*>();
        list->selectRow(0);
        const auto listMenu = [&](const QString& pick) {
            return pickFrom([&] { emit list->customContextMenuRequested(QPoint(5, 5)); }, pick);
        };
        const auto first = window.Document().GetChannels().front();
        QCOMPARE(listMenu(QStringLiteral("グラフに表示する(&G)")), QStringLiteral("ChTable"));
        QVERIFY(!first->IsVisible());
        listMenu(QStringLiteral("コピー(&C)"));
        QVERIFY(QApplication::clipboard()->text().contains(first->GetDisplayName()));
    }

    // Every context menu by what lies under the pointer, with its items; a channel's line moves
    // to a new axis of its own and back with one undo.
    void everyContextMenuCarriesItsItems()
    {
        MainWindow window;
        QVERIFY(OpenShown(window));
        ovgGraph::Graph& graph = window.Graph();
        graph.GetTitle().SetText(QStringLiteral("Cold room"));
        graph.GetTitle().SetStateBits(ovgGraph::kVisible);
        graph.GetTitle().Notify(ovgGraph::kChanged | ovgGraph::kRelayout);
        auto* view = window.findChild<ovgUi::GraphView*>();
        graph.Render(view->width(), view->height());
        const auto time = graph.GetAxes().List(ovgGraph::Axis::kBelow).front();
        const auto value = graph.GetAxes().List(ovgGraph::Axis::kLeft).front();
        const ovgGraph::Rect plot = graph.GetPlotArea();
        // A point on the first channel's line: where its first sample in view is drawn.
        const auto first = window.Document().GetChannels().front();
        ovgGraph::Point onLine;
        for (int32_t x = plot.left + 5; x < plot.right - 5 && onLine.x == 0; ++x)
            for (int32_t y = plot.top + 2; y < plot.bottom - 2; ++y)
                if (ovgGraph::ValuePopupEffect probe(nullptr); probe.Find(graph, {x, y}) && probe.GetChannel() == first.get()) {
                    onLine = {x, y};
                    break;
                }
        QVERIFY(onLine.x != 0);
        const ovgGraph::GraphTitle& title = graph.GetTitle();
        const struct {
            const char* name;
            std::function<void()> open;
            int items;  // actions other than separators
        } rows[] = {
            {"Graph", [&] { graph.OnRButtonUp({plot.left + 3, plot.top + 3}); }, 7},
            {"AxisY", [&] { graph.OnRButtonUp({value->GetOriginX() - 10, (plot.top + plot.bottom) / 2}); }, 10},
            {"AxisX", [&] { graph.OnRButtonUp({(plot.left + plot.right) / 2, time->GetOriginY() + 10}); }, 7},
            {"Ch", [&] { graph.OnRButtonUp(onLine); }, 5},
            {"GraphTitle", [&] { graph.OnRButtonUp({title.GetOriginX() + title.GetArea().left + 2, title.GetOriginY() + title.GetArea().top + 2}); }, 8},
            {"Memo", [&] { emit window.findChild<QPlainTextEdit*>()->customContextMenuRequested(QPoint(3, 3)); }, 4},
            {"LCAxisCursor", [&] { emit window.findChild<QDockWidget*>(QStringLiteral("AxisCursor"))->widget()->customContextMenuRequested(QPoint(3, 3)); }, 2},
        };
        for (const auto& row : rows) {
            QStringList items;
            QCOMPARE(PickFromMenu(window, row.open, QString(), &items), QString::fromUtf8(row.name));
            QCOMPARE(items.size(), row.items);
        }
        // The edit fields of dialogs have our menu.
        QLineEdit field;
        field.setText(QStringLiteral("abc"));
        field.show();
        QStringList items;
        QCOMPARE(PickFromMenu(window, [&] {
                     QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), field.mapToGlobal(QPoint(2, 2)));
                     QApplication::sendEvent(&field, &event);
                 }, QStringLiteral("すべて選択(&A)"), &items),
                 QStringLiteral("SimpleEdit"));
        QCOMPARE(items.size(), 6);
        QCOMPARE(field.selectedText(), QStringLiteral("abc"));

        // The only value axis can be neither deleted nor moved further left: the items do nothing.
        ovgApp::AppContext context{window.Document(), window.Graph(), window.History()};
        while (graph.GetAxes().ValueAxisCount() > 1) {
            const auto& right = graph.GetAxes().List(ovgGraph::Axis::kRight);
            const auto other = right.empty() ? graph.GetAxes().List(ovgGraph::Axis::kLeft).back() : right.back();
            window.Record(std::make_shared<ovgApp::McrAxisDelete>(context, other));
        }
        const uint32_t steps = window.History().DoneCount();
        graph.Render(view->width(), view->height());
        const auto onValueAxis = [&] { graph.OnRButtonUp({value->GetOriginX() - 10, (plot.top + plot.bottom) / 2}); };
        PickFromMenu(window, onValueAxis, QStringLiteral("軸を削除する(&D)"));
        PickFromMenu(window, onValueAxis, QStringLiteral("軸を左へ移動する(&L)"));
        QCOMPARE(window.History().DoneCount(), steps);
        QCOMPARE(graph.GetAxes().List(ovgGraph::Axis::kLeft).front(), value);
        while (window.History().DoneCount() > 0 && graph.GetAxes().ValueAxisCount() == 1)
            window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        graph.Render(view->width(), view->height());

        const size_t axes = graph.GetAxes().ValueAxisCount();
        PickFromMenu(window, [&] { graph.OnRButtonUp(onLine); }, QStringLiteral("新しいY軸(右)(&R)"));
        QCOMPARE(graph.GetAxes().ValueAxisCount(), axes + 1);
        QCOMPARE(first->GetValueAxis(), graph.GetAxes().List(ovgGraph::Axis::kRight).back());
        QVERIFY(first->GetValueAxis()->GetDisplayMax() > first->GetValueAxis()->GetDisplayMin());
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(graph.GetAxes().ValueAxisCount(), axes);
        QCOMPARE(first->GetValueAxis(), value);
        PickFromMenu(window, [&] { graph.OnRButtonUp({title.GetOriginX() + title.GetArea().left + 2, title.GetOriginY() + title.GetArea().top + 2}); },
                     QStringLiteral("中央下に配置(&5)"));
        QCOMPARE(graph.GetTitle().GetPosition(), 5);
    }

    // Help ▸ デバッグ: the switch keeps the program's messages, shown in the window and kept
    // across starts; off, nothing more is kept.
    void debugWindowKeepsMessagesWhileSwitchedOn()
    {
        ovgUi::DlgDebug dialog;
        QVERIFY(!dialog.Switch()->isChecked());
        dialog.Switch()->setChecked(true);
        qWarning("cold room door open");
        dialog.ShowLines();
        QVERIFY(dialog.Lines()->toPlainText().contains(QStringLiteral("warning: cold room door open")));
        QVERIFY(QSettings().value(QStringLiteral("Settings/Debug/Log")).toBool());
        dialog.Switch()->setChecked(false);
        qWarning("not kept");
        dialog.ShowLines();
        QVERIFY(!dialog.Lines()->toPlainText().contains(QStringLiteral("not kept")));
        QVERIFY(!QSettings().value(QStringLiteral("Settings/Debug/Log")).toBool());
    }

    // The property pane through the window: the Edit menu and a double-click open it on their
    // object; an edit there is one step, and undo shows the old value again in the pane.
    void propertyPaneEditsAreStepsOfTheHistory()
    {
        MainWindow window;
        QVERIFY(OpenShown(window));
        ovgGraph::Graph& graph = window.Graph();
        auto* pane = window.findChild<ovgUi::WndProperty*>();
        QVERIFY(pane);
        window.FindAction(QStringLiteral("凡例のプロパティ(&L)..."))->trigger();
        QVERIFY(pane->Target() && pane->Target()->kind == ovgGraph::PropertyTarget::kLegend);
        QVERIFY(pane->isVisible());
        auto* width = pane->findChild<QSpinBox*>(QStringLiteral("GDV/Legend/View/FrameWidth"));
        QVERIFY(width);
        const int before = graph.GetLegend().GetDrawRect().GetFrameWidth();
        const uint32_t steps = window.History().DoneCount();
        width->setValue(before + 3);
        QCOMPARE(window.History().DoneCount(), steps + 1);
        QCOMPARE(graph.GetLegend().GetDrawRect().GetFrameWidth(), before + 3);
        const auto step = window.History().Undo();
        QCOMPARE(QString::fromStdU16String(step->GetName()), QStringLiteral("McrPropertyChange"));
        window.History().Redo();
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(graph.GetLegend().GetDrawRect().GetFrameWidth(), before);
        QCOMPARE(pane->findChild<QSpinBox*>(QStringLiteral("GDV/Legend/View/FrameWidth"))->value(), before);

        // A double-click on the title opens the pane on the title.
        graph.GetTitle().SetText(QStringLiteral("Cold room"));
        graph.GetTitle().SetStateBits(ovgGraph::kVisible);
        graph.GetTitle().Notify(ovgGraph::kChanged | ovgGraph::kRelayout);
        auto* view = window.findChild<ovgUi::GraphView*>();
        graph.Render(view->width(), view->height());
        const ovgGraph::GraphTitle& title = graph.GetTitle();
        const QPoint onTitle(title.GetOriginX() + title.GetArea().left + 3, title.GetOriginY() + title.GetArea().top + 3);
        QTest::mouseMove(view, onTitle);
        QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, onTitle);
        QVERIFY(pane->Target() && pane->Target()->kind == ovgGraph::PropertyTarget::kTitle);
    }

    // Real mouse input on the graph view: a dragged box zooms (type A: the time axis), undo gives
    // the same picture back pixel for pixel, a double-click shows the whole graph.
    void mouseZoomIsOneStepAndUndoRestoresThePicture()
    {
        MainWindow window;
        window.resize(1000, 700);
        window.show();
        window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
        auto* view = window.findChild<ovgUi::GraphView*>();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage before = view->grab().toImage();
        const auto time = window.Graph().GetAxes().List(ovgGraph::Axis::kBelow).front();
        const double min = time->GetDisplayMin(), max = time->GetDisplayMax();
        const uint32_t steps = window.History().DoneCount();
        const ovgGraph::Rect plot = window.Graph().GetPlotArea();
        const QPoint from(plot.left + plot.Width() / 4, plot.top + 40), to(plot.left + plot.Width() / 2, plot.bottom - 40);
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
        QCOMPARE(window.History().DoneCount(), steps + 1);
        QVERIFY(time->GetDisplayMax() - time->GetDisplayMin() < (max - min) / 3);
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(time->GetDisplayMin(), min);
        QCOMPARE(view->grab().toImage(), before);
        window.FindAction(QStringLiteral("やり直し(&R)"))->trigger();
        QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, from);
        QCOMPARE(time->GetDisplayMin(), time->GetRangeMin());
        QCOMPARE(window.History().DoneCount(), steps + 2);
    }

    // What the graph's interaction applied live becomes one step through the view.
    void liveZoomIsOneStepOfTheHistory()
    {
        MainWindow window;
        window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
        auto* view = window.findChild<ovgUi::GraphView*>();
        const auto time = window.Graph().GetAxes().List(ovgGraph::Axis::kBelow).front();
        const double min = time->GetDisplayMin(), max = time->GetDisplayMax(), quarter = (max - min) / 4;
        auto zoom = std::make_shared<ovgGraph::GraphAxesCmdChangeDisplayRange>(ovgGraph::Unowned(window.Graph()), true);
        time->SetDisplayRange(min + quarter, max - quarter);
        zoom->CaptureAfter();
        const uint32_t before = window.History().DoneCount();
        view->RecordCmds({zoom}, false);
        QCOMPARE(window.History().DoneCount(), before + 1);
        QCOMPARE(time->GetDisplayMin(), min + quarter);  // not applied twice
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QCOMPARE(time->GetDisplayMin(), min);
        window.FindAction(QStringLiteral("やり直し(&R)"))->trigger();
        QCOMPARE(time->GetDisplayMax(), max - quarter);
        // The whole graph again, as a step of its own.
        window.FindAction(QStringLiteral("グラフ全体を表示(&G)"))->trigger();
        QCOMPARE(time->GetDisplayMin(), time->GetRangeMin());
        QCOMPARE(window.History().DoneCount(), before + 2);
        // A stopped timer never calls back.
        int ticks = 0;
        view->StartTimer(1, [&ticks] { ++ticks; });
        view->StopTimer();
        QTest::qWait(30);
        QCOMPARE(ticks, 0);
    }

    // Annotating: an arrow dragged out on the graph stays on its data when zooming; a text box
    // is typed in place (Escape keeps nothing); the shapes' menus order and delete them, each one
    // step; the saved document brings them back.
    void annotatingWithShapesIsUndoableAndSaved()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("notes.kmb"));
        QImage saved;
        {
            MainWindow window;
            QVERIFY(OpenShown(window));
            auto* view = window.findChild<ovgUi::GraphView*>();
            ovgGraph::Graph& graph = window.Graph();
            const ovgGraph::Rect plot = graph.GetPlotArea();
            const QPoint tip(plot.left + plot.Width() / 2, plot.top + plot.Height() / 2);
            const uint32_t steps = window.History().DoneCount();
            const auto drag = [view](QPoint from, QPoint to) {
                QTest::mouseMove(view, from);
                QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
                QTest::mouseMove(view, to);
                QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
            };

            window.FindAction(QStringLiteral("矢印(&A)"))->trigger();
            drag(tip - QPoint(120, 80), tip);
            QCOMPARE(window.History().DoneCount(), steps + 1);
            QCOMPARE(graph.GetShapes().List().size(), size_t(1));
            const auto arrow = std::dynamic_pointer_cast<ovgGraph::ShapeLine>(graph.GetShapes().List()[0]);
            QVERIFY(arrow && arrow->GetKind() == ovgGraph::ShapeBase::Kind::kArrow);
            QCOMPARE(arrow->GetEndPixel(), (ovgGraph::Point{tip.x(), tip.y()}));
            const auto time = graph.GetAxes().List(ovgGraph::Axis::kBelow).front();
            const double pointedAt = arrow->GetEndValueX();
            drag(QPoint(tip.x() - 60, plot.top + 20), QPoint(tip.x() + 200, plot.bottom - 20));  // zoom (type A: time)
            QCOMPARE(window.History().DoneCount(), steps + 2);
            graph.Render(view->width(), view->height());
            QCOMPARE(arrow->GetEndValueX(), pointedAt);
            QCOMPARE(arrow->GetEndPixel().x, time->GetOriginX() + time->ValueToPixel(pointedAt));
            QVERIFY(arrow->GetEndPixel().x != tip.x());
            window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
            graph.Render(view->width(), view->height());
            QCOMPARE(arrow->GetEndPixel(), (ovgGraph::Point{tip.x(), tip.y()}));

            // A text box opens for typing; Escape keeps nothing, Ctrl+Enter keeps the text.
            window.FindAction(QStringLiteral("テキストボックス(&T)"))->trigger();
            drag(QPoint(plot.left + 20, plot.top + 20), QPoint(plot.left + 20, plot.top + 20));
            QCOMPARE(window.History().DoneCount(), steps + 2);
            QVERIFY(view->TextEditor());
            QTest::keyClicks(view->TextEditor(), QStringLiteral("drop"));
            QTest::keyClick(view->TextEditor(), Qt::Key_Escape);
            QVERIFY(!view->TextEditor());
            QCOMPARE(window.History().DoneCount(), steps + 2);
            const auto box = std::dynamic_pointer_cast<ovgGraph::ShapeTextBox>(graph.GetShapes().List()[1]);
            QVERIFY(box && box->GetText().GetText().isEmpty());
            const ovgGraph::Point onBox{box->BoxPixels().left + 2, box->BoxPixels().top + 2};
            QStringList items;
            QCOMPARE(PickFromMenu(window, [&] { graph.OnRButtonUp(onBox); }, QStringLiteral("テキストの編集(&E)"), &items),
                     QStringLiteral("TextBox"));
            QCOMPARE(items, (QStringList{QStringLiteral("プロパティ(&P)..."), QStringLiteral("テキストの編集(&E)"), QStringLiteral("最前面へ移動(&T)"),
                                         QStringLiteral("前面へ移動(&F)"), QStringLiteral("背面へ移動(&B)"), QStringLiteral("最背面へ移動(&K)"),
                                         QStringLiteral("削除(&D)")}));
            QVERIFY(view->TextEditor());
            view->TextEditor()->insertPlainText(QStringLiteral("扉"));
            QTest::keyClick(view->TextEditor(), Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(window.History().DoneCount(), steps + 3);
            QCOMPARE(box->GetText().GetText(), QStringLiteral("扉"));

            // The arrow's menu sends it to the back: one step; delete and undo keep the order.
            items.clear();
            const ovgGraph::Point onArrow{tip.x() - 60, tip.y() - 40};
            QCOMPARE(PickFromMenu(window, [&] { graph.OnRButtonUp(onArrow); }, QStringLiteral("最前面へ移動(&T)"), &items), QStringLiteral("Shape"));
            QVERIFY(!items.contains(QStringLiteral("テキストの編集(&E)")));
            QCOMPARE(graph.GetShapes().IndexOf(arrow.get()), 1);
            QCOMPARE(window.History().DoneCount(), steps + 4);
            PickFromMenu(window, [&] { graph.OnRButtonUp(onArrow); }, QStringLiteral("背面へ移動(&B)"));
            QCOMPARE(graph.GetShapes().IndexOf(arrow.get()), 0);
            PickFromMenu(window, [&] { graph.OnRButtonUp(onArrow); }, QStringLiteral("前面へ移動(&F)"));
            QCOMPARE(graph.GetShapes().IndexOf(arrow.get()), 1);
            PickFromMenu(window, [&] { graph.OnRButtonUp(onArrow); }, QStringLiteral("削除(&D)"));
            QCOMPARE(graph.GetShapes().List().size(), size_t(1));
            window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
            QCOMPARE(graph.GetShapes().IndexOf(arrow.get()), 1);

            QVERIFY(window.SaveDocumentAs(path));
            saved = graph.Render(800, 500);
        }
        MainWindow window;
        window.OpenFilesAndWait({path});
        QCOMPARE(window.Graph().GetShapes().List().size(), size_t(2));
        QCOMPARE(window.Graph().GetShapes().List()[1]->GetKind(), ovgGraph::ShapeBase::Kind::kArrow);
        QCOMPARE(window.Graph().Render(800, 500), saved);
    }

    // Theme, a hidden channel, Fahrenheit and a memo are saved; the next start opens them as they
    // were, with the opening as the only step to undo. Quitting with a change asks first.
    void savedDocumentComesBackAsItWasLeft()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("week.kmb"));
        QImage saved;
        {
            MainWindow window;
            auto reporter = std::make_shared<RecordingReporter>(window);
            window.SetReporter(reporter);
            window.OpenFilesAndWait({Sample("warehouse-week.kmv")});
            window.ChooseTheme(QStringLiteral("ダーク"));
            auto* list = qobject_cast<QTableWidget*>(window.findChild<QDockWidget*>(QStringLiteral("ChannelList"))->widget());
            list->item(1, 0)->setCheckState(Qt::Unchecked);
            window.FindAction(QStringLiteral("華氏(F)"))->trigger();
            window.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("扉が二回開いた"));
            QVERIFY(window.IsModified());
            QVERIFY(window.windowTitle().startsWith(QStringLiteral("無題")));
            QVERIFY(window.SaveDocumentAs(path));
            QVERIFY(!window.IsModified());
            QVERIFY(window.windowTitle().startsWith(QStringLiteral("week.kmb")));
            saved = window.Graph().Render(800, 500);

            window.FindAction(QStringLiteral("摂氏(&C)"))->trigger();
            reporter->answers << QMessageBox::Cancel;
            QVERIFY(!window.close());
            QCOMPARE(reporter->questions, QStringList{QStringLiteral("グラフの変更を保存しますか？")});
            reporter->answers << QMessageBox::No;
            QVERIFY(window.close());
            QCOMPARE(QFileInfo(path).size() > 0, true);
        }
        MainWindow window;
        auto reporter = std::make_shared<RecordingReporter>(window);
        reporter->answers << QMessageBox::Yes;  // show temperatures in Fahrenheit, as saved
        window.SetReporter(reporter);
        window.OpenFilesAndWait({path});
        QCOMPARE(reporter->questions.size(), 1);
        QVERIFY(reporter->failures.empty());
        QCOMPARE(window.Graph().GetTheme()->GetName(), QStringLiteral("ダーク"));
        QVERIFY(!window.Document().GetChannels()[1]->IsVisible());
        QCOMPARE(window.Document().GetTemperatureDisplayType(), 14);
        QCOMPARE(window.Document().GetMemo(), QStringLiteral("扉が二回開いた"));
        QCOMPARE(window.History().DoneCount(), 1u);
        QVERIFY(!window.IsModified());
        QCOMPARE(window.DocumentPath(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(window.Graph().Render(800, 500), saved);
        // Undoing the opening leaves a new document.
        window.FindAction(QStringLiteral("元に戻す(&U)"))->trigger();
        QVERIFY(window.Document().GetChannels().empty());
        QVERIFY(window.Document().GetMemo().isEmpty());
    }

    void screenshotOptionWritesAPictureOfTheWindow()
    {
        const QString png = QStringLiteral(ORVEL_TEST_OUTPUT_DIR "/main-window.png");
        QDir().mkpath(QStringLiteral(ORVEL_TEST_OUTPUT_DIR));
        QFile::remove(png);
        QProcess process;
        process.start(QStringLiteral(ORVEL_APP_PATH),
                      {QStringLiteral("--screenshot"), png, Sample("warehouse-week.kmv"), Sample("gallery-light.kmv")});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitCode(), 0);
        QImage image(png);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 800);
        // The first channel's red appears somewhere in the picture.
        bool red = false;
        for (int y = 0; y < image.height() && !red; y += 2)
            for (int x = 0; x < image.width() && !red; x += 2) {
                const QColor c = image.pixelColor(x, y);
                red = c.red() > 150 && c.green() < 80 && c.blue() < 80;
            }
        QVERIFY(red);
    }

    // Runs the real program, which must finish by itself: nothing may wait for a user.
    void screenshotModeNeverWaitsAndReportsOnStandardError()
    {
        QTemporaryDir folder;
        const QStringList unitFiles = OneUnitPerFile(folder.path(), 11);
        const struct {
            const char* name;
            QStringList files;
            QStringList reported;  // lines expected on standard error
        } rows[] = {
            {"a broken file", {BrokenFile(), Sample("warehouse-week.kmv")},
             {QStringLiteral("orvelgraph: %1: 読み込みに失敗しました。(2110)").arg(BrokenFile())}},
            {"too many value axes", unitFiles,
             {QStringLiteral("orvelgraph: %1: Y軸の数を減らして下さい。(0)").arg(unitFiles[9]),
              QStringLiteral("orvelgraph: %1: Y軸の数を減らして下さい。(0)").arg(unitFiles[10])}},
        };
        for (const auto& row : rows) {
            const QString png = folder.filePath(QStringLiteral("shot.png"));
            QFile::remove(png);
            QProcess process;
            process.start(QStringLiteral(ORVEL_APP_PATH), QStringList{QStringLiteral("--screenshot"), png} + row.files);
            const bool finished = process.waitForFinished(60000);
            if (!finished) process.kill();
            QVERIFY2(finished, row.name);
            QCOMPARE(process.exitCode(), 1);
            QVERIFY2(!QImage(png).isNull(), row.name);
            // Only the program's own lines: Qt may add notes of its own.
            const QStringList lines = QString::fromUtf8(process.readAllStandardError())
                                          .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                          .filter(QRegularExpression(QStringLiteral("^orvelgraph: ")));
            QCOMPARE(lines, row.reported);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
