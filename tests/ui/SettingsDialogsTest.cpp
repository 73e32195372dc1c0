// The settings dialogs driven offscreen through their widgets: each collects the user's choice and
// hands it back without touching anything else; the data table and the file dialogs' start folders
// follow the stored options. Settings go to a temporary store, never the user's.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "App/PrmScaleExpr.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"
#include "ui/DataTableModel.h"
#include "ui/DlgDataTableSetup.h"
#include "ui/DlgDateTimeFormatSetup.h"
#include "ui/DlgOptions.h"
#include "ui/DlgScaleExprInput.h"
#include "ui/DlgScaleExprSetup.h"
#include "ui/FolderOptions.h"

using ovgApp::PrmScaleExpr;
using ExprPtr = std::shared_ptr<PrmScaleExpr>;

namespace {

constexpr int64_t kNoon = 1780317930045;  // 2026-06-01 12:45:30.045 on the logger's clock

template <class W>
W* Child(QObject& parent, const char* name)
{
    W* widget = parent.findChild<W*>(QString::fromLatin1(name));
    if (!widget) qWarning("no widget %s", name);
    return widget;
}

void ClickOk(QDialog& dialog)
{
    auto* box = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(box);
    box->button(QDialogButtonBox::Ok)->click();
}

ExprPtr Expr(const QString& name, const QString& slope, const QString& intercept, bool editable,
             bool deletable)
{
    auto expr = std::make_shared<PrmScaleExpr>();
    expr->SetName(name);
    expr->SetUnit(name + QStringLiteral("u"));
    expr->SetInputSlope(slope);
    expr->SetInputIntercept(intercept);
    expr->SetEditable(editable);
    expr->SetDeletable(deletable);
    expr->ComputeCoefficients();
    return expr;
}

// Runs `fill` on the input dialog that `open` brings up as a modal window; false when none came.
bool WithInputDialog(const std::function<void()>& open,
                     const std::function<void(ovgUi::DlgScaleExprInput&)>& fill)
{
    bool seen = false;
    QTimer timer;  // stopped with this scope when no dialog came
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<ovgUi::DlgScaleExprInput*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = true;
        fill(*dialog);
        if (dialog->isVisible()) dialog->reject();  // a refused entry must not hang the test
    });
    timer.start(0);
    open();
    QCoreApplication::processEvents();
    return seen;
}

std::shared_ptr<OvGraphFileLib::GCh> Celsius(std::vector<double> values, double lower, double upper)
{
    auto ch = std::make_shared<OvGraphFileLib::GCh>();
    ch->SetChType(13);
    ch->SetChName(u"Room");
    ch->SetInterval(60000);
    ch->SetTimeDiff(0);
    ch->SetLowerLimit(lower);
    ch->SetUpperLimit(upper);
    ch->AddRawData(OvGraphFileLib::RawDataValidInterval::Create(13, kNoon, 60000, values));
    ch->SetDataCount(int32_t(values.size()));
    return ch;
}

}  // namespace

class SettingsDialogsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_store;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("OrvelGraphTest"));
        QCoreApplication::setApplicationName(QStringLiteral("test_settings_dialogs"));
        QVERIFY(m_store.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_store.path());
        QVERIFY(QSettings().fileName().startsWith(m_store.path()));
    }
    void init() { QSettings().clear(); }

    void dateFormatKindIsOrderPlusMonthNamesBothWays_data()
    {
        QTest::addColumn<int>("startKind");
        QTest::addColumn<QString>("order");
        QTest::addColumn<bool>("names");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("preview");
        QTest::newRow("0 to year-month-day")
            << 3 << "orderYearMonthDay" << false << 0 << "2026-06-01 12:45:30";
        QTest::newRow("0 to month-day-year")
            << 0 << "orderMonthDayYear" << false << 1 << "06-01-2026 12:45:30";
        QTest::newRow("0 to day-month-year")
            << 5 << "orderDayMonthYear" << false << 2 << "01-06-2026 12:45:30";
        QTest::newRow("names year-month-day")
            << 2 << "orderYearMonthDay" << true << 3 << "2026-6月-01 12:45:30";
        QTest::newRow("names month-day-year")
            << 1 << "orderMonthDayYear" << true << 4 << "6月-01-2026 12:45:30";
        QTest::newRow("names day-month-year")
            << 4 << "orderDayMonthYear" << true << 5 << "01-6月-2026 12:45:30";
    }
    void dateFormatKindIsOrderPlusMonthNamesBothWays()
    {
        QFETCH(int, startKind);
        QFETCH(QString, order);
        QFETCH(bool, names);
        QFETCH(int, kind);
        QFETCH(QString, preview);
        ovgApp::AppDateInfo info;
        QVERIFY(info.SetDateTimeFormat(startKind));
        ovgUi::DlgDateTimeFormatSetup dialog(info);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("日付書式の設定"));
        // Opened on a kind: its order and month names are what the dialog shows.
        const char* startOrder[] = {"orderYearMonthDay", "orderMonthDayYear", "orderDayMonthYear"};
        QVERIFY(Child<QRadioButton>(dialog, startOrder[startKind % 3])->isChecked());
        QCOMPARE(Child<QCheckBox>(dialog, "monthNames")->isChecked(), startKind >= 3);
        QCOMPARE(dialog.Kind(), startKind);

        dialog.SetClock([] { return kNoon; });
        Child<QRadioButton>(dialog, order.toLatin1().constData())->click();
        Child<QCheckBox>(dialog, "monthNames")->setChecked(names);
        QCOMPARE(dialog.Kind(), kind);
        QCOMPARE(dialog.PreviewText(), preview);
        Child<QCheckBox>(dialog, "milliseconds")->click();
        QVERIFY(dialog.Milliseconds());
        QCOMPARE(dialog.PreviewText(), preview + QStringLiteral(".045"));
        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void dateFormatDaylightIsOfferedOnlyToSwitchOnWhereItExistsOrToSwitchOff()
    {
        ovgApp::AppDateInfo info;  // no time zone read: the computer has no daylight saving time
        {
            ovgUi::DlgDateTimeFormatSetup dialog(info);
            QVERIFY(!Child<QCheckBox>(dialog, "daylight")->isEnabled());
            QVERIFY(!dialog.Daylight());
        }
        info.SetDaylight(true);
        ovgUi::DlgDateTimeFormatSetup dialog(info);
        auto* daylight = Child<QCheckBox>(dialog, "daylight");
        QVERIFY(daylight->isEnabled() && daylight->isChecked());
        dialog.SetClock([] { return kNoon; });
        QCOMPARE(dialog.PreviewText(), QStringLiteral("2026-06-01 13:45:30"));  // one hour later
        daylight->click();
        QVERIFY(!dialog.Daylight());
        QCOMPARE(dialog.PreviewText(), QStringLiteral("2026-06-01 12:45:30"));
    }

    void dateFormatPreviewFollowsTheClock()
    {
        ovgApp::AppDateInfo info;
        ovgUi::DlgDateTimeFormatSetup dialog(info);
        int64_t now = kNoon;
        dialog.SetClock([&now] { return now; });
        QCOMPARE(dialog.PreviewText(), QStringLiteral("2026-06-01 12:45:30"));
        now += 60000;
        QTRY_COMPARE_WITH_TIMEOUT(dialog.PreviewText(), QStringLiteral("2026-06-01 12:46:30"), 5000);
    }

    void scaleExprInputComputesOrRefusesAndStaysOpen_data()
    {
        QTest::addColumn<bool>("twoPoints");
        QTest::addColumn<QStringList>("texts");  // slope, intercept or x1, y1, x2, y2
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("slope");
        QTest::addColumn<double>("intercept");
        QTest::newRow("4-20 mA to 0-100") << true << QStringList{"4", "0", "20", "100"} << 0 << 6.25 << -25.0;
        QTest::newRow("same x") << true << QStringList{"4", "0", "4", "5"} << -250 << 0.0 << 0.0;
        QTest::newRow("y2 not a number") << true << QStringList{"4", "0", "20", "x"} << -240 << 0.0 << 0.0;
        QTest::newRow("slope and intercept") << false << QStringList{"0.5", "-3"} << 0 << 0.5 << -3.0;
        QTest::newRow("slope not a number") << false << QStringList{"abc", "1"} << -110 << 0.0 << 0.0;
    }
    void scaleExprInputComputesOrRefusesAndStaysOpen()
    {
        QFETCH(bool, twoPoints);
        QFETCH(QStringList, texts);
        QFETCH(int, code);
        QFETCH(double, slope);
        QFETCH(double, intercept);
        const PrmScaleExpr given =
            *Expr(QStringLiteral("old"), QStringLiteral("1"), QStringLiteral("0"), true, false);
        ovgUi::DlgScaleExprInput dialog(given);
        dialog.show();
        Child<QRadioButton>(dialog, twoPoints ? "modeTwoPoints" : "modeSlopeIntercept")->click();
        const std::vector<const char*> fields = twoPoints ? std::vector<const char*>{"x1", "y1", "x2", "y2"}
                                                          : std::vector<const char*>{"slope", "intercept"};
        for (const char* name : {"slope", "intercept", "x1", "y1", "x2", "y2"}) {
            const bool used = std::find_if(fields.begin(), fields.end(), [&](const char* f) {
                                  return qstrcmp(f, name) == 0;
                              }) != fields.end();
            QCOMPARE(Child<QLineEdit>(dialog, name)->isEnabled(), used);
        }
        for (size_t i = 0; i < fields.size(); ++i)
            Child<QLineEdit>(dialog, fields[i])->setText(texts[qsizetype(i)]);
        Child<QLineEdit>(dialog, "name")->setText(QStringLiteral("Pressure"));
        Child<QLineEdit>(dialog, "unit")->setText(QStringLiteral("kPa"));
        Child<QSpinBox>(dialog, "significantFigures")->setValue(3);
        ClickOk(dialog);
        if (code != 0) {
            QVERIFY(dialog.isVisible());
            QVERIFY(!dialog.Result());
            QCOMPARE(dialog.ErrorText(), PrmScaleExpr::ErrorText(code));
            QVERIFY(Child<QLabel>(dialog, "error")->isVisible());
            return;
        }
        QVERIFY(!dialog.isVisible());
        const ExprPtr result = dialog.Result();
        QVERIFY(result);
        QCOMPARE(result->GetSlope(), slope);
        QCOMPARE(result->GetIntercept(), intercept);
        QCOMPARE(result->GetName(), QStringLiteral("Pressure"));
        QCOMPARE(result->GetUnit(), QStringLiteral("kPa"));
        QCOMPARE(result->GetSignificantFigures(), 3);
        QCOMPARE(result->IsTwoPointInput(), twoPoints);
        QVERIFY(!result->IsDeletable() && result->IsEditable());  // the flags travel with the entry
        QCOMPARE(given.GetName(), QStringLiteral("old"));
    }

    void scaleExprSetupMovesDeletesAndEditsByTheFlags()
    {
        const ExprPtr a =
            Expr(QStringLiteral("A"), QStringLiteral("6.25"), QStringLiteral("-25"), true, true);
        const ExprPtr b = Expr(QStringLiteral("B"), QStringLiteral("2"), QStringLiteral("0"), false, true);
        const ExprPtr c = Expr(QStringLiteral("C"), QStringLiteral("1"), QStringLiteral("1"), true, false);
        ovgUi::DlgScaleExprSetup dialog({a, b, c});
        dialog.show();
        auto* table = Child<QTreeWidget>(dialog, "expressions");
        QCOMPARE(table->headerItem()->text(0), QStringLiteral("変換式"));
        QCOMPARE(table->topLevelItem(0)->text(0), QStringLiteral("y = 6.250x - 25.00"));
        QCOMPARE(table->topLevelItem(2)->text(0), QStringLiteral("y = 1.000x + 1.000"));
        QCOMPARE(table->topLevelItem(1)->text(1), QStringLiteral("B"));
        QCOMPARE(table->topLevelItem(1)->text(2), QStringLiteral("Bu"));
        auto* edit = Child<QPushButton>(dialog, "edit");
        auto* remove = Child<QPushButton>(dialog, "delete");
        auto* up = Child<QPushButton>(dialog, "moveUp");
        auto* down = Child<QPushButton>(dialog, "moveDown");
        QCOMPARE(edit->text(), QStringLiteral("式を修正"));
        QCOMPARE(up->text(), QStringLiteral("１行上へ"));

        struct Row {
            int row;
            bool edit, remove, up, down;
        };
        for (const Row& row : {Row{0, true, true, false, true}, Row{1, false, true, true, true},
                               Row{2, true, false, true, false}}) {
            table->setCurrentItem(table->topLevelItem(row.row));
            QCOMPARE(edit->isEnabled(), row.edit);
            QCOMPARE(remove->isEnabled(), row.remove);
            QCOMPARE(up->isEnabled(), row.up);
            QCOMPARE(down->isEnabled(), row.down);
        }
        using List = ovgUi::DlgScaleExprSetup::ExprList;
        // C cannot be deleted nor B edited, even when asked directly.
        dialog.Delete();
        QCOMPARE(dialog.List(), (List{a, b, c}));
        table->setCurrentItem(table->topLevelItem(1));
        QVERIFY(!WithInputDialog([&] { dialog.Edit(); }, [](ovgUi::DlgScaleExprInput&) {}));

        table->setCurrentItem(table->topLevelItem(0));
        down->click();
        QCOMPARE(dialog.List(), (List{b, a, c}));
        QVERIFY(dialog.Changed());
        up->click();
        QCOMPARE(dialog.List(), (List{a, b, c}));
        QVERIFY(!dialog.Changed());  // the same objects in the same order

        // Editing A replaces it by a new object and leaves the given one as it was.
        table->setCurrentItem(table->topLevelItem(0));
        QVERIFY(WithInputDialog([&] { edit->click(); },
                                [](ovgUi::DlgScaleExprInput& input) {
                                    Child<QLineEdit>(input, "intercept")->setText(QStringLiteral("-20"));
                                    ClickOk(input);
                                }));
        List list = dialog.List();
        QCOMPARE(list.size(), size_t(3));
        QVERIFY(list[0] != a);
        QCOMPARE(list[0]->GetIntercept(), -20.0);
        QCOMPARE(list[0]->GetName(), QStringLiteral("A"));
        QCOMPARE(a->GetIntercept(), -25.0);
        QCOMPARE(table->topLevelItem(0)->text(0), QStringLiteral("y = 6.250x - 20.00"));
        QVERIFY(dialog.Changed());

        // A refused entry keeps the list as it was.
        QVERIFY(WithInputDialog([&] { edit->click(); },
                                [](ovgUi::DlgScaleExprInput& input) {
                                    Child<QLineEdit>(input, "slope")->setText(QStringLiteral("?"));
                                    ClickOk(input);
                                }));
        QCOMPARE(dialog.List(), list);

        table->setCurrentItem(table->topLevelItem(1));
        remove->click();
        QCOMPARE(dialog.List(), (List{list[0], c}));
        QVERIFY(
            WithInputDialog([&] { Child<QPushButton>(dialog, "add")->click(); },
                            [](ovgUi::DlgScaleExprInput& input) {
                                Child<QRadioButton>(input, "modeTwoPoints")->click();
                                const char* const names[] = {"x1", "y1", "x2", "y2"};
                                const char* const texts[] = {"4", "0", "20", "100"};
                                for (int i = 0; i < 4; ++i)
                                    Child<QLineEdit>(input, names[i])->setText(QString::fromLatin1(texts[i]));
                                ClickOk(input);
                            }));
        list = dialog.List();
        QCOMPARE(list.size(), size_t(3));
        QCOMPARE(list[2]->GetSlope(), 6.25);
        QVERIFY(list[2]->IsEditable() && list[2]->IsDeletable());
        QCOMPARE(table->currentItem(), table->topLevelItem(2));
    }

    void dataTableOptionsChangeHeaderAndMarkValuesOutsideLimits_data()
    {
        QTest::addColumn<QString>("slope");  // of the channel's own expression, empty for none
        QTest::addColumn<QString>("intercept");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QList<int>>("marks");  // per row: -1 below lower, 0 none, 1 above upper
        QTest::newRow("no expression") << QString() << QString() << "Room [°C]" << QList<int>{-1, 0, 1, 0};
        // y = -x + 100 turns the limits 20 and 80 into 80 and 20: they swap.
        QTest::newRow("falling expression") << "-1"
                                            << "100"
                                            << "Room [%]" << QList<int>{1, 0, -1, 0};
    }
    void dataTableOptionsChangeHeaderAndMarkValuesOutsideLimits()
    {
        QFETCH(QString, slope);
        QFETCH(QString, intercept);
        QFETCH(QString, header);
        QFETCH(QList<int>, marks);
        constexpr double kNoData = OvGraphFileLib::INVALID_VALUE;
        ovgApp::AppDocument document;
        auto channel = std::make_shared<ovgApp::AppCh>(&document, Celsius({10, 50, 90, kNoData}, 20, 80));
        document.AddChannel(channel);
        if (!slope.isEmpty()) {
            auto expr = Expr(QStringLiteral("inv"), slope, intercept, true, true);
            expr->SetUnit(QStringLiteral("%"));
            channel->SetScaleExpr(expr);
        }
        ovgApp::AppDateInfo info;
        ovgUi::DataTableModel model(info);
        model.SetChannels({channel});
        QCOMPARE(model.GetOptions(), ovgUi::DataTableOptions::Load());  // defaults: both on
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), header);
        const auto markOf = [&model](int row) {
            const QVariant role = model.data(model.index(row, 1), Qt::ForegroundRole);
            if (!role.isValid()) return 0;
            const QColor colour = role.value<QBrush>().color();
            return colour == ovgUi::DataTableModel::AboveUpperLimitColour()   ? 1
                   : colour == ovgUi::DataTableModel::BelowLowerLimitColour() ? -1
                                                                              : 99;
        };
        for (int row = 0; row < 4; ++row) QCOMPARE(markOf(row), marks[row]);
        QVERIFY(!model.data(model.index(2, 0), Qt::ForegroundRole).isValid());  // times stay plain

        ovgUi::DlgDataTableSetup dialog(model.GetOptions());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("データ一覧の設定"));
        Child<QCheckBox>(dialog, "markOutOfLimits")->click();
        Child<QCheckBox>(dialog, "unitInHeader")->click();
        ClickOk(dialog);
        dialog.Options().Save();
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.SetOptions(ovgUi::DataTableOptions::Load());
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Room"));
        for (int row = 0; row < 4; ++row) QCOMPARE(markOf(row), 0);
    }

    void startFolderFallsBackFromLastToDefaultToNone_data()
    {
        QTest::addColumn<bool>("useLast");
        QTest::addColumn<QString>("last");  // "good", "gone" or "" (never stored)
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("expected");
        QTest::newRow("last folder") << true << "good"
                                     << "good"
                                     << "last";
        QTest::newRow("remembering off") << false << "good"
                                         << "good"
                                         << "default";
        QTest::newRow("last folder gone") << true << "gone"
                                          << "good"
                                          << "default";
        QTest::newRow("never used") << true << ""
                                    << "good"
                                    << "default";
        QTest::newRow("both gone") << true << "gone"
                                   << "gone"
                                   << "";
        QTest::newRow("nothing set") << true << ""
                                     << ""
                                     << "";
        QTest::newRow("off, no default") << false << "good"
                                         << ""
                                         << "";
    }
    void startFolderFallsBackFromLastToDefaultToNone()
    {
        QFETCH(bool, useLast);
        QFETCH(QString, last);
        QFETCH(QString, fallback);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const QString gone = root.filePath(QStringLiteral("gone"));
        const auto folder = [&](const QString& name, const QString& state) {
            if (state.isEmpty()) return QString();
            if (state == QStringLiteral("gone")) return gone;
            const QString path = root.filePath(name);
            QDir().mkpath(path);
            return path;
        };
        // The options arrive through the dialog, as a user sets them.
        ovgUi::DlgOptions dialog(ovgUi::FolderOptions::Load(), QStringLiteral("en"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("オプション"));
        QCOMPARE(dialog.Language(), QStringLiteral("en"));  // the language shown is the one in use
        Child<QComboBox>(dialog, "language")->setCurrentIndex(0);
        QCOMPARE(dialog.Language(), QStringLiteral("ja"));
        QVERIFY(Child<QCheckBox>(dialog, "useLastFolder")->isChecked());
        Child<QLineEdit>(dialog, "openFolder")->setText(folder(QStringLiteral("open"), fallback));
        Child<QLineEdit>(dialog, "saveFolder")->setText(folder(QStringLiteral("save"), fallback));
        Child<QCheckBox>(dialog, "useLastFolder")->setChecked(useLast);
        ClickOk(dialog);
        dialog.Options().Save();
        QCOMPARE(ovgUi::FolderOptions::Load(), dialog.Options());

        using ovgUi::FolderPurpose;
        struct Purpose {
            FolderPurpose purpose;
            const char* lastName;
            const char* defaultName;
        };
        const Purpose purposes[] = {{FolderPurpose::kOpen, "lastOpen", "open"},
                                    {FolderPurpose::kSaveCsv, "lastCsv", "save"},
                                    {FolderPurpose::kSaveKmb, "lastKmb", "save"}};
        // Every purpose first, so that two sharing a key would show.
        for (const Purpose& p : purposes) ovgUi::RememberFolder(p.purpose, folder(QString::fromLatin1(p.lastName), last));
        for (const Purpose& p : purposes) {
            const QString want =
                expected == QStringLiteral("last")      ? root.filePath(QString::fromLatin1(p.lastName))
                : expected == QStringLiteral("default") ? root.filePath(QString::fromLatin1(p.defaultName))
                                                        : QString();
            QCOMPARE(ovgUi::StartFolder(p.purpose), want);
        }
    }
};

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
