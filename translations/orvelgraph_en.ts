<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
    <context>
        <name>AppMacroManager</name>
        <message>
            <source>マクロファイルを開けません。</source>
            <translation>Cannot open the macro file.</translation>
        </message>
        <message>
            <source>実行時間が %1 秒を超えたため、マクロを中断しました。</source>
            <translation>The macro was stopped because it ran longer than %1 seconds.</translation>
        </message>
        <message>
            <source>マクロ実行中にエラーが発生しました。</source>
            <translation>An error occurred while running the macro.</translation>
        </message>
    </context>
    <context>
        <name>AxisCursorReadout</name>
        <message>
            <source>	A	B	B-A	最小	最大	平均	標準偏差</source>
            <translation>	A	B	B-A	Minimum	Maximum	Mean	Standard deviation</translation>
        </message>
        <message>
            <source>時刻</source>
            <translation>Time</translation>
        </message>
    </context>
    <context>
        <name>DataTableModel</name>
        <message>
            <source> 日時</source>
            <translation> Date/Time</translation>
        </message>
    </context>
    <context>
        <name>DewPointMaker</name>
        <message>
            <source>温度と湿度のデータがありません。</source>
            <translation>There is no temperature and humidity data.</translation>
        </message>
        <message>
            <source>温度と湿度のデータ数が異なります。</source>
            <translation>The temperature and humidity channels have different numbers of samples.</translation>
        </message>
        <message>
            <source>温度と湿度のデータの時刻が異なります。</source>
            <translation>The temperature and humidity samples were taken at different times.</translation>
        </message>
    </context>
    <context>
        <name>DewPointMakerDlg</name>
        <message>
            <source>露点温度作成</source>
            <translation>Dew Point</translation>
        </message>
        <message>
            <source>作成</source>
            <translation>Create</translation>
        </message>
        <message>
            <source>温度</source>
            <translation>Temperature</translation>
        </message>
        <message>
            <source>湿度</source>
            <translation>Humidity</translation>
        </message>
    </context>
    <context>
        <name>DlgAbout</name>
        <message>
            <source>バージョン情報</source>
            <translation>About Orvel Graph</translation>
        </message>
        <message>
            <source>バージョン </source>
            <translation>Version </translation>
        </message>
        <message>
            <source>アップデート情報を確認</source>
            <translation>Check for Updates</translation>
        </message>
        <message>
            <source>アップデート情報を確認しています。</source>
            <translation>Checking for updates.</translation>
        </message>
        <message>
            <source>アップデート情報の取得に失敗しました。</source>
            <translation>The update information could not be obtained.</translation>
        </message>
        <message>
            <source>最新のアプリケーションです。</source>
            <translation>This is the latest version.</translation>
        </message>
        <message>
            <source>新しいバージョンのアプリケーションが見つかりました。</source>
            <translation>A newer version of the application is available.</translation>
        </message>
    </context>
    <context>
        <name>DlgAxisCursorPosition</name>
        <message>
            <source>カーソルの位置を指定</source>
            <translation>Set Cursor Position</translation>
        </message>
        <message>
            <source>カーソルA:</source>
            <translation>Cursor A:</translation>
        </message>
        <message>
            <source>カーソルB:</source>
            <translation>Cursor B:</translation>
        </message>
        <message>
            <source>数値を入力してください。</source>
            <translation>Please enter a number.</translation>
        </message>
        <message>
            <source>カーソルの位置は軸の範囲内で指定してください。</source>
            <translation>Please enter a cursor position within the range of the axis.</translation>
        </message>
    </context>
    <context>
        <name>DlgDataTableSetup</name>
        <message>
            <source>データ一覧の設定</source>
            <translation>Data Table Settings</translation>
        </message>
        <message>
            <source>上下限値を超えた値を色で示す</source>
            <translation>Show values outside the upper and lower limits in colour</translation>
        </message>
        <message>
            <source>見出しに単位を表示する</source>
            <translation>Show the unit in the headers</translation>
        </message>
    </context>
    <context>
        <name>DlgDateTimeFormatSetup</name>
        <message>
            <source>日付書式の設定</source>
            <translation>Date Format</translation>
        </message>
        <message>
            <source>日付の順序</source>
            <translation>Date order</translation>
        </message>
        <message>
            <source>月を名前で表示する</source>
            <translation>Show months by name</translation>
        </message>
        <message>
            <source>ミリ秒を表示する</source>
            <translation>Show milliseconds</translation>
        </message>
        <message>
            <source>夏時間で表示する</source>
            <translation>Show times in daylight saving time</translation>
        </message>
        <message>
            <source>プレビュー</source>
            <translation>Preview</translation>
        </message>
        <message>
            <source>年-月-日</source>
            <translation>Year-month-day</translation>
        </message>
        <message>
            <source>月-日-年</source>
            <translation>Month-day-year</translation>
        </message>
        <message>
            <source>日-月-年</source>
            <translation>Day-month-year</translation>
        </message>
    </context>
    <context>
        <name>DlgDebug</name>
        <message>
            <source>デバッグログを記録する(&amp;L)</source>
            <translation>Record the debug &amp;log</translation>
        </message>
        <message>
            <source>デバッグ</source>
            <translation>Debug</translation>
        </message>
        <message>
            <source>更新(&amp;R)</source>
            <translation>&amp;Refresh</translation>
        </message>
        <message>
            <source>コピー(&amp;C)</source>
            <translation>&amp;Copy</translation>
        </message>
        <message>
            <source>消去(&amp;E)</source>
            <translation>Cl&amp;ear</translation>
        </message>
    </context>
    <context>
        <name>DlgDeleteChData</name>
        <message>
            <source>データを削除する</source>
            <translation>Delete Data</translation>
        </message>
        <message>
            <source>削除</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>この日時より前のデータを削除する</source>
            <translation>Delete data before this date and time</translation>
        </message>
        <message>
            <source>この日時より後のデータを削除する</source>
            <translation>Delete data after this date and time</translation>
        </message>
        <message>
            <source>チャンネルを選択して下さい。</source>
            <translation>Please select channels.</translation>
        </message>
        <message>
            <source>削除する範囲を指定して下さい。</source>
            <translation>Please choose the range to delete.</translation>
        </message>
        <message>
            <source>開始日時が終了日時より後になっています。</source>
            <translation>The start date and time is later than the end date and time.</translation>
        </message>
        <message>
            <source>: 残す範囲にデータがありません。</source>
            <translation>: there is no data in the range to keep.</translation>
        </message>
        <message>
            <source>削除するデータがありません。</source>
            <translation>There is no data to delete.</translation>
        </message>
    </context>
    <context>
        <name>DlgLoadFiles</name>
        <message>
            <source>ファイルを読み込んでいます...</source>
            <translation>Loading files...</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>このファイルは温度単位を摂氏で表示する設定で保存されています。
温度単位の表示を摂氏に変更しますか？</source>
            <translation>This file was saved showing temperatures in Celsius.
Show temperatures in Celsius?</translation>
        </message>
        <message>
            <source>このファイルは温度単位を華氏で表示する設定で保存されています。
温度単位の表示を華氏に変更しますか？</source>
            <translation>This file was saved showing temperatures in Fahrenheit.
Show temperatures in Fahrenheit?</translation>
        </message>
    </context>
    <context>
        <name>DlgLoadFilesError</name>
        <message>
            <source>読み込めなかったファイル</source>
            <translation>Files Not Loaded</translation>
        </message>
        <message>
            <source>パス</source>
            <translation>Path</translation>
        </message>
        <message>
            <source>ファイル名</source>
            <translation>File name</translation>
        </message>
        <message>
            <source>メッセージ</source>
            <translation>Message</translation>
        </message>
    </context>
    <context>
        <name>DlgMktCalculator</name>
        <message>
            <source>実行</source>
            <translation>Run</translation>
        </message>
        <message>
            <source>チャンネル名</source>
            <translation>Channel name</translation>
        </message>
        <message>
            <source>データ種別</source>
            <translation>Data type</translation>
        </message>
        <message>
            <source>ΔHには正の数値を入力して下さい。</source>
            <translation>Please enter a positive number for ΔH.</translation>
        </message>
    </context>
    <context>
        <name>DlgOperationType</name>
        <message>
            <source>グラフ操作の設定</source>
            <translation>Graph Mouse Controls</translation>
        </message>
        <message>
            <source>左ダブルクリック</source>
            <translation>Double-click with the left button</translation>
        </message>
        <message>
            <source>マウスホイール</source>
            <translation>Mouse wheel</translation>
        </message>
        <message>
            <source>左ボタンを押しながらマウスを移動</source>
            <translation>Move the mouse with the left button held</translation>
        </message>
        <message>
            <source>左ボタンを押しながらマウスホイール</source>
            <translation>Mouse wheel with the left button held</translation>
        </message>
        <message>
            <source>グラフ全体を表示</source>
            <translation>Show the whole graph</translation>
        </message>
        <message>
            <source>なし</source>
            <translation>None</translation>
        </message>
        <message>
            <source>グラフを横軸だけ拡大</source>
            <translation>Zoom the X axis only</translation>
        </message>
        <message>
            <source>グラフをスクロール</source>
            <translation>Scroll the graph</translation>
        </message>
        <message>
            <source>グラフを縦軸だけ拡大</source>
            <translation>Zoom the Y axis only</translation>
        </message>
        <message>
            <source>グラフを拡大</source>
            <translation>Zoom the graph</translation>
        </message>
    </context>
    <context>
        <name>DlgOptions</name>
        <message>
            <source>オプション</source>
            <translation>Options</translation>
        </message>
        <message>
            <source>フォルダ</source>
            <translation>Folders</translation>
        </message>
        <message>
            <source>ファイルを開くフォルダ</source>
            <translation>Folder for opening files</translation>
        </message>
        <message>
            <source>ファイルを保存するフォルダ</source>
            <translation>Folder for saving files</translation>
        </message>
        <message>
            <source>前回使用したフォルダを使う</source>
            <translation>Use the most recently used folder</translation>
        </message>
        <message>
            <source>日本語</source>
            <translation>日本語</translation>
        </message>
        <message>
            <source>参照...</source>
            <translation>Browse...</translation>
        </message>
    </context>
    <context>
        <name>DlgProxySetup</name>
        <message>
            <source>プロキシサーバの設定</source>
            <translation>Proxy Server</translation>
        </message>
        <message>
            <source>自動</source>
            <translation>Automatic</translation>
        </message>
        <message>
            <source>プロキシサーバを使用する</source>
            <translation>Use a proxy server</translation>
        </message>
        <message>
            <source>アドレス</source>
            <translation>Address</translation>
        </message>
        <message>
            <source>ポート</source>
            <translation>Port</translation>
        </message>
        <message>
            <source>プロキシサーバのアドレスを入力してください。</source>
            <translation>Please enter the proxy server's address.</translation>
        </message>
    </context>
    <context>
        <name>DlgScaleExprInput</name>
        <message>
            <source>スケール変換式の入力</source>
            <translation>Scale Expression</translation>
        </message>
        <message>
            <source>入力方法</source>
            <translation>Entered as</translation>
        </message>
        <message>
            <source>傾きと切片</source>
            <translation>Slope and intercept</translation>
        </message>
        <message>
            <source>２点の座標</source>
            <translation>Two points</translation>
        </message>
        <message>
            <source>傾き</source>
            <translation>Slope</translation>
        </message>
        <message>
            <source>切片</source>
            <translation>Intercept</translation>
        </message>
        <message>
            <source>指数表記で表示する</source>
            <translation>Show in scientific notation</translation>
        </message>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>単位</source>
            <translation>Unit</translation>
        </message>
        <message>
            <source>有効桁数</source>
            <translation>Significant digits</translation>
        </message>
    </context>
    <context>
        <name>DlgScaleExprSetup</name>
        <message>
            <source>スケール変換式の設定</source>
            <translation>Scale Expressions</translation>
        </message>
        <message>
            <source>変換式</source>
            <translation>Expression</translation>
        </message>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>単位</source>
            <translation>Unit</translation>
        </message>
        <message>
            <source>新しい式を追加</source>
            <translation>Add</translation>
        </message>
        <message>
            <source>式を修正</source>
            <translation>Edit</translation>
        </message>
        <message>
            <source>式を削除</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>１行上へ</source>
            <translation>Up</translation>
        </message>
        <message>
            <source>１行下へ</source>
            <translation>Down</translation>
        </message>
    </context>
    <context>
        <name>DlgThinData</name>
        <message>
            <source>データ抽出</source>
            <translation>Data Extraction</translation>
        </message>
        <message>
            <source>実行</source>
            <translation>Run</translation>
        </message>
        <message>
            <source>秒</source>
            <translation>seconds</translation>
        </message>
        <message>
            <source>分</source>
            <translation>minutes</translation>
        </message>
        <message>
            <source>時間</source>
            <translation>hours</translation>
        </message>
        <message>
            <source>日</source>
            <translation>days</translation>
        </message>
        <message>
            <source>抽出間隔</source>
            <translation>Interval</translation>
        </message>
        <message>
            <source>基準日時</source>
            <translation>Origin</translation>
        </message>
        <message>
            <source>抽出方法</source>
            <translation>Method</translation>
        </message>
        <message>
            <source>欠測データを除いて計算する</source>
            <translation>Leave out missing data</translation>
        </message>
        <message>
            <source>新しいチャンネルとして追加する</source>
            <translation>Add as new channels</translation>
        </message>
        <message>
            <source>元のデータを置き換える</source>
            <translation>Replace the original data</translation>
        </message>
        <message>
            <source>結果</source>
            <translation>Result</translation>
        </message>
        <message>
            <source>チャンネルを選択して下さい。</source>
            <translation>Please select channels.</translation>
        </message>
        <message>
            <source>抽出間隔には0より大きい値を入力して下さい。</source>
            <translation>Please enter an interval greater than 0.</translation>
        </message>
        <message>
            <source>: 抽出間隔は記録間隔以上にして下さい。</source>
            <translation>: the interval must be at least the recording interval.</translation>
        </message>
        <message>
            <source>データの期間に対して抽出間隔が短すぎます。抽出間隔を長くして下さい。</source>
            <translation>The interval is too short for the data's period. Please make it longer.</translation>
        </message>
    </context>
    <context>
        <name>DlgUpdateFirstRun</name>
        <message>
            <source>アプリケーション起動時にアップデート情報を確認する。</source>
            <translation>Check for updates when the application starts.</translation>
        </message>
        <message>
            <source>アプリケーションの起動時に、新しいバージョンがあるかどうかのアップデート情報を確認できるようになりました。
確認は1日に1回まで行います。この設定はヘルプメニューからいつでも変更できます。</source>
            <translation>The application can now check at start-up whether a new version is available.
It checks at most once a day. You can change this setting at any time from the Help menu.</translation>
        </message>
    </context>
    <context>
        <name>EditMenus</name>
        <message>
            <source>切り取り(&amp;T)</source>
            <translation>Cu&amp;t</translation>
        </message>
        <message>
            <source>コピー(&amp;C)</source>
            <translation>&amp;Copy</translation>
        </message>
        <message>
            <source>貼り付け(&amp;P)</source>
            <translation>&amp;Paste</translation>
        </message>
        <message>
            <source>すべて選択(&amp;A)</source>
            <translation>Select &amp;All</translation>
        </message>
        <message>
            <source>元に戻す(&amp;U)</source>
            <translation>&amp;Undo</translation>
        </message>
        <message>
            <source>削除(&amp;D)</source>
            <translation>&amp;Delete</translation>
        </message>
    </context>
    <context>
        <name>FileUILoadFile</name>
        <message>
            <source>グラフファイル</source>
            <translation>Graph files</translation>
        </message>
        <message>
            <source>KMQ ファイル</source>
            <translation>KMQ files</translation>
        </message>
        <message>
            <source>KMV ファイル</source>
            <translation>KMV files</translation>
        </message>
        <message>
            <source>KAC ファイル</source>
            <translation>KAC files</translation>
        </message>
        <message>
            <source>KE8 ファイル</source>
            <translation>KE8 files</translation>
        </message>
        <message>
            <source>KEJ ファイル</source>
            <translation>KEJ files</translation>
        </message>
        <message>
            <source>KAD ファイル</source>
            <translation>KAD files</translation>
        </message>
        <message>
            <source>KAQ ファイル</source>
            <translation>KAQ files</translation>
        </message>
        <message>
            <source>KS2 ファイル</source>
            <translation>KS2 files</translation>
        </message>
        <message>
            <source>KS3 ファイル</source>
            <translation>KS3 files</translation>
        </message>
        <message>
            <source>KN1 ファイル</source>
            <translation>KN1 files</translation>
        </message>
        <message>
            <source>KN2 ファイル</source>
            <translation>KN2 files</translation>
        </message>
        <message>
            <source>データファイル全般</source>
            <translation>All data files</translation>
        </message>
        <message>
            <source>すべてのファイル</source>
            <translation>All files</translation>
        </message>
    </context>
    <context>
        <name>LCDataTable</name>
        <message>
            <source>検索しています...</source>
            <translation>Searching...</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>検索(&amp;F)...</source>
            <translation>&amp;Find...</translation>
        </message>
        <message>
            <source>検索</source>
            <translation>Find</translation>
        </message>
        <message>
            <source>日時または値:</source>
            <translation>Date/time or value:</translation>
        </message>
        <message>
            <source>見つかりませんでした。</source>
            <translation>Not found.</translation>
        </message>
        <message>
            <source>コピー(&amp;C)</source>
            <translation>&amp;Copy</translation>
        </message>
        <message>
            <source>すべて選択(&amp;A)</source>
            <translation>Select &amp;All</translation>
        </message>
        <message>
            <source>最初のページ(&amp;T)</source>
            <translation>Firs&amp;t Page</translation>
        </message>
        <message>
            <source>前のページ(&amp;P)</source>
            <translation>&amp;Previous Page</translation>
        </message>
        <message>
            <source>次のページ(&amp;N)</source>
            <translation>&amp;Next Page</translation>
        </message>
        <message>
            <source>最後のページ(&amp;L)</source>
            <translation>&amp;Last Page</translation>
        </message>
        <message>
            <source>データ一覧の設定(&amp;S)...</source>
            <translation>Data Table &amp;Settings...</translation>
        </message>
        <message>
            <source>表示中のページをグラフに表示(&amp;G)</source>
            <translation>Show This Page in the &amp;Graph</translation>
        </message>
    </context>
    <context>
        <name>McrChData</name>
        <message>
            <source>結合するチャンネルを2つ以上選択して下さい。</source>
            <translation>Select two or more channels to merge.</translation>
        </message>
        <message>
            <source>種類の異なるデータのチャンネルは結合できません。</source>
            <translation>Channels holding different kinds of data cannot be merged.</translation>
        </message>
    </context>
    <context>
        <name>McrLoadFiles</name>
        <message>
            <source>グラフの状態を復元できませんでした。(%1)</source>
            <translation>The graph state could not be restored. (%1)</translation>
        </message>
    </context>
    <context>
        <name>McrThinData</name>
        <message>
            <source>サンプル</source>
            <translation>Sample</translation>
        </message>
        <message>
            <source>最小値</source>
            <translation>Minimum</translation>
        </message>
        <message>
            <source>最大値</source>
            <translation>Maximum</translation>
        </message>
        <message>
            <source>合計</source>
            <translation>Sum</translation>
        </message>
        <message>
            <source>平均</source>
            <translation>Mean</translation>
        </message>
    </context>
    <context>
        <name>OffsetTimeSetupDlg</name>
        <message>
            <source>データの時刻を補正する</source>
            <translation>Correct Data Time</translation>
        </message>
        <message>
            <source>実行</source>
            <translation>Run</translation>
        </message>
        <message>
            <source>チャンネル名</source>
            <translation>Channel name</translation>
        </message>
        <message>
            <source>補正時間</source>
            <translation>Correction</translation>
        </message>
        <message>
            <source>+ 進める</source>
            <translation>+ Forward</translation>
        </message>
        <message>
            <source>- 戻す</source>
            <translation>- Back</translation>
        </message>
        <message>
            <source>設定</source>
            <translation>Set</translation>
        </message>
        <message>
            <source>補正時間を入力して「設定」を押して下さい。</source>
            <translation>Enter the correction and press "Set".</translation>
        </message>
        <message>
            <source>日</source>
            <translation>days</translation>
        </message>
        <message>
            <source>時間</source>
            <translation>hours</translation>
        </message>
        <message>
            <source>分</source>
            <translation>minutes</translation>
        </message>
        <message>
            <source>秒</source>
            <translation>seconds</translation>
        </message>
        <message>
            <source>ミリ秒</source>
            <translation>milliseconds</translation>
        </message>
    </context>
    <context>
        <name>PrmFile</name>
        <message>
            <source>パラメータファイルを保存できませんでした。</source>
            <translation>The parameter file could not be saved.</translation>
        </message>
        <message>
            <source>パラメータファイルを読み込めませんでした。</source>
            <translation>The parameter file could not be read.</translation>
        </message>
    </context>
    <context>
        <name>PrmScaleExpr</name>
        <message>
            <source>傾きに数値を入力して下さい。</source>
            <translation>Enter a number for the slope.</translation>
        </message>
        <message>
            <source>切片に数値を入力して下さい。</source>
            <translation>Enter a number for the intercept.</translation>
        </message>
        <message>
            <source>X1 に数値を入力して下さい。</source>
            <translation>Enter a number for X1.</translation>
        </message>
        <message>
            <source>Y1 に数値を入力して下さい。</source>
            <translation>Enter a number for Y1.</translation>
        </message>
        <message>
            <source>X2 に数値を入力して下さい。</source>
            <translation>Enter a number for X2.</translation>
        </message>
        <message>
            <source>Y2 に数値を入力して下さい。</source>
            <translation>Enter a number for Y2.</translation>
        </message>
        <message>
            <source>X1 と X2 には異なる値を入力して下さい。</source>
            <translation>Enter different values for X1 and X2.</translation>
        </message>
        <message>
            <source>変換式の係数が大きすぎます。</source>
            <translation>The scale expression's coefficients are too large.</translation>
        </message>
        <message>
            <source>変換式を計算できません。(%1)</source>
            <translation>The scale expression cannot be calculated. (%1)</translation>
        </message>
    </context>
    <context>
        <name>PropertyItems</name>
        <message>
            <source>標準</source>
            <translation>Regular</translation>
        </message>
        <message>
            <source>斜体</source>
            <translation>Italic</translation>
        </message>
        <message>
            <source>太字</source>
            <translation>Bold</translation>
        </message>
        <message>
            <source>太字斜体</source>
            <translation>Bold italic</translation>
        </message>
        <message>
            <source>なし</source>
            <translation>None</translation>
        </message>
        <message>
            <source>丸</source>
            <translation>Circle</translation>
        </message>
        <message>
            <source>矢印</source>
            <translation>Arrow</translation>
        </message>
        <message>
            <source>塗りつぶし矢印</source>
            <translation>Filled arrow</translation>
        </message>
        <message>
            <source>左上</source>
            <translation>Top left</translation>
        </message>
        <message>
            <source>上中央</source>
            <translation>Top centre</translation>
        </message>
        <message>
            <source>右上</source>
            <translation>Top right</translation>
        </message>
        <message>
            <source>左中央</source>
            <translation>Middle left</translation>
        </message>
        <message>
            <source>中央</source>
            <translation>Centre</translation>
        </message>
        <message>
            <source>右中央</source>
            <translation>Middle right</translation>
        </message>
        <message>
            <source>左下</source>
            <translation>Bottom left</translation>
        </message>
        <message>
            <source>下中央</source>
            <translation>Bottom centre</translation>
        </message>
        <message>
            <source>右下</source>
            <translation>Bottom right</translation>
        </message>
        <message>
            <source>自由</source>
            <translation>Free</translation>
        </message>
        <message>
            <source>グラフの左</source>
            <translation>Left of the graph</translation>
        </message>
        <message>
            <source>グラフの上</source>
            <translation>Above the graph</translation>
        </message>
        <message>
            <source>グラフの右</source>
            <translation>Right of the graph</translation>
        </message>
        <message>
            <source>グラフの下</source>
            <translation>Below the graph</translation>
        </message>
        <message>
            <source>実線</source>
            <translation>Solid</translation>
        </message>
        <message>
            <source>破線</source>
            <translation>Dashed</translation>
        </message>
        <message>
            <source>点線</source>
            <translation>Dotted</translation>
        </message>
        <message>
            <source>一点鎖線</source>
            <translation>Dash-dot</translation>
        </message>
        <message>
            <source>二点鎖線</source>
            <translation>Dash-dot-dot</translation>
        </message>
        <message>
            <source>四角</source>
            <translation>Square</translation>
        </message>
        <message>
            <source>上向き三角</source>
            <translation>Triangle up</translation>
        </message>
        <message>
            <source>下向き三角</source>
            <translation>Triangle down</translation>
        </message>
        <message>
            <source>ひし形</source>
            <translation>Diamond</translation>
        </message>
        <message>
            <source>×</source>
            <translation>Cross</translation>
        </message>
        <message>
            <source>＋</source>
            <translation>Plus</translation>
        </message>
        <message>
            <source>左軸</source>
            <translation>Left axis </translation>
        </message>
        <message>
            <source>右軸</source>
            <translation>Right axis </translation>
        </message>
        <message>
            <source>表示</source>
            <translation>Visible</translation>
        </message>
        <message>
            <source>テキスト</source>
            <translation>Text</translation>
        </message>
        <message>
            <source>文字の配置</source>
            <translation>Text alignment</translation>
        </message>
        <message>
            <source>位置</source>
            <translation>Position</translation>
        </message>
        <message>
            <source>フォント名</source>
            <translation>Font name</translation>
        </message>
        <message>
            <source>サイズ</source>
            <translation>Size</translation>
        </message>
        <message>
            <source>スタイル</source>
            <translation>Style</translation>
        </message>
        <message>
            <source>文字色</source>
            <translation>Text colour</translation>
        </message>
        <message>
            <source>自動サイズ</source>
            <translation>Automatic size</translation>
        </message>
        <message>
            <source>最大チャンネル数</source>
            <translation>Maximum channels</translation>
        </message>
        <message>
            <source>行数</source>
            <translation>Rows</translation>
        </message>
        <message>
            <source>列数</source>
            <translation>Columns</translation>
        </message>
        <message>
            <source>ラベルの種類</source>
            <translation>Label type</translation>
        </message>
        <message>
            <source>枠の色</source>
            <translation>Frame colour</translation>
        </message>
        <message>
            <source>枠の太さ</source>
            <translation>Frame width</translation>
        </message>
        <message>
            <source>角の丸み</source>
            <translation>Corner rounding</translation>
        </message>
        <message>
            <source>グラデーション</source>
            <translation>Gradient</translation>
        </message>
        <message>
            <source>背景色1</source>
            <translation>Background colour 1</translation>
        </message>
        <message>
            <source>背景色2</source>
            <translation>Background colour 2</translation>
        </message>
        <message>
            <source>影の深さ</source>
            <translation>Shadow depth</translation>
        </message>
        <message>
            <source>余白</source>
            <translation>Margin</translation>
        </message>
        <message>
            <source>関連付けるY軸</source>
            <translation>Linked Y axis</translation>
        </message>
        <message>
            <source>ロック</source>
            <translation>Locked</translation>
        </message>
        <message>
            <source>引き出し線の位置</source>
            <translation>Pointer position</translation>
        </message>
        <message>
            <source>線の色</source>
            <translation>Line colour</translation>
        </message>
        <message>
            <source>線の太さ</source>
            <translation>Line width</translation>
        </message>
        <message>
            <source>始点のスタイル</source>
            <translation>Start style</translation>
        </message>
        <message>
            <source>始点のサイズ</source>
            <translation>Start size</translation>
        </message>
        <message>
            <source>終点のスタイル</source>
            <translation>End style</translation>
        </message>
        <message>
            <source>終点のサイズ</source>
            <translation>End size</translation>
        </message>
        <message>
            <source>表示範囲の最小値</source>
            <translation>Shown minimum</translation>
        </message>
        <message>
            <source>表示範囲の最大値</source>
            <translation>Shown maximum</translation>
        </message>
        <message>
            <source>範囲の最小値</source>
            <translation>Range minimum</translation>
        </message>
        <message>
            <source>範囲の最大値</source>
            <translation>Range maximum</translation>
        </message>
        <message>
            <source>範囲の自動調整</source>
            <translation>Automatic range</translation>
        </message>
        <message>
            <source>小数点以下の桁数</source>
            <translation>Decimal places</translation>
        </message>
        <message>
            <source>目盛の間隔</source>
            <translation>Tick interval</translation>
        </message>
        <message>
            <source>補助目盛の間隔</source>
            <translation>Minor tick interval</translation>
        </message>
        <message>
            <source>タイトルの表示</source>
            <translation>Show title</translation>
        </message>
        <message>
            <source>タイトル</source>
            <translation>Title</translation>
        </message>
        <message>
            <source>単位の表示</source>
            <translation>Show unit</translation>
        </message>
        <message>
            <source>単位</source>
            <translation>Unit</translation>
        </message>
        <message>
            <source>目盛の間隔（秒）</source>
            <translation>Tick interval (s)</translation>
        </message>
        <message>
            <source>補助目盛の間隔（秒）</source>
            <translation>Minor tick interval (s)</translation>
        </message>
        <message>
            <source>線の種類</source>
            <translation>Line style</translation>
        </message>
        <message>
            <source>シンボル</source>
            <translation>Symbol</translation>
        </message>
        <message>
            <source>シンボルの間隔</source>
            <translation>Symbol spacing</translation>
        </message>
        <message>
            <source>全般</source>
            <translation>General</translation>
        </message>
        <message>
            <source>フォント</source>
            <translation>Font</translation>
        </message>
    </context>
    <context>
        <name>Result</name>
        <message>
            <source>成功</source>
            <translation>Success</translation>
        </message>
        <message>
            <source>ファイルオープンに失敗しました。(%d)</source>
            <translation>The file could not be opened. (%d)</translation>
        </message>
        <message>
            <source>書き込みに失敗しました。(%d)</source>
            <translation>Writing failed. (%d)</translation>
        </message>
        <message>
            <source>読み込みに失敗しました。(%d)</source>
            <translation>Reading failed. (%d)</translation>
        </message>
        <message>
            <source>未対応のファイルです。(%d)</source>
            <translation>This kind of file is not supported. (%d)</translation>
        </message>
        <message>
            <source>このファイルは新しいOrvel Graphで保存したファイルです。このファイルを読み込むためにOrvel Graphをバージョンアップして下さい。(%d)</source>
            <translation>This file was saved by a newer version of Orvel Graph. Please update Orvel Graph to open it. (%d)</translation>
        </message>
        <message>
            <source>ファイルが壊れています。(%d)</source>
            <translation>The file is damaged. (%d)</translation>
        </message>
        <message>
            <source>Y軸の数を減らして下さい。(%d)</source>
            <translation>Please use fewer Y axes. (%d)</translation>
        </message>
        <message>
            <source>失敗しました。(%d)</source>
            <translation>Failed. (%d)</translation>
        </message>
    </context>
    <context>
        <name>WndProperty</name>
        <message>
            <source>なし</source>
            <translation>None</translation>
        </message>
    </context>
    <context>
        <name>main</name>
        <message>
            <source>フォルダの作成が失敗しました。
</source>
            <translation>The folder could not be created.
</translation>
        </message>
    </context>
    <context>
        <name>ovgUi::DlgOptions</name>
        <message>
            <source>言語 (再起動後に有効)</source>
            <translation>Language (takes effect after restart)</translation>
        </message>
    </context>
    <context>
        <name>ovgUi::MainWindow</name>
        <message>
            <source>マクロ</source>
            <translation>Macro</translation>
        </message>
        <message>
            <source>ファイル(&amp;F)</source>
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>新規作成(&amp;N)	Ctrl+N</source>
            <translation>&amp;New	Ctrl+N</translation>
        </message>
        <message>
            <source>開く(&amp;O)...	Ctrl+O</source>
            <translation>&amp;Open...	Ctrl+O</translation>
        </message>
        <message>
            <source>条件を指定して開く(&amp;E)	Ctrl+Shift+O</source>
            <translation>Op&amp;en with Conditions	Ctrl+Shift+O</translation>
        </message>
        <message>
            <source>最近使ったファイル(&amp;R)</source>
            <translation>&amp;Recent Files</translation>
        </message>
        <message>
            <source>上書き保存(&amp;S)	Ctrl+S</source>
            <translation>&amp;Save	Ctrl+S</translation>
        </message>
        <message>
            <source>名前を付けて保存(&amp;A)...</source>
            <translation>Save &amp;As...</translation>
        </message>
        <message>
            <source>CSV形式で保存(&amp;C)...</source>
            <translation>Export as &amp;CSV...</translation>
        </message>
        <message>
            <source>グラフを画像として保存(&amp;I)...</source>
            <translation>Save Graph as P&amp;icture...</translation>
        </message>
        <message>
            <source>グラフを印刷(&amp;G)...	Ctrl+P</source>
            <translation>Print &amp;Graph...	Ctrl+P</translation>
        </message>
        <message>
            <source>データ一覧を印刷(&amp;D)...	Ctrl+Shift+P</source>
            <translation>Print &amp;Data Table...	Ctrl+Shift+P</translation>
        </message>
        <message>
            <source>終了(&amp;X)</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>編集(&amp;E)</source>
            <translation>&amp;Edit</translation>
        </message>
        <message>
            <source>元に戻す(&amp;U)	Ctrl+Z</source>
            <translation>&amp;Undo	Ctrl+Z</translation>
        </message>
        <message>
            <source>やり直し(&amp;R)	Ctrl+Y</source>
            <translation>&amp;Redo	Ctrl+Y</translation>
        </message>
        <message>
            <source>グラフをコピー(&amp;C)</source>
            <translation>&amp;Copy Graph</translation>
        </message>
        <message>
            <source>図形の挿入(&amp;I)</source>
            <translation>&amp;Insert Shape</translation>
        </message>
        <message>
            <source>テキストボックス(&amp;T)</source>
            <translation>&amp;Text Box</translation>
        </message>
        <message>
            <source>直線(&amp;L)</source>
            <translation>&amp;Line</translation>
        </message>
        <message>
            <source>矢印(&amp;A)</source>
            <translation>&amp;Arrow</translation>
        </message>
        <message>
            <source>四角形(&amp;R)</source>
            <translation>&amp;Rectangle</translation>
        </message>
        <message>
            <source>吹き出し(&amp;S)</source>
            <translation>Call&amp;out</translation>
        </message>
        <message>
            <source>グラフの操作(&amp;G)</source>
            <translation>&amp;Graph</translation>
        </message>
        <message>
            <source>グラフを拡大(&amp;Z)</source>
            <translation>&amp;Zoom</translation>
        </message>
        <message>
            <source>グラフをX軸だけ拡大(&amp;X)</source>
            <translation>Zoom &amp;X Axis Only</translation>
        </message>
        <message>
            <source>グラフをY軸だけ拡大(&amp;Y)</source>
            <translation>Zoom &amp;Y Axis Only</translation>
        </message>
        <message>
            <source>グラフ全体を表示(&amp;G)</source>
            <translation>Show Whole &amp;Graph</translation>
        </message>
        <message>
            <source>チャンネルの操作(&amp;O)</source>
            <translation>Channel &amp;Operations</translation>
        </message>
        <message>
            <source>すべてのチャンネルを選択する(&amp;A)</source>
            <translation>Select &amp;All Channels</translation>
        </message>
        <message>
            <source>チャンネルを結合する(&amp;M)...</source>
            <translation>&amp;Merge Channels...</translation>
        </message>
        <message>
            <source>結合後に元のチャンネルを削除する(&amp;M)</source>
            <translation>&amp;Merge and Delete the Source Channels</translation>
        </message>
        <message>
            <source>結合後も元のチャンネルを残す(&amp;K)</source>
            <translation>Merge and &amp;Keep the Source Channels</translation>
        </message>
        <message>
            <source>チャンネルを削除する(&amp;R)</source>
            <translation>&amp;Remove Channels</translation>
        </message>
        <message>
            <source>データの時刻を補正する(&amp;T)...</source>
            <translation>Correct Data &amp;Time...</translation>
        </message>
        <message>
            <source>データを削除する(&amp;D)...</source>
            <translation>&amp;Delete Data...</translation>
        </message>
        <message>
            <source>表示範囲外のデータを削除する(&amp;D)</source>
            <translation>Delete Data &amp;Outside the Displayed Range</translation>
        </message>
        <message>
            <source>グラフタイトルのプロパティ(&amp;T)...</source>
            <translation>Graph &amp;Title Properties...</translation>
        </message>
        <message>
            <source>凡例のプロパティ(&amp;L)...</source>
            <translation>&amp;Legend Properties...</translation>
        </message>
        <message>
            <source>軸のプロパティ(&amp;A)...</source>
            <translation>&amp;Axis Properties...</translation>
        </message>
        <message>
            <source>図形のプロパティ(&amp;S)...</source>
            <translation>&amp;Shape Properties...</translation>
        </message>
        <message>
            <source>表示(&amp;V)</source>
            <translation>&amp;View</translation>
        </message>
        <message>
            <source>温度単位(&amp;U)</source>
            <translation>Temperature &amp;Unit</translation>
        </message>
        <message>
            <source>摂氏(&amp;C)</source>
            <translation>&amp;Celsius</translation>
        </message>
        <message>
            <source>華氏(F)</source>
            <translation>&amp;Fahrenheit</translation>
        </message>
        <message>
            <source>データをポップアップ表示する(&amp;P)</source>
            <translation>&amp;Value Popup</translation>
        </message>
        <message>
            <source>チャンネルを追加時にデータ一覧表示する(&amp;L)</source>
            <translation>Show Added Channels in the Data Tab&amp;le</translation>
        </message>
        <message>
            <source>ウィンドウ(&amp;W)</source>
            <translation>&amp;Windows</translation>
        </message>
        <message>
            <source>ステータス バー(&amp;S)</source>
            <translation>&amp;Status Bar</translation>
        </message>
        <message>
            <source>アプリケーションの外観(&amp;A)</source>
            <translation>Application &amp;Appearance</translation>
        </message>
        <message>
            <source>ブルー スタイル(&amp;B)</source>
            <translation>&amp;Blue Style</translation>
        </message>
        <message>
            <source>ブラック スタイル(&amp;L)</source>
            <translation>B&amp;lack Style</translation>
        </message>
        <message>
            <source>シルバー スタイル(&amp;S)</source>
            <translation>&amp;Silver Style</translation>
        </message>
        <message>
            <source>アクア スタイル(&amp;A)</source>
            <translation>&amp;Aqua Style</translation>
        </message>
        <message>
            <source>グラフのテーマ（仮）(&amp;B)</source>
            <translation>Graph &amp;Theme (Preview)</translation>
        </message>
        <message>
            <source>ウィンドウレイアウトのリセット(&amp;R)</source>
            <translation>&amp;Reset Window Layout</translation>
        </message>
        <message>
            <source>設定(&amp;S)</source>
            <translation>&amp;Settings</translation>
        </message>
        <message>
            <source>スケール変換式の設定(&amp;S)...</source>
            <translation>&amp;Scale Expressions...</translation>
        </message>
        <message>
            <source>データ一覧の設定(&amp;D)...</source>
            <translation>&amp;Data Table...</translation>
        </message>
        <message>
            <source>日付書式の設定(&amp;F)...</source>
            <translation>Date &amp;Format...</translation>
        </message>
        <message>
            <source>グラフ操作の設定(&amp;G)...</source>
            <translation>&amp;Graph Mouse Controls...</translation>
        </message>
        <message>
            <source>拡張子の関連付け(&amp;A)...</source>
            <translation>File &amp;Associations...</translation>
        </message>
        <message>
            <source>プロキシサーバの設定(&amp;X)...</source>
            <translation>Pro&amp;xy Server...</translation>
        </message>
        <message>
            <source>オプション(&amp;O)...</source>
            <translation>&amp;Options...</translation>
        </message>
        <message>
            <source>ツール(&amp;T)</source>
            <translation>&amp;Tools</translation>
        </message>
        <message>
            <source>露点温度作成(&amp;D)...</source>
            <translation>&amp;Dew Point...</translation>
        </message>
        <message>
            <source>データ抽出(&amp;F)...</source>
            <translation>Data &amp;Extraction...</translation>
        </message>
        <message>
            <source>マクロ(&amp;M)</source>
            <translation>M&amp;acros</translation>
        </message>
        <message>
            <source>ヘルプ(&amp;H)</source>
            <translation>&amp;Help</translation>
        </message>
        <message>
            <source>バージョン情報(&amp;V)...</source>
            <translation>&amp;About Orvel Graph...</translation>
        </message>
        <message>
            <source>起動時にアップデート情報を確認する(&amp;U)</source>
            <translation>Check for &amp;Updates at Start-up</translation>
        </message>
        <message>
            <source>デバッグ</source>
            <translation>Debug</translation>
        </message>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>単位</source>
            <translation>Unit</translation>
        </message>
        <message>
            <source>記録間隔</source>
            <translation>Interval</translation>
        </message>
        <message>
            <source>データ数</source>
            <translation>Samples</translation>
        </message>
        <message>
            <source>データ一覧</source>
            <translation>Data Table</translation>
        </message>
        <message>
            <source>チャンネル一覧</source>
            <translation>Channels</translation>
        </message>
        <message>
            <source>最小</source>
            <translation>Minimum</translation>
        </message>
        <message>
            <source>最大</source>
            <translation>Maximum</translation>
        </message>
        <message>
            <source>平均</source>
            <translation>Mean</translation>
        </message>
        <message>
            <source>標準偏差</source>
            <translation>Standard deviation</translation>
        </message>
        <message>
            <source>コピー(&amp;C)</source>
            <translation>&amp;Copy</translation>
        </message>
        <message>
            <source>すべて選択(&amp;A)</source>
            <translation>Select &amp;All</translation>
        </message>
        <message>
            <source>軸カーソル情報</source>
            <translation>Axis Cursors</translation>
        </message>
        <message>
            <source>メモ</source>
            <translation>Memo</translation>
        </message>
        <message>
            <source>プロパティ</source>
            <translation>Properties</translation>
        </message>
        <message>
            <source>チャンネル数: %1</source>
            <translation>Channels: %1</translation>
        </message>
        <message>
            <source>時刻</source>
            <translation>Time</translation>
        </message>
        <message>
            <source>無題</source>
            <translation>Untitled</translation>
        </message>
        <message>
            <source>開く</source>
            <translation>Open</translation>
        </message>
        <message>
            <source>カンマ区切り(.csv) (*.csv)</source>
            <translation>Comma separated (.csv) (*.csv)</translation>
        </message>
        <message>
            <source>タブ区切り(.csv) (*.csv)</source>
            <translation>Tab separated (.csv) (*.csv)</translation>
        </message>
        <message>
            <source>CSV形式で保存</source>
            <translation>Export as CSV</translation>
        </message>
        <message>
            <source>%1 は既に存在します。
上書きしますか？</source>
            <translation>%1 already exists.
Do you want to replace it?</translation>
        </message>
        <message>
            <source>PNG 画像 (*.png)</source>
            <translation>PNG image (*.png)</translation>
        </message>
        <message>
            <source>SVG 図形 (*.svg)</source>
            <translation>SVG drawing (*.svg)</translation>
        </message>
        <message>
            <source>PDF 文書 (*.pdf)</source>
            <translation>PDF document (*.pdf)</translation>
        </message>
        <message>
            <source>グラフを画像として保存</source>
            <translation>Save Graph as Picture</translation>
        </message>
        <message>
            <source>グラフを印刷</source>
            <translation>Print Graph</translation>
        </message>
        <message>
            <source>データ一覧を印刷</source>
            <translation>Print Data Table</translation>
        </message>
        <message>
            <source>チャンネルのプロパティ(&amp;P)...</source>
            <translation>Channel &amp;Properties...</translation>
        </message>
        <message>
            <source>グラフに表示する(&amp;G)</source>
            <translation>Show in &amp;Graph</translation>
        </message>
        <message>
            <source>データ一覧に表示する(&amp;L)</source>
            <translation>Show in Data Tab&amp;le</translation>
        </message>
        <message>
            <source>スケール変換式(&amp;X)</source>
            <translation>Scale E&amp;xpression</translation>
        </message>
        <message>
            <source>変換しない(&amp;N)</source>
            <translation>&amp;No Conversion</translation>
        </message>
        <message>
            <source>チャンネルを結合する(&amp;M)</source>
            <translation>&amp;Merge Channels</translation>
        </message>
        <message>
            <source>軸のプロパティ(&amp;P)...</source>
            <translation>Axis &amp;Properties...</translation>
        </message>
        <message>
            <source>軸の全体を表示(&amp;W)</source>
            <translation>Show &amp;Whole Axis</translation>
        </message>
        <message>
            <source>軸カーソルを表示する(&amp;C)</source>
            <translation>Show Axis &amp;Cursors</translation>
        </message>
        <message>
            <source>軸タイトルを表示する(&amp;T)</source>
            <translation>Show Axis &amp;Title</translation>
        </message>
        <message>
            <source>グリッド線を表示する(&amp;G)</source>
            <translation>Show &amp;Grid Lines</translation>
        </message>
        <message>
            <source>スクロールバーを表示する(&amp;S)</source>
            <translation>Show &amp;Scroll Bar</translation>
        </message>
        <message>
            <source>スクロールバーを自動的に隠す(&amp;H)</source>
            <translation>&amp;Hide Scroll Bar Automatically</translation>
        </message>
        <message>
            <source>軸を削除する(&amp;D)</source>
            <translation>&amp;Delete Axis</translation>
        </message>
        <message>
            <source>軸を右へ移動する(&amp;R)</source>
            <translation>Move Axis &amp;Right</translation>
        </message>
        <message>
            <source>軸を左へ移動する(&amp;L)</source>
            <translation>Move Axis &amp;Left</translation>
        </message>
        <message>
            <source>チャンネル全体を表示(&amp;W)</source>
            <translation>Show &amp;Whole Channel</translation>
        </message>
        <message>
            <source>軸に割り当て(&amp;A)</source>
            <translation>&amp;Assign to Axis</translation>
        </message>
        <message>
            <source>新しいY軸(右)(&amp;R)</source>
            <translation>New Y Axis (&amp;Right)</translation>
        </message>
        <message>
            <source>新しいY軸(左)(&amp;L)</source>
            <translation>New Y Axis (&amp;Left)</translation>
        </message>
        <message>
            <source>グラフタイトルのプロパティ(&amp;P)...</source>
            <translation>Graph Title &amp;Properties...</translation>
        </message>
        <message>
            <source>テキストの編集(&amp;E)...</source>
            <translation>&amp;Edit Text...</translation>
        </message>
        <message>
            <source>左上に配置(&amp;1)</source>
            <translation>&amp;1 Top Left</translation>
        </message>
        <message>
            <source>中央上に配置(&amp;2)</source>
            <translation>&amp;2 Top Centre</translation>
        </message>
        <message>
            <source>右上に配置(&amp;3)</source>
            <translation>&amp;3 Top Right</translation>
        </message>
        <message>
            <source>左下に配置(&amp;4)</source>
            <translation>&amp;4 Bottom Left</translation>
        </message>
        <message>
            <source>中央下に配置(&amp;5)</source>
            <translation>&amp;5 Bottom Centre</translation>
        </message>
        <message>
            <source>右下に配置(&amp;6)</source>
            <translation>&amp;6 Bottom Right</translation>
        </message>
        <message>
            <source>グラフタイトル</source>
            <translation>Graph Title</translation>
        </message>
        <message>
            <source>タイトル:</source>
            <translation>Title:</translation>
        </message>
        <message>
            <source>凡例のプロパティ(&amp;P)...</source>
            <translation>Legend &amp;Properties...</translation>
        </message>
        <message>
            <source>グラフの左に配置(&amp;L)</source>
            <translation>&amp;Left of the Graph</translation>
        </message>
        <message>
            <source>グラフの上に配置(&amp;T)</source>
            <translation>&amp;Above the Graph</translation>
        </message>
        <message>
            <source>グラフの右に配置(&amp;R)</source>
            <translation>&amp;Right of the Graph</translation>
        </message>
        <message>
            <source>グラフの下に配置(&amp;B)</source>
            <translation>&amp;Below the Graph</translation>
        </message>
        <message>
            <source>カーソルAをここに移動(&amp;A)</source>
            <translation>Move Cursor &amp;A Here</translation>
        </message>
        <message>
            <source>カーソルBをここに移動(&amp;B)</source>
            <translation>Move Cursor &amp;B Here</translation>
        </message>
        <message>
            <source>カーソルAとBを入れ替える(&amp;S)</source>
            <translation>&amp;Swap Cursors A and B</translation>
        </message>
        <message>
            <source>カーソルの位置を指定(&amp;P)...</source>
            <translation>Set Cursor &amp;Position...</translation>
        </message>
        <message>
            <source>プロパティ(&amp;P)...</source>
            <translation>&amp;Properties...</translation>
        </message>
        <message>
            <source>テキストの編集(&amp;E)</source>
            <translation>&amp;Edit Text</translation>
        </message>
        <message>
            <source>最前面へ移動(&amp;T)</source>
            <translation>Bring to Fron&amp;t</translation>
        </message>
        <message>
            <source>前面へ移動(&amp;F)</source>
            <translation>Bring &amp;Forward</translation>
        </message>
        <message>
            <source>背面へ移動(&amp;B)</source>
            <translation>Send &amp;Backward</translation>
        </message>
        <message>
            <source>最背面へ移動(&amp;K)</source>
            <translation>Send to Bac&amp;k</translation>
        </message>
        <message>
            <source>削除(&amp;D)</source>
            <translation>&amp;Delete</translation>
        </message>
        <message>
            <source>グラフタイトルを表示する(&amp;T)</source>
            <translation>Show Graph &amp;Title</translation>
        </message>
        <message>
            <source>新しい軸を右に追加(&amp;R)</source>
            <translation>Add a New Axis on the &amp;Right</translation>
        </message>
        <message>
            <source>新しい軸を左に追加(&amp;L)</source>
            <translation>Add a New Axis on the &amp;Left</translation>
        </message>
        <message>
            <source>チャンネルを選択して下さい。</source>
            <translation>Please select channels.</translation>
        </message>
        <message>
            <source>チャンネルを削除しますか？</source>
            <translation>Remove the selected channels?</translation>
        </message>
        <message>
            <source>拡張子を関連付けました。</source>
            <translation>The file types are associated with Orvel Graph.</translation>
        </message>
        <message>
            <source>拡張子の関連付けに失敗しました。
</source>
            <translation>The file types could not be associated.
</translation>
        </message>
        <message>
            <source>サンプル</source>
            <translation>Samples</translation>
        </message>
        <message>
            <source>フォルダを開く(&amp;O)</source>
            <translation>&amp;Open Folder</translation>
        </message>
        <message>
            <source>ヘルプファイルを開けません。</source>
            <translation>The help file cannot be opened.</translation>
        </message>
        <message>
            <source>ウィンドウレイアウトをリセットしますか？</source>
            <translation>Reset the window layout?</translation>
        </message>
        <message>
            <source>アプリケーションの概観を変更するには、アプリケーションの再起動が必要になります。
アプリケーションの再起動によって、現在表示されているグラフデータは消去されます。
再起動しますか？</source>
            <translation>The application must restart to change its appearance.
Restarting clears the graph data shown now.
Restart now?</translation>
        </message>
        <message>
            <source>グラフの変更を保存しますか？</source>
            <translation>Save the changes to the graph?</translation>
        </message>
        <message>
            <source>名前を付けて保存</source>
            <translation>Save As</translation>
        </message>
        <message>
            <source>グラフファイル (*.kmb)</source>
            <translation>Graph files (*.kmb)</translation>
        </message>
        <message>
            <source>ライト</source>
            <translation>Light</translation>
        </message>
        <message>
            <source>ダーク</source>
            <translation>Dark</translation>
        </message>
    </context>
    <context>
        <name>ovgUi::WndProperty</name>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>値</source>
            <translation>Value</translation>
        </message>
    </context>
</TS>
