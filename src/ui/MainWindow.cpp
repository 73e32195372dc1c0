#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <utility>

#include "App/ResultText.h"
#include "App/AppCh.h"
#include "App/AxisCursorReadout.h"
#include "App/FileCsv.h"
#include "App/FileUILoadFile.h"
#include "App/GraphDocumentSave.h"
#include "App/GraphPicture.h"
#include "App/McrWndGraphCmd.h"
#include "Cmd/McrChData.h"
#include "Cmd/McrGraphCmds.h"
#include "Cmd/McrInitApp.h"
#include "graph/commands/GraphStructureCmds.h"
#include "graph/state/Theme.h"
#include "Cmd/McrLoadFiles.h"
#include "ext/AppMacroCallbacks.h"
#include "ext/AppMacroManager.h"
#include "ui/Printing.h"
#include "ui/StartUp.h"
#include "ui/WindowCommands.h"
#include "ui/WindowStyles.h"
#include "filelib/FileKind.h"
#include "filelib/GCh.h"
#include "graph/Axis.h"
#include "graph/LabelFormat.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphScaleLine.h"
#include "graph/GraphTitle.h"
#include "graph/commands/GraphSetterCmds.h"
#include "graph/AxisCursor.h"
#include "graph/ScrollBar.h"
#include "graph/GraphLegend.h"
#include "graph/interaction/AxisCursorState.h"
#include "graph/interaction/GraphLegendState.h"
#include "graph/interaction/ShapeStates.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/interaction/IdleState.h"
#include "graph/interaction/ValuePopupEffect.h"
#include "graph/interaction/ZoomEffect.h"
#include "ui/DataTableModel.h"
#include "ui/DewPointMakerDlg.h"
#include "ui/DlgDebug.h"
#include "ui/DlgAxisCursorPosition.h"
#include "ui/DlgDeleteChData.h"
#include "ui/DlgMktCalculator.h"
#include "ui/DlgOperationType.h"
#include "ui/DlgAbout.h"
#include "ui/DlgProxySetup.h"
#include "ui/UpdateCheckStartUp.h"
#include "ui/DlgDataTableSetup.h"
#include "ui/DlgDateTimeFormatSetup.h"
#include "ui/DlgOptions.h"
#include "ui/Language.h"
#include "ui/DlgScaleExprSetup.h"
#include "ui/DataTableOptions.h"
#include "ui/FolderOptions.h"
#include "App/PrmFile.h"
#include "App/PrmScaleExpr.h"
#include "Cmd/McrSettings.h"
#include "ui/DlgThinData.h"
#include "ui/OffsetTimeSetupDlg.h"
#include "ui/DlgLoadFiles.h"
#include "ui/DlgLoadFilesError.h"
#include "ui/EditMenus.h"
#include "ui/GraphView.h"
#include "ui/WndProperty.h"
#include "ui/LCDataTable.h"
#include "ui/Reporter.h"

namespace ovgUi {
namespace {

constexpr int kRecentFiles = 8;
const QString kShowAddedInTableKey = QStringLiteral("Settings/ShowAddedChInDataTable");

}  // namespace

MainWindow::DateSettings MainWindow::DateSettingsOf(const ovgApp::AppDateInfo& info)
{
    return {info.GetDateTimeFormat(), info.GetEnableMsec(), info.GetDaylight(), info.GetDaylightBiasSec()};
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      m_context{m_document, m_graph, m_history},
      m_loader(std::make_unique<ovgApp::FileLoader>()),
      m_reporter(std::make_shared<DialogReporter>())
{
    setObjectName(QStringLiteral("MainWindow"));
    qApp->installEventFilter(new SimpleEditMenus(this));
    m_themes = ovgApp::AppThemes::Load();
    m_document.GetDateInfo().Load();
    m_document.GetDateInfo().ReadSystemTimeZone();
    m_savedDateInfo = DateSettingsOf(m_document.GetDateInfo());
    m_view = new GraphView(m_graph, this);
    setCentralWidget(m_view);
    connect(m_view, &GraphView::filesDropped, this, &MainWindow::OpenFiles);
    connect(m_view, &GraphView::contextMenuRequested, this, &MainWindow::ShowGraphMenu);
    connect(m_view, &GraphView::propertiesRequested, this, [this](const QPoint& point) {
        if (const auto target = PropertyTargetAt(point)) ShowProperties(*target);
    });
    m_graph.SetOperationType(DlgOperationType::Load());
    // The value popup writes times as every other view does.
    m_graph.SetTimeTextFormatter([this](double time) { return m_document.GetDateInfo().DateTimeText(std::llround(time * 1000.0)); });
    SetMacroFolder(QDir(DataFolder()).filePath(tr("マクロ")));
    // What the graph's interaction builds is one step of the history.
    m_view->SetRecorder([this](std::vector<std::shared_ptr<orvel::Cmd>> cmds, bool execute) {
        Record(std::make_shared<ovgApp::McrWndGraphCmd>(cmds, execute, [this] { m_view->update(); }));
    });
    BuildMenus();
    BuildPanes();
    m_tableModel->SetOptions(DataTableOptions::Load());
    connect(m_dataTable, &LCDataTable::settingsRequested, this, &MainWindow::OnDataTableSetup);
    ovgApp::PrmFile::LoadAtStartUp(ovgApp::PrmFile::UserPath(), ovgApp::PrmFile::SharedPath(), m_document.GetScaleExprs(),
                                   [this](const QString& path, int code) { m_reporter->Warning(this, ovgApp::PrmFile::ErrorMessage(path, code)); });
    m_savedScaleExprs = m_document.GetScaleExprs();
    m_statusLoading = new QLabel(this);
    m_statusChannels = new QLabel(this);
    statusBar()->addWidget(m_statusLoading, 1);
    statusBar()->addPermanentWidget(m_statusChannels);
    QSettings settings;
    restoreGeometry(settings.value(QStringLiteral("Workspace/Geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("Workspace/State")).toByteArray());
    if (!settings.contains(QStringLiteral("Workspace/Geometry"))) resize(1280, 800);  // first start: a usable size
    m_graph.SetTheme(ovgApp::AppThemes::Find(m_themes, ovgApp::AppThemes::CurrentName()));
    m_history.Add(true, std::make_shared<ovgApp::McrInitApp>(m_context));  // the initial application command
    Refresh();
}

MainWindow::~MainWindow()
{
    // The panes outlive the document while the window's children are destroyed: they must not
    // reach into it then.
    disconnect(m_channelList->selectionModel(), nullptr, this, nullptr);
    m_tableModel->SetChannels({});
}

QAction* MainWindow::FindAction(const QString& text) const
{
    for (QAction* action : findChildren<QAction*>())
        if (action->text().section(QLatin1Char('\t'), 0, 0) == text) return action;
    return nullptr;
}

void MainWindow::BuildMenus()
{
    // An item whose function comes later is shown disabled, never faked.
    const auto item = [this](QMenu* menu, const char* text, auto slot) {
        const QString label = tr(text);
        QAction* action = menu->addAction(label);
        const QString shortcut = label.section(QLatin1Char('\t'), 1);
        if (!shortcut.isEmpty()) action->setShortcut(QKeySequence(shortcut));
        if constexpr (std::is_same_v<decltype(slot), std::nullptr_t>) {
            action->setEnabled(false);
        } else {
            connect(action, &QAction::triggered, this, slot);
        }
        return action;
    };
    const auto disabled = [&item](QMenu* menu, const char* text) { return item(menu, text, nullptr); };

    QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
    item(file, QT_TR_NOOP("新規作成(&N)\tCtrl+N"), &MainWindow::OnNew);
    item(file, QT_TR_NOOP("開く(&O)...\tCtrl+O"), &MainWindow::OnOpen);
    disabled(file, QT_TR_NOOP("条件を指定して開く(&E)\tCtrl+Shift+O"));
    disabled(file, "Kaldra Web Storage(&W)...");
    disabled(file, "Orvel Data Server(&T)...");
    m_recentMenu = file->addMenu(tr("最近使ったファイル(&R)"));
    RebuildRecentMenu();
    file->addSeparator();
    item(file, QT_TR_NOOP("上書き保存(&S)\tCtrl+S"), &MainWindow::OnSave);
    item(file, QT_TR_NOOP("名前を付けて保存(&A)..."), &MainWindow::OnSaveAs);
    item(file, QT_TR_NOOP("CSV形式で保存(&C)..."), &MainWindow::OnExportCsv);
    item(file, QT_TR_NOOP("グラフを画像として保存(&I)..."), &MainWindow::OnSavePicture);
    file->addSeparator();
    item(file, QT_TR_NOOP("グラフを印刷(&G)...\tCtrl+P"), &MainWindow::OnPrintGraph);
    item(file, QT_TR_NOOP("データ一覧を印刷(&D)...\tCtrl+Shift+P"), &MainWindow::OnPrintTable);
    file->addSeparator();
    item(file, QT_TR_NOOP("終了(&X)"), &MainWindow::close);

    QMenu* edit = menuBar()->addMenu(tr("編集(&E)"));
    m_undo = item(edit, QT_TR_NOOP("元に戻す(&U)\tCtrl+Z"), &MainWindow::OnUndo);
    m_redo = item(edit, QT_TR_NOOP("やり直し(&R)\tCtrl+Y"), &MainWindow::OnRedo);
    edit->addSeparator();
    item(edit, QT_TR_NOOP("グラフをコピー(&C)"), &MainWindow::OnCopyGraph);
    QMenu* insert = edit->addMenu(tr("図形の挿入(&I)"));
    using Kind = ovgGraph::ShapeBase::Kind;
    const std::pair<const char*, Kind> shapes[] = {{QT_TR_NOOP("テキストボックス(&T)"), Kind::kTextBox}, {QT_TR_NOOP("直線(&L)"), Kind::kLine},
                                                    {QT_TR_NOOP("矢印(&A)"), Kind::kArrow},          {QT_TR_NOOP("四角形(&R)"), Kind::kRect},
                                                    {QT_TR_NOOP("吹き出し(&S)"), Kind::kBallon}};
    for (const auto& [text, kind] : shapes)
        item(insert, text, [this, kind] { m_graph.ChangeState(std::make_shared<ovgGraph::GraphShapesStateInsert>(m_graph, kind)); });
    QMenu* operate = edit->addMenu(tr("グラフの操作(&G)"));
    item(operate, QT_TR_NOOP("グラフを拡大(&Z)"), [this] { EnterZoom(ovgGraph::ZoomEffect::kXY); });
    item(operate, QT_TR_NOOP("グラフをX軸だけ拡大(&X)"), [this] { EnterZoom(ovgGraph::ZoomEffect::kX); });
    item(operate, QT_TR_NOOP("グラフをY軸だけ拡大(&Y)"), [this] { EnterZoom(ovgGraph::ZoomEffect::kY); });
    item(operate, QT_TR_NOOP("グラフ全体を表示(&G)"), &MainWindow::OnShowWholeGraph);
    QMenu* channels = edit->addMenu(tr("チャンネルの操作(&O)"));
    item(channels, QT_TR_NOOP("すべてのチャンネルを選択する(&A)"), [this] { m_channelList->selectAll(); });
    QMenu* merge = channels->addMenu(tr("チャンネルを結合する(&M)..."));
    item(merge, QT_TR_NOOP("結合後に元のチャンネルを削除する(&M)"), [this] { OnMerge(false); });
    item(merge, QT_TR_NOOP("結合後も元のチャンネルを残す(&K)"), [this] { OnMerge(true); });
    item(channels, QT_TR_NOOP("チャンネルを削除する(&R)"), &MainWindow::OnDeleteChannels);
    item(channels, QT_TR_NOOP("データの時刻を補正する(&T)..."), [this] { RunTool<OffsetTimeSetupDlg>(SelectedChannels()); });
    item(channels, QT_TR_NOOP("データを削除する(&D)..."), [this] { RunTool<DlgDeleteChData>(SelectedChannels()); });
    item(channels, QT_TR_NOOP("表示範囲外のデータを削除する(&D)"), &MainWindow::OnDeleteOutsideData);
    edit->addSeparator();
    using Target = ovgGraph::PropertyTarget;
    item(edit, QT_TR_NOOP("グラフタイトルのプロパティ(&T)..."), [this] { ShowProperties({Target::kTitle, nullptr, nullptr, nullptr}); });
    item(edit, QT_TR_NOOP("凡例のプロパティ(&L)..."), [this] { ShowProperties({Target::kLegend, nullptr, nullptr, nullptr}); });
    item(edit, QT_TR_NOOP("軸のプロパティ(&A)..."), [this] {
        // The axis the user last pointed at, else the time axis.
        auto axis = m_lastAxis;
        if (!axis || m_graph.GetAxes().IndexOf(axis.get()) == 0) {
            const auto& all = m_graph.GetAxes().All();
            axis = all.empty() ? nullptr : all.back();
        }
        if (axis) ShowProperties({Target::kAxis, axis, nullptr, nullptr});
    });
    item(edit, QT_TR_NOOP("図形のプロパティ(&S)..."), [this] {
        // The shape the user last pointed at, else the topmost one.
        auto shape = m_lastShape;
        if (!shape || m_graph.GetShapes().IndexOf(shape.get()) < 0)
            shape = m_graph.GetShapes().List().empty() ? nullptr : m_graph.GetShapes().List().back();
        if (shape) ShowProperties({Target::kShape, nullptr, nullptr, shape});
    });

    QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
    QMenu* unit = view->addMenu(tr("温度単位(&U)"));
    m_celsius = item(unit, QT_TR_NOOP("摂氏(&C)"), [this] { OnTemperatureUnit(13); });
    m_fahrenheit = item(unit, QT_TR_NOOP("華氏(F)"), [this] { OnTemperatureUnit(14); });
    m_celsius->setCheckable(true);
    m_fahrenheit->setCheckable(true);
    m_popupValue = item(view, QT_TR_NOOP("データをポップアップ表示する(&P)"), [this](bool on) {
        if (on != m_graph.IsValuePopupEnabled()) Record(std::make_shared<ovgApp::McrViewPopupValue>(m_context, on));
    });
    m_popupValue->setCheckable(true);
    m_showAddedInTable = item(view, QT_TR_NOOP("チャンネルを追加時にデータ一覧表示する(&L)"), [](bool on) { QSettings().setValue(kShowAddedInTableKey, on); });
    m_showAddedInTable->setCheckable(true);
    m_showAddedInTable->setChecked(QSettings().value(kShowAddedInTableKey, false).toBool());
    view->addMenu(tr("ウィンドウ(&W)"))->setObjectName(QStringLiteral("WindowMenu"));
    QAction* statusBarToggle = item(view, QT_TR_NOOP("ステータス バー(&S)"), [this](bool on) { statusBar()->setVisible(on); });
    statusBarToggle->setCheckable(true);
    statusBarToggle->setChecked(true);
    QMenu* style = view->addMenu(tr("アプリケーションの外観(&A)"));
    m_styleGroup = new QActionGroup(style);
    const std::pair<const char*, WindowStyle> looks[] = {{QT_TR_NOOP("ブルー スタイル(&B)"), WindowStyle::kBlue},
                                                         {QT_TR_NOOP("ブラック スタイル(&L)"), WindowStyle::kBlack},
                                                         {QT_TR_NOOP("シルバー スタイル(&S)"), WindowStyle::kSilver},
                                                         {QT_TR_NOOP("アクア スタイル(&A)"), WindowStyle::kAqua}};
    for (const auto& [text, look] : looks) {
        QAction* action = item(style, text, [this, look = look] { OnWindowStyle(look); });
        action->setCheckable(true);
        action->setData(int(look));
        action->setChecked(look == LoadWindowStyle());
        m_styleGroup->addAction(action);
    }
    m_themeMenu = view->addMenu(tr("グラフのテーマ（仮）(&B)"));
    BuildThemeMenu(m_themeMenu);
    item(view, QT_TR_NOOP("ウィンドウレイアウトのリセット(&R)"), &MainWindow::OnResetLayout);

    QMenu* settings = menuBar()->addMenu(tr("設定(&S)"));
    item(settings, QT_TR_NOOP("スケール変換式の設定(&S)..."), &MainWindow::OnScaleExprSetup);
    item(settings, QT_TR_NOOP("データ一覧の設定(&D)..."), &MainWindow::OnDataTableSetup);
    item(settings, QT_TR_NOOP("日付書式の設定(&F)..."), &MainWindow::OnDateFormat);
    item(settings, QT_TR_NOOP("グラフ操作の設定(&G)..."), &MainWindow::OnOperationType);
    item(settings, QT_TR_NOOP("拡張子の関連付け(&A)..."), &MainWindow::OnAssociateExtensions);
    item(settings, QT_TR_NOOP("プロキシサーバの設定(&X)..."), [this] {
        QSettings store;
        DlgProxySetup dialog(store, *m_reporter, this);
        dialog.exec();
    });
    item(settings, QT_TR_NOOP("オプション(&O)..."), [this] {
        DlgOptions dialog(FolderOptions::Load(), LoadLanguage(), this);
        if (dialog.exec() != QDialog::Accepted) return;
        dialog.Options().Save();
        SaveLanguage(dialog.Language());
    });

    QMenu* tools = menuBar()->addMenu(tr("ツール(&T)"));
    item(tools, QT_TR_NOOP("露点温度作成(&D)..."), [this] { RunTool<DewPointMakerDlg>(); });
    item(tools, "MKT Calculator(&M)...", [this] {
        DlgMktCalculator dialog(m_context, this);
        dialog.exec();
    });
    item(tools, QT_TR_NOOP("データ抽出(&F)..."), [this] { RunTool<DlgThinData>(SelectedChannels()); });
    m_macroMenu = tools->addMenu(tr("マクロ(&M)"));
    m_macroMenu->setObjectName(QStringLiteral("MacroMenu"));
    // The folder's scripts as they are when the menu opens.
    connect(m_macroMenu, &QMenu::aboutToShow, this, &MainWindow::RebuildMacroMenu);
    RebuildMacroMenu();

    QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
    item(help, QT_TR_NOOP("ヘルプ(&H)"), &MainWindow::OnHelp);
    item(help, QT_TR_NOOP("バージョン情報(&V)..."), &MainWindow::OnAbout);
    QAction* autoCheck = item(help, QT_TR_NOOP("起動時にアップデート情報を確認する(&U)"), [](bool on) { SetUpdateCheckAtStartUp(on); });
    autoCheck->setCheckable(true);
    // The first-run question may have answered since the menu was built.
    connect(help, &QMenu::aboutToShow, autoCheck, [autoCheck] { autoCheck->setChecked(IsUpdateCheckAtStartUpOn()); });
    autoCheck->setChecked(IsUpdateCheckAtStartUpOn());
    item(help, QT_TR_NOOP("デバッグ"), [this] {
        DlgDebug dialog(this);
        dialog.exec();
    });
}

void MainWindow::BuildPanes()
{
    QMenu* windowMenu = menuBar()->findChild<QMenu*>(QStringLiteral("WindowMenu"));
    const auto dock = [&](const QString& title, const char* name, QWidget* content, Qt::DockWidgetArea area) {
        auto* pane = new QDockWidget(title, this);
        pane->setObjectName(QString::fromLatin1(name));
        pane->setWidget(content);
        addDockWidget(area, pane);
        if (windowMenu) windowMenu->addAction(pane->toggleViewAction());
        return pane;
    };

    m_channelList = new QTableWidget(0, 6, this);
    m_channelList->setHorizontalHeaderLabels({QStringLiteral("No."), tr("名前"), tr("単位"),
                                              tr("記録間隔"), tr("データ数"), tr("データ一覧")});
    m_channelList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_channelList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_channelList->verticalHeader()->hide();
    connect(m_channelList, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* changed) {
        if (m_refreshing) return;
        const auto& channels = m_document.GetChannels();
        const size_t row = size_t(changed->row());
        if (row >= channels.size()) return;
        // Recording refreshes the list, which replaces the item: read it first.
        const bool on = changed->checkState() == Qt::Checked;
        const int column = changed->column();
        const std::shared_ptr<ovgApp::AppCh> channel = channels[row];
        if (column == 0 && on != channel->IsVisible())
            Record(std::make_shared<ovgApp::McrChSetVisibleGraph>(m_context, ovgApp::AppChList{channel}, on));
        else if (column == 5 && on != channel->IsVisibleInTable())
            Record(ovgApp::MakeSetVisibleDataTableCmd(m_context, channel, on));
    });
    connect(m_channelList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_refreshing) m_selection = SelectedChannels();
    });
    m_channelList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_channelList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { ShowChannelListMenu(m_channelList->viewport()->mapToGlobal(point)); });
    auto* channelPane = dock(tr("チャンネル一覧"), "ChannelList", m_channelList, Qt::BottomDockWidgetArea);

    m_tableModel = new DataTableModel(m_document.GetDateInfo(), this);
    m_dataTable = new LCDataTable(*m_tableModel, this);
    connect(m_dataTable, &LCDataTable::showRowsInGraph, this, [this](double from, double to) {
        const auto& times = m_graph.GetAxes().List(ovgGraph::Axis::kBelow);
        if (!times.empty()) Record(std::make_shared<ovgApp::McrAxisSetDisplayRange>(m_context, times.front(), from, to));
    });
    auto* tablePane = dock(tr("データ一覧"), "DataTable", m_dataTable, Qt::BottomDockWidgetArea);
    tabifyDockWidget(channelPane, tablePane);
    channelPane->raise();

    m_cursorList = new QTableWidget(0, 8, this);
    m_cursorList->setHorizontalHeaderLabels({QString(), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B-A"), tr("最小"),
                                             tr("最大"), tr("平均"), tr("標準偏差")});
    // LCAxisCursor: copy (every row, tab-separated) and select all.
    m_cursorList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_cursorList, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("LCAxisCursor"));
        menu.addAction(tr("コピー(&C)"), this, [this] {
            const auto& times = m_graph.GetAxes().List(ovgGraph::Axis::kBelow);
            if (times.empty()) return;
            const ovgGraph::AxisCursor& cursor = times.front()->GetCursor();
            QApplication::clipboard()->setText(
                ovgApp::AxisCursorReadout::Read(m_document, cursor.GetCursor1(), cursor.GetCursor2(), m_document.GetDateInfo()).ToText());
        });
        menu.addAction(tr("すべて選択(&A)"), m_cursorList, &QTableWidget::selectAll);
        ShowMenuAt(menu, m_cursorList->viewport(), point);
    });
    m_cursorList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_cursorList->verticalHeader()->hide();
    dock(tr("軸カーソル情報"), "AxisCursor", m_cursorList, Qt::RightDockWidgetArea);

    m_memo = new QPlainTextEdit(this);
    InstallMemoMenu(m_memo);
    // Typing becomes one undoable step per pause, not one per keystroke.
    m_memoPause = new QTimer(this);
    m_memoPause->setSingleShot(true);
    m_memoPause->setInterval(800);
    connect(m_memoPause, &QTimer::timeout, this, &MainWindow::RecordMemo);
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_refreshing) m_memoPause->start();
    });
    dock(tr("メモ"), "Memo", m_memo, Qt::RightDockWidgetArea);

    // Each edit of the property pane is one step, recorded as a property change.
    m_properties = new WndProperty(m_graph, [this](std::shared_ptr<orvel::Cmd> change) {
        if (change) Record(std::make_shared<ovgApp::McrPropertyChange>(m_context, std::move(change)));
    }, this);
    m_propertiesPane = dock(tr("プロパティ"), "Property", m_properties, Qt::RightDockWidgetArea);
}

void MainWindow::ShowProperties(const ovgGraph::PropertyTarget& target)
{
    m_properties->ShowObject(target);
    m_propertiesPane->show();
    m_propertiesPane->raise();
}

std::optional<ovgGraph::PropertyTarget> MainWindow::PropertyTargetAt(const QPoint& point)
{
    using T = ovgGraph::PropertyTarget;
    const ovgGraph::Point p{point.x(), point.y()};
    if (ovgGraph::GraphLegendState::IsOver(m_graph, p)) return T{T::kLegend, nullptr, nullptr, nullptr};
    if (ovgGraph::GraphTitleState::IsOver(m_graph, p)) return T{T::kTitle, nullptr, nullptr, nullptr};
    if (auto shape = m_graph.GetShapes().At(p)) return T{T::kShape, nullptr, nullptr, shape};
    if (const auto hit = ovgGraph::AxisCursorState::At(m_graph, p); hit.axis) return T{T::kAxis, hit.axis, nullptr, nullptr};
    if (auto axis = m_graph.AxisAt(p)) return T{T::kAxis, axis, nullptr, nullptr};
    if (ovgGraph::ValuePopupEffect probe(nullptr); probe.Find(m_graph, p))
        for (const auto& channel : m_graph.GetChannels().List())
            if (channel.get() == probe.GetChannel()) return T{T::kChannel, nullptr, channel, nullptr};
    return std::nullopt;
}

void MainWindow::Record(std::shared_ptr<orvel::Cmd> cmd)
{
    try {
        m_history.Add(true, std::move(cmd));
    } catch (const std::exception& error) {
        m_reporter->Warning(this, QString::fromUtf8(error.what()));
    }
    Refresh();
}

void MainWindow::Refresh()
{
    m_refreshing = true;
    // The date settings are kept as the user last set them, by a command or by its undo.
    if (const auto dates = DateSettingsOf(m_document.GetDateInfo()); dates != m_savedDateInfo) {
        m_document.GetDateInfo().Save();
        m_savedDateInfo = dates;
    }
    RefreshChannelList();
    RefreshCursorPane();
    if (m_memo->toPlainText() != m_document.GetMemo()) m_memo->setPlainText(m_document.GetMemo());
    std::vector<std::shared_ptr<ovgApp::AppCh>> shown;
    for (const auto& channel : m_document.GetChannels())
        if (channel->IsVisibleInTable()) shown.push_back(channel);
    m_tableModel->SetChannels(shown);
    m_dataTable->resizeColumnsToContents();
    m_statusChannels->setText(tr("チャンネル数: %1").arg(m_document.GetChannels().size()));
    UpdateActions();
    if (m_properties) m_properties->Refresh();
    m_view->update();
    m_refreshing = false;
}

void MainWindow::RefreshChannelList()
{
    const auto& channels = m_document.GetChannels();
    m_channelList->setRowCount(int(channels.size()));
    for (size_t i = 0; i < channels.size(); ++i) {
        const ovgApp::AppCh& ch = *channels[i];
        const QString texts[] = {ch.GetChNumberText(), ch.GetDisplayName(), ch.GetUnitText(), ch.GetIntervalText(),
                                 QString::number(ch.GetDataCount()), QString()};
        for (int column = 0; column < 6; ++column) {
            auto* cell = new QTableWidgetItem(texts[column]);
            if (column == 0) cell->setCheckState(ch.IsVisible() ? Qt::Checked : Qt::Unchecked);
            if (column == 5) cell->setCheckState(ch.IsVisibleInTable() ? Qt::Checked : Qt::Unchecked);
            cell->setFlags(cell->flags() | (column == 0 || column == 5 ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
            m_channelList->setItem(int(i), column, cell);
        }
    }
    m_channelList->resizeColumnsToContents();
    // The selection follows the channels, not the rows they happened to be in.
    m_channelList->clearSelection();
    for (const auto& channel : m_selection) {
        const int row = m_document.IndexOf(channel.get());
        if (row >= 0)
            m_channelList->selectionModel()->select(m_channelList->model()->index(row, 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void MainWindow::RefreshCursorPane()
{
    const auto& times = m_graph.GetAxes().List(ovgGraph::Axis::kBelow);
    if (times.empty()) {
        m_cursorList->setRowCount(0);
        return;
    }
    const ovgGraph::AxisCursor& cursor = times.front()->GetCursor();
    const auto readout = ovgApp::AxisCursorReadout::Read(m_document, cursor.GetCursor1(), cursor.GetCursor2(), m_document.GetDateInfo());
    m_cursorList->setRowCount(int(readout.rows.size()) + 1);
    const QString timeRow[] = {tr("時刻"), readout.timeA, readout.timeB, readout.timeDifference};
    for (int column = 0; column < 8; ++column) m_cursorList->setItem(0, column, new QTableWidgetItem(column < 4 ? timeRow[column] : QString()));
    for (size_t i = 0; i < readout.rows.size(); ++i) {
        const auto& row = readout.rows[i];
        const QString cells[] = {row.name, row.atA, row.atB, row.difference, row.minimum, row.maximum, row.mean, row.deviation};
        for (int column = 0; column < 8; ++column) m_cursorList->setItem(int(i) + 1, column, new QTableWidgetItem(cells[column]));
    }
    m_cursorList->resizeColumnsToContents();
}

void MainWindow::UpdateActions()
{
    m_undo->setEnabled(m_history.CanUndo());
    m_redo->setEnabled(m_history.CanRedo());
    m_celsius->setChecked(m_document.GetTemperatureDisplayType() == 13);
    m_fahrenheit->setChecked(m_document.GetTemperatureDisplayType() == 14);
    m_popupValue->setChecked(m_graph.IsValuePopupEnabled());
    const QString name = m_documentPath.isEmpty() ? tr("無題") : QFileInfo(m_documentPath).fileName();
    setWindowTitle(name + QStringLiteral("[*] - Orvel Graph"));
    setWindowModified(IsModified());
    if (m_themeMenu)
        for (QAction* action : m_themeMenu->actions())
            action->setChecked(m_graph.GetTheme() && action->data().toString() == m_graph.GetTheme()->GetName());
}

void MainWindow::SetReporter(std::shared_ptr<Reporter> reporter)
{
    m_reporter = reporter ? std::move(reporter) : std::make_shared<DialogReporter>();
}

void MainWindow::OpenFilesAndWait(const QStringList& paths)
{
    OpenFiles(paths);
    WaitForLoads();
}

void MainWindow::WaitForLoads()
{
    while (m_loading) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void MainWindow::OpenFiles(const QStringList& paths)
{
    if (paths.isEmpty()) return;
    if (m_loading) {
        m_pendingPaths += paths;
        return;
    }
    m_loading = true;
    auto prm = std::make_shared<ovgApp::FileLoader::Prm>();
    prm->paths = paths;
    prm->document = &m_document;
    auto* dialog = new DlgLoadFiles(*m_loader, m_document.IsFresh(), this);
    dialog->SetTemperatureQuestion(&m_document, [this](const QString& question) { return m_reporter->Question(this, question, false); });
    // The dialog has closed itself when it reports the finish.
    connect(dialog, &DlgLoadFiles::finished, this, [this, dialog, prm] {
        dialog->deleteLater();
        m_statusLoading->clear();
        const auto leftOut = AddLoadedChannels(*prm);
        // A file fails when it cannot be read or when its channels did not fit the graph.
        QStringList loaded;
        std::vector<DlgLoadFilesError::Failure> failures;
        for (size_t i = 0; i < prm->results.size() && i < size_t(prm->paths.size()); ++i) {
            const QString& path = prm->paths[qsizetype(i)];
            const auto out = std::find_if(leftOut.begin(), leftOut.end(), [i](const auto& file) { return file.fileIndex == i; });
            const OvGraphFileLib::Result& result = out != leftOut.end() ? out->result : prm->results[i];
            if (result.Ok())
                loaded << path;
            else
                failures.push_back({path, result.code, ovgApp::ResultText(result)});
        }
        AddRecentFiles(loaded);
        m_loading = false;
        if (!failures.empty()) m_reporter->LoadFailures(this, failures);
        emit filesOpened();
        OpenFiles(std::exchange(m_pendingPaths, {}));
    });
    m_statusLoading->setText(paths.front());
    if (!m_loader->Start(prm, dialog)) {
        dialog->deleteLater();
        m_loading = false;
        emit filesOpened();
    }
}

std::vector<ovgApp::McrLoadFiles::LeftOutFile> MainWindow::AddLoadedChannels(const ovgApp::FileLoader::Prm& prm)
{
    // Channels of recordings (not of graph documents, which keep their own choice) go to the data
    // table as they are added when the user asked for that.
    if (m_showAddedInTable->isChecked()) {
        const auto byFile = prm.ChannelsByFile();
        for (size_t i = 0; i < byFile.size() && i < size_t(prm.paths.size()); ++i)
            if (QFileInfo(prm.paths[qsizetype(i)]).suffix().compare(QStringLiteral("kmb"), Qt::CaseInsensitive) != 0)
                for (const auto& channel : byFile[i]) channel->SetVisibleInTable(true);
    }
    QString warning;
    auto cmd = ovgApp::McrLoadFiles::FromLoad(m_context, prm, &warning);
    const uint32_t before = m_history.DoneCount();
    Record(cmd);
    if (!warning.isEmpty()) m_reporter->Warning(this, warning);
    // A graph document opened into a new document is that document, as saved.
    if (prm.graphState && m_history.DoneCount() == before + 1) {
        for (size_t i = 0; i < prm.results.size() && i < size_t(prm.paths.size()); ++i) {
            if (!prm.results[i].Ok()) continue;
            const QString& first = prm.paths[qsizetype(i)];
            if (QFileInfo(first).suffix().compare(QStringLiteral("kmb"), Qt::CaseInsensitive) == 0) {
                m_documentPath = QFileInfo(first).absoluteFilePath();
                m_history.SetSavedPosition(m_history.DoneCount());
            }
            break;
        }
        UpdateActions();
    }
    return cmd->GetLeftOutFiles();
}

void MainWindow::AddRecentFiles(const QStringList& paths)
{
    QSettings settings;
    QStringList recent = settings.value(QStringLiteral("Recent File List")).toStringList();
    for (const QString& given : paths) {
        const QString path = QFileInfo(given).absoluteFilePath();
        recent.removeAll(path);
        recent.prepend(path);
    }
    while (recent.size() > kRecentFiles) recent.removeLast();
    settings.setValue(QStringLiteral("Recent File List"), recent);
    RebuildRecentMenu();
}

void MainWindow::RebuildRecentMenu()
{
    m_recentMenu->clear();
    const QStringList recent = QSettings().value(QStringLiteral("Recent File List")).toStringList();
    for (int i = 0; i < recent.size(); ++i)
        m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(recent[i]), this, [this, path = recent[i]] { OpenFiles({path}); });
    m_recentMenu->setEnabled(!recent.isEmpty());
}

void MainWindow::OnOpen()
{
    const QStringList paths = QFileDialog::getOpenFileNames(this, tr("開く"), StartFolder(FolderPurpose::kOpen),
                                                            ovgApp::FileUILoadFile::NameFilters().join(QStringLiteral(";;")));
    if (paths.isEmpty()) return;
    RememberFolder(FolderPurpose::kOpen, QFileInfo(paths.front()).absolutePath());
    OpenFiles(paths);
}

void MainWindow::OnExportCsv()
{
    QString filter;
    const QString comma = tr("カンマ区切り(.csv) (*.csv)"), tab = tr("タブ区切り(.csv) (*.csv)");
    QString path = StartFolder(FolderPurpose::kSaveCsv);
    // Until a new name is chosen or overwriting an existing file is confirmed.
    for (;;) {
        path = QFileDialog::getSaveFileName(this, tr("CSV形式で保存"), path, comma + QStringLiteral(";;") + tab,
                                            &filter, QFileDialog::DontConfirmOverwrite);
        if (path.isEmpty()) return;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
        if (!QFileInfo::exists(path)) break;
        const QString question = tr("%1 は既に存在します。\n上書きしますか？").arg(path);
        if (QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes) break;
    }
    RememberFolder(FolderPurpose::kSaveCsv, QFileInfo(path).absolutePath());
    ovgApp::FileCsv csv(m_document.GetChannels(), m_document.GetDateInfo(), filter == tab ? ovgApp::FileCsv::kTab : ovgApp::FileCsv::kComma);
    const OvGraphFileLib::Result result = csv.Save(std::filesystem::path(path.toStdString()));
    if (!result.Ok()) m_reporter->Warning(this, ovgApp::ResultText(result) + QLatin1Char('\n') + path);
}

void MainWindow::OnSavePicture()
{
    const QString png = tr("PNG 画像 (*.png)"), svg = tr("SVG 図形 (*.svg)"),
                  pdf = tr("PDF 文書 (*.pdf)");
    QString filter = svg;
    QString path = QFileDialog::getSaveFileName(this, tr("グラフを画像として保存"), StartFolder(FolderPurpose::kSaveCsv),
                                                svg + QStringLiteral(";;") + pdf + QStringLiteral(";;") + png, &filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == png ? QStringLiteral(".png") : filter == pdf ? QStringLiteral(".pdf") : QStringLiteral(".svg");
    const ovgApp::PictureFormat format = ovgApp::PictureFormatOf(path);
    // The picture is the graph as the window shows it, at the view's size.
    const bool written = format != ovgApp::PictureFormat::kUnknown &&
                         ovgApp::WriteGraphPicture(m_graph, format, m_view->width(), m_view->height(), path);
    m_view->update();
    if (!written) {
        const OvGraphFileLib::Result failed{OvGraphFileLib::kWriteFailed, 0, {}};
        m_reporter->Warning(this, ovgApp::ResultText(failed) + QLatin1Char('\n') + path);
    }
}

void MainWindow::OnPrintGraph()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(tr("グラフを印刷"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* device) { PrintGraph(m_graph, *device); });
    preview.exec();
    m_view->update();
}

void MainWindow::OnPrintTable()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(tr("データ一覧を印刷"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* device) { PrintTable(*m_tableModel, *device); });
    preview.exec();
}

void MainWindow::OnCopyGraph()
{
    QApplication::clipboard()->setImage(m_view->grab().toImage());
}

void MainWindow::RecordMemo()
{
    m_memoPause->stop();
    if (m_memo->toPlainText() == m_document.GetMemo()) return;
    Record(ovgApp::MakeChangeMemoCmd(m_context, m_memo->toPlainText()));
}

void MainWindow::OnUndo()
{
    if (QWidget::mouseGrabber()) return;  // not while the mouse is captured
    RecordMemo();  // an edit still being typed is a step of its own
    m_history.Undo();
    Refresh();
}

void MainWindow::OnRedo()
{
    if (QWidget::mouseGrabber()) return;
    m_history.Redo();
    Refresh();
}

std::vector<std::shared_ptr<ovgApp::AppCh>> MainWindow::SelectedChannels() const
{
    ovgApp::AppChList selected;
    const auto& channels = m_document.GetChannels();
    for (const QModelIndex& row : m_channelList->selectionModel()->selectedRows())
        if (size_t(row.row()) < channels.size()) selected.push_back(channels[size_t(row.row())]);
    std::sort(selected.begin(), selected.end(),
              [this](const auto& a, const auto& b) { return m_document.IndexOf(a.get()) < m_document.IndexOf(b.get()); });
    return selected;
}

template <class Dialog, class... Args>
void MainWindow::RunTool(Args&&... args)
{
    Dialog dialog(m_context, [this](std::shared_ptr<orvel::Cmd> cmd) { Record(std::move(cmd)); }, std::forward<Args>(args)..., this);
    dialog.exec();
}

void MainWindow::EnterZoom(int32_t zoomMode) { m_graph.ChangeState(std::make_shared<ovgGraph::ZoomState>(m_graph, zoomMode)); }

void MainWindow::OnOperationType()
{
    DlgOperationType dialog(m_graph.GetOperationType(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    DlgOperationType::Save(dialog.Type());
    m_graph.SetOperationType(dialog.Type());
}

void MainWindow::ShowChannelListMenu(const QPoint& globalPoint)
{
    const ovgApp::AppChList selected = SelectedChannels();
    const bool any = !selected.empty();
    const bool allShown = any && std::all_of(selected.begin(), selected.end(), [](const auto& ch) { return ch->IsVisible(); });
    const bool allInTable = any && std::all_of(selected.begin(), selected.end(), [](const auto& ch) { return ch->IsVisibleInTable(); });
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ChTable"));
    menu.addAction(tr("チャンネルのプロパティ(&P)..."), this, [this, selected] {
        ShowProperties({ovgGraph::PropertyTarget::kChannel, nullptr, selected.front(), nullptr});
    })->setEnabled(selected.size() == 1 && std::any_of(m_graph.GetChannels().List().begin(), m_graph.GetChannels().List().end(),
                                                           [&](const auto& shown) { return shown == selected.front(); }));
    QAction* graph = menu.addAction(tr("グラフに表示する(&G)"));
    graph->setCheckable(true);
    graph->setChecked(allShown);
    graph->setEnabled(any);
    connect(graph, &QAction::toggled, this, [this, selected](bool on) { Record(std::make_shared<ovgApp::McrChSetVisibleGraph>(m_context, selected, on)); });
    QAction* table = menu.addAction(tr("データ一覧に表示する(&L)"));
    table->setCheckable(true);
    table->setChecked(allInTable);
    table->setEnabled(any);
    connect(table, &QAction::toggled, this, [this, selected](bool on) { Record(std::make_shared<ovgApp::McrChSetVisibleDataTable>(m_context, selected, on)); });
    // The user's expressions (Settings > scale expressions), each applied as one step.
    QMenu* scale = menu.addMenu(tr("スケール変換式(&X)"));
    scale->setObjectName(QStringLiteral("ScaleExpr"));
    scale->setEnabled(any);
    scale->addAction(tr("変換しない(&N)"), this,
                     [this, selected] { Record(std::make_shared<ovgApp::McrChSetScaleExpr>(m_context, selected, nullptr)); });
    for (const auto& expr : m_document.GetScaleExprs())
        scale->addAction(expr->GetName() + QStringLiteral(" [") + expr->GetUnit() + QLatin1Char(']'), this,
                         [this, selected, expr] { Record(std::make_shared<ovgApp::McrChSetScaleExpr>(m_context, selected, expr)); });
    menu.addSeparator();
    menu.addAction(tr("コピー(&C)"), this, &MainWindow::CopyChannelList)->setEnabled(any);
    menu.addAction(tr("すべて選択(&A)"), m_channelList, &QTableWidget::selectAll);
    menu.addSeparator();
    menu.addAction(tr("チャンネルを削除する(&R)"), this, &MainWindow::OnDeleteChannels)->setEnabled(any);
    QMenu* merge = menu.addMenu(tr("チャンネルを結合する(&M)"));
    merge->setEnabled(selected.size() >= 2);
    merge->addAction(tr("結合後に元のチャンネルを削除する(&M)"), this, [this] { OnMerge(false); });
    merge->addAction(tr("結合後も元のチャンネルを残す(&K)"), this, [this] { OnMerge(true); });
    menu.addAction(tr("データの時刻を補正する(&T)..."), this, [this] { RunTool<OffsetTimeSetupDlg>(SelectedChannels()); })->setEnabled(any);
    menu.addAction(tr("データを削除する(&D)..."), this, [this] { RunTool<DlgDeleteChData>(SelectedChannels()); })->setEnabled(any);
    menu.exec(globalPoint);
}

void MainWindow::CopyChannelList()
{
    // The selected rows as tab-separated text, with the column titles first.
    QStringList lines;
    QStringList titles;
    for (int column = 0; column < m_channelList->columnCount(); ++column) titles << m_channelList->horizontalHeaderItem(column)->text();
    lines << titles.join(QLatin1Char('\t'));
    for (const QModelIndex& row : m_channelList->selectionModel()->selectedRows()) {
        QStringList cells;
        for (int column = 0; column < m_channelList->columnCount(); ++column) {
            const QTableWidgetItem* cell = m_channelList->item(row.row(), column);
            cells << (cell ? cell->text() : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void MainWindow::ShowAxisMenu(const std::shared_ptr<ovgGraph::Axis>& axis, const QPoint& point)
{
    QMenu menu(this);
    const bool value = axis->IsVertical();
    menu.setObjectName(value ? QStringLiteral("AxisY") : QStringLiteral("AxisX"));
    const auto toggle = [&](const QString& text, bool on, auto record) {
        QAction* action = menu.addAction(text);
        action->setCheckable(true);
        action->setChecked(on);
        connect(action, &QAction::toggled, this, record);
    };
    menu.addAction(tr("軸のプロパティ(&P)..."), this, [this, axis] { ShowProperties({ovgGraph::PropertyTarget::kAxis, axis, nullptr, nullptr}); });
    m_lastAxis = axis;
    menu.addAction(tr("軸の全体を表示(&W)"), this, [this, axis] { Record(std::make_shared<ovgApp::McrFitAxis>(m_context, axis)); });
    menu.addSeparator();
    toggle(tr("軸カーソルを表示する(&C)"), axis->GetCursor().IsVisible(),
           [this, axis](bool on) { Record(std::make_shared<ovgApp::McrAxisSetAxisCursorVisible>(m_context, axis, on)); });
    toggle(tr("軸タイトルを表示する(&T)"), axis->GetTitle().IsVisible(),
           [this, axis](bool on) { Record(std::make_shared<ovgApp::McrAxisSetTitleVisible>(m_context, axis, on)); });
    toggle(tr("グリッド線を表示する(&G)"), m_graph.GetScaleLine().IsShown(value),
           [this, axis](bool on) { Record(std::make_shared<ovgApp::McrAxisSetScaleLineVisible>(m_context, axis, on)); });
    const int32_t mode = axis->GetScrollBar().GetViewMode();
    toggle(tr("スクロールバーを表示する(&S)"), mode != ovgGraph::ScrollBar::kHidden, [this, axis](bool on) {
        Record(std::make_shared<ovgApp::McrAxisSetScrollbarViewMode>(m_context, axis, on ? ovgGraph::ScrollBar::kShown : ovgGraph::ScrollBar::kHidden));
    });
    toggle(tr("スクロールバーを自動的に隠す(&H)"), mode == ovgGraph::ScrollBar::kAutomatic, [this, axis](bool on) {
        Record(std::make_shared<ovgApp::McrAxisSetScrollbarViewMode>(m_context, axis, on ? ovgGraph::ScrollBar::kAutomatic : ovgGraph::ScrollBar::kShown));
    });
    if (value) {
        menu.addSeparator();
        // The graph keeps one value axis at least, and an axis at the end of the row goes no further.
        menu.addAction(tr("軸を削除する(&D)"), this, [this, axis] { Record(std::make_shared<ovgApp::McrAxisDelete>(m_context, axis)); })
            ->setEnabled(m_graph.GetAxes().ValueAxisCount() > 1);
        menu.addAction(tr("軸を右へ移動する(&R)"), this, [this, axis] { Record(std::make_shared<ovgApp::McrAxisMoveRight>(m_context, axis)); })
            ->setEnabled(ovgGraph::GraphAxesCmdMove::CanMove(m_graph, *axis, false));
        menu.addAction(tr("軸を左へ移動する(&L)"), this, [this, axis] { Record(std::make_shared<ovgApp::McrAxisMoveLeft>(m_context, axis)); })
            ->setEnabled(ovgGraph::GraphAxesCmdMove::CanMove(m_graph, *axis, true));
    }
    menu.exec(m_view->mapToGlobal(point));
}

void MainWindow::ShowChannelMenu(const std::shared_ptr<ovgApp::AppCh>& channel, const QPoint& point)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("Ch"));
    menu.addAction(tr("チャンネルのプロパティ(&P)..."), this,
                   [this, channel] { ShowProperties({ovgGraph::PropertyTarget::kChannel, nullptr, channel, nullptr}); });
    menu.addAction(tr("チャンネル全体を表示(&W)"), this, [this, channel] { Record(std::make_shared<ovgApp::McrFitCh>(m_context, channel)); });
    QAction* table = menu.addAction(tr("データ一覧に表示する(&L)"));
    table->setCheckable(true);
    table->setChecked(channel->IsVisibleInTable());
    connect(table, &QAction::toggled, this, [this, channel](bool on) {
        Record(std::make_shared<ovgApp::McrChSetVisibleDataTable>(m_context, ovgApp::AppChList{channel}, on));
    });
    menu.addAction(m_popupValue);
    menu.addSeparator();
    QMenu* assign = menu.addMenu(tr("軸に割り当て(&A)"));
    const bool room = ovgGraph::Graph::CheckValueAxisCount(m_graph.GetAxes().ValueAxisCount() + 1, 0).Ok();
    assign->addAction(tr("新しいY軸(右)(&R)"), this, [this, channel] {
        Record(std::make_shared<ovgApp::McrChSetNewAxisY>(m_context, ovgApp::AppChList{channel}, true));
    })->setEnabled(room);
    assign->addAction(tr("新しいY軸(左)(&L)"), this, [this, channel] {
        Record(std::make_shared<ovgApp::McrChSetNewAxisY>(m_context, ovgApp::AppChList{channel}, false));
    })->setEnabled(room);
    menu.exec(m_view->mapToGlobal(point));
}

void MainWindow::ShowTitleMenu(const QPoint& point)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("GraphTitle"));
    menu.addAction(tr("グラフタイトルのプロパティ(&P)..."), this,
                   [this] { ShowProperties({ovgGraph::PropertyTarget::kTitle, nullptr, nullptr, nullptr}); });
    menu.addAction(tr("テキストの編集(&E)..."), this, &MainWindow::EditGraphTitle);
    menu.addSeparator();
    ovgGraph::GraphTitle& title = m_graph.GetTitle();
    const char* const places[] = {QT_TR_NOOP("左上に配置(&1)"), QT_TR_NOOP("中央上に配置(&2)"), QT_TR_NOOP("右上に配置(&3)"),
                                      QT_TR_NOOP("左下に配置(&4)"), QT_TR_NOOP("中央下に配置(&5)"), QT_TR_NOOP("右下に配置(&6)")};
    for (int32_t position = 1; position <= 6; ++position) {
        QAction* action = menu.addAction(tr(places[position - 1]));
        action->setCheckable(true);
        action->setChecked(title.GetPosition() == position);
        connect(action, &QAction::triggered, this, [this, position, &title] {
            Record(std::make_shared<ovgApp::McrGraphTitleMove>(m_context, title.GetOrigin(), position, title.GetArea()));
        });
    }
    menu.exec(m_view->mapToGlobal(point));
}

void MainWindow::EditGraphTitle()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("グラフタイトル"), tr("タイトル:"), QLineEdit::Normal,
                                               m_graph.GetTitle().GetText(), &ok);
    if (!ok) return;
    auto title = std::shared_ptr<ovgGraph::GraphTitle>(ovgGraph::Unowned(m_graph), &m_graph.GetTitle());
    Record(std::make_shared<ovgApp::McrPropertyChange>(m_context, std::make_shared<ovgGraph::GraphTitleCmdSetText>(title, text)));
}

void MainWindow::ShowLegendMenu(const QPoint& point)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("Legend"));
    menu.addAction(tr("凡例のプロパティ(&P)..."), this,
                   [this] { ShowProperties({ovgGraph::PropertyTarget::kLegend, nullptr, nullptr, nullptr}); });
    menu.addSeparator();
    ovgGraph::GraphLegend& legend = m_graph.GetLegend();
    const char* const places[] = {QT_TR_NOOP("グラフの左に配置(&L)"), QT_TR_NOOP("グラフの上に配置(&T)"), QT_TR_NOOP("グラフの右に配置(&R)"), QT_TR_NOOP("グラフの下に配置(&B)")};
    for (int32_t position = 0; position < 4; ++position) {
        QAction* action = menu.addAction(tr(places[position]));
        action->setCheckable(true);
        action->setChecked(legend.GetPosition() == position);
        connect(action, &QAction::triggered, this, [this, position, &legend] {
            Record(std::make_shared<ovgApp::McrLegendMove>(m_context, legend.GetOrigin(), position, legend.GetArea()));
        });
    }
    menu.exec(m_view->mapToGlobal(point));
}

void MainWindow::ShowAxisCursorMenu(const std::shared_ptr<ovgGraph::Axis>& axis, const QPoint& point)
{
    QMenu menu(this);
    menu.setObjectName(axis->IsVertical() ? QStringLiteral("AxisCursorY") : QStringLiteral("AxisCursorX"));
    // The value the axis shows at the pointer.
    const ovgGraph::Rect& plot = m_graph.GetPlotArea();
    const double here = axis->PixelToValue(axis->IsVertical() ? (plot.bottom - 1) - point.y() : point.x() - plot.left);
    const ovgGraph::AxisCursor& cursor = axis->GetCursor();
    const double a = cursor.GetCursor1(), b = cursor.GetCursor2();
    menu.addAction(tr("カーソルAをここに移動(&A)"), this,
                   [this, axis, here, b] { Record(std::make_shared<ovgApp::McrAxisCursorSetValue>(m_context, axis, here, b)); });
    menu.addAction(tr("カーソルBをここに移動(&B)"), this,
                   [this, axis, here, a] { Record(std::make_shared<ovgApp::McrAxisCursorSetValue>(m_context, axis, a, here)); });
    menu.addAction(tr("カーソルAとBを入れ替える(&S)"), this,
                   [this, axis, a, b] { Record(std::make_shared<ovgApp::McrAxisCursorSetValue>(m_context, axis, b, a)); });
    menu.addAction(tr("カーソルの位置を指定(&P)..."), this, [this, axis] { RunTool<DlgAxisCursorPosition>(axis); });
    menu.exec(m_view->mapToGlobal(point));
}

void MainWindow::ShowShapeMenu(const std::shared_ptr<ovgGraph::ShapeBase>& shape, const QPoint& point)
{
    using Kind = ovgGraph::ShapeBase::Kind;
    // Lines, arrows and rectangles have the shape menu; text boxes and callouts add text editing.
    const bool text = shape->GetKind() == Kind::kTextBox || shape->GetKind() == Kind::kBallon;
    QMenu menu(this);
    menu.setObjectName(text ? QStringLiteral("TextBox") : QStringLiteral("Shape"));
    menu.addAction(tr("プロパティ(&P)..."), this, [this, shape] { ShowProperties({ovgGraph::PropertyTarget::kShape, nullptr, nullptr, shape}); });
    m_lastShape = shape;
    if (text) menu.addAction(tr("テキストの編集(&E)"), this, [this, shape] { m_view->EditShapeText(shape); });
    menu.addSeparator();
    const int index = m_graph.GetShapes().IndexOf(shape.get());
    const int last = int(m_graph.GetShapes().List().size()) - 1;
    menu.addAction(tr("最前面へ移動(&T)"), this, [this, shape] { Record(std::make_shared<ovgApp::McrShapeTop>(m_context, shape)); })
        ->setEnabled(index < last);
    menu.addAction(tr("前面へ移動(&F)"), this, [this, shape] { Record(std::make_shared<ovgApp::McrShapeForward>(m_context, shape)); })
        ->setEnabled(index < last);
    menu.addAction(tr("背面へ移動(&B)"), this, [this, shape] { Record(std::make_shared<ovgApp::McrShapeBack>(m_context, shape)); })
        ->setEnabled(index > 0);
    menu.addAction(tr("最背面へ移動(&K)"), this, [this, shape] { Record(std::make_shared<ovgApp::McrShapeBottom>(m_context, shape)); })
        ->setEnabled(index > 0);
    menu.addSeparator();
    menu.addAction(tr("削除(&D)"), this, [this, shape] { Record(std::make_shared<ovgApp::McrShapeDelete>(m_context, shape)); });
    menu.exec(m_view->mapToGlobal(point));
}

void MainWindow::ShowGraphMenu(const QPoint& point)
{
    // What is drawn on top answers first: legend and title, shapes, then what lies under them.
    const ovgGraph::Point p{point.x(), point.y()};
    if (ovgGraph::GraphLegendState::IsOver(m_graph, p)) {
        ShowLegendMenu(point);
        return;
    }
    if (ovgGraph::GraphTitleState::IsOver(m_graph, p)) {
        ShowTitleMenu(point);
        return;
    }
    if (auto shape = m_graph.GetShapes().At(p)) {
        ShowShapeMenu(shape, point);
        return;
    }
    if (const auto hit = ovgGraph::AxisCursorState::At(m_graph, p); hit.axis) {
        ShowAxisCursorMenu(hit.axis, point);
        return;
    }
    if (const auto axis = m_graph.AxisAt(p)) {
        ShowAxisMenu(axis, point);
        return;
    }
    if (ovgGraph::ValuePopupEffect probe(nullptr); probe.Find(m_graph, p)) {
        for (const auto& channel : m_document.GetChannels())
            if (channel.get() == probe.GetChannel()) {
                ShowChannelMenu(channel, point);
                return;
            }
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("Graph"));
    menu.addAction(tr("グラフ全体を表示(&G)"), this, &MainWindow::OnShowWholeGraph);
    menu.addAction(tr("グラフを拡大(&Z)"), this, [this] { EnterZoom(ovgGraph::ZoomEffect::kXY); });
    menu.addAction(tr("グラフをX軸だけ拡大(&X)"), this, [this] { EnterZoom(ovgGraph::ZoomEffect::kX); });
    menu.addAction(tr("グラフをY軸だけ拡大(&Y)"), this, [this] { EnterZoom(ovgGraph::ZoomEffect::kY); });
    menu.addSeparator();
    QAction* title = menu.addAction(tr("グラフタイトルを表示する(&T)"));
    title->setCheckable(true);
    title->setChecked(m_graph.GetTitle().IsVisible());
    connect(title, &QAction::toggled, this, [this](bool on) { Record(std::make_shared<ovgApp::McrGraphTitleVisible>(m_context, on)); });
    menu.addSeparator();
    const bool room = ovgGraph::Graph::CheckValueAxisCount(m_graph.GetAxes().ValueAxisCount() + 1, 0).Ok();
    menu.addAction(tr("新しい軸を右に追加(&R)"), this, [this] { Record(std::make_shared<ovgApp::McrAxisAdd>(m_context, true)); })
        ->setEnabled(room);
    menu.addAction(tr("新しい軸を左に追加(&L)"), this, [this] { Record(std::make_shared<ovgApp::McrAxisAdd>(m_context, false)); })
        ->setEnabled(room);
    menu.exec(m_view->mapToGlobal(point));
}

void MainWindow::OnMerge(bool keepSources)
{
    const ovgApp::AppChList selected = SelectedChannels();
    const QString problem = ovgApp::McrChMerge::Check(selected);
    if (!problem.isEmpty()) {
        m_reporter->Warning(this, problem);
        return;
    }
    Record(std::make_shared<ovgApp::McrChMerge>(m_context, selected, keepSources));
}

void MainWindow::OnDeleteOutsideData()
{
    const ovgApp::AppChList selected = SelectedChannels();
    if (selected.empty()) {
        m_reporter->Warning(this, tr("チャンネルを選択して下さい。"));
        return;
    }
    Record(std::make_shared<ovgApp::McrChDeleteOutsideData>(m_context, selected));
}

void MainWindow::OnDeleteChannels()
{
    const ovgApp::AppChList selected = SelectedChannels();
    if (selected.empty()) return;
    if (QMessageBox::question(this, windowTitle(), tr("チャンネルを削除しますか？")) != QMessageBox::Yes) return;
    Record(ovgApp::MakeDeleteChannelsCmd(m_context, selected));
}

void MainWindow::OnTemperatureUnit(int32_t type) { Record(ovgApp::MakeTemperatureUnitCmd(m_context, type)); }

void MainWindow::OnShowWholeGraph() { Record(std::make_shared<ovgApp::McrFitGraph>(m_context));
}

void MainWindow::OnNew()
{
    if (m_loading || !ConfirmDiscard()) return;
    RecordMemo();
    m_history.Add(true, std::make_shared<ovgApp::McrInitApp>(m_context));
    m_documentPath.clear();
    Refresh();
}

void MainWindow::OnDateFormat()
{
    const ovgApp::AppDateInfo& info = m_document.GetDateInfo();
    DlgDateTimeFormatSetup dialog(info, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // A change of the daylight display alone is its own command; anything else changes the format.
    if (dialog.Kind() == info.GetDateTimeFormat() && dialog.Milliseconds() == info.GetEnableMsec())
        Record(std::make_shared<ovgApp::McrDaylightSaving>(m_context, dialog.Daylight()));
    else
        Record(std::make_shared<ovgApp::McrSetDateInfo>(m_context, dialog.Kind(), dialog.Milliseconds(), dialog.Daylight()));
}

void MainWindow::OnScaleExprSetup()
{
    DlgScaleExprSetup dialog(m_document.GetScaleExprs(), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Changed()) return;
    Record(std::make_shared<ovgApp::McrSetupScaleExpr>(m_context, dialog.List()));
    SaveScaleExprs();
}

bool MainWindow::SaveScaleExprs()
{
    const QString path = ovgApp::PrmFile::UserPath();
    const int code = ovgApp::PrmFile::Save(path, m_document.GetScaleExprs());
    if (code != ovgApp::PrmFile::kOk) m_reporter->Warning(this, ovgApp::PrmFile::ErrorMessage(path, code));
    else m_savedScaleExprs = m_document.GetScaleExprs();
    return code == ovgApp::PrmFile::kOk;
}

void MainWindow::OnDataTableSetup()
{
    DlgDataTableSetup dialog(m_tableModel->GetOptions(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.Options().Save();
    m_tableModel->SetOptions(dialog.Options());
    m_dataTable->resizeColumnsToContents();
}

void MainWindow::OnAssociateExtensions()
{
    const QString error = AssociateExtensions();
    if (error.isEmpty())
        QMessageBox::information(this, windowTitle(), tr("拡張子を関連付けました。"));
    else
        m_reporter->Warning(this, tr("拡張子の関連付けに失敗しました。\n") + error);
}

void MainWindow::SetMacroFolder(const QString& folder)
{
    m_macros.reset();
    auto callbacks = std::make_shared<ovgApp::AppMacroCallbacks>(m_context, [this] { Refresh(); });
    m_macros = std::make_unique<ovgApp::AppMacroManager>(callbacks, folder);
    if (m_macroMenu) RebuildMacroMenu();
}

void MainWindow::RebuildMacroMenu()
{
    // clear() drops the actions but leaves the submenus they opened.
    for (QAction* action : m_macroMenu->actions())
        if (action->menu()) action->menu()->deleteLater();
    m_macroMenu->clear();
    const auto scriptItems = [this](QMenu* menu, const QStringList& files) {
        for (const QString& file : files)
            menu->addAction(QFileInfo(file).fileName(), this, [this, file] { RunMacro(file); });
    };
    QMenu* samples = m_macroMenu->addMenu(tr("サンプル"));
    const QStringList sampleFiles = ovgApp::AppMacroManager::ListMacroFiles(m_macros->GetSampleFolder());
    scriptItems(samples, sampleFiles);
    samples->setEnabled(!sampleFiles.isEmpty());
    scriptItems(m_macroMenu, ovgApp::AppMacroManager::ListMacroFiles(m_macros->GetMacroFolder()));
    m_macroMenu->addSeparator();
    m_macroMenu->addAction(tr("フォルダを開く(&O)"), this, [this] {
        QDir().mkpath(m_macros->GetMacroFolder());
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_macros->GetMacroFolder()));
    });
}

void MainWindow::RunMacro(const QString& path)
{
    RecordMemo();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto error = m_macros->RunFile(path);
    QApplication::restoreOverrideCursor();
    if (error) m_reporter->Warning(this, ovgApp::AppMacroManager::ErrorText(path, *error));
}

void MainWindow::OnAbout()
{
    DlgAbout dialog(this);
    dialog.exec();
}

QString MainWindow::HelpFile()
{
    // Installed beside the program's shared files, or, in a build tree, the source's own.
    const QString program = QCoreApplication::applicationDirPath();
    const QStringList candidates = {program + QStringLiteral("/../share/doc/orvel-graph/manual.md"),
                                    program + QStringLiteral("/../share/doc/orvel-graph/README.md"),
                                    QStringLiteral(ORVEL_SOURCE_DIR "/docs/manual.md"), QStringLiteral(ORVEL_SOURCE_DIR "/README.md")};
    for (const QString& candidate : candidates)
        if (QFileInfo::exists(candidate)) return QFileInfo(candidate).absoluteFilePath();
    return {};
}

void MainWindow::OnHelp()
{
    const QString file = HelpFile();
    if (file.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        m_reporter->Warning(this, tr("ヘルプファイルを開けません。") + (file.isEmpty() ? QString() : QLatin1Char('\n') + file));
}

void MainWindow::OnResetLayout()
{
    if (QMessageBox::question(this, windowTitle(), tr("ウィンドウレイアウトをリセットしますか？")) != QMessageBox::Yes)
        return;
    // The new program starts only once this one has closed (its graph saved or given up).
    if (close()) QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("REG=CLEAR_WORKSPACE")});
}

void MainWindow::OnWindowStyle(WindowStyle style)
{
    const WindowStyle current = LoadWindowStyle();
    if (style == current) return;
    const QString question = tr(
        "アプリケーションの概観を変更するには、アプリケーションの再起動が必要になります。\n"
        "アプリケーションの再起動によって、現在表示されているグラフデータは消去されます。\n"
        "再起動しますか？");
    if (QMessageBox::question(this, windowTitle(), question) != QMessageBox::Yes) {
        // The menu keeps showing the look in use.
        for (QAction* action : m_styleGroup->actions()) action->setChecked(action->data().toInt() == int(current));
        return;
    }
    SaveWindowStyle(style);
    if (close()) QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
    else SaveWindowStyle(current);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A load under way is cancelled; the files it read whole are in the document, so the
    // question below covers them.
    m_pendingPaths.clear();
    if (m_loading) m_loader->Cancel();
    WaitForLoads();
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    // Only a list the user changed is written: a file that failed to load stays as it is.
    if (m_document.GetScaleExprs() != m_savedScaleExprs) SaveScaleExprs();
    QSettings settings;
    settings.setValue(QStringLiteral("Workspace/Geometry"), saveGeometry());
    settings.setValue(QStringLiteral("Workspace/State"), saveState());
    QMainWindow::closeEvent(event);
}

bool MainWindow::IsModified() const { return m_history.DoneCount() != m_history.GetSavedPosition(); }

bool MainWindow::ConfirmDiscard()
{
    RecordMemo();  // a memo still being typed is a change too
    if (!IsModified()) return true;
    switch (m_reporter->Question(this, tr("グラフの変更を保存しますか？"), true)) {
        case QMessageBox::Yes:
            OnSave();
            return !IsModified();  // a failed or cancelled save keeps the window
        case QMessageBox::No: return true;
        default: return false;
    }
}

void MainWindow::OnSave()
{
    if (m_documentPath.isEmpty())
        OnSaveAs();
    else
        SaveDocumentAs(m_documentPath);
}

void MainWindow::OnSaveAs()
{
    const QString folder = m_documentPath.isEmpty() ? StartFolder(FolderPurpose::kSaveKmb) : m_documentPath;
    QString path = QFileDialog::getSaveFileName(this, tr("名前を付けて保存"), folder,
                                                tr("グラフファイル (*.kmb)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".kmb");
    RememberFolder(FolderPurpose::kSaveKmb, QFileInfo(path).absolutePath());
    SaveDocumentAs(path);
}

bool MainWindow::SaveDocumentAs(const QString& path)
{
    RecordMemo();
    // A diagnostic switch writes the body uncompressed.
    const bool compressed = !QSettings().value(QStringLiteral("Settings/Debug/UncompressedKmb"), false).toBool();
    const OvGraphFileLib::Result result =
        ovgApp::SaveGraphDocument(m_document, &m_graph, std::filesystem::path(path.toStdString()), compressed);
    if (!result.Ok()) {
        m_reporter->Warning(this, ovgApp::ResultText(result) + QLatin1Char('\n') + path);
        return false;
    }
    m_documentPath = QFileInfo(path).absoluteFilePath();
    m_history.SetSavedPosition(m_history.DoneCount());
    AddRecentFiles({m_documentPath});
    UpdateActions();
    return true;
}

void MainWindow::BuildThemeMenu(QMenu* menu)
{
    // The names of the themes that come with the program, for the translation; a theme is still
    // found by its own name, and a name without a translation shows as it is.
    [[maybe_unused]] static const char* const kBuiltInNames[] = {QT_TR_NOOP("ライト"), QT_TR_NOOP("ダーク")};
    auto* group = new QActionGroup(menu);
    for (const auto& theme : m_themes) {
        QAction* action = menu->addAction(tr(theme->GetName().toUtf8().constData()));
        action->setCheckable(true);
        action->setData(theme->GetName());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, name = theme->GetName()] { ChooseTheme(name); });
    }
}

void MainWindow::ChooseTheme(const QString& name)
{
    const auto theme = ovgApp::AppThemes::Find(m_themes, name);
    if (!theme) return;
    Record(std::make_shared<ovgApp::McrThemeSetCurrent>(m_context, theme, [](const QString& current) {
        ovgApp::AppThemes::SetCurrentName(current);
    }));
}

}  // namespace ovgUi
