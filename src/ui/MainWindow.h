#pragma once

#include <QMainWindow>
#include <optional>
#include <QPointer>
#include <memory>

#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "App/AppThemes.h"
#include "App/CmdHistory.h"
#include "App/FileLoader.h"
#include "Cmd/AppContext.h"
#include "Cmd/McrLoadFiles.h"
#include "graph/Graph.h"
#include "ui/WindowStyles.h"

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTableView;
class QTableWidget;
class QTimer;

namespace orvel {
class Cmd;
}

namespace ovgApp {
class AppMacroManager;
class PrmScaleExpr;
}

namespace ovgGraph {
class Axis;
class ShapeBase;
struct PropertyTarget;
}

namespace ovgUi {

class LCDataTable;
class WndProperty;

class DataTableModel;
class GraphView;
class Reporter;

// The main window: menus, the graph view, the panes (channel list, data table, axis-cursor
// information, memo) and the status bar. It owns the document, the graph and the undo history;
// every change goes through a command recorded in the history.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the files in the background (progress dialog, error list) and adds their channels as
    // one undoable step. Files chosen while a load runs are opened by another load after it.
    void OpenFiles(const QStringList& paths);
    // The same, waiting until the files are in (the command line's screenshot mode, tests).
    void OpenFilesAndWait(const QStringList& paths);
    // Where the window's messages (failed files, warnings) go; dialogs unless set. Null restores
    // the dialogs.
    void SetReporter(std::shared_ptr<Reporter> reporter);

    ovgApp::AppDocument& Document() { return m_document; }
    ovgApp::CmdHistory& History() { return m_history; }
    ovgGraph::Graph& Graph() { return m_graph; }
    DataTableModel& TableModel() { return *m_tableModel; }
    // The action of a menu item by its text (without the shortcut part), for tests.
    QAction* FindAction(const QString& text) const;

    // Executes and records a command; refreshes the window.
    void Record(std::shared_ptr<orvel::Cmd> cmd);
    // The channels selected in the channel list, in document order.
    std::vector<std::shared_ptr<ovgApp::AppCh>> SelectedChannels() const;

    // Saves the graph document under the path (the document's own from then on); a failure is
    // reported and leaves the previous file as it was. Returns whether it was saved.
    bool SaveDocumentAs(const QString& path);
    // The graph document file the window shows, empty for a new one.
    const QString& DocumentPath() const { return m_documentPath; }
    bool IsModified() const;
    // Makes a theme current as one undoable step (and keeps the choice for the next start).
    void ChooseTheme(const QString& name);
    // Runs a macro script on the document as one undoable step; a failure is reported with the
    // script's path and line.
    void RunMacro(const QString& path);
    // The folder whose scripts Tools > Macro lists (the data folder's "マクロ" by default); its
    // "サンプル" subfolder holds the sample macros (Macros().InstallSamples() puts them there).
    void SetMacroFolder(const QString& folder);
    ovgApp::AppMacroManager& Macros() { return *m_macros; }
    // The user manual Help opens: the installed one, else the source tree's; empty when neither exists.
    static QString HelpFile();

signals:
    // A load that OpenFiles started has ended, its failures reported.
    void filesOpened();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildPanes();
    void Refresh();
    void RefreshChannelList();
    void RefreshCursorPane();
    void UpdateActions();
    void AddRecentFiles(const QStringList& paths);
    void RebuildRecentMenu();
    // Records the load (channels by file, and a graph document's state); returns the files left out.
    std::vector<ovgApp::McrLoadFiles::LeftOutFile> AddLoadedChannels(const ovgApp::FileLoader::Prm& prm);
    // With unsaved changes, asks whether to save them: false when the user cancels or the save
    // fails (the caller then stops).
    bool ConfirmDiscard();
    void BuildThemeMenu(QMenu* menu);
    // Lists the macro folder's scripts, and the samples in their submenu, each item running one.
    void RebuildMacroMenu();

    void OnOpen();
    void OnSave();
    void OnSaveAs();
    void OnExportCsv();
    void OnSavePicture();
    void OnPrintGraph();
    void OnPrintTable();
    void OnCopyGraph();
    // Asks to restart with another look; the look in use stays checked when the user declines.
    void OnWindowStyle(WindowStyle style);
    void OnUndo();
    void OnRedo();
    void OnDeleteChannels();
    void OnMerge(bool keepSources);
    void OnOperationType();
    void OnDateFormat();
    void OnScaleExprSetup();
    void OnDataTableSetup();
    void OnAssociateExtensions();
    // Writes the user's scale expressions to their parameter file; a failure is reported.
    bool SaveScaleExprs();
    // The explicit zoom mode (ZoomEffect modes: 0 X only, 1 Y only, 2 both).
    void EnterZoom(int32_t zoomMode);
    // The menu of what lies under the point: an axis's (AxisX, AxisY) or the graph's.
    void ShowGraphMenu(const QPoint& point);
    void ShowAxisMenu(const std::shared_ptr<ovgGraph::Axis>& axis, const QPoint& point);
    // An axis cursor's menu: cursor A or B to the pointer, swap them.
    void ShowAxisCursorMenu(const std::shared_ptr<ovgGraph::Axis>& axis, const QPoint& point);
    // The legend's menu: properties, and its place left of, above, right of or below the plot.
    void ShowLegendMenu(const QPoint& point);
    void ShowTitleMenu(const QPoint& point);
    void ShowProperties(const ovgGraph::PropertyTarget& target);
    // The object the property pane would show for a point of the graph.
    std::optional<ovgGraph::PropertyTarget> PropertyTargetAt(const QPoint& point);
    void ShowChannelMenu(const std::shared_ptr<ovgApp::AppCh>& channel, const QPoint& point);
    void EditGraphTitle();
    void ShowShapeMenu(const std::shared_ptr<ovgGraph::ShapeBase>& shape, const QPoint& point);
    // The channel list's menu (ChTable) for the selected channels.
    void ShowChannelListMenu(const QPoint& globalPoint);
    void CopyChannelList();
    void OnDeleteOutsideData();
    // Shows a tool's dialog; what it runs is recorded as one step.
    template <class Dialog, class... Args>
    void RunTool(Args&&... args);
    void OnTemperatureUnit(int32_t type);
    void OnShowWholeGraph();
    void OnNew();
    void OnAbout();
    void OnHelp();
    void OnResetLayout();
    // Records the memo text typed since the last step, if any.
    void RecordMemo();
    // Returns once no load runs (the event loop runs meanwhile).
    void WaitForLoads();

    ovgApp::AppDocument m_document;
    ovgGraph::Graph m_graph;
    ovgApp::CmdHistory m_history;
    ovgApp::AppContext m_context;
    std::unique_ptr<ovgApp::FileLoader> m_loader;
    std::shared_ptr<Reporter> m_reporter;

    GraphView* m_view = nullptr;
    QTableWidget* m_channelList = nullptr;
    LCDataTable* m_dataTable = nullptr;
    QActionGroup* m_styleGroup = nullptr;
    WndProperty* m_properties = nullptr;
    QDockWidget* m_propertiesPane = nullptr;
    std::shared_ptr<ovgGraph::Axis> m_lastAxis;
    std::shared_ptr<ovgGraph::ShapeBase> m_lastShape;
    DataTableModel* m_tableModel = nullptr;
    QTableWidget* m_cursorList = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QTimer* m_memoPause = nullptr;
    QLabel* m_statusChannels = nullptr;
    QLabel* m_statusLoading = nullptr;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_themeMenu = nullptr;
    ovgApp::ThemeList m_themes;
    // The scale expressions as last read from or written to the user's parameter file.
    std::vector<std::shared_ptr<ovgApp::PrmScaleExpr>> m_savedScaleExprs;
    std::unique_ptr<ovgApp::AppMacroManager> m_macros;
    // The date settings as last stored, to store them again when a command changes them.
    struct DateSettings {
        int32_t kind;
        bool milliseconds, daylight;
        int32_t daylightBias;
        bool operator==(const DateSettings&) const = default;
    };
    static DateSettings DateSettingsOf(const ovgApp::AppDateInfo& info);
    DateSettings m_savedDateInfo{};
    QMenu* m_macroMenu = nullptr;
    QString m_documentPath;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_celsius = nullptr;
    QAction* m_fahrenheit = nullptr;
    QAction* m_showAddedInTable = nullptr;
    QAction* m_popupValue = nullptr;
    bool m_refreshing = false;
    bool m_loading = false;
    // Files chosen while a load ran: opened as the next load when it ends.
    QStringList m_pendingPaths;
    // The channels the user selected in the channel list (kept across refreshes by object).
    std::vector<std::shared_ptr<ovgApp::AppCh>> m_selection;
};

}  // namespace ovgUi
