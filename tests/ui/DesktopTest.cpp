// The window on the desktop: its four looks, every one readable (text against its background at a
// contrast of at least 4.5, selections too, and disabled text still told apart) and the stored
// choice read back; and the file types it registers, the same as the package's and every one a
// type the program opens.
#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QTimer>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>
#include <cmath>

#include "filelib/FileKind.h"
#include "App/ResultText.h"
#include "ui/DlgDebug.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/StartUp.h"
#include "ui/WindowStyles.h"
#include "ui/WndProperty.h"
#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/AppTimeFormatter.h"
#include "graph/Axis.h"
#include "graph/GraphAxes.h"
#include "graph/LabelFormat.h"
#include "graph/GCh.h"
#include "graph/Graph.h"
#include "graph/GraphChannels.h"
#include "graph/commands/PropertyItems.h"

namespace {

double Luminance(const QColor& colour)
{
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Kana, kanji and full-width forms.
QRegularExpression Japanese() { return QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]")); }

// Every text a dialog or pane shows: its title, labels, buttons, group boxes, the items of its
// choice boxes, trees and tables, and their headers.
QStringList TextsOf(const QWidget& widget)
{
    QStringList texts{widget.windowTitle()};
    for (const QLabel* label : widget.findChildren<QLabel*>()) texts << label->text();
    for (const QAbstractButton* button : widget.findChildren<QAbstractButton*>()) texts << button->text();
    for (const QGroupBox* box : widget.findChildren<QGroupBox*>()) texts << box->title();
    for (const QComboBox* combo : widget.findChildren<QComboBox*>())
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    for (const QTreeWidget* tree : widget.findChildren<QTreeWidget*>())
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) texts << (*it)->text(0);
    for (const QTableWidget* table : widget.findChildren<QTableWidget*>()) {
        for (int column = 0; column < table->columnCount(); ++column)
            if (const QTableWidgetItem* header = table->horizontalHeaderItem(column)) texts << header->text();
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < table->columnCount(); ++column)
                if (const QTableWidgetItem* item = table->item(row, column)) texts << item->text();
    }
    return texts;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyLookIsReadable()
    {
        using ovgUi::WindowStyle;
        for (const WindowStyle style : {WindowStyle::kBlue, WindowStyle::kBlack, WindowStyle::kSilver, WindowStyle::kAqua}) {
            const QPalette palette = ovgUi::PaletteOf(style);
            const QByteArray name = QByteArray::number(int(style));
            const struct {
                QPalette::ColorRole text, background;
                double least;
            } pairs[] = {{QPalette::WindowText, QPalette::Window, 4.5}, {QPalette::Text, QPalette::Base, 4.5},
                         {QPalette::ButtonText, QPalette::Button, 4.5}, {QPalette::HighlightedText, QPalette::Highlight, 4.5},
                         {QPalette::Text, QPalette::AlternateBase, 4.5}, {QPalette::Link, QPalette::Base, 4.5}};
            for (const auto& pair : pairs)
                QVERIFY2(Contrast(palette.color(pair.text), palette.color(pair.background)) >= pair.least, name);
            // Disabled text is dimmer than enabled text, and still readable as such.
            const double disabled = Contrast(palette.color(QPalette::Disabled, QPalette::WindowText), palette.color(QPalette::Window));
            QVERIFY2(disabled >= 2.0 && disabled < Contrast(palette.color(QPalette::WindowText), palette.color(QPalette::Window)), name);
            QVERIFY2(ovgUi::StyleSheetOf(style).contains(QStringLiteral("QMenuBar")), name);
        }
    }

    void theChoiceIsKeptAndAnUnknownOneIsBlue()
    {
        QSettings().remove(QStringLiteral("Settings/WindowStyle"));
        QCOMPARE(ovgUi::LoadWindowStyle(), ovgUi::WindowStyle::kBlue);
        ovgUi::SaveWindowStyle(ovgUi::WindowStyle::kBlack);
        QCOMPARE(ovgUi::LoadWindowStyle(), ovgUi::WindowStyle::kBlack);
        QSettings().setValue(QStringLiteral("Settings/WindowStyle"), 9);
        QCOMPARE(ovgUi::LoadWindowStyle(), ovgUi::WindowStyle::kBlue);
        QSettings().remove(QStringLiteral("Settings/WindowStyle"));
    }

    // How the program reads its command line: REG= and acc_ext= in any case, quoted names,
    // --help and --version, and any other option refused rather than opened as a file.
    void theCommandLineIsReadOrRefused()
    {
        const struct {
            QStringList arguments;
            QStringList files;
            bool clear, associate, help, version, error;
        } rows[] = {
            {{QStringLiteral("a.kmv"), QStringLiteral("\"b c.kmq\"")}, {QStringLiteral("a.kmv"), QStringLiteral("b c.kmq")}, false, false, false, false, false},
            {{QStringLiteral("FILES=\"x.kmb\"")}, {QStringLiteral("x.kmb")}, false, false, false, false, false},
            {{QStringLiteral("reg=clear_workspace")}, {}, true, false, false, false, false},
            {{QStringLiteral("ACC_EXT=*")}, {}, false, true, false, false, false},
            {{QStringLiteral("--help")}, {}, false, false, true, false, false},
            {{QStringLiteral("-h")}, {}, false, false, true, false, false},
            {{QStringLiteral("--version")}, {}, false, false, false, true, false},
            {{QStringLiteral("--language")}, {}, false, false, false, false, true},
            {{QStringLiteral("--screenshot")}, {}, false, false, false, false, true},
            {{QStringLiteral("acc_ext=kmv")}, {}, false, false, false, false, true},
        };
        for (const auto& row : rows) {
            const ovgUi::CommandLine line = ovgUi::ParseCommandLine(QStringList{QStringLiteral("orvelgraph")} + row.arguments);
            const QByteArray name = row.arguments.join(QLatin1Char(' ')).toUtf8();
            QVERIFY2(line.files == row.files, name);
            QVERIFY2(line.clearWorkspace == row.clear && line.associateExtensions == row.associate, name);
            QVERIFY2(line.help == row.help && line.version == row.version && line.error.isEmpty() != row.error, name);
        }
    }

    // In English, no text the main window shows is left in Japanese: its menus and their items,
    // its panes' titles, the headers of the channel list and the property pane, the tabs, the
    // status bar.
    // A new text without its translation fails here.
    void everyTextOfTheWindowIsTranslatedToEnglish()
    {
        QVERIFY(ovgUi::InstallTranslations(QStringLiteral("en")));
        ovgUi::MainWindow window;
        window.show();
        QStringList texts;
        for (const QAction* action : window.findChildren<QAction*>()) texts << action->text();
        for (const QMenu* menu : window.findChildren<QMenu*>()) texts << menu->title();
        for (const QDockWidget* dock : window.findChildren<QDockWidget*>()) texts << dock->windowTitle();
        for (const QTableWidget* table : window.findChildren<QTableWidget*>())
            for (int column = 0; column < table->columnCount(); ++column)
                if (const QTableWidgetItem* header = table->horizontalHeaderItem(column)) texts << header->text();
        for (const QTreeWidget* tree : window.findChildren<QTreeWidget*>())
            for (int column = 0; column < tree->columnCount(); ++column) texts << tree->headerItem()->text(column);
        for (const QTabBar* tabs : window.findChildren<QTabBar*>())
            for (int tab = 0; tab < tabs->count(); ++tab) texts << tabs->tabText(tab);
        for (const QLabel* label : window.statusBar()->findChildren<QLabel*>()) texts << label->text();
        texts << window.windowTitle();
        QStringList untranslated = texts.filter(Japanese());
        untranslated.removeDuplicates();
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral(" | "))));
        QVERIFY2(texts.size() > 100, qPrintable(QString::number(texts.size())));  // the texts were found at all
    }

    // With a recording open in English, every menu item that opens a dialog shows it without a
    // Japanese text, and the property pane's labels and choices for the title, legend, an axis
    // and a channel are English too. Channel names come from the file and are left out.
    void everyDialogAndThePropertyPaneAreInEnglish()
    {
        QVERIFY(ovgUi::InstallTranslations(QStringLiteral("en")));
        ovgUi::MainWindow window;
        window.show();
        window.OpenFilesAndWait({QStringLiteral(ORVEL_SAMPLES_DIR "/warehouse-week.kmv")});
        QVERIFY(window.Document().GetChannels().size() > 0);
        QStringList fromTheFile;
        for (const auto& channel : window.Document().GetChannels()) fromTheFile << channel->GetDisplayName();

        int dialogs = 0;
        for (QAction* action : window.findChildren<QAction*>()) {
            const QString item = action->text().section(QLatin1Char('\t'), 0, 0);  // without its shortcut
            if (!item.endsWith(QStringLiteral("...")) || !action->isEnabled() || item.startsWith(QStringLiteral("Print")))
                continue;
            QStringList texts;
            QTimer::singleShot(0, &window, [&texts] {
                // A tool may first ask or warn; each dialog on top is read and closed.
                while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    texts << TextsOf(*dialog);
                    dialog->reject();
                    QCoreApplication::processEvents();
                    if (QApplication::activeModalWidget() == dialog) break;
                }
            });
            action->trigger();
            QCoreApplication::processEvents();
            if (!texts.isEmpty()) ++dialogs;
            for (const QString& name : fromTheFile) texts.removeAll(name);
            texts.removeAll(QStringLiteral("日本語"));  // each language is offered by its own name
            QStringList untranslated = texts.filter(Japanese());
            untranslated.removeDuplicates();
            QVERIFY2(untranslated.isEmpty(), qPrintable(action->text() + QStringLiteral(": ") + untranslated.join(QStringLiteral(" | "))));
        }
        QVERIFY2(dialogs >= 15, qPrintable(QString::number(dialogs)));
        // Month names on the new graph's time axis and in the date texts are English too.
        const auto& time = window.Graph().GetAxes().List(ovgGraph::Axis::kBelow).front();
        QCOMPARE(time->GetLabelFormat().Format(1780000000.0), QStringLiteral("2026-May-28\n20:26:40"));
        ovgApp::AppTimeFormatter dates;
        QVERIFY(dates.SetKind(3));
        QCOMPARE(dates.Format(1780000000000), QStringLiteral("2026-May-28 20:26:40"));
        const ovgUi::DlgDebug debug;  // not on a menu
        QVERIFY2(TextsOf(debug).filter(Japanese()).isEmpty(), qPrintable(TextsOf(debug).join(QLatin1Char('|'))));

        auto* pane = window.findChild<ovgUi::WndProperty*>();
        QVERIFY(pane);
        using Target = ovgGraph::PropertyTarget;
        const auto channel = window.Graph().GetChannels().List().front();
        for (const Target& target : std::initializer_list<Target>{Target{Target::kTitle, {}, {}, {}}, Target{Target::kLegend, {}, {}, {}},
                                     Target{Target::kAxis, channel->GetTimeAxis(), {}, {}},
                                     Target{Target::kAxis, channel->GetValueAxis(), {}, {}},
                                     Target{Target::kChannel, {}, channel, {}}}) {
            pane->ShowObject(target);
            QStringList texts = TextsOf(*pane);
            QVERIFY(texts.size() > 5);
            for (const QString& name : fromTheFile) texts.removeAll(name);
            QStringList untranslated = texts.filter(Japanese());
            untranslated.removeDuplicates();
            QVERIFY2(untranslated.isEmpty(), qPrintable(QString::number(target.kind) + QStringLiteral(": ") + untranslated.join(QStringLiteral(" | "))));
        }
    }

    // The file library's result messages reach the window in English, with their locations.
    void resultMessagesAreInEnglish()
    {
        QVERIFY(ovgUi::InstallTranslations(QStringLiteral("en")));
        using namespace OvGraphFileLib;
        for (const int32_t code : std::initializer_list<int32_t>{kFailure, kOpenFailed, kWriteFailed, kReadFailed, kUnsupportedFile, kNewerVersion, kBrokenFile,
                                   kTooManyAxes, 9999}) {
            const QString text = ovgApp::ResultText(Result{code, 2110, {}});
            QVERIFY2(!text.contains(Japanese()) && text.endsWith(QStringLiteral("(2110)")), qPrintable(text));
        }
    }

    // "acc_ext=*" writes the package's file types and an entry that starts this program; the
    // entry names exactly the types the file defines, and each type's extension is one the
    // program opens.
    void theRegisteredFileTypesAreThePackagesAndOpenable()
    {
        QCOMPARE(ovgUi::AssociateExtensions(), QString());
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        const auto read = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        const QString mime = read(data + QStringLiteral("/mime/packages/orvel-graph.xml"));
        QCOMPARE(mime, read(QStringLiteral(ORVEL_SOURCE_DIR "/data/desktop/orvel-graph.xml")));
        const QString entry = read(data + QStringLiteral("/applications/orvel-graph.desktop"));
        QVERIFY(entry.contains(QStringLiteral("Exec=\"%1\" %F\n").arg(QCoreApplication::applicationFilePath())));
        QVERIFY(QFile::exists(data + QStringLiteral("/icons/hicolor/scalable/apps/orvel-graph.svg")));

        QStringList defined, globbed;
        for (const auto& match : QRegularExpression(QStringLiteral("type=\"([^\"]+)\"")).globalMatch(mime)) defined << match.captured(1);
        for (const auto& match : QRegularExpression(QStringLiteral("pattern=\"\\*\\.([a-z0-9]+)\"")).globalMatch(mime))
            globbed << match.captured(1);
        const QRegularExpression listed(QStringLiteral("\nMimeType=([^\n]*)\n"));
        QStringList named = listed.match(entry).captured(1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        named.sort();
        defined.sort();
        QCOMPARE(named, defined);
        QCOMPARE(globbed.size(), defined.size());
        for (const QString& extension : globbed) {
            const uint32_t kind = OvGraphFileLib::GetFileKind(("x." + extension).toStdString());
            QVERIFY2(kind == OvGraphFileLib::kFileKmb || OvGraphFileLib::CreateReader(kind), qPrintable(extension));
        }
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
