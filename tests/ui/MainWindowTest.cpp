// The main window, driven offscreen: loading, undo and redo, the panes' models, the screenshot mode.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTableWidget>
#include <QtTest>
#include <chrono>

#include "App/AppCh.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"
#include "graph/GraphChannels.h"
#include "ui/DataTableModel.h"
#include "ui/DlgLoadFiles.h"
#include "ui/DlgLoadFilesError.h"
#include "ui/MainWindow.h"

using ovgUi::MainWindow;

namespace {

QString Sample(const char* name) { return QStringLiteral(ORVEL_SAMPLES_DIR "/") + QString::fromLatin1(name); }

QString BrokenFile()
{
    const QString path = QDir::temp().filePath(QStringLiteral("orvel-ui-test-broken.kmv"));
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write("0123456789");
    return path;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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
        } rows[] = {{"開く(&O)...", true}, {"CSV形式で保存(&C)...", true}, {"上書き保存(&S)", false},
                    {"グラフをコピー(&C)", true}, {"露点温度作成(&D)...", false}, {"元に戻す(&U)", false}};
        for (const auto& row : rows) {
            QAction* action = window.FindAction(QString::fromUtf8(row.text));
            QVERIFY2(action, row.text);
            QCOMPARE(action->isEnabled(), row.enabled);
        }
        QCOMPARE(window.FindAction(QStringLiteral("開く(&O)..."))->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
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
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
